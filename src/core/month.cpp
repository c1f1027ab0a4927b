// Month names.
#include "core/month.h"

#include "core/strings.h"

namespace zarim {

std::string MonthName(int month) { return std::string(StrByNumber(3 + MonthOfSerial(month))); }
std::string ShortMonthName(int month) {
  return std::string(StrByNumber(1203 + MonthOfSerial(month)));
}

}  // namespace zarim
