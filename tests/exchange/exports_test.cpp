// The seven delimited exports against hand-written bytes, the quoting of values that
// would shift their line, the files they write and the failures they report.
#include "exchange/exports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/desktop_ports.h"
#include "core/file_io.h"
#include "exchange/exports_folder.h"
#include "records/extension.h"
#include "support/test_support.h"

namespace zarim {
namespace {

class RecordingShell : public DesktopShell {
 public:
  bool Open(const std::string& path) override {
    opened.push_back(path);
    return has_file_manager;
  }
  std::vector<std::string> opened;
  bool has_file_manager = true;
};

// Working month March 2025 (slot 1); February 2024 and December 2024 lie in slot 0.
class ExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.prompter = &prompter;
    testing::StartEmpty(doc, Date{2025, 4, 10}, dir.path());
    PubRecord ann = testing::MakePublisher(11, "Ann", "Able");
    ann.group = 2;
    SetField(ann.address, "1 Elm St\tNorth");  // a tab inside a tab-separated file
    SetField(ann.home_phone, "555-0101");
    SetField(ann.birth_date, "03071990");
    SetField(ann.baptism_date, "11  2005");  // no day: an incomplete date
    ann.hope = 'A';
    ann.flags = kFemale;
    ann.pioneer[2][1] = kAuxiliary;
    ann.activity[kHours][2][1] = 12;
    ann.activity[kBibleStudies][2][1] = 3 | kSharedBit;
    ann.activity[kHours][11][0] = 5;  // December 2024
    ann.activity[kBibleStudies][11][0] = kSharedBit;
    testing::AddRecord(doc, ann);
    PubRecord bob = testing::MakePublisher(12, "Bob", "Baker");
    bob.flags = kMale | kElder;
    bob.pioneer[2][1] = kRegular;
    testing::AddRecord(doc, bob);
    PubRecord cid = testing::MakePublisher(13, "Cid", "Cole", kInactive);
    testing::AddRecord(doc, cid);
    doc.remark_count = 2;
    SetField(doc.remarks[1].text, "Said \"hi\", left");
    doc.records[1].remark[2][1] = 1;
  }

  std::string Bytes(ExportKind kind, ExportOptions o = {}) { return ExportBytes(doc, kind, o); }

  testing::TempDir dir;
  testing::ScriptedPrompter prompter;
  CZarimDoc doc;
};

TEST_F(ExportsTest, MonthlyReportWithHeaderFormAAndQuotedCells) {
  ExportOptions o;
  o.month = 2;
  o.header = true;
  EXPECT_EQ(Bytes(ExportKind::kMonthly, o),
            "Name ,Group ,Pios ,Shared ,Bi.St. ,AuxP ,Hours ,Remarks ,Month ,Year ,ID ,\r\n"
            "\"Ann Able\",2,1,1,3,1,12,\"Said \"\"hi\"\", left\",\"03 (Mar)\",2025,11,\r\n"
            "\"Bob Baker\",0,2,0,0,0,0,\"\",\"03 (Mar)\",2025,12,\r\n");
  EXPECT_EQ(ExportFileName(ExportKind::kMonthly, o), "March.csv");
}

TEST_F(ExportsTest, MonthlyReportOfAMonthAfterTheWorkingMonthIsLastYears) {
  ExportOptions o;
  o.month = 11;
  o.tab = true;
  EXPECT_EQ(Bytes(ExportKind::kMonthly, o),
            "\"Ann Able\"\t2\t0\t1\t0\t0\t5\t\"\"\t\"12 (Dec)\"\t2024\t11\t\r\n"
            "\"Bob Baker\"\t0\t0\t0\t0\t0\t0\t\"\"\t\"12 (Dec)\"\t2024\t12\t\r\n");
  EXPECT_EQ(ExportFileName(ExportKind::kMonthly, o), "December.rpt");
}

TEST_F(ExportsTest, SummaryHasThreeGroupsOfTwentyFourMonthsOldestFirst) {
  // March 2025, slot 1: 4 publishers' reports with 7 hours and 6 quarters; 30 active.
  auto& v = doc.totals.value[2];
  v[0 * 9 + 8][1] = 4, v[0 * 9 + 2][1] = 7, v[0 * 9 + 7][1] = 6, v[0 * 9 + 5][1] = 30;
  v[2 * 9 + 8][1] = 1, v[3 * 9 + 8][1] = 2;  // one regular, two special pioneers
  std::string out = Bytes(ExportKind::kSummary);
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = out.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(out.substr(at, end - at));
  ASSERT_EQ(lines.size(), 1u + 3 * 24);
  EXPECT_EQ(lines[0],
            "Privilege,Month,Reports,Placements,Video Showings,Hours,Return Visits,Bible "
            "Studies,Total Active Publishers");
  EXPECT_EQ(lines[1], "\"Publishers\",\"2023-04\",\"0\",\"0\",\"0\",\"0\",\"0\",\"0\",\"\"");
  EXPECT_EQ(lines[24], "\"Publishers\",\"2025-03\",\"4\",\"0\",\"0\",\"8\",\"0\",\"0\",\"30\"");
  EXPECT_EQ(lines[25].substr(0, 33), "\"Auxiliary pioneers\",\"2023-04\",\"0");
  EXPECT_EQ(lines[72],
            "\"Pioneers (Reg & Spc)\",\"2025-03\",\"3\",\"0\",\"0\",\"0\",\"0\",\"0\",\"30\"");
  EXPECT_EQ(ExportFileName(ExportKind::kSummary, {}), "Summary.csv");
}

TEST_F(ExportsTest, AttendanceRightAlignsTheAverage) {
  doc.attendance[1].meetings[1][0] = 4;  // weekend, February 2024
  doc.attendance[1].total[1][0] = 250;
  doc.attendance[1].average[1][0] = 62;
  doc.totals.value[1][5][0] = 31;
  std::string out = Bytes(ExportKind::kAttendance);
  EXPECT_EQ(out.rfind("Meeting,Month,Num,Tot,Avg,Active publishers\r\n", 0), 0u);
  EXPECT_NE(out.find("\r\n\"Midweek\",\"2023-04\",\"0\",\"0\",\"   0\",\"\"\r\n"),
            std::string::npos);
  EXPECT_NE(out.find("\r\n\"Weekend\",\"2024-02\",\"4\",\"250\",\"  62\",\"31\"\r\n"),
            std::string::npos);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1 + 2 * 24);
}

TEST_F(ExportsTest, ContactsAndCardHeadersUseTheListedName) {
  ExtensionData ext;
  ext.long_name = "Ann B. Able";
  ext.email = "ann@example.org";
  ASSERT_TRUE(StoreExtension(doc, doc.records[1], ext));
  EXPECT_EQ(Bytes(ExportKind::kContacts),
            "Name \tAddress \tTelephone \tMobile \tPhone 3 \tE-Mail \tOther Contact Information "
            "\tGroup \t\r\n"
            "Ann B. Able\t\"1 Elm St\tNorth\"\t555-0101\t\t\tann@example.org\t\t2\t\r\n"
            "Bob Baker\t\t\t\t\t\t\t0\t\r\n");
  doc.format.alternate_date = 1;
  EXPECT_EQ(Bytes(ExportKind::kCardHeaders),
            "Name \tAddress \tTelephone \tMobile \tDate of birth \tDate of baptism \tAnointed "
            "\tElder \tMinisterial servant \tRegular pioneer \tMale \t\r\n"
            "Ann B. Able\t\"1 Elm St\tNorth\"\t555-0101\t\t07 Mar 1990\t\tY\t\t\t\t\t\r\n"
            "Bob Baker\t\t\t\t\t\t\tY\t\tY\tY\t\r\n");
  doc.format.alternate_date = 0;
  EXPECT_NE(Bytes(ExportKind::kCardHeaders).find("\tMar 07 1990\t"), std::string::npos);
}

TEST_F(ExportsTest, EmergencyContactsTakeActivePublishersAndFamilyHeads) {
  doc.records[3].flags |= kFamilyHead;  // Cid, inactive, heads a household with Bob
  doc.records[2].household_head = 13;
  EXPECT_EQ(Bytes(ExportKind::kEmergency),
            "Name \tAddress \tTelephone \tMobile \tPhone 3 \tE-Mail \tFamily Members \t3rd "
            "Party Contact \t3Telephone \t3Mobile \t3Phone 3 \tSpecial Needs \tGroup \t\r\n"
            "Ann Able\t\"1 Elm St\tNorth\"\t555-0101\t\t\t\t\t\t\t\t\t\t2\t\r\n"
            "Bob Baker\t\t\t\t\t\t\t\t\t\t\t\t0\t\r\n"
            "Cid Cole ( i )\t\t\t\t\t\tBob Baker\t\t\t\t\t\t0\t\r\n");
}

TEST_F(ExportsTest, CollectionListOfAGroup) {
  ExportOptions o;
  o.group = 2;
  EXPECT_EQ(Bytes(ExportKind::kCollectionList, o),
            "First Name ,Last Name ,Shared ,Bible Studies ,Hours ,Remarks ,\r\n"
            "Ann,Able,1,3,12,\"Said \"\"hi\"\", left\",\r\n");
  doc.records[1].remark[2][1] = 0;  // an auxiliary pioneer without remark
  EXPECT_NE(Bytes(ExportKind::kCollectionList, o).find(",12,AuxP,\r\n"), std::string::npos);
  o.group = 5;  // nobody in it: the header alone
  EXPECT_EQ(Bytes(ExportKind::kCollectionList, o),
            "First Name ,Last Name ,Shared ,Bible Studies ,Hours ,Remarks ,\r\n");
  EXPECT_EQ(ExportFileName(ExportKind::kCollectionList, o), "Group-5.csv");
}

TEST_F(ExportsTest, WritingOverwritesAndOffersTheFolder) {
  ExportOptions o;
  o.group = 2;
  std::string path = WriteExport(doc, ExportKind::kCollectionList, o);
  ASSERT_EQ(path, ExportPath(dir.path(), "Group-2.csv"));
  doc.records[1].group = 0;  // the second export has only the header
  ASSERT_EQ(WriteExport(doc, ExportKind::kCollectionList, o), path);
  auto bytes = ReadFile(path);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()),
            "First Name ,Last Name ,Shared ,Bible Studies ,Hours ,Remarks ,\r\n");

  RecordingShell shell;
  prompter.Script(Answer::kYes);
  OfferExportsFolder(doc, shell, ExportKind::kCollectionList, path);
  prompter.Script(Answer::kNo);
  OfferExportsFolder(doc, shell, ExportKind::kSummary, ExportPath(dir.path(), "Summary.csv"));
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[0], "Exported Group-2.csv\nShow in Folder?");
  EXPECT_EQ(prompter.messages[1],
            "Exported " + ExportPath(dir.path(), "Summary.csv") + "\nShow in Folder?");
  EXPECT_EQ(shell.opened, std::vector<std::string>{ExportsFolderPath(dir.path())});
  // Without a file manager the folder is named instead.
  shell.has_file_manager = false;
  prompter.Script(Answer::kYes);
  OfferExportsFolder(doc, shell, ExportKind::kCollectionList, path);
  EXPECT_EQ(prompter.messages.back(),
            "No file manager could be opened. The file is in the folder " +
                ExportsFolderPath(dir.path()));
}

TEST_F(ExportsTest, EveryExportReportsAFileItCannotWrite) {
  // A folder in the way of each file: the message names the file and the reason.
  std::filesystem::create_directory(ExportsFolderPath(dir.path()));
  for (int k = 0; k <= static_cast<int>(ExportKind::kCollectionList); ++k) {
    const auto kind = static_cast<ExportKind>(k);
    const std::string path = ExportPath(dir.path(), ExportFileName(kind, {}));
    std::filesystem::create_directory(path);
    prompter.messages.clear();
    EXPECT_EQ(WriteExport(doc, kind, {}), "") << k;
    ASSERT_EQ(prompter.messages.size(), 1u) << k;
    EXPECT_EQ(prompter.messages[0],
              "The export could not be written: " + path + "\n" + std::strerror(EISDIR));
  }
  // A file in the place of the exports folder.
  std::filesystem::remove_all(ExportsFolderPath(dir.path()));
  std::ofstream(ExportsFolderPath(dir.path())) << "in the way";
  prompter.messages.clear();
  EXPECT_EQ(WriteExport(doc, ExportKind::kMonthly, {}), "");
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0],
            "The folder for exports could not be made: " + ExportsFolderPath(dir.path()) + "\n" +
                std::strerror(ENOTDIR));
}

TEST_F(ExportsTest, TidyingRemovesOnlyHalfWrittenFiles) {
  std::string folder = EnsureExportsFolder(dir.path());
  std::ofstream(folder + "/March.csv") << "kept";
  std::ofstream(folder + "/notes.txt") << "kept";
  std::ofstream(folder + "/March.csv" + std::string(kTempSuffix)) << "half";
  EXPECT_EQ(TidyExportsFolder(dir.path()), 1);
  EXPECT_TRUE(FileExists(folder + "/March.csv"));
  EXPECT_TRUE(FileExists(folder + "/notes.txt"));
  EXPECT_FALSE(FileExists(folder + "/March.csv" + std::string(kTempSuffix)));
}

}  // namespace
}  // namespace zarim
