// The file copier: whole-file copies that are either complete or reported as failed.
#include "core/file_copier.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/file_ops.h"
#include "core/strings.h"

namespace zarim {

namespace {

enum class ReadResult { kRead, kMissing, kFailed, kNotRegular };

std::string ParentOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A folder descriptor closed at the end of its scope.
struct FolderFd {
  int fd;
  explicit FolderFd(int f) : fd(f) {}
  ~FolderFd() {
    if (fd >= 0) ::close(fd);
  }
  FolderFd(const FolderFd&) = delete;
  FolderFd& operator=(const FolderFd&) = delete;
};

// Reads a whole regular file, reached from `root` without following a link on the way
// (a "Roll" link must not bring outside files into a set). A link, a pipe or a device is
// never opened for reading (a pipe would block, a link could lead outside the folder); a
// short read or an error is a failure, not a shorter file.
ReadResult ReadWhole(const std::string& root, const std::string& path, Bytes* out) {
  FolderFd dir(fileops::OpenFolderBelow(root, ParentOf(path)));
  if (dir.fd < 0)
    return errno == ENOENT ? ReadResult::kMissing
                           : (errno == ELOOP || errno == ENOTDIR ? ReadResult::kNotRegular
                                                                 : ReadResult::kFailed);
  const std::string name = BaseName(path);
  struct stat st;
  if (::fstatat(dir.fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
    return errno == ENOENT || errno == ENOTDIR ? ReadResult::kMissing : ReadResult::kFailed;
  if (S_ISDIR(st.st_mode)) return ReadResult::kFailed;
  if (!S_ISREG(st.st_mode)) return ReadResult::kNotRegular;
  int fd = fileops::OpenAt(dir.fd, name, O_RDONLY | O_NONBLOCK);
  if (fd < 0) return ReadResult::kFailed;
  // The name may have been replaced between the two looks.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return ReadResult::kNotRegular;
  }
  out->assign(static_cast<size_t>(st.st_size), 0);
  size_t got = 0;
  bool ok = true;
  while (got < out->size()) {
    ssize_t n = ::read(fd, out->data() + got, out->size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  return ok ? ReadResult::kRead : ReadResult::kFailed;
}

// Writes a file completely under a temporary name, flushes it and renames it into place,
// so that a target is either the old file or the whole new one. The folder is reached
// from `root` without following links, the temporary is created fresh (O_EXCL after
// removing a leftover), so a link planted under its name is never written through; the
// rename replaces a link at the target itself, not what it names.
bool WriteWhole(const std::string& root, const std::string& path, const Bytes& data) {
  FolderFd dir(fileops::OpenFolderBelow(root, ParentOf(path)));
  if (dir.fd < 0) return false;
  const std::string name = BaseName(path);
  const std::string tmp = name + std::string(kTempSuffix);
  int fd = fileops::CreateFreshAt(dir.fd, tmp);
  if (fd < 0) return false;
  bool ok = fileops::WriteAll(fd, data.data(), data.size()) && fileops::Flush(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok && fileops::RenameAt(dir.fd, tmp, name) == 0) return true;
  ::unlinkat(dir.fd, tmp.c_str(), 0);
  return false;
}

}  // namespace

bool FileCopier::Flush(const std::string& folder) {
  // Every file was flushed when it was written; the folder's names remain.
  return fileops::FlushFolder(folder) == 0;
}

const std::vector<std::string>& FileSetNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    for (std::string_view id : {kFilePublishers, kFileExtension, kFileRemarks, kFileAppointments,
                                kFileEmergency, kFileMeetings, kFileTotals, kFileSpecialNeeds,
                                kFileSettings, kFileFormatOptions, kFileGroups, kFileLessThanHour})
      v.emplace_back(id);
    return v;
  }();
  return names;
}

const std::vector<std::string>& OlderFileNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    for (std::string_view id : {kOldFilePublishers7, kOldFileInactive7, kOldFileMoved7,
                                kOldFileNonPublishers7, kOldFileDeleted7, kOldFileRemarks7,
                                kOldFileOddMonths7, kOldFileTotals7, kOldFileMeetings7})
      v.emplace_back(id);
    return v;
  }();
  return names;
}

bool HoldsOlderDataOnly(const std::string& folder) {
  return FileSize(ResolvePath(folder, kFilePublishers)) < kMinCurrentPublisherFile &&
         FileExists(ResolvePath(folder, kOldFilePublishers7));
}

std::string FirstIrregularDataFile(const std::string& folder) {
  std::vector<std::string> names = FileSetNames();
  names.insert(names.end(), OlderFileNames().begin(), OlderFileNames().end());
  // One reading of the folder finds every name as the program reads it.
  for (const std::string& path : ResolvePaths(folder, names)) {
    struct stat st;
    if (!path.empty() && ::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return path;
  }
  return {};
}

const std::vector<std::string>& DeleteSetNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    for (std::string_view id :
         {kFilePublishers,        kFileExtension,     kFileRemarks,      kOldFilePublishers7,
          kOldFileRemarks7,       kOldFileOddMonths7, kOldFileInactive7, kOldFileMoved7,
          kOldFileNonPublishers7, kOldFileDeleted7,   kFileAppointments, kFileEmergency,
          kFileMeetings,          kFileLessThanHour,  kFileTotals,       kFileSpecialNeeds,
          kFileSettings,          kFileFormatOptions, kFileGroups,       kOldFileTotals7,
          kOldFileMeetings7})
      v.emplace_back(id);
    return v;
  }();
  return names;
}

std::string RollFolderOf(const std::string& folder) { return JoinPath(folder, kRollFolder); }

std::string ArchiveFolderOf(const std::string& folder, int n) {
  return JoinPath(RollFolderOf(folder), std::string(kRollMonthFolderPrefix) + std::to_string(n));
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsRealFolder(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsLink(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool MakeFolder(const std::string& path, bool fresh) {
  if (fileops::MakeFolder(path) == 0) return true;
  if (errno != EEXIST || fresh) return false;
  // An existing name is used only when it is a folder itself, never a link to one.
  return IsRealFolder(path);
}

bool RemoveFolder(const std::string& path) {
  return fileops::RemoveFolder(path) == 0 || errno == ENOENT;
}

bool RenamePath(const std::string& from, const std::string& to) {
  return fileops::Rename(from, to) == 0;
}

std::string AbsolutePath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  std::string out = std::filesystem::absolute(path, ec).lexically_normal().string();
  if (ec) return path;
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

// The marker lists each file of the set with its size, so that a set whose files were
// cut or removed afterwards is not taken for whole either.
bool WriteSetMarker(const std::string& folder) {
  std::string text;
  std::vector<std::string> names = FileSetNames();
  names.insert(names.end(), OlderFileNames().begin(), OlderFileNames().end());
  for (const std::string& name : names) {
    std::string path = JoinPath(folder, name);
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
      text += name + "\t" + std::to_string(st.st_size) + "\n";
  }
  text += "END\n";
  return WriteWhole(folder, JoinPath(folder, Str(Sid::kSetMarkerFile)),
                    Bytes(text.begin(), text.end())) &&
         FileCopier::Flush(folder);
}

std::optional<std::map<std::string, uint64_t>> ReadSetMarker(const std::string& folder) {
  if (!IsRealFolder(folder)) return std::nullopt;
  Bytes marker;
  if (ReadWhole(folder, JoinPath(folder, Str(Sid::kSetMarkerFile)), &marker) != ReadResult::kRead)
    return std::nullopt;
  std::string text(marker.begin(), marker.end());
  std::map<std::string, uint64_t> files;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) break;
    std::string line = text.substr(pos, nl - pos);
    pos = nl + 1;
    if (line == "END") return files;
    size_t tab = line.find('\t');
    if (tab == std::string::npos || tab == 0) break;
    std::string name = line.substr(0, tab);
    if (name.find('/') != std::string::npos) break;
    files[name] = std::strtoull(line.c_str() + tab + 1, nullptr, 10);
  }
  return std::nullopt;
}

bool SetIsComplete(const std::string& folder) { return ReadSetMarker(folder).has_value(); }

FileCopier::FileCopier(std::string data_folder, Prompter* prompter)
    : data_folder_(std::move(data_folder)), prompter_(prompter) {}

bool FileCopier::CopyOne(const Side& from, const Side& to, const std::string& name) {
  Bytes data;
  std::string source = ResolvePath(from.folder, name);
  switch (ReadWhole(from.root, source, &data)) {
    case ReadResult::kMissing:
      return true;
    case ReadResult::kFailed:
      failures_.push_back(source);
      return false;
    case ReadResult::kNotRegular:
      failures_.push_back(source);
      not_regular_.push_back(source);
      return false;
    case ReadResult::kRead:
      break;
  }
  std::string target = JoinPath(to.folder, name);
  if (!WriteWhole(to.root, target, data)) {
    failures_.push_back(target);
    return false;
  }
  ++files_copied_;
  return true;
}

bool FileCopier::CopySetBetween(const std::string& from, const std::string& to, bool restoring) {
  return CopySet({from, from}, {to, to}, restoring);
}

bool FileCopier::CopySet(const Side& from, const Side& to, bool restoring) {
  std::vector<std::string> names = FileSetNames();
  // A folder not converted yet carries its older files: they are its data.
  if (HoldsOlderDataOnly(from.folder))
    names.insert(names.end(), OlderFileNames().begin(), OlderFileNames().end());
  bool ok = true;
  int done = 0;
  for (const std::string& name : names) {
    if (status_) status_(Fill(restoring ? Sid::kRestoringFile : Sid::kBackingUpFile, name));
    ok = CopyOne(from, to, name) && ok;
    if (prompter_) prompter_->Progress(++done, static_cast<int>(names.size()));
  }
  return ok;
}

bool FileCopier::CopyArchivesBetween(const std::string& from, const std::string& to,
                                     bool restoring) {
  bool ok = true;
  // A "Roll" that is a link is not the folder's own: nothing is read through it.
  if (!IsRealFolder(RollFolderOf(from))) {
    if (IsLink(RollFolderOf(from))) {
      failures_.push_back(RollFolderOf(from));
      not_regular_.push_back(RollFolderOf(from));
      return false;
    }
    return true;
  }
  for (int n = 1; n <= 12; ++n) {
    std::string source = ArchiveFolderOf(from, n);
    if (!IsRealFolder(source) || !FileExists(ResolvePath(source, kFilePublishers))) continue;
    std::string target = ArchiveFolderOf(to, n);
    if (!MakeFolder(RollFolderOf(to)) || !MakeFolder(target)) {
      failures_.push_back(target);
      ok = false;
      continue;
    }
    // A snapshot counts as whole only with its marker, so the marker travels too, after
    // the files: the copy is offered for restoring exactly when the original was.
    const std::string marker(Str(Sid::kSetMarkerFile));
    const bool copied = CopySet({from, source}, {to, target}, restoring);
    ok = copied && CopyOne({from, source}, {to, target}, marker) && Flush(target) && ok;
  }
  // The year before's totals of a folder not converted yet are an older file too.
  const std::string older = JoinPath(RollFolderOf(from), kOldRollFolder7);
  if (HoldsOlderDataOnly(from) && IsRealFolder(older) &&
      FileExists(ResolvePath(older, kOldFileTotals7))) {
    const std::string target = JoinPath(RollFolderOf(to), kOldRollFolder7);
    if (!MakeFolder(RollFolderOf(to)) || !MakeFolder(target)) {
      failures_.push_back(target);
      return false;
    }
    ok = CopyOne({from, older}, {to, target}, std::string(kOldFileTotals7)) && ok;
  }
  return ok;
}

bool FileCopier::CopyFileSet(const std::string& folder, CopyDirection direction) {
  // A set folder inside the data folder (a snapshot being built under "Roll") is reached
  // from the data folder, so a link on the way is never followed.
  const std::string inside = data_folder_.empty() ? std::string() : data_folder_ + "/";
  const Side set{!inside.empty() && folder.rfind(inside, 0) == 0 ? data_folder_ : folder, folder};
  const Side data{data_folder_, data_folder_};
  return direction == CopyDirection::kToFolder ? CopySet(data, set, false)
                                               : CopySet(set, data, true);
}

bool FileCopier::CopyArchives(const std::string& folder, CopyDirection direction) {
  return direction == CopyDirection::kToFolder ? CopyArchivesBetween(data_folder_, folder, false)
                                               : CopyArchivesBetween(folder, data_folder_, true);
}

bool FileCopier::DeleteFileSet(const std::string& folder) {
  bool ok = true;
  for (const std::string& name : DeleteSetNames()) {
    std::string path = ResolvePath(folder, name);
    struct stat st;
    // A link is removed itself (lstat), whatever it names.
    if (::lstat(path.c_str(), &st) == 0 && !RemoveTree(path)) ok = false;
  }
  return ok;
}

bool FileCopier::DeleteArchives(const std::string& folder) {
  bool ok = true;
  // Through a "Roll" link the month folders are another folder's: only the link goes.
  if (!IsRealFolder(RollFolderOf(folder))) return RemoveTree(RollFolderOf(folder));
  for (int n = 1; n <= 12; ++n) {
    std::string month = ArchiveFolderOf(folder, n);
    if (!IsRealFolder(month)) continue;
    // The marker goes first: a month half deleted is never taken for whole.
    const std::string marker = JoinPath(month, Str(Sid::kSetMarkerFile));
    if (FileExists(marker) && !RemoveTree(marker)) ok = false;
    ok = DeleteFileSet(month) && ok;
    RemoveFolder(month);  // a folder holding other files stays
  }
  RemoveFolder(RollFolderOf(folder));
  return ok;
}

}  // namespace zarim
