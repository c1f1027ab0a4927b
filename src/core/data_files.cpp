// The loading order of the data folder.
#include "core/data_files.h"

#include "core/folder_journal.h"
#include "core/strings.h"

namespace zarim {

// Nothing here writes: the password has not been asked yet. An interrupted save is
// completed by the folder's owner (Congregation) after the password, under its lock.
void LoadRecords(CZarimDoc& doc, const Clock& clock) {
  LoadFormatOptions(doc);
  // The extension index needs the scrambling base, which the publisher table's marker
  // tells; so the table is read first.
  LoadPublishers(doc, clock);
  LoadExtensions(doc);
  LoadAppointments(doc);
  doc.RebuildIndex();
  doc.RepairIdentifiers();
}

void FinishLoad(CZarimDoc& doc) {
  // The emergency contacts may be tidied on disk, so they are read after the password.
  LoadEmergency(doc);
  LoadSpecialNeeds(doc);
  LoadMeetings(doc);
  LoadRemarksAtStart(doc);
  doc.special_servants_present = 0;
  doc.special_circumstances_present = 0;
  for (int r = 1; r < doc.count; ++r) {
    const PubRecord& rec = doc.records[r];
    if (rec.status == kActive && (rec.service_flags & kSpecialServant))
      doc.special_servants_present = 1;
    if (rec.special_circumstances & (kDeaf | kBlind | kIncarcerated))
      doc.special_circumstances_present = 1;
  }
}

bool LoadAll(CZarimDoc& doc, const Clock& clock, const LoadGate& gate) {
  LoadRecords(doc, clock);
  if (gate && !gate(doc)) return false;
  FinishLoad(doc);
  return true;
}

}  // namespace zarim
