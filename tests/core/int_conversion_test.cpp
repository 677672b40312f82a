#include "measurement/int_conversion.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace calvor {
namespace {

struct Case {
  const char* text;
  std::optional<int32_t> expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << "'" << c.text << "'"; }

class ConversionRule : public testing::TestWithParam<Case> {};

TEST_P(ConversionRule, ConvertsOrFails) {
  const Case& c = GetParam();
  EXPECT_EQ(TryStrToInt(c.text), c.expected) << "'" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ConversionRule,
    testing::Values(
        // The examples operators see in frames.
        Case{"  7", 7}, Case{" -5", -5}, Case{"145", 145}, Case{"7  ", std::nullopt}, Case{"---", std::nullopt},
        Case{"000", 0}, Case{"+12", 12}, Case{"-0", 0}, Case{"95", 95}, Case{"9", 9},
        // Failures: empty, blanks only, lone sign, letters, inner blank, tab.
        Case{"", std::nullopt}, Case{"   ", std::nullopt}, Case{"+", std::nullopt}, Case{" -", std::nullopt},
        Case{"1a5", std::nullopt}, Case{"1 5", std::nullopt}, Case{"\t12", std::nullopt},
        Case{"- 5", std::nullopt}, Case{"+-5", std::nullopt},
        // Hexadecimal prefixes, after the sign.
        Case{"$1F", 31}, Case{"x10", 16}, Case{"X1f", 31}, Case{"0x1", 1}, Case{"0XA", 10}, Case{"-$A", -10},
        Case{" $f", 15}, Case{"$", std::nullopt}, Case{"0x", std::nullopt}, Case{"$G", std::nullopt},
        Case{"$-1", std::nullopt}, Case{"0", 0}, Case{"00x", std::nullopt},
        // 32-bit range.
        Case{"2147483647", 2147483647}, Case{"-2147483648", INT32_MIN}, Case{"2147483648", std::nullopt},
        Case{"-2147483649", std::nullopt}, Case{"99999999999999999999", std::nullopt},
        Case{"$FFFFFFFF", -1}, Case{"$100000000", std::nullopt}, Case{"$7FFFFFFF", 2147483647}));

}  // namespace
}  // namespace calvor
