// Fuzzes reading emergency contacts and special needs through their directories, the
// forms that show them, and storing a new entry next to whatever the files hold.
#include "core/data_files.h"
#include "fuzz_support.h"
#include "records/contact_info_form.h"
#include "records/emergency.h"
#include "records/keyed_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zarim;
  fuzz::ClearScratch();
  size_t half = size / 2;
  fuzz::WriteScratch("emerg.dat", data, half);
  fuzz::WriteScratch("spneed.dat", data + half, size - half);
  CZarimDoc doc;
  doc.data_folder = fuzz::ScratchFolder();
  doc.ResetHeader();
  // Publishers that refer to the keys found at the start of each 256- and 96-byte step,
  // so that the loaders keep those records.
  for (int i = 0; i < 20; ++i) {
    PubRecord& r = doc.records[doc.count++];
    r.id = static_cast<uint16_t>(10 + i);
    size_t e = static_cast<size_t>(i) * sizeof(EmergencyRecord);
    size_t s = half + static_cast<size_t>(i) * sizeof(SpecialNeedsRecord);
    if (e + 2 <= half) r.emergency_key = static_cast<uint16_t>(data[e] | (data[e + 1] << 8));
    if (s + 2 <= size) r.special_needs_key = static_cast<uint16_t>(data[s] | (data[s + 1] << 8));
  }
  doc.RebuildIndex();
  LoadEmergency(doc);
  LoadSpecialNeeds(doc);
  for (const auto& c : AllEmergencyContacts(doc)) (void)ReadEmergency(doc, c.key);
  for (const auto& n : AllSpecialNeeds(doc)) (void)ReadSpecialNeed(doc, n.key);
  PubRecord& first = doc.records[1];
  EmergencyForm contact(doc, first);
  (void)contact.ExistingContacts();
  (void)contact.shared_note_shown();
  contact.name += "x";
  (void)contact.Ok();
  ContactInfoForm info(doc, first);
  (void)info.CommonNeeds();
  (void)info.shared_shown();
  info.need += "need";
  (void)info.Ok();
  (void)StoreNewEmergency(doc, EmergencyRecord{});
  return 0;
}
