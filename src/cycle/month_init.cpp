// Month initialization.
#include "cycle/month_init.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "core/data_files.h"
#include "core/file_names.h"
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

void WriteRemarkFile(CZarimDoc& doc) {
  std::string path = JoinPath(doc.data_folder, kFileRemarks);
  Bytes file = ReadFile(ResolvePath(doc.data_folder, kFileRemarks)).value_or(Bytes{});
  if (doc.remark_count <= 1 && file.empty()) return;
  RemarkWriter writer(file);
  for (int i = 1; i < doc.remark_count; ++i) writer.Write(doc.remarks[i]);
  // The remark file may be skipped silently when it cannot be written.
  WriteFileAtomic(path, file.data(), file.size());
}

}  // namespace

int StatusYearOf(uint8_t v) { return v > 200 ? 1744 + v : 2000 + v; }

void DeleteRecordPermanently(CZarimDoc& doc, int rec) {
  if (rec < 1 || rec >= doc.count) return;
  for (int r = rec; r + 1 < doc.count; ++r) doc.records[r] = doc.records[r + 1];
  doc.records[doc.count - 1] = PubRecord{};
  --doc.count;
  doc.RebuildIndex();
  doc.MarkModified();
}

void InitializeMonth(CZarimDoc& doc, int m, int p, const MonthInitOptions& options) {
  if (m < 0 || m > 11 || p < 0 || p > 1 || doc.count < 1) return;

  // 1. The snapshot of the month that ends now.
  if (options.take_snapshot) TakeRollSnapshot(doc, m);

  const int s6 = SixMonthsBefore(m);
  const int prev = PreviousMonth(m);
  const int pp = PreviousMonthSlot(m, p);

  for (int r = 1; r < doc.count; ++r) {
    PubRecord& rec = doc.records[r];
    switch (rec.status) {
      case kActive: {
        // 2. Statuses age, pioneers carry forward, the month's cells start empty.
        if ((rec.status_month >> 4) == s6) rec.status_month = 0;
        if ((rec.status_year >> 4) == m + 1 && (rec.status_month >> 4) != m + 1)
          rec.status_year &= 0x0F;
        if (rec.status_stamp != 0 && rec.status_stamp + 24 < doc.working_serial) {
          rec.status_stamp = 0;
          rec.status_year = 0;
        }
        uint8_t carried = rec.pioneer[prev][pp] & 0x03;
        if (rec.flags & kContinuousAux) {
          rec.pioneer[m][p] = kAuxiliary;
        } else if (carried == kRegular || carried == kSpecial) {
          rec.pioneer[m][p] = carried;
        } else {
          rec.pioneer[m][p] = kPublisher;
        }
        ClearRemark(doc, rec, m, p);
        ClearActivity(rec, m, p);
        rec.credit[m][p] = 0;
        break;
      }
      case kNonPublisher:
        // 3.
        rec.credit[m][p] = 0;
        ClearActivity(rec, m, p);
        ClearRemark(doc, rec, m, p);
        break;
      case kDeleted:
        // 4.
        rec.credit[m][p] = 0;
        ClearActivity(rec, m, p);
        rec.pioneer[m][p] = 0;
        ClearRemark(doc, rec, m, p);
        break;
      default:
        break;
    }
  }

  // 5. - 8.
  doc.resume_id = 0;
  int marker =
      doc.today_short_year - ((m == 11 && (doc.today_month == 1 || doc.today_month == 2)) ? 1 : 0);
  doc.header().remark[m][p] = static_cast<uint16_t>(marker);
  doc.late_count = 0;

  // 9. Attendance typed ahead (slot 2) becomes the month's; every other month's is dropped.
  for (AttendanceBlock& a : doc.attendance) {
    auto carry = [&](U16(&table)[12][3]) {
      table[m][p] = table[m][2];
      for (int k = 0; k < 12; ++k)
        if (k != m) table[k][2] = 0;
    };
    for (auto& week : a.week) carry(week);
    carry(a.meetings);
    carry(a.total);
    carry(a.average);
  }

  // 10.
  WriteRemarkFile(doc);

  // 11. The inactive list.
  CutBackList(
      doc, kInactive, [](const PubRecord& r) { return StatusYearOf(r.status_year); },
      [](const PubRecord& r) { return r.status_month >> 4; });
  for (int r = 1; r < doc.count; ++r) {
    PubRecord& rec = doc.records[r];
    if (rec.status != kInactive || (rec.status_year % 2) != p) continue;
    if ((rec.status_month >> 4) == m + 1) {
      rec.pioneer[m][p] = 0;
      ClearActivity(rec, m, p);
    }
    ClearRemark(doc, rec, m, p);
    rec.credit[m][p] = 0;
  }

  // 12. A move is kept twelve months. One recorded with its month's serial is counted
  // from that month, so a move into the month now being initialized is not taken as a
  // year old.
  const int init_serial = Serial(YearInWorkingYear(m, doc.working_month, doc.working_year), m);
  for (int r = doc.count - 1; r >= 1; --r) {
    PubRecord& rec = doc.records[r];
    if (rec.status != kMoved) continue;
    bool expired =
        HasMoveStamp(rec) ? init_serial - rec.status_stamp >= 12 : (rec.status_month >> 4) == m + 1;
    if (expired) {
      DeleteRecordPermanently(doc, r);
      continue;
    }
    ClearRemark(doc, rec, m, p);
    ClearActivity(rec, m, p);
    rec.credit[m][p] = 0;
  }

  // 13. The deleted list, by the deletion stamp (year - 1950, month).
  CutBackList(
      doc, kDeleted, [](const PubRecord& r) { return 1950 + (r.status_stamp >> 8); },
      [](const PubRecord& r) { return r.status_stamp & 0xFF; });
  for (int r = 1; r < doc.count; ++r) {
    PubRecord& rec = doc.records[r];
    if (rec.status != kDeleted) continue;
    if ((rec.status_stamp & 0xFF) == m + 1) {
      rec.status_month = 0;
      int back = doc.today_month < m + 1 ? 2 : 1;
      rec.status_year = static_cast<uint8_t>(doc.today_short_year - back);
      rec.pioneer[m][p] = 0;
      ClearActivity(rec, m, p);
    }
    ClearRemark(doc, rec, m, p);
    rec.credit[m][p] = 0;
  }

  // 14. Quarter hours left over in the month before are not carried into this one.
  U16& q = doc.totals.value[prev][kQuarterTotalsCounter][pp];
  if (q % 4 != 0) {
    U16& header_studies = doc.header().activity[kBibleStudies][m][p];
    header_studies = static_cast<uint16_t>(header_studies & ~kQuarterMask);
    q = static_cast<uint16_t>(q - q % 4);
  }

  // 15.
  OpenOnlyMonth(doc, m);
  doc.RebuildIndex();
  doc.MarkModified();
  RecomputeTotals(doc);
}

}  // namespace zarim
