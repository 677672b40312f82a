#pragma once
// Conversion between the program's UTF-8 texts and the Korean code page the
// settings file is stored in.
#include <optional>
#include <string>
#include <string_view>

namespace calvor {

// Nothing when a character has no CP949 form.
std::optional<std::string> Utf8ToCp949(std::string_view utf8);

// Bytes that are not valid CP949 read as U+FFFD.
std::string Cp949ToUtf8(std::string_view cp949);

}  // namespace calvor
