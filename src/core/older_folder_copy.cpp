// The backup set that keeps an older folder as it was.
#include "core/older_folder_copy.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "core/catalog.h"
#include "core/file_copier.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/folder_journal.h"
#include "core/strings.h"

namespace zarim {

namespace {

bool Inside(const std::string& path, const std::string& folder) {
  std::string p = AbsolutePath(path) + "/", f = AbsolutePath(folder) + "/";
  return p.compare(0, f.size(), f) == 0;
}

// A name part of the folder's own: its name, and a checksum (FNV-1a) of its whole path,
// so that two folders kept in the same minute into one parent never share a set, even two
// of the same name in different places.
std::string FolderTag(const std::string& data_folder) {
  const std::string path = AbsolutePath(data_folder);
  uint32_t h = 2166136261u;
  for (unsigned char c : path) h = (h ^ c) * 16777619u;
  std::string name = std::filesystem::path(path).filename().string().substr(0, 32);
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '-';
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", h);
  return name + "_" + hex;
}

}  // namespace

std::optional<std::string> KeepFolderAsBackupSet(const std::string& data_folder,
                                                 const std::string& backup_path,
                                                 const LocalTime& now, std::string* why) {
  // A copy kept inside the folder it protects is lost with it.
  std::string base = backup_path;
  if (base.empty() || !IsFolder(base) || Inside(base, data_folder)) {
    base = std::filesystem::path(AbsolutePath(data_folder)).parent_path().string();
    if (base.empty()) base = "/";
  }
  base = AbsolutePath(base);
  const std::string set =
      JoinPath(base, std::string(kSetPrefix) + FormatTime(Str(Sid::kSetNameFormat), now) + "_" +
                         FolderTag(data_folder));
  // A start of this folder earlier in the same minute kept it already: a set is only ever
  // found under its name whole.
  if (!SetIsComplete(set)) {
    RemoveCutOffBuilds(base);
    FileCopier copier(data_folder);
    bool ok = BuildSetFolder(set, [&](const std::string& work) {
      bool copied = copier.CopyFileSet(work, CopyDirection::kToFolder);
      copied = copier.CopyArchives(work, CopyDirection::kToFolder) && copied;
      return copied && WriteSetMarker(work);
    });
    if (!ok) {
      if (why) *why = copier.failures().empty() ? set : copier.failures().front();
      return std::nullopt;
    }
  }
  // The catalog lists it for "Restore" (the set itself is whole without it), also when a
  // start that made it was cut off before listing it.
  const Catalog catalog = Catalog::Read(data_folder);
  bool listed = false;
  for (const CatalogEntry& e : catalog.entries()) listed = listed || e.path == set;
  if (!listed) Catalog::AddEntry(data_folder, FormatTime(Str(Sid::kBackupLabelFormat), now), set);
  return set;
}

}  // namespace zarim
