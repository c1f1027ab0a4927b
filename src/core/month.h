// Month arithmetic shared by the whole monthly cycle: month index 0..11 (0 = January),
// two-digit year (calendar year - 2000), month serial (year * 12 + month), the year slot
// of the monthly cells (year mod 2) and the service year (September to August, named by
// the year in which it ends).
#pragma once

#include <cstdint>
#include <string>

namespace zarim {

class CZarimDoc;

inline constexpr int MonthOfSerial(int serial) { return ((serial % 12) + 12) % 12; }
inline constexpr int YearOfSerial(int serial) {
  return serial >= 0 ? serial / 12 : -((-serial + 11) / 12);
}
inline constexpr int Serial(int two_digit_year, int month) { return two_digit_year * 12 + month; }
inline constexpr int SlotOfYear(int two_digit_year) { return ((two_digit_year % 2) + 2) % 2; }
inline constexpr int SlotOfSerial(int serial) { return SlotOfYear(YearOfSerial(serial)); }

// The slot of month m among the twelve months that end with the working month
// (working_month, working_year): later month indexes belong to the previous year.
inline constexpr int SlotInWorkingYear(int month, int working_month, int working_year) {
  return month > working_month ? SlotOfYear(working_year - 1) : SlotOfYear(working_year);
}
// Two-digit year of month m among those twelve months.
inline constexpr int YearInWorkingYear(int month, int working_month, int working_year) {
  return month > working_month ? working_year - 1 : working_year;
}

// Service year (calendar year in which it ends) of a month of a calendar year.
inline constexpr int ServiceYear(int calendar_year, int month_index) {
  return month_index >= 8 ? calendar_year + 1 : calendar_year;
}
// Serial of September that starts the service year containing serial.
inline constexpr int ServiceYearStartSerial(int serial) {
  int m = MonthOfSerial(serial);
  return m >= 8 ? serial - (m - 8) : serial - (m + 4);
}

// A step backwards through the months: month and slot, the slot flipping from January
// to December.
struct MonthCursor {
  int month;
  int slot;
  int year;  // two-digit
  void Back() {
    if (month == 0) {
      month = 11;
      --year;
      slot ^= 1;
    } else {
      --month;
    }
  }
  void Forward() {
    if (month == 11) {
      month = 0;
      ++year;
      slot ^= 1;
    } else {
      ++month;
    }
  }
  int serial() const { return Serial(year, month); }
};
inline MonthCursor CursorAt(int serial) {
  return MonthCursor{MonthOfSerial(serial), SlotOfSerial(serial), YearOfSerial(serial)};
}
// The August that ended the service year before the one containing c.
inline MonthCursor EndOfPreviousServiceYear(MonthCursor c) {
  do c.Back();
  while (c.month != 7);
  return c;
}

// The month `k` months before month index `month` (0-based, wrapping round the year).
inline constexpr int MonthsBefore(int month, int k) { return (((month - k) % 12) + 12) % 12; }
// The month before `month` and its slot when `month` is in slot `slot`: the slot flips
// when the step goes from January back to December.
inline constexpr int PreviousMonth(int month) { return MonthsBefore(month, 1); }
inline constexpr int PreviousMonthSlot(int month, int slot) { return month == 0 ? 1 - slot : slot; }
// The 1-based number of the month before month index m: the month folder that
// initializing m snapshots (12 for January).
inline constexpr int SnapshotNumber(int month) { return MonthsBefore(month, 1) + 1; }
// The 1-based number of the month six months before month index m: a status event of
// that month stops counting when m is initialized.
inline constexpr int SixMonthsBefore(int month) { return MonthsBefore(month, 6) + 1; }

// Service year of a serial (named by the calendar year in which it ends, two digits).
inline constexpr int ServiceYearOfSerial(int serial) {
  return ServiceYear(YearOfSerial(serial), MonthOfSerial(serial));
}
// The months of the service year up to and including serial, September first.
inline constexpr int MonthsIntoServiceYear(int serial) {
  return serial - ServiceYearStartSerial(serial) + 1;
}

// The serial `k` months before the working month, with its month and slot.
inline MonthCursor CursorMonthsBack(int serial, int k) {
  MonthCursor c{MonthOfSerial(serial), SlotOfSerial(serial), YearOfSerial(serial)};
  for (int i = 0; i < k; ++i) c.Back();
  return c;
}

// Month names from the string table: "January" .. and "Jan" ..
std::string MonthName(int month);
std::string ShortMonthName(int month);
// The name of a month with its calendar year, as the desktop shows a month the user
// picks or reads: "December 2025". The year is two-digit (calendar year - 2000).
std::string MonthYearName(int month, int two_digit_year);
// The same for a month serial.
std::string MonthYearOfSerial(int serial);
// A month among the twelve that end with the working month (working_month,
// working_year), named with the year it belongs to.
std::string MonthInWorkingYearName(int month, int working_month, int working_year);

}  // namespace zarim
