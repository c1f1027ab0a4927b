// Dates of publisher records: stored form, list texts and the "years" labels.
#include "records/record_dates.h"

#include <cctype>

#include "core/month.h"
#include "core/strings.h"

namespace zarim {

namespace {

int Digits(const std::string& s, size_t pos, size_t n) {
  if (s.size() < pos + n) return -1;
  int v = 0;
  bool any = false;
  for (size_t i = pos; i < pos + n; ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == ' ' && !any) continue;  // a day may be stored as " 5"
    if (!std::isdigit(c)) return -1;
    v = v * 10 + (c - '0');
    any = true;
  }
  return any ? v : -1;
}

}  // namespace

DateParts ParseRecordDate(const std::string& stored) {
  DateParts d;
  int m = Digits(stored, 0, 2);
  int day = Digits(stored, 2, 2);
  int y = Digits(stored, 4, 4);
  if (m >= 1 && m <= 12) d.month = m;
  if (day >= 1 && day <= 31) d.day = day;
  if (y >= 1000 && y <= 9999) d.year = y;
  return d;
}

std::string FormatRecordDate(const DateParts& d) {
  if (d.month < 1 || d.month > 12 || d.year < 1000 || d.year > 9999) return "        ";
  std::string day = d.day >= 1 && d.day <= 31 ? Printf("%02d", d.day) : "  ";
  return Printf("%02d", d.month) + day + Printf("%04d", d.year);
}

int YearsSince(const DateParts& d, int today_year, int today_month, int today_day) {
  if (d.month == 0 || d.year == 0) return -1;
  int years = today_year - d.year;
  int day = d.day == 0 ? 1 : d.day;
  if (today_month < d.month || (today_month == d.month && today_day < day)) --years;
  return years < 0 ? -1 : years;
}

std::vector<std::string> MonthListTexts() {
  std::vector<std::string> out{""};
  for (int m = 0; m < 12; ++m) out.push_back(MonthName(m));
  return out;
}

std::vector<std::string> DayListTexts() {
  std::vector<std::string> out{""};
  for (int d = 1; d <= 31; ++d) out.push_back(Printf("%02d", d));
  return out;
}

std::vector<std::string> YearListTexts(int first_year, int last_year) {
  std::vector<std::string> out{""};
  for (int y = first_year; y <= last_year; ++y) out.push_back(Printf("%04d", y));
  return out;
}

}  // namespace zarim
