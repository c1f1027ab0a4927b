// The printed View lists: the list of the View lists dialog with its title on report
// pages, and the "Report Collection Form" with blank columns to fill in by hand.
#pragma once

#include "cycle/view_lists.h"
#include "reports/canvas.h"
#include "reports/page_frame.h"
#include "reports/report_model.h"

namespace zarim {

// The report kind of a printed view list. The print job's group number carries the
// list's selection (EncodeViewListSelection), as a group report carries its group.
inline constexpr int kViewListReportKind = 170;

struct ViewListSelection {
  ViewType type = ViewType::kNoReport;
  int second = 0;
  int third = 0;
};
int EncodeViewListSelection(const ViewListSelection& selection);
ViewListSelection DecodeViewListSelection(int code);

// The list's model: a row per line with its tab-separated parts as cells (the form's
// headings as columns), with the page count of the report view.
ReportModel ViewListModel(const CZarimDoc& doc, const ReportContext& context, int selection);

// Lays out and draws the list; sets the context's page count.
void DrawViewList(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int selection);

}  // namespace zarim
