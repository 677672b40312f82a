#include "measurement/frame_processing.h"

#include <array>

#include "measurement/device_frame.h"

namespace calvor {
namespace {

constexpr std::array<NumberBox, FrameNumberCount> NumberTargets{
    NumberBox::PV, NumberBox::MAvg, NumberBox::Span_adj, NumberBox::Pick_Ondo, NumberBox::disp_ondo};
constexpr std::array<StateBox, FrameCodeCount> StateTargets{
    StateBox::Calvor_chk, StateBox::Machine_chk, StateBox::Sensor_chk, StateBox::Gate_Chk};

// Logs the finished batch, updates the average and re-arms.
void EndBatch(FrameSink& s) {
  s.log.AppendRow(FormatHourMinute(s.state.PeakTime), s.state.Peak);
  const auto previous = s.readouts.Value(NumberBox::Avg);
  // With one row there is nothing to average with; the same goes for an Avg
  // box the operator emptied, which would otherwise leave the batch open and
  // log the same row again on every following frame.
  if (s.log.RowCount() == 1 || !previous) {
    s.readouts.SetValue(NumberBox::Avg, s.state.Peak);
  } else {
    s.readouts.SetValue(NumberBox::Avg, RunningAverage(*previous, s.state.Peak));
  }
  s.state.Peak = 0;
  s.state.InBatch = false;
  s.state.Armed = true;
}

}  // namespace

int32_t RunningAverage(int32_t previous, int32_t peak) {
  // (a + p) / 2 + 0.5 == (a + p + 1) / 2 exactly; integer division truncates
  // toward zero just like trunc does.
  const int64_t sum = static_cast<int64_t>(previous) + peak + 1;
  return static_cast<int32_t>(sum / 2);
}

void ProcessPacket(std::string_view packet, FrameSink s) {
  if (packet.size() <= MaxIgnoredPacketLength) return;

  const TDeviceFrame frame = ReadDeviceFrame(packet);
  for (size_t i = 0; i < frame.NumbersRead; ++i) s.readouts.SetValue(NumberTargets[i], frame.Numbers[i]);
  if (!frame.Complete()) return;
  for (size_t i = 0; i < FrameCodeCount; ++i)
    s.readouts.SetItemIndex(StateTargets[i], CodeItemIndex(static_cast<FrameCode>(i), frame.Codes[i]));

  if (s.state.TestPending) {
    s.state.TestPending = false;
    return;
  }

  // T is what PV holds now, as the operator sees it.
  const auto shown = s.readouts.Value(NumberBox::PV);
  if (!shown) return;
  const int32_t t = *shown;
  TBatchState& b = s.state;
  if (b.Armed && t > BatchThreshold) {
    b.Armed = false;
    b.InBatch = true;
    b.Peak = 0;
  }
  if (!b.Armed && b.InBatch && t > BatchThreshold && t > b.Peak) {
    b.Peak = t;
    b.PeakTime = s.clock.Now();
  }
  if (!b.Armed && b.InBatch && t < BatchThreshold) EndBatch(s);

  b.TestPending = false;
}

}  // namespace calvor
