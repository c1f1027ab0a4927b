// Reading and writing entries of emerg.dat and spneed.dat through their directories.
#include "records/keyed_store.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/strings.h"

namespace zarim {

namespace {

struct FileInfo {
  std::string_view name;
  size_t size;
  U16 PubRecord::*link;
};

FileInfo Info(KeyedFile f) {
  if (f == KeyedFile::kEmergency)
    return {kFileEmergency, sizeof(EmergencyRecord), &PubRecord::emergency_key};
  return {kFileSpecialNeeds, sizeof(SpecialNeedsRecord), &PubRecord::special_needs_key};
}

const DocTable<KeyRef>& Directory(const CZarimDoc& doc, KeyedFile f) {
  return f == KeyedFile::kEmergency ? doc.emergency_index : doc.special_needs_index;
}
DocTable<KeyRef>& Directory(CZarimDoc& doc, KeyedFile f) {
  return f == KeyedFile::kEmergency ? doc.emergency_index : doc.special_needs_index;
}
int DirectoryCount(const CZarimDoc& doc, KeyedFile f) {
  int n = f == KeyedFile::kEmergency ? doc.emergency_count : doc.special_needs_count;
  return std::clamp(n, 0, kMaxKeyRefs);
}
int& DirectoryCount(CZarimDoc& doc, KeyedFile f) {
  return f == KeyedFile::kEmergency ? doc.emergency_count : doc.special_needs_count;
}

std::string PathOf(const CZarimDoc& doc, KeyedFile f) {
  return ResolvePath(doc.FolderForFiles(), Info(f).name);
}

// Slot of id in the directory, -1 when absent.
int SlotOf(const CZarimDoc& doc, KeyedFile f, uint16_t id) {
  if (id < kFirstValidId) return -1;
  const auto& dir = Directory(doc, f);
  int n = DirectoryCount(doc, f);
  for (int i = 0; i < n; ++i)
    if (dir[i].key == id) return i;
  return -1;
}

bool ReadRaw(const CZarimDoc& doc, KeyedFile f, uint16_t id, void* out) {
  int slot = SlotOf(doc, f, id);
  const FileInfo info = Info(f);
  std::memset(out, 0, info.size);
  if (slot < 0) return false;
  auto file = ReadFile(PathOf(doc, f));
  size_t rec = Directory(doc, f)[slot].rec;
  if (!file || file->size() < (rec + 1) * info.size) return false;
  std::memcpy(out, file->data() + rec * info.size, info.size);
  return GetU16(static_cast<const uint8_t*>(out)) == id;
}

// Writes one record at position rec of the file (the file grows when needed).
bool WriteRaw(const CZarimDoc& doc, KeyedFile f, size_t rec, const void* data) {
  if (doc.history_view) return false;
  const FileInfo info = Info(f);
  std::string path = PathOf(doc, f);
  Bytes file = ReadFile(path).value_or(Bytes{});
  file.resize(std::max(file.size() / info.size, rec + 1) * info.size, 0);
  std::memcpy(file.data() + rec * info.size, data, info.size);
  return WriteFileAtomic(path, file.data(), file.size());
}

bool Rewrite(CZarimDoc& doc, KeyedFile f, const void* data) {
  uint16_t id = GetU16(static_cast<const uint8_t*>(data));
  int slot = SlotOf(doc, f, id);
  if (slot < 0) return false;
  return WriteRaw(doc, f, Directory(doc, f)[slot].rec, data);
}

uint16_t StoreNew(CZarimDoc& doc, KeyedFile f, void* data) {
  uint16_t id = FreeKeyedId(doc, f);
  if (id == 0) return 0;
  PutU16(static_cast<uint8_t*>(data), id);
  auto& dir = Directory(doc, f);
  int& count = DirectoryCount(doc, f);
  count = std::clamp(count, 0, kMaxKeyRefs);
  int slot = -1;
  for (int i = 0; i < count; ++i)
    if (dir[i].key == 0) {
      slot = i;
      break;
    }
  if (slot < 0) {
    if (count >= kMaxKeyRefs) return 0;
    slot = count;
  }
  // Entry i of the directory describes record i of the file.
  if (!WriteRaw(doc, f, static_cast<size_t>(slot), data)) return 0;
  dir[slot] = KeyRef{id, static_cast<uint16_t>(slot)};
  if (slot == count) ++count;
  return id;
}

template <typename Rec>
std::vector<Rec> All(const CZarimDoc& doc, KeyedFile f) {
  std::vector<Rec> out;
  auto file = ReadFile(PathOf(doc, f));
  if (!file) return out;
  const auto& dir = Directory(doc, f);
  int n = DirectoryCount(doc, f);
  for (int i = 0; i < n; ++i) {
    if (dir[i].key < kFirstValidId) continue;
    size_t rec = dir[i].rec;
    if (file->size() < (rec + 1) * sizeof(Rec)) continue;
    Rec r;
    std::memcpy(&r, file->data() + rec * sizeof(Rec), sizeof(Rec));
    if (r.key != dir[i].key) continue;
    out.push_back(r);
  }
  return out;
}

}  // namespace

uint16_t FreeKeyedId(const CZarimDoc& doc, KeyedFile f) {
  std::vector<bool> used(0x10000, false);
  const auto& dir = Directory(doc, f);
  for (int i = 0, n = DirectoryCount(doc, f); i < n; ++i) used[dir[i].key] = true;
  const auto link = Info(f).link;
  for (int r = 1; r < doc.count; ++r) used[doc.records[r].*link] = true;
  for (uint32_t id = kFirstValidId; id < 0x10000; ++id)
    if (!used[id]) return static_cast<uint16_t>(id);
  return 0;
}

int KeyedUsers(const CZarimDoc& doc, KeyedFile f, uint16_t id) {
  if (id < kFirstValidId) return 0;
  const auto link = Info(f).link;
  int n = 0;
  for (int r = 1; r < doc.count; ++r)
    if (doc.records[r].*link == id) ++n;
  return n;
}

std::optional<EmergencyRecord> ReadEmergency(const CZarimDoc& doc, uint16_t id) {
  EmergencyRecord r;
  if (!ReadRaw(doc, KeyedFile::kEmergency, id, &r)) return std::nullopt;
  // Texts end inside their fields whatever the file holds.
  r.name[sizeof r.name - 1] = 0;
  r.info[sizeof r.info - 1] = 0;
  r.home_phone[sizeof r.home_phone - 1] = 0;
  r.mobile_phone[sizeof r.mobile_phone - 1] = 0;
  r.work_phone[sizeof r.work_phone - 1] = 0;
  return r;
}

std::optional<SpecialNeedsRecord> ReadSpecialNeed(const CZarimDoc& doc, uint16_t id) {
  SpecialNeedsRecord r;
  if (!ReadRaw(doc, KeyedFile::kSpecialNeeds, id, &r)) return std::nullopt;
  r.text[sizeof r.text - 1] = 0;
  return r;
}

bool RewriteEmergency(CZarimDoc& doc, const EmergencyRecord& r) {
  return Rewrite(doc, KeyedFile::kEmergency, &r);
}
bool RewriteSpecialNeed(CZarimDoc& doc, const SpecialNeedsRecord& r) {
  return Rewrite(doc, KeyedFile::kSpecialNeeds, &r);
}

uint16_t StoreNewEmergency(CZarimDoc& doc, EmergencyRecord r) {
  return StoreNew(doc, KeyedFile::kEmergency, &r);
}
uint16_t StoreNewSpecialNeed(CZarimDoc& doc, SpecialNeedsRecord r) {
  return StoreNew(doc, KeyedFile::kSpecialNeeds, &r);
}

std::vector<EmergencyRecord> AllEmergencyContacts(const CZarimDoc& doc) {
  auto out = All<EmergencyRecord>(doc, KeyedFile::kEmergency);
  for (auto& r : out) {
    r.name[sizeof r.name - 1] = 0;
    r.info[sizeof r.info - 1] = 0;
  }
  return out;
}

std::vector<SpecialNeedsRecord> AllSpecialNeeds(const CZarimDoc& doc) {
  auto out = All<SpecialNeedsRecord>(doc, KeyedFile::kSpecialNeeds);
  for (auto& r : out) r.text[sizeof r.text - 1] = 0;
  return out;
}

}  // namespace zarim
