// Local wall-clock time for the names and labels of backup sets, and the modification
// time of files, read through a small port so that tests can fix the moment.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarim {

struct LocalTime {
  int year = 0;     // four digits
  int month = 0;    // 1..12
  int day = 0;      // 1..31
  int hour = 0;     // 0..23
  int minute = 0;   // 0..59
  int weekday = 0;  // 0 Sunday .. 6 Saturday
};

class TimeSource {
 public:
  virtual ~TimeSource() = default;
  virtual LocalTime Now() const = 0;
};

class SystemTimeSource : public TimeSource {
 public:
  LocalTime Now() const override;
};

class FixedTimeSource : public TimeSource {
 public:
  explicit FixedTimeSource(LocalTime t) : time_(t) {}
  LocalTime Now() const override { return time_; }
  void Set(LocalTime t) { time_ = t; }

 private:
  LocalTime time_;
};

// Day of the week (0 Sunday) of a calendar date.
int WeekdayOf(int year, int month, int day);
// The local modification time of a file, nothing when it cannot be examined.
std::optional<LocalTime> FileModified(const std::string& path);

}  // namespace zarim

namespace zarim {

// Formats a moment with the strftime conversions this program's texts use: %H %M %d %m
// %y %Y %b (short month name), %p (AM/PM), %#I (hour 1..12 without a leading zero),
// %#x (long date: "Tuesday, December 8, 2026") and %%.
std::string FormatTime(std::string_view pattern, const LocalTime& t);

}  // namespace zarim
