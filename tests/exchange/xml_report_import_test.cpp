// The XML report import: the working month's element of each matched active publisher,
// and the files it refuses without changing anything.
#include "exchange/xml_report_import.h"

#include <gtest/gtest.h>

#include <cstring>

#include "collection_support.h"
#include "exchange/report_import.h"

namespace zarim::testing {
namespace {

constexpr int kJune = 5;

std::string Publist(const std::string& count, const std::string& list, const std::string& pubs) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PUBLIST><Agent Ver=\"9000\">Zarim</Agent>"
         "<Date>2026-07-10</Date><Count>" +
         count + "</Count><" + list + ">" + pubs + "</" + list + "></PUBLIST>\n";
}

std::string Pub(const char* id, const char* first, const char* last, const char* june) {
  return std::string("<Pub><id>") + id + "</id><fname>" + first + "</fname><lname>" + last +
         "</lname><Jun Year=\"2025\"><Hours>9</Hours><BiSt.>9</BiSt.><Remark/></Jun>" + june +
         "</Pub>";
}

class XmlReportImportTest : public ::testing::Test, public CollectionFixture {
 protected:
  std::optional<std::vector<IncomingReport>> Load(const std::string& text,
                                                  const char* name = "r.xml") {
    dir.Write(name, text);
    return LoadXmlReportImport(doc, dir.File(name));
  }
};

TEST_F(XmlReportImportTest, ReadsTheWorkingMonthOfMatchedActivePublishers) {
  Add(100, "Adam", "Able");
  PubRecord& bea = Add(101, "Bea", "Baker");
  bea.pioneer[kJune][0] = kRegular;
  Add(102, "Cid", "Cole");
  const std::string june_adam =
      "<Jun Year=\"2026\"><Plcmts/><Videos/><Hours>1</Hours><R.V.s/><BiSt.>2</BiSt.>"
      "<Remark>well</Remark><Pio/></Jun>";
  const std::string june_bea =
      "<Jun Year=\"2026\"><Plcmts/><Videos/><Hours>51\xC2\xBD</Hours><R.V.s/><BiSt.>0</BiSt.>"
      "<Remark/><Pio>Reg</Pio><PioCredit>4</PioCredit></Jun>";
  auto reports = Load(Publist("4", "Active",
                              Pub("100", "Adam", "Able", june_adam.c_str()) +
                                  Pub("0", "Bea", "Baker", june_bea.c_str()) +
                                  Pub("777", "Cid", "Cole", june_adam.c_str()) +  // wrong id
                                  Pub("102", "Cid", "", june_adam.c_str())));     // no last name
  ASSERT_TRUE(reports.has_value());
  ASSERT_EQ(reports->size(), 2u);
  const IncomingReport& a = (*reports)[0];
  EXPECT_EQ(a.id, 100);
  EXPECT_EQ(a.activity[kHours], 0);  // a publisher's 1 says only that he shared
  EXPECT_EQ(a.activity[kBibleStudies], 2 | kSharedBit);
  EXPECT_EQ(a.remark, "well");
  const IncomingReport& b = (*reports)[1];
  EXPECT_EQ(b.activity[kHours], 51);
  EXPECT_EQ(b.activity[kBibleStudies], kSharedBit | (2 << kQuarterShift));
  EXPECT_EQ(b.pioneer, kRegular);
  EXPECT_EQ(b.credit, 4);
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(MergeReports(doc, *reports, false), 2);
  EXPECT_EQ(doc.FindById(101)->credit[kJune][0], 4);
}

TEST_F(XmlReportImportTest, RefusedFilesChangeNothing) {
  Add(100, "Adam", "Able");
  const PubRecord before = *doc.FindById(100);
  const std::string pub = Pub("100", "Adam", "Able", "");
  EXPECT_FALSE(Load(Publist("0", "Active", pub)).has_value());
  EXPECT_FALSE(Load(Publist("300", "Active", pub)).has_value());
  EXPECT_FALSE(Load(Publist("1", "Inactive", pub)).has_value());
  EXPECT_FALSE(Load(Publist("1", "Active", "")).has_value());
  EXPECT_FALSE(Load("<PUBLIST><Count>1</Count><Active><Pub>").has_value());  // not well formed
  const std::string bomb =
      "<?xml version=\"1.0\"?><!DOCTYPE PUBLIST [<!ENTITY a \"aaaaaaaaaa\">"
      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]>" +
      Publist("1", "Active", Pub("100", "Adam", "&c;", "")).substr(39);
  EXPECT_FALSE(Load(bomb).has_value());
  EXPECT_EQ(prompter.messages.size(), 6u);
  EXPECT_FALSE(Load(Publist("1", "Active", pub), "r.txt").has_value());  // silently
  EXPECT_EQ(prompter.messages.size(), 6u);
  EXPECT_EQ(std::memcmp(&before, doc.FindById(100), sizeof before), 0);  // nothing was posted
  EXPECT_EQ(doc.FindById(100)->activity[kBibleStudies][kJune][0], 0);
}

// Every report import ends in the same form: a figure far from the publisher's own
// months is asked about once; No leaves that report out, Yes imports it as it is.
TEST_F(XmlReportImportTest, FarFiguresAreAskedAboutAndLeftOutOnNo) {
  PubRecord& adam = Add(100, "Adam", "Able");
  for (int m = 0; m < 12; ++m) {
    if (m == kJune) continue;
    adam.activity[kHours][m][doc.SlotOfMonth(m)] = 10;
    adam.activity[kBibleStudies][m][doc.SlotOfMonth(m)] = kSharedBit;
  }
  Add(101, "Bea", "Baker");
  IncomingReport typo{
      .id = 100, .month = kJune, .activity = {0, 0, 100, 0, kSharedBit}, .remark = {}};
  IncomingReport ordinary{
      .id = 101, .month = kJune, .activity = {0, 0, 0, 0, kSharedBit | 1}, .remark = {}};
  for (Answer answer : {Answer::kNo, Answer::kYes}) {
    ReportImportForm form(doc, {typo, ordinary});
    form.SelectAll();
    prompter.messages.clear();
    prompter.Script(answer);
    EXPECT_EQ(form.ImportSelected(), answer == Answer::kNo ? 1 : 2);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].find("far above the usual 10 hours"), std::string::npos);
    EXPECT_EQ(doc.FindById(100)->activity[kHours][kJune][doc.SlotOfMonth(kJune)],
              answer == Answer::kNo ? 0 : 100);
    EXPECT_EQ(doc.FindById(101)->activity[kBibleStudies][kJune][doc.SlotOfMonth(kJune)] & 0x3FF, 1);
  }
}

}  // namespace
}  // namespace zarim::testing
