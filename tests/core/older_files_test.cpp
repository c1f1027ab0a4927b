// Folders of the earlier version: when they are converted, where every field of the older
// records lands, which months are taken, and the lists, remarks, totals, late marks,
// meetings and groups that come with them.
#include "core/older_files.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/data_files.h"
#include "core/file_copier.h"
#include "core/file_names.h"
#include "cycle/congregation.h"
#include "support/older_folder.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::Join;
using testing::OlderGroupTable;
using testing::OlderHeader;
using testing::OlderLateMark;
using testing::OlderPublisher;
using testing::OlderRecord;
using testing::OlderRemark;
using testing::TempDir;

// Today 10 March 2025: the working month is February 2025, the window of years is 23..25,
// and this year's months after March are not taken.
const Date kToday{2025, 3, 10};
constexpr int kFeb = 1;
// Jan-Mar of 2025 (March is today's month), April's tag of this year is left over, May of
// 2024, June outside the window (22), July ahead of it (26), the rest of 2024.
constexpr uint8_t kYears[12] = {25, 25, 25, 25, 24, 22, 26, 24, 24, 24, 24, 24};

const OlderRecord::Month kValues{.pioneer = 0xFE,
                                 .placements = 0x34,
                                 .videos = 0x12,
                                 .hours = 200,
                                 .visits = 0x55,
                                 .studies = 0xFF,
                                 .visits_high = 0xFF,
                                 .nibbles = 0xA7,
                                 .quarters = 0xFE,
                                 .credit = 77};

void Load(CZarimDoc& doc, const TempDir& dir) {
  doc.data_folder = dir.path();
  FixedClock clock(kToday);
  LoadAll(doc, clock);
}

// A header, one publisher with every month filled and a current-table-less folder.
void WriteOlderFolder(const TempDir& dir) {
  OlderRecord header = OlderHeader(kYears);
  for (int m = 0; m < 12; ++m) header.U8(300 + m, static_cast<uint8_t>(m % 4));
  OlderRecord anna = OlderPublisher(101, "Anna", "Berg");
  for (int m = 0; m < 12; ++m) anna.SetMonth(m, kValues);
  dir.Write(kOldFilePublishers7, Join({header, anna}));
}

TEST(OlderRecords, EveryFieldLandsWhereTheLayoutSays) {
  TempDir dir;
  WriteOlderFolder(dir);
  CZarimDoc doc;
  Load(doc, dir);
  ASSERT_TRUE(doc.converted);
  ASSERT_EQ(doc.count, 2);
  const PubRecord& r = doc.records[1];
  EXPECT_EQ(FieldText(r.first_name), "Anna");
  EXPECT_EQ(FieldText(r.last_name), "Berg");
  EXPECT_EQ(FieldText(r.address), "12 Garden Road");
  EXPECT_EQ(FieldText(r.home_phone), "555-0101");
  EXPECT_EQ(FieldText(r.mobile_phone), "555-0202");
  EXPECT_EQ(FieldText(r.other_phone), "555-0303");
  EXPECT_EQ(FieldText(r.baptism_date), "03041990");
  EXPECT_EQ(FieldText(r.birth_date), "05061970");
  EXPECT_EQ(FieldText(r.consent_date), "07082001");
  EXPECT_EQ(r.consent, 1);
  EXPECT_EQ(r.hope, 'O');
  EXPECT_EQ(r.group, 2);
  EXPECT_EQ(r.id, 101);
  EXPECT_EQ(r.ext_key, 1100);
  EXPECT_EQ(r.emergency_key, 1101);
  EXPECT_EQ(r.household_head, 1102);
  EXPECT_EQ(r.special_needs_key, 1103);
  EXPECT_EQ(r.status_stamp, 1104);
  EXPECT_EQ(r.service_flags, 1105);
  EXPECT_EQ(r.special_circumstances, 0x8000);  // the older u16 at 196 is not taken
  EXPECT_EQ(r.linked_id, 42);
  EXPECT_EQ(r.status, kActive);
  EXPECT_EQ(r.status_month, 0x35);
  EXPECT_EQ(r.status_year, 23);
  EXPECT_EQ(r.flags, 0x21);

  // Converted months: January and February of 2025 in slot 1, May and August..December of
  // 2024 in slot 0 (months after the working month), March of 2025 in slot 0 as well.
  for (int m : {0, 1, 2, 4, 7, 11}) {
    SCOPED_TRACE(m);
    const int s = m > kFeb ? 0 : 1;
    EXPECT_EQ(r.year_tag[m][s], kYears[m]);
    EXPECT_EQ(r.pioneer[m][s], 2);
    EXPECT_EQ(r.activity[kPlacements][m][s], 0xA34);
    EXPECT_EQ(r.activity[kVideos][m][s], 0x712);
    EXPECT_EQ(r.activity[kHours][m][s], 200);
    EXPECT_EQ(r.activity[kReturnVisits][m][s], 0x355);
    EXPECT_EQ(r.activity[kBibleStudies][m][s], 0x203F);
    EXPECT_EQ(r.credit[m][s], 77);
    EXPECT_EQ(r.year_tag[m][1 - s], 0);
    EXPECT_EQ(r.activity[kHours][m][1 - s], 0);
  }
  // April (this year, after today's month), June (22) and July (26) are not converted.
  for (int m : {3, 5, 6}) {
    SCOPED_TRACE(m);
    for (int s = 0; s < 3; ++s) {
      EXPECT_EQ(r.year_tag[m][s], 0);
      EXPECT_EQ(r.activity[kHours][m][s], 0);
      EXPECT_EQ(r.activity[kPlacements][m][s], 0);
      EXPECT_EQ(r.pioneer[m][s], 0);
      EXPECT_EQ(r.credit[m][s], 0);
    }
  }

  // The header: the working month collected (its year byte is the working year), the
  // quarter bytes and the init years of the converted months in slot year mod 2.
  const PubRecord& h = doc.header();
  EXPECT_EQ(FieldText(h.last_name), "A");
  EXPECT_EQ(static_cast<uint8_t>(h.other_phone[kFeb]), 2);
  EXPECT_EQ(h.activity[kBibleStudies][0][1], 0 << 12);
  EXPECT_EQ(h.activity[kBibleStudies][2][1], 2 << 12);
  EXPECT_EQ(h.activity[kBibleStudies][7][0], 3 << 12);
  EXPECT_EQ(h.remark[1][1], 25);
  EXPECT_EQ(h.remark[4][0], 24);
  EXPECT_EQ(h.remark[5][0], 0);
  EXPECT_EQ(h.year_tag[1][1], 25);
}

TEST(OlderRecords, WorkingMonthOfAnotherYearIsNotCollected) {
  TempDir dir;
  uint8_t years[12] = {25, 24, 24, 24, 24, 24, 24, 24, 24, 24, 24, 24};
  dir.Write(kOldFilePublishers7, Join({OlderHeader(years), OlderPublisher(101, "A", "B")}));
  CZarimDoc doc;
  Load(doc, dir);
  ASSERT_TRUE(doc.converted);
  EXPECT_EQ(doc.header().other_phone[kFeb], 0);
}

// Which folders are converted: the current table counts only from 401 bytes on.
struct DetectCase {
  const char* name;
  size_t current_size;  // 0: no tdat9.bin
  bool older;
  bool converted;
};

class OlderDetection : public ::testing::TestWithParam<DetectCase> {};

TEST_P(OlderDetection, ConvertsOnlyWithoutUsableCurrentTable) {
  const DetectCase& c = GetParam();
  TempDir dir;
  if (c.older) WriteOlderFolder(dir);
  if (c.current_size > 0) {
    Bytes table(c.current_size, 0);
    table[23] = 'A';  // the plain marker of the header record
    dir.Write(kFilePublishers, table);
  }
  CZarimDoc doc;
  Load(doc, dir);
  EXPECT_EQ(static_cast<bool>(doc.converted), c.converted);
  if (c.converted) {
    EXPECT_EQ(doc.count, 2);
  }
}

INSTANTIATE_TEST_SUITE_P(Folders, OlderDetection,
                         ::testing::Values(DetectCase{"OlderOnly", 0, true, true},
                                           DetectCase{"ShortCurrentBesideOlder", 400, true, true},
                                           DetectCase{"BothPresent", 2 * sizeof(PubRecord), true,
                                                      false},
                                           DetectCase{"CurrentOf401Bytes", 401, true, false},
                                           DetectCase{"NeitherPresent", 0, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OlderLists, EachListKeepsItsStatusAndAtMost300Records) {
  TempDir dir;
  WriteOlderFolder(dir);
  std::vector<OlderRecord> inactive;
  for (int i = 0; i < 305; ++i)
    inactive.push_back(OlderPublisher(static_cast<uint16_t>(1000 + i), "In", "Active"));
  dir.Write(kOldFileInactive7, Join(inactive));
  OlderRecord moved = OlderPublisher(201, "Mo", "Ved");
  moved.SetMonth(kFeb, kValues);
  dir.Write(kOldFileMoved7, Join({moved}));
  dir.Write(kOldFileNonPublishers7, Join({OlderPublisher(202, "Bible", "Student")}));
  // A cut final record is not a record.
  Bytes deleted = Join({OlderPublisher(203, "De", "Leted")});
  deleted.resize(deleted.size() + 100, 7);
  dir.Write(kOldFileDeleted7, deleted);
  CZarimDoc doc;
  Load(doc, dir);
  EXPECT_EQ(doc.count, 2 + 300 + 3);
  EXPECT_EQ(doc.CountStatus(kInactive), 300);
  EXPECT_EQ(doc.CountStatus(kMoved), 1);
  EXPECT_EQ(doc.CountStatus(kNonPublisher), 1);
  EXPECT_EQ(doc.CountStatus(kDeleted), 1);
  EXPECT_NE(doc.FindById(1299), nullptr);
  EXPECT_EQ(doc.FindById(1300), nullptr);
  EXPECT_EQ(doc.FindById(202)->status, kNonPublisher);
  const ConversionCounts& c = doc.conversion;
  EXPECT_EQ(c.people, (std::array<int, 5>{1, 300, 1, 1, 1}));
  // The months of the lists follow the same year tags.
  EXPECT_EQ(doc.FindById(201)->activity[kHours][kFeb][1], 200);
  EXPECT_EQ(doc.FindById(201)->status, kMoved);
}

TEST(OlderFiles, RemarksTotalsLateMarksAndMeetingsComeAcross) {
  TempDir dir;
  WriteOlderFolder(dir);
  dir.Write(kOldFileRemarks7,
            Join({OlderRemark("  first  ", 1, 101),    // January: this year's slot
                  OlderRemark("may note", 5, 101),     // May: after today's month, last year
                  OlderRemark("    ", 6, 101),         // empty: skipped
                  OlderRemark("nobody", 7, 555),       // no such publisher
                  OlderRemark("replaced", 1, 101)}));  // same cell: replaces "first"
  // spcards.dat: counter j of month m is m * 100 + j.
  Bytes totals(864, 0);
  for (int m = 0; m < 12; ++m)
    for (int j = 0; j < 36; ++j) {
      totals[(m * 36 + j) * 2] = static_cast<uint8_t>((m * 100 + j) & 0xFF);
      totals[(m * 36 + j) * 2 + 1] = static_cast<uint8_t>((m * 100 + j) >> 8);
    }
  dir.Write(kOldFileTotals7, totals);
  ASSERT_TRUE(MakeFolder(dir.File("Roll")) && MakeFolder(dir.File("Roll/Zr7_8")));
  Bytes before(864, 0);
  before[(7 * 36 + 3) * 2] = 99;  // August, counter 3
  before[(0 * 36 + 5) * 2] = 55;  // January, counter 5
  dir.Write("Roll/Zr7_8/spcards.dat", before);
  dir.Write(kOldFileOddMonths7, Join({OlderLateMark(101, 0, 2), OlderLateMark(101, 9, 8),
                                      OlderLateMark(777, 1, 3), OlderLateMark(101, 12, 1)}));
  // meeting.dat: a header record, the weekend meeting, the midweek meeting.
  Bytes meetings(3 * 224, 0);
  auto put = [&](int record, int month, int field, uint16_t v) {
    size_t at = record * 224 + 32 + month * 16 + field * 2;
    meetings[at] = static_cast<uint8_t>(v & 0xFF);
    meetings[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  put(1, kFeb, 0, 81);  // weekend, February, week 1
  put(1, kFeb, 7, 77);  // weekend, February, average
  put(2, 11, 5, 4);     // midweek, December (last year), number of meetings
  put(2, 11, 6, 300);   // midweek, December, total
  dir.Write(kOldFileMeetings7, meetings);

  CZarimDoc doc;
  Load(doc, dir);
  ASSERT_TRUE(doc.converted);
  const PubRecord* anna = doc.FindById(101);
  ASSERT_NE(anna, nullptr);
  // Remarks: January in slot 25 % 2, May (month byte 5 > today's month 3) in slot 0.
  ASSERT_NE(anna->remark[0][1], 0);
  EXPECT_EQ(FieldText(doc.remarks[anna->remark[0][1]].text), "replaced");
  ASSERT_NE(anna->remark[4][0], 0);
  EXPECT_EQ(FieldText(doc.remarks[anna->remark[4][0]].text), "may note");
  EXPECT_EQ(anna->remark[5][0] + anna->remark[5][1], 0);
  EXPECT_EQ(doc.conversion.remarks, 2);
  EXPECT_EQ(doc.remark_count, 3);

  // Totals: months up to February in slot 1, later months in slot 0; the year before's
  // file in slot (25 + 1) % 2 for January..July and 25 % 2 for August..December.
  EXPECT_EQ(doc.totals.value[0][7][1], 7);
  EXPECT_EQ(doc.totals.value[9][9][0], 909);
  EXPECT_EQ(doc.totals.value[7][3][1], 99);
  EXPECT_EQ(doc.totals.value[0][5][0], 55);

  // Late marks: slot (today's year, + 1 after the working month) % 2; unknown ids and
  // months out of range are skipped.
  EXPECT_EQ(anna->late[0][1], 2);
  EXPECT_EQ(anna->late[9][0], 8);
  EXPECT_EQ(doc.conversion.late_marks, 2);

  // Meetings: February in the working year's slot, December of last year in the other.
  EXPECT_EQ(doc.attendance[1].week[0][kFeb][1], 81);
  EXPECT_EQ(doc.attendance[1].average[kFeb][1], 77);
  EXPECT_EQ(doc.attendance[0].meetings[11][0], 4);
  EXPECT_EQ(doc.attendance[0].total[11][0], 300);
  EXPECT_TRUE(doc.conversion.meetings);
}

// Companion files that are there but empty hold nothing: the tables stay empty.
TEST(OlderFiles, EmptyCompanionFilesAreSkipped) {
  TempDir dir;
  WriteOlderFolder(dir);
  for (std::string_view name :
       {kOldFileInactive7, kOldFileMoved7, kOldFileNonPublishers7, kOldFileDeleted7,
        kOldFileRemarks7, kOldFileTotals7, kOldFileOddMonths7, kOldFileMeetings7})
    dir.Write(name, Bytes{});
  CZarimDoc doc;
  Load(doc, dir);
  ASSERT_TRUE(doc.converted);
  EXPECT_EQ(doc.count, 2);
  EXPECT_EQ(doc.remark_count, 1);
  EXPECT_EQ(doc.late_count, 0);
  EXPECT_EQ(doc.totals.value[0][0][1], 0);
  EXPECT_FALSE(doc.conversion.meetings);
}

TEST(OlderFiles, OlderGroupTableIsConvertedBesideCurrentTable) {
  TempDir dir;
  // A current folder: saved once from a converted older one.
  WriteOlderFolder(dir);
  {
    CZarimDoc doc;
    Load(doc, dir);
    ASSERT_TRUE(SaveAll(doc));
  }
  dir.Write(kFileGroups, OlderGroupTable({{"Zr9Gr Adams", "Baker", "Hall", "short", "10:00", 6},
                                          {"Cole", "", "Park 3", "", "9:30", 2}}));
  FixedClock clock(kToday);
  Congregation owner(nullptr);
  ASSERT_TRUE(testing::OpenOwner(owner, dir.path(), clock));
  CZarimDoc& doc = owner.doc();
  EXPECT_FALSE(doc.converted);
  EXPECT_FALSE(doc.modified);  // converted in every load, so nothing waits to be saved
  ASSERT_EQ(doc.groups.count, 2);
  EXPECT_EQ(FieldText(doc.groups.overseer[0]), "Zr9Gr Adams");
  EXPECT_EQ(FieldText(doc.groups.assistant[0]), "Baker");
  EXPECT_EQ(FieldText(doc.groups.location[0]), "Hall");
  EXPECT_EQ(FieldText(doc.groups.time[0]), "10:00");
  EXPECT_EQ(FieldText(doc.groups.name[0]), "");
  EXPECT_EQ(doc.groups.day[0], 6);
  EXPECT_EQ(FieldText(doc.groups.location[1]), "Park 3");
  EXPECT_EQ(doc.groups.day[1], 2);
  // A save keeps the older file as long as the groups are as it says; once they are
  // edited the current form is written, which loads without conversion.
  const Bytes older = dir.Read(kFileGroups);
  ASSERT_TRUE(owner.Save());
  EXPECT_EQ(dir.Read(kFileGroups), older);
  EditScope edit = owner.Edit();
  SetField(edit.doc().groups.location[1], "Park 4");
  edit.Commit();
  ASSERT_TRUE(owner.Save());
  EXPECT_EQ(FileSize(dir.File(kFileGroups)), sizeof(GroupTable));
  CZarimDoc again;
  Load(again, dir);
  EXPECT_FALSE(again.modified);
  EXPECT_EQ(FieldText(again.groups.overseer[0]), "Zr9Gr Adams");
  EXPECT_EQ(FieldText(again.groups.location[1]), "Park 4");
}

TEST(OlderFiles, SavedConversionLoadsAsCurrentData) {
  TempDir dir;
  WriteOlderFolder(dir);
  const Bytes older = dir.Read(kOldFilePublishers7);
  {
    CZarimDoc doc;
    Load(doc, dir);
    ASSERT_TRUE(SaveAll(doc));
  }
  EXPECT_EQ(dir.Read(kOldFilePublishers7), older);
  CZarimDoc doc;
  Load(doc, dir);
  EXPECT_FALSE(doc.converted);
  EXPECT_FALSE(doc.modified);
  ASSERT_NE(doc.FindById(101), nullptr);
  EXPECT_EQ(doc.FindById(101)->activity[kPlacements][4][0], 0xA34);
}

}  // namespace
}  // namespace zarim
