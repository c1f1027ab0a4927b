// "emerg.dat" and "spneed.dat": emergency contacts and special needs, shared between
// publishers by key. Records no publisher uses are dropped from emerg.dat at start-up.
#include "core/keyed_files.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/file_read.h"
#include "core/strings.h"

namespace zarim {

namespace {

// The keys the publishers use, for one lookup per record of the file.
std::vector<bool> KeysInUse(const CZarimDoc& doc, U16 PubRecord::*field) {
  std::vector<bool> used(65536, false);
  for (int r = 1; r < doc.count; ++r) used[doc.records[r].*field] = true;
  return used;
}

// Reads the keys of a keyed file's records into an index: repeated keys and keys no
// publisher uses get 0. Only the keys are wanted, so the file goes through a small buffer
// of whole records instead of being held.
void IndexKeyed(CZarimDoc& doc, std::string_view name, size_t rec_size, size_t limit,
                U16 PubRecord::*field, DocTable<KeyRef>& index, int& count) {
  std::fill(index.begin(), index.end(), KeyRef{});
  count = 0;
  const std::string path = ResolvePath(doc.FolderForFiles(), name);
  const size_t n_max = std::min(limit, static_cast<size_t>(kMaxKeyRefs));
  // A partial load counts the records without reading their keys.
  if (doc.load_depth != LoadDepth::kWhole) {
    count = static_cast<int>(std::min<uint64_t>(FileSize(path) / rec_size, n_max));
    return;
  }
  const std::vector<bool> used = KeysInUse(doc, field);
  std::vector<bool> seen(65536, false);
  size_t n = 0;
  ReadFileRecords(path, rec_size, n_max, [&](const uint8_t* rec) {
    uint16_t key = GetU16(rec);
    if (seen[key] || !used[key]) key = 0;
    seen[GetU16(rec)] = true;
    index[n] = KeyRef{key, static_cast<uint16_t>(n)};
    ++n;
  });
  count = static_cast<int>(n);
}

}  // namespace

void LoadEmergency(CZarimDoc& doc) {
  // A folder open for reading is indexed where its records stand and not rewritten.
  if (doc.history_view || doc.read_only) {
    IndexKeyed(doc, kFileEmergency, sizeof(EmergencyRecord), kMaxKeyRefs, &PubRecord::emergency_key,
               doc.emergency_index, doc.emergency_count);
    return;
  }
  std::fill(doc.emergency_index.begin(), doc.emergency_index.end(), KeyRef{});
  doc.emergency_count = 0;
  if (doc.count <= 1) return;
  std::string path = ResolvePath(doc.data_folder, kFileEmergency);
  auto file = ReadFile(path);
  if (!file) return;
  constexpr size_t kRec = sizeof(EmergencyRecord);
  size_t n = std::min<size_t>(file->size() / kRec, 1000);
  std::set<uint16_t> seen;
  std::vector<bool> used = KeysInUse(doc, &PubRecord::emergency_key);
  Bytes kept;
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* p = file->data() + i * kRec;
    uint16_t key = GetU16(p);
    if (!seen.insert(key).second) key = 0;
    if (key < kFirstValidId || !used[key]) continue;
    if (doc.emergency_count >= kMaxKeyRefs) break;
    doc.emergency_index[doc.emergency_count] =
        KeyRef{key, static_cast<uint16_t>(doc.emergency_count)};
    ++doc.emergency_count;
    kept.insert(kept.end(), p, p + kRec);
  }
  // Nothing kept: the file stays as it was. Otherwise it is replaced by the kept records
  // in one step (the rename of emerg1.dat over emerg.dat).
  if (kept.empty()) return;
  if (kept.size() != file->size()) WriteFileAtomic(path, kept.data(), kept.size());
}

void LoadSpecialNeeds(CZarimDoc& doc) {
  IndexKeyed(doc, kFileSpecialNeeds, sizeof(SpecialNeedsRecord), kMaxKeyRefs,
             &PubRecord::special_needs_key, doc.special_needs_index, doc.special_needs_count);
  doc.new_report_form = doc.working_serial > doc.switch_serial ? 1 : 0;
}

}  // namespace zarim
