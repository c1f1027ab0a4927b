// The backup dialog's form: backup sets, the catalog, the restore list in both modes,
// restore with its undo, the set's own password, and the restore that must not leave
// the data folder half-copied.
#include <gtest/gtest.h>

#include <filesystem>

#include "backup_fixture.h"
#include "core/file_copier.h"
#include "core/file_ops.h"
#include "core/strings.h"

namespace zarim {
namespace {

using testing::BackupFolder;
using testing::SetFiles;
namespace fs = std::filesystem;

TEST(BackupMode, ShowsWhereAndHowMuchAndMakesTheSet) {
  BackupFolder f;
  BackupForm form = f.Open(BackupMode::kBackup);
  EXPECT_EQ(form.Title(), "Backup");
  EXPECT_EQ(form.Prompt(), " Where the backup set will be stored ");
  EXPECT_EQ(form.Path(), f.sets.path() + "/");
  EXPECT_FALSE(form.RestoreGroupShown());
  uint64_t bytes = BackupForm::RequiredBytes(f.data.path());
  EXPECT_EQ(form.RequiredSpaceText(), "Required space: " + std::to_string(bytes) + " bytes");
  EXPECT_EQ(form.Status(), "Click OK to create a backup set at: " + f.sets.path() + "/");
  EXPECT_EQ(form.OkCaption(), "OK");

  EXPECT_FALSE(form.Ok());  // stays open
  std::string set = f.sets.File("Zr9_1432_2026Dec08");
  ASSERT_TRUE(fs::is_directory(set));
  EXPECT_EQ(SetFiles(set), SetFiles(f.data.path()));
  EXPECT_EQ(form.Status(), "Backup is complete!\nThe backup set is the folder " + set);
  EXPECT_EQ(form.OkCaption(), "Close");
  EXPECT_FALSE(form.CancelShown()) << "Close alone";
  EXPECT_EQ(f.settings["Backup/Path"], f.sets.path() + "/");
  EXPECT_EQ(f.settings["Backup/Last"], "2026-12-08");
  Catalog c = Catalog::Read(f.data.path());
  EXPECT_EQ(c.entries()[0].label, "Tuesday, December 8, 2026 2:32 PM");
  EXPECT_EQ(c.entries()[0].path, set);
  EXPECT_TRUE(form.Ok());  // the next OK closes
}

TEST(BackupMode, UnsavedChangesAreSavedIntoTheSetAndNothingStaysMarked) {
  BackupFolder f;
  f.doc.FindById(100)->activity[kHours][10][0] = 42;
  f.doc.MarkModified();
  f.BackupAt(9, 0);
  // Every file was saved: a "No" at close has nothing left to discard.
  EXPECT_FALSE(f.doc.modified);
  EXPECT_EQ(f.sets.Read("Zr9_0900_2026Dec08/tdat9.bin"), f.data.Read("tdat9.bin"));
}

TEST(BackupMode, TwoBackupsInOneMinute) {
  BackupFolder f;
  ASSERT_FALSE(f.BackupAt(14, 32).empty());
  BackupForm second = f.Open(BackupMode::kBackup);
  EXPECT_FALSE(second.Ok());
  EXPECT_EQ(second.Status(), "Retry your backup in 1 minute.");
  EXPECT_FALSE(second.done());
  EXPECT_EQ(Catalog::Read(f.data.path()).entries()[1].path, "");  // one entry only
  EXPECT_FALSE(f.BackupAt(14, 33).empty());
}

TEST(BackupMode, TheEleventhBackupDropsTheOldestCatalogEntry) {
  BackupFolder f;
  for (int i = 0; i < 11; ++i) ASSERT_FALSE(f.BackupAt(10, i).empty());
  Catalog c = Catalog::Read(f.data.path());
  EXPECT_EQ(c.entries()[0].path, f.sets.File("Zr9_1010_2026Dec08"));
  EXPECT_EQ(c.entries()[9].path, f.sets.File("Zr9_1001_2026Dec08"));
  EXPECT_EQ(c.Usable().size(), 10u);
}

TEST(BackupMode, AMissingBackupPathFallsBackOutsideTheDataFolder) {
  BackupFolder f;
  const std::string outside = fs::path(f.data.path()).parent_path().string() + "/";
  f.settings["Backup/Path"] = f.sets.File("no-such-folder");
  EXPECT_EQ(f.Open(BackupMode::kBackup).Path(), outside);
  f.settings.erase("Backup/Path");
  EXPECT_EQ(f.Open(BackupMode::kBackup).Path(), outside);
  f.settings["Backup/Path"] = f.data.path();  // where earlier versions proposed it
  EXPECT_EQ(f.Open(BackupMode::kBackup).Path(), outside);
}

TEST(BackupMode, APathInsideTheDataFolderIsWarnedAboutAndTheSettingsTravelWithTheSet) {
  BackupFolder f;
  BackupForm form = f.Open(BackupMode::kBackup);
  fs::create_directory(f.data.File("sets"));
  form.ChooseFolder(f.data.File("sets"));
  ASSERT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_EQ(f.prompter.messages[0].rfind(f.data.File("sets") + " lies inside the data folder.", 0),
            0u);
  form.ChooseFolder(f.sets.path());
  EXPECT_EQ(f.prompter.messages.size(), 1u);  // outside: no warning

  // The set's own settings file holds the path and the date of this backup; the folder's
  // settings take them only once the set is whole.
  BackupServices services = f.Services();
  std::vector<bool> set_was_whole;
  auto set = services.set_setting;
  services.set_setting = [&](const std::string& sec, const std::string& key, const std::string& v) {
    set_was_whole.push_back(fs::exists(f.sets.File("Zr9_1432_2026Dec08/zset.done")));
    set(sec, key, v);
  };
  BackupForm made(f.doc, BackupMode::kBackup, services);
  made.Open();
  made.Ok();
  ASSERT_TRUE(made.done());
  EXPECT_EQ(set_was_whole, (std::vector<bool>{true, true}));
  for (const std::string& folder : {f.sets.File("Zr9_1432_2026Dec08"), f.data.path()}) {
    auto ini = ReadFile(folder + "/zarim.ini");
    ASSERT_TRUE(ini);
    EXPECT_NE(std::string(ini->begin(), ini->end()).find("Path=" + f.sets.path() + "/"),
              std::string::npos)
        << folder;
  }
  EXPECT_EQ(f.settings["Backup/Path"], f.sets.path() + "/");
}

TEST(BackupMode, ASetFolderIsRefusedAsTarget) {
  BackupFolder f;
  std::string set = f.BackupAt(8, 0);
  BackupForm form = f.Open(BackupMode::kBackup);
  form.ChooseFolder(set);
  ASSERT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_EQ(f.prompter.messages[0],
            set + " cannot be used as a backup target.\n\nPlease select another directory.");
  EXPECT_EQ(form.Path(), f.sets.path() + "/");
  form.ChooseFolder(f.data.path());
  EXPECT_EQ(form.Path(), f.data.path() + "/");
  EXPECT_EQ(form.Status(), "Click OK to create a backup set at: " + f.data.path() + "/");
}

TEST(BackupMode, MonthArchivesTravelWithTheSet) {
  BackupFolder f;
  fs::create_directories(f.data.path() + "/Roll/Zr9_11");
  f.data.Write("Roll/Zr9_11/tdat9.bin", Bytes(1632, 5));
  std::string set = f.BackupAt(8, 0);
  EXPECT_EQ(f.sets.Read("Zr9_0800_2026Dec08/Roll/Zr9_11/tdat9.bin"), Bytes(1632, 5));
  (void)set;
}

TEST(BackupMode, AFailedSaveStopsTheBackupBeforeAnySetIsMade) {
  BackupFolder f;
  fs::remove(f.data.File("meetin9.dat"));
  fs::create_directory(f.data.File("meetin9.dat"));
  BackupForm form = f.Open(BackupMode::kBackup);
  EXPECT_FALSE(form.Ok());
  EXPECT_FALSE(form.done());
  // The save before the copy names the folder in the way; a set of older data behind a
  // "complete" message would mislead, so no set is begun.
  ASSERT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_NE(f.prompter.messages[0].find("meetin9.dat: Is a directory"), std::string::npos);
  EXPECT_FALSE(fs::exists(f.data.File("zsave.journal")));
  EXPECT_FALSE(fs::exists(f.sets.File("Zr9_1432_2026Dec08")));
  EXPECT_TRUE(Catalog::Read(f.data.path()).Usable().empty());
  EXPECT_EQ(f.settings["Backup/Last"], "");  // no backup date recorded
}

TEST(RestoreMode, CatalogModeStartsWithTheLatestSet) {
  BackupFolder f;
  std::string first = f.BackupAt(8, 0);
  std::string second = f.BackupAt(9, 15);
  BackupForm form = f.Open(BackupMode::kRestore);
  EXPECT_EQ(form.Title(), "Restore");
  EXPECT_EQ(form.Prompt(), " Which folder contains the backup set to restore? ");
  EXPECT_TRUE(form.RestoreGroupShown());
  EXPECT_EQ(form.RestoreGroupCaption(), " Select the backup set to restore ");
  EXPECT_TRUE(form.catalog_mode());
  EXPECT_TRUE(form.UseLatestShown());
  EXPECT_TRUE(form.use_latest());
  EXPECT_FALSE(form.undo());
  EXPECT_FALSE(form.UndoShown());  // nothing restored yet
  EXPECT_EQ(form.ListItems(),
            (std::vector<std::string>{"Backup sets", "Tuesday, December 8, 2026 9:15 AM",
                                      "Tuesday, December 8, 2026 8:00 AM"}));
  EXPECT_EQ(form.Source(), second);
  EXPECT_EQ(form.Status(), "Click OK to restore from backup set: " + second);
  EXPECT_TRUE(form.OkShown());
  EXPECT_EQ(form.SwitchListCaption(), "Browse for a backup set");

  form.ChooseItem(0);  // a heading is not chosen
  EXPECT_TRUE(form.use_latest());
  form.ChooseItem(2);
  EXPECT_FALSE(form.use_latest());
  EXPECT_EQ(form.Source(), first);
  form.SetUseLatest(true);
  EXPECT_EQ(form.Source(), second);
}

TEST(RestoreMode, ACatalogEntryWhoseFolderWasDeletedIsNotListed) {
  BackupFolder f;
  std::string first = f.BackupAt(8, 0);
  f.BackupAt(9, 0);
  fs::remove_all(first);
  BackupForm form = f.Open(BackupMode::kRestore);
  EXPECT_EQ(form.ListItems(),
            (std::vector<std::string>{"Backup sets", "Tuesday, December 8, 2026 9:00 AM"}));
}

TEST(RestoreMode, MonthSnapshotsAreListedApartFromBackupSets) {
  BackupFolder f;
  f.BackupAt(8, 0);
  const std::string roll = f.data.File("Roll/Zr9_11");
  fs::create_directories(roll);
  for (const auto& e : fs::directory_iterator(f.data.path()))
    if (e.is_regular_file()) fs::copy_file(e.path(), roll + "/" + e.path().filename().string());
  ASSERT_TRUE(WriteSetMarker(roll));
  ASSERT_TRUE(Catalog::AddEntry(f.data.path(), "November snapshot", roll));
  BackupForm form = f.Open(BackupMode::kRestore);
  EXPECT_EQ(form.ListItems(),
            (std::vector<std::string>{"Backup sets", "Tuesday, December 8, 2026 8:00 AM",
                                      "Month snapshots (taken when a month is initialized)",
                                      "November snapshot"}));
  EXPECT_TRUE(form.ItemIsHeading(2));
  form.ChooseItem(3);
  EXPECT_EQ(form.Source(), roll);
}

TEST(RestoreMode, BrowseModeListsTheSetFoldersOfTheBackupPath) {
  BackupFolder f;
  f.BackupAt(8, 0);
  f.BackupAt(9, 0);
  fs::create_directories(f.sets.File("other"));
  fs::remove(f.data.File("buhist.dat"));  // no catalog: browse mode from the start
  BackupForm form = f.Open(BackupMode::kRestore);
  EXPECT_FALSE(form.catalog_mode());
  EXPECT_FALSE(form.UseLatestShown());
  EXPECT_FALSE(form.SwitchListShown());
  EXPECT_TRUE(form.BrowseShown()) << "without a catalog the Browse beside the path";
  EXPECT_EQ(form.ListItems(),
            (std::vector<std::string>{"[Zr9_0800_2026Dec08]", "[Zr9_0900_2026Dec08]"}));
  EXPECT_FALSE(form.OkShown());
  form.ChooseItem(1);
  EXPECT_EQ(form.Source(), f.sets.File("Zr9_0900_2026Dec08") + "/");
  EXPECT_TRUE(form.OkShown());
  EXPECT_EQ(form.Status(),
            "Click OK to restore from backup set: " + f.sets.File("Zr9_0900_2026Dec08") + "/");

  // A backup path that is itself a set stands for its parent.
  form.ChooseFolder(f.sets.File("Zr9_0800_2026Dec08"));
  EXPECT_TRUE(form.ListItems().empty());
  EXPECT_FALSE(form.OkShown());
}

TEST(RestoreMode, SwitchingBetweenCatalogAndFolder) {
  BackupFolder f;
  f.BackupAt(8, 0);
  BackupForm form = f.Open(BackupMode::kRestore);
  form.SwitchList();
  EXPECT_FALSE(form.catalog_mode());
  EXPECT_EQ(form.SwitchListCaption(), "Select backup set from catalog");
  EXPECT_EQ(form.ListItems(), std::vector<std::string>{"[Zr9_0800_2026Dec08]"});
  EXPECT_EQ(form.Status(), "");
  form.SwitchList();
  EXPECT_TRUE(form.catalog_mode());
}

TEST(Restore, BringsBackTheSetAndReloadsTheDocument) {
  BackupFolder f;
  f.SetHours(100, 7);
  std::string set = f.BackupAt(8, 0);
  auto at_backup = SetFiles(f.data.path());
  f.SetHours(100, 30);
  auto before_restore = SetFiles(f.data.path());

  BackupForm form = f.Open(BackupMode::kRestore);
  ASSERT_TRUE(form.Ok());
  EXPECT_TRUE(form.done());
  EXPECT_EQ(SetFiles(f.data.path()), at_backup);
  EXPECT_EQ(f.doc.FindById(100)->activity[kHours][10][0], 7);
  EXPECT_FALSE(f.doc.modified);
  EXPECT_EQ(SetFiles(f.data.File("unrestore")), before_restore);
  EXPECT_TRUE(f.asked_passwords.empty());
}

TEST(Restore, AsksToSaveUnsavedWorkFirstAndSaysWhatCameBack) {
  BackupFolder f;
  f.SetHours(100, 7);
  const std::string set = f.BackupAt(8, 0);
  f.doc.FindById(100)->activity[kHours][10][0] = 55;  // typed, not saved
  f.doc.MarkModified();
  f.prompter.Script(Answer::kCancel);
  EXPECT_FALSE(f.Open(BackupMode::kRestore).Ok());
  EXPECT_EQ(f.prompter.messages.back(), Str(Sid::kRestoreSaveFirst));
  EXPECT_EQ(f.prompter.buttons.back(), Buttons::kYesNoCancel);
  EXPECT_EQ(f.doc.FindById(100)->activity[kHours][10][0], 55);

  f.prompter.Script(Answer::kYes);
  ASSERT_TRUE(f.Open(BackupMode::kRestore).Ok());
  EXPECT_EQ(f.prompter.messages.back(), Fill(Sid::kRestoreFinished, set, "November 2026"));
  EXPECT_EQ(f.doc.FindById(100)->activity[kHours][10][0], 7);

  // The typed figures were saved before the restore, so the undo brings them back.
  BackupForm undo = f.Open(BackupMode::kRestore);
  undo.SetUndo(true);
  ASSERT_TRUE(undo.Ok());
  EXPECT_EQ(f.prompter.messages.back(), Fill(Sid::kUndoFinished, "November 2026"));
  EXPECT_EQ(f.doc.FindById(100)->activity[kHours][10][0], 55);
}

TEST(Restore, UndoingTwiceReturnsToTheFirstRestoresState) {
  BackupFolder f;
  f.SetHours(100, 7);
  f.BackupAt(8, 0);
  f.SetHours(100, 30);
  auto original = SetFiles(f.data.path());
  ASSERT_TRUE(f.Open(BackupMode::kRestore).Ok());
  auto restored = SetFiles(f.data.path());

  BackupForm undo = f.Open(BackupMode::kRestore);
  ASSERT_TRUE(undo.UndoShown());
  undo.SetUndo(true);
  EXPECT_FALSE(undo.use_latest());
  EXPECT_EQ(undo.Status().rfind("Click OK to reverse ( undo ) last restore : ", 0), 0u);
  EXPECT_EQ(undo.Source(), f.data.File("unrestore"));
  ASSERT_TRUE(undo.Ok());
  EXPECT_EQ(SetFiles(f.data.path()), original);
  EXPECT_EQ(f.doc.FindById(100)->activity[kHours][10][0], 30);
  EXPECT_FALSE(fs::exists(f.data.File("unrestore_tmp")));

  BackupForm again = f.Open(BackupMode::kRestore);
  again.SetUndo(true);
  ASSERT_TRUE(again.Ok());
  EXPECT_EQ(SetFiles(f.data.path()), restored);
  EXPECT_EQ(f.doc.FindById(100)->activity[kHours][10][0], 7);
}

TEST(Restore, ASetWithAPasswordAsksForItsOwn) {
  BackupFolder f;
  SetPassword(f.doc, "setpass");
  f.Save();
  f.BackupAt(8, 0);
  SetPassword(f.doc, "current");
  f.SetHours(100, 3);
  auto before = SetFiles(f.data.path());

  f.typed_password = "current";
  BackupForm form = f.Open(BackupMode::kRestore);
  EXPECT_FALSE(form.Ok());
  EXPECT_EQ(f.asked_passwords, std::vector<std::string>{"setpass"});
  EXPECT_EQ(SetFiles(f.data.path()), before);  // no file touched
  EXPECT_FALSE(fs::exists(f.data.File("unrestore")));

  f.typed_password = "setpass";
  EXPECT_TRUE(form.Ok());
  EXPECT_TRUE(PasswordMatches(f.doc, "setpass"));
}

TEST(Restore, AnUnreadableFileInTheSetLeavesTheDataFolderByteIdentical) {
  BackupFolder f;
  fs::create_directories(f.data.path() + "/Roll/Zr9_10");
  f.data.Write("Roll/Zr9_10/tdat9.bin", Bytes(1632, 5));
  std::string set = f.BackupAt(8, 0);
  f.SetHours(100, 30);
  // The set's meeting file cannot be read.
  fs::remove(JoinPath(set, "meetin9.dat"));
  fs::create_directory(JoinPath(set, "meetin9.dat"));
  auto before = testing::FolderContents(f.data.path());
  auto roll_before = testing::FolderContents(f.data.path() + "/Roll/Zr9_10");

  BackupForm form = f.Open(BackupMode::kRestore);
  EXPECT_FALSE(form.Ok());
  EXPECT_FALSE(form.done());
  ASSERT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_EQ(f.prompter.messages[0],
            "The backup set could not be read completely: " + JoinPath(set, "meetin9.dat") +
                "\n\nNothing was restored; your data are as they were.");
  EXPECT_EQ(testing::FolderContents(f.data.path()), before);
  EXPECT_EQ(testing::FolderContents(f.data.path() + "/Roll/Zr9_10"), roll_before);
  EXPECT_FALSE(fs::exists(f.data.File("unrestore")));
  EXPECT_FALSE(fs::exists(f.data.File("restore_tmp")));
  EXPECT_EQ(f.doc.FindById(100)->activity[kHours][10][0], 30);
}

TEST(Restore, AFailureWhileWritingTheDataFolderPutsTheDataBack) {
  BackupFolder f;
  std::string set = f.BackupAt(8, 0);
  f.SetHours(100, 30);
  auto before = testing::FolderContents(f.data.path());

  // The disk is full: the first file of the set cannot be written into the data folder.
  FaultPlan full;
  full.free_bytes = 0;
  SetFaultPlan(&full);
  BackupForm form = f.Open(BackupMode::kRestore);
  bool ok = form.Ok();
  SetFaultPlan(nullptr);
  EXPECT_FALSE(ok);
  ASSERT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_EQ(f.prompter.messages[0],
            "The restore failed while copying " + f.data.File("tdat9.bin") +
                ".\n\nYour data have been put back as they were before the restore.");
  EXPECT_EQ(testing::FolderContents(f.data.path()), before);
  EXPECT_FALSE(fs::exists(f.data.File("restore_tmp")));
  EXPECT_EQ(f.doc.FindById(100)->activity[kHours][10][0], 30);
  (void)set;
}

TEST(Restore, ASetWithoutPublisherFileRestoresNothing) {
  BackupFolder f;
  std::string set = f.BackupAt(8, 0);
  fs::remove(JoinPath(set, "tdat9.bin"));
  auto before = testing::FolderContents(f.data.path());
  BackupForm form = f.Open(BackupMode::kRestore);
  form.SwitchList();
  form.ChooseItem(0);
  EXPECT_FALSE(form.Ok());
  EXPECT_EQ(testing::FolderContents(f.data.path()), before);
}

}  // namespace
}  // namespace zarim
