// The status moves. Each asks for its month, changes the status fields of the record,
// and rebuilds the lists; Cancel changes nothing.
#include "cycle/status_moves.h"

#include <algorithm>

#include "core/month.h"
#include "core/text_codec.h"
#include "cycle/branch_totals.h"
#include "cycle/status_rules.h"
#include "records/placing.h"

namespace zarim {

namespace {

PubRecord* RecordWithStatus(CZarimDoc& doc, int rec, std::initializer_list<uint8_t> statuses) {
  if (rec <= 0 || rec >= doc.count) return nullptr;
  PubRecord& r = doc.records[rec];
  return std::find(statuses.begin(), statuses.end(), r.status) != statuses.end() ? &r : nullptr;
}

// Serial of 1-based month among the twelve months that end with the working month.
uint16_t SerialOfRecentMonth(const CZarimDoc& doc, int month) {
  int m = month - 1;
  return static_cast<uint16_t>(
      Serial(YearInWorkingYear(m, doc.working_month, doc.working_year), m));
}

// Asks for the month; false when cancelled.
bool AskMonth(CZarimDoc& doc, PubRecord& r, Sid event, bool with_years, bool with_tick,
              const MonthAsker& ask, SelectMonthForm* out) {
  SelectMonthForm form(doc, MonthPrompt(doc, r, event), with_years, with_tick);
  if (!ask || !ask(form)) return false;
  *out = form;
  return true;
}

constexpr uint8_t kKeptOnReactivation = kFamilyHead | kMale | kFemale;

}  // namespace

bool ListHasRoom(const CZarimDoc& doc, uint8_t status) {
  return RoomFor(doc, status) == Room::kYes;
}

MoveResult TransferToInactive(CZarimDoc& doc, int rec, const MonthAsker& ask) {
  PubRecord* r = RecordWithStatus(doc, rec, {kActive});
  if (!r || !ListHasRoom(doc, kInactive)) return MoveResult::kRefused;
  SelectMonthForm form(doc, {}, true);
  if (!AskMonth(doc, *r, Sid::kEventBecameInactive, true, false, ask, &form))
    return MoveResult::kCancelled;
  r->status_month = static_cast<uint8_t>(form.ResultMonth() << 4);
  r->status_year = CalendarToStatusYear(form.ResultYear());
  r->flags &= static_cast<uint8_t>(~(kCustomCategory | kExcludeFromGroupList));
  r->status = kInactive;
  return MoveResult::kDone;
}

int ReactivationSpan(const CZarimDoc& doc, const PubRecord& r, int month) {
  // A month after the working month lies in the previous year, so the span is counted
  // from that year, not from the working year.
  int year = YearInWorkingYear(month - 1, doc.working_month, doc.working_year);
  int n = (year - StatusYearToTwoDigit(r.status_year)) * 12 - StatusEventMonth(r) + month;
  return std::clamp(n, 0, 24);
}

MoveResult Reactivate(CZarimDoc& doc, int rec, const MonthAsker& ask) {
  PubRecord* r = RecordWithStatus(doc, rec, {kInactive});
  if (!r || !ListHasRoom(doc, kActive)) return MoveResult::kRefused;
  SelectMonthForm form(doc, {}, false);
  if (!AskMonth(doc, *r, Sid::kEventReactivated, false, false, ask, &form))
    return MoveResult::kCancelled;
  int month = form.ResultMonth();
  int n = ReactivationSpan(doc, *r, month);
  r->status_month = static_cast<uint8_t>((month << 4) | kStatusReactivated);
  r->status_year = r->status_month;
  r->status_stamp = SerialOfRecentMonth(doc, month);
  r->flags &= kKeptOnReactivation;
  r->status = kActive;
  // The months of inactivity start afresh: no reports, no pioneer code, no remarks.
  MonthCursor c = CursorAt(r->status_stamp);
  for (int i = 0; i < n; ++i, c.Back()) {
    for (int f = 0; f < 5; ++f) r->activity[f][c.month][c.slot] = 0;
    r->pioneer[c.month][c.slot] = 0;
    int index = r->remark[c.month][c.slot];
    if (index > 0 && index < doc.remark_count && doc.remarks[index].id == r->id) {
      SetField(doc.remarks[index].text, "");
      r->remark[c.month][c.slot] = 0;
    }
  }
  return MoveResult::kDone;
}

MoveResult MoveOut(CZarimDoc& doc, int rec, const MonthAsker& ask) {
  PubRecord* r = RecordWithStatus(doc, rec, {kActive, kInactive});
  if (!r || !ListHasRoom(doc, kMoved)) return MoveResult::kRefused;
  SelectMonthForm form(doc, {}, false);
  if (!AskMonth(doc, *r, Sid::kEventMovedAway, false, false, ask, &form))
    return MoveResult::kCancelled;
  // The status year is left alone: for an inactive publisher it keeps the year he became
  // inactive, which his return needs again.
  uint16_t origin = r->status == kInactive
                        ? static_cast<uint16_t>(kMovedFromInactiveMark |
                                                (StatusEventMonth(*r) & kRememberedMonthMask))
                        : static_cast<uint16_t>(0);
  r->reserved = static_cast<uint16_t>(origin | kMoveStampMark);
  r->status_month = static_cast<uint8_t>(form.ResultMonth() << 4);
  r->status_stamp = SerialOfRecentMonth(doc, form.ResultMonth());
  // The extension record (e-mail, long name) and the household link stay with the
  // record: a return or an undone move-out needs them again.
  r->status = kMoved;
  return MoveResult::kDone;
}

MoveResult ReturnMoved(CZarimDoc& doc, int rec, const MonthAsker& ask) {
  PubRecord* r = RecordWithStatus(doc, rec, {kMoved});
  if (!r) return MoveResult::kRefused;
  if (MovedFromInactive(*r)) {
    if (!ListHasRoom(doc, kInactive)) return MoveResult::kRefused;
    r->status_month = static_cast<uint8_t>(RememberedInactiveMonth(*r) << 4);
    if (HasMoveStamp(*r)) r->status_stamp = 0;
    r->reserved = 0;
    r->status = kInactive;
    return MoveResult::kDone;
  }
  if (!ListHasRoom(doc, kActive)) return MoveResult::kRefused;
  SelectMonthForm form(doc, {}, false);
  if (!AskMonth(doc, *r, Sid::kEventReturned, false, true, ask, &form))
    return MoveResult::kCancelled;
  r->status_month = static_cast<uint8_t>((form.ResultMonth() << 4) |
                                         (form.ticked() ? kStatusRegularTransfer : 0));
  r->status_year = r->status_month;
  if (HasMoveStamp(*r)) r->status_stamp = 0;
  r->reserved = 0;
  r->status = kActive;
  return MoveResult::kDone;
}

MoveResult UndoMoveOut(CZarimDoc& doc, int rec, const MonthAsker& ask) {
  PubRecord* r = RecordWithStatus(doc, rec, {kMoved});
  if (!r) return MoveResult::kRefused;
  std::string question = Fill(Sid::kReverseMoveout, ToUtf8(doc.DisplayName(*r), doc.language_code));
  if (doc.prompter->Ask(question, Buttons::kOkCancel, Answer::kOk) != Answer::kOk)
    return MoveResult::kCancelled;
  return ReturnMoved(doc, rec, ask);
}

MoveResult MakePublisher(CZarimDoc& doc, int rec, const MonthAsker& ask) {
  PubRecord* r = RecordWithStatus(doc, rec, {kNonPublisher});
  if (!r || !ListHasRoom(doc, kActive)) return MoveResult::kRefused;
  SelectMonthForm form(doc, {}, false);
  if (!AskMonth(doc, *r, Sid::kEventBecamePublisher, false, false, ask, &form))
    return MoveResult::kCancelled;
  int month = form.ResultMonth();
  r->status_month = static_cast<uint8_t>((month << 4) | kStatusNew);
  r->status_year = r->status_month;
  r->status_stamp = SerialOfRecentMonth(doc, month);
  r->status = kActive;
  // Reports of a Bible student do not count: the publisher starts with empty months.
  for (auto& field : r->activity)
    for (auto& month_cells : field)
      for (auto& cell : month_cells) cell = 0;
  for (auto& month_codes : r->pioneer)
    for (auto& code : month_codes) code = 0;
  return MoveResult::kDone;
}

MoveResult RestoreDeleted(CZarimDoc& doc, int rec, const MonthAsker& ask) {
  PubRecord* r = RecordWithStatus(doc, rec, {kDeleted});
  if (!r || !ListHasRoom(doc, kActive)) return MoveResult::kRefused;
  SelectMonthForm form(doc, {}, false);
  if (!AskMonth(doc, *r, Sid::kEventReactivated, false, false, ask, &form))
    return MoveResult::kCancelled;
  r->status_month = static_cast<uint8_t>((form.ResultMonth() << 4) | kStatusReactivated);
  r->status_year = r->status_month;
  r->flags &= kKeptOnReactivation;
  r->status_stamp = 0;
  r->status = kActive;
  return MoveResult::kDone;
}

MoveResult MoveToActive(CZarimDoc& doc, int rec, const MonthAsker& ask) {
  if (RecordWithStatus(doc, rec, {kNonPublisher})) return MakePublisher(doc, rec, ask);
  if (RecordWithStatus(doc, rec, {kInactive})) return Reactivate(doc, rec, ask);
  return MoveResult::kRefused;
}

}  // namespace zarim
