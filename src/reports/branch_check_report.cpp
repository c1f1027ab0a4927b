// "Check the Branch Reports" laid out as a table report.
#include "reports/branch_check_report.h"

#include "core/bytes.h"
#include "core/month.h"
#include "core/strings.h"
#include "cycle/branch_check.h"
#include "cycle/corrections.h"
#include "reports/branch_report.h"
#include "reports/table_report.h"

namespace zarim {

namespace {

// A present value that differs from the sent one carries the mark.
std::string Now(const std::string& sent, const std::string& now) {
  return sent == now ? now : now + " *";
}

TableLayout BranchCheckLayout(const CZarimDoc& doc) {
  TableLayout layout;
  ReportModel& m = layout.model;
  m.kind = kBranchCheckReportKind;
  m.title = std::string(Str(Sid::kCheckBranchTitle));
  m.subtitle = std::string(Str(Sid::kCheckBranchSubtitle));
  const std::string now(Str(Sid::kCheckBranchNow));
  m.columns = {"",  std::string(Str(Sid::kCheckBranchReportsSent)),
               now, std::string(Str(Sid::kCheckBranchHoursSent)),
               now, std::string(Str(Sid::kCheckBranchStudiesSent)),
               now};
  // The line's name at the margin, then the pairs right-aligned; each "sent" column has
  // room for its heading in the longer languages too.
  layout.grids[0] = {{0, false}, {22, true}, {30, true}, {43, true},
                     {51, true}, {66, true}, {74, true}};
  const std::vector<BranchCheckMonth> months = CheckBranchReports(doc);
  const std::vector<CorrectionEntry> log = RecentCorrections(doc);
  if (months.empty()) layout.Add(RowKind::kText, {std::string(Str(Sid::kCheckBranchNone))});
  for (const BranchCheckMonth& month : months) {
    const bool differs = !month.differences.empty();
    layout.Add(RowKind::kHeading,
               {MonthYearName(month.month, month.year) + "  -  " +
                std::string(Str(differs ? Sid::kCheckBranchDiffers : Sid::kCheckBranchAgrees))},
               {.font = FontRole::kHeading, .rows_needed = differs ? 5 : 1});
    if (!differs) continue;
    const auto sent = BranchReportLines(month.sent);
    const auto present = BranchReportLines(month.now);
    for (size_t i = 0; i < sent.size(); ++i) {
      const BranchReportLine& s = sent[i];
      const BranchReportLine& n = present[i];
      layout.Add(i + 1 == sent.size() ? RowKind::kTotal : RowKind::kPublisher,
                 {s.label, s.shared, Now(s.shared, n.shared), s.hours, Now(s.hours, n.hours),
                  s.studies, Now(s.studies, n.studies)});
    }
    // What the corrections log says was changed in the month since it was sent.
    const std::vector<CorrectionEntry> entries = CorrectionsOfMonth(log, month.month, month.year);
    layout.Add(RowKind::kText,
               {std::string(Trim(Str(entries.empty() ? Sid::kBranchCheckNotLogged
                                                     : Sid::kBranchCheckExplainedBy)))});
    for (const CorrectionEntry& e : entries)
      layout.Add(RowKind::kRemark, {CorrectionText(e)}, {.indent_tenths = 3});
  }
  return layout;
}

}  // namespace

ReportModel BranchCheckModel(const CZarimDoc& doc) { return BranchCheckLayout(doc).model; }

std::vector<ReportEntry> BranchCheckReports() {
  return {
      {kBranchCheckReportKind, "branch-check", false,
       [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int) {
         DrawTableLayout(doc, canvas, context, BranchCheckLayout(doc));
       },
       [](const CZarimDoc& doc, const ReportContext& context, int) {
         TableLayout layout = BranchCheckLayout(doc);
         layout.model.page_count = ViewPageCount(doc, context, layout);
         return layout.model;
       }},
  };
}

}  // namespace zarim
