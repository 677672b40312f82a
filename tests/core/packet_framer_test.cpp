#include "link/packet_framer.h"

#include <gtest/gtest.h>

#include <vector>

namespace calvor {
namespace {

class Framer : public testing::Test {
 protected:
  Framer() : framer([this](std::string_view p) { packets.emplace_back(p); }) {}
  std::vector<std::string> packets;
  PacketFramer framer;
};

TEST_F(Framer, WithoutMarkerEachChunkIsAPacket) {
  framer.Receive("ab\x03" "c");
  framer.Receive("");
  framer.Receive("d");
  EXPECT_EQ(packets, (std::vector<std::string>{"ab\x03" "c", "", "d"}));
  EXPECT_EQ(framer.Buffered(), "");
}

TEST_F(Framer, CutsAtEachMarkerAndKeepsTheRest) {
  framer.SetEndMarker("\x03");
  framer.Receive("one\x03two\x03t");
  EXPECT_EQ(packets, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(framer.Buffered(), "t");
  framer.Receive("hree");
  framer.Receive("\x03\x03");
  EXPECT_EQ(packets, (std::vector<std::string>{"one", "two", "three", ""}));
}

TEST_F(Framer, SplitAtEveryByteGivesTheSamePackets) {
  framer.SetEndMarker("\x03");
  const std::string stream = "\x02RD frame one\x03x\x02RD frame two\x03\x03";
  for (char c : stream) framer.Receive(std::string_view(&c, 1));
  EXPECT_EQ(packets, (std::vector<std::string>{"\x02RD frame one", "x\x02RD frame two", ""}));
}

TEST_F(Framer, OverlongBufferIsDroppedAfterTheChunk) {
  framer.SetEndMarker("\x03");
  framer.Receive(std::string(1023, 'a'));
  EXPECT_EQ(framer.Buffered().size(), 1023u);  // 1023 stays
  framer.Receive("b");                          // 1024 goes
  EXPECT_EQ(framer.Buffered(), "");
  // Packets complete within the chunk are still handed over first.
  framer.Receive(std::string(2000, 'c') + "\x03" + std::string(1100, 'd'));
  ASSERT_EQ(packets.size(), 1u);
  EXPECT_EQ(packets[0].size(), 2000u);
  EXPECT_EQ(framer.Buffered(), "");
  framer.Receive("e\x03");
  EXPECT_EQ(packets.back(), "e");
}

TEST_F(Framer, SettingTheMarkerKeepsWhatIsBuffered) {
  framer.SetEndMarker("\x03");
  framer.Receive("half");
  framer.SetEndMarker("\x03");  // a later Start sets it again
  framer.Receive(" done\x03");
  EXPECT_EQ(packets, (std::vector<std::string>{"half done"}));
}

TEST(FramerReentry, ChunksFromInsideTheHandlerComeAfter) {
  std::vector<std::string> packets;
  PacketFramer* self = nullptr;
  PacketFramer framer([&](std::string_view p) {
    packets.emplace_back(p);
    if (p == "a") self->Receive("c\x03");
  });
  self = &framer;
  framer.SetEndMarker("\x03");
  framer.Receive("a\x03" "b\x03");
  EXPECT_EQ(packets, (std::vector<std::string>{"a", "b", "c"}));
}

TEST(FramerThrowingHandler, PacketIsNotHandedOverTwice) {
  std::vector<std::string> packets;
  PacketFramer framer([&](std::string_view p) {
    packets.emplace_back(p);
    if (p == "bad") throw std::runtime_error("handler failed");
  });
  framer.SetEndMarker("\x03");
  EXPECT_THROW(framer.Receive("bad\x03next\x03"), std::runtime_error);
  framer.Receive("more\x03");
  EXPECT_EQ(packets, (std::vector<std::string>{"bad", "next", "more"}));
}

}  // namespace
}  // namespace calvor
