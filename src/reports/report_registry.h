// Every report the report view can draw, by kind: its name on the command line, whether
// it is drawn for one field service group, its drawer and (where it has one) its model.
// Each family of reports (lists, analyses, cards, ...) keeps its own table; the registry
// joins them.
#pragma once

#include <string_view>
#include <vector>

#include "reports/canvas.h"
#include "reports/page_frame.h"
#include "reports/report_model.h"

namespace zarim {

class CZarimDoc;

// Lays out and draws a report; sets the context's page count.
using ReportDraw = void (*)(const CZarimDoc& doc, Canvas& canvas, ReportContext& context,
                            int group);
// What a report shows, on the context's paper.
using ReportModelFn = ReportModel (*)(const CZarimDoc& doc, const ReportContext& context,
                                      int group);

// Every report has both: the command line prints any report as text or JSON from its model.
struct ReportEntry {
  int kind = 0;
  const char* name = "";   // the command line's name, e.g. "telephone"
  bool per_group = false;  // drawn for one field service group
  ReportDraw draw = nullptr;
  ReportModelFn model = nullptr;
};

// The number of pages a report takes in the report view (laid out on the screen).
int ScreenPageCount(ReportDraw draw, const CZarimDoc& doc, const ReportContext& context, int group);

// A family's table of reports.
using ReportFamily = std::vector<ReportEntry> (*)();

// The reports of every family, in the order of the families.
const std::vector<ReportEntry>& AllReports();

// The report of a kind, or null.
const ReportEntry* FindReport(int kind);

// The report named on the command line, by its name or its kind number, or null.
const ReportEntry* FindReportByName(std::string_view name_or_kind);

// The lists and the report to the branch office that the page engine came with.
std::vector<ReportEntry> BaseReports();

}  // namespace zarim
