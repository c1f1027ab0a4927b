// The backup catalog file and the file copier.
#include "core/catalog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_copier.h"
#include "core/local_time.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::TempDir;

TEST(Catalog, RoundTripsTenEntriesOf512Bytes) {
  Catalog c;
  c.Push(CatalogEntry{"first", "/a/Zr9_1"});
  c.Push(CatalogEntry{"second", "/a/Zr9_2"});
  Bytes image = c.Image();
  ASSERT_EQ(image.size(), 5120u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data())), "second");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data() + 52)), "/a/Zr9_2");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data() + 512)), "first");
  Catalog back = Catalog::Parse(image);
  EXPECT_EQ(back.entries()[1].path, "/a/Zr9_1");
  EXPECT_TRUE(back.entries()[2].empty());
  EXPECT_EQ(back.Image(), image);
}

TEST(Catalog, TheEleventhEntryDropsTheOldest) {
  Catalog c;
  for (int i = 1; i <= 11; ++i)
    c.Push(CatalogEntry{"label " + std::to_string(i), "/p/" + std::to_string(i)});
  EXPECT_EQ(c.entries()[0].label, "label 11");
  EXPECT_EQ(c.entries()[9].label, "label 2");
}

TEST(Catalog, DamagedFilesAreReadWithinTheirFields) {
  Bytes junk(5000, 'x');  // no terminators, and short of ten entries
  Catalog c = Catalog::Parse(junk);
  EXPECT_EQ(c.entries()[0].label.size(), 51u);
  EXPECT_EQ(c.entries()[0].path.size(), 459u);
  EXPECT_EQ(c.entries()[8].label.size(), 51u);
  EXPECT_TRUE(c.entries()[9].empty());  // 5000 bytes hold nine whole entries
  EXPECT_TRUE(Catalog::Parse(Bytes{}).Usable().empty());
  // Over-long texts are cut to their fields.
  Catalog d;
  d.Push(CatalogEntry{std::string(80, 'L'), std::string(600, 'P')});
  Catalog e = Catalog::Parse(d.Image());
  EXPECT_EQ(e.entries()[0].label.size(), 51u);
  EXPECT_EQ(e.entries()[0].path.size(), 459u);
}

TEST(Catalog, OnlyEntriesWithARestorableSetAreUsable) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() + "/good");
  std::filesystem::create_directories(dir.path() + "/small");
  dir.Write("good/tdat9.bin", Bytes(501, 1));
  dir.Write("small/tdat9.bin", Bytes(500, 1));
  // Both were finished (marked); a set without its marker is never usable.
  ASSERT_TRUE(WriteSetMarker(dir.path() + "/good"));
  ASSERT_TRUE(WriteSetMarker(dir.path() + "/small"));
  std::filesystem::create_directories(dir.path() + "/unmarked");
  dir.Write("unmarked/tdat9.bin", Bytes(501, 1));
  ASSERT_TRUE(Catalog::AddEntry(dir.path(), "unmarked", dir.path() + "/unmarked"));
  ASSERT_TRUE(Catalog::AddEntry(dir.path(), "gone", dir.path() + "/gone"));
  ASSERT_TRUE(Catalog::AddEntry(dir.path(), "good", dir.path() + "/good"));
  ASSERT_TRUE(Catalog::AddEntry(dir.path(), "small", dir.path() + "/small"));
  EXPECT_EQ(dir.Read("buhist.dat").size(), 5120u);
  Catalog c = Catalog::Read(dir.path());
  EXPECT_EQ(c.Usable(), std::vector<int>{1});
}

class Copier : public ::testing::Test {
 protected:
  void SetUp() override {
    data.Write("tdat9.bin", Bytes(900, 3));
    data.Write("zarim.ini", std::string("[Backup]\r\n"));
    data.Write("tdat7.bin", Bytes(10, 1));  // an older file: deleted but never copied
  }
  TempDir data, target;
};

TEST_F(Copier, CopiesTheSetSkippingMissingFilesAndShowsEachName) {
  FileCopier copier(data.path());
  std::vector<std::string> lines;
  copier.set_status([&](const std::string& s) { lines.push_back(s); });
  EXPECT_TRUE(copier.CopyFileSet(target.path(), CopyDirection::kToFolder));
  EXPECT_EQ(copier.files_copied(), 2);
  EXPECT_EQ(target.Read("tdat9.bin"), data.Read("tdat9.bin"));
  EXPECT_EQ(target.Read("zarim.ini"), data.Read("zarim.ini"));
  EXPECT_FALSE(std::filesystem::exists(target.File("tdat7.bin")));
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "Backing up file: tdat9.bin");
  EXPECT_EQ(lines[11], "Backing up file: tlt15.dat");

  lines.clear();
  target.Write("tdat9.bin", Bytes(700, 9));
  EXPECT_TRUE(copier.CopyFileSet(target.path(), CopyDirection::kFromFolder));
  EXPECT_EQ(data.Read("tdat9.bin"), Bytes(700, 9));
  EXPECT_EQ(lines[0], "Restoring file tdat9.bin");
}

TEST_F(Copier, AFileThatCannotBeReadIsAFailureNotASkip) {
  std::filesystem::create_directory(data.File("meetin9.dat"));
  FileCopier copier(data.path());
  EXPECT_FALSE(copier.CopyFileSet(target.path(), CopyDirection::kToFolder));
  ASSERT_EQ(copier.failures().size(), 1u);
  EXPECT_EQ(copier.failures()[0], data.File("meetin9.dat"));
  EXPECT_EQ(target.Read("tdat9.bin"), data.Read("tdat9.bin"));  // the others were copied
}

TEST_F(Copier, ArchivesAreCopiedWithTheirRollFoldersAndDeleted) {
  std::filesystem::create_directories(data.path() + "/Roll/Zr9_3");
  std::filesystem::create_directories(data.path() + "/Roll/Zr9_4");  // no tdat9.bin: skipped
  data.Write("Roll/Zr9_3/tdat9.bin", Bytes(820, 4));
  data.Write("Roll/Zr9_3/remark9.dat", Bytes(96, 0));
  ASSERT_TRUE(WriteSetMarker(data.path() + "/Roll/Zr9_3"));
  std::filesystem::create_directories(data.path() + "/Roll/Zr9_5");  // cut off: no marker
  data.Write("Roll/Zr9_5/tdat9.bin", Bytes(820, 4));
  FileCopier copier(data.path());
  EXPECT_TRUE(copier.CopyArchives(target.path(), CopyDirection::kToFolder));
  EXPECT_EQ(target.Read("Roll/Zr9_3/tdat9.bin"), Bytes(820, 4));
  EXPECT_EQ(target.Read("Roll/Zr9_3/remark9.dat").size(), 96u);
  EXPECT_EQ(target.Read("Roll/Zr9_3/zset.done"), data.Read("Roll/Zr9_3/zset.done"));
  EXPECT_TRUE(SetIsComplete(target.path() + "/Roll/Zr9_3"));
  EXPECT_FALSE(SetIsComplete(target.path() + "/Roll/Zr9_5"));
  EXPECT_FALSE(std::filesystem::exists(target.path() + "/Roll/Zr9_4"));

  EXPECT_TRUE(copier.DeleteArchives(target.path()));
  EXPECT_FALSE(std::filesystem::exists(target.path() + "/Roll/Zr9_3"));
  EXPECT_FALSE(std::filesystem::exists(target.path() + "/Roll"));
  EXPECT_TRUE(copier.DeleteFileSet(data.path()));
  EXPECT_FALSE(std::filesystem::exists(data.File("tdat7.bin")));
  EXPECT_FALSE(std::filesystem::exists(data.File("zarim.ini")));
}

TEST(LocalTimeFormat, SetNamesLabelsAndDates) {
  LocalTime t{2026, 12, 8, 14, 32, WeekdayOf(2026, 12, 8)};
  EXPECT_EQ(t.weekday, 2);  // Tuesday
  EXPECT_EQ(FormatTime("Zr9_%H%M_20%y%b%d", t), "Zr9_1432_2026Dec08");
  EXPECT_EQ(FormatTime("%#x %#I:%M %p", t), "Tuesday, December 8, 2026 2:32 PM");
  EXPECT_EQ(FormatTime("%Y-%m-%d", t), "2026-12-08");
  LocalTime midnight{2027, 1, 3, 0, 5, WeekdayOf(2027, 1, 3)};
  EXPECT_EQ(FormatTime("%#x %#I:%M %p", midnight), "Sunday, January 3, 2027 12:05 AM");
  LocalTime noon{2026, 2, 28, 12, 0, WeekdayOf(2026, 2, 28)};
  EXPECT_EQ(FormatTime("%#I:%M %p 100%%", noon), "12:00 PM 100%");
}

}  // namespace
}  // namespace zarim
