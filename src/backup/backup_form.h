// The backup dialog in its two modes: making a backup set under the backup path, and
// restoring one (from the catalog, from a folder of sets, or undoing the last restore).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/catalog.h"
#include "core/document.h"
#include "core/local_time.h"
#include "core/ports.h"

namespace zarim {

enum class BackupMode { kBackup, kRestore };

// What the form needs from the program around it.
struct BackupServices {
  const TimeSource* time = nullptr;  // the moment of a backup
  const Clock* clock = nullptr;      // for reloading the document after a restore
  // The settings file: a key's text ("" when missing), and a key changed in memory (the
  // form has written it to the file already, with the backup it belongs to).
  std::function<std::string(const std::string& section, const std::string& key)> read_setting;
  std::function<void(const std::string& section, const std::string& key, const std::string& value)>
      set_setting;
  // Asks for the password of a backup set (record bytes); true when it was given.
  std::function<bool(const std::string& password)> check_password;
  // Called after a restore has loaded the restored data (settings to read again).
  std::function<void(CZarimDoc&)> after_reload;
  // Called whenever the status line changes, also during long copies.
  std::function<void(const std::string&)> status_changed;
};

class BackupForm {
 public:
  BackupForm(CZarimDoc& doc, BackupMode mode, BackupServices services);

  // Reads the backup path and the catalog (showing the small waiting window).
  void Open();

  // ---- What the dialog shows -------------------------------------------------------
  BackupMode mode() const { return mode_; }
  std::string Title() const;
  std::string Prompt() const;  // the text above the path
  std::string Path() const { return path_; }
  // The backup path as the user reads it: absolute, without a trailing '/'.
  std::string DisplayPath() const;
  std::string RequiredSpaceText() const;  // backup mode only
  bool RequiredSpaceShown() const { return mode_ == BackupMode::kBackup; }
  std::string Status() const { return status_; }
  bool RestoreGroupShown() const { return mode_ == BackupMode::kRestore; }
  std::string RestoreGroupCaption() const;
  std::string BrowseCaption() const;  // "Browse": the folder chooser
  // One Browse at a time: in restore mode with a catalog it is the list's own button
  // (SwitchListCaption), without one the button beside the path.
  bool BrowseShown() const { return mode_ == BackupMode::kBackup || !SwitchListShown(); }
  std::string BrowseStartFolder() const { return path_; }
  // The button that switches between the catalog and the folder of sets. From the
  // catalog it is the restore mode's Browse: the dialog asks for the folder of sets.
  bool SwitchListShown() const;
  std::string SwitchListCaption() const;
  bool catalog_mode() const { return catalog_mode_; }
  bool has_catalog() const { return has_catalog_; }
  // The catalog lists backup sets and month snapshots under a heading each; a heading
  // is not chosen.
  std::vector<std::string> ListItems() const { return items_; }
  bool ItemIsHeading(int index) const;
  int selected_item() const { return selected_; }
  bool UseLatestShown() const { return mode_ == BackupMode::kRestore && catalog_mode_; }
  bool use_latest() const { return use_latest_; }
  std::string UseLatestCaption() const;
  bool UndoShown() const;
  bool undo() const { return undo_; }
  std::string UndoCaption() const;
  bool OkShown() const;
  std::string OkCaption() const;
  // Once the backup is made only "Close" is offered.
  bool CancelShown() const { return !done_; }
  std::string Source() const { return source_; }
  bool done() const { return done_; }

  // ---- What the user does ----------------------------------------------------------
  void ChooseItem(int index);
  void SetUseLatest(bool on);
  void SetUndo(bool on);
  void SwitchList();  // catalog <-> folder of sets
  // The folder chosen with the folder chooser ("Browse").
  void ChooseFolder(const std::string& folder);
  // OK. Returns true when the dialog closes (after a finished backup, after a restore).
  bool Ok();

  // The name of a backup set made at `t`: "Zr9_%H%M_20%y%b%d".
  static std::string SetName(const LocalTime& t);
  // The catalog label of a backup made at `t`.
  static std::string BackupLabel(const LocalTime& t);
  // The required space: the sum of the sizes of the set's files in the data folder.
  static uint64_t RequiredBytes(const std::string& data_folder);

 private:
  void SetStatus(std::string text);
  void FillList();
  void UpdateSource();
  std::string UndoFolder() const;
  // The folder that holds the data folder: the backup path proposed when none is usable.
  std::string OutsideDataFolder() const;
  bool RunBackup();
  bool RunRestore();

  CZarimDoc& doc_;
  BackupMode mode_;
  BackupServices services_;
  std::string stored_path_;  // with a trailing '/'
  std::string path_;         // the backup path being shown
  std::string status_;
  Catalog catalog_;
  std::vector<int> usable_;         // catalog entries listed
  std::vector<std::string> items_;  // list texts
  std::vector<std::string> item_folders_;
  int selected_ = -1;
  bool has_catalog_ = false;
  bool catalog_mode_ = false;
  bool use_latest_ = false;
  bool undo_ = false;
  bool done_ = false;
  std::string source_;
};

// True when the last component of a path names a backup set ("Zr9_", any letter case).
bool IsSetFolderName(const std::string& path);
// The folder that holds `path` (without a trailing '/').
std::string ParentFolder(const std::string& path);

}  // namespace zarim
