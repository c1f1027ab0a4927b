// The table of every report, joined from the families' tables.
#include "reports/report_registry.h"

#include <charconv>

#include "reports/analysis.h"
#include "reports/attendance_record.h"
#include "reports/branch_check_report.h"
#include "reports/branch_report.h"
#include "reports/corrections_report.h"
#include "reports/emergency_forms.h"
#include "reports/group_lists.h"
#include "reports/labels.h"
#include "reports/lists.h"
#include "reports/record_card.h"
#include "reports/recording_canvas.h"
#include "reports/report_kind.h"
#include "reports/statistics.h"
#include "reports/telephone_list.h"
#include "reports/view_list_report.h"
#include "reports/year_to_date.h"

namespace zarim {

namespace {

// Every family of reports; a new family adds its table here.
constexpr ReportFamily kFamilies[] = {
    BaseReports,          AnalysisReports,    StatisticsReports,
    ListReports,          GroupListReports,   LabelReports,
    CardReports,          YearToDateReports,  AttendanceRecordReports,
    EmergencyFormReports, BranchCheckReports,
};

}  // namespace

int ScreenPageCount(ReportDraw draw, const CZarimDoc& doc, const ReportContext& context,
                    int group) {
  RecordingCanvas measure(context.screen_dpi_x, context.screen_dpi_y);
  ReportContext screen = context;
  screen.printing = false;
  draw(doc, measure, screen, group);
  return screen.page_count;
}

std::vector<ReportEntry> BaseReports() {
  return {
      {report_kind::kTelephoneCongregation, "telephone", false,
       [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int) {
         DrawTelephoneList(doc, canvas, context, 0);
       },
       [](const CZarimDoc& doc, const ReportContext& context, int) {
         return TelephoneListModel(doc, context, 0);
       }},
      {report_kind::kTelephoneGroup, "telephone-group", true,
       [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int group) {
         DrawTelephoneList(doc, canvas, context, group);
       },
       TelephoneListModel},
      {kBranchReportKind, "branch", false,
       [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int) {
         DrawBranchReport(doc, canvas, context);
       },
       [](const CZarimDoc& doc, const ReportContext&, int) { return BranchReportModel(doc); }},
      // A printed view list: the job's group number carries the list's selection.
      {kViewListReportKind, "view-list", true, DrawViewList, ViewListModel},
      // The corrections log; a print job from its window carries the selection as its group.
      {kCorrectionsReportKind, "corrections", false, DrawCorrections, CorrectionsModel},
  };
}

const std::vector<ReportEntry>& AllReports() {
  static const std::vector<ReportEntry> all = [] {
    std::vector<ReportEntry> joined;
    for (ReportFamily family : kFamilies) {
      for (ReportEntry& entry : family()) joined.push_back(entry);
    }
    return joined;
  }();
  return all;
}

const ReportEntry* FindReport(int kind) {
  for (const ReportEntry& entry : AllReports()) {
    if (entry.kind == kind) return &entry;
  }
  return nullptr;
}

const ReportEntry* FindReportByName(std::string_view name_or_kind) {
  int kind = 0;
  const char* end = name_or_kind.data() + name_or_kind.size();
  auto [ptr, ec] = std::from_chars(name_or_kind.data(), end, kind);
  if (ec == std::errc() && ptr == end) return FindReport(kind);
  for (const ReportEntry& entry : AllReports()) {
    if (name_or_kind == entry.name) return &entry;
  }
  return nullptr;
}

}  // namespace zarim
