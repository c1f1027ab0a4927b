// The secretary's working sheets of the month: the congregation analysis (pioneers and
// groups, or A - Z), the field service group analysis, the congregation summary and the
// meeting report. Each is computed into a table layout (its model and where its columns
// stand) and then drawn.
#pragma once

#include <vector>

#include "reports/report_registry.h"
#include "reports/table_report.h"

namespace zarim {

class CZarimDoc;

// The layout of report kind 1, 110, 2 (for group), 3 or 4. Without active publishers it
// is empty: no title, no rows, one page.
TableLayout AnalysisLayout(const CZarimDoc& doc, const ReportContext& context, int kind, int group);

// The analyses in the report registry.
std::vector<ReportEntry> AnalysisReports();

}  // namespace zarim
