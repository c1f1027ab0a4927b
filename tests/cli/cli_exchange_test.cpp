// zarim-cli export and xml against a demo folder: the files they write, a publisher
// file imported back that leaves the data as they were, and the engine's check.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "cli/cli_support.h"
#include "core/file_io.h"

namespace zarim {
namespace {

using testing::CliFolder;
using testing::CliRun;
using ::testing::HasSubstr;

std::string Text(const std::string& path) {
  auto bytes = ReadFile(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

TEST(CliExchange, ExportsPrintThePathTheyWrote) {
  CliFolder folder;
  const auto before = folder.Files();
  CliRun run = folder.Run({"export", "monthly", "--month", "3", "--header", "--tab"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, folder.path() + "/Exports/March.rpt\n");
  EXPECT_EQ(Text(folder.path() + "/Exports/March.rpt").rfind("Name \tGroup \tPios \t", 0), 0u);
  run = folder.Run({"export", "collection-list", "--group", "2"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, folder.path() + "/Exports/Group-2.csv\n");
  EXPECT_EQ(folder.Files(), before);  // the data files are untouched
  run = folder.Run({"export", "everything"});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, HasSubstr("usage: export"));
}

TEST(CliExchange, AnActiveListExportedAndImportedWithUpdateChangesNoDataFile) {
  CliFolder folder;
  ASSERT_EQ(folder.Run({"save"}).status, 0);  // the files as a save writes them
  const auto before = folder.Files();
  CliRun run = folder.Run({"xml", "export", "active"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string file = folder.path() + "/Exports/Active.xml";
  EXPECT_EQ(run.out, file + "\n");
  EXPECT_THAT(run.err, HasSubstr("Created Active.xml"));
  run = folder.Run({"xml", "check", file});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "well-formed\n");
  run = folder.Run({"xml", "import", file, "--update"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("*"));
  EXPECT_EQ(folder.Files(), before);

  folder.dir.Write("cut.xml", Text(file).substr(0, 300));
  run = folder.Run({"xml", "check", folder.dir.File("cut.xml")});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.out, HasSubstr("<read length=\"300\"/>"));
  EXPECT_THAT(run.out, HasSubstr("unended_start_tag"));
}

// The import goes through the import dialog's form: its counter is shown, and a file
// that would take the list past what it may hold is refused with "Too Many", storing
// nothing.
TEST(CliExchange, AnImportPastTheListsLimitIsRefused) {
  CliFolder folder;
  ASSERT_EQ(folder.Run({"xml", "export", "active"}).status, 0);
  const std::string file = folder.path() + "/Exports/Active.xml";
  CliRun run = folder.Run({"xml", "import", file, "--new"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr(" 120 + 120 = 240\n"));
  const auto before = folder.Files();
  run = folder.Run({"xml", "import", file, "--new"});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr("Too Many"));
  EXPECT_EQ(folder.Files(), before);
}

}  // namespace
}  // namespace zarim
