// The pioneer year-to-date hours and the year-to-date activity summary.
#include "reports/year_to_date.h"

#include <algorithm>

#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/branch_totals.h"
#include "cycle/slip_queries.h"
#include "reports/measures.h"

namespace zarim {

namespace {

std::string S(Sid id) { return std::string(Str(id)); }

// The service year (four digits) that ends with or contains the month counted last.
int ServiceYearOf(const CZarimDoc& doc, bool previous) {
  int year = 2000 + ServiceYearOfSerial(doc.working_serial);
  return previous ? year - 1 : year;
}

}  // namespace

PioneerYtdForm::PioneerYtdForm(const CZarimDoc& doc) : doc_(doc) {
  const int wm = doc.working_month % 12, ws = SlotOfYear(doc.working_year);
  for (int rec : ActiveRecords(doc)) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    if (PioneerCodeOf(r, wm, ws) != kRegular) continue;
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
  if (previous_) {
    while (end.month != 7) end.Back();
    if (doc_.working_month % 12 <= 7)
      for (int i = 0; i < 12; ++i) end.Back();
  }
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
  if (selection_ < 0 || previous_ || doc_.working_month % 12 == 7) return {};
  const PubRecord& r = doc_.records[static_cast<size_t>(records_[static_cast<size_t>(selection_)])];
  const PioneerYear p = ComputePioneerYear(doc_, r);
  return Fill(Sid::kPytdRemaining, std::to_string(ServiceYearOf(doc_, false))) +
         std::to_string(p.remaining);
}

std::string PioneerYtdForm::PerMonthText() const {
  if (selection_ < 0 || previous_ || doc_.working_month % 12 == 7) return {};
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
  return period_ == kLastSix ? 6 : period_ == kLastTwelve ? 12 : ServiceYearMonthCount(doc_);
}

std::vector<YtdSummaryForm::Month> YtdSummaryForm::Months() const {
  const int n = MonthCount();
  std::vector<MonthCursor> cursors;
  MonthCursor c = CursorAt(doc_.working_serial);
  for (int i = 0; i < n; ++i, c.Back()) cursors.insert(cursors.begin(), c);
  const std::vector<int> active = ActiveRecords(doc_);
  std::vector<Month> months;
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
      int quarters = 0;
      for (int rec : active) {
        const PubRecord& r = doc_.records[static_cast<size_t>(rec)];
        if (PioneerCodeOf(r, m.month, m.slot) != category_) continue;
        if (!ReportedInMonth(r, m.month, m.slot)) continue;
        ++out.reports;
        for (int f = 0; f < 5; ++f)
          out.values[f] += f == kBibleStudies ? StudiesInMonth(r, m.month, m.slot)
                                              : FieldValue(r, m.month, f, m.slot);
        quarters += QuartersIn(r, m.month, m.slot);
      }
      out.values[kHours] = HoursWithQuarters(out.values[kHours], quarters);
    }
    months.push_back(out);
  }
  return months;
}

std::vector<std::vector<std::string>> YtdSummaryForm::Rows() const {
  const int n = MonthCount();
  std::vector<std::vector<std::string>> rows;
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

}  // namespace zarim
