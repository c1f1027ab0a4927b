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
std::string JoinPath(const std::string& folder, std::string_view name);

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
class SaveTransaction {
 public:
  explicit SaveTransaction(std::string folder);
  ~SaveTransaction();  // removes temporaries of a transaction that was not committed
  SaveTransaction(const SaveTransaction&) = delete;
  SaveTransaction& operator=(const SaveTransaction&) = delete;

  // False when the temporary file cannot be created or written; nothing is staged then.
  // Names are resolved as ResolvePath does, so a file copied with other letter case is
  // replaced, not doubled.
  bool Stage(std::string_view name, const void* data, size_t size);
  bool Stage(std::string_view name, const Bytes& data) { return Stage(name, data.data(), data.size()); }
  // The file is deleted when the transaction commits.
  void Remove(std::string_view name);
  bool empty() const { return ops_.empty(); }
  // False when the journal cannot be written; then nothing has changed.
  bool Commit();

  // Completes or discards an interrupted save in folder.
  static void Recover(const std::string& folder);

 private:
  struct Op {
    std::string name;  // final name
    bool remove;
  };
  std::string folder_;
  std::vector<Op> ops_;
  std::vector<int> open_fds_;  // the staged temporaries, flushed together at commit
  bool committed_ = false;
};

inline constexpr std::string_view kTempSuffix = ".zsave-tmp";
inline constexpr std::string_view kJournalName = "zsave.journal";

}  // namespace zarim
