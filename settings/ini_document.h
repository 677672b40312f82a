#pragma once
// An INI file as the Windows private-profile functions read and write it,
// kept line by line so that a save changes only the lines it must.
// Names and values are raw bytes (the settings file holds CP949).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calvor {

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string_view bytes);

  // The value of the first such key in the first such section; names match
  // without regard to ASCII letter case or blanks around them, and the value
  // loses the blanks around it.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Replaces the value in place, or adds the key at the end of its section,
  // or the section at the end of the file. Other lines stay as they were.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  std::string Bytes() const;

 private:
  struct Line {
    std::string text;  // without its line end
    std::string eol;   // "\r\n", "\n", "\r" or "" for a last line without one
  };
  struct Span {
    size_t header;  // index of the section line
    size_t end;     // one past its last line
  };
  std::optional<Span> FindSection(std::string_view section) const;
  std::optional<size_t> FindKey(const Span& span, std::string_view key) const;
  void InsertLine(size_t at, std::string text);

  std::vector<Line> lines_;
  std::string newline_ = "\r\n";
};

}  // namespace calvor
