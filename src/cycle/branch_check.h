// Sent versus now: the report to the branch office of each of the last twelve months as
// it was stored when it was sent, beside the same figures counted again from the
// publishers' records as they are now. A difference shows that a past month was changed
// after its report went to the branch.
#pragma once

#include <vector>

#include "core/document.h"
#include "core/month.h"
#include "cycle/branch_totals.h"

namespace zarim {

// Whether a publisher's reports count in a recount of a month sent to the branch: active,
// inactive or moved away, and neither a special servant nor a field missionary.
bool CountsForBranch(const PubRecord& r);

// The report to the branch of month `month` (0 = January) of two-digit year `year`,
// counted from the records now by the rule of the working totals: every publisher's
// report of that month (whatever his status is now; non-publishers, the circuit
// overseer, special servants and field missionaries left out) and the late reports
// posted in it. The active-publisher count (field 5) cannot be counted again and is 0.
WorkingTotals RecountMonthTotals(const CZarimDoc& doc, int month, int year);

struct BranchCheckMonth {
  int month = 0;  // 0 = January
  int year = 0;   // two-digit
  WorkingTotals sent;
  WorkingTotals now;
  // (row, field) of every counter that differs; field 5 (active) is never compared.
  std::vector<std::pair<int, int>> differences;
};

// The months already reported to the branch: the twelve months before the working month,
// newest first, that have a stored report; none when the working month is not valid.
std::vector<MonthCursor> SentMonths(const CZarimDoc& doc);

// The twelve months before the working month, newest first, that have a stored report.
std::vector<BranchCheckMonth> CheckBranchReports(const CZarimDoc& doc);

}  // namespace zarim
