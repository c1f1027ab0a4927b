// A folder of the earlier version opened for writing: it is kept as a backup set before
// anything is written, the user is told what came across and where the copy is, the save
// writes the current files beside the untouched older ones, the next start does not
// convert again, and restoring the kept set brings the older folder back byte for byte.
#include "support/older_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "backup/restore.h"
#include "core/catalog.h"
#include "core/file_copier.h"
#include "core/file_names.h"
#include "core/password.h"
#include "core/password_form.h"
#include "core/strings.h"
#include "cycle/congregation.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::FolderContents;
using testing::Join;
using testing::OlderHeader;
using testing::OlderPublisher;
using testing::OlderRemark;
using testing::ScriptedPrompter;
using testing::TempDir;

class NoPasswords : public PasswordRunner {
 public:
  void Run(PasswordForm& form) override {
    ADD_FAILURE() << "the older folder asked for a password";
    form.Cancel();
  }
  void Run(PasswordChangeForm& form) override { form.Cancel(); }
};

constexpr uint8_t kYears[12] = {26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26};

class OlderFolderTest : public ::testing::Test {
 protected:
  OlderFolderTest()
      : data(JoinPath(root.path(), "congregation")),
        clock(Date{2026, 12, 8}),
        time(LocalTime{2026, 12, 8, 14, 32, 2}) {
    MakeFolder(data);
    auto write = [&](std::string_view name, const Bytes& bytes) {
      WriteFilePlain(JoinPath(data, name), bytes);
    };
    testing::OlderRecord anna = OlderPublisher(101, "Anna", "Berg");
    anna.SetMonth(10, {.hours = 12});
    write(kOldFilePublishers7,
          Join({OlderHeader(kYears), anna, OlderPublisher(102, "Carl", "Dahl")}));
    write(kOldFileInactive7, Join({OlderPublisher(103, "Eva", "Falk")}));
    write(kOldFileRemarks7, Join({OlderRemark("moved in", 11, 101)}));
    write(kOldFileTotals7, Bytes(864, 3));
    MakeFolder(JoinPath(data, "Roll"));
    MakeFolder(JoinPath(data, "Roll/Zr7_8"));
    WriteFilePlain(JoinPath(data, "Roll/Zr7_8/spcards.dat"), Bytes(864, 4));
    Bytes groups(1881, 0);
    groups[0] = 1;  // one group, kept in the earlier form until the groups are edited
    write(kFileGroups, groups);
    before = FolderContents(data);
  }

  Congregation::Opened Open(Congregation& c) {
    OpenOptions options;
    options.data_folder = data;
    options.time = &time;
    return c.Open(options, clock, passwords);
  }

  TempDir root;
  std::string data;
  FixedClock clock;
  FixedTimeSource time;
  NoPasswords passwords;
  ScriptedPrompter prompter;
  std::vector<std::pair<std::string, Bytes>> before;
};

TEST_F(OlderFolderTest, KeptAsBackupSetThenSavedThenRestoredByteIdentical) {
  std::string set;
  {
    Congregation c(&prompter);
    ASSERT_EQ(Open(c), Congregation::Opened::kOk);
    ASSERT_TRUE(c.doc().converted);
    EXPECT_TRUE(c.doc().modified);  // waiting for the save, which the close asks about
    set = c.older_folder_set();
    ASSERT_FALSE(set.empty());
    // Beside the data folder, whole, and listed for "Restore".
    // Named after this folder too, so another folder kept in the same minute has its own.
    EXPECT_EQ(set.rfind(JoinPath(root.path(), "Zr9_1432_2026Dec08_congregation_"), 0), 0u) << set;
    EXPECT_EQ(ReadFile(JoinPath(set, "Roll/Zr7_8/spcards.dat")), Bytes(864, 4));
    EXPECT_TRUE(HoldsBackupSet(set));
    Catalog catalog = Catalog::Read(data);
    ASSERT_FALSE(catalog.Usable().empty());
    EXPECT_EQ(catalog.entries()[catalog.Usable().front()].path, set);
    // The set holds the older files as they were.
    for (const auto& [name, bytes] : before)
      EXPECT_EQ(ReadFile(JoinPath(set, name)), bytes) << name;
    // Told once, with the counts and the set.
    ASSERT_FALSE(prompter.messages.empty());
    const std::string& notice = prompter.messages.back();
    EXPECT_NE(notice.find(Printf(Sid::kConvertedCounts, 2, 1, 0, 0, 0, 1, 0, 1)), std::string::npos)
        << notice;
    EXPECT_NE(notice.find(set), std::string::npos);
    // Nothing of the converted data is written before the save.
    EXPECT_FALSE(FileExists(JoinPath(data, kFileTotals)));
    EXPECT_FALSE(FileExists(JoinPath(data, kFilePublishers)));
    ASSERT_TRUE(c.Save());
    EXPECT_EQ(FileSize(JoinPath(data, kFileTotals)), sizeof(BranchTotalsHistory));
    ASSERT_TRUE(c.Close());
  }
  // The older files are never changed.
  for (const auto& [name, bytes] : before) EXPECT_EQ(ReadFile(JoinPath(data, name)), bytes) << name;
  EXPECT_GE(FileSize(JoinPath(data, kFilePublishers)), 2 * sizeof(PubRecord));

  {
    // The second start reads the current files.
    const size_t told = prompter.messages.size();
    Congregation c(&prompter);
    ASSERT_EQ(Open(c), Congregation::Opened::kOk);
    EXPECT_FALSE(c.doc().converted);
    EXPECT_TRUE(c.older_folder_set().empty());
    const std::string converted = Fill(Sid::kConvertedNotice, "", "").substr(0, 30);
    for (size_t i = told; i < prompter.messages.size(); ++i)
      EXPECT_EQ(prompter.messages[i].find(converted), std::string::npos) << prompter.messages[i];
    ASSERT_NE(c.doc().FindById(101), nullptr);
    EXPECT_EQ(c.doc().FindById(101)->activity[kHours][10][0], 12);
    EXPECT_EQ(c.doc().FindById(103)->status, kInactive);
    c.Discard();
  }

  // Restoring the kept set brings the older folder back, and it converts again.
  SetRestore restore(data, &prompter);
  ASSERT_TRUE(restore.Run(set));
  EXPECT_FALSE(FileExists(JoinPath(data, kFilePublishers)));
  EXPECT_FALSE(FileExists(JoinPath(data, kFileTotals)));
  for (const auto& [name, bytes] : before) EXPECT_EQ(ReadFile(JoinPath(data, name)), bytes) << name;
  EXPECT_EQ(ReadFile(JoinPath(data, "Roll/Zr7_8/spcards.dat")), Bytes(864, 4));
  EXPECT_EQ(*ReadSetPassword(set, clock), "");
  Congregation c(&prompter);
  ASSERT_EQ(Open(c), Congregation::Opened::kOk);
  EXPECT_TRUE(c.doc().converted);
  c.Discard();
}

TEST_F(OlderFolderTest, ReaderConvertsInMemoryAndWritesNothing) {
  Congregation c(&prompter);
  OpenOptions options;
  options.data_folder = data;
  options.read_only = true;
  ASSERT_EQ(c.Open(options, clock, passwords), Congregation::Opened::kOk);
  EXPECT_TRUE(c.doc().converted);
  EXPECT_TRUE(c.older_folder_set().empty());
  c.Discard();
  std::vector<std::pair<std::string, Bytes>> after;
  for (auto& f : FolderContents(data))
    if (f.first != kLockFileName) after.push_back(f);
  EXPECT_EQ(after, before);
  // No set beside the folder either.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace zarim
