// "Check the Branch Reports": each of the last twelve months' reports to the branch office
// as it was sent, beside the same figures counted from the publishers' records now, with
// every changed figure marked, so that a correction of a month already reported is seen
// before the next report goes out.
#pragma once

#include <vector>

#include "reports/report_registry.h"

namespace zarim {

inline constexpr int kBranchCheckReportKind = 160;

class CZarimDoc;

// The report's model: per month a heading (the month and whether it agrees) and, for a
// month that differs, the lines of the branch report with the sent and the present value
// of reports, hours and Bible studies, a changed value marked with "*".
ReportModel BranchCheckModel(const CZarimDoc& doc);

std::vector<ReportEntry> BranchCheckReports();

}  // namespace zarim
