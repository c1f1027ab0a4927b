// Deleting publishers, permanently or temporarily.
#include "records/delete_form.h"

#include "core/month.h"
#include "core/store.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "records/placing.h"

namespace zarim {

uint16_t DeletionStamp(int year, int month) {
  int high = std::clamp(year - kFirstDeletionYear, 0, 255);
  int low = std::clamp(month, 0, 12);
  return static_cast<uint16_t>((high << 8) | low);
}

bool DeletePermanently(CZarimDoc& doc, int rec) {
  if (rec < 1 || rec >= doc.count) return false;
  const uint16_t id = doc.records[rec].id;
  for (int r = 1; r < doc.count; ++r)
    if (r != rec && doc.records[r].household_head == id) doc.records[r].household_head = 0;
  for (int i = 0; i < doc.appointment_count; ++i)
    if (doc.appointments[i].id == id) doc.appointments[i] = AppointmentRecord{};
  return RemoveRecord(doc, rec);
}

DeleteForm::DeleteForm(CZarimDoc& doc, int rec) : doc_(doc), rec_(rec) {
  month = doc.working_month + 1;
  year = doc.today_year;
}

std::string DeleteForm::Question() const {
  if (rec_ < 1 || rec_ >= doc_.count) return {};
  return Fill(Sid::kReallyDelete, ToUtf8(doc_.DisplayName(doc_.records[rec_]), doc_.language_code));
}

std::vector<std::string> DeleteForm::MonthTexts() const {
  std::vector<std::string> out{""};
  for (int m = 0; m < 12; ++m) out.push_back(ShortMonthName(m));
  return out;
}

std::vector<std::string> DeleteForm::YearTexts() const {
  std::vector<std::string> out;
  for (int y = kFirstDeletionYear; y <= std::max(doc_.today_year, kFirstDeletionYear); ++y)
    out.push_back(Printf(Sid::kYearFormat4, y));
  return out;
}

DeleteForm::Result DeleteForm::Ok() {
  if (rec_ < 1 || rec_ >= doc_.count) return Result::kFailed;
  if (!temporary) {
    if (!DeletePermanently(doc_, rec_)) return Result::kFailed;
    if (DocumentStore* store = StoreOf(doc_)) store->Save();
    return Result::kDeleted;
  }
  if (RoomFor(doc_, kDeleted) != Room::kYes) return Result::kRefused;
  PubRecord& r = doc_.records[rec_];
  r.status = kDeleted;
  r.status_month = 0;
  r.flags = static_cast<uint8_t>(r.flags & ~(kPrivilegeMask | kContinuousAux | kCustomCategory));
  r.status_stamp = DeletionStamp(year, month);
  if (DocumentStore* store = StoreOf(doc_)) store->Save();
  return Result::kDeleted;
}

}  // namespace zarim
