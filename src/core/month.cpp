// Month names.
#include "core/month.h"

#include "core/strings.h"

namespace zarim {

std::string MonthName(int month) { return std::string(StrByNumber(3 + MonthOfSerial(month))); }
std::string ShortMonthName(int month) {
  return std::string(StrByNumber(1203 + MonthOfSerial(month)));
}

std::string MonthYearName(int month, int two_digit_year) {
  return MonthName(month) + " " + std::to_string(2000 + two_digit_year);
}

std::string MonthYearOfSerial(int serial) {
  return MonthYearName(MonthOfSerial(serial), YearOfSerial(serial));
}

std::string MonthInWorkingYearName(int month, int working_month, int working_year) {
  return MonthYearName(month, YearInWorkingYear(MonthOfSerial(month), working_month, working_year));
}

}  // namespace zarim
