#include "measurement/batch_log.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace calvor {

std::vector<size_t> DisplayOrder(const std::vector<BatchLogRow>& rows) {
  std::vector<size_t> order(rows.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&rows](size_t a, size_t b) { return rows[b].time < rows[a].time; });
  return order;
}

std::string FormatLogTemp(const std::optional<int32_t>& temp) {
  if (!temp) return "0";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%03d", static_cast<int>(*temp));
  if (*temp < 0) {
    // "000" on a negative number keeps the sign in front of the zero fill.
    std::snprintf(buf, sizeof buf, "-%03lld", -static_cast<long long>(*temp));
  }
  return buf;
}

}  // namespace calvor
