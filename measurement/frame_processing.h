#pragma once
// What happens to each packet the link hands over: readouts, then batches.
#include <cstdint>
#include <string_view>

#include "measurement/batch_log.h"
#include "measurement/clock.h"
#include "measurement/readouts.h"

namespace calvor {

constexpr int32_t BatchThreshold = 130;

struct TBatchState {
  bool Armed = true;         // waiting for the temperature to rise above 130
  bool InBatch = false;      // a batch is in progress
  bool TestPending = false;  // the next good frame answers a test request
  int32_t Peak = 0;          // highest temperature of the current batch
  LocalDateTime PeakTime;    // when Peak was last raised
};

// Everything the processing of a packet works on.
struct FrameSink {
  Readouts& readouts;
  TBatchLog& log;
  TBatchState& state;
  const Clock& clock;
};

// Processes one packet (without its ETX). Never throws for any packet
// content; a bad numeric field silently ends the processing at that field.
void ProcessPacket(std::string_view packet, FrameSink sink);

// The running batch average: trunc((previous + peak) / 2 + 0.5), exact.
int32_t RunningAverage(int32_t previous, int32_t peak);

}  // namespace calvor
