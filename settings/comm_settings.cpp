#include "settings/comm_settings.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "settings/cp949.h"
#include "settings/ini_document.h"

namespace calvor {
namespace fs = std::filesystem;
namespace {

enum class Read { Ok, Missing, Failed };

Read ReadFile(const fs::path& file, std::string& bytes) {
  std::error_code ec;
  const auto status = fs::status(file, ec);
  if (ec || status.type() == fs::file_type::not_found) return Read::Missing;
  if (status.type() != fs::file_type::regular) return Read::Failed;
  const auto size = fs::file_size(file, ec);
  if (ec || size > MaxSettingsFileSize) return Read::Failed;
  std::ifstream in(file, std::ios::binary);
  if (!in) return Read::Failed;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.bad() ? Read::Failed : Read::Ok;
}

std::string ValueOrEmpty(const IniDocument& ini, const char* section, const char* key) {
  const auto v = ini.Get(section, key);
  return v ? Cp949ToUtf8(*v) : std::string();
}

std::string PathText(const fs::path& p) {
  const auto u8 = p.u8string();
  return std::string(u8.begin(), u8.end());
}

}  // namespace

TCommSettings LoadCommSettings(const fs::path& file) {
  std::string bytes;
  if (ReadFile(file, bytes) != Read::Ok) return {};
  const IniDocument ini(bytes);
  using namespace ini_names;
  TCommSettings s;
  s.OndoPort = ValueOrEmpty(ini, Ondo, Port);
  s.OndoSpeed = ValueOrEmpty(ini, Ondo, Speed);
  s.AndPort = ValueOrEmpty(ini, And, Port);
  s.AndSpeed = ValueOrEmpty(ini, And, Speed);
  return s;
}

void SaveCommSettings(const fs::path& file, const TCommSettings& s) {
  const std::string failure = "Unable to write to " + PathText(fs::absolute(file));
  std::string bytes;
  if (ReadFile(file, bytes) == Read::Failed) throw SettingsWriteError(failure);

  IniDocument ini(bytes);
  using namespace ini_names;
  const std::pair<const char*, const char*> keys[] = {{Ondo, Port}, {Ondo, Speed}, {And, Port}, {And, Speed}};
  const std::string* values[] = {&s.OndoPort, &s.OndoSpeed, &s.AndPort, &s.AndSpeed};
  for (size_t i = 0; i < 4; ++i) {
    const auto encoded = Utf8ToCp949(*values[i]);
    // A line break would split the entry and plant lines of its own.
    if (!encoded || encoded->find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
      throw SettingsWriteError(failure + " ('" + *values[i] + "' cannot be stored there)");
    ini.Set(keys[i].first, keys[i].second, *encoded);
  }

  fs::path temp = file;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw SettingsWriteError(failure);
    const std::string content = ini.Bytes();
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      throw SettingsWriteError(failure);
    }
  }
  std::error_code ec;
  fs::rename(temp, file, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw SettingsWriteError(failure);
  }
}

}  // namespace calvor
