// The pioneer year-to-date hours and the year-to-date activity summary.
#include "reports/year_to_date.h"

#include <algorithm>

#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/branch_totals.h"
#include "cycle/congregation_view.h"
#include "cycle/slip_queries.h"
#include "reports/measures.h"
#include "reports/page_frame.h"
#include "reports/report_kind.h"
#include "reports/table_report.h"

namespace zarim {

namespace {

std::string S(Sid id) { return std::string(Str(id)); }

// The service year (four digits) that ends with or contains the month counted last.
int ServiceYearOf(const CZarimDoc& doc, bool previous) {
  int year = 2000 + ServiceYearOfSerial(doc.working_serial);
  return previous ? year - 1 : year;
}

// No month is left to plan for in August, nor without a valid working month.
bool NoMonthLeft(const CZarimDoc& doc) {
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  return !now || now->month == 7;
}

}  // namespace

PioneerYtdForm::PioneerYtdForm(const CZarimDoc& doc) : doc_(doc) {
  // Without a valid working month nobody is a regular pioneer "now", so none is listed.
  const CongregationView view(doc);
  for (int rec : view.ActivePublishers()) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    if (view.PioneerCodeNow(r) != kRegular) continue;
    records_.push_back(rec);
    names_.push_back(ToUtf8(doc.DisplayName(r), doc.language_code));
  }
  if (!records_.empty()) selection_ = 0;
}

std::string PioneerYtdForm::Title() const { return S(Sid::kPytdTitle); }

bool PioneerYtdForm::Select(int index) {
  if (index < 0 || index >= static_cast<int>(records_.size())) return false;
  selection_ = index;
  return true;
}

bool PioneerYtdForm::SelectId(int id) {
  for (size_t i = 0; i < records_.size(); ++i)
    if (doc_.records[static_cast<size_t>(records_[i])].id == id) return Select(static_cast<int>(i));
  return false;
}

std::vector<PioneerYtdForm::Line> PioneerYtdForm::Lines() const {
  std::vector<Line> lines;
  if (selection_ < 0) return lines;
  const PubRecord& r = doc_.records[static_cast<size_t>(records_[static_cast<size_t>(selection_)])];
  // The months from September to the last one counted, each in its slot.
  MonthCursor end = CursorAt(doc_.working_serial);
  if (previous_) end = EndOfPreviousServiceYear(end);
  std::vector<MonthCursor> months;
  for (MonthCursor c = end;; c.Back()) {
    months.insert(months.begin(), c);
    if (c.month == 8) break;
  }
  int hours = 0, credits = 0;
  for (const MonthCursor& c : months) {
    const int h = FieldValue(r, c.month, kHours, c.slot);
    const int k = r.credit[c.month][c.slot];
    hours += h;
    credits += k;
    lines.push_back(
        {MonthName(c.month), std::to_string(h), std::to_string(k), std::to_string(h + k)});
  }
  lines.push_back({S(Sid::kYtdTotals), std::to_string(hours), std::to_string(credits),
                   std::to_string(hours + credits)});
  return lines;
}

std::string PioneerYtdForm::SinceText() const {
  if (selection_ < 0) return {};
  const PubRecord& r = doc_.records[static_cast<size_t>(records_[static_cast<size_t>(selection_)])];
  const PioneerYear p = ComputePioneerYear(doc_, r, previous_);
  // The start month belongs to the calendar year its service year gives it.
  const int sy = ServiceYearOf(doc_, previous_);
  const int year = p.start_month >= 8 ? sy - 1 : sy;
  return Fill(Sid::kPytdSince, MonthName(p.start_month) + " " + std::to_string(year));
}

std::string PioneerYtdForm::RemainingText() const {
  if (selection_ < 0 || previous_ || NoMonthLeft(doc_)) return {};
  const PubRecord& r = doc_.records[static_cast<size_t>(records_[static_cast<size_t>(selection_)])];
  const PioneerYear p = ComputePioneerYear(doc_, r);
  return Fill(Sid::kPytdRemaining, std::to_string(ServiceYearOf(doc_, false))) +
         std::to_string(p.remaining);
}

std::string PioneerYtdForm::PerMonthText() const {
  if (selection_ < 0 || previous_ || NoMonthLeft(doc_)) return {};
  const PubRecord& r = doc_.records[static_cast<size_t>(records_[static_cast<size_t>(selection_)])];
  const PioneerYear p = ComputePioneerYear(doc_, r);
  return Fill(Sid::kPytdPerMonth, std::to_string(ServiceYearOf(doc_, false))) +
         Printf("%4.1f", p.per_month);
}

std::vector<std::string> PioneerYtdForm::TextLines() const {
  std::vector<std::string> out;
  if (selection_ < 0) return out;
  out.push_back(names_[static_cast<size_t>(selection_)]);
  out.push_back(SinceText());
  out.push_back(S(Sid::kPytdMonth) + "\t" + S(Sid::kColHours) + "\t" + S(Sid::kColCredits) + "\t" +
                S(Sid::kColTotals));
  for (const Line& l : Lines())
    out.push_back(l.month + "\t" + l.hours + "\t" + l.credits + "\t" + l.totals);
  if (!RemainingText().empty()) out.push_back(RemainingText());
  if (!PerMonthText().empty()) out.push_back(PerMonthText());
  return out;
}

// ---- Year-to-date activity summary ----------------------------------------------------

std::string YtdSummaryForm::Title() const { return S(Sid::kYtdTitle); }

std::vector<std::string> YtdSummaryForm::CategoryNames() const {
  return {S(Sid::kYtdPublishers), S(Sid::kYtdAuxiliary), S(Sid::kYtdRegular)};
}

std::vector<std::string> YtdSummaryForm::PeriodNames() const {
  return {S(Sid::kYtdLastSix), S(Sid::kYtdServiceYear), S(Sid::kYtdLastTwelve)};
}

std::vector<std::string> YtdSummaryForm::Columns() const {
  return {"", S(Sid::kYtdShared), S(Sid::kYtdStudies), S(Sid::kYtdHours)};
}

int YtdSummaryForm::MonthCount() const {
  if (!CongregationView(doc_).WorkingMonth()) return 0;
  return period_ == kLastSix ? 6 : period_ == kLastTwelve ? 12 : ServiceYearMonthCount(doc_);
}

std::vector<YtdSummaryForm::Month> YtdSummaryForm::Months() const {
  const int n = MonthCount();
  std::vector<MonthCursor> cursors;
  MonthCursor c = CursorAt(doc_.working_serial);
  for (int i = 0; i < n; ++i, c.Back()) cursors.insert(cursors.begin(), c);
  const std::vector<int> active = ActiveRecords(doc_);
  std::vector<Month> months;
  // Quarter hours count as hours do in every total: four make one hour, carried from month
  // to month; what is left at the end of the period is dropped.
  int carried_quarters = 0;
  for (const MonthCursor& m : cursors) {
    Month out;
    out.month = m.month;
    out.year = 2000 + m.year;
    if (branch_) {
      const WorkingTotals t = StoredTotals(doc_, m.month, m.slot);
      const auto& row = t.row[static_cast<size_t>(category_)];
      out.reports = row[kTotalsReportsField];
      for (int f = 0; f < 5; ++f) out.values[f] = row[static_cast<size_t>(f)];
      out.values[kHours] += row[kTotalsQuarterField] / 4;
    } else {
      for (int rec : active) {
        const PubRecord& r = doc_.records[static_cast<size_t>(rec)];
        if (PioneerCodeOf(r, m.month, m.slot) != category_) continue;
        if (!ReportedInMonth(r, m.month, m.slot)) continue;
        ++out.reports;
        for (int f = 0; f < 5; ++f)
          out.values[f] += f == kBibleStudies ? StudiesInMonth(r, m.month, m.slot)
                                              : FieldValue(r, m.month, f, m.slot);
        carried_quarters += QuartersIn(r, m.month, m.slot);
      }
      out.values[kHours] += carried_quarters / 4;
      carried_quarters %= 4;
    }
    months.push_back(out);
  }
  return months;
}

std::vector<std::vector<std::string>> YtdSummaryForm::Rows() const {
  const int n = MonthCount();
  std::vector<std::vector<std::string>> rows;
  if (n == 0) return rows;  // no valid working month: no months, no totals
  int total_reports = 0, total_studies = 0, total_hours = 0;
  for (const Month& m : Months()) {
    const int studies = m.values[kBibleStudies], hours = m.values[kHours];
    total_reports += m.reports;
    total_studies += studies;
    total_hours += hours;
    rows.push_back({ShortMonthName(m.month), std::to_string(m.reports), std::to_string(studies),
                    std::to_string(hours)});
  }
  rows.push_back({S(Sid::kYtdTotals), std::to_string(total_reports), std::to_string(total_studies),
                  std::to_string(total_hours)});
  auto avg = [&](int total) { return Printf("%4.1f", n > 0 ? double(total) / n : 0.0); };
  rows.push_back({S(Sid::kYtdAvgs), avg(total_reports), avg(total_studies), avg(total_hours)});
  return rows;
}

std::string YtdSummaryForm::FooterText() const {
  if (MonthCount() == 0) return S(Sid::kWorkingMonthNotValid);
  return Fill(Sid::kYtdTotsAvgsFor, PeriodNames()[static_cast<size_t>(period_)]);
}

std::vector<std::string> YtdSummaryForm::TextLines() const {
  std::vector<std::string> out = {Title() + "\t" + CategoryNames()[static_cast<size_t>(category_)] +
                                  "\t" + S(branch_ ? Sid::kYtdBranch : Sid::kYtdActiveFile)};
  auto join = [](const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) line += (i ? "\t" : "") + cells[i];
    return line;
  };
  out.push_back(join(Columns()));
  for (const auto& row : Rows()) out.push_back(join(row));
  out.push_back(FooterText());
  return out;
}

// ---- Printing --------------------------------------------------------------------------

ReportModel PioneerYtdForm::Model() const {
  ReportModel m;
  m.kind = report_kind::kPioneerYtd;
  m.title = Title();
  if (selection_ < 0) return m;
  m.subtitle = names_[static_cast<size_t>(selection_)];
  m.columns = {S(Sid::kPytdMonth), S(Sid::kColHours), S(Sid::kColCredits), S(Sid::kColTotals)};
  m.Add(RowKind::kText, {SinceText()});
  m.Add(RowKind::kBlank, {});
  const std::vector<Line> lines = Lines();
  for (size_t i = 0; i < lines.size(); ++i) {
    const Line& l = lines[i];
    m.Add(i + 1 == lines.size() ? RowKind::kTotal : RowKind::kText,
          {l.month, l.hours, l.credits, l.totals});
  }
  if (!RemainingText().empty()) {
    m.Add(RowKind::kBlank, {});
    m.Add(RowKind::kText, {RemainingText()});
    m.Add(RowKind::kText, {PerMonthText()});
  }
  return m;
}

int PioneerYtdForm::PrintCode() const {
  if (selection_ < 0) return -1;
  return records_[static_cast<size_t>(selection_)] * 2 + (previous_ ? 1 : 0);
}

bool PioneerYtdForm::SetPrintCode(int code) {
  if (code < 0) return false;
  const auto it = std::find(records_.begin(), records_.end(), code / 2);
  if (it == records_.end()) return false;
  selection_ = static_cast<int>(it - records_.begin());
  previous_ = code % 2 != 0;
  return true;
}

ReportModel YtdSummaryForm::Model() const {
  ReportModel m;
  m.kind = report_kind::kYtdSummary;
  m.title = Title();
  m.subtitle = CategoryNames()[static_cast<size_t>(category_)] + " - " +
               S(branch_ ? Sid::kYtdBranch : Sid::kYtdActiveFile);
  m.columns = Columns();
  const auto rows = Rows();
  for (size_t i = 0; i < rows.size(); ++i)
    m.Add(i + 2 >= rows.size() ? RowKind::kTotal : RowKind::kText, rows[i]);
  m.Add(RowKind::kText, {FooterText()});
  return m;
}

void YtdSummaryForm::SetPrintCode(int code) {
  if (code < 0) code = 0;
  SetFromBranch(code >= 9);
  SetPeriod(code % 9 / 3);
  SetCategory(code % 3);
}

void DrawYtdSummary(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int code) {
  context.page_count = 1;
  YtdSummaryForm form(doc);
  form.SetPrintCode(code);
  const ReportModel m = form.Model();
  PageFrame frame(canvas, context, doc.options.top_margin);
  const int lx = std::max(canvas.DpiX(), 1), ly = std::max(canvas.DpiY(), 1);
  const int left = lx / 2, top = ly;
  frame.Select(FontRole::kTitle);
  canvas.SetTextAlign(align::kLeft | align::kTop);
  canvas.DrawText(left, top, m.title);
  frame.Select(FontRole::kText);
  canvas.DrawText(left + 5 * lx, top, form.CategoryNames()[static_cast<size_t>(form.category())]);

  // The table: a frame six inches by three, the headings and one band per row inside.
  const int table_top = top + ly / 2, width = 6 * lx, height = 3 * ly;
  const int table_rows = static_cast<int>(m.rows.size());  // the footer row stays outside
  const int band = height / std::max(table_rows, 1);
  canvas.SetPen(1, PenStyle::kSolid);
  canvas.DrawRect(left, table_top, left + width, table_top + height);
  // The month column takes the first inch and a half; each figure column a third of the
  // rest, its figures right-aligned a tenth of an inch inside its right edge.
  const int first = lx * 3 / 2, column = (width - first) / 3;
  auto right_of = [&](size_t c) { return left + first + static_cast<int>(c) * column - lx / 10; };
  for (size_t c = 1; c < m.columns.size(); ++c) {
    canvas.SetTextAlign(align::kRight | align::kTop);
    canvas.DrawText(right_of(c), table_top + band / 4, m.columns[c]);
  }
  for (int i = 0; i + 1 < table_rows; ++i) {
    const ReportRow& row = m.rows[static_cast<size_t>(i)];
    const int y = table_top + (i + 1) * band;
    if (row.kind == RowKind::kTotal && i > 0 &&
        m.rows[static_cast<size_t>(i) - 1].kind != RowKind::kTotal)
      canvas.DrawLine(left, y, left + width, y);
    for (size_t c = 0; c < row.cells.size(); ++c) {
      canvas.SetTextAlign((c == 0 ? align::kLeft : align::kRight) | align::kTop);
      canvas.DrawText(c == 0 ? left + lx / 10 : right_of(c), y + band / 8, row.cells[c]);
    }
  }
  canvas.SetTextAlign(align::kLeft | align::kTop);
  canvas.DrawText(left, table_top + height + ly / 8, m.rows.back().cells[0]);
}

namespace {

TableLayout PioneerYtdLayout(const CZarimDoc& doc, int code) {
  PioneerYtdForm form(doc);
  if (!form.SetPrintCode(code)) form.Select(0);
  TableLayout layout;
  layout.model = form.Model();
  // The month at the margin, the figures right-aligned at 3, 4.2 and 5.4 inches.
  layout.grids[0] = {{0, false}, {30, true}, {42, true}, {54, true}};
  for (const ReportRow& row : layout.model.rows)
    layout.styles.push_back(
        {.font = row.kind == RowKind::kTotal ? FontRole::kHeading : FontRole::kText});
  return layout;
}

}  // namespace

std::vector<ReportEntry> YearToDateReports() {
  return {
      {report_kind::kPioneerYtd, "pioneer-ytd", false,
       [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int code) {
         DrawTableLayout(doc, canvas, context, PioneerYtdLayout(doc, code));
       },
       [](const CZarimDoc& doc, const ReportContext&, int code) {
         return PioneerYtdLayout(doc, code).model;
       }},
      {report_kind::kYtdSummary, "ytd-summary", false, DrawYtdSummary,
       [](const CZarimDoc& doc, const ReportContext&, int code) {
         YtdSummaryForm form(doc);
         form.SetPrintCode(code);
         return form.Model();
       }},
  };
}

}  // namespace zarim
