// The collection list's bytes, the returned file's reading (trusting none of its counts)
// and the merge of its reports into the records.
#include "exchange/collection_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "collection_support.h"
#include "core/strings.h"
#include "cycle/branch_totals.h"
#include "cycle/late_reports.h"
#include "exchange/report_import.h"
#include "records/extension.h"

namespace zarim::testing {
namespace {

constexpr int kJune = 5;

class CollectionFileTest : public ::testing::Test, public CollectionFixture {
 protected:
  CollectionFile Read(const std::vector<uint8_t>& bytes) {
    auto f = ReadCollectionFile(bytes);
    EXPECT_TRUE(f.has_value());
    return f.value_or(CollectionFile{});
  }
};

TEST_F(CollectionFileTest, GroupWithoutRemarksGivesHeaderAndOneBlockEach) {
  Add(100, "Adam", "Able");
  Add(101, "Bea", "Baker", 2);  // another group
  Add(102, "Cid", "Cole");
  const std::vector<uint8_t> bytes = BuildCollectionList(doc, 1, false);
  ASSERT_EQ(bytes.size(), 3 * kCollectionBlockSize);
  EXPECT_EQ(bytes[kCollHeaderCount], 2);
  EXPECT_EQ(bytes[kCollHeaderGroup], 1);
  EXPECT_EQ(GetU16(&bytes[kCollHeaderRemarks]), 0);
  EXPECT_EQ(bytes[kCollHeaderMonth], kJune);
  // Everything else in the header is zero (no secretary address stored).
  size_t nonzero = 0;
  for (size_t i = 0; i < kCollectionBlockSize; ++i) nonzero += bytes[i] != 0;
  EXPECT_EQ(nonzero, 3u);  // the count, the group and the month
}

TEST_F(CollectionFileTest, BlocksCarryTheEmailLateFlagsAndRenumberedRemarks) {
  doc.options.secretary_email = "sec@example.org";
  PubRecord& a = Add(100, "Adam", "Able");
  SetField(a.address, "1 Main Street");
  a.ext_key = 0;
  ASSERT_TRUE(StoreExtension(doc, a, ExtensionData{"", "  adam@example.org ", "", 0}));
  PubRecord& b = Add(101, "Bj\xCCrn", "Baker");  // the byte 204 in a name
  SetField(b.baptism_date, "01021990");
  Remark(101, 3, "ill");                          // April
  Remark(100, kJune, "5 *");                      // June
  b.activity[kHours][2][doc.SlotOfMonth(2)] = 4;  // a late March report
  AddLateReport(doc, 101, 2);

  const std::vector<uint8_t> bytes = BuildCollectionList(doc, 1, false);
  ASSERT_EQ(bytes.size(), 3 * kCollectionBlockSize + 2 * kCollectionRemarkSize);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[kCollHeaderEmail])),
            "sec@example.org");
  EXPECT_EQ(bytes[kCollectionBlockSize * 2 + 2 + 2], 0xCC);  // Bj?rn: kept as it is

  const CollectionFile f = Read(bytes);
  ASSERT_EQ(f.blocks.size(), 2u);
  EXPECT_EQ(FieldText(f.blocks[0].address), "adam@example.org");
  EXPECT_EQ(FieldText(f.blocks[1].address), "");
  EXPECT_EQ(f.blocks[0].ext_key, 0);
  EXPECT_EQ(FieldText(f.blocks[1].first_name), "Bj\xCCrn");
  // The dates are reused as flags: March (k = 3) is byte 151 + 3.
  const auto* late = reinterpret_cast<const uint8_t*>(&f.blocks[1]);
  for (int k = 1; k <= 12; ++k) EXPECT_EQ(late[k <= 6 ? 151 + k : 154 + k], k == 3 ? 1 : 0) << k;
  // Remarks are numbered in the order met: Adam's June first, then Bea's April.
  ASSERT_EQ(f.remarks.size(), 2u);
  EXPECT_EQ(f.blocks[0].remark[kJune][0], 1);
  EXPECT_EQ(f.blocks[1].remark[3][0], 2);
  EXPECT_EQ(BlockRemark(f, f.blocks[1], 3, 0), "ill");
}

TEST_F(CollectionFileTest, LettersThatCannotTravelAreWrittenPlainAndNamedFirst) {
  // With the offset 45, "\xD3" at position 0 and "\xC6" at 13 scramble to the end of
  // the text, "\x9A" at 5 to the kept byte 0xCC.
  struct Case {
    const char *first, *last, *first_read, *last_read;
  };
  const Case cases[] = {
      {"\xD3scar", "Barto\x9A", "Oscar", "Bartos"},
      {"Ana", "Abcdefghijklm\xC6", "Ana", "Abcdefghijklm?"},  // no plain letter
      {"Zo\xEB", "M\xFCller", "Zo\xEB", "M\xFCller"},         // travel as they are
  };
  int id = 100;
  for (const Case& c : cases) Add(id++, c.first, c.last);
  std::vector<std::string> altered;
  const CollectionFile f = Read(BuildCollectionList(doc, 1, false, &altered));
  ASSERT_EQ(f.blocks.size(), 3u);
  for (const PubRecord& b : f.blocks) {
    const Case& c = cases[b.id - 100];
    EXPECT_EQ(FieldText(b.first_name), c.first_read);
    EXPECT_EQ(FieldText(b.last_name), c.last_read);
  }
  ASSERT_EQ(altered.size(), 2u);
  const std::string both = altered[0] + altered[1];
  EXPECT_NE(both.find("Oscar"), std::string::npos) << both;
  EXPECT_NE(both.find("Abcdefghijklm?"), std::string::npos) << both;
}

TEST_F(CollectionFileTest, SecretaryAddressRules) {
  EXPECT_EQ(CleanSecretaryEmail("@example.org"), "");
  EXPECT_EQ(CleanSecretaryEmail("no-at-sign"), "");
  EXPECT_EQ(CleanSecretaryEmail("a@b.c"), "a@b.c");
  EXPECT_EQ(CleanSecretaryEmail(std::string(60, 'x') + "@b.c"), "");  // "@" beyond 47
  EXPECT_EQ(CleanSecretaryEmail("a@" + std::string(60, 'y')).size(), kMaxSecretaryEmail);
  // In the file's header an address counts only with "@" at position 2 or later.
  doc.options.secretary_email = "a@b.c";
  EXPECT_EQ(BuildCollectionList(doc, 1, false)[kCollHeaderEmail], 0);
}

TEST_F(CollectionFileTest, NextMonthListCarriesNoneOfThatMonthsFigures) {
  PubRecord& a = Add(100, "Adam", "Able");
  const int july = 6;
  const int slot = 0;  // July 2026 lies in the slot of 2026
  a.activity[kHours][july][slot] = 30;
  a.activity[kBibleStudies][july][slot] = 2 | kSharedBit;
  a.credit[july][slot] = 5;
  a.pioneer[july][slot] = kRegular | 0x40;
  a.activity[kHours][kJune][slot] = 12;
  Remark(100, july, "old");

  const CollectionFile f = Read(BuildCollectionList(doc, 1, true));
  EXPECT_EQ(f.month, july);
  ASSERT_EQ(f.blocks.size(), 1u);
  const PubRecord& b = f.blocks[0];
  for (int field = 0; field < 5; ++field) EXPECT_EQ(b.activity[field][july][slot], 0);
  EXPECT_EQ(b.credit[july][slot], 0);
  EXPECT_EQ(b.remark[july][slot], 0);
  EXPECT_EQ(b.pioneer[july][slot], kRegular);
  EXPECT_EQ(b.activity[kHours][kJune][slot], 12);  // other months stay
  EXPECT_TRUE(f.remarks.empty());
}

// The round trip: the list of a group is filled in as the companion program does and
// comes back; the imported reports are exactly those filled in.
TEST_F(CollectionFileTest, ReturnedFileImportsExactlyTheReportsFilledIn) {
  Add(100, "Adam", "Able");
  PubRecord& bea = Add(101, "Bea", "Baker");
  bea.pioneer[kJune][0] = kRegular;
  bea.activity[kBibleStudies][kJune][0] = 3 | kSharedBit;  // kept: the file brings 0
  Add(102, "Cid", "Cole");
  const std::vector<uint8_t> list = BuildCollectionList(doc, 1, false);
  CollectionFile f = Read(list);
  // Adam shared and has 1 study; Bea 50 hours, remark "10"; Cid a late May report.
  f.blocks[0].activity[kBibleStudies][kJune][0] = 1 | kSharedBit;
  f.blocks[1].activity[kHours][kJune][0] = 50;
  RemarkEntry e{};
  SetField(e.text, "10");
  f.remarks.push_back(e);
  f.blocks[1].remark[kJune][0] = 1;
  f.blocks[2].activity[kBibleStudies][4][0] = kSharedBit;
  reinterpret_cast<uint8_t*>(&f.blocks[2])[151 + 5] = 1;
  dir.Write("back.t19", EncodeCollection(list, f));

  std::vector<IncomingReport> reports;
  ASSERT_TRUE(LoadCollectionImport(doc, dir.File("back.t19"), &reports));
  ASSERT_EQ(reports.size(), 3u);
  doc.modified = 0;
  ReportImportForm form(doc, reports);
  EXPECT_EQ(form.AvailableText(), "Reports available for input = 3");
  EXPECT_EQ(form.ImportSelected(), 0);  // nothing selected, nothing posted
  EXPECT_EQ(doc.modified, 0u);
  form.SelectAll();
  form.SetCreditFromRemark(true);
  EXPECT_EQ(form.SelectedText(), "Selected Reports = 3");
  EXPECT_EQ(form.ImportSelected(), 3);

  EXPECT_EQ(doc.FindById(100)->activity[kBibleStudies][kJune][0], 1 | kSharedBit);
  const PubRecord& b = *doc.FindById(101);
  EXPECT_EQ(b.activity[kHours][kJune][0], 50);
  EXPECT_EQ(b.activity[kBibleStudies][kJune][0], 3 | kSharedBit);  // a 0 never overwrites
  EXPECT_EQ(b.credit[kJune][0], 10);
  EXPECT_EQ(FieldText(doc.remarks[b.remark[kJune][0]].text), "10");
  EXPECT_TRUE(IsInLateList(doc, 102, 4));
  EXPECT_EQ(doc.late_count, 1);
  // The stored totals of the open month are the owner's edit's (see OpenMonthTotals).
  EXPECT_EQ(RowSum(ComputeWorkingTotals(doc), kHours), 50);

  // Importing the same file again adds the late report only once.
  ReportImportForm again(doc, reports);
  again.SelectAll();
  again.ImportSelected();
  EXPECT_EQ(doc.late_count, 1);
}

TEST_F(CollectionFileTest, FileOfAnotherMonthIsRefusedAndChangesNothing) {
  Add(100, "Adam", "Able");
  std::vector<uint8_t> bytes = BuildCollectionList(doc, 1, true);  // July
  dir.Write("july.t19", bytes);
  std::vector<IncomingReport> reports;
  EXPECT_FALSE(LoadCollectionImport(doc, dir.File("july.t19"), &reports));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0],
            "Wrong Month!\n\nThe .t19 file is for July\n\nYou are collecting June reports. ");
  EXPECT_TRUE(reports.empty());
  doc.language_code = "french";
  EXPECT_NE(WrongMonthMessage(doc, 6).find(std::string(Str(Sid::kSlipFrenchArticle))),
            std::string::npos);
}

TEST_F(CollectionFileTest, HostileCountsReadOnlyWhatTheFileHolds) {
  Add(100, "Adam", "Able");
  Add(101, "Bea", "Baker");
  std::vector<uint8_t> bytes = BuildCollectionList(doc, 1, false);
  // A short file: the second block is cut off; only the first is read.
  std::vector<uint8_t> shorter(bytes.begin(), bytes.end() - 100);
  EXPECT_EQ(Read(shorter).blocks.size(), 1u);
  // Counts far beyond the file, remark numbers beyond R, texts without terminator.
  bytes[kCollHeaderCount] = 255;
  PutU16(&bytes[kCollHeaderRemarks], 65535);
  std::memset(&bytes[kCollectionBlockSize + 2], 'x', 63);
  CollectionFile f = Read(bytes);
  EXPECT_EQ(f.blocks.size(), 2u);
  EXPECT_TRUE(f.remarks.empty());
  EXPECT_LE(FieldText(f.blocks[0].first_name).size(), 20u);
  f.blocks[0].remark[kJune][0] = 7;
  EXPECT_EQ(BlockRemark(f, f.blocks[0], kJune, 0), "");
  // Not a collection file at all.
  EXPECT_FALSE(ReadCollectionFile(std::vector<uint8_t>(100, 0)).has_value());
  bytes[kCollHeaderMonth] = 12;
  EXPECT_FALSE(ReadCollectionFile(bytes).has_value());
}

TEST(CreditFromRemark, Cases) {
  struct Case {
    int hours;
    const char* remark;
    int credit;
  } cases[] = {
      {50, "10", 10},   {65, "10", 5},     {70, "10", 0},  {50, "10*", 10},
      {65, "12 *", 12}, {65, "45 *", 40},  {69, "5 *", 5}, {80, "10!", 10},
      {80, "10", 0},    {30, "  25 ", 25}, {0, "999", 70}, {30, "x 10", 0},
      {50, "", 0},      {40, "1234", 30},  {100, "5*", 5}, {75, "45*", 40},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CreditFromRemark(c.hours, c.remark), c.credit) << c.hours << " " << c.remark;
}

}  // namespace
}  // namespace zarim::testing
