// The journal of whole-file changes of a data folder and its recovery at start.
#include "core/folder_journal.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/file_ops.h"
#include "core/strings.h"

namespace zarim {

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

bool IsDir(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ParentOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

// A journal names only paths inside its folder.
bool SafeRelative(const std::string& p) {
  if (p.empty() || p[0] == '/') return false;
  size_t pos = 0;
  while (pos <= p.size()) {
    size_t slash = p.find('/', pos);
    std::string part = p.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
    if (part.empty() || part == "." || part == "..") return false;
    if (slash == std::string::npos) break;
    pos = slash + 1;
  }
  return p.find('\t') == std::string::npos && p.find('\n') == std::string::npos;
}

std::string JournalPath(const std::string& folder) {
  return JoinPath(folder, Str(Sid::kRestoreJournal));
}

// The steps of a whole journal; nothing when it lacks its end mark or names a path
// outside the folder.
bool ParseJournal(const std::string& text, std::vector<JournalStep>* steps) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) return false;
    std::string line = text.substr(pos, nl - pos);
    pos = nl + 1;
    if (line == "END") return true;
    if (line.size() < 3 || line[1] != '\t') return false;
    JournalStep step;
    std::string rest = line.substr(2);
    if (line[0] == 'M') {
      size_t tab = rest.find('\t');
      if (tab == std::string::npos) return false;
      step = {JournalStep::kMove, rest.substr(0, tab), rest.substr(tab + 1)};
      if (!SafeRelative(step.to)) return false;
    } else if (line[0] == 'D') {
      step = {JournalStep::kDelete, rest, {}};
    } else {
      return false;
    }
    if (!SafeRelative(step.from)) return false;
    steps->push_back(step);
  }
  return false;
}

// Stops at the first step that fails: a later step (removing the staging folder) must not
// run before an earlier one (moving a file out of it) has happened.
bool RunSteps(const std::string& folder, const std::vector<JournalStep>& steps) {
  for (const JournalStep& step : steps) {
    std::string from = JoinPath(folder, step.from);
    if (step.kind == JournalStep::kDelete) {
      if (!RemoveTree(from)) return false;
      continue;
    }
    if (!Exists(from)) continue;  // moved before the cut
    std::string to = JoinPath(folder, step.to);
    // A link in the place of a folder (a planted "Roll") goes itself; a rename of a
    // folder over it would fail, and nothing is ever moved into what it names.
    if ((IsDir(to) || (IsDir(from) && Exists(to))) && !RemoveTree(to)) return false;
    if (fileops::Rename(from, to) != 0) return false;
  }
  return true;
}

}  // namespace

bool RemoveTree(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (!S_ISDIR(st.st_mode)) return fileops::Remove(path) == 0 || errno == ENOENT;
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(path.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      std::string n = e->d_name;
      if (n != "." && n != "..") names.push_back(n);
    }
    ::closedir(dir);
  }
  bool ok = true;
  for (const std::string& n : names) ok = RemoveTree(JoinPath(path, n)) && ok;
  return (fileops::RemoveFolder(path) == 0 || errno == ENOENT) && ok;
}

bool SwapFolderInto(const std::string& built, const std::string& target) {
  const std::string parent = ParentOf(target);
  if (!Exists(target)) {
    if (fileops::Rename(built, target) != 0) return false;
    return fileops::FlushFolder(parent) == 0;
  }
  if (fileops::Exchange(built, target) == 0) {
    fileops::FlushFolder(parent);
    RemoveTree(built);
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
  // Two renames; a cut between them is undone by RecoverInterrupted.
  std::string old = target + std::string(kReplacedSuffix);
  if (!RemoveTree(old) || fileops::Rename(target, old) != 0) return false;
  if (fileops::Rename(built, target) != 0) {
    fileops::Rename(old, target);
    return false;
  }
  fileops::FlushFolder(parent);
  RemoveTree(old);
  return true;
}

namespace {

// The work folder held with a lock for as long as its build runs; -1 when it cannot be.
int LockFolder(const std::string& folder, bool wait) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd >= 0 && ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
    ::close(fd);
    fd = -1;
  }
  return fd;
}

}  // namespace

bool BuildSetFolder(const std::string& set, const std::function<bool(const std::string&)>& fill,
                    bool* taken) {
  if (taken) *taken = Exists(set);
  if (Exists(set)) return false;
  const std::string work = set + std::string(kBuildSuffix);
  if (!RemoveTree(work) || fileops::MakeFolder(work) != 0) return false;
  int lock = LockFolder(work, true);
  bool ok = lock >= 0 && fill(work) && fileops::FlushFolder(work) == 0;
  // The name is taken last, unless a set of that name appeared meanwhile.
  if (ok && Exists(set)) {
    if (taken) *taken = true;
    ok = false;
  }
  ok = ok && fileops::Rename(work, set) == 0;
  if (ok) fileops::FlushFolder(ParentOf(set));
  if (!ok) RemoveTree(work);
  if (lock >= 0) ::close(lock);
  return ok;
}

void RemoveCutOffBuilds(const std::string& parent) {
  std::vector<std::string> cut_off;
  if (DIR* dir = ::opendir(parent.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      std::string_view n = e->d_name;
      if (n.size() > kBuildSuffix.size() && n.ends_with(kBuildSuffix) &&
          n.starts_with(kSetPrefixUnderscore))
        cut_off.emplace_back(n);
    }
    ::closedir(dir);
  }
  for (const std::string& n : cut_off) {
    const std::string path = JoinPath(parent, n);
    int lock = LockFolder(path, false);
    if (lock < 0) continue;  // a build still running, or not a folder of ours
    RemoveTree(path);
    ::close(lock);
  }
}

bool WriteFolderJournal(const std::string& folder, const std::vector<JournalStep>& steps) {
  std::string text;
  for (const JournalStep& s : steps) {
    if (!SafeRelative(s.from) || (s.kind == JournalStep::kMove && !SafeRelative(s.to)))
      return false;
    text += static_cast<char>(s.kind);
    text += "\t" + s.from;
    if (s.kind == JournalStep::kMove) text += "\t" + s.to;
    text += "\n";
  }
  text += "END\n";
  std::string path = JournalPath(folder);
  std::string tmp = path + std::string(kTempSuffix);
  ::remove(tmp.c_str());
  int fd = fileops::Open(tmp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW);
  if (fd < 0) return false;
  bool ok = fileops::WriteAll(fd, text.data(), text.size()) && fileops::Flush(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  // The journal counts from the moment its name is on disk, so it appears whole.
  ok = ok && fileops::Rename(tmp, path) == 0 && fileops::FlushFolder(folder) == 0;
  if (!ok) {
    ::remove(tmp.c_str());
    if (Exists(path)) fileops::Remove(path);
  }
  return ok;
}

bool CompleteFolderJournal(const std::string& folder) {
  std::string path = JournalPath(folder);
  auto bytes = ReadFile(path);
  if (!bytes) return !Exists(path);
  std::vector<JournalStep> steps;
  if (!ParseJournal(std::string(bytes->begin(), bytes->end()), &steps)) {
    // Never written whole: the change had not begun.
    return fileops::Remove(path) == 0;
  }
  if (!RunSteps(folder, steps) || fileops::FlushFolder(folder) != 0) return false;
  return fileops::Remove(path) == 0 && fileops::FlushFolder(folder) == 0;
}

Recovery RecoverInterrupted(const std::string& folder) {
  Recovery result = Recovery::kNothing;
  std::string journal = JournalPath(folder);
  if (Exists(journal)) {
    auto bytes = ReadFile(journal);
    std::vector<JournalStep> steps;
    bool whole = bytes && ParseJournal(std::string(bytes->begin(), bytes->end()), &steps);
    if (CompleteFolderJournal(folder) && whole) result = Recovery::kCompleted;
  }
  ::remove((journal + std::string(kTempSuffix)).c_str());
  // Work folders of a restore or an undo that did not reach its journal.
  const std::string undo = JoinPath(folder, kUndoFolder);
  for (const std::string& work :
       {JoinPath(folder, kRestoreStagingFolder), undo + std::string(kUndoTmpSuffix),
        JoinPath(folder, Str(Sid::kRestoreTrashFolder))}) {
    if (!Exists(work)) continue;
    RemoveTree(work);
    if (result == Recovery::kNothing) result = Recovery::kCleanedUp;
  }
  // Snapshots cut off while being built or swapped in.
  std::string roll = JoinPath(folder, kRollFolder);
  if (IsDir(roll)) {
    for (int n = 1; n <= 12; ++n) {
      std::string month = JoinPath(roll, std::string(kRollMonthFolderPrefix) + std::to_string(n));
      std::string built = month + std::string(kBuildSuffix);
      std::string old = month + std::string(kReplacedSuffix);
      if (Exists(old)) {
        if (!Exists(month))
          fileops::Rename(old, month);
        else
          RemoveTree(old);
        result = result == Recovery::kNothing ? Recovery::kCleanedUp : result;
      }
      if (Exists(built)) {
        RemoveTree(built);
        result = result == Recovery::kNothing ? Recovery::kCleanedUp : result;
      }
    }
  }
  return result;
}

}  // namespace zarim
