#pragma once
// The serial port and speed of the thermometer and of the indicator, kept in
// "Temp_comm.ini" beside the executable.
#include <filesystem>
#include <stdexcept>
#include <string>

namespace calvor {

// UTF-8 texts, exactly as the operator typed or chose them.
struct TCommSettings {
  std::string OndoPort, OndoSpeed, AndPort, AndSpeed;
  bool operator==(const TCommSettings&) const = default;
};

constexpr const char* SettingsFileName = "Temp_comm.ini";

// The section and key names in the file, as CP949 bytes.
namespace ini_names {
constexpr const char* Ondo = "\xC5\xEB\xBD\xC5\xBF\xC2\xB5\xB5";  // 통신온도
constexpr const char* And = "\xC5\xEB\xBD\xC5\xC0\xCE\xB5\xF0";   // 통신인디
constexpr const char* Port = "\xC6\xF7\xC6\xAE";                  // 포트
constexpr const char* Speed = "\xBC\xD3\xB5\xB5";                 // 속도
}  // namespace ini_names

// Files larger than this are not ours: loading gives empty values and a save
// refuses to touch them.
constexpr std::uintmax_t MaxSettingsFileSize = 16u << 20;

class SettingsWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A missing or unreadable file, section or key gives the empty text.
TCommSettings LoadCommSettings(const std::filesystem::path& file);

// Writes the four values into the file, keeping every other line byte for
// byte. The new content goes to a temporary file in the same folder that
// then replaces the old one, so the file is always either old or new.
// Throws SettingsWriteError ("Unable to write to " + path) on any failure.
void SaveCommSettings(const std::filesystem::path& file, const TCommSettings& settings);

}  // namespace calvor
