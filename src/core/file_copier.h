// The file copier shared by backups, restores and the monthly snapshots: the twelve files
// of a data set, the month archives under "Roll", and deleting both.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/folder_journal.h"
#include "core/ports.h"

namespace zarim {

// Direction of CopyFileSet and CopyArchives: into the set folder (backup, snapshot, the
// copy aside before a restore) or from it into the data folder (restore).
enum class CopyDirection { kToFolder = 0, kFromFolder = 1 };

// The files of a data set, in copying order.
const std::vector<std::string>& FileSetNames();
// The files that DeleteFileSet removes: the set and the older files of earlier versions.
const std::vector<std::string>& DeleteSetNames();
// The data files of the earlier version. A folder that holds only those (no current
// publisher table) copies them with its set, so that its backup set brings them back.
const std::vector<std::string>& OlderFileNames();
inline constexpr uint64_t kMinCurrentPublisherFile = 401;
// The path of the first file of the data set (or of the older version's files) in
// folder that is there but not a regular file (a link, a pipe, a device, a folder);
// empty when there is none.
std::string FirstIrregularDataFile(const std::string& folder);
bool HoldsOlderDataOnly(const std::string& folder);

// "<folder>/Roll" and the month folder "<folder>/Roll/Zr9_n" (n = 1..12).
std::string RollFolderOf(const std::string& folder);
std::string ArchiveFolderOf(const std::string& folder, int n);

// Creates a folder; true when it exists afterwards. `fresh` (true) asks for a folder that
// did not exist before: an existing one gives false.
bool MakeFolder(const std::string& path, bool fresh = false);
bool IsFolder(const std::string& path);
// A folder that is not a link to one.
bool IsRealFolder(const std::string& path);
bool IsLink(const std::string& path);
// Removes an empty folder; true when it is gone.
bool RemoveFolder(const std::string& path);
// Renames a file or folder.
bool RenamePath(const std::string& from, const std::string& to);
// The path made absolute against the working folder (no links resolved), without a
// trailing '/'; what the catalog and the settings keep.
std::string AbsolutePath(const std::string& path);

// A set folder (a backup set, the undo folder, a snapshot) is whole only when its marker,
// written and flushed after every file, is there. The marker lists each file with its
// size, so that a restore finds a file that was cut or removed afterwards.
bool WriteSetMarker(const std::string& folder);
std::optional<std::map<std::string, uint64_t>> ReadSetMarker(const std::string& folder);
bool SetIsComplete(const std::string& folder);

class FileCopier {
 public:
  // `prompter` receives progress (may be null).
  explicit FileCopier(std::string data_folder, Prompter* prompter = nullptr);

  // The status line: "Backing up file: %1" or "Restoring file %1" for each file.
  void set_status(std::function<void(const std::string&)> status) { status_ = std::move(status); }

  // Copies the set between the data folder and `folder`. A file missing on the source
  // side is skipped; a file that exists but cannot be read or written completely, or is
  // not a regular file, is a failure (listed in failures()). Each copy is flushed before
  // it is renamed into place. True when nothing failed.
  bool CopyFileSet(const std::string& folder, CopyDirection direction);
  // The same for the twelve month archives, creating the target's "Roll" folders.
  bool CopyArchives(const std::string& folder, CopyDirection direction);
  // Copies the set from one folder into another, whatever the data folder is.
  bool CopySetBetween(const std::string& from, const std::string& to, bool restoring);
  bool CopyArchivesBetween(const std::string& from, const std::string& to, bool restoring);

  // Deletes each file of DeleteSetNames() that exists in `folder`; false when one
  // could not be deleted.
  bool DeleteFileSet(const std::string& folder);
  // Deletes the file set of each month folder of `folder`'s "Roll" folder and removes
  // the month folders (and "Roll" when it is left empty).
  bool DeleteArchives(const std::string& folder);

  // Puts everything written so far on the file system of `folder` on disk.
  static bool Flush(const std::string& folder);

  const std::vector<std::string>& failures() const { return failures_; }
  // The failures that were links, pipes or devices rather than files.
  const std::vector<std::string>& not_regular() const { return not_regular_; }
  void ClearFailures() {
    failures_.clear();
    not_regular_.clear();
  }
  int files_copied() const { return files_copied_; }
  const std::string& data_folder() const { return data_folder_; }

 private:
  // One side of a copy: the folder of the files, reached from root without following a
  // link below root (root is the data folder or the set folder as the user named it).
  struct Side {
    std::string root;
    std::string folder;
  };
  bool CopySet(const Side& from, const Side& to, bool restoring);
  bool CopyOne(const Side& from, const Side& to, const std::string& name);

  std::string data_folder_;
  Prompter* prompter_;
  std::function<void(const std::string&)> status_;
  std::vector<std::string> failures_;
  std::vector<std::string> not_regular_;
  int files_copied_ = 0;
};

}  // namespace zarim
