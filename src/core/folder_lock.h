// One writer per data folder: an advisory lock (flock) on the file "zarim.lock" of the
// folder, held from before anything is read until after the folder is closed. Programs
// that change the data take it exclusively and write who they are into the file, so a
// second program can say who holds the folder; programs that only read take it shared,
// so several readers run side by side while no writer does.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zarim {

inline constexpr std::string_view kLockFileName = "zarim.lock";

class FolderLock {
 public:
  enum class Mode { kShared, kExclusive };

  // Takes the lock without waiting. On failure returns nullptr and sets *why: who holds
  // the folder (the holder's own line: program, process id, user, host, start time), or
  // the system's reason when the lock file cannot be opened.
  static std::unique_ptr<FolderLock> Take(const std::string& folder, Mode mode,
                                          std::string_view program, std::string* why,
                                          bool* held_by_other = nullptr);
  ~FolderLock();  // releases the lock; the lock file stays for the next program
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // A shared lock becomes exclusive (for recovering an interrupted save); false with the
  // holder in *why when a writer or another reader is there.
  bool MakeExclusive(std::string* why);
  // Writes who holds the folder into the lock file, for a program that is refused. Only
  // an exclusive holder writes, and only once the password is accepted: before that the
  // folder is not written at all (the lock file is only created when it is missing).
  void WriteHolder();

  const std::string& folder() const { return folder_; }
  Mode mode() const { return mode_; }

  // The holder's line as the lock file tells it; a reader writes none.
  static std::string Holder(const std::string& folder);

 private:
  FolderLock(std::string folder, int fd, Mode mode, std::string program);
  std::string folder_;
  int fd_;
  Mode mode_;
  std::string program_;
};

}  // namespace zarim
