// Per-publisher and congregation measures over the months that end with the working
// month.
#include "reports/measures.h"

#include <algorithm>

#include "core/month.h"
#include "cycle/congregation_view.h"
#include "cycle/slip_queries.h"
#include "cycle/status_rules.h"

namespace zarim {

namespace {

std::optional<MonthCursor> WorkingCursor(const CZarimDoc& doc) {
  return CongregationView(doc).WorkingMonth();
}

// Calls f(month, slot) for the last n months, the working month first; for none when the
// working month is not valid.
template <typename F>
void ForLastMonths(const CZarimDoc& doc, int n, F f) {
  const std::optional<MonthCursor> now = WorkingCursor(doc);
  if (!now) return;
  MonthCursor c = *now;
  for (int i = 0; i < n; ++i, c.Back()) f(c.month, c.slot);
}

// Sum of a cell over the last n months; hours by the quarter-hour rule.
int CellSum(const CZarimDoc& doc, const PubRecord& r, int field, int n) {
  int sum = 0, quarters = 0;
  ForLastMonths(doc, n, [&](int m, int s) {
    sum += FieldValue(r, m, field, s);
    if (field == kHours) quarters += QuartersIn(r, m, s);
  });
  return field == kHours ? HoursWithQuarters(sum, quarters) : sum;
}

}  // namespace

std::vector<int> ActiveRecords(const CZarimDoc& doc) {
  const CongregationView view(doc);
  const std::span<const int> active = view.ActivePublishers();
  return {active.begin(), active.end()};
}

int HoursWithQuarters(int hours, int quarters) {
  return hours + quarters / 4 + (quarters % 4 == 3 ? 1 : 0);
}

int QuartersIn(const PubRecord& r, int month, int slot) {
  if (month < 0 || month > 11 || slot < 0 || slot > 2) return 0;
  return (r.activity[kBibleStudies][month][slot] & kQuarterMask) >> kQuarterShift;
}

int ReportsInLast(const CZarimDoc& doc, const PubRecord& r, int n) {
  int count = 0;
  ForLastMonths(doc, n, [&](int m, int s) { count += ReportedInMonth(r, m, s) ? 1 : 0; });
  return count;
}

int AuxMonthsInLast(const CZarimDoc& doc, const PubRecord& r, int n) {
  int count = 0;
  ForLastMonths(doc, n, [&](int m, int s) { count += PioneerCodeOf(r, m, s) == kAuxiliary; });
  return count;
}

int MonthsActive(const CZarimDoc& doc, const PubRecord& r) {
  return MonthsSinceStatus(doc, r, kStatusNew | kStatusReactivated);
}

double PublisherAverage(const CZarimDoc& doc, const PubRecord& r, int field, int n) {
  if (n < 1) return 0;
  return static_cast<double>(CellSum(doc, r, field, n)) / n;
}

double PioneerHoursAverage(const CZarimDoc& doc, const PubRecord& r, int n) {
  int sum = 0, months = 0;
  ForLastMonths(doc, n, [&](int m, int s) {
    if (PioneerCodeOf(r, m, s) == kPublisher) return;
    int hours = FieldValue(r, m, kHours, s);
    sum += hours;
    if (hours > 0) ++months;
  });
  return months == 0 ? 0 : static_cast<double>(sum) / months;
}

AveragePair PublisherAverages(const CZarimDoc& doc, const PubRecord& r, int field) {
  int active = MonthsActive(doc, r);
  return {PublisherAverage(doc, r, field, std::min(active, 3)),
          PublisherAverage(doc, r, field, std::min(active, 6))};
}

AveragePair PioneerHoursAverages(const CZarimDoc& doc, const PubRecord& r) {
  int active = MonthsActive(doc, r);
  return {PioneerHoursAverage(doc, r, std::min(active, 3)),
          PioneerHoursAverage(doc, r, std::min(active, 6))};
}

int ServiceYearMonthCount(const CZarimDoc& doc) {
  const std::optional<MonthCursor> now = WorkingCursor(doc);
  if (!now) return 0;
  const int m = now->month;
  return m <= 7 ? m + 5 : m - 7;
}

int ServiceYearTotal(const CZarimDoc& doc, const PubRecord& r, int field) {
  int sum = 0, quarters = 0;
  ForLastMonths(doc, ServiceYearMonthCount(doc), [&](int m, int s) {
    sum += FieldValue(r, m, field, s);
    if (field == kHours) quarters += QuartersIn(r, m, s);
  });
  // Four quarters carry into an hour; what is left over at the end is dropped.
  return field == kHours ? sum + quarters / 4 : sum;
}

int ServiceYearReports(const CZarimDoc& doc, const PubRecord& r) {
  return ReportsInLast(doc, r, ServiceYearMonthCount(doc));
}

int ServiceYearAuxMonths(const CZarimDoc& doc, const PubRecord& r) {
  return AuxMonthsInLast(doc, r, ServiceYearMonthCount(doc));
}

double CongregationAverage(const CZarimDoc& doc, int pioneer_code, int n, int field, int group,
                           int privilege_filter) {
  const std::vector<int> active = ActiveRecords(doc);
  const int privilege = privilege_filter & kPrivilegeMask;
  int sum = 0, quarters = 0, count = 0;
  ForLastMonths(doc, n, [&](int m, int s) {
    for (int rec : active) {
      const PubRecord& r = doc.records[static_cast<size_t>(rec)];
      if (group > 0 && r.group != group) continue;
      if (privilege != 0 && (r.flags & kPrivilegeMask) != privilege) continue;
      if (pioneer_code != kAnyPioneerCode && PioneerCodeOf(r, m, s) != pioneer_code) continue;
      if ((privilege_filter & kFilterCustomCategory) && !(r.flags & kCustomCategory)) continue;
      if (!ReportedInMonth(r, m, s)) continue;
      sum += FieldValue(r, m, field, s);
      if (field == kHours) quarters += QuartersIn(r, m, s);
      ++count;
    }
  });
  if (count == 0) return 0;
  if (field == kHours) sum = HoursWithQuarters(sum, quarters);
  return static_cast<double>(sum) / count;
}

PioneerYear ComputePioneerYear(const CZarimDoc& doc, const PubRecord& r, bool previous_year) {
  PioneerYear p;
  const std::optional<MonthCursor> now = WorkingCursor(doc);
  if (!now) return p;
  MonthCursor end = *now;
  if (previous_year) end = EndOfPreviousServiceYear(end);
  // The service year ends in the year of its August.
  const int ends_in = end.month <= 7 ? end.year : end.year + 1;
  p.requirement = RegularPioneerMonthlyNeed(ends_in);

  // Walking back, the month after the first month that is not regular pioneering starts
  // the enrolment; September when the whole service year so far is.
  MonthCursor c = end;
  p.start_month = 8;
  for (int i = 0; i < 12; ++i, c.Back()) {
    if (PioneerCodeOf(r, c.month, c.slot) != kRegular) {
      p.start_month = (c.month + 1) % 12;
      break;
    }
    if (c.month == 8) break;
  }
  const int s = p.start_month;
  p.months_enrolled = s >= 8 ? 20 - s : 8 - s;
  int elapsed = end.month - s;
  if (elapsed < 0) elapsed += 12;
  p.months_elapsed = elapsed + 1;

  c = end;
  for (int i = 0; i < p.months_elapsed; ++i, c.Back()) {
    p.hours += FieldValue(r, c.month, kHours, c.slot);
    p.credits += r.credit[c.month][c.slot];
    p.months.insert(p.months.begin(), c.month);
  }
  const int done = p.hours + p.credits;
  p.average = static_cast<double>(done) / p.months_elapsed;
  p.remaining = std::max(0, p.months_enrolled * p.requirement - done);
  p.months_left = end.month == 7 ? 0 : (end.month <= 6 ? 7 - end.month : 19 - end.month);
  p.per_month =
      (p.remaining > 0 && p.months_left > 0) ? static_cast<double>(p.remaining) / p.months_left : 0;
  return p;
}

std::optional<int> YearsSince(const char (&date)[9], int today_year, int today_month) {
  if (static_cast<unsigned char>(date[4]) < '0') return std::nullopt;
  auto digits = [&](int from, int n) {
    int v = 0;
    for (int i = from; i < from + n; ++i) {
      if (date[i] < '0' || date[i] > '9') return -1;
      v = v * 10 + (date[i] - '0');
    }
    return v;
  };
  const int month = digits(0, 2);
  const int year = digits(4, 4);
  if (year < 0) return std::nullopt;
  // A date after today's month has no age yet.
  if (year > today_year || (year == today_year && month > today_month)) return -1;
  int years = today_year - year;
  if (month > today_month && year < today_year) --years;
  return years;
}

std::optional<int> YearsSince(const CZarimDoc& doc, const char (&date)[9]) {
  return YearsSince(date, doc.today_year, doc.today_month);
}

}  // namespace zarim
