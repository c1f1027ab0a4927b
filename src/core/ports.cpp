// The system clock and date helpers.
#include "core/ports.h"

#include <charconv>
#include <ctime>

namespace zarim {

Date SystemClock::Today() const {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

bool ParseIsoDate(std::string_view text, Date* out) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  Date d;
  auto num = [&](size_t pos, size_t len, int* v) {
    auto r = std::from_chars(text.data() + pos, text.data() + pos + len, *v);
    return r.ec == std::errc() && r.ptr == text.data() + pos + len;
  };
  if (!num(0, 4, &d.year) || !num(5, 2, &d.month) || !num(8, 2, &d.day)) return false;
  if (d.year < 2000 || d.year > 2200 || d.month < 1 || d.month > 12 || d.day < 1 ||
      d.day > DaysInMonth(d.year, d.month))
    return false;
  *out = d;
  return true;
}

}  // namespace zarim
