#pragma once
// Builds status frames for tests: fields at their offsets from "RD".
#include <string>

namespace calvor::test {

struct FrameFields {
  std::string comm = "1", use = "1", sensor = "1", gate = "O";
  std::string current = "100", device_avg = "101", peak = "102", display = "103", span = "104";
};

// "RD" + 2 unread + 4 codes + fields, padded to 66 characters after an STX.
inline std::string StatusFrame(const FrameFields& f = {}, char lead = '\x02') {
  std::string body = "RD00" + f.comm + f.use + f.sensor + f.gate;
  body += f.current + "000" + f.device_avg + "000000" + f.peak + f.display + f.span;
  std::string packet = std::string(1, lead) + body;
  while (packet.size() < 66) packet += '0';
  return packet;
}

inline std::string WithTemp(int t) {
  FrameFields f;
  f.current = std::to_string(t);
  while (f.current.size() < 3) f.current = " " + f.current;
  return StatusFrame(f);
}

}  // namespace calvor::test
