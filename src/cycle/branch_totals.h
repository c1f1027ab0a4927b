// The working report totals: the month's report to the branch office as four rows of
// nine values, and their copy into the stored monthly totals while the month is open.
#pragma once

#include <array>
#include <cstdint>

#include "core/document.h"

namespace zarim {

// Rows: 0 publishers ("Pubs"), 1 auxiliary pioneers ("AuxP"), 2 regular pioneers
// ("Pios"), 3 special pioneers (counted, never shown or summed).
inline constexpr int kTotalsRows = 4;
// Fields: 0 placements, 1 videos, 2 hours, 3 return visits, 4 Bible studies, 5 active
// publishers (row 0 only), 6 unused, 7 quarter hours, 8 number of reports.
inline constexpr int kTotalsFields = 9;
inline constexpr int kTotalsActiveField = 5;
inline constexpr int kTotalsQuarterField = 7;
inline constexpr int kTotalsReportsField = 8;

struct WorkingTotals {
  std::array<std::array<uint16_t, kTotalsFields>, kTotalsRows> row{};
  friend bool operator==(const WorkingTotals&, const WorkingTotals&) = default;
};

// The totals of the working month from the active publishers' slips and the late-report
// list. Special servants and field missionaries report directly and are left out; a
// late report counts in the working month; a publisher's own time is not summed. Only the
// active count when the working month is not valid.
WorkingTotals ComputeWorkingTotals(const CZarimDoc& doc);

// Recomputes the totals and, while the working month's collection is open, stores them
// into the stored monthly totals at (working month, working slot). Returns them.
WorkingTotals RecomputeTotals(CZarimDoc& doc);

// Adds one report of month m, slot s to the row of pioneer code `code`: publishers
// (row 0) add only their Bible studies, pioneers their whole activity.
void CountReport(WorkingTotals& t, const PubRecord& r, int month, int slot, int code);

// Sum of rows 0 to 2 for a field; for hours each row's quarter hours add a quarter each,
// every row's quarter rounded down on its own.
int RowSum(const WorkingTotals& t, int field);

// Stored totals of month m, slot s as the same four rows.
WorkingTotals StoredTotals(const CZarimDoc& doc, int month, int slot);

// Active publishers marked special servant, and field missionaries.
int CountSpecialServants(const CZarimDoc& doc);
int CountFieldMissionaries(const CZarimDoc& doc);

}  // namespace zarim
