#include "measurement/batch_log.h"

#include <gtest/gtest.h>

namespace calvor {
namespace {

TEST(BatchLog, DisplayOrderIsTimeTextDescendingAndStable) {
  // 00:10 after midnight sorts below 23:50 of the evening before; rows with
  // the same time keep the order they were logged in.
  const std::vector<BatchLogRow> rows{{"23:50", 150}, {"00:10", 140}, {"08:00", 1}, {"08:00", 2}, {"", 3}};
  std::vector<int32_t> temps;
  for (size_t i : DisplayOrder(rows)) temps.push_back(*rows[i].temp);
  EXPECT_EQ(temps, (std::vector<int32_t>{150, 1, 2, 140, 3}));
}

TEST(BatchLog, TemperatureShownWithThreeDigits) {
  struct Case {
    std::optional<int32_t> temp;
    const char* shown;
  };
  for (const Case& c : {Case{95, "095"}, Case{0, "000"}, Case{150, "150"}, Case{1234, "1234"},
                        Case{-5, "-005"}, Case{std::nullopt, "0"}}) {
    EXPECT_EQ(FormatLogTemp(c.temp), c.shown);
  }
}

}  // namespace
}  // namespace calvor
