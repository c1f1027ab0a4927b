// The backup dialog's rules: the backup, the restore with its copy aside, and the undo.
#include "backup/backup_form.h"

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "backup/restore.h"
#include "core/catalog.h"
#include "core/data_files.h"
#include "core/file_copier.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/folder_journal.h"
#include "core/month.h"
#include "core/scramble.h"
#include "core/settings.h"
#include "core/store.h"
#include "core/strings.h"
#include "cycle/roll.h"

namespace zarim {

namespace {

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string WithoutSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string LastComponent(const std::string& path) {
  std::string p = WithoutSlash(path);
  size_t slash = p.rfind('/');
  return slash == std::string::npos ? p : p.substr(slash + 1);
}

bool SamePath(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  return WithoutSlash(a) == WithoutSlash(b);
}

// True when path is the folder itself or lies anywhere below it.
bool LiesInside(const std::string& path, const std::string& folder) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::weakly_canonical(path, ec);
  if (ec) p = std::filesystem::absolute(path, ec).lexically_normal();
  std::filesystem::path f = std::filesystem::weakly_canonical(folder, ec);
  if (ec) f = std::filesystem::absolute(folder, ec).lexically_normal();
  std::string ps = WithSlash(p.string()), fs = WithSlash(f.string());
  return ps.compare(0, fs.size(), fs) == 0;
}

std::string S(Sid id) { return std::string(Str(id)); }

}  // namespace

bool IsSetFolderName(const std::string& path) {
  std::string name = LastComponent(path);
  std::string prefix = std::string(kSetPrefixUnderscore);
  return name.size() >= prefix.size() &&
         ::strncasecmp(name.c_str(), prefix.c_str(), prefix.size()) == 0;
}

std::string ParentFolder(const std::string& path) {
  std::string p = WithoutSlash(path);
  size_t slash = p.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : p.substr(0, slash);
}

BackupForm::BackupForm(CZarimDoc& doc, BackupMode mode, BackupServices services)
    : doc_(doc), mode_(mode), services_(std::move(services)) {}

std::string BackupForm::SetName(const LocalTime& t) {
  return std::string(kSetPrefix) + FormatTime(Str(Sid::kSetNameFormat), t);
}

std::string BackupForm::BackupLabel(const LocalTime& t) {
  return FormatTime(Str(Sid::kBackupLabelFormat), t);
}

uint64_t BackupForm::RequiredBytes(const std::string& data_folder) {
  uint64_t sum = 0;
  for (const std::string& name : FileSetNames()) sum += FileSize(ResolvePath(data_folder, name));
  return sum;
}

void BackupForm::SetStatus(std::string text) {
  status_ = std::move(text);
  if (services_.status_changed) services_.status_changed(status_);
}

std::string BackupForm::OutsideDataFolder() const {
  std::error_code ec;
  std::filesystem::path data = std::filesystem::absolute(doc_.data_folder, ec).lexically_normal();
  std::string folder = WithoutSlash(data.string());
  return folder == "/" ? folder : ParentFolder(folder);
}

std::string BackupForm::UndoFolder() const { return JoinPath(doc_.data_folder, kUndoFolder); }

void BackupForm::Open() {
  std::string path = services_.read_setting
                         ? services_.read_setting(S(Sid::kBackupSection), S(Sid::kBackupPathKey))
                         : std::string();
  // A backup kept inside the folder it protects is lost with it: without a usable
  // choice the folder that holds the data folder is proposed.
  if (path.empty() || !IsFolder(path) ||
      (mode_ == BackupMode::kBackup && LiesInside(path, doc_.data_folder)))
    path = OutsideDataFolder();
  stored_path_ = WithSlash(path);
  path_ = stored_path_;

  doc_.prompter->BeginBusy(Str(Sid::kCheckingBackupsCaption), Str(Sid::kCheckingBackups));
  catalog_ = Catalog::Read(doc_.data_folder);
  usable_ = catalog_.Usable();
  doc_.prompter->EndBusy();
  has_catalog_ = !usable_.empty();
  catalog_mode_ = has_catalog_;

  if (mode_ == BackupMode::kBackup) {
    SetStatus(Fill(Sid::kClickOkToCreate, path_));
  } else {
    use_latest_ = catalog_mode_;
    undo_ = false;
    FillList();
    UpdateSource();
  }
}

std::string BackupForm::Title() const {
  return S(mode_ == BackupMode::kBackup ? Sid::kBackupTitle : Sid::kRestoreTitle);
}

std::string BackupForm::Prompt() const {
  return S(mode_ == BackupMode::kBackup ? Sid::kBackupWhere : Sid::kWhichFolderToRestore);
}

std::string BackupForm::RequiredSpaceText() const {
  return Printf(Sid::kRequiredSpaceFormat, S(Sid::kRequiredSpace).c_str(),
                static_cast<int>(std::min<uint64_t>(RequiredBytes(doc_.data_folder), 0x7FFFFFFF)));
}

std::string BackupForm::DisplayPath() const { return WithoutSlash(AbsolutePath(path_)); }

bool BackupForm::ItemIsHeading(int index) const {
  return index >= 0 && index < static_cast<int>(items_.size()) && item_folders_[index].empty();
}

std::string BackupForm::RestoreGroupCaption() const { return S(Sid::kSelectSetToRestore); }
std::string BackupForm::BrowseCaption() const { return S(Sid::kBackupBrowse); }
std::string BackupForm::UseLatestCaption() const { return S(Sid::kUseLatestSet); }
std::string BackupForm::UndoCaption() const { return S(Sid::kUndoLastRestore); }

bool BackupForm::SwitchListShown() const {
  return mode_ == BackupMode::kRestore && (catalog_mode_ || has_catalog_);
}

std::string BackupForm::SwitchListCaption() const {
  return S(catalog_mode_ ? Sid::kBrowseForSet : Sid::kSelectFromCatalog);
}

bool BackupForm::UndoShown() const {
  return mode_ == BackupMode::kRestore && HoldsBackupSet(UndoFolder());
}

bool BackupForm::OkShown() const {
  if (mode_ == BackupMode::kBackup) return true;
  if (done_) return false;
  if (undo_) return true;
  if (catalog_mode_) return !source_.empty();
  return !source_.empty() && IsSetFolderName(source_) && IsFolder(source_);
}

std::string BackupForm::OkCaption() const { return S(done_ ? Sid::kBackupClose : Sid::kBackupOk); }

void BackupForm::FillList() {
  items_.clear();
  item_folders_.clear();
  selected_ = -1;
  if (catalog_mode_) {
    // A month snapshot lies in the data folder's "Roll" folder; anything else is a set.
    for (bool snapshots : {false, true}) {
      bool heading = false;
      for (int i : usable_) {
        const CatalogEntry& e = catalog_.entries()[i];
        if ((LastComponent(ParentFolder(e.path)) == kRollFolder) != snapshots) continue;
        if (!heading) {
          items_.push_back(S(snapshots ? Sid::kMonthSnapshotsHeading : Sid::kBackupSetsHeading));
          item_folders_.emplace_back();
          heading = true;
        }
        items_.push_back(e.label);
        item_folders_.push_back(e.path);
      }
    }
    return;
  }
  // The subfolders of the backup path whose names begin with "Zr9", as the platform's
  // listing shows folders: in square brackets.
  std::vector<std::string> names;
  std::error_code ec;
  std::string prefix = std::string(kSetPrefix);
  for (const auto& e : std::filesystem::directory_iterator(path_, ec)) {
    std::error_code ec2;
    if (!e.is_directory(ec2)) continue;
    std::string name = e.path().filename().string();
    if (name.size() >= prefix.size() &&
        ::strncasecmp(name.c_str(), prefix.c_str(), prefix.size()) == 0)
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  for (const std::string& n : names) {
    items_.push_back("[" + n + "]");
    item_folders_.push_back(n);
  }
}

void BackupForm::UpdateSource() {
  if (undo_) {
    source_ = UndoFolder();
    std::string when;
    if (auto t = FileModified(ResolvePath(source_, kFilePublishers)))
      when = FormatTime(Str(Sid::kUndoDateFormat), *t);
    SetStatus(S(Sid::kClickOkToUndo) + S(Sid::kUndoDateSeparator) + when);
    return;
  }
  if (catalog_mode_ && use_latest_) {
    source_ = usable_.empty() ? std::string() : catalog_.entries()[usable_.front()].path;
  }
  SetStatus(source_.size() >= 5 ? Fill(Sid::kClickOkToRestore, source_) : std::string());
}

void BackupForm::ChooseItem(int index) {
  if (mode_ != BackupMode::kRestore || index < 0 || index >= static_cast<int>(items_.size()) ||
      ItemIsHeading(index))
    return;
  selected_ = index;
  if (catalog_mode_) {
    source_ = item_folders_[index];
    use_latest_ = false;
  } else {
    // A backup path that is itself a set stands for the folder that holds the sets.
    std::string base = IsSetFolderName(path_) ? ParentFolder(path_) : WithoutSlash(path_);
    source_ = WithSlash(JoinPath(base, item_folders_[index]));
  }
  undo_ = false;
  UpdateSource();
}

void BackupForm::SetUseLatest(bool on) {
  if (mode_ != BackupMode::kRestore) return;
  use_latest_ = on && catalog_mode_;
  if (use_latest_) {
    undo_ = false;
    selected_ = -1;
  }
  UpdateSource();
}

void BackupForm::SetUndo(bool on) {
  if (mode_ != BackupMode::kRestore) return;
  undo_ = on && UndoShown();
  // The two ticks exclude each other: undo names its own source.
  if (undo_) use_latest_ = false;
  selected_ = -1;
  source_.clear();
  UpdateSource();
}

void BackupForm::SwitchList() {
  if (mode_ != BackupMode::kRestore) return;
  if (catalog_mode_) {
    catalog_mode_ = false;
  } else if (has_catalog_) {
    catalog_mode_ = true;
  }
  use_latest_ = false;
  undo_ = false;
  source_.clear();
  FillList();
  UpdateSource();
}

void BackupForm::ChooseFolder(const std::string& folder) {
  if (folder.empty()) return;
  if (mode_ == BackupMode::kBackup) {
    std::string chosen = WithoutSlash(folder);
    if (IsSetFolderName(chosen)) {
      doc_.prompter->Tell(Fill(Sid::kNotABackupTarget, chosen));
      chosen = ParentFolder(chosen);
    }
    if (LiesInside(chosen, doc_.data_folder))
      doc_.prompter->Tell(Fill(Sid::kBackupInsideDataFolder, chosen));
    path_ = WithSlash(chosen);
    SetStatus(Fill(Sid::kClickOkToCreate, path_));
    return;
  }
  path_ = WithSlash(WithoutSlash(folder));
  catalog_mode_ = false;
  use_latest_ = false;
  undo_ = false;
  source_.clear();
  FillList();
  UpdateSource();
}

bool BackupForm::Ok() {
  if (done_) return true;
  // Only the folder's owner saves and reads the data again.
  if (doc_.history_view || !StoreOf(doc_)) return false;
  return mode_ == BackupMode::kBackup ? RunBackup() : RunRestore();
}

bool BackupForm::RunBackup() {
  // The set holds the data as they are now: everything is saved first, and a save that
  // succeeded leaves nothing unsaved. A save that failed (told by the save) would leave an
  // older set behind a "complete" message, so the backup stops there.
  if (!StoreOf(doc_)->Save()) {
    SetStatus(std::string());
    return false;
  }

  LocalTime now = services_.time ? services_.time->Now() : SystemTimeSource().Now();
  const std::string base = AbsolutePath(path_);
  // A restore replaces these folders whole: a set kept in one of them would be deleted by
  // the next restore.
  for (std::string_view work :
       {kRollFolder, kUndoFolder, kRestoreStagingFolder, Str(Sid::kRestoreTrashFolder)}) {
    const std::string replaced = JoinPath(doc_.data_folder, work);
    if (!LiesInside(base, replaced)) continue;
    doc_.prompter->Tell(Fill(Sid::kBackupInReplacedFolder, base, replaced));
    SetStatus(std::string());
    return false;
  }
  std::string set = JoinPath(base, SetName(now));
  if (set.size() >= kCatalogPathSize) {
    doc_.prompter->Tell(Fill(Sid::kPathTooLong, set));
    SetStatus(std::string());
    return false;
  }
  // Sets of backups that were cut off while being written are removed first.
  RemoveCutOffBuilds(base);
  // The set's own settings file names this backup path and date, so that a restore of the
  // set keeps them; the data folder gets them only once the set is whole, in one
  // transaction with the set's catalog entry.
  const std::string section = S(Sid::kBackupSection);
  const std::string last = FormatTime(Str(Sid::kLastBackupDateFormat), now);
  const std::string settings = SettingsFileWith(doc_.data_folder, [&](IniFile& ini) {
    // Stored absolute: a path relative to the folder a command was started in would name
    // another folder at the next start.
    ini.SetString(section, S(Sid::kBackupPathKey), WithSlash(base));
    ini.SetString(section, S(Sid::kBackupLastKey), last);
  });
  FileCopier copier(doc_.data_folder, doc_.prompter);
  copier.set_status([this](const std::string& s) { SetStatus(s); });
  bool taken = false;
  // A new folder of its own: an existing name (a folder or a link) is never written into.
  bool ok = BuildSetFolder(
      set,
      [&](const std::string& work) {
        bool copied = copier.CopyFileSet(work, CopyDirection::kToFolder);
        copied = copier.CopyArchives(work, CopyDirection::kToFolder) && copied;
        // The marker is written last: a set cut off before it is never taken for whole.
        return copied &&
               WriteFileAtomic(ResolvePath(work, kFileSettings), settings.data(),
                               settings.size()) &&
               WriteSetMarker(work);
      },
      &taken);
  if (!ok && taken) {
    SetStatus(S(Sid::kRetryBackup));
    return false;
  }
  SaveTransaction tx(doc_.data_folder);
  if (ok) {
    Catalog catalog = Catalog::Read(doc_.data_folder);
    catalog.Push(CatalogEntry{BackupLabel(now), set});
    ok = tx.Stage(kFileSettings, settings.data(), settings.size()) &&
         tx.Stage(kBackupCatalogFile, catalog.Image()) && tx.Commit();
    // A save begun on disk is completed at the next start, which then lists the set.
    if (!ok && !tx.left_journal()) RemoveTree(set);
  }
  if (!ok) {
    std::string what = !tx.error().empty()         ? JoinPath(doc_.data_folder, tx.error())
                       : copier.failures().empty() ? set
                                                   : copier.failures().front();
    std::string text = Fill(Sid::kBackupIncomplete, what);
    if (!copier.not_regular().empty())
      text = Fill(Sid::kNotARegularFile, copier.not_regular().front()) + "\n\n" + text;
    doc_.prompter->Tell(text);
    SetStatus(std::string());
    return false;
  }
  if (services_.set_setting) {
    services_.set_setting(section, S(Sid::kBackupPathKey), WithSlash(base));
    services_.set_setting(section, S(Sid::kBackupLastKey), last);
  }
  SetStatus(S(Sid::kBackupComplete) + "\n" + Fill(Sid::kBackupSetMade, set));
  done_ = true;
  return false;
}

bool BackupForm::RunRestore() {
  if (!OkShown() || source_.empty()) return false;
  const std::string source = AbsolutePath(WithoutSlash(source_));
  SetRestore restore(doc_.data_folder, doc_.prompter);
  restore.set_status([this](const std::string& s) { SetStatus(s); });
  if (!restore.CheckSource(source)) {
    UpdateSource();
    return false;
  }

  SystemClock system_clock;
  const Clock& clock = services_.clock ? *services_.clock : static_cast<const Clock&>(system_clock);
  // Names kept in another code page would come back garbled, and the next save would
  // label them with the code page of this language.
  if (auto foreign = SetCodePageConflict(source, doc_.language_code, clock)) {
    doc_.prompter->Tell(Fill(Sid::kSetCodePageDiffers, source, *foreign));
    return false;
  }

  // Unsaved work would be lost without a trace: saved first, it goes aside with the rest
  // and "Undo last restore" brings it back.
  if (doc_.modified) {
    Answer a = doc_.prompter->Ask(Str(Sid::kRestoreSaveFirst), Buttons::kYesNoCancel, Answer::kYes);
    if (a == Answer::kCancel) return false;
    if (a == Answer::kYes && !StoreOf(doc_)->Save()) return false;  // the save has said why
  }

  // The set's own password guards it, whatever the current data's password is.
  auto password = ReadSetPassword(source, clock);
  if (!password) {
    doc_.prompter->Tell(Fill(Sid::kRestoreNoSet, source));
    return false;
  }
  if (!password->empty()) {
    if (!services_.check_password || !services_.check_password(*password)) {
      doc_.prompter->Tell(Str(Sid::kWrongSetPassword));
      return false;
    }
  }

  const bool undoing = SamePath(source, UndoFolder());
  if (!restore.Run(source)) {
    UpdateSource();
    return false;
  }

  // The restored data are loaded as at start-up, without the password.
  ReloadRequest reload;
  reload.restored = true;
  StoreOf(doc_)->Reload(reload);
  if (services_.after_reload) services_.after_reload(doc_);
  done_ = true;
  const std::string month =
      MonthName(doc_.working_month) + " " + std::to_string(2000 + doc_.working_year);
  doc_.prompter->Tell(undoing ? Fill(Sid::kUndoFinished, month)
                              : Fill(Sid::kRestoreFinished, source, month));
  return true;
}

}  // namespace zarim
