// The XML publisher file: its tree for each list, the round trip through export and
// import on the demo congregation, and new records taken from a file.
#include "exchange/xml_publisher_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/file_io.h"
#include "core/folder_lock.h"
#include "core/password_form.h"
#include "cycle/congregation.h"
#include "demo_congregation.h"
#include "exchange/exports_folder.h"
#include "support/test_support.h"

namespace zarim {
namespace {

const Date kToday{2025, 3, 10};  // working month February 2025

class NoPassword : public PasswordRunner {
 public:
  void Run(PasswordForm& form) override {
    if (!form.finished()) form.Cancel();
  }
  void Run(PasswordChangeForm& form) override { form.Cancel(); }
};

std::vector<std::pair<std::string, Bytes>> DataFiles(const std::string& folder) {
  std::vector<std::pair<std::string, Bytes>> out;
  for (auto& f : testing::FolderContents(folder))
    if (f.first != kLockFileName && f.first != "rmkundo.dat") out.push_back(std::move(f));
  return out;
}

std::vector<int> ListRecords(const CZarimDoc& doc, int status) {
  std::vector<int> recs;
  for (int i = 0; i < doc.status_count[status]; ++i) recs.push_back(doc.lists[status][i].rec);
  return recs;
}

// Opens the folder, lets change work on it, saves and closes.
void OpenChangeSave(const std::string& folder, const std::function<void(CZarimDoc&)>& change) {
  FixedClock clock(kToday);
  testing::ScriptedPrompter prompter;
  NoPassword passwords;
  OpenOptions open;
  open.data_folder = folder;
  open.program = "test";
  Congregation owner(&prompter);
  ASSERT_EQ(owner.Open(open, clock, passwords), Congregation::Opened::kOk);
  owner.doc().prompter = &prompter;
  change(owner.doc());
  owner.doc().MarkModified();
  ASSERT_TRUE(owner.Save());
  ASSERT_TRUE(owner.Close());
}

TEST(XmlPublisherFile, ExportedActiveListImportedWithUpdateChangesNoDataFile) {
  testing::TempDir dir;
  demo::DemoOptions options;
  options.today = kToday;
  std::string error;
  ASSERT_TRUE(demo::WriteDemoFolder(dir.path(), options, &error)) << error;
  OpenChangeSave(dir.path(), [](CZarimDoc&) {});  // the files as a save writes them
  const auto before = DataFiles(dir.path());
  OpenChangeSave(dir.path(), [&](CZarimDoc& doc) {
    const std::vector<int> active = ListRecords(doc, kActive);
    ASSERT_GT(active.size(), 10u);
    const std::string path = ExportPublisherXml(doc, XmlList::kActive, active, kToday);
    ASSERT_EQ(path, ExportPath(dir.path(), "Active.xml"));
    XmlPublisherImport import(doc);
    ASSERT_TRUE(import.Open(path));
    EXPECT_EQ(import.list(), XmlList::kActive);
    EXPECT_EQ(import.version(), 9000);
    ASSERT_EQ(import.candidates().size(), active.size());
    std::vector<int> all;
    for (size_t i = 0; i < import.candidates().size(); ++i) {
      EXPECT_EQ(import.candidates()[i].match_rec, active[i]) << i;
      all.push_back(static_cast<int>(i));
    }
    EXPECT_EQ(import.Apply(all, true), static_cast<int>(active.size()));
  });
  const auto after = DataFiles(dir.path());
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    EXPECT_EQ(after[i].first, before[i].first);
    EXPECT_TRUE(after[i].second == before[i].second) << after[i].first << " differs";
  }
}

class XmlTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.prompter = &prompter;
    testing::StartEmpty(doc, kToday, dir.path());
    PubRecord ann = testing::MakePublisher(11, "Ann", "Able");
    ann.flags = kFemale | kElder;
    SetField(ann.birth_date, "03071990");
    ann.pioneer[1][1] = kRegular;  // February 2025
    ann.activity[kHours][1][1] = 7;
    ann.activity[kBibleStudies][1][1] = 2 | kSharedBit | (2 << kQuarterShift);
    ann.credit[1][1] = 5;
    ann.activity[kBibleStudies][5][0] = kSharedBit;  // June 2024: shared, a publisher
    ann.activity[kBibleStudies][2][1] = kSharedBit;  // March 2023 (old form): under 1 h
    ann.activity[kPlacements][2][1] = 4;
    testing::AddRecord(doc, ann);
    PubRecord cid = testing::MakePublisher(13, "Cid", "Cole", kInactive);
    testing::AddRecord(doc, cid);
    PubRecord sue = testing::MakePublisher(14, "Sue", "Stone", kNonPublisher);
    sue.flags = kFemale;
    SetField(sue.birth_date, "01012000");
    testing::AddRecord(doc, sue);
  }

  std::string Tree(XmlList list, std::vector<int> recs) {
    XmlDocument x;
    BuildPublisherXml(doc, list, recs, kToday, x);
    // Without the indentation, so that the expectations read as one line.
    std::string text = x.GetDoc(), compact;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\n') {
        compact += text[i];
        continue;
      }
      while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
    }
    return compact;
  }

  testing::TempDir dir;
  testing::ScriptedPrompter prompter;
  CZarimDoc doc;
};

TEST_F(XmlTreeTest, ActiveTreeCarriesMonthsMarksAndCredit) {
  std::string t = Tree(XmlList::kActive, {1});
  EXPECT_NE(t.find("<Agent Ver=\"9000\">Zarim</Agent>"), std::string::npos) << t;
  EXPECT_NE(t.find("<Date>2025-03-10</Date>"), std::string::npos);
  EXPECT_NE(t.find("<Count>1</Count>"), std::string::npos);
  EXPECT_NE(t.find("<gender>Female</gender>"), std::string::npos);
  EXPECT_NE(t.find("<birdate>1990-03-07</birdate>"), std::string::npos);
  EXPECT_NE(t.find("<bapdate/>"), std::string::npos);
  EXPECT_NE(t.find("<svt>Elder</svt>"), std::string::npos);
  EXPECT_EQ(t.find("<dpa>"), std::string::npos);
  // 24 months: the older slot (2024) first, then 2025 up to February and 2023 after it.
  EXPECT_LT(t.find("<Jan Year=\"2024\">"), t.find("<Jan Year=\"2025\">"));
  EXPECT_NE(t.find("<Mar Year=\"2023\">"), std::string::npos);
  EXPECT_NE(t.find("<Feb Year=\"2025\"><Plcmts/><Videos/><Hours>7\u00BD</Hours><R.V.s/>"
                   "<BiSt.>2</BiSt.><Remark/><Pio>Reg</Pio><PioCredit>5</PioCredit>"),
            std::string::npos)
      << t;
  EXPECT_NE(t.find("<Jun Year=\"2024\"><Plcmts/><Videos/><Hours>1</Hours>"), std::string::npos);
  EXPECT_NE(t.find("<Plcmts>4</Plcmts>"), std::string::npos);
  EXPECT_NE(t.find("<Remark>Less than 1 h.</Remark>"), std::string::npos);
}

TEST_F(XmlTreeTest, InactiveAndNonPublisherTreesLeaveOutWhatTheyDoNotHold) {
  std::string inactive = Tree(XmlList::kInactive, {2});
  EXPECT_EQ(inactive.find("<Jan"), std::string::npos) << inactive;  // no inactive month
  EXPECT_EQ(inactive.find("<inamonth>"), std::string::npos);
  EXPECT_EQ(inactive.find("<gender>"), std::string::npos);  // neither flag
  EXPECT_EQ(inactive.find("<svt>"), std::string::npos);
  doc.records[2].status_month = 7 << 4;  // inactive since July 2024
  doc.records[2].status_year = 24;
  doc.records[2].activity[kBibleStudies][8][0] = 1;  // September 2024, after it
  inactive = Tree(XmlList::kInactive, {2});
  EXPECT_NE(inactive.find("<inamonth>7</inamonth>"), std::string::npos);
  EXPECT_NE(inactive.find("<inayear>2024</inayear>"), std::string::npos);
  EXPECT_NE(inactive.find("<Jul Year=\"2024\"><Plcmts/>"), std::string::npos);
  EXPECT_NE(inactive.find("<Sep Year=\"2024\"><Remark/>"), std::string::npos) << inactive;

  std::string students = Tree(XmlList::kNonPublishers, {3});
  EXPECT_NE(students.find("<Non-Publishers>"), std::string::npos);
  for (const char* absent : {"<birdate", "<bapdate", "<dpa", "<svt", "<Jan", "<Dec"})
    EXPECT_EQ(students.find(absent), std::string::npos) << absent;
}

TEST_F(XmlTreeTest, ImportPlacesNewPeopleAndMarksDuplicates) {
  doc.records[1].group = 1;
  doc.groups.count = 1;
  testing::TempDir other;
  const std::string path = other.File("in.xml");
  other.Write("in.xml",
              "<?xml version=\"1.0\"?><PUBLIST><Agent Ver=\"9000\">Zarim</Agent><Count>2</Count>"
              "<Active><Pub><id>11</id><fname>Ann</fname><lname>Able</lname><group>1</group>"
              "<specneed>Wheelchair</specneed></Pub>"
              "<Pub><id>99</id><fname>  Abigail-Annabel-Lee </fname><lname>Aaron</lname>"
              "<gender>Male</gender><svt>MinSvt</svt><group>1</group>"
              "<Jan Year=\"2025\"><Plcmts/><Videos/><Hours>1</Hours><R.V.s/><BiSt.>0</BiSt.>"
              "<Remark>Fine month</Remark><Pio/></Jan></Pub></Active></PUBLIST>");
  XmlPublisherImport import(doc);
  ASSERT_TRUE(import.Open(path));
  ASSERT_EQ(import.candidates().size(), 2u);
  EXPECT_EQ(import.candidates()[0].match_rec, 1);
  EXPECT_EQ(import.candidates()[1].match_rec, 0);
  EXPECT_EQ(import.Apply({0, 1}, false), 2);
  // Sorted by last name: Aaron, Able, then Ann's copy "Ann2 Able".
  ASSERT_EQ(doc.status_count[kActive], 3);
  const PubRecord& aaron = doc.records[doc.lists[kActive][0].rec];
  EXPECT_EQ(FieldText(aaron.first_name), "Abigail-Annabel");  // trimmed, cut to 15
  EXPECT_EQ(aaron.group, 0);                                  // new records take no group
  EXPECT_EQ(aaron.flags & (kMale | kPrivilegeMask), kMale | kServant);
  EXPECT_NE(aaron.activity[kBibleStudies][0][1] & kSharedBit, 0);
  std::string names;
  for (int i = 0; i < 3; ++i)
    names += FieldText(doc.records[doc.lists[kActive][i].rec].first_name) + ";";
  EXPECT_EQ(names, "Abigail-Annabel;Ann;Ann2;");
  const PubRecord& copy = doc.records[doc.lists[kActive][2].rec];
  EXPECT_NE(copy.special_needs_key, 0);
  EXPECT_NE(copy.id, 11);
}

TEST_F(XmlTreeTest, AFileWithoutTheRequiredTagsIsRefused) {
  testing::TempDir other;
  for (const char* text : {"<PUBLIST><Agent/><Count>0</Count></PUBLIST>",
                           "<PUBLIST><Active></Active></PUBLIST>", "<Other/>", "<PUBLIST>"}) {
    other.Write("in.xml", text);
    prompter.messages.clear();
    XmlPublisherImport import(doc);
    EXPECT_FALSE(import.Open(other.File("in.xml"))) << text;
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].rfind("The XML file doesn't contain some required tags", 0), 0u);
  }
}

// A letter the code page cannot hold becomes "?", and the user is told which field of
// whom lost letters, never in silence.
TEST_F(XmlTreeTest, LettersOutsideTheCodePageAreReplacedAndSaid) {
  testing::TempDir other;
  other.Write("in.xml",
              "<PUBLIST><Agent Ver=\"9000\">Zarim</Agent><Count>1</Count><Active><Pub>"
              "<id>77</id><fname>Li \u674e</fname><lname>Able</lname></Pub></Active></PUBLIST>");
  XmlPublisherImport import(doc);
  ASSERT_TRUE(import.Open(other.File("in.xml")));
  prompter.messages.clear();
  EXPECT_EQ(import.Apply({0}, false), 1);
  int kept = 0;
  for (int r = 1; r < doc.count; ++r) kept += FieldText(doc.records[r].first_name) == "Li ?";
  EXPECT_EQ(kept, 1);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_NE(prompter.messages[0].find("each was replaced by \"?\""), std::string::npos)
      << prompter.messages[0];
}

}  // namespace
}  // namespace zarim
