// A saved data folder, a folder for backup sets, settings kept in memory and a fixed
// moment, for the backup and restore tests.
#pragma once

#include <map>
#include <string>

#include "backup/backup_form.h"
#include "core/data_files.h"
#include "core/folder_lock.h"
#include "core/password.h"
#include "cycle/congregation.h"
#include "support/test_support.h"

namespace zarim::testing {

class BackupFolder {
 public:
  BackupFolder()
      : clock(Date{2026, 12, 8}),
        time(LocalTime{2026, 12, 8, 14, 32, 2}),
        owner(&prompter),
        doc(owner.doc()) {
    if (!OpenOwner(owner, data.path(), clock)) throw std::runtime_error("folder not opened");
    StartEmpty(doc, Date{2026, 12, 8}, data.path());
    AddRecord(doc, MakePublisher(100, "Anna", "Berg"));
    AddRecord(doc, MakePublisher(101, "Carl", "Dahl"));
    settings["Backup/Path"] = sets.path();
    Save();
    prompter.messages.clear();  // what opening said is not under test
    prompter.buttons.clear();
  }

  void Save() {
    if (!owner.Save()) throw std::runtime_error("save failed");
  }

  BackupServices Services() {
    BackupServices s;
    s.time = &time;
    s.clock = &clock;
    s.read_setting = [this](const std::string& sec, const std::string& key) {
      auto it = settings.find(sec + "/" + key);
      return it == settings.end() ? std::string() : it->second;
    };
    s.set_setting = [this](const std::string& sec, const std::string& key, const std::string& v) {
      settings[sec + "/" + key] = v;
    };
    s.check_password = [this](const std::string& p) {
      asked_passwords.push_back(p);
      return p == typed_password;
    };
    return s;
  }

  BackupForm Open(BackupMode mode) {
    BackupForm form(doc, mode, Services());
    form.Open();
    return form;
  }

  // Makes a backup at hh:mm and returns the set folder.
  std::string BackupAt(int hour, int minute, int day = 8) {
    time.Set(LocalTime{2026, 12, day, hour, minute, WeekdayOf(2026, 12, day)});
    BackupForm form = Open(BackupMode::kBackup);
    form.Ok();
    return form.done() ? JoinPath(sets.path(), BackupForm::SetName(time.Now())) : std::string();
  }

  void SetHours(int id, int hours) {
    doc.FindById(id)->activity[kHours][10][0] = static_cast<uint16_t>(hours);
    doc.MarkModified();
    Save();
  }

  TempDir data;
  TempDir sets;
  ScriptedPrompter prompter;
  FixedClock clock;
  FixedTimeSource time;
  Congregation owner;
  CZarimDoc& doc;
  std::map<std::string, std::string> settings;
  std::vector<std::string> asked_passwords;
  std::string typed_password;
};

// The files of the data set in a folder (the set's files only).
inline std::vector<std::pair<std::string, Bytes>> SetFiles(const std::string& folder) {
  auto all = FolderContents(folder);
  std::erase_if(all, [](const auto& e) {
    // The lock file is the owner's while the folder is open, not data.
    return e.first == "rmkundo.dat" || e.first == "buhist.dat" || e.first == "zset.done" ||
           e.first == kLockFileName;
  });
  return all;
}

}  // namespace zarim::testing
