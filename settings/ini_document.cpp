#include "settings/ini_document.h"

namespace calvor {
namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The name of a section line ("[name]"), if the line is one.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
  const std::string_view t = Trim(line);
  return !t.empty() && (t.front() == ';' || t.front() == '#');
}

}  // namespace

IniDocument::IniDocument(std::string_view bytes) {
  size_t at = 0;
  while (at < bytes.size()) {
    const size_t end = bytes.find_first_of("\r\n", at);
    if (end == std::string_view::npos) {
      lines_.push_back({std::string(bytes.substr(at)), ""});
      break;
    }
    const size_t eol_len = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
    lines_.push_back({std::string(bytes.substr(at, end - at)), std::string(bytes.substr(end, eol_len))});
    at = end + eol_len;
  }
  // New lines follow the file's own line ends.
  if (!lines_.empty() && !lines_.front().eol.empty()) newline_ = lines_.front().eol;
}

std::optional<IniDocument::Span> IniDocument::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i].text);
    if (!name || !SameName(*name, Trim(section))) continue;
    size_t end = i + 1;
    while (end < lines_.size() && !SectionName(lines_[end].text)) ++end;
    return Span{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> IniDocument::FindKey(const Span& span, std::string_view key) const {
  for (size_t i = span.header + 1; i < span.end; ++i) {
    const std::string_view text = lines_[i].text;
    if (IsComment(text)) continue;
    const size_t eq = text.find('=');
    if (eq != std::string_view::npos && SameName(Trim(text.substr(0, eq)), Trim(key))) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const auto span = FindSection(section);
  if (!span) return std::nullopt;
  const auto line = FindKey(*span, key);
  if (!line) return std::nullopt;
  const std::string_view text = lines_[*line].text;
  return std::string(Trim(text.substr(text.find('=') + 1)));
}

void IniDocument::InsertLine(size_t at, std::string text) {
  // A last line without a line end gets one before anything follows it.
  if (at > 0 && at == lines_.size() && lines_.back().eol.empty()) lines_.back().eol = newline_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), newline_});
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string entry = std::string(key) + "=" + std::string(value);
  auto span = FindSection(section);
  if (!span) {
    InsertLine(lines_.size(), "[" + std::string(section) + "]");
    InsertLine(lines_.size(), std::move(entry));
    return;
  }
  if (const auto line = FindKey(*span, key)) {
    lines_[*line].text = std::move(entry);
    return;
  }
  // After the section's last line that is not blank.
  size_t at = span->end;
  while (at > span->header + 1 && Trim(lines_[at - 1].text).empty()) --at;
  InsertLine(at, std::move(entry));
}

std::string IniDocument::Bytes() const {
  std::string out;
  for (const Line& l : lines_) out += l.text + l.eol;
  return out;
}

}  // namespace calvor
