#pragma once
// Local wall-clock time as the batch tracker stamps peaks with it.
#include <cstdint>
#include <string>

namespace calvor {

struct LocalDateTime {
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
  bool operator==(const LocalDateTime&) const = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
};

// The system's local time.
class SystemClock final : public Clock {
 public:
  LocalDateTime Now() const override;
};

// "hh:mm", 24-hour, two digits each.
std::string FormatHourMinute(const LocalDateTime& t);

// Naive calendar arithmetic (no time zone): seconds since 1970-01-01 00:00:00
// of the same wall clock, and back.
int64_t ToEpochSeconds(const LocalDateTime& t);
LocalDateTime FromEpochSeconds(int64_t seconds);

}  // namespace calvor
