#include "measurement/frame_processing.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/core/frame_builder.h"

namespace calvor {
namespace {

using test::FrameFields;
using test::StatusFrame;
using test::WithTemp;

class FakeClock final : public Clock {
 public:
  LocalDateTime Now() const override { return now; }
  LocalDateTime now{2026, 12, 11, 8, 0, 0};
};

class Processing : public testing::Test {
 protected:
  void Feed(const std::string& packet) { ProcessPacket(packet, {readouts, log, state, clock}); }
  // One frame per minute from the clock's current time.
  void FeedTemps(std::initializer_list<int> temps) {
    for (int t : temps) {
      Feed(WithTemp(t));
      clock.now = FromEpochSeconds(ToEpochSeconds(clock.now) + 60);
    }
  }
  std::optional<int32_t> Box(NumberBox b) const { return readouts.Value(b); }

  ReadoutValues readouts;
  BatchLogRows log;
  TBatchState state;
  FakeClock clock;
};

TEST_F(Processing, FrameFeedsEveryReadout) {
  FrameFields f;
  f.comm = "0", f.use = "1", f.sensor = "2", f.gate = "X";
  f.current = "120", f.device_avg = "118", f.peak = "125", f.display = "121", f.span = " 95";
  Feed(StatusFrame(f));
  EXPECT_EQ(Box(NumberBox::PV), 120);
  EXPECT_EQ(Box(NumberBox::MAvg), 118);
  EXPECT_EQ(Box(NumberBox::Pick_Ondo), 125);
  EXPECT_EQ(Box(NumberBox::disp_ondo), 121);
  EXPECT_EQ(Box(NumberBox::Span_adj), 95);
  EXPECT_EQ(Box(NumberBox::Avg), 0);      // only batch ends write it
  EXPECT_EQ(Box(NumberBox::OndoAdd), 0);  // fed by nothing
  EXPECT_EQ(readouts.ItemIndex(StateBox::Calvor_chk), 1);
  EXPECT_EQ(readouts.ItemIndex(StateBox::Machine_chk), 0);
  EXPECT_EQ(readouts.ItemIndex(StateBox::Sensor_chk), 1);
  EXPECT_EQ(readouts.ItemIndex(StateBox::Gate_Chk), 1);
}

TEST_F(Processing, LengthRule) {
  const std::string frame = WithTemp(140);  // 66 characters: STX + frame
  ASSERT_EQ(frame.size(), 66u);
  state.TestPending = true;
  Feed(frame.substr(1));  // 65: a perfect frame, still ignored
  EXPECT_EQ(Box(NumberBox::PV), 0);
  EXPECT_TRUE(state.TestPending);
  Feed("?" + frame.substr(1));  // one stray character makes it 66
  EXPECT_EQ(Box(NumberBox::PV), 140);
  EXPECT_FALSE(state.TestPending);
}

TEST_F(Processing, BadFieldKeepsEarlierValuesAndStopsThere) {
  FrameFields good;
  good.current = "140", good.gate = "X";
  Feed(StatusFrame(good));
  ASSERT_TRUE(state.InBatch);
  state.TestPending = true;

  FrameFields bad_display;
  bad_display.current = "100", bad_display.device_avg = "050", bad_display.span = "060";
  bad_display.peak = "070", bad_display.display = "1a5", bad_display.gate = "O";
  Feed(StatusFrame(bad_display));
  EXPECT_EQ(Box(NumberBox::PV), 100);
  EXPECT_EQ(Box(NumberBox::MAvg), 50);
  EXPECT_EQ(Box(NumberBox::Span_adj), 60);
  EXPECT_EQ(Box(NumberBox::Pick_Ondo), 70);
  EXPECT_EQ(Box(NumberBox::disp_ondo), 103);             // old value
  EXPECT_EQ(readouts.ItemIndex(StateBox::Gate_Chk), 1);  // old value
  EXPECT_TRUE(state.TestPending);
  EXPECT_TRUE(state.InBatch);  // 100 < 130 but no tracking happened
  EXPECT_EQ(log.RowCount(), 0u);

  FrameFields bad_current;
  bad_current.current = "1a5";
  Feed(StatusFrame(bad_current));
  EXPECT_EQ(Box(NumberBox::PV), 100);
  EXPECT_TRUE(state.TestPending);
}

TEST_F(Processing, BatchSequences) {
  struct Case {
    const char* name;
    std::vector<int> temps;
    std::vector<BatchLogRow> rows;  // one frame per minute from 08:00
    bool in_batch_after;
  };
  const Case cases[] = {
      {"peak logged at its own time", {120, 135, 150, 149, 129}, {{"08:02", 150}}, false},
      {"130 neither starts, raises nor ends", {131, 130, 130, 129}, {{"08:00", 131}}, false},
      {"130 alone never starts", {130, 130, 120}, {}, false},
      {"repeated peak keeps the first time", {140, 150, 150, 120}, {{"08:01", 150}}, false},
      {"still running", {140, 160, 131}, {}, true},
      {"two batches", {140, 100, 145, 160, 100}, {{"08:00", 140}, {"08:03", 160}}, false},
      {"below 130 while armed logs nothing", {100, 129, 0, -40}, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log.Clear();
    state = {};
    clock.now = {2026, 12, 11, 8, 0, 0};
    for (int t : c.temps) {
      Feed(WithTemp(t));
      clock.now = FromEpochSeconds(ToEpochSeconds(clock.now) + 60);
    }
    EXPECT_EQ(log.Rows(), c.rows);
    EXPECT_EQ(state.InBatch, c.in_batch_after);
    EXPECT_EQ(state.Armed, !c.in_batch_after);
  }
}

TEST_F(Processing, RunningAverageHalvesWithRoundingUp) {
  FeedTemps({150, 100});
  EXPECT_EQ(Box(NumberBox::Avg), 150);
  FeedTemps({160, 100});
  EXPECT_EQ(Box(NumberBox::Avg), 155);
  FeedTemps({141, 100});
  EXPECT_EQ(Box(NumberBox::Avg), 148);  // trunc(148.5)

  struct Case {
    int32_t a, peak, expected;
  };
  for (const Case& c : {Case{155, 141, 148}, Case{150, 151, 151}, Case{150, 150, 150}, Case{-3, 0, -1},
                        Case{-4, 0, -1}, Case{INT32_MAX, INT32_MAX, INT32_MAX},
                        Case{INT32_MIN, INT32_MIN, INT32_MIN + 1}}) {
    EXPECT_EQ(RunningAverage(c.a, c.peak), c.expected) << c.a << " " << c.peak;
  }
}

TEST_F(Processing, OperatorValuesCount) {
  FeedTemps({150, 100});
  // A typed average enters the next one; so do rows inserted by hand.
  readouts.SetValue(NumberBox::Avg, 200);
  FeedTemps({140, 100});
  EXPECT_EQ(Box(NumberBox::Avg), 170);
  // All rows gone: the next batch end counts one row again.
  log.Clear();
  FeedTemps({137, 100});
  EXPECT_EQ(Box(NumberBox::Avg), 137);
}

TEST_F(Processing, EmptiedAverageLogsOnceAndCloses) {
  FeedTemps({150, 100});
  readouts.SetValue(NumberBox::Avg, std::nullopt);
  FeedTemps({170, 100, 100, 90});
  EXPECT_EQ(log.RowCount(), 2u);
  EXPECT_EQ(Box(NumberBox::Avg), 170);
  EXPECT_TRUE(state.Armed);
  EXPECT_FALSE(state.InBatch);
  FeedTemps({140, 100});
  EXPECT_EQ(Box(NumberBox::Avg), 155);
}

TEST_F(Processing, TestAnswerTakesNoPartInTracking) {
  state.TestPending = true;
  Feed(WithTemp(150));
  EXPECT_EQ(Box(NumberBox::PV), 150);
  EXPECT_FALSE(state.TestPending);
  EXPECT_TRUE(state.Armed);  // no batch started by the answer
  Feed(WithTemp(150));
  EXPECT_TRUE(state.InBatch);

  // While a batch runs, the answer neither raises the peak nor ends it.
  state.TestPending = true;
  Feed(WithTemp(100));
  EXPECT_TRUE(state.InBatch);
  Feed(WithTemp(100));
  EXPECT_EQ(log.Rows(), (std::vector<BatchLogRow>{{"08:00", 150}}));
}

TEST_F(Processing, PacketWithoutMarkerIsReadFromFixedPositions) {
  std::string packet = "\x02" "xx1" "1" "1" "O" "140" "000" "139";
  packet.resize(66, '1');
  Feed(packet);
  EXPECT_EQ(Box(NumberBox::PV), 140);
  EXPECT_EQ(Box(NumberBox::MAvg), 139);
  EXPECT_TRUE(state.InBatch);
}

}  // namespace
}  // namespace calvor
