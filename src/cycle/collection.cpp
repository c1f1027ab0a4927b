// The report collection of the working month.
#include "cycle/collection.h"

#include "core/month.h"
#include "core/strings.h"
#include "cycle/branch_totals.h"

namespace zarim {

std::string WorkingMonthStatusText(const CZarimDoc& doc) {
  return Fill(Sid::kWorkingMonthStatus, MonthYearName(doc.working_month, doc.working_year));
}

// These run inside an edit of the owner, whose commit marks the document.
void CloseCollection(CZarimDoc& doc) {
  SetCollectionStateOf(doc, doc.working_month, MonthCollection::kClosed);
}

void ReopenCollection(CZarimDoc& doc, int month) {
  SetCollectionStateOf(doc, MonthOfSerial(month), MonthCollection::kOpen);
}

void OpenOnlyMonth(CZarimDoc& doc, int month) {
  for (int m = 0; m < 12; ++m) SetCollectionStateOf(doc, m, MonthCollection::kNotInitialized);
  SetCollectionStateOf(doc, MonthOfSerial(month), MonthCollection::kOpen);
}

void ResetMonthAfterNext(CZarimDoc& doc) {
  SetCollectionStateOf(doc, MonthOfSerial(doc.working_month + 2), MonthCollection::kNotInitialized);
}

void MoveWorkingMonth(CZarimDoc& doc, int serial) {
  if (serial < 0 || serial > 0xFFFF || serial == doc.working_serial) return;
  // What a save would write for the old month (markers, resume identifier) is what a
  // reload for the new month reads back; doing both in memory loses no unsaved change.
  if (doc.count > 0) {
    doc.StoreLateMarkers();
    StoreResumeId(doc);
  }
  doc.SetWorkingSerial(static_cast<uint16_t>(serial));
  doc.BuildLateList();
  doc.resume_id = 0;
  if (doc.count > 0) RestoreResumeId(doc);
}

}  // namespace zarim
