// The backup catalog file.
#include "core/catalog.h"

#include <algorithm>
#include <cstring>

#include "core/file_copier.h"
#include "core/file_names.h"
#include "core/strings.h"

namespace zarim {

namespace {
std::string BoundedText(const uint8_t* p, size_t size) {
  size_t n = 0;
  while (n < size - 1 && p[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(p), n);
}
}  // namespace

Catalog Catalog::Parse(const Bytes& file) {
  Catalog c;
  for (int i = 0; i < kCatalogEntries; ++i) {
    size_t at = static_cast<size_t>(i) * kCatalogEntrySize;
    if (at + kCatalogEntrySize > file.size()) break;
    c.entries_[i].label = BoundedText(file.data() + at, kCatalogLabelSize);
    c.entries_[i].path = BoundedText(file.data() + at + kCatalogLabelSize, kCatalogPathSize);
  }
  return c;
}

Catalog Catalog::Read(const std::string& data_folder) {
  auto file = ReadFile(ResolvePath(data_folder, kBackupCatalogFile));
  return file ? Parse(*file) : Catalog{};
}

Bytes Catalog::Image() const {
  Bytes out(kCatalogEntries * kCatalogEntrySize, 0);
  for (int i = 0; i < kCatalogEntries; ++i) {
    uint8_t* p = out.data() + static_cast<size_t>(i) * kCatalogEntrySize;
    const CatalogEntry& e = entries_[i];
    std::memcpy(p, e.label.data(), std::min(e.label.size(), kCatalogLabelSize - 1));
    std::memcpy(p + kCatalogLabelSize, e.path.data(),
                std::min(e.path.size(), kCatalogPathSize - 1));
  }
  return out;
}

void Catalog::Push(const CatalogEntry& entry) {
  for (int i = kCatalogEntries - 1; i > 0; --i) entries_[i] = entries_[i - 1];
  entries_[0] = entry;
  if (entries_[0].label.size() >= kCatalogLabelSize)
    entries_[0].label.resize(kCatalogLabelSize - 1);
  if (entries_[0].path.size() >= kCatalogPathSize) entries_[0].path.resize(kCatalogPathSize - 1);
}

bool Catalog::AddEntry(const std::string& data_folder, const std::string& label,
                       const std::string& path) {
  // A cut path would name another folder: such an entry is refused, not shortened.
  if (path.size() >= kCatalogPathSize || label.size() >= kCatalogLabelSize) return false;
  Catalog c = Read(data_folder);
  c.Push(CatalogEntry{label, path});
  Bytes image = c.Image();
  return WriteFileAtomic(JoinPath(data_folder, kBackupCatalogFile), image.data(), image.size());
}

bool HoldsBackupSet(const std::string& folder) {
  return !folder.empty() && IsRealFolder(folder) &&
         (FileSize(ResolvePath(folder, kFilePublishers)) >= kMinSetPublisherFile ||
          HoldsOlderDataOnly(folder)) &&
         SetIsComplete(folder);
}

std::vector<int> Catalog::Usable() const {
  std::vector<int> out;
  for (int i = 0; i < kCatalogEntries; ++i)
    if (!entries_[i].path.empty() && HoldsBackupSet(entries_[i].path)) out.push_back(i);
  return out;
}

}  // namespace zarim
