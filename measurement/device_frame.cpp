#include "measurement/device_frame.h"

#include "measurement/int_conversion.h"

namespace calvor {

std::ptrdiff_t LocateMarker(std::string_view packet) {
  const size_t pos = packet.find("RD");
  return pos == std::string_view::npos ? -1 : static_cast<std::ptrdiff_t>(pos);
}

std::string_view ReadField(std::string_view packet, std::ptrdiff_t marker, size_t offset, size_t width) {
  const std::ptrdiff_t start = marker + static_cast<std::ptrdiff_t>(offset);
  if (start < 0 || static_cast<size_t>(start) >= packet.size()) return {};
  return packet.substr(static_cast<size_t>(start), width);
}

int CodeItemIndex(FrameCode field, char code) {
  switch (field) {
    case FrameCode::CommStatus:
      return code == '1' ? 0 : code == '0' ? 1 : -1;
    case FrameCode::DeviceUse:
      return code == '1' ? 0 : code == '0' ? 1 : -1;
    case FrameCode::SensorType:
      return code == '1' ? 0 : code == '2' ? 1 : code == '3' ? 2 : -1;
    case FrameCode::GateState:
      return code == 'O' ? 0 : code == 'X' ? 1 : -1;
  }
  return -1;
}

TDeviceFrame ReadDeviceFrame(std::string_view packet) {
  TDeviceFrame frame;
  const std::ptrdiff_t marker = LocateMarker(packet);
  for (const FieldPos& f : NumberFields) {
    const auto value = TryStrToInt(ReadField(packet, marker, f.offset, f.width));
    if (!value) return frame;
    frame.Numbers[frame.NumbersRead++] = *value;
  }
  for (size_t i = 0; i < FrameCodeCount; ++i) {
    const std::string_view c = ReadField(packet, marker, CodeOffsets[i], 1);
    frame.Codes[i] = c.empty() ? '\0' : c[0];
  }
  return frame;
}

std::array<uint8_t, RequestFrameSize> RequestFrame() {
  std::array<uint8_t, RequestFrameSize> bytes{0x02, 'R', 'X', 'P', '0', 0x03, 0};
  uint8_t check = 0;
  for (size_t i = 0; i + 1 < RequestFrameSize; ++i) check ^= bytes[i];
  bytes[RequestFrameSize - 1] = check;
  return bytes;
}

}  // namespace calvor
