#pragma once
// Layout of the indicator's status frame and of the one request we send it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace calvor {

constexpr char STX = 0x02;
constexpr char ETX = 0x03;

// A packet of this many characters or fewer is no status frame.
constexpr size_t MaxIgnoredPacketLength = 65;

// Numeric fields in the order they are converted and shown.
enum class FrameNumber { CurrentTemp, DeviceAvg, IrSpan, PeakTemp, DisplayTemp };
constexpr size_t FrameNumberCount = 5;

// One-character code fields in the order their state boxes are set.
enum class FrameCode { CommStatus, DeviceUse, SensorType, GateState };
constexpr size_t FrameCodeCount = 4;

struct FieldPos {
  size_t offset;
  size_t width;
};

// Offsets count from the 'R' of the "RD" marker.
constexpr std::array<FieldPos, FrameNumberCount> NumberFields{{
    {8, 3},   // current temperature
    {14, 3},  // device average
    {29, 3},  // IR span
    {23, 3},  // peak temperature
    {26, 3},  // display temperature
}};
constexpr std::array<size_t, FrameCodeCount> CodeOffsets{4, 5, 6, 7};

// The values read from one status frame. Conversion stops at the first
// numeric field that fails; NumbersRead tells how many made it (in the order
// of FrameNumber). Codes are only meaningful when all five numbers were read;
// a code missing from the packet is held as '\0', which no table lists.
struct TDeviceFrame {
  std::array<int32_t, FrameNumberCount> Numbers{};
  size_t NumbersRead = 0;
  std::array<char, FrameCodeCount> Codes{};

  bool Complete() const { return NumbersRead == FrameNumberCount; }
  int32_t Number(FrameNumber f) const { return Numbers[static_cast<size_t>(f)]; }
  char Code(FrameCode f) const { return Codes[static_cast<size_t>(f)]; }
};

// Position of the first "RD"; without one, offsets count as though the 'R'
// stood one position before the packet (returned as -1).
std::ptrdiff_t LocateMarker(std::string_view packet);

// The field at marker + offset, cut short by the packet's end (maybe empty).
std::string_view ReadField(std::string_view packet, std::ptrdiff_t marker, size_t offset, size_t width);

// Item index selected by a code character, -1 when the table has no such row.
int CodeItemIndex(FrameCode field, char code);

// Reads the status frame of a packet that has passed the length rule.
TDeviceFrame ReadDeviceFrame(std::string_view packet);

// The transmission request: STX "RXP0" ETX and the XOR of those six bytes.
constexpr size_t RequestFrameSize = 7;
std::array<uint8_t, RequestFrameSize> RequestFrame();

}  // namespace calvor
