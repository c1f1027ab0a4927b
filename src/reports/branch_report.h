// The page "%1 Report to the Branch Office": the working month's report counts, hours
// and Bible studies of publishers, auxiliary pioneers and regular pioneers, with totals.
// Drawn on a canvas for the report view, and as plain text.
#pragma once

#include <array>
#include <string>

#include "reports/canvas.h"
#include "reports/page_frame.h"
#include "reports/report_model.h"

namespace zarim {

class CZarimDoc;
struct WorkingTotals;

// The report kind of the page on its own (the congregation analysis draws the same
// table at its end through DrawBranchTable).
inline constexpr int kBranchReportKind = 130;

// One line of the table, texts already formatted ("%4d", "%6d"; empty for no value).
struct BranchReportLine {
  std::string label;
  std::string shared, hours, studies;
};

// The title ("%1 Report to the Branch Office - %d Active publishers") and the four lines
// "Pubs", "AuxP", "Pios" and "Totals" of the working totals. The title is the message that
// the working month is not valid when it is not.
std::string BranchReportTitle(const CZarimDoc& doc);
std::array<BranchReportLine, 4> BranchReportLines(const WorkingTotals& totals);

// The table (headings and four lines) with its top at y; returns the y below it.
int DrawBranchTable(const CZarimDoc& doc, Canvas& canvas, const PageFrame& frame, int y);
// The whole page: title, date stamp and table. One page.
void DrawBranchReport(const CZarimDoc& doc, Canvas& canvas, ReportContext& context);

// The page's model: the four lines under the three headings. One page.
ReportModel BranchReportModel(const CZarimDoc& doc);

// The page as text for the command line: the title, a heading line and the four lines.
std::string BranchReportText(const CZarimDoc& doc);

}  // namespace zarim
