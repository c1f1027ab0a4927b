// The forms of the export and XML dialogs: presets, the import chooser's duplicates and
// counter, and the rules for the backup question and the file name.
#include "exchange/exchange_forms.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace zarim {
namespace {

TEST(ExchangeForms, ExportDataPresetsAndXmlExportChooser) {
  testing::TempDir dir;
  CZarimDoc doc;
  testing::StartEmpty(doc, Date{2025, 4, 10}, dir.path());
  testing::AddRecord(doc, testing::MakePublisher(11, "Ann", "Able"));
  testing::AddRecord(doc, testing::MakePublisher(12, "Sue", "Stone", kNonPublisher));
  ExportDataForm data(doc);
  EXPECT_EQ(data.month, 2);  // March, the working month
  EXPECT_FALSE(data.tab);
  EXPECT_FALSE(data.header);
  EXPECT_EQ(data.Months().size(), 12u);

  XmlExportForm x(doc);
  EXPECT_EQ(x.list(), XmlList::kActive);
  EXPECT_EQ(x.People(), std::vector<std::string>{"Ann Able"});
  x.SelectList(XmlList::kNonPublishers);
  EXPECT_EQ(x.ChosenRecords(), std::vector<int>{2});
  x.Choose(0, false);
  EXPECT_FALSE(x.IsOkEnabled());
}

TEST(ExchangeForms, ImportChooserMarksDuplicatesAndCountsAgainstTheLimit) {
  testing::TempDir dir;
  CZarimDoc doc;
  testing::ScriptedPrompter prompter;
  doc.prompter = &prompter;
  testing::StartEmpty(doc, Date{2025, 4, 10}, dir.path());
  for (int i = 0; i < 97; ++i)
    testing::AddRecord(
        doc, testing::MakePublisher(20 + i, "S" + std::to_string(i), "Student", kNonPublisher));
  dir.Write("in.xml",
            "<PUBLIST><Agent Ver=\"9000\"/><Count>3</Count><Non-Publishers>"
            "<Pub><id>20</id><fname>S0</fname><lname>Student</lname></Pub>"
            "<Pub><id>500</id><fname>New</fname><lname>One</lname></Pub>"
            "<Pub><id>501</id><fname>New</fname><lname>Two</lname></Pub>"
            "</Non-Publishers></PUBLIST>");
  XmlPublisherImport import(doc);
  ASSERT_TRUE(import.Open(dir.File("in.xml")));
  XmlImportForm form(doc, import);
  EXPECT_EQ(form.Items(), (std::vector<std::string>{"*S0 Student", "New One", "New Two"}));
  EXPECT_EQ(form.DuplicatesCaption(), "Duplicates (1)");
  EXPECT_EQ(form.Counter(), "Non-publishers (Bible Students) 97 + 2 = 99");
  EXPECT_TRUE(form.IsOkShown());
  form.update = false;  // the duplicate becomes a third new record: 100 is too many
  EXPECT_EQ(form.Counter(), "Too Many");
  EXPECT_FALSE(form.IsOkShown());
  form.Choose(2, false);
  EXPECT_EQ(form.Chosen(), (std::vector<int>{0, 1}));
  EXPECT_TRUE(form.IsOkShown());
}

TEST(ExchangeForms, BackupQuestionAndFileName) {
  EXPECT_FALSE(BackupDueBeforeImport("2025-04-10", Date{2025, 4, 10}));
  EXPECT_TRUE(BackupDueBeforeImport("2025-04-09", Date{2025, 4, 10}));
  EXPECT_TRUE(BackupDueBeforeImport("", Date{2025, 4, 10}));
  EXPECT_TRUE(IsXmlFileName("/a/Active.XML"));
  EXPECT_FALSE(IsXmlFileName("/a/Active.xml.bak"));
  EXPECT_FALSE(IsXmlFileName("xml"));
}

}  // namespace
}  // namespace zarim
