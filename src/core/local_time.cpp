// Local wall-clock time and file modification times.
#include "core/local_time.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include "core/month.h"
#include "core/strings.h"

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

namespace zarim {

namespace {
std::string Two(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}
}  // namespace

std::string FormatTime(std::string_view pattern, const LocalTime& t) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c != '%' || i + 1 >= pattern.size()) {
      out += c;
      continue;
    }
    char f = pattern[++i];
    bool alt = false;
    if (f == '#' && i + 1 < pattern.size()) {
      alt = true;
      f = pattern[++i];
    }
    int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    switch (f) {
      case 'H':
        out += Two(t.hour);
        break;
      case 'M':
        out += Two(t.minute);
        break;
      case 'd':
        out += alt ? std::to_string(t.day) : Two(t.day);
        break;
      case 'm':
        out += alt ? std::to_string(t.month) : Two(t.month);
        break;
      case 'y':
        out += Two(((t.year % 100) + 100) % 100);
        break;
      case 'Y':
        out += std::to_string(t.year);
        break;
      case 'b':
        out += ShortMonthName(t.month - 1);
        break;
      case 'p':
        out += Str(t.hour < 12 ? Sid::kBackupAm : Sid::kBackupPm);
        break;
      case 'I':
        out += alt ? std::to_string(hour12) : Two(hour12);
        break;
      case 'x': {
        int wd = ((t.weekday % 7) + 7) % 7;
        Sid day =
            wd == 0 ? Sid::kSunday : static_cast<Sid>(static_cast<int>(Sid::kMonday) + wd - 1);
        if (alt) {
          out += std::string(Str(day)) + ", " + MonthName(t.month - 1) + " " +
                 std::to_string(t.day) + ", " + std::to_string(t.year);
        } else {
          out += Two(t.month) + "/" + Two(t.day) + "/" + Two(((t.year % 100) + 100) % 100);
        }
        break;
      }
      case '%':
        out += '%';
        break;
      default:
        out += '%';
        out += f;
        break;
    }
  }
  return out;
}

}  // namespace zarim
