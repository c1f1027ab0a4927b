// File access of the data folder: reading whole files, finding names written with other
// letter case, and the atomic save that writes every file of a save or none of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarim {

using Bytes = std::vector<uint8_t>;

// The path of name inside folder; when no file has that exact name, a file whose name
// differs only in letter case (folders copied from Windows) is used instead.
std::string ResolvePath(const std::string& folder, std::string_view name);
// The paths of several names in folder, each found as ResolvePath finds it, from one reading
// of the folder; empty for a name that is not there.
std::vector<std::string> ResolvePaths(const std::string& folder,
                                      const std::vector<std::string>& names);
std::string JoinPath(const std::string& folder, std::string_view name);
// The folder of the running program; empty when it cannot be told.
std::string ProgramFolder();

// The whole file, or nothing when it cannot be opened or read.
std::optional<Bytes> ReadFile(const std::string& path);
// The size in bytes, 0 when the file cannot be opened.
uint64_t FileSize(const std::string& path);
bool FileExists(const std::string& path);
bool RemoveFile(const std::string& path);
bool CopyFile(const std::string& from, const std::string& to);

// Writes data to path atomically: a temporary file in the same folder, flushed to disk,
// renamed over the old file. False (the old file untouched) when any step fails.
bool WriteFileAtomic(const std::string& path, const void* data, size_t size);

// Whether writes are flushed to disk (on by default). The fuzz targets switch it off:
// they write thousands of scratch folders whose durability does not matter.
void SetFlushToDisk(bool on);

// Writes a file without flushing it to disk; for copies that only live during a run.
bool WriteFilePlain(const std::string& path, const Bytes& data);

// A save of several files of one folder that happens as a whole. Stage() writes each new
// file to a temporary name (a file whose bytes would not change is skipped); Commit()
// flushes them all, records the plan in a journal, then deletes and renames. A crash
// after the journal is on disk is completed by Recover() at the next load; a crash
// before it leaves every old file as it was.
class FolderLock;

class SaveTransaction {
 public:
  explicit SaveTransaction(std::string folder);
  ~SaveTransaction();  // removes temporaries of a transaction that was not committed
  SaveTransaction(const SaveTransaction&) = delete;
  SaveTransaction& operator=(const SaveTransaction&) = delete;

  // False when the temporary file cannot be created or written; nothing is staged then,
  // and the whole transaction is spoiled: Commit() refuses it.
  // Names are resolved as ResolvePath does, so a file copied with other letter case is
  // replaced, not doubled.
  bool Stage(std::string_view name, const void* data, size_t size);
  bool Stage(std::string_view name, const Bytes& data) {
    return Stage(name, data.data(), data.size());
  }
  // The file is deleted when the transaction commits.
  void Remove(std::string_view name);
  bool empty() const { return ops_.empty(); }
  // False when a file failed to stage, a staged temporary is missing, or the flush or the
  // journal fails: then nothing has changed. Also false when a rename fails after the
  // journal is on disk: the journal then stays, so Recover() completes the save at the
  // next start and the folder never holds a mix of old and new files.
  bool Commit();
  // After a failure: the file and the system's reason ("tdat9.bin: No space left on
  // device"); and whether the save was begun on disk (a journal stays for recovery).
  const std::string& error() const { return error_; }
  bool left_journal() const { return left_journal_; }

  // Completes or discards an interrupted save in the locked folder. The lock makes sure
  // no other process is staging there, so every temporary left is a leftover of a save
  // that died. False (reason in *error) when a journalled save could not be completed;
  // the journal then stays and the folder must not be loaded.
  static bool Recover(const FolderLock& lock, std::string* error = nullptr);
  // Whether folder holds a whole journal whose renames are not all done: a save that
  // had committed and must be completed before the folder is read.
  static bool Pending(const std::string& folder);

 private:
  struct Op {
    std::string name;  // final name
    bool remove;
  };
  std::string folder_;
  std::vector<Op> ops_;
  std::vector<int> open_fds_;  // the staged temporaries, flushed together at commit
  bool committed_ = false;
  bool spoiled_ = false;  // a Stage() failed
  bool left_journal_ = false;
  std::string error_;
  void Fail(const std::string& name);
};

inline constexpr std::string_view kTempSuffix = ".zsave-tmp";
inline constexpr std::string_view kJournalName = "zsave.journal";

// Whether an output file at path would land in data_folder or a folder below it other
// than the exports folder (links resolved), where it could replace a data file.
bool IsInsideDataFolder(const std::string& data_folder, const std::string& path);

// "name: reason" with the system's text for errno.
std::string ErrorText(std::string_view name, int err);

}  // namespace zarim
