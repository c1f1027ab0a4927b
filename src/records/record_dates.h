// Dates of publisher records as the edit dialogs show them: three lists (month, day,
// year) over the eight-character stored form "MMDDYYYY", blanks when unknown.
#pragma once

#include <string>
#include <vector>

namespace zarim {

struct DateParts {
  int month = 0;  // 1..12, 0 = not chosen
  int day = 0;    // 1..31, 0 = not chosen
  int year = 0;   // four digits, 0 = not chosen
  bool operator==(const DateParts&) const = default;
};

// Reads the stored form; parts that are not digits (or out of range) stay unchosen.
DateParts ParseRecordDate(const std::string& stored);
// The stored form: only when both month and year are chosen, otherwise eight blanks.
// An unchosen day is stored as two blanks.
std::string FormatRecordDate(const DateParts& d);

// Whole years from a date to today (month 1..12); -1 when the date is not set or lies
// after today.
int YearsSince(const DateParts& d, int today_year, int today_month, int today_day);

// The texts of the lists: months are "" then the twelve names; days "" then "01".."31";
// years "" then first_year .. last_year.
std::vector<std::string> MonthListTexts();
std::vector<std::string> DayListTexts();
std::vector<std::string> YearListTexts(int first_year, int last_year);
inline constexpr int kFirstListYear = 1900;

}  // namespace zarim
