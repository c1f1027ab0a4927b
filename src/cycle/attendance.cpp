// Meeting attendance figures and averages.
#include "cycle/attendance.h"

#include <algorithm>

#include "core/month.h"
#include "cycle/congregation_view.h"

namespace zarim {

int HalfUpAverage(int total, int number) {
  if (number <= 0) return 0;
  int q = total / number;
  int r = total % number;
  return r * 10 >= (number * 10) / 2 ? q + 1 : q;
}

MonthFigures ComputeFigures(const WeekValues& weeks) {
  MonthFigures f;
  for (int v : weeks) {
    if (v != 0) ++f.number;
    f.total += v;
  }
  f.average = HalfUpAverage(f.total, f.number);
  return f;
}

WeekValues StoredWeeks(const CZarimDoc& doc, int meeting, int month, int slot) {
  WeekValues w{};
  const AttendanceBlock& b = doc.attendance[meeting];
  for (int i = 0; i < kWeeksPerMonth; ++i) w[i] = b.week[i][month][slot];
  return w;
}

MonthFigures StoredFigures(const CZarimDoc& doc, int meeting, int month, int slot) {
  const AttendanceBlock& b = doc.attendance[meeting];
  return MonthFigures{b.meetings[month][slot], b.total[month][slot], b.average[month][slot]};
}

namespace {

bool Put(U16& cell, int value) {
  auto v = static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF));
  if (cell == v) return false;
  cell = v;
  return true;
}

}  // namespace

bool StoreWeeks(CZarimDoc& doc, int meeting, int month, int slot, const WeekValues& weeks) {
  AttendanceBlock& b = doc.attendance[meeting];
  bool changed = false;
  for (int i = 0; i < kWeeksPerMonth; ++i) changed |= Put(b.week[i][month][slot], weeks[i]);
  // The figures follow the stored weeks (a stored week may have been clamped).
  MonthFigures f = ComputeFigures(StoredWeeks(doc, meeting, month, slot));
  changed |= Put(b.meetings[month][slot], f.number);
  changed |= Put(b.total[month][slot], f.total);
  changed |= Put(b.average[month][slot], f.average);
  return changed;  // the commit of the edit marks the document modified
}

int AverageOverMonths(const CZarimDoc& doc, int meeting, int n) {
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  if (!now) return 0;
  const AttendanceBlock& b = doc.attendance[meeting];
  MonthCursor c = *now;
  long sum = 0;
  int count = 0;
  for (int i = 0; i < n; ++i, c.Back()) {
    long month_total = 0;
    for (int w = 0; w < kWeeksPerMonth; ++w) {
      int v = b.week[w][c.month][c.slot];
      if (v == 0) continue;
      sum += v;
      ++count;
      month_total += v;
    }
    // A month without attendance means the figures are incomplete; no average is given.
    if (month_total == 0) return 0;
  }
  return count == 0 ? 0 : HalfUpAverage(static_cast<int>(sum), count);
}

int ServiceYearMonths(const CZarimDoc& doc) {
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  return now ? MonthsBefore(now->month, 8) + 1 : 0;
}

double PercentOfActive(int average, int active_publishers) {
  return active_publishers > 0 ? average * 100.0 / active_publishers : 0.0;
}

}  // namespace zarim
