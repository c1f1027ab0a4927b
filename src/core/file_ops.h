// The file-changing system calls of the library, in one place, with a fault plan that
// tests use to fail or crash at any single call: every failure point of a transaction
// can be tried without a real full disk or a mounted file system.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace zarim {

// Kinds of file-changing calls. Reads are not counted: a read never changes the folder.
enum class FileOp { kCreate, kWrite, kFlush, kRename, kRemove, kMakeFolder };

// What a test wants to happen. Every file-changing call counts one step (a write counts
// one step however many bytes it writes). With fail_at = n the n-th step (0-based)
// fails with the errno given; with crash_at = n the process is killed (SIGKILL) just
// before the n-th step, as a power cut would stop it. free_bytes, when not negative,
// is the room left on the "disk": a write beyond it fails with ENOSPC after writing
// what still fits, as a real full disk does.
struct FaultPlan {
  long fail_at = -1;
  int fail_errno = 5;  // EIO
  long crash_at = -1;
  int64_t free_bytes = -1;

  // Filled in while the plan is active.
  long steps = 0;     // file-changing calls seen so far
  long failures = 0;  // calls that the plan made fail
};

// Installs plan for every later call in this process (nullptr removes it). The plan
// must outlive its use. Not thread-safe against concurrent installs; the library's
// flush threads only count.
void SetFaultPlan(FaultPlan* plan);

// Installs a plan from the environment, for tests that start the command-line program:
// ZARIM_CRASH_AT=N kills the process before its N-th file-changing call, ZARIM_FAIL_AT=N
// fails that call, ZARIM_FREE_BYTES=N leaves N bytes of room. Nothing when all are unset.
void InstallFaultPlanFromEnvironment();

namespace fileops {

// Thin wrappers over the POSIX calls, each counted and failed by the active plan.
// They return what the system call returns and leave errno set as it would.
// Open never follows a link in the file's own place (O_NOFOLLOW): a link planted under
// a name of the program's folders fails with ELOOP instead of being written through.
int Open(const std::string& path, int flags, mode_t mode = 0644);  // counts kCreate when O_CREAT
// The folder `path` opened as a descriptor (O_PATH) without following a link at any
// component below `root`; root itself is opened as it is named (the user chose it). A
// path that does not lie below root is opened with only its last component guarded.
// -1 (errno ELOOP or ENOTDIR for a link or a file on the way) when it cannot be opened.
int OpenFolderBelow(const std::string& root, const std::string& path);
// openat(2) relative to a folder descriptor, never following a link at name.
int OpenAt(int folder_fd, const std::string& name, int flags, mode_t mode = 0644);
// Creates name fresh in the folder (a leftover file or a link of that name is removed
// first, the file is created with O_EXCL): no temporary is ever written through a link.
int CreateFreshAt(int folder_fd, const std::string& name, mode_t mode = 0644);
int CreateFresh(const std::string& path, mode_t mode = 0644);
int RenameAt(int folder_fd, const std::string& from, const std::string& to);
ssize_t Write(int fd, const void* data, size_t size);
int Flush(int fd);  // fdatasync, or nothing while flushing is off (see SetFlushToDisk)
int FlushFolder(const std::string& folder);
int Rename(const std::string& from, const std::string& to);
// Swaps two existing names at once (renameat2 with RENAME_EXCHANGE); -1 with EINVAL or
// ENOSYS where the file system cannot.
int Exchange(const std::string& a, const std::string& b);
int Remove(const std::string& path);
int MakeFolder(const std::string& path, mode_t mode = 0755);
int RemoveFolder(const std::string& path);

// Writes every byte (retrying short writes and EINTR); false on the first failure.
bool WriteAll(int fd, const void* data, size_t size);

}  // namespace fileops
}  // namespace zarim
