// Nanoseconds per 70-byte status frame through framer, parsing and tracking.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "link/packet_framer.h"
#include "measurement/frame_processing.h"

using namespace calvor;

namespace {

std::string Frame(int t) {
  char body[80];
  std::snprintf(body, sizeof body, "RD01111O%3d000%3d000000%3d%3d 95", t, t, t + 2, t);
  std::string s = std::string("\x02") + body;
  s.resize(69, '0');
  return s + "\x03";
}

class FixedClock final : public Clock {
 public:
  LocalDateTime Now() const override { return {2026, 12, 11, 10, 30, 0}; }
};

// A stream of batch cycles: 100 .. 180 and back.
std::string Stream(size_t frames) {
  std::string s;
  int t = 100, dir = 5;
  for (size_t i = 0; i < frames; ++i) {
    s += Frame(t);
    t += dir;
    if (t >= 180 || t <= 100) dir = -dir;
  }
  return s;
}

void FramerParseTrack(benchmark::State& st) {
  const size_t frames = 4096;
  const std::string stream = Stream(frames);
  const size_t chunk = static_cast<size_t>(st.range(0));
  ReadoutValues readouts;
  BatchLogRows log;
  TBatchState state;
  FixedClock clock;
  PacketFramer framer([&](std::string_view p) { ProcessPacket(p, {readouts, log, state, clock}); });
  framer.SetEndMarker("\x03");
  for (auto _ : st) {
    for (size_t at = 0; at < stream.size(); at += chunk) framer.Receive(std::string_view(stream).substr(at, chunk));
    if (log.RowCount() > 100000) log.Clear();
  }
  st.SetItemsProcessed(static_cast<int64_t>(st.iterations() * frames));
  // Seconds per frame, printed with an SI prefix ("70n" = 70 ns).
  st.counters["per_frame"] = benchmark::Counter(static_cast<double>(st.iterations() * frames),
                                                benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(FramerParseTrack)->Arg(70)->Arg(256)->Arg(4096)->Unit(benchmark::kMicrosecond);

void ProcessOnly(benchmark::State& st) {
  const std::string packet = Frame(150).substr(0, 69);
  ReadoutValues readouts;
  BatchLogRows log;
  TBatchState state;
  FixedClock clock;
  for (auto _ : st) {
    ProcessPacket(packet, {readouts, log, state, clock});
    benchmark::DoNotOptimize(state.Peak);
  }
}
BENCHMARK(ProcessOnly);

}  // namespace

BENCHMARK_MAIN();
