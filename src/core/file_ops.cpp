// The counted file-changing calls and the fault plan of the tests.
#include "core/file_ops.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace zarim {

namespace {

FaultPlan* g_plan = nullptr;
std::mutex g_plan_mutex;
bool g_flush = true;

// Counts one step of the active plan. False (errno set) when the plan fails this step;
// does not return when the plan crashes the process here.
bool Step() {
  if (!g_plan) return true;
  std::lock_guard<std::mutex> lock(g_plan_mutex);
  FaultPlan& plan = *g_plan;
  long step = plan.steps++;
  if (plan.crash_at >= 0 && step == plan.crash_at) ::kill(::getpid(), SIGKILL);
  if (plan.fail_at >= 0 && step == plan.fail_at) {
    ++plan.failures;
    errno = plan.fail_errno;
    return false;
  }
  return true;
}

// How many of size bytes the plan's disk still has room for.
size_t Room(size_t size) {
  if (!g_plan) return size;
  std::lock_guard<std::mutex> lock(g_plan_mutex);
  if (g_plan->free_bytes < 0) return size;
  size_t room = static_cast<size_t>(g_plan->free_bytes);
  size_t n = size < room ? size : room;
  g_plan->free_bytes -= static_cast<int64_t>(n);
  if (n < size) ++g_plan->failures;
  return n;
}

FaultPlan g_env_plan;

}  // namespace

void SetFaultPlan(FaultPlan* plan) {
  std::lock_guard<std::mutex> lock(g_plan_mutex);
  g_plan = plan;
}

namespace {
long EnvNumber(const char* name) {
  const char* v = std::getenv(name);
  if (!v || !*v) return -1;
  char* end = nullptr;
  long n = std::strtol(v, &end, 10);
  return (*end == '\0' && n >= 0) ? n : -1;
}
}  // namespace

void InstallFaultPlanFromEnvironment() {
  long crash = EnvNumber("ZARIM_CRASH_AT");
  long fail = EnvNumber("ZARIM_FAIL_AT");
  long room = EnvNumber("ZARIM_FREE_BYTES");
  if (crash < 0 && fail < 0 && room < 0) return;
  g_env_plan = FaultPlan{};
  g_env_plan.crash_at = crash;
  g_env_plan.fail_at = fail;
  g_env_plan.free_bytes = room;
  SetFaultPlan(&g_env_plan);
}

// Declared in file_io.h: the fuzz targets switch flushing off.
void SetFlushToDisk(bool on) { g_flush = on; }

namespace fileops {

int Open(const std::string& path, int flags, mode_t mode) {
  if ((flags & O_CREAT) && !Step()) return -1;
  return ::open(path.c_str(), flags | O_CLOEXEC | O_NOFOLLOW, mode);
}

int OpenFolderBelow(const std::string& root, const std::string& path) {
  std::string base = root.empty() ? std::string(".") : root;
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  std::string rest;
  if (path == base || path == root) {
    rest.clear();
  } else if (path.size() > base.size() && path.compare(0, base.size(), base) == 0 &&
             (base == "/" || path[base.size()] == '/')) {
    rest = path.substr(base == "/" ? 1 : base.size() + 1);
  } else {
    // Not below root: the parent as named, the last component not followed.
    size_t slash = path.find_last_of('/');
    base = slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
    rest = slash == std::string::npos ? path : path.substr(slash + 1);
  }
  int fd = ::open(base.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  size_t pos = 0;
  while (fd >= 0 && pos < rest.size()) {
    size_t slash = rest.find('/', pos);
    std::string part =
        rest.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
    pos = slash == std::string::npos ? rest.size() : slash + 1;
    if (part.empty() || part == ".") continue;
    int next = ::openat(fd, part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    int err = errno;
    ::close(fd);
    errno = err;
    fd = next;
  }
  return fd;
}

int OpenAt(int folder_fd, const std::string& name, int flags, mode_t mode) {
  if ((flags & O_CREAT) && !Step()) return -1;
  return ::openat(folder_fd, name.c_str(), flags | O_CLOEXEC | O_NOFOLLOW, mode);
}

// A folder that stood in the way is the reason, not the name being taken.
int FolderInTheWay(int fd, int folder_fd, const std::string& name) {
  struct stat st;
  if (fd < 0 && errno == EEXIST &&
      ::fstatat(folder_fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode))
    errno = EISDIR;
  return fd;
}

int CreateFreshAt(int folder_fd, const std::string& name, mode_t mode) {
  ::unlinkat(folder_fd, name.c_str(), 0);
  return FolderInTheWay(OpenAt(folder_fd, name, O_WRONLY | O_CREAT | O_EXCL, mode), folder_fd,
                        name);
}

int CreateFresh(const std::string& path, mode_t mode) {
  ::unlink(path.c_str());
  return FolderInTheWay(Open(path, O_WRONLY | O_CREAT | O_EXCL, mode), AT_FDCWD, path);
}

int RenameAt(int folder_fd, const std::string& from, const std::string& to) {
  if (!Step()) return -1;
  return ::renameat(folder_fd, from.c_str(), folder_fd, to.c_str());
}

ssize_t Write(int fd, const void* data, size_t size) {
  if (!Step()) return -1;
  size_t room = Room(size);
  if (room == 0 && size > 0) {
    errno = ENOSPC;
    return -1;
  }
  return ::write(fd, data, room);
}

int Flush(int fd) {
  if (!Step()) return -1;
  return g_flush ? ::fdatasync(fd) : 0;
}

int FlushFolder(const std::string& folder) {
  if (!Step()) return -1;
  if (!g_flush) return 0;
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  int rc = ::fsync(fd);
  ::close(fd);
  return rc;
}

int Rename(const std::string& from, const std::string& to) {
  if (!Step()) return -1;
  return ::rename(from.c_str(), to.c_str());
}

int Exchange(const std::string& a, const std::string& b) {
  if (!Step()) return -1;
  return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE);
}

int Remove(const std::string& path) {
  if (!Step()) return -1;
  return ::unlink(path.c_str());
}

int MakeFolder(const std::string& path, mode_t mode) {
  if (!Step()) return -1;
  return ::mkdir(path.c_str(), mode);
}

int RemoveFolder(const std::string& path) {
  if (!Step()) return -1;
  return ::rmdir(path.c_str());
}

bool WriteAll(int fd, const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  while (size > 0) {
    ssize_t n = Write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace fileops
}  // namespace zarim
