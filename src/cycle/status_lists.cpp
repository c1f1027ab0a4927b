// The status lists of the View menu and of the status dialogs, with their line formats.
#include "cycle/status_lists.h"

#include <functional>

#include "core/month.h"
#include "core/text_codec.h"

namespace zarim {

void ForEachOfStatus(const CZarimDoc& doc, uint8_t status, int group,
                     const std::function<void(int rec, const PubRecord& r)>& fn) {
  int n = std::min(doc.status_count[status], kMaxStatusList);
  for (int i = 0; i < n; ++i) {
    int rec = doc.lists[status][i].rec;
    if (rec <= 0 || rec >= doc.count) continue;
    const PubRecord& r = doc.records[rec];
    if (r.status != status) continue;
    if (group != 0 && r.group != group) continue;
    fn(rec, r);
  }
}

namespace {

bool HasRemarkIn(const CZarimDoc& doc, const PubRecord& r, int month, int slot) {
  int index = r.remark[month][slot];
  if (index <= 0 || index >= doc.remark_count) return false;
  return !Trim(FieldText(doc.remarks[index].text)).empty();
}

// Year of a month (1-based) among the twelve months that end with the working month.
int CalendarYearOfRecentMonth(const CZarimDoc& doc, int month) {
  return 2000 + YearInWorkingYear(month - 1, doc.working_month, doc.working_year);
}

std::vector<StatusLine> FlagList(const CZarimDoc& doc, uint8_t flag, int position, int group) {
  std::vector<StatusLine> out;
  ForEachOfStatus(doc, kActive, group, [&](int rec, const PubRecord& r) {
    int month = StatusListMonth(doc, r, flag, position);
    if (month == 0) return;
    // The stamp knows the year, also when it lies after the working month (a status
    // recorded for the clock's month before the working month caught up).
    int year = r.status_stamp != 0 ? 2000 + YearOfSerial(r.status_stamp)
                                   : CalendarYearOfRecentMonth(doc, month);
    out.push_back(
        {static_cast<uint16_t>(rec), Printf(Sid::kStatusListLine, ShownName(doc, r).c_str(), year,
                                            MonthName(month - 1).c_str())});
  });
  return out;
}

}  // namespace

Sid ViewPeriodCaption(bool inactive_list, int position) {
  if (inactive_list)
    return PeriodCaption(static_cast<InactivePeriod>(std::clamp(position, 0, 4) + 1));
  if (position >= kViewPeriodLast24) return Sid::kPeriodLast24;
  return PeriodCaption(static_cast<InactivePeriod>(std::max(position, 0) + 1));
}

std::string ShownName(const CZarimDoc& doc, const PubRecord& r) {
  return ToUtf8(doc.DisplayName(r), doc.language_code);
}

std::vector<StatusLine> IrregularList(const CZarimDoc& doc, int group) {
  std::vector<StatusLine> out;
  ForEachOfStatus(doc, kActive, group, [&](int rec, const PubRecord& r) {
    uint16_t mask = MissingMonthsMask(doc, r);
    if (mask == 0) return;
    std::string line = ShownName(doc, r);
    for (int m = 0; m < 12; ++m) {
      if (!(mask & (1u << m))) continue;
      line += '\t';
      line += ShortMonthName(m);
      if (HasRemarkIn(doc, r, m, doc.SlotOfMonth(m))) line += Str(Sid::kRemarkMark);
    }
    out.push_back({static_cast<uint16_t>(rec), std::move(line)});
  });
  return out;
}

int StatusListMonth(const CZarimDoc& doc, const PubRecord& r, uint8_t flag, int position) {
  int sm_month = r.status_month >> 4;
  int sy_month = r.status_year >> 4;
  bool sm_flag = (r.status_month & flag) != 0;
  bool sy_flag = (r.status_year & kStatusFlagMask & flag) != 0;
  // A status stamped 24 or more months ago belongs to no period of these lists.
  const int age = doc.working_serial - r.status_stamp;
  if (r.status_stamp != 0 && age >= 24) return 0;
  switch (position) {
    case kViewPeriodLastSix:
      return sm_flag && InLastSixMonths(doc, sm_month) ? sm_month : 0;
    case kViewPeriodServiceYear:
      return sy_flag && InServiceYearSoFar(doc, sy_month) ? sy_month : 0;
    case kViewPeriodLastTwelve:
      if (sy_flag && sy_month != 0) return sy_month;
      return sm_flag ? sm_month : 0;
    default: {
      if (!sm_flag && !sy_flag) return 0;
      if (r.status_stamp != 0 && age >= 12) return MonthOfSerial(r.status_stamp) + 1;
      // Once the status month is cleared (after six months) the year copy still holds
      // the month, as it does for the twelve months: the longer period lists no fewer.
      if (sm_flag && sm_month != 0) return sm_month;
      return StatusListMonth(doc, r, flag, kViewPeriodLastTwelve);
    }
  }
}

std::vector<StatusLine> NewPublishersList(const CZarimDoc& doc, int position, int group) {
  return FlagList(doc, kStatusNew, position, group);
}

std::vector<StatusLine> ReactivatedList(const CZarimDoc& doc, int position, int group) {
  return FlagList(doc, kStatusReactivated, position, group);
}

std::string InactiveEntryText(const CZarimDoc& doc, const PubRecord& r) {
  int month = StatusEventMonth(r);
  std::string month_text = month >= 1 && month <= 12 ? ShortMonthName(month - 1) : std::string();
  return ShownName(doc, r) + "\t" +
         Printf(Sid::kInactiveSince, StatusYearToCalendar(r.status_year), month_text.c_str());
}

std::vector<StatusLine> InactiveDialogList(const CZarimDoc& doc, InactivePeriod period) {
  std::vector<StatusLine> out;
  ForEachOfStatus(doc, kInactive, 0, [&](int rec, const PubRecord& r) {
    if (InInactivePeriod(doc, r, period))
      out.push_back({static_cast<uint16_t>(rec), InactiveEntryText(doc, r)});
  });
  return out;
}

std::vector<StatusLine> InactiveViewList(const CZarimDoc& doc, int position, int group) {
  std::vector<StatusLine> out;
  auto period = static_cast<InactivePeriod>(std::clamp(position, 0, 4) + 1);
  ForEachOfStatus(doc, kInactive, group, [&](int rec, const PubRecord& r) {
    if (!InInactivePeriod(doc, r, period)) return;
    out.push_back({static_cast<uint16_t>(rec),
                   Printf(Sid::kInactiveListLine, InactiveEntryText(doc, r).c_str(),
                          static_cast<int>(r.group))});
  });
  return out;
}

std::vector<StatusLine> MoveoutsList(const CZarimDoc& doc, int position, int group) {
  std::vector<StatusLine> out;
  ForEachOfStatus(doc, kMoved, group, [&](int rec, const PubRecord& r) {
    int month = StatusEventMonth(r);
    if (month < 1 || month > 12) return;
    if (position == kViewPeriodLastSix && !InLastSixMonths(doc, month)) return;
    if (position == kViewPeriodServiceYear && !InServiceYearSoFar(doc, month)) return;
    out.push_back({static_cast<uint16_t>(rec),
                   Printf(Sid::kStatusListLine, ShownName(doc, r).c_str(),
                          CalendarYearOfRecentMonth(doc, month), MonthName(month - 1).c_str())});
  });
  return out;
}

std::vector<StatusLine> CandidateList(const CZarimDoc& doc, int group) {
  std::vector<StatusLine> out;
  ForEachOfStatus(doc, kActive, group, [&](int rec, const PubRecord& r) {
    if (IsInactiveCandidate(doc, r)) out.push_back({static_cast<uint16_t>(rec), ShownName(doc, r)});
  });
  return out;
}

std::vector<StatusLine> DeletedList(const CZarimDoc& doc) {
  std::vector<StatusLine> out;
  ForEachOfStatus(doc, kDeleted, 0, [&](int rec, const PubRecord& r) {
    std::string text = ShownName(doc, r);
    int month = r.status_stamp & 0xFF;
    if (month >= 1 && month <= 12)
      text += "\t" + Printf(Sid::kDeletedSince, ShortMonthName(month - 1).c_str(),
                            1950 + (r.status_stamp >> 8));
    out.push_back({static_cast<uint16_t>(rec), std::move(text)});
  });
  return out;
}

std::vector<StatusLine> NamesOfStatus(const CZarimDoc& doc, uint8_t status) {
  std::vector<StatusLine> out;
  ForEachOfStatus(doc, status, 0, [&](int rec, const PubRecord& r) {
    out.push_back({static_cast<uint16_t>(rec), ShownName(doc, r)});
  });
  return out;
}

}  // namespace zarim
