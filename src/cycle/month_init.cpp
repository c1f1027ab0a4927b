// Month initialization.
#include "cycle/month_init.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "core/month.h"
#include "core/strings.h"
#include "cycle/branch_totals.h"
#include "cycle/collection.h"
#include "cycle/roll.h"
#include "cycle/status_moves.h"

namespace zarim {

namespace {

constexpr int kListCutThreshold = 280;
constexpr int kListCutTarget = 250;
constexpr int kQuarterTotalsCounter = 7;  // publishers row, quarter hours

void ClearActivity(PubRecord& r, int m, int p) {
  for (int f = 0; f < 5; ++f) r.activity[f][m][p] = 0;
}

// Empties the remark of (m, p): the remark's text, so that the remark file forgets it,
// and the record's index.
void ClearRemark(CZarimDoc& doc, PubRecord& r, int m, int p) {
  uint16_t idx = r.remark[m][p];
  if (idx != 0 && idx < doc.remark_count)
    std::memset(doc.remarks[idx].text, 0, sizeof doc.remarks[idx].text);
  r.remark[m][p] = 0;
}

// Deletes the oldest members of a status list, one at a time, while it holds more than
// 250 of them: only members whose event lies in a year before today's are taken; when
// none of those is left, the list stays longer until a later initialization.
void CutBackList(CZarimDoc& doc, uint8_t status,
                 const std::function<int(const PubRecord&)>& year_of,
                 const std::function<int(const PubRecord&)>& month_of) {
  if (doc.CountStatus(status) <= kListCutThreshold) return;
  const int this_year = 2000 + doc.today_short_year;
  while (doc.CountStatus(status) > kListCutTarget) {
    int best = 0;
    int best_year = 0, best_month = 0;
    for (int r = 1; r < doc.count; ++r) {
      const PubRecord& rec = doc.records[r];
      if (rec.status != status) continue;
      int y = year_of(rec);
      if (y >= this_year) continue;
      int mo = month_of(rec);
      if (best == 0 || y < best_year || (y == best_year && mo < best_month)) {
        best = r;
        best_year = y;
        best_month = mo;
      }
    }
    if (best == 0) break;
    DeleteRecordPermanently(doc, best);
  }
}

}  // namespace

int StatusYearOf(uint8_t v) { return v > 200 ? 1744 + v : 2000 + v; }

void DeleteRecordPermanently(CZarimDoc& doc, int rec) {
  if (rec < 1 || rec >= doc.count) return;
  for (int r = rec; r + 1 < doc.count; ++r) doc.records[r] = doc.records[r + 1];
  doc.records[doc.count - 1] = PubRecord{};
  --doc.count;
}

namespace {

// The month being initialized: its index and slot, and the month before it with its slot.
struct InitMonth {
  int m;
  int p;
  int prev;
  int pp;
  int s6;  // 1-based number of the month six months before m
  // The slot holds this month's own cells, not those of two years ago: it was never
  // initialized, or it was for this very month. A pioneer code found there was set for
  // the month (a newcomer ticks "Regular pioneer" before the first posting).
  bool own_cells;
};

// The two-digit year stamped on the slot of month m when it is initialized: the year of
// the month's data (a December initialized in January or February is last year's).
int SlotYearMarker(const CZarimDoc& doc, int m) {
  return doc.today_short_year -
         ((m == 11 && (doc.today_month == 1 || doc.today_month == 2)) ? 1 : 0);
}

// An active publisher: statuses age, pioneers carry forward, the month's cells start
// empty.
void StartActivePublisherMonth(CZarimDoc& doc, PubRecord& rec, const InitMonth& im) {
  const int m = im.m, p = im.p;
  if ((rec.status_month >> 4) == im.s6) rec.status_month = 0;
  if ((rec.status_year >> 4) == m + 1 && (rec.status_month >> 4) != m + 1) rec.status_year &= 0x0F;
  if (rec.status_stamp != 0 && rec.status_stamp + 24 < doc.working_serial) {
    rec.status_stamp = 0;
    rec.status_year = 0;
  }
  const uint8_t set_here = im.own_cells ? rec.pioneer[m][p] & 0x03 : kPublisher;
  const uint8_t carried = rec.pioneer[im.prev][im.pp] & 0x03;
  if (set_here != kPublisher) {
    rec.pioneer[m][p] = set_here;
  } else if (rec.flags & kContinuousAux) {
    rec.pioneer[m][p] = kAuxiliary;
  } else if (carried == kRegular || carried == kSpecial) {
    rec.pioneer[m][p] = carried;
  } else {
    rec.pioneer[m][p] = kPublisher;
  }
  ClearRemark(doc, rec, m, p);
  ClearActivity(rec, m, p);
  rec.credit[m][p] = 0;
}

void ClearNonPublisherMonth(CZarimDoc& doc, PubRecord& rec, const InitMonth& im) {
  rec.credit[im.m][im.p] = 0;
  ClearActivity(rec, im.m, im.p);
  ClearRemark(doc, rec, im.m, im.p);
}

void ClearDeletedPublisherMonth(CZarimDoc& doc, PubRecord& rec, const InitMonth& im) {
  rec.credit[im.m][im.p] = 0;
  ClearActivity(rec, im.m, im.p);
  rec.pioneer[im.m][im.p] = 0;
  ClearRemark(doc, rec, im.m, im.p);
}

void StartEveryPublisherMonth(CZarimDoc& doc, const InitMonth& im) {
  for (int r = 1; r < doc.count; ++r) {
    PubRecord& rec = doc.records[r];
    switch (rec.status) {
      case kActive:
        StartActivePublisherMonth(doc, rec, im);
        break;
      case kNonPublisher:
        ClearNonPublisherMonth(doc, rec, im);
        break;
      case kDeleted:
        ClearDeletedPublisherMonth(doc, rec, im);
        break;
      default:
        break;
    }
  }
}

// The resume identifier, the slot's year marker and the late-report list start afresh.
void StartPostingState(CZarimDoc& doc, const InitMonth& im) {
  doc.resume_id = 0;
  doc.header().remark[im.m][im.p] = static_cast<uint16_t>(SlotYearMarker(doc, im.m));
  doc.late_count = 0;
}

// Attendance typed ahead (slot 2) becomes the month's; every other month's is dropped.
void CarryAttendanceEnteredAhead(CZarimDoc& doc, const InitMonth& im) {
  for (AttendanceBlock& a : doc.attendance) {
    auto carry = [&](U16(&table)[12][3]) {
      table[im.m][im.p] = table[im.m][2];
      for (int k = 0; k < 12; ++k)
        if (k != im.m) table[k][2] = 0;
    };
    for (auto& week : a.week) carry(week);
    carry(a.meetings);
    carry(a.total);
    carry(a.average);
  }
}

void TrimInactiveList(CZarimDoc& doc, const InitMonth& im) {
  CutBackList(
      doc, kInactive, [](const PubRecord& r) { return StatusYearOf(r.status_year); },
      [](const PubRecord& r) { return r.status_month >> 4; });
  for (int r = 1; r < doc.count; ++r) {
    PubRecord& rec = doc.records[r];
    if (rec.status != kInactive || (rec.status_year % 2) != im.p) continue;
    if ((rec.status_month >> 4) == im.m + 1) {
      rec.pioneer[im.m][im.p] = 0;
      ClearActivity(rec, im.m, im.p);
    }
    ClearRemark(doc, rec, im.m, im.p);
    rec.credit[im.m][im.p] = 0;
  }
}

// A move is kept twelve months. One recorded with its month's serial is counted from that
// month, so a move into the month now being initialized is not taken as a year old.
void DropExpiredMoves(CZarimDoc& doc, const InitMonth& im) {
  const int init_serial =
      Serial(YearInWorkingYear(im.m, doc.working_month, doc.working_year), im.m);
  for (int r = doc.count - 1; r >= 1; --r) {
    PubRecord& rec = doc.records[r];
    if (rec.status != kMoved) continue;
    bool expired = HasMoveStamp(rec) ? init_serial - rec.status_stamp >= 12
                                     : (rec.status_month >> 4) == im.m + 1;
    if (expired) {
      DeleteRecordPermanently(doc, r);
      continue;
    }
    ClearRemark(doc, rec, im.m, im.p);
    ClearActivity(rec, im.m, im.p);
    rec.credit[im.m][im.p] = 0;
  }
}

// The deleted list, by the deletion stamp (year - 1950, month).
void TrimDeletedList(CZarimDoc& doc, const InitMonth& im) {
  CutBackList(
      doc, kDeleted, [](const PubRecord& r) { return 1950 + (r.status_stamp >> 8); },
      [](const PubRecord& r) { return r.status_stamp & 0xFF; });
  for (int r = 1; r < doc.count; ++r) {
    PubRecord& rec = doc.records[r];
    if (rec.status != kDeleted) continue;
    if ((rec.status_stamp & 0xFF) == im.m + 1) {
      rec.status_month = 0;
      int back = doc.today_month < im.m + 1 ? 2 : 1;
      rec.status_year = static_cast<uint8_t>(doc.today_short_year - back);
      rec.pioneer[im.m][im.p] = 0;
      ClearActivity(rec, im.m, im.p);
    }
    ClearRemark(doc, rec, im.m, im.p);
    rec.credit[im.m][im.p] = 0;
  }
}

// Quarter hours left over in the month before are not carried into this one.
void DropLeftoverQuarterHours(CZarimDoc& doc, const InitMonth& im) {
  U16& q = doc.totals.value[im.prev][kQuarterTotalsCounter][im.pp];
  if (q % 4 == 0) return;
  U16& header_studies = doc.header().activity[kBibleStudies][im.m][im.p];
  header_studies = static_cast<uint16_t>(header_studies & ~kQuarterMask);
  q = static_cast<uint16_t>(q - q % 4);
}

void OpenOnlyThisMonth(CZarimDoc& doc, const InitMonth& im) { OpenOnlyMonth(doc, im.m); }

}  // namespace

// Everything happens in memory: the emptied remark texts, the month's data and the
// snapshot's catalog entry reach the disk together with the next save, in one
// transaction, so a crash or a full disk leaves either the month before or the month
// initialized, never remarks gone with the reports kept.
void InitializeMonth(CZarimDoc& doc, int m, int p, const MonthInitOptions& options) {
  if (m < 0 || m > 11 || p < 0 || p > 1 || doc.count < 1) return;
  const int marker = doc.header().remark[m][p];
  const InitMonth im{m,
                     p,
                     PreviousMonth(m),
                     PreviousMonthSlot(m, p),
                     SixMonthsBefore(m),
                     marker == 0 || marker == SlotYearMarker(doc, m)};
  if (options.take_snapshot) TakeRollSnapshot(doc, m);
  StartEveryPublisherMonth(doc, im);
  StartPostingState(doc, im);
  CarryAttendanceEnteredAhead(doc, im);
  TrimInactiveList(doc, im);
  DropExpiredMoves(doc, im);
  TrimDeletedList(doc, im);
  DropLeftoverQuarterHours(doc, im);
  OpenOnlyThisMonth(doc, im);
}

}  // namespace zarim
