// The restore of a backup set as one unit: staging, setting aside, the journaled swap.
#include "backup/restore.h"

#include <sys/stat.h>

#include <memory>

#include "core/catalog.h"
#include "core/data_files.h"
#include "core/file_copier.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/password.h"
#include "core/settings.h"
#include "core/strings.h"

namespace zarim {

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

std::string NameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

namespace {

// A set's publisher table read through the publisher-file reader; nothing when the set
// has no readable publisher file.
std::unique_ptr<CZarimDoc> LoadSetPublishers(const std::string& set_folder, const Clock& clock) {
  std::string file = JoinPath(set_folder, kFilePublishers);
  struct stat st;
  // The set of a folder not converted yet holds the older table instead.
  if (HoldsOlderDataOnly(set_folder)) file = JoinPath(set_folder, kOldFilePublishers7);
  if (::lstat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
  auto set = std::make_unique<CZarimDoc>();
  set->data_folder = set_folder;
  LoadPublishers(*set, clock);
  if (set->count < 1) return nullptr;
  return set;
}

}  // namespace

std::optional<std::string> ReadSetPassword(const std::string& set_folder, const Clock& clock) {
  auto set = LoadSetPublishers(set_folder, clock);
  if (!set) return std::nullopt;
  return PasswordIsSet(*set) ? FieldText(set->header().first_name) : std::string();
}

std::optional<std::string> SetCodePageConflict(const std::string& set_folder,
                                               std::string_view language_code, const Clock& clock) {
  auto set = LoadSetPublishers(set_folder, clock);
  if (!set) return std::nullopt;
  SettingsFile settings(set_folder);
  settings.Load();
  return ForeignCodePage(settings.ini(), set->count, language_code);
}

SetRestore::SetRestore(std::string data_folder, Prompter* prompter)
    : data_folder_(std::move(data_folder)), prompter_(prompter) {}

std::string SetRestore::StagingFolder() const {
  return JoinPath(data_folder_, kRestoreStagingFolder);
}
std::string SetRestore::UndoFolder() const { return JoinPath(data_folder_, kUndoFolder); }
std::string SetRestore::AsideFolder() const { return UndoFolder() + std::string(kUndoTmpSuffix); }

bool SetRestore::CheckSource(const std::string& source) {
  if (!IsRealFolder(source) || !HoldsBackupSet(source)) {
    prompter_->Tell(IsRealFolder(source) &&
                            FileSize(JoinPath(source, kFilePublishers)) >= kMinSetPublisherFile
                        ? Fill(Sid::kSetIncomplete, source)
                        : Fill(Sid::kRestoreNoSet, source));
    return false;
  }
  if (Exists(UndoFolder()) && !IsRealFolder(UndoFolder())) {
    prompter_->Tell(Fill(Sid::kUndoNotAFolder, UndoFolder()));
    return false;
  }
  return true;
}

bool SetRestore::StageSet(const std::string& source) {
  const std::string staging = StagingFolder();
  FileCopier copier(data_folder_, prompter_);
  copier.set_status(status_);
  bool ok = RemoveTree(staging) && MakeFolder(staging, true) &&
            copier.CopySetBetween(source, staging, true) &&
            copier.CopyArchivesBetween(source, staging, true);
  // Every file the set's marker lists must have arrived whole.
  std::string short_file;
  if (ok) {
    auto listed = ReadSetMarker(source);
    for (const auto& [name, size] : listed.value_or(std::map<std::string, uint64_t>{})) {
      struct stat st;
      std::string staged = JoinPath(staging, name);
      if (::lstat(staged.c_str(), &st) != 0 || static_cast<uint64_t>(st.st_size) != size) {
        short_file = JoinPath(source, name);
        ok = false;
        break;
      }
    }
  }
  ok = ok && FileCopier::Flush(staging);
  if (ok) return true;
  std::string what = !short_file.empty()         ? short_file
                     : copier.failures().empty() ? staging
                                                 : copier.failures().front();
  if (!copier.not_regular().empty()) {
    prompter_->Tell(Fill(Sid::kNotARegularFile, copier.not_regular().front()) + "\n\n" +
                    Fill(Sid::kRestoreSourceUnreadable, copier.not_regular().front()));
  } else if (StartsWith(what, staging + "/")) {
    // Writing inside the data folder failed (a full disk): nothing was changed.
    prompter_->Tell(
        Fill(Sid::kRestoreFailedPutBack, JoinPath(data_folder_, what.substr(staging.size() + 1))));
  } else {
    prompter_->Tell(Fill(Sid::kRestoreSourceUnreadable, what));
  }
  return false;
}

bool SetRestore::SetAsideCurrentData() {
  const std::string aside = AsideFolder();
  not_set_aside_.clear();
  if (!RemoveTree(aside) || !MakeFolder(aside, true)) {
    prompter_->Tell(Fill(Sid::kRestoreAsideFailed, aside));
    return false;
  }
  FileCopier copier(data_folder_, prompter_);
  // A current file that cannot be read is left out of the undo, not a reason to keep the
  // data as they are: a restore is wanted most when the data are damaged.
  std::string write_failure;
  auto sort_failures = [&] {
    for (const std::string& f : copier.failures()) {
      if (StartsWith(f, aside + "/")) {
        if (write_failure.empty()) write_failure = f;
      } else
        not_set_aside_.push_back(f);
    }
  };
  copier.CopySetBetween(data_folder_, aside, false);
  sort_failures();
  copier.ClearFailures();
  copier.CopyArchivesBetween(data_folder_, aside, false);
  sort_failures();
  if (!write_failure.empty() || !WriteSetMarker(aside)) {
    prompter_->Tell(Fill(Sid::kRestoreAsideFailed, write_failure.empty() ? aside : write_failure));
    return false;
  }
  return true;
}

std::vector<JournalStep> SetRestore::PlanSwap(bool source_has_roll) const {
  const std::string staging_name(kRestoreStagingFolder);
  const std::string staging = StagingFolder();
  std::vector<JournalStep> steps;
  for (const std::string& name : DeleteSetNames()) {
    std::string on_disk = NameOf(ResolvePath(data_folder_, name));
    bool present = Exists(JoinPath(data_folder_, on_disk));
    bool staged = Exists(JoinPath(staging, name));
    // A file copied with other letter case goes; the set's name takes its place.
    if (present && (!staged || on_disk != name))
      steps.push_back({JournalStep::kDelete, on_disk, {}});
    if (staged) steps.push_back({JournalStep::kMove, staging_name + "/" + name, name});
  }
  const std::string roll(kRollFolder);
  if (source_has_roll) {
    if (Exists(JoinPath(staging, roll)))
      steps.push_back({JournalStep::kMove, staging_name + "/" + roll, roll});
    else
      steps.push_back({JournalStep::kDelete, roll, {}});
  }
  steps.push_back({JournalStep::kMove, NameOf(AsideFolder()), std::string(kUndoFolder)});
  steps.push_back({JournalStep::kDelete, staging_name, {}});
  return steps;
}

void SetRestore::RollBack() {
  RemoveTree(StagingFolder());
  RemoveTree(AsideFolder());
}

bool SetRestore::Run(const std::string& source) {
  if (!CheckSource(source)) return false;
  if (!StageSet(source)) {
    RollBack();
    return false;
  }
  if (!SetAsideCurrentData()) {
    RollBack();
    return false;
  }
  const bool source_has_roll = IsRealFolder(RollFolderOf(source));
  if (!WriteFolderJournal(data_folder_, PlanSwap(source_has_roll))) {
    RollBack();
    prompter_->Tell(
        Fill(Sid::kRestoreFailedPutBack, JoinPath(data_folder_, Str(Sid::kRestoreJournal))));
    return false;
  }
  // From here the restore happens: if a step fails now, the next start completes it.
  if (!CompleteFolderJournal(data_folder_)) {
    prompter_->Tell(Fill(Sid::kRestoreFailedNotPutBack, data_folder_, UndoFolder()));
    return false;
  }
  if (!not_set_aside_.empty()) {
    std::string list;
    for (const std::string& f : not_set_aside_) list += f + "\n";
    prompter_->Tell(Fill(Sid::kRestoreNotSetAside, list));
  }
  return true;
}

}  // namespace zarim
