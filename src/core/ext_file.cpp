// "xten7.dat": long names, e-mail addresses and other contact information, addressed by
// record number; edited in memory and written whole with the save.
#include "core/ext_file.h"

#include <algorithm>
#include <cstring>

#include "core/data_files.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/scramble.h"
#include "core/strings.h"

namespace zarim {

namespace {

constexpr size_t kRec = sizeof(ExtRecord);

std::string ExtPath(const CZarimDoc& doc) {
  return ResolvePath(doc.FolderForFiles(), kFileExtension);
}

// The file as edited since the last save, kept with the files that the next save writes;
// null when it has not been edited (or in the history view, which shows a snapshot's).
Bytes* EditedImage(CZarimDoc& doc) {
  return doc.history_view ? nullptr : QueuedFile(doc, kFileExtension);
}
const Bytes* EditedImage(const CZarimDoc& doc) { return EditedImage(const_cast<CZarimDoc&>(doc)); }

// The file as the program sees it now: the edited image, else the file on disk.
std::optional<Bytes> CurrentFile(const CZarimDoc& doc) {
  if (const Bytes* image = EditedImage(doc)) return *image;
  return ReadFile(ExtPath(doc));
}

bool HasPrintable(const char* text, size_t size) {
  for (size_t i = 0; i < size && text[i] != 0; ++i)
    if (static_cast<unsigned char>(text[i]) > ' ') return true;
  return false;
}

ExtRecord PlainAt(const Bytes& file, size_t i, uint8_t base) {
  ExtRecord r;
  std::memcpy(&r, file.data() + i * kRec, kRec);
  r.long_name[sizeof r.long_name - 1] = 0;
  r.email[sizeof r.email - 1] = 0;
  r.other[sizeof r.other - 1] = 0;
  ScrambleExt(r, Direction::kUnscramble, base);
  return r;
}

bool IsFree(const Bytes& file, size_t i) {
  const uint8_t* p = file.data() + i * kRec;
  return std::all_of(p, p + kRec, [](uint8_t b) { return b == 0; });
}

}  // namespace

uint16_t ExtContentFlags(const ExtRecord& r) {
  uint16_t f = 0;
  if (HasPrintable(r.long_name, sizeof r.long_name)) f |= 1;
  if (HasPrintable(r.email, sizeof r.email)) f |= 2;
  if (HasPrintable(r.other, sizeof r.other)) f |= 4;
  if (r.further != 0) f |= 8;
  return f;
}

void LoadExtensions(CZarimDoc& doc) {
  std::fill(doc.ext_index.begin(), doc.ext_index.end(), ExtIndexEntry{});
  doc.ext_count = 0;
  // Loading goes back to the disk: edits that were not saved are dropped with the tables.
  std::erase_if(doc.pending_files, [](const auto& f) { return f.first == kFileExtension; });
  // A partial load counts the records; their keys and contents are not read.
  if (doc.load_depth != LoadDepth::kWhole) {
    doc.ext_count =
        static_cast<int>(std::min<uint64_t>(FileSize(ExtPath(doc)) / kRec, kMaxExtIndex));
    return;
  }
  auto file = ReadFile(ExtPath(doc));
  if (!file) return;
  size_t n = std::min(file->size() / kRec, static_cast<size_t>(kMaxExtIndex));
  for (size_t i = 0; i < n; ++i) {
    ExtRecord r = PlainAt(*file, i, doc.scramble_base);
    doc.ext_index[i] = ExtIndexEntry{r.key, ExtContentFlags(r)};
  }
  doc.ext_count = static_cast<int>(n);
}

bool ReadExt(CZarimDoc& doc, int n, int key) {
  if (n <= 0 || n >= doc.ext_count) return false;
  auto file = CurrentFile(doc);
  if (!file || file->size() < (static_cast<size_t>(n) + 1) * kRec) return false;
  ExtRecord r = PlainAt(*file, static_cast<size_t>(n), doc.scramble_base);
  if (r.key != key) return false;
  doc.current_ext = r;
  return true;
}

std::vector<ExtRecord> ReadAllExt(const CZarimDoc& doc) {
  std::vector<ExtRecord> all;
  auto file = CurrentFile(doc);
  if (!file) return all;
  size_t n = std::min(file->size() / kRec, static_cast<size_t>(kMaxExtIndex));
  all.reserve(n);
  for (size_t i = 0; i < n; ++i) all.push_back(PlainAt(*file, i, doc.scramble_base));
  return all;
}

bool WriteExt(CZarimDoc& doc, int n) {
  if (doc.history_view || n <= 0) return false;
  Bytes* file = EditedImage(doc);
  if (!file) {
    // The record reaches the disk with the rest of the change, in the one save.
    QueueFile(doc, kFileExtension, ReadFile(ExtPath(doc)).value_or(Bytes{}));
    file = QueuedFile(doc, kFileExtension);
  }
  file->resize(std::max(file->size() / kRec, static_cast<size_t>(n) + 1) * kRec, 0);
  // Until the save rewrites the whole file with the program's base, it keeps the base of
  // the publisher table it was loaded with: one file, one base.
  ExtRecord r = doc.current_ext;
  ScrambleExt(r, Direction::kScramble, doc.scramble_base);
  std::memcpy(file->data() + static_cast<size_t>(n) * kRec, &r, kRec);
  return true;
}

bool StageExtensions(CZarimDoc& doc, SaveTransaction& tx) {
  const Bytes* edited = EditedImage(doc);
  if (doc.scramble_base == kScrambleBase) return !edited || tx.Stage(kFileExtension, *edited);
  auto file = CurrentFile(doc);
  if (!file) return true;
  size_t n = file->size() / kRec;
  for (size_t i = 0; i < n; ++i) {
    if (IsFree(*file, i)) continue;
    ExtRecord r = PlainAt(*file, i, doc.scramble_base);
    ScrambleExt(r, Direction::kScramble, kScrambleBase);
    std::memcpy(file->data() + i * kRec, &r, kRec);
  }
  return tx.Stage(kFileExtension, *file);
}

int AddExt(CZarimDoc& doc) {
  const uint16_t key = doc.current_ext.key;
  const uint16_t flags = ExtContentFlags(doc.current_ext);
  if (doc.ext_count > 1) {
    for (int n = 1; n < doc.ext_count; ++n)
      if (doc.ext_index[n].key == key) {
        if (!WriteExt(doc, n)) return 0;
        doc.ext_index[n].flags = flags;
        return n;
      }
  }
  if (doc.ext_count >= 3) {
    auto file = CurrentFile(doc);
    if (file) {
      size_t records = file->size() / kRec;
      for (size_t n = 1; n < records && n < static_cast<size_t>(doc.ext_count); ++n)
        if (IsFree(*file, n)) {
          if (!WriteExt(doc, static_cast<int>(n))) return 0;
          doc.ext_index[n] = ExtIndexEntry{key, flags};
          return static_cast<int>(n);
        }
    }
  }
  if (doc.ext_count >= kMaxExtIndex) return 0;
  int n = std::max(doc.ext_count, 1);  // record 0 is the zero header record
  if (!WriteExt(doc, n)) return 0;
  doc.ext_index[n] = ExtIndexEntry{key, flags};
  doc.ext_count = n + 1;
  return n;
}

}  // namespace zarim
