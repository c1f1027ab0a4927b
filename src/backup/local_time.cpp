// Local wall-clock time and file modification times.
#include "backup/local_time.h"

#include <sys/stat.h>

#include <ctime>

namespace zarim {

namespace {
LocalTime FromTm(const std::tm& tm) {
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_wday};
}
}  // namespace

LocalTime SystemTimeSource::Now() const {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return FromTm(tm);
}

int WeekdayOf(int year, int month, int day) {
  // Sakamoto's method.
  static const int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 1 || month > 12) return 0;
  if (month < 3) year -= 1;
  int w = (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
  return (w + 7) % 7;
}

std::optional<LocalTime> FileModified(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  std::tm tm{};
  std::time_t t = st.st_mtime;
  if (!localtime_r(&t, &tm)) return std::nullopt;
  return FromTm(tm);
}

}  // namespace zarim
