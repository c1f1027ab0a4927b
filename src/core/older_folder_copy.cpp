// The backup set that keeps an older folder as it was.
#include "core/older_folder_copy.h"

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
  const std::string set = JoinPath(
      AbsolutePath(base), std::string(kSetPrefix) + FormatTime(Str(Sid::kSetNameFormat), now));
  // A start earlier in the same minute kept the same folder already.
  if (SetIsComplete(set)) return set;
  if (!MakeFolder(set, true)) {
    if (why) *why = set;
    return std::nullopt;
  }
  FileCopier copier(data_folder);
  bool ok = copier.CopyFileSet(set, CopyDirection::kToFolder);
  ok = copier.CopyArchives(set, CopyDirection::kToFolder) && ok;
  ok = ok && WriteSetMarker(set);
  if (!ok) {
    if (why) *why = copier.failures().empty() ? set : copier.failures().front();
    RemoveTree(set);
    return std::nullopt;
  }
  // The catalog lists it for "Restore"; the set itself is whole without it.
  Catalog::AddEntry(data_folder, FormatTime(Str(Sid::kBackupLabelFormat), now), set);
  return set;
}

}  // namespace zarim
