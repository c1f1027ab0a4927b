// The document's shared operations: lookups, counts, the index, late reports, the
// working month and the order of names.
#include "core/document.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/strings.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::ScriptedPrompter;

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::StartEmpty(doc, Date{2025, 3, 10}, "."); }
  ScriptedPrompter prompter;
  CZarimDoc doc{&prompter};
};

TEST_F(DocumentTest, EmptyDocumentHasOnlyTheHeader) {
  EXPECT_EQ(doc.count, 1);
  EXPECT_EQ(FieldText(doc.header().first_name), " ");
  EXPECT_EQ(FieldText(doc.header().last_name), "A");
  for (int s = 0; s <= kCircuitOverseer; ++s) EXPECT_EQ(doc.CountStatus(s), 0);
  EXPECT_EQ(doc.index_count, 0);
}

// The tables start on zeroed memory that the allocator does not touch again: that is right
// only while making an empty element on zero bytes leaves them all zero.
template <class... T>
bool EmptyElementsAreZero() {
  const auto zero = []<class U>(U*) {
    alignas(U) uint8_t bytes[sizeof(U)] = {};
    ::new (static_cast<void*>(bytes)) U();
    return std::all_of(bytes, bytes + sizeof bytes, [](uint8_t b) { return b == 0; });
  };
  return (zero(static_cast<T*>(nullptr)) && ...);
}

TEST(DocumentTables, EmptyElementsAreAllZeroBytes) {
  EXPECT_TRUE(
      (EmptyElementsAreZero<PubRecord, PubIndexEntry, ExtIndexEntry, KeyRef, HouseholdUndoEntry,
                            AppointmentRecord, RemarkEntry, LateReportEntry>()));
  CZarimDoc fresh;
  EXPECT_EQ(fresh.records[kMaxRecords - 1].id, 0);
  EXPECT_EQ(fresh.lists[4][kMaxStatusList - 1].rec, 0);
}

TEST_F(DocumentTest, WorkingMonthIsTheMonthBeforeToday) {
  struct Case {
    Date today;
    int month, year;
  } cases[] = {{{2025, 3, 10}, 1, 25},
               {{2025, 1, 31}, 11, 24},
               {{2024, 12, 1}, 10, 24},
               {{2023, 10, 5}, 8, 23}};
  for (const auto& c : cases) {
    doc.SetToday(c.today);
    EXPECT_EQ(doc.working_month, c.month) << c.today.year << "-" << c.today.month;
    EXPECT_EQ(doc.working_year, c.year);
    EXPECT_EQ(doc.working_serial, c.year * 12 + c.month);
  }
  doc.SetToday({2023, 10, 5});
  EXPECT_EQ(doc.new_report_form, 0);  // September 2023 is the old form
  doc.SetToday({2023, 11, 5});
  EXPECT_EQ(doc.new_report_form, 1);
}

TEST_F(DocumentTest, ActivityValueMasksTheStudiesCell) {
  PubRecord& r = AddRecord(doc, MakePublisher(20, "Ann", "Lee"));
  // 7 hours 30 minutes: 7 in the hours cell, quarter code 2 in bits 12-15.
  r.activity[kHours][1][1] = 7;
  r.activity[kBibleStudies][1][1] = static_cast<uint16_t>((2 << kQuarterShift) | kSharedBit | 3);
  int rec = doc.RecordNumberById(20);
  EXPECT_EQ(doc.ActivityValue(rec, 1, kHours, 1), 7);
  EXPECT_EQ(doc.ActivityValue(rec, 1, kBibleStudies, 1), 3);
  EXPECT_EQ(doc.ActivityValue(rec, 1, 5, 1), 0);
  EXPECT_TRUE(HasReported(r, 1, 1));
  EXPECT_FALSE(HasReported(r, 2, 1));
  // 1024 studies do not fit the ten bits.
  r.activity[kBibleStudies][2][1] = static_cast<uint16_t>(1024 & kStudiesMask);
  EXPECT_EQ(doc.ActivityValue(rec, 2, kBibleStudies, 1), 0);
}

TEST_F(DocumentTest, LookupsIgnoreIdentifiersBelowTen) {
  AddRecord(doc, MakePublisher(9, "Low", "Id"));
  AddRecord(doc, MakePublisher(10, "Ten", "Id"));
  EXPECT_EQ(doc.FindById(9), nullptr);
  ASSERT_NE(doc.FindById(10), nullptr);
  EXPECT_EQ(doc.RecordNumberById(10), 2);
  EXPECT_EQ(doc.NextFreeId(10), 11);
  EXPECT_EQ(doc.NextFreeId(9), 11);
}

TEST_F(DocumentTest, StatusListsFollowTheRecords) {
  AddRecord(doc, MakePublisher(10, "A", "One"));
  AddRecord(doc, MakePublisher(11, "B", "Two", kInactive));
  AddRecord(doc, MakePublisher(12, "C", "Three", kNonPublisher));
  AddRecord(doc, MakePublisher(13, "D", "Four"));
  EXPECT_EQ(doc.status_count[kActive], 2);
  EXPECT_EQ(doc.lists[kActive][0].id, 10);
  EXPECT_EQ(doc.lists[kActive][1].id, 13);
  EXPECT_EQ(doc.lists[kInactive][0].id, 11);
  EXPECT_EQ(doc.lists[kNonPublisher][0].rec, 3);
  EXPECT_EQ(doc.Phone(1, 0, CZarimDoc::PhoneKind::kHome), "");
}

TEST_F(DocumentTest, DuplicateCircuitOverseerIsReportedOncePerRebuild) {
  AddRecord(doc, MakePublisher(30003, "Co", "One", kCircuitOverseer));
  prompter.messages.clear();
  AddRecord(doc, MakePublisher(30004, "Co", "Two", kCircuitOverseer));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], Str(Sid::kDuplicateCo));
  EXPECT_EQ(doc.co_record, 2u);  // the later record is kept
}

TEST_F(DocumentTest, RepairGivesDuplicatesAFreshIdentifier) {
  AddRecord(doc, MakePublisher(15, "A", "One"));
  AddRecord(doc, MakePublisher(15, "B", "Two"));
  EXPECT_TRUE(doc.RepairIdentifiers());
  EXPECT_EQ(doc.records[1].id, 15);
  EXPECT_EQ(doc.records[2].id, 100);
  EXPECT_FALSE(doc.RepairIdentifiers());  // nothing left to repair
}

TEST_F(DocumentTest, PhonePrefersMobileOnlyWhenHomeIsEmpty) {
  PubRecord p = MakePublisher(10, "A", "One");
  SetField(p.mobile_phone, "555-1");
  AddRecord(doc, p);
  EXPECT_EQ(doc.PreferredPhone(0, 1), "555-1");
  SetField(doc.records[1].home_phone, "555-2");
  EXPECT_EQ(doc.PreferredPhone(0, 1), "555-2");
}

TEST_F(DocumentTest, LateListComesBackInTheSameWorkingMonthOnly) {
  // Working month February 2025: a late report for January posted now.
  PubRecord& r = AddRecord(doc, MakePublisher(20, "Ann", "Lee"));
  r.activity[kHours][0][1] = 5;
  doc.late[0] = LateReportEntry{20, 0, static_cast<uint8_t>(doc.working_month + 1)};
  doc.late_count = 1;
  doc.StoreLateMarkers();
  EXPECT_EQ(doc.records[1].late[0][1], 2);
  doc.late_count = 0;
  doc.BuildLateList();
  ASSERT_EQ(doc.late_count, 1);
  EXPECT_EQ(doc.late[0].id, 20);
  EXPECT_EQ(doc.late[0].month, 0);
  // A month later the marker no longer matches.
  doc.SetToday({2025, 4, 2});
  doc.BuildLateList();
  EXPECT_EQ(doc.late_count, 0);
}

TEST_F(DocumentTest, LateReportsOfElevenMonthsBackComeBack) {
  // Working month February 2025: late reports for March 2024 (eleven months back) and
  // August 2024 (six) are both rebuilt.
  AddRecord(doc, MakePublisher(20, "Ann", "Lee"));
  const uint8_t mark = static_cast<uint8_t>(doc.working_month + 1);
  doc.late[0] = LateReportEntry{20, 2, mark};
  doc.late[1] = LateReportEntry{20, 7, mark};
  doc.late_count = 2;
  doc.StoreLateMarkers();
  doc.late_count = 0;
  doc.BuildLateList();
  ASSERT_EQ(doc.late_count, 2);
  EXPECT_EQ(doc.late[0].month + doc.late[1].month, 2 + 7);
}

TEST_F(DocumentTest, LateMarkerOfDecemberUsesThePreviousYearsSlot) {
  doc.SetToday({2025, 2, 3});  // working month January 2025
  AddRecord(doc, MakePublisher(20, "Ann", "Lee"));
  doc.late[0] = LateReportEntry{20, 11, 1};
  doc.late_count = 1;
  doc.StoreLateMarkers();
  EXPECT_EQ(doc.records[1].late[11][0], 1);  // December 2024: slot 0
  doc.BuildLateList();
  EXPECT_EQ(doc.late_count, 1);
}

TEST_F(DocumentTest, ResumeIdentifierIsIgnoredAfterTheMonthChanged) {
  doc.resume_id = 42;
  StoreResumeId(doc);
  doc.resume_id = 0;
  RestoreResumeId(doc);
  EXPECT_EQ(doc.resume_id, 42);
  doc.SetToday({2025, 4, 10});
  RestoreResumeId(doc);
  EXPECT_EQ(doc.resume_id, 0);
}

TEST_F(DocumentTest, DisplayNamesAndHungarianOrder) {
  PubRecord p = MakePublisher(10, "Anna",
                              "Kov\xE1"
                              "cs");
  EXPECT_EQ(doc.DisplayName(p, false),
            "Anna Kov\xE1"
            "cs");
  EXPECT_EQ(doc.DisplayName(p, true),
            "Kov\xE1"
            "cs, Anna");
  EXPECT_EQ(doc.SortName(p),
            "Kov\xE1"
            "cs, Anna");
  doc.language_code = "hun";
  EXPECT_EQ(doc.SortName(p),
            "Kov\xE1"
            "cs Anna");
  doc.options.sort_first_name = 1;
  EXPECT_EQ(doc.SortName(p),
            "Anna Kov\xE1"
            "cs");
}

TEST_F(DocumentTest, PlacingIgnoresCaseAndBlanksAndPutsTheOverseerLast) {
  PubRecord a = MakePublisher(10, "ann", "lee");
  PubRecord b = MakePublisher(11, "Ann ", "LEE");
  EXPECT_EQ(doc.ComparePlacing(a, b), 0);
  PubRecord co = MakePublisher(30003, "Aaron", "Aaa", kCircuitOverseer);
  EXPECT_GT(doc.ComparePlacing(co, a), 0);
  EXPECT_LT(doc.ComparePlacing(a, co), 0);
  // Accents count at secondary strength.
  PubRecord e1 = MakePublisher(12, "Rene", "X");
  PubRecord e2 = MakePublisher(13, "Ren\xE9", "X");
  EXPECT_NE(doc.ComparePlacing(e1, e2), 0);
}

TEST_F(DocumentTest, SortKeepsEqualNamesInTheirOrder) {
  AddRecord(doc, MakePublisher(30003, "Co", "Aaa", kCircuitOverseer));
  AddRecord(doc, MakePublisher(12, "Bob", "smith"));
  AddRecord(doc, MakePublisher(13, "Al", "Jones"));
  AddRecord(doc, MakePublisher(14, "bob", "Smith"));
  AddRecord(doc, MakePublisher(15, "\xC9mile", "Zola"));
  doc.SortRecords();
  std::vector<int> ids;
  for (int r = 1; r < doc.count; ++r) ids.push_back(doc.records[r].id);
  EXPECT_EQ(ids, (std::vector<int>{13, 12, 14, 15, 30003}));
}

}  // namespace
}  // namespace zarim
