// Plausible figures: each report against the publisher's own last twelve months and
// the slip's own limits.
#include "cycle/plausible_figures.h"

#include <algorithm>

#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/congregation_view.h"
#include "cycle/slip_form.h"
#include "cycle/slip_queries.h"
#include "cycle/status_lists.h"
#include "cycle/status_rules.h"

namespace zarim {
namespace {

int WholeHours(const PubRecord& r, int month, int slot) {
  return FieldValue(r, month, kHours, slot);
}

int MonthlyNeed(int month, int year) { return RegularPioneerMonthlyNeed(ServiceYear(year, month)); }

std::string Name(const CZarimDoc& doc, const PubRecord& r) {
  return ToUtf8(doc.DisplayName(r, false), doc.language_code);
}

}  // namespace

int UsualHours(const PubRecord& r, int month, int year) {
  MonthCursor c{month, SlotOfYear(year), year};
  std::vector<int> hours;
  for (int i = 0; i < 12; ++i) {
    c.Back();
    if (HasTimeInMonth(r, c.month, c.slot)) hours.push_back(WholeHours(r, c.month, c.slot));
  }
  if (static_cast<int>(hours.size()) < kUsualMonthsNeeded) return -1;
  std::sort(hours.begin(), hours.end());
  size_t n = hours.size();
  // The lower middle of an even count: a warning errs on the side of asking.
  return hours[(n - 1) / 2];
}

std::vector<FigureWarning> CheckReport(const CZarimDoc& doc, const PubRecord& r, int month,
                                       int year) {
  std::vector<FigureWarning> out;
  if (month < 0 || month > 11) return out;
  const int slot = SlotOfYear(year);
  const std::string when = MonthYearName(month, year);
  auto add = [&](FigureWarningKind kind, int value, int usual, std::string text) {
    out.push_back(FigureWarning{kind, r.id, month, year, value, usual, std::move(text)});
  };

  const int hours = WholeHours(r, month, slot);
  const int usual = UsualHours(r, month, year);
  if (usual >= 0 && hours > kUsualFactor * usual && hours >= usual + kUsualMargin)
    add(FigureWarningKind::kHoursFarAboveUsual, hours, usual,
        Printf(Sid::kFigHoursFarAbove, Name(doc, r), hours, when, usual));

  const int studies = StudiesInMonth(r, month, slot);
  if (studies > 0 && !ReportedInMonth(r, month, slot))
    add(FigureWarningKind::kStudiesWithoutSharing, studies, 0,
        Printf(Sid::kFigStudiesWithoutSharing, Name(doc, r), studies, when));

  if (PioneerCodeOf(r, month, slot) == kRegular) {
    const int credit = r.credit[month][slot];
    if (credit > 0) {
      // The slip's own rule on the stored hours and remark gives what it would allow.
      const int allowed =
          ComputePioneerCredit(hours, credit, RemarkText(doc, r, month, slot)).credit;
      if (credit > allowed)
        add(FigureWarningKind::kCreditAboveLimit, credit, allowed,
            Printf(Sid::kFigCreditAboveLimit, Name(doc, r), credit, when, allowed));
    }
    const int need = MonthlyNeed(month, year);
    const int with_credit = hours + credit;
    // Only a report that was made: a missing report is the missing-reports list's work.
    if (ReportedInMonth(r, month, slot) && with_credit * 100 < need * kPioneerShortPercent)
      add(FigureWarningKind::kPioneerFarBelowRequired, with_credit, need,
          Printf(Sid::kFigPioneerFarBelow, Name(doc, r), with_credit, when, need));
  }
  return out;
}

std::string WarningLines(const std::vector<FigureWarning>& warnings) {
  std::string lines;
  for (const FigureWarning& w : warnings) lines += (lines.empty() ? "" : "\n") + w.text;
  return lines;
}

std::vector<FigureWarning> CheckWorkingMonth(const CZarimDoc& doc) {
  std::vector<FigureWarning> out;
  const CongregationView view(doc);
  const std::optional<MonthCursor> now = view.WorkingMonth();
  if (!now) return out;
  const int wm = now->month, wy = now->year;
  auto append = [&out](std::vector<FigureWarning> more) {
    out.insert(out.end(), std::make_move_iterator(more.begin()),
               std::make_move_iterator(more.end()));
  };
  ForEachOfStatus(doc, kActive, 0,
                  [&](int, const PubRecord& r) { append(CheckReport(doc, r, wm, wy)); });
  // Late reports posted in the working month, for the month they belong to.
  for (const LateReportEntry& e : view.LateReports()) {
    if (e.posted != wm + 1 || e.month > 11) continue;
    const PubRecord* r = doc.FindById(e.id);
    if (r == nullptr) continue;
    const int year = YearInWorkingYear(e.month, wm, wy);
    append(CheckReport(doc, *r, e.month, year));
  }
  return out;
}

}  // namespace zarim
