// The reports that look back over several months: three/six-month averages per
// publisher, hours for twelve months, service-year totals, the regular pioneers' hours
// toward their requirement, and the congregation statistics.
#pragma once

#include <vector>

#include "reports/report_registry.h"
#include "reports/table_report.h"

namespace zarim {

class CZarimDoc;

// The layout of kinds 5-11, 38-48 and 20; group is used by the group kinds (6, 41).
TableLayout StatisticsLayout(const CZarimDoc& doc, const ReportContext& context, int kind,
                             int group);

// The publishers a kind lists: the active list in stored order through the kind's filter.
std::vector<int> ListedRecords(const CZarimDoc& doc, int kind, int group);

// The reports of this family in the registry.
std::vector<ReportEntry> StatisticsReports();

}  // namespace zarim
