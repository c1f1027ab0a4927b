// zarim-cli's collection and report-import commands end to end: the collection list of a
// group, and reports of a CSV file posted for the working month.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "cli/cli_support.h"
#include "core/file_io.h"
#include "core/text_codec.h"
#include "exchange/collection_file.h"

namespace zarim {
namespace {

using testing::CliFolder;
using testing::CliRun;
using ::testing::HasSubstr;

TEST(CliCollection, ListOfAGroupAndCsvReportsPosted) {
  CliFolder folder;
  auto doc = folder.Load();
  const int m = doc->working_month, s = doc->SlotOfMonth(m);
  const PubRecord* pub = nullptr;
  for (int r = 1; r < doc->count && !pub; ++r) {
    const PubRecord& rec = doc->records[r];
    if (rec.status == kActive && rec.group == 1 && rec.pioneer[m][s] == kPublisher &&
        rec.activity[kBibleStudies][m][s] == 0)
      pub = &rec;
  }
  ASSERT_NE(pub, nullptr);
  const int id = pub->id;

  CliRun made = folder.Run({"collection", "create", "--group", "1", "--email", "sec@example.org"});
  ASSERT_EQ(made.status, 0) << made.err;
  const std::string path = JoinPath(folder.path(), "Group1.t09");
  EXPECT_EQ(made.out, path + "\n");
  auto bytes = ReadFile(path);
  ASSERT_TRUE(bytes.has_value());
  auto file = ReadCollectionFile(*bytes);
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(file->month, m);
  EXPECT_EQ(file->secretary_email, "sec@example.org");
  EXPECT_EQ(bytes->size(), kCollectionBlockSize * (file->blocks.size() + 1) +
                               kCollectionRemarkSize * file->remarks.size());

  const std::string csv = JoinPath(folder.path(), "reports.csv");
  std::ofstream(csv) << "Given,Family,Shared,Studies,Hours,Remarks\r\n"
                     << ToUtf8(FieldText(pub->first_name), doc->language_code) << ","
                     << ToUtf8(FieldText(pub->last_name), doc->language_code)
                     << ",1,3,,\"fine, thanks\"\r\nNo,Body,1,1,0,\r\n";
  const std::vector<std::string> import = {
      "import",
      "csv",
      csv,
      "--map",
      "First Name=1,Last Name=2,Shared=3,Bible Studies=4,Hours=5,Remarks=6",
      "--all"};
  CliRun refused = folder.Run(import);
  EXPECT_EQ(refused.status, 1);
  EXPECT_THAT(refused.err, HasSubstr("1 unidentified publishers"));
  std::vector<std::string> skipping = import;
  skipping.push_back("--skip-unidentified");
  CliRun posted = folder.Run(skipping);
  ASSERT_EQ(posted.status, 0) << posted.err;
  EXPECT_THAT(posted.out, HasSubstr("posted " + std::to_string(id)));
  EXPECT_THAT(posted.out, HasSubstr("1 reports posted"));
  auto after = folder.Load();
  const PubRecord& stored = *after->FindById(id);
  EXPECT_EQ(stored.activity[kBibleStudies][m][s], 3 | kSharedBit);
  EXPECT_EQ(FieldText(after->remarks[stored.remark[m][s]].text), "fine, thanks");
}

}  // namespace
}  // namespace zarim
