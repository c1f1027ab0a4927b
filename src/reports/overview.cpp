// The Quick Overview's figures and its chart.
#include "reports/overview.h"

#include <algorithm>

#include "core/bytes.h"
#include "core/command_catalog.h"
#include "core/document.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/attendance.h"
#include "cycle/branch_totals.h"
#include "cycle/congregation_view.h"
#include "cycle/corrections.h"
#include "cycle/slip_queries.h"
#include "cycle/status_lists.h"
#include "cycle/status_rules.h"
#include "cycle/view_lists.h"
#include "reports/measures.h"

namespace zarim {

namespace {

std::string Average(int hours, int reports) {
  return Printf("%4.1f", reports > 0 ? static_cast<double>(hours) / reports : 0.0);
}

OverviewPeriod Period(const CZarimDoc& doc, int position, int months) {
  OverviewPeriod p;
  for (int rec : ActiveRecords(doc))
    p.aux_pioneers += AuxMonthsInLast(doc, doc.records[static_cast<size_t>(rec)], months) > 0;
  p.new_publishers = static_cast<int>(NewPublishersList(doc, position).size());
  p.inactive = static_cast<int>(InactiveViewList(doc, position).size());
  p.reactivated = static_cast<int>(ReactivatedList(doc, position).size());
  p.moveouts = static_cast<int>(MoveoutsList(doc, position).size());
  return p;
}

}  // namespace

QuickOverview ComputeQuickOverview(const CZarimDoc& doc) {
  QuickOverview o;
  const CongregationView view(doc);
  const std::vector<int> active = ActiveRecords(doc);
  o.active = static_cast<int>(active.size());
  for (int rec : active) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    o.regular += !IsIrregular(doc, r);
    o.baptized += Trim(FieldText(r.baptism_date)).size() >= 6;
    const int code = view.PioneerCodeNow(r);  // none without a valid working month
    o.regular_pioneers += code == kRegular;
    o.aux_pioneers += code == kAuxiliary;
    o.elders += (r.flags & kPrivilegeMask) == kElder;
    o.servants += (r.flags & kPrivilegeMask) == kServant;
    o.custom_count += (r.flags & kCustomCategory) != 0;
    o.deaf += (r.special_circumstances & kDeaf) != 0;
    o.blind += (r.special_circumstances & kBlind) != 0;
    o.incarcerated += (r.special_circumstances & kIncarcerated) != 0;
  }
  const WorkingTotals t = ComputeWorkingTotals(doc);
  auto avg = [&](int row) {
    const auto& v = t.row[static_cast<size_t>(row)];
    return Average(HoursWithQuarters(v[kHours], v[kTotalsQuarterField]), v[kTotalsReportsField]);
  };
  // Publishers report no hours on the newer form.
  if (doc.working_serial <= doc.switch_serial) o.avg_pubs = avg(kPublisher);
  o.avg_pios = avg(kRegular);
  o.avg_aux = avg(kAuxiliary);
  o.service_year = Period(doc, kViewPeriodServiceYear, ServiceYearMonthCount(doc));
  o.six_months = Period(doc, kViewPeriodLastSix, 6);
  o.custom_defined = CustomCategoryDefined(doc);
  if (o.custom_defined)
    o.custom_name = ToUtf8(Trim(doc.options.custom_category_name), doc.language_code);

  MonthCursor c = CursorAt(doc.working_serial);
  for (int i = 11; i >= 0; --i, c.Back()) {
    OverviewMonth& m = o.months[static_cast<size_t>(i)];
    m.month = c.month;
    const WorkingTotals stored = StoredTotals(doc, c.month, c.slot);
    m.reports = RowSum(stored, kTotalsReportsField);
    m.midweek = StoredFigures(doc, kMidweekMeeting, c.month, c.slot).average;
    m.weekend = StoredFigures(doc, kWeekendMeeting, c.month, c.slot).average;
  }
  return o;
}

std::vector<std::pair<std::string, std::string>> QuickOverviewLines(const QuickOverview& o) {
  std::vector<std::pair<std::string, std::string>> lines;
  auto add = [&](Sid label, std::string value) {
    lines.emplace_back(std::string(Str(label)), std::move(value));
  };
  auto n = [](int v) { return std::to_string(v); };
  add(Sid::kOvActive, n(o.active));
  add(Sid::kOvRegular, n(o.regular));
  add(Sid::kOvBaptized, n(o.baptized));
  add(Sid::kOvPioneers, n(o.regular_pioneers));
  add(Sid::kOvElders, n(o.elders));
  add(Sid::kOvServants, n(o.servants));
  add(Sid::kOvAux, n(o.aux_pioneers));
  add(Sid::kOvAvgPubs, o.avg_pubs);
  add(Sid::kOvAvgPios, o.avg_pios);
  add(Sid::kOvAvgAux, o.avg_aux);
  for (const auto& [caption, p] : {std::pair{Sid::kOvServiceYear, o.service_year},
                                   std::pair{Sid::kOvSixMonths, o.six_months}}) {
    add(caption, "");
    add(Sid::kOvAuxPios, n(p.aux_pioneers));
    add(Sid::kOvNew, n(p.new_publishers));
    add(Sid::kOvInactive, n(p.inactive));
    add(Sid::kOvReactivated, n(p.reactivated));
    add(Sid::kOvMoveouts, n(p.moveouts));
  }
  if (o.custom_defined)
    lines.emplace_back(o.custom_name + std::string(Str(Sid::kOvCustomSuffix)), n(o.custom_count));
  add(Sid::kOvDeaf, n(o.deaf));
  add(Sid::kOvBlind, n(o.blind));
  add(Sid::kOvIncarcerated, n(o.incarcerated));
  return lines;
}

void DrawOverviewChart(Canvas& canvas, const QuickOverview& o, int left, int top, int right,
                       int bottom) {
  if (right <= left || bottom <= top) return;
  TextMetrics tm = canvas.Metrics();
  const int label_h = std::max(tm.height, 1);
  const int base = bottom - label_h;
  const int height = std::max(base - top, 1);
  int most = 1;
  for (const OverviewMonth& m : o.months) most = std::max({most, m.reports, m.midweek, m.weekend});
  const int step = (right - left) / 12;
  canvas.SetPen(1, PenStyle::kSolid);
  canvas.DrawLine(left, base, right, base);
  canvas.SetTextAlign(align::kCenter | align::kTop);
  int last_x = -1, last_y = 0;
  for (int i = 0; i < 12; ++i) {
    const OverviewMonth& m = o.months[static_cast<size_t>(i)];
    const int x0 = left + i * step + step / 5;
    const int x1 = left + (i + 1) * step - step / 5;
    const int bar = m.reports * height / most;
    if (bar > 0) canvas.DrawRect(x0, base - bar, x1, base);
    canvas.DrawText((x0 + x1) / 2, base + 1, ShortMonthName(m.month));
    // The weekend attendance as a line over the bars.
    const int y = base - m.weekend * height / most;
    const int x = (x0 + x1) / 2;
    if (last_x >= 0) {
      canvas.SetPen(2, PenStyle::kDash);
      canvas.DrawLine(last_x, last_y, x, y);
      canvas.SetPen(1, PenStyle::kSolid);
    }
    last_x = x;
    last_y = y;
  }
  canvas.SetTextAlign(align::kLeft | align::kTop);
}

MonthAtGlance ComputeMonthAtGlance(const CZarimDoc& doc,
                                   const std::vector<CorrectionEntry>& pending) {
  MonthAtGlance g;
  const std::vector<int> active = ActiveRecords(doc);
  g.active = static_cast<int>(active.size());
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  g.month_valid = now.has_value();
  if (!now) return g;
  g.month = now->month;
  const int slot = now->slot;
  for (int rec : active)
    g.received += ReportedInMonth(doc.records[static_cast<size_t>(rec)], g.month, slot);
  g.missing = static_cast<int>(ViewListLines(doc, ViewType::kNoReport, 0, g.month).size());
  for (const LateReportEntry& e : CongregationView(doc).LateReports()) g.late += e.month <= 11;
  g.collection = CollectionStateOf(doc, g.month);
  g.corrections = CorrectionsNotice(doc, pending);
  return g;
}

std::vector<std::string> MonthAtGlanceLines(const MonthAtGlance& g) {
  Sid state = Sid::kGlanceNotInitialized;
  if (g.collection == MonthCollection::kOpen) state = Sid::kGlanceOpen;
  if (g.collection == MonthCollection::kClosed) state = Sid::kGlanceClosed;
  if (!g.month_valid) return {std::string(Str(Sid::kWorkingMonthNotValid))};
  std::vector<std::string> lines = {Printf(Sid::kGlanceHeading, MonthName(g.month).c_str()),
                                    Printf(Sid::kGlanceReceived, g.received, g.active),
                                    Printf(Sid::kGlanceMissing, g.missing),
                                    Printf(Sid::kGlanceLate, g.late), std::string(Str(state))};
  if (!g.corrections.empty()) lines.push_back(g.corrections);
  return lines;
}

}  // namespace zarim
