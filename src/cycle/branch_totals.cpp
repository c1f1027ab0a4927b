// The working report totals and their copy into the stored monthly totals.
#include "cycle/branch_totals.h"

#include <algorithm>

#include "core/month.h"
#include "cycle/collection_state.h"
#include "cycle/congregation_view.h"
#include "cycle/slip_queries.h"

namespace zarim {

namespace {

uint16_t Add(uint16_t a, int b) { return static_cast<uint16_t>(a + b); }

const DocTable<PubIndexEntry>& Active(const CZarimDoc& doc) { return doc.lists[kActive]; }
int ActiveCount(const CZarimDoc& doc) {
  return std::clamp(doc.status_count[kActive], 0, kMaxStatusList);
}

}  // namespace

// One report into the row of its pioneer code; publishers (row 0) add only their Bible
// studies, pioneers their whole activity.
void CountReport(WorkingTotals& t, const PubRecord& r, int month, int slot, int code) {
  auto& row = t.row[static_cast<size_t>(code)];
  row[kTotalsReportsField] = Add(row[kTotalsReportsField], 1);
  if (code == kPublisher) {
    row[kBibleStudies] = Add(row[kBibleStudies], StudiesInMonth(r, month, slot));
    return;
  }
  for (int f = kPlacements; f <= kBibleStudies; ++f)
    row[static_cast<size_t>(f)] = Add(row[static_cast<size_t>(f)], FieldValue(r, month, f, slot));
}

WorkingTotals ComputeWorkingTotals(const CZarimDoc& doc) {
  WorkingTotals t;
  const int active = ActiveCount(doc);
  t.row[0][kTotalsActiveField] = static_cast<uint16_t>(active);
  // No report is counted for a working month that is not valid.
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  if (!now) return t;
  const int wm = now->month;
  const int wslot = now->slot;
  const int late_count = std::min<int>(doc.late_count, kMaxLateEntries);
  for (int i = 0; i < active; ++i) {
    int rec = Active(doc)[static_cast<size_t>(i)].rec;
    if (rec <= 0 || rec >= doc.count) continue;
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    if ((r.service_flags & (kSpecialServant | kFieldMissionary)) != 0) continue;
    for (int k = 0; k < late_count; ++k) {
      const LateReportEntry& e = doc.late[static_cast<size_t>(k)];
      if (e.id != r.id || e.month > 11) continue;
      int slot = SlotInWorkingYear(e.month, wm, now->year);
      int code = PioneerCodeOf(r, e.month, slot);
      if (ReportedInMonth(r, e.month, slot) && code < kSpecial)
        CountReport(t, r, e.month, slot, code);
    }
    if (ReportedInMonth(r, wm, wslot)) CountReport(t, r, wm, wslot, PioneerCodeOf(r, wm, wslot));
  }
  return t;
}

WorkingTotals RecomputeTotals(CZarimDoc& doc) {
  WorkingTotals t = ComputeWorkingTotals(doc);
  if (WorkingMonthOpen(doc)) {
    const int slot = SlotOfYear(doc.working_year);
    for (int row = 0; row < kTotalsRows; ++row)
      for (int f = 0; f < kTotalsFields; ++f)
        doc.totals.value[doc.working_month][row * kTotalsFields + f][slot] =
            t.row[static_cast<size_t>(row)][static_cast<size_t>(f)];
  }
  return t;
}

int RowSum(const WorkingTotals& t, int field) {
  if (field < 0 || field >= kTotalsFields) return 0;
  int sum = 0;
  for (int row = 0; row < 3; ++row) {
    sum += t.row[static_cast<size_t>(row)][static_cast<size_t>(field)];
    if (field == kHours) sum += t.row[static_cast<size_t>(row)][kTotalsQuarterField] / 4;
  }
  return sum;
}

WorkingTotals StoredTotals(const CZarimDoc& doc, int month, int slot) {
  WorkingTotals t;
  if (month < 0 || month > 11 || slot < 0 || slot > 1) return t;
  for (int row = 0; row < kTotalsRows; ++row)
    for (int f = 0; f < kTotalsFields; ++f)
      t.row[static_cast<size_t>(row)][static_cast<size_t>(f)] =
          doc.totals.value[month][row * kTotalsFields + f][slot];
  return t;
}

int CountSpecialServants(const CZarimDoc& doc) {
  int n = 0;
  for (int i = 0; i < ActiveCount(doc); ++i) {
    int rec = Active(doc)[static_cast<size_t>(i)].rec;
    if (rec > 0 && rec < doc.count &&
        (doc.records[static_cast<size_t>(rec)].service_flags & kSpecialServant))
      ++n;
  }
  return n;
}

int CountFieldMissionaries(const CZarimDoc& doc) {
  int n = 0;
  for (int i = 0; i < ActiveCount(doc); ++i) {
    int rec = Active(doc)[static_cast<size_t>(i)].rec;
    if (rec > 0 && rec < doc.count &&
        (doc.records[static_cast<size_t>(rec)].service_flags & kFieldMissionary))
      ++n;
  }
  return n;
}

}  // namespace zarim
