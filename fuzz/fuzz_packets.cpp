// Arbitrary bytes in arbitrary chunks through the framer and the frame
// processing, with operator interference (emptied or typed average, test
// requests, rows deleted). Checks the invariants the window relies on.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "link/packet_framer.h"
#include "measurement/frame_processing.h"

using namespace calvor;

namespace {

class StepClock final : public Clock {
 public:
  LocalDateTime Now() const override { return FromEpochSeconds(seconds); }
  int64_t seconds = 1'800'000'000;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  ReadoutValues readouts;
  BatchLogRows log;
  TBatchState state;
  StepClock clock;
  PacketFramer framer([&](std::string_view packet) {
    const size_t rows_before = log.RowCount();
    ProcessPacket(packet, {readouts, log, state, clock});
    Check(!(state.Armed && state.InBatch));
    Check(log.RowCount() <= rows_before + 1);
    if (log.RowCount() == rows_before + 1) {
      Check(state.Armed && !state.InBatch && state.Peak == 0);
      Check(readouts.Value(NumberBox::Avg).has_value());
      Check(log.Rows().back().time.size() == 5);
    }
    clock.seconds += 7;
  });
  if (in.ConsumeBool()) framer.SetEndMarker("\x03");
  while (in.remaining_bytes() > 0) {
    switch (in.ConsumeIntegralInRange<int>(0, 15)) {
      case 0:
        state.TestPending = true;
        break;
      case 1:
        readouts.SetValue(NumberBox::Avg, in.ConsumeBool() ? std::nullopt
                                                           : std::optional<int32_t>(in.ConsumeIntegral<int32_t>()));
        break;
      case 2:
        log.Clear();
        break;
      case 3:
        framer.SetEndMarker("\x03");
        break;
      default: {
        const std::string chunk = in.ConsumeRandomLengthString(300);
        framer.Receive(chunk);
        Check(framer.EndMarker().empty() || framer.Buffered().size() < PacketFramer::MaxBuffered);
      }
    }
  }
  return 0;
}
