// The figures the analyses, averages, statistics and record cards compute per publisher
// and per congregation from the monthly cells: reports and auxiliary months in a window,
// the months a new or reactivated publisher has been active, averages with the
// quarter-hour rule, service-year totals, the regular pioneers' yearly requirement, and
// ages from record dates. All windows end with the working month and walk backwards,
// the year slot flipping from January to December; a window of a working month that is not
// valid holds no month, so its counts and sums are 0.
#pragma once

#include <optional>
#include <vector>

#include "core/document.h"

namespace zarim {

// The active list's records in stored order (record numbers).
std::vector<int> ActiveRecords(const CZarimDoc& doc);

// Whole hours from an hours sum and a quarter-hour count: every four quarters add an
// hour, and three left over add one more.
int HoursWithQuarters(int hours, int quarters);
// Quarter hours (0..3) of a month: bits 12-15 of the Bible-studies cell.
int QuartersIn(const PubRecord& r, int month, int slot);

// Months of the last n (working month included) in which the publisher reported.
int ReportsInLast(const CZarimDoc& doc, const PubRecord& r, int n);
// Months of the last n in which his pioneer code was auxiliary.
int AuxMonthsInLast(const CZarimDoc& doc, const PubRecord& r, int n);
// 6, or for a new or reactivated publisher the months since the event (at most 6).
int MonthsActive(const CZarimDoc& doc, const PubRecord& r);

// Average of a cell (placements .. Bible studies) over the last n months: the sum over
// those months divided by n (0 when n < 1). Hours add their quarter hours by the
// quarter-hour rule.
double PublisherAverage(const CZarimDoc& doc, const PubRecord& r, int field, int n);
// The pioneers' hours average over the last n months: only months with a pioneer code,
// whole hours, divided by the number of those months that have hours (0 when none).
double PioneerHoursAverage(const CZarimDoc& doc, const PubRecord& r, int n);
// The three- and six-month averages a publisher's lines show: over min(months active, 3)
// and min(months active, 6) months.
struct AveragePair {
  double three = 0;
  double six = 0;
};
AveragePair PublisherAverages(const CZarimDoc& doc, const PubRecord& r, int field);
AveragePair PioneerHoursAverages(const CZarimDoc& doc, const PubRecord& r);

// Months of this service year: September through the working month (1 .. 12); 0 when the
// working month is not valid.
int ServiceYearMonthCount(const CZarimDoc& doc);
// Sum of a cell over this service year; hours carry every four quarter hours into an
// hour and drop the quarters left over.
int ServiceYearTotal(const CZarimDoc& doc, const PubRecord& r, int field);
// Months of this service year in which he reported / was an auxiliary pioneer.
int ServiceYearReports(const CZarimDoc& doc, const PubRecord& r);
int ServiceYearAuxMonths(const CZarimDoc& doc, const PubRecord& r);

// Filter of the congregation average: any pioneer code, or one code.
inline constexpr int kAnyPioneerCode = 15;
// Privilege filter bits: the low two bits a privilege that must match; this bit the
// custom category flag that must be set.
inline constexpr int kFilterCustomCategory = 0x10;

// The congregation's three/six-month average of a cell: over the last n months, every
// active publisher of the group (0 = all) who passes the filters and reported that month
// adds the cell and counts once; hours add the quarter hours by the quarter-hour rule.
double CongregationAverage(const CZarimDoc& doc, int pioneer_code, int n, int field, int group,
                           int privilege_filter = 0);

// A regular pioneer's progress through a service year toward its requirement.
struct PioneerYear {
  int requirement = 50;  // hours per month: 70 for service years before 2023, else 50
  int start_month = 8;   // month index enrolled from (September = whole year)
  int months_enrolled = 12;
  int months_elapsed = 1;  // start month through the last month counted
  int hours = 0;           // whole hours of those months
  int credits = 0;
  int remaining = 0;     // max(0, enrolled * requirement - hours - credits)
  int months_left = 0;   // months after the last month counted up to August
  double average = 0;    // (hours + credits) / months elapsed
  double per_month = 0;  // remaining / months left; 0 when nothing remains
  bool late_start() const { return start_month != 8; }
  std::vector<int> months;  // the month indexes counted, oldest first
};
// Counted up to the working month, or with previous_year through August of the service
// year before; nothing counted (the defaults) when the working month is not valid.
PioneerYear ComputePioneerYear(const CZarimDoc& doc, const PubRecord& r,
                               bool previous_year = false);

// Whole years from a record date ("MMDDYYYY") to today's month; nullopt when the date is
// not present (its fifth character below '0'), -1 when it lies after today's month.
std::optional<int> YearsSince(const char (&date)[9], int today_year, int today_month);
// The same from the document's today.
std::optional<int> YearsSince(const CZarimDoc& doc, const char (&date)[9]);

}  // namespace zarim
