// The folder lock over flock(2): released by the system when the process ends, however
// it ends, so a crashed program never leaves the folder locked.
#include "core/folder_lock.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/file_ops.h"

namespace zarim {

namespace {

// The holder's line is written over a fixed width, so a shorter line never leaves the
// end of a longer one behind and the file needs no truncation.
constexpr size_t kHolderWidth = 256;

std::string UserName() {
  if (const passwd* pw = ::getpwuid(::getuid())) return pw->pw_name;
  return std::to_string(::getuid());
}

std::string HostName() {
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) != 0) return "?";
  return host;
}

std::string Now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  ::localtime_r(&t, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
  return buf;
}

bool TryLock(int fd, FolderLock::Mode mode) {
  int op = (mode == FolderLock::Mode::kExclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  while (::flock(fd, op) != 0)
    if (errno != EINTR) return false;
  return true;
}

// Whether the process a holder's line names still runs: the line stays in the file after
// its writer ended, and readers (who hold the lock shared) write none, so a line of a
// process that is gone does not name the holder.
bool HolderAlive(const std::string& line) {
  const std::string process = ", process ";
  size_t at = line.find(process);
  if (at == std::string::npos) return false;
  const long pid = std::strtol(line.c_str() + at + process.size(), nullptr, 10);
  if (pid <= 0) return false;
  size_t on = line.find(" on ", at);
  size_t since = line.find(", since ", at);
  // A holder on another machine (a shared folder) cannot be asked; its word stands.
  if (on != std::string::npos && since != std::string::npos && since > on &&
      line.substr(on + 4, since - on - 4) != HostName())
    return true;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::string HolderOrReaders(const std::string& folder) {
  std::string h = FolderLock::Holder(folder);
  return HolderAlive(h) ? h : std::string("another program that is reading it");
}

}  // namespace

FolderLock::FolderLock(std::string folder, int fd, Mode mode, std::string program)
    : folder_(std::move(folder)), fd_(fd), mode_(mode), program_(std::move(program)) {}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<FolderLock> FolderLock::Take(const std::string& folder, Mode mode,
                                             std::string_view program, std::string* why,
                                             bool* held_by_other) {
  if (held_by_other) *held_by_other = false;
  std::string path = JoinPath(folder, kLockFileName);
  // An existing lock file is opened without changing anything; only the first program
  // in a folder creates it. A link or a pipe in its place is never opened through.
  constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
  int fd = ::open(path.c_str(), O_RDWR | kFlags);
  if (fd < 0 && errno == ENOENT) fd = fileops::Open(path, O_RDWR | O_CREAT | O_EXCL | kFlags, 0644);
  // Another program starting at the same moment created it in between: it is opened as
  // it stands, and the lock below tells who holds the folder.
  if (fd < 0 && errno == EEXIST) fd = ::open(path.c_str(), O_RDWR | kFlags);
  if (fd < 0 && (errno == EACCES || errno == EROFS) && mode == Mode::kShared) {
    fd = ::open(path.c_str(), O_RDONLY | kFlags);
    // A folder no one can write to (a read-only copy, a CD) has no writer to keep out:
    // a reader reads it without a lock file.
    if (fd < 0 && errno == ENOENT && ::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0)
      return std::unique_ptr<FolderLock>(new FolderLock(folder, -1, mode, std::string(program)));
  }
  struct stat st;
  if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
    ::close(fd);
    fd = -1;
    errno = EINVAL;
  }
  if (fd < 0) {
    if (why) *why = ErrorText(path, errno);
    return nullptr;
  }
  if (!TryLock(fd, mode)) {
    int err = errno;
    ::close(fd);
    if (err == EWOULDBLOCK) {
      if (held_by_other) *held_by_other = true;
      if (why) *why = HolderOrReaders(folder);
    } else if (why) {
      *why = ErrorText(path, err);
    }
    return nullptr;
  }
  return std::unique_ptr<FolderLock>(new FolderLock(folder, fd, mode, std::string(program)));
}

bool FolderLock::MakeExclusive(std::string* why) {
  if (mode_ == Mode::kExclusive) return true;
  if (fd_ < 0 || !TryLock(fd_, Mode::kExclusive)) {
    if (why)
      *why =
          fd_ < 0 ? ErrorText(JoinPath(folder_, kLockFileName), EROFS) : HolderOrReaders(folder_);
    return false;
  }
  mode_ = Mode::kExclusive;
  return true;
}

void FolderLock::WriteHolder() {
  if (mode_ != Mode::kExclusive || fd_ < 0) return;
  std::string line = program_ + ", process " + std::to_string(::getpid()) + ", user " + UserName() +
                     " on " + HostName() + ", since " + Now();
  if (line.size() > kHolderWidth - 1) line.resize(kHolderWidth - 1);
  line += '\n';
  line.resize(kHolderWidth, ' ');
  // Who holds the folder is a courtesy for the next program: the lock itself is the
  // flock, so a full disk here does not stop the run.
  if (::lseek(fd_, 0, SEEK_SET) == 0) fileops::WriteAll(fd_, line.data(), line.size());
}

std::string FolderLock::Holder(const std::string& folder) {
  auto bytes = ReadFile(JoinPath(folder, kLockFileName));
  if (!bytes) return {};
  std::string text(bytes->begin(), bytes->end());
  size_t nl = text.find('\n');
  if (nl != std::string::npos) text.resize(nl);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace zarim
