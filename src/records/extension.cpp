// Reading and writing a publisher's extension record through the extension file.
#include "records/extension.h"

#include "core/data_files.h"

namespace zarim {

namespace {

int ExtRecordNumber(const CZarimDoc& doc, uint16_t key) {
  if (key == 0) return 0;
  for (int n = 1; n < doc.ext_count && n < kMaxExtIndex; ++n)
    if (doc.ext_index[n].key == key) return n;
  return 0;
}

bool KeyTaken(const CZarimDoc& doc, uint16_t key) {
  if (ExtRecordNumber(doc, key) != 0) return true;
  for (int r = 1; r < doc.count; ++r)
    if (doc.records[r].ext_key == key) return true;
  return false;
}

uint16_t NewExtKey(const CZarimDoc& doc, uint16_t preferred) {
  if (preferred >= kFirstValidId && !KeyTaken(doc, preferred)) return preferred;
  for (uint32_t k = kFirstValidId; k < 0xFFFF; ++k)
    if (!KeyTaken(doc, static_cast<uint16_t>(k))) return static_cast<uint16_t>(k);
  return 0;
}

}  // namespace

ExtensionData LoadExtension(CZarimDoc& doc, const PubRecord& r) {
  ExtensionData d;
  int n = ExtRecordNumber(doc, r.ext_key);
  if (n == 0 || !ReadExt(doc, n, r.ext_key)) return d;
  d.long_name = FieldText(doc.current_ext.long_name);
  d.email = FieldText(doc.current_ext.email);
  d.other = FieldText(doc.current_ext.other);
  d.further = doc.current_ext.further;
  return d;
}

bool StoreExtension(CZarimDoc& doc, PubRecord& r, const ExtensionData& data) {
  int n = ExtRecordNumber(doc, r.ext_key);
  if (data.empty()) {
    if (r.ext_key == 0) return true;
    if (n != 0) {
      // A record of zeros is free for the next publisher who needs one.
      doc.current_ext = ExtRecord{};
      if (!WriteExt(doc, n)) return false;
      doc.ext_index[n] = ExtIndexEntry{};
    }
    r.ext_key = 0;
    return true;
  }
  uint16_t key = r.ext_key;
  if (key == 0 || n == 0) {
    if (key == 0) key = NewExtKey(doc, r.id);
    if (key == 0) return false;
  }
  ExtRecord e{};
  e.key = key;
  SetField(e.long_name, data.long_name.substr(0, kMaxLongName));
  SetField(e.email, data.email.substr(0, kMaxEmail));
  SetField(e.other, data.other.substr(0, kMaxOtherContact));
  e.further = data.further;
  doc.current_ext = e;
  if (AddExt(doc) == 0) return false;
  r.ext_key = key;
  return true;
}

}  // namespace zarim
