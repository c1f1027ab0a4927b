// Meeting attendance: the figures of a month (number of meetings, total, half-up
// average), averages over several months, and the attendance typed ahead in slot 2.
#pragma once

#include <array>

#include "core/document.h"

namespace zarim {

enum Meeting : int { kMidweekMeeting = 0, kWeekendMeeting = 1 };
inline constexpr int kWeeksPerMonth = 5;
inline constexpr int kAheadSlot = 2;
// Largest attendance one week box accepts; five weeks then always fit the u16 total.
inline constexpr int kMaxWeekAttendance = 9999;

using WeekValues = std::array<int, kWeeksPerMonth>;

struct MonthFigures {
  int number = 0;  // weeks with a non-zero attendance
  int total = 0;
  int average = 0;  // total / number rounded half up; 0 without meetings
  friend bool operator==(const MonthFigures&, const MonthFigures&) = default;
};

// total / number rounded half up (a remainder of exactly one half rounds up).
int HalfUpAverage(int total, int number);
MonthFigures ComputeFigures(const WeekValues& weeks);

WeekValues StoredWeeks(const CZarimDoc& doc, int meeting, int month, int slot);
MonthFigures StoredFigures(const CZarimDoc& doc, int meeting, int month, int slot);
// Stores the week values of a month and its computed figures; returns whether any stored
// value changed.
bool StoreWeeks(CZarimDoc& doc, int meeting, int month, int slot, const WeekValues& weeks);

// Average attendance over the n months that end with the working month: all non-zero
// weekly values together, rounded half up; 0 when any of those months has no attendance
// or the working month is not valid.
int AverageOverMonths(const CZarimDoc& doc, int meeting, int n);
// Months of the service year so far (September up to the working month); 0 when the
// working month is not valid.
int ServiceYearMonths(const CZarimDoc& doc);
// An average as a percentage of the active publishers; 0 when there are none.
double PercentOfActive(int average, int active_publishers);

}  // namespace zarim
