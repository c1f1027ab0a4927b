// Whole-file reads and the atomic, all-or-nothing save of the data folder.
#include "core/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "core/file_names.h"
#include "core/file_ops.h"
#include "core/file_read.h"
#include "core/folder_lock.h"

namespace zarim {

std::string JoinPath(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string p = folder;
  if (p.back() != '/') p += '/';
  p += name;
  return p;
}

std::string ResolvePath(const std::string& folder, std::string_view name) {
  std::string exact = JoinPath(folder, name);
  struct stat st;
  if (::stat(exact.c_str(), &st) == 0) return exact;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return exact;
  std::string found;
  std::string wanted(name);
  while (dirent* e = ::readdir(dir)) {
    if (::strcasecmp(e->d_name, wanted.c_str()) == 0) {
      found = JoinPath(folder, e->d_name);
      break;
    }
  }
  ::closedir(dir);
  return found.empty() ? exact : found;
}

std::vector<std::string> ResolvePaths(const std::string& folder,
                                      const std::vector<std::string>& names) {
  std::vector<std::string> entry(names.size());
  std::vector<bool> exact(names.size(), false);
  if (DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str())) {
    while (dirent* e = ::readdir(dir))
      for (size_t i = 0; i < names.size(); ++i) {
        if (exact[i] || ::strcasecmp(e->d_name, names[i].c_str()) != 0) continue;
        exact[i] = names[i] == e->d_name;
        if (exact[i] || entry[i].empty()) entry[i] = e->d_name;
      }
    ::closedir(dir);
  }
  for (std::string& name : entry)
    if (!name.empty()) name = JoinPath(folder, name);
  return entry;
}

std::string ProgramFolder() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  const std::string exe(path, static_cast<size_t>(n));
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

namespace {

// Opens a regular file for reading; -1 for anything else. O_NONBLOCK: a pipe put in place
// of a data file is refused instead of waiting for a writer forever. O_NOFOLLOW: a link in
// place of a data file is not read through.
int OpenRegular(const std::string& path, uint64_t* size) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  *size = static_cast<uint64_t>(st.st_size);
  return fd;
}

size_t ReadUpTo(int fd, uint8_t* dst, size_t capacity) {
  size_t got = 0;
  while (got < capacity) {
    ssize_t n = ::read(fd, dst + got, capacity - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  return got;
}

}  // namespace

std::optional<Bytes> ReadFile(const std::string& path) {
  uint64_t size = 0;
  int fd = OpenRegular(path, &size);
  if (fd < 0) return std::nullopt;
  // No file of a data folder comes near this at full capacity: a larger one is damaged,
  // and only its start is read, so memory stays bounded whatever the disk holds.
  constexpr uint64_t kMaxRead = 64u << 20;
  Bytes data(static_cast<size_t>(std::min(size, kMaxRead)));
  data.resize(ReadUpTo(fd, data.data(), data.size()));
  ::close(fd);
  return data;
}

bool ReadFileRecords(const std::string& path, size_t rec_size, size_t max_records,
                     const std::function<void(const uint8_t*)>& each_record) {
  uint64_t size = 0;
  int fd = OpenRegular(path, &size);
  if (fd < 0) return false;
  const size_t per_read = std::max<size_t>(1, 16384 / rec_size);
  std::vector<uint8_t> buffer(per_read * rec_size);
  size_t left = static_cast<size_t>(std::min<uint64_t>(size / rec_size, max_records));
  while (left > 0) {
    const size_t want = std::min(left, per_read);
    const size_t got = ReadUpTo(fd, buffer.data(), want * rec_size) / rec_size;
    for (size_t i = 0; i < got; ++i) each_record(buffer.data() + i * rec_size);
    if (got < want) break;
    left -= got;
  }
  ::close(fd);
  return true;
}

std::optional<size_t> ReadFileInto(const std::string& path, void* dst, size_t capacity) {
  uint64_t size = 0;
  int fd = OpenRegular(path, &size);
  if (fd < 0) return std::nullopt;
  size_t got = ReadUpTo(fd, static_cast<uint8_t*>(dst), std::min<uint64_t>(size, capacity));
  ::close(fd);
  return got;
}

uint64_t FileSize(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return static_cast<uint64_t>(st.st_size);
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool RemoveFile(const std::string& path) { return fileops::Remove(path) == 0 || errno == ENOENT; }

namespace {

using fileops::WriteAll;

// Writes and flushes a new file; false (and no file left behind) on any failure.
// The file is created fresh: a link planted under its name is replaced, never written
// through.
bool WriteDurable(const std::string& path, const void* data, size_t size) {
  int fd = fileops::CreateFresh(path);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, data, size) && fileops::Flush(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok) ::unlink(path.c_str());
  return ok;
}

bool SyncFolder(const std::string& folder) { return fileops::FlushFolder(folder) == 0; }

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

bool WriteFilePlain(const std::string& path, const Bytes& data) {
  int fd = fileops::Open(path, O_WRONLY | O_CREAT | O_TRUNC);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, data.data(), data.size());
  return ::close(fd) == 0 && ok;
}

bool CopyFile(const std::string& from, const std::string& to) {
  auto data = ReadFile(from);
  if (!data) return false;
  return WriteFileAtomic(to, data->data(), data->size());
}

bool WriteFileAtomic(const std::string& path, const void* data, size_t size) {
  std::string tmp = path + std::string(kTempSuffix);
  if (!WriteDurable(tmp, data, size)) return false;
  if (fileops::Rename(tmp, path) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  return SyncFolder(FolderOf(path));
}

bool IsInsideDataFolder(const std::string& data_folder, const std::string& path) {
  auto real = [](const std::string& p) -> std::string {
    char* r = ::realpath(p.empty() ? "." : p.c_str(), nullptr);
    if (!r) return {};
    std::string out = r;
    std::free(r);
    return out;
  };
  const std::string folder = real(data_folder);
  const std::string parent = real(FolderOf(path));
  if (folder.empty() || parent.empty()) return false;
  if (parent == folder) return true;
  const std::string below = folder == "/" ? folder : folder + "/";
  if (parent.compare(0, below.size(), below) != 0) return false;
  const std::string rest = parent.substr(below.size());
  return rest != kExportsFolder && rest.rfind(std::string(kExportsFolder) + "/", 0) != 0;
}

std::string ErrorText(std::string_view name, int err) {
  return std::string(name) + ": " + std::strerror(err);
}

SaveTransaction::SaveTransaction(std::string folder) : folder_(std::move(folder)) {}

SaveTransaction::~SaveTransaction() {
  for (int fd : open_fds_) ::close(fd);
  if (committed_) return;
  for (const Op& op : ops_)
    if (!op.remove) ::unlink(JoinPath(folder_, op.name + std::string(kTempSuffix)).c_str());
}

namespace {
// The name a file has on disk: the exact name, or the one differing only in letter case.
std::string NameOnDisk(const std::string& folder, std::string_view name) {
  std::string resolved = ResolvePath(folder, name);
  size_t slash = resolved.rfind('/');
  return slash == std::string::npos ? resolved : resolved.substr(slash + 1);
}
}  // namespace

void SaveTransaction::Fail(const std::string& name) {
  if (error_.empty()) error_ = ErrorText(name, errno);
}

bool SaveTransaction::Stage(std::string_view wanted, const void* data, size_t size) {
  std::string name = NameOnDisk(folder_, wanted);
  std::string target = JoinPath(folder_, name);
  // A file that would not change is left alone: no write, no flush.
  if (auto old = ReadFile(target);
      old && old->size() == size && (size == 0 || std::memcmp(old->data(), data, size) == 0)) {
    ops_.erase(
        std::remove_if(ops_.begin(), ops_.end(), [&](const Op& op) { return op.name == name; }),
        ops_.end());
    return true;
  }
  std::string tmp = target + std::string(kTempSuffix);
  int fd = fileops::CreateFresh(tmp);
  if (fd < 0) {
    Fail(name);
    spoiled_ = true;
    return false;
  }
  if (!WriteAll(fd, data, size)) {
    Fail(name);
    spoiled_ = true;
    ::close(fd);
    ::unlink(tmp.c_str());
    return false;
  }
  open_fds_.push_back(fd);
  for (Op& op : ops_)
    if (op.name == name) {
      op.remove = false;
      return true;
    }
  ops_.push_back({name, false});
  return true;
}

void SaveTransaction::Remove(std::string_view wanted) {
  std::string name = NameOnDisk(folder_, wanted);
  for (Op& op : ops_)
    if (op.name == name) {
      ::unlink(JoinPath(folder_, op.name + std::string(kTempSuffix)).c_str());
      op.remove = true;
      return;
    }
  if (!FileExists(JoinPath(folder_, name))) return;
  ops_.push_back({name, true});
}

namespace {

// Journal: one line per operation, "D name" (delete name) first, then "R name" (rename
// the temporary over name), and a final line "END" that shows the journal is whole.
// It is replayed only while a temporary it names is still there (the renames had not all
// happened); a journal whose work was done is only removed.
// True when the journal's work is done (or there was none to do); false with the
// failing file's reason in *error when a delete or rename failed.
bool ApplyJournal(const std::string& folder, const std::string& text, bool committing,
                  std::string* error) {
  size_t pos = 0;
  std::vector<std::pair<char, std::string>> ops;
  bool complete = false;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) break;
    std::string line = text.substr(pos, nl - pos);
    pos = nl + 1;
    if (line == "END") {
      complete = true;
      break;
    }
    if (line.size() < 3 || (line[0] != 'R' && line[0] != 'D') || line[1] != ' ') return true;
    std::string name = line.substr(2);
    if (name.find('/') != std::string::npos || name == "." || name == "..") return true;
    ops.emplace_back(line[0], name);
  }
  if (!complete) return true;  // cut before its end: the save never began
  bool pending = committing;
  bool any_rename = false;
  for (const auto& [kind, name] : ops) {
    if (kind != 'R') continue;
    any_rename = true;
    if (FileExists(JoinPath(folder, name) + std::string(kTempSuffix))) pending = true;
  }
  if (!pending && any_rename) return true;
  auto fail = [&](const std::string& name) {
    if (error) *error = ErrorText(name, errno);
    return false;
  };
  for (const auto& [kind, name] : ops)
    if (kind == 'D' && fileops::Remove(JoinPath(folder, name)) != 0 && errno != ENOENT)
      return fail(name);
  for (const auto& [kind, name] : ops) {
    if (kind != 'R') continue;
    std::string target = JoinPath(folder, name);
    std::string tmp = target + std::string(kTempSuffix);
    if (FileExists(tmp) && fileops::Rename(tmp, target) != 0) return fail(name);
  }
  return true;
}

// Flushes every file at once: the file system groups the flushes into one commit.
bool FlushAll(const std::vector<int>& fds) {
  if (fds.size() == 1) return fileops::Flush(fds[0]) == 0;
  std::vector<std::thread> threads;
  std::vector<char> ok(fds.size(), 0);
  threads.reserve(fds.size());
  for (size_t i = 0; i < fds.size(); ++i)
    threads.emplace_back([&, i] { ok[i] = fileops::Flush(fds[i]) == 0; });
  for (auto& t : threads) t.join();
  return std::all_of(ok.begin(), ok.end(), [](char c) { return c != 0; });
}

}  // namespace

bool SaveTransaction::Commit() {
  if (spoiled_) return false;
  if (ops_.empty()) {
    committed_ = true;
    return true;
  }
  if (!FlushAll(open_fds_)) {
    Fail(ops_.front().name);
    return false;
  }
  for (int fd : open_fds_) ::close(fd);
  open_fds_.clear();
  // Every staged file must still be there before the journal promises to rename it.
  // Every staged file must still be there before the journal promises to rename it, and
  // every target must be a file a rename can replace (not a folder).
  for (const Op& op : ops_) {
    if (op.remove) continue;
    struct stat st;
    if (::stat(JoinPath(folder_, op.name).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
      errno = EISDIR;
      Fail(op.name);
      return false;
    }
    if (FileExists(JoinPath(folder_, op.name + std::string(kTempSuffix)))) continue;
    errno = ENOENT;
    Fail(op.name + std::string(kTempSuffix));
    return false;
  }
  std::string journal;
  for (const Op& op : ops_)
    if (op.remove) journal += "D " + op.name + "\n";
  for (const Op& op : ops_)
    if (!op.remove) journal += "R " + op.name + "\n";
  journal += "END\n";
  std::string journal_path = JoinPath(folder_, kJournalName);
  if (!WriteDurable(journal_path, journal.data(), journal.size())) {
    Fail(std::string(kJournalName));
    return false;
  }
  if (!SyncFolder(folder_)) {
    // The journal's name may not be on disk: take it back, and nothing has happened.
    Fail(std::string(kJournalName));
    ::unlink(journal_path.c_str());
    return false;
  }
  // The journal is on disk: from here the save happens, now or at the next start.
  committed_ = true;
  std::string why;
  if (!ApplyJournal(folder_, journal, true, &why) || !SyncFolder(folder_)) {
    if (why.empty()) why = ErrorText(folder_, errno);
    error_ = why;
    left_journal_ = true;
    return false;
  }
  // Every file is new now; a journal that stays is only removed at the next start.
  fileops::Remove(journal_path);
  return true;
}

bool SaveTransaction::Pending(const std::string& folder) {
  auto journal = ReadFile(JoinPath(folder, kJournalName));
  if (!journal) return false;
  std::string text(journal->begin(), journal->end());
  if (text.size() < 4 || text.compare(text.size() - 4, 4, "END\n") != 0) return false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl - pos);
    pos = nl + 1;
    if (line.size() > 2 && line[0] == 'R' && line[1] == ' ' &&
        FileExists(JoinPath(folder, line.substr(2)) + std::string(kTempSuffix)))
      return true;
  }
  return false;
}

bool SaveTransaction::Recover(const FolderLock& lock, std::string* error) {
  const std::string& folder = lock.folder();
  std::string journal_path = JoinPath(folder, kJournalName);
  if (auto journal = ReadFile(journal_path)) {
    std::string why;
    if (!ApplyJournal(folder, std::string(journal->begin(), journal->end()), false, &why) ||
        !SyncFolder(folder)) {
      if (error) *error = why.empty() ? ErrorText(folder, errno) : why;
      return false;
    }
    if (fileops::Remove(journal_path) != 0 && errno != ENOENT) {
      if (error) *error = ErrorText(kJournalName, errno);
      return false;
    }
  }
  // Under the lock no other process stages here: temporaries left now belong to a save
  // that died before its journal was on disk.
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return true;
  std::vector<std::string> stale;
  while (dirent* e = ::readdir(dir)) {
    std::string n = e->d_name;
    if (n.size() > kTempSuffix.size() &&
        n.compare(n.size() - kTempSuffix.size(), kTempSuffix.size(), kTempSuffix) == 0)
      stale.push_back(n);
  }
  ::closedir(dir);
  for (const auto& n : stale) fileops::Remove(JoinPath(folder, n));
  return true;
}

}  // namespace zarim
