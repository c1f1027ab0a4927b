// "Import Transfer File": OK only for a file that was read whole; the preview says what
// the file holds or why it is refused; OK adds the publisher.
#include "exchange/transfer_import_form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/strings.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using ::testing::HasSubstr;

TEST(TransferImportForm, OkFollowsTheFileReadAndAddsItsPublisher) {
  testing::TempDir dir;
  testing::ScriptedPrompter prompter;
  CZarimDoc sender(&prompter), receiver(&prompter);
  testing::StartEmpty(sender, Date{2025, 3, 10}, dir.path());
  testing::StartEmpty(receiver, Date{2025, 3, 10}, dir.path());
  PubRecord& r = testing::AddRecord(sender, testing::MakePublisher(40, "Lena", "Berg"));
  r.activity[kHours][1][1] = 12;  // February 2025
  r.activity[kBibleStudies][1][1] = kSharedBit | 2;
  dir.Write("good.xml", TransferXml(sender, TakeTransfer(sender, 1)));
  dir.Write("bad.xml", "<ZarimTransfer version=\"1\"><Publisher id=\"40\">");

  TransferImportForm form(receiver);
  EXPECT_EQ(form.Preview(), Str(Sid::kTransferNoFile));
  EXPECT_FALSE(form.IsOkEnabled());
  form.SetFile(dir.File("bad.xml"));
  EXPECT_FALSE(form.IsOkEnabled());
  EXPECT_THAT(form.Preview(), HasSubstr("is not a whole transfer file"));
  EXPECT_EQ(form.Ok(), 0);
  form.SetFile(dir.File("good.xml"));
  ASSERT_TRUE(form.IsOkEnabled());
  EXPECT_EQ(form.Preview(), "Lena Berg: 1 months of reports.");
  const int rec = form.Ok();
  ASSERT_GT(rec, 0);
  const PubRecord& added = receiver.records[rec];
  EXPECT_EQ(FieldText(added.last_name), "Berg");
  EXPECT_EQ(added.activity[kHours][1][1], 12);
  EXPECT_EQ(added.activity[kBibleStudies][1][1], kSharedBit | 2);
  form.SetFile("");
  EXPECT_FALSE(form.IsOkEnabled());
}

}  // namespace
}  // namespace zarim
