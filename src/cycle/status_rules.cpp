// The rules of publisher statuses: candidates for the inactive list, the irregular test,
// ageing at month initialization and the period filters of the inactive list.
#include "cycle/status_rules.h"

#include "core/month.h"
#include "cycle/collection_state.h"
#include "cycle/congregation_view.h"

namespace zarim {

bool ReportedIn(const PubRecord& r, int month, int slot) {
  uint16_t studies = r.activity[kBibleStudies][month][slot];
  return r.activity[kHours][month][slot] != 0 || (studies & (kQuarterMask | kSharedBit)) != 0;
}

bool TimeIn(const PubRecord& r, int month, int slot) {
  return r.activity[kHours][month][slot] != 0 ||
         (r.activity[kBibleStudies][month][slot] & kQuarterMask) != 0;
}

bool WorkingMonthCollecting(const CZarimDoc& doc) {
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  return now && CollectionStateOf(doc, now->month) == MonthCollection::kOpen;
}

namespace {

// The walks below start at the working month; without a valid one there is none.
std::optional<MonthCursor> WorkingCursor(const CZarimDoc& doc) {
  return CongregationView(doc).WorkingMonth();
}

}  // namespace

bool IsInactiveCandidate(const CZarimDoc& doc, const PubRecord& r) {
  const std::optional<MonthCursor> now = WorkingCursor(doc);
  if (r.status != kActive || !now) return false;
  MonthCursor c = *now;
  for (int i = 0; i < 6; ++i, c.Back())
    if (ReportedIn(r, c.month, c.slot)) return false;
  return true;
}

int MonthsSinceStatus(const CZarimDoc& doc, const PubRecord& r, uint8_t mask) {
  const std::optional<MonthCursor> now = WorkingCursor(doc);
  if (!now) return 0;
  if ((StatusFlags(r) & mask) == 0) return 6;
  int event_month = StatusEventMonth(r) - 1;
  MonthCursor c = *now;
  bool reached = false;
  int counted = 0;
  while (counted < 6) {
    ++counted;
    if (c.month == event_month) reached = true;
    MonthCursor before = c;
    before.Back();
    // From the event on, the walk ends at the first month whose month before shows no
    // time: the publisher was not reporting before he started.
    if (reached && !TimeIn(r, before.month, before.slot)) break;
    c = before;
  }
  return counted;
}

uint16_t MissingMonthsMask(const CZarimDoc& doc, const PubRecord& r) {
  int n = MonthsSinceStatus(doc, r, kStatusesSinceEvent);
  bool skip_working = WorkingMonthCollecting(doc);
  uint16_t mask = 0;
  const std::optional<MonthCursor> now = WorkingCursor(doc);
  if (!now) return mask;
  MonthCursor c = *now;
  for (int i = 0; i < n; ++i, c.Back()) {
    if (i == 0 && skip_working) continue;
    if ((r.pioneer[c.month][c.slot] & 0x03) == kSpecial) continue;
    if (!ReportedIn(r, c.month, c.slot)) mask |= static_cast<uint16_t>(1u << c.month);
  }
  return mask;
}

InactivePeriod NextPeriod(InactivePeriod p) {
  return p == InactivePeriod::kAll ? InactivePeriod::kLastSix
                                   : static_cast<InactivePeriod>(static_cast<int>(p) + 1);
}

Sid PeriodCaption(InactivePeriod p) {
  switch (p) {
    case InactivePeriod::kLastSix:
      return Sid::kPeriodLastSix;
    case InactivePeriod::kServiceYear:
      return Sid::kPeriodServiceYear;
    case InactivePeriod::kLastTwelve:
      return Sid::kPeriodLastTwelve;
    case InactivePeriod::kOverTwelve:
      return Sid::kPeriodOverTwelve;
    case InactivePeriod::kAll:
      break;
  }
  return Sid::kPeriodAll;
}

namespace {

bool InLastTwelve(const CZarimDoc& doc, const PubRecord& r) {
  int year = StatusYearToTwoDigit(r.status_year);
  int month = StatusEventMonth(r);
  if (year == doc.working_year) return true;
  return year == doc.working_year - 1 && month - 1 >= doc.working_month;
}

// Walks back from the working month over `months` months (or to September when
// service_year is set) looking for month index m in the given slot.
bool WalkFinds(const CZarimDoc& doc, int month_index, int slot, bool service_year) {
  const std::optional<MonthCursor> now = WorkingCursor(doc);
  if (!now) return false;
  MonthCursor c = *now;
  for (int i = 0; i < 12; ++i, c.Back()) {
    if (!service_year && i >= 6) break;
    if (service_year && i > 0 && c.month == 7) break;  // the walk stops at August
    if (c.month == month_index && (slot < 0 || c.slot == slot)) return true;
  }
  return false;
}

}  // namespace

bool InLastSixMonths(const CZarimDoc& doc, int month) {
  return month >= 1 && WalkFinds(doc, month - 1, -1, false);
}
bool InServiceYearSoFar(const CZarimDoc& doc, int month) {
  return month >= 1 && WalkFinds(doc, month - 1, -1, true);
}

bool InInactivePeriod(const CZarimDoc& doc, const PubRecord& r, InactivePeriod p) {
  switch (p) {
    case InactivePeriod::kAll:
      return true;
    case InactivePeriod::kLastTwelve:
      return InLastTwelve(doc, r);
    case InactivePeriod::kOverTwelve:
      return !InLastTwelve(doc, r);
    case InactivePeriod::kLastSix:
    case InactivePeriod::kServiceYear: {
      if (!InLastTwelve(doc, r) || r.status_year == 0) return false;
      int month = StatusEventMonth(r);
      if (month == 0) return false;
      return WalkFinds(doc, month - 1, r.status_year % 2, p == InactivePeriod::kServiceYear);
    }
  }
  return false;
}

}  // namespace zarim
