#include "measurement/device_frame.h"

#include <gtest/gtest.h>

#include "tests/core/frame_builder.h"

namespace calvor {
namespace {

using test::FrameFields;
using test::StatusFrame;

TEST(DeviceFrame, ReadsEveryFieldAtItsOffset) {
  FrameFields f;
  f.comm = "0", f.use = "1", f.sensor = "3", f.gate = "X";
  f.current = "145", f.device_avg = " -5", f.peak = "  7", f.display = "$1F", f.span = "012";
  const TDeviceFrame frame = ReadDeviceFrame(StatusFrame(f));
  ASSERT_TRUE(frame.Complete());
  EXPECT_EQ(frame.Number(FrameNumber::CurrentTemp), 145);
  EXPECT_EQ(frame.Number(FrameNumber::DeviceAvg), -5);
  EXPECT_EQ(frame.Number(FrameNumber::PeakTemp), 7);
  EXPECT_EQ(frame.Number(FrameNumber::DisplayTemp), 31);
  EXPECT_EQ(frame.Number(FrameNumber::IrSpan), 12);
  EXPECT_EQ(frame.Code(FrameCode::CommStatus), '0');
  EXPECT_EQ(frame.Code(FrameCode::GateState), 'X');
}

TEST(DeviceFrame, OffsetsCountFromTheFirstMarker) {
  FrameFields f;
  f.current = "150";
  const std::string plain = StatusFrame(f);
  // Leading junk of any kind, and a second "RD" later on, change nothing.
  const std::string junk = "xR" + plain + "RD999";
  EXPECT_EQ(LocateMarker(plain), 1);
  EXPECT_EQ(LocateMarker(junk), 3);
  EXPECT_EQ(ReadDeviceFrame(junk).Number(FrameNumber::CurrentTemp), 150);
  EXPECT_EQ(LocateMarker("rdRd"), -1);  // case-sensitive
}

TEST(DeviceFrame, WithoutMarkerTheRStandsBeforeThePacket) {
  // Offset 4 is then the 4th character, offset 8 the 8th to 10th.
  std::string packet = "abc1" "2" "3" "O" "123" "000" "045";
  packet.resize(66, '0');
  EXPECT_EQ(LocateMarker(packet), -1);
  EXPECT_EQ(ReadField(packet, -1, 4, 1), "1");
  EXPECT_EQ(ReadField(packet, -1, 8, 3), "123");
  const TDeviceFrame frame = ReadDeviceFrame(packet);
  EXPECT_EQ(frame.Number(FrameNumber::CurrentTemp), 123);
  EXPECT_EQ(frame.Number(FrameNumber::DeviceAvg), 45);
  EXPECT_EQ(frame.Code(FrameCode::SensorType), '3');
  EXPECT_EQ(frame.Code(FrameCode::GateState), 'O');
}

TEST(DeviceFrame, FieldsRunningPastTheEndAreCutShort) {
  const std::string p = "xxRD00110";
  EXPECT_EQ(ReadField(p, 2, 4, 1), "1");
  EXPECT_EQ(ReadField(p, 2, 6, 3), "0");  // offset 6 is the last character
  EXPECT_EQ(ReadField(p, 2, 8, 3), "");   // starts past the end
  EXPECT_EQ(ReadField(p, 2, 100, 3), "");

  // A marker late in a long packet: the last field has two digits and
  // converts from them, nothing else is read.
  std::string late(40, ' ');
  late += "RD001111" "140" "000" "141" "000000" "142" "143" "14";
  ASSERT_GT(late.size(), 65u);
  const TDeviceFrame frame = ReadDeviceFrame(late);
  ASSERT_TRUE(frame.Complete());
  EXPECT_EQ(frame.Number(FrameNumber::IrSpan), 14);

  // Cut inside the display field: conversion stops at the empty IR span.
  std::string cut(40, ' ');
  cut += "RD001111" "140" "000" "141" "000000";
  EXPECT_EQ(ReadDeviceFrame(cut).NumbersRead, 2u);  // IR span (3rd) is empty
}

TEST(DeviceFrame, ConversionStopsAtTheFirstBadField) {
  struct Case {
    FrameFields fields;
    size_t read;
  };
  FrameFields bad_current, bad_span, bad_display;
  bad_current.current = "1a5";
  bad_span.span = "7  ";
  bad_display.display = "---";
  for (const Case& c : {Case{bad_current, 0}, Case{bad_span, 2}, Case{bad_display, 4}}) {
    EXPECT_EQ(ReadDeviceFrame(StatusFrame(c.fields)).NumbersRead, c.read);
  }
}

TEST(DeviceFrame, CodeTables) {
  struct Case {
    FrameCode field;
    char code;
    int index;
  };
  const Case cases[] = {
      {FrameCode::CommStatus, '1', 0}, {FrameCode::CommStatus, '0', 1}, {FrameCode::CommStatus, '2', -1},
      {FrameCode::DeviceUse, '1', 0},  {FrameCode::DeviceUse, '0', 1},  {FrameCode::DeviceUse, 'U', -1},
      {FrameCode::SensorType, '1', 0}, {FrameCode::SensorType, '2', 1}, {FrameCode::SensorType, '3', 2},
      {FrameCode::SensorType, '0', -1}, {FrameCode::GateState, 'O', 0}, {FrameCode::GateState, 'X', 1},
      {FrameCode::GateState, 'o', -1}, {FrameCode::GateState, '0', -1}, {FrameCode::GateState, 'x', -1},
      {FrameCode::GateState, '\0', -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodeItemIndex(c.field, c.code), c.index) << static_cast<int>(c.field) << " '" << c.code << "'";
  }
}

TEST(DeviceFrame, RequestFrameBytes) {
  const auto bytes = RequestFrame();
  const std::array<uint8_t, 7> expected{0x02, 0x52, 0x58, 0x50, 0x30, 0x03, 0x6B};
  EXPECT_EQ(bytes, expected);
}

}  // namespace
}  // namespace calvor
