// The file copier: whole-file copies that are either complete or reported as failed.
#include "core/file_copier.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/strings.h"

namespace zarim {

namespace {

enum class ReadResult { kRead, kMissing, kFailed };

// Reads a whole regular file; a short read or an error is a failure, not a shorter file.
ReadResult ReadWhole(const std::string& path, Bytes* out) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0)
    return errno == ENOENT || errno == ENOTDIR ? ReadResult::kMissing : ReadResult::kFailed;
  if (!S_ISREG(st.st_mode)) return ReadResult::kFailed;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ReadResult::kFailed;
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

// Writes a file completely under a temporary name and renames it into place, so that a
// target is either the old file or the whole new one. Flushing to disk is left to
// FileCopier::Flush, once for a whole set instead of once per file.
bool WriteWhole(const std::string& path, const Bytes& data) {
  std::string tmp = path + std::string(kTempSuffix);
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  bool ok = true;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<size_t>(n);
  }
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(tmp.c_str(), path.c_str()) == 0) return true;
  ::unlink(tmp.c_str());
  return false;
}

}  // namespace

bool FileCopier::Flush(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::syncfs(fd) == 0;
  ::close(fd);
  return ok;
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

const std::vector<std::string>& DeleteSetNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    for (std::string_view id :
         {kFilePublishers, kFileExtension, kFileRemarks, kOldFilePublishers7, kOldFileRemarks7,
          kOldFileOddMonths7, kOldFileInactive7, kOldFileMoved7, kOldFileNonPublishers7,
          kOldFileDeleted7, kFileAppointments, kFileEmergency, kFileMeetings, kFileLessThanHour,
          kFileTotals, kFileSpecialNeeds, kFileSettings, kFileFormatOptions, kFileGroups})
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

bool MakeFolder(const std::string& path, bool fresh) {
  if (::mkdir(path.c_str(), 0755) == 0) return true;
  if (errno != EEXIST || fresh) return false;
  return IsFolder(path);
}

bool RemoveFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0 || errno == ENOENT; }

bool RenamePath(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

FileCopier::FileCopier(std::string data_folder, Prompter* prompter)
    : data_folder_(std::move(data_folder)), prompter_(prompter) {}

bool FileCopier::CopyOne(const std::string& from_folder, const std::string& to_folder,
                         const std::string& name) {
  Bytes data;
  std::string source = ResolvePath(from_folder, name);
  switch (ReadWhole(source, &data)) {
    case ReadResult::kMissing:
      return true;
    case ReadResult::kFailed:
      failures_.push_back(source);
      return false;
    case ReadResult::kRead:
      break;
  }
  std::string target = JoinPath(to_folder, name);
  if (!WriteWhole(target, data)) {
    failures_.push_back(target);
    return false;
  }
  ++files_copied_;
  return true;
}

bool FileCopier::CopySetBetween(const std::string& from, const std::string& to, bool restoring) {
  const auto& names = FileSetNames();
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
  for (int n = 1; n <= 12; ++n) {
    std::string source = ArchiveFolderOf(from, n);
    if (!FileExists(ResolvePath(source, kFilePublishers))) continue;
    std::string target = ArchiveFolderOf(to, n);
    if (!MakeFolder(RollFolderOf(to)) || !MakeFolder(target)) {
      failures_.push_back(target);
      ok = false;
      continue;
    }
    ok = CopySetBetween(source, target, restoring) && ok;
  }
  return ok;
}

bool FileCopier::CopyFileSet(const std::string& folder, CopyDirection direction) {
  return direction == CopyDirection::kToFolder ? CopySetBetween(data_folder_, folder, false)
                                               : CopySetBetween(folder, data_folder_, true);
}

bool FileCopier::CopyArchives(const std::string& folder, CopyDirection direction) {
  return direction == CopyDirection::kToFolder ? CopyArchivesBetween(data_folder_, folder, false)
                                               : CopyArchivesBetween(folder, data_folder_, true);
}

bool FileCopier::DeleteFileSet(const std::string& folder) {
  bool ok = true;
  for (const std::string& name : DeleteSetNames()) {
    std::string path = ResolvePath(folder, name);
    if (FileExists(path) && !RemoveFile(path)) ok = false;
  }
  return ok;
}

bool FileCopier::DeleteArchives(const std::string& folder) {
  bool ok = true;
  for (int n = 1; n <= 12; ++n) {
    std::string month = ArchiveFolderOf(folder, n);
    if (!IsFolder(month)) continue;
    ok = DeleteFileSet(month) && ok;
    RemoveFolder(month);  // a folder holding other files stays
  }
  RemoveFolder(RollFolderOf(folder));
  return ok;
}

}  // namespace zarim
