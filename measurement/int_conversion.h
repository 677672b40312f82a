#pragma once
// The device's numeric fields are read by the same rule the indicator's
// original software used: leading spaces, optional sign, decimal or a
// hexadecimal prefix. Anything else is a conversion failure.
#include <cstdint>
#include <optional>
#include <string_view>

namespace calvor {

// Leading spaces (0x20 only), an optional '+' or '-', then either decimal
// digits or one of "$", "x", "X", "0x", "0X" followed by hexadecimal digits.
// At least one digit is required; nothing may follow the digits.
// Decimal values must fit a signed 32-bit integer; hexadecimal values may use
// all 32 bits (0xFFFFFFFF reads as -1), as the original rule allowed.
std::optional<int32_t> TryStrToInt(std::string_view text);

}  // namespace calvor
