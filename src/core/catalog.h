// The backup catalog "buhist.dat": the last ten backup sets and monthly snapshots,
// newest first, each a label and the full path of its folder.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/file_io.h"

namespace zarim {

inline constexpr int kCatalogEntries = 10;
inline constexpr size_t kCatalogEntrySize = 512;
inline constexpr size_t kCatalogLabelSize = 52;
inline constexpr size_t kCatalogPathSize = 460;
inline constexpr uint64_t kMinSetPublisherFile =
    501;  // a usable set's tdat9.bin is longer than 500

struct CatalogEntry {
  std::string label;  // at most 51 bytes
  std::string path;   // at most 459 bytes
  bool empty() const { return label.empty() && path.empty(); }
};

class Catalog {
 public:
  // Reads the catalog of a data folder; a missing, short or damaged file gives empty
  // entries where it holds none. Texts end at their field's last byte.
  static Catalog Read(const std::string& data_folder);
  static Catalog Parse(const Bytes& file);

  // The file image: exactly ten entries of 512 bytes.
  Bytes Image() const;
  // Moves entries 0..8 to 1..9 (the oldest is dropped) and puts the new one first.
  void Push(const CatalogEntry& entry);
  // Push, then rewrite the whole file; false when it cannot be written.
  static bool AddEntry(const std::string& data_folder, const std::string& label,
                       const std::string& path);

  const std::array<CatalogEntry, kCatalogEntries>& entries() const { return entries_; }
  // Indexes of the usable entries, newest first: the folder exists and its tdat9.bin is
  // longer than 500 bytes.
  std::vector<int> Usable() const;

 private:
  std::array<CatalogEntry, kCatalogEntries> entries_;
};

// True when a folder holds a restorable set (tdat9.bin longer than 500 bytes).
bool HoldsBackupSet(const std::string& folder);

}  // namespace zarim
