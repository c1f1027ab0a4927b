// Sent versus now: the stored monthly totals against a recount from the records.
#include "cycle/branch_check.h"

#include "core/month.h"
#include "cycle/congregation_view.h"
#include "cycle/slip_queries.h"

namespace zarim {
namespace {

bool Empty(const WorkingTotals& t) {
  for (int row = 0; row < kTotalsRows; ++row)
    for (int f = 0; f < kTotalsFields; ++f)
      if (f != kTotalsActiveField && t.row[row][f] != 0) return false;
  return true;
}

}  // namespace

bool CountsForBranch(const PubRecord& r) {
  if (r.status != kActive && r.status != kInactive && r.status != kMoved) return false;
  return (r.service_flags & (kSpecialServant | kFieldMissionary)) == 0;
}

WorkingTotals RecountMonthTotals(const CZarimDoc& doc, int month, int year) {
  WorkingTotals t;
  if (month < 0 || month > 11) return t;
  const int slot = SlotOfYear(year);
  for (int rec = 1; rec < doc.count && rec < static_cast<int>(doc.records.size()); ++rec) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    if (!CountsForBranch(r)) continue;
    // Late reports posted in the month: a marker names the month it was posted in, and
    // the first such month after the report's own month is this one.
    MonthCursor c{month, slot, year};
    for (int k = 1; k < 12; ++k) {
      c.Back();
      if (r.late[c.month][c.slot] != month + 1) continue;
      int code = PioneerCodeOf(r, c.month, c.slot);
      if (ReportedInMonth(r, c.month, c.slot) && code < kSpecial)
        CountReport(t, r, c.month, c.slot, code);
    }
    // A report of the month itself that came late went to the branch with the month it was
    // posted in, counted there above.
    if (ReportedInMonth(r, month, slot) && r.late[month][slot] == 0)
      CountReport(t, r, month, slot, PioneerCodeOf(r, month, slot));
  }
  return t;
}

std::vector<MonthCursor> SentMonths(const CZarimDoc& doc) {
  std::vector<MonthCursor> out;
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  if (!now) return out;
  MonthCursor c = *now;
  for (int k = 0; k < 12; ++k) {
    c.Back();
    if (!Empty(StoredTotals(doc, c.month, c.slot))) out.push_back(c);
  }
  return out;
}

std::vector<BranchCheckMonth> CheckBranchReports(const CZarimDoc& doc) {
  std::vector<BranchCheckMonth> out;
  for (const MonthCursor& c : SentMonths(doc)) {
    BranchCheckMonth m;
    m.month = c.month;
    m.year = c.year;
    m.sent = StoredTotals(doc, c.month, c.slot);
    m.now = RecountMonthTotals(doc, c.month, c.year);
    for (int row = 0; row < kTotalsRows; ++row)
      for (int f = 0; f < kTotalsFields; ++f)
        if (f != kTotalsActiveField && m.sent.row[row][f] != m.now.row[row][f])
          m.differences.emplace_back(row, f);
    out.push_back(std::move(m));
  }
  return out;
}

}  // namespace zarim
