// Month initialization: the snapshot, the clearing of the month's slot only, pioneers
// carried forward, statuses ageing, the lists cut back and the collection states.
#include "cycle/month_init.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/catalog.h"
#include "core/data_files.h"
#include "core/file_names.h"
#include "core/store.h"
#include "cycle/collection.h"
#include "cycle/posting_list_form.h"
#include "cycle/roll.h"
#include "cycle/select_month_form.h"
#include "cycle/slip_form.h"
#include "cycle/status_moves.h"
#include "cycle/view_lists.h"
#include "month_init_fixture.h"

namespace zarim {
namespace {

using testing::MakePublisher;
using testing::MonthFolder;
using testing::SetModifiedYear;

std::string SnapshotFile(const MonthFolder& f, int n) {
  return f.dir.path() + "/Roll/Zr9_" + std::to_string(n) + "/tdat9.bin";
}

TEST(RollSnapshot, InitializingJanuaryTakesSnapshotTwelveOtherMonthsTheirOwnNumber) {
  struct Case {
    Date today;
    int month;
    int snapshot;
  };
  for (const Case& c : {Case{{2027, 2, 10}, 0, 12}, Case{{2026, 5, 10}, 3, 3},
                        Case{{2026, 10, 3}, 8, 8}, Case{{2026, 3, 12}, 1, 1}}) {
    MonthFolder f(c.today);
    f.Add(100);
    f.Save();
    InitializeMonth(f.doc, c.month, SlotOfYear(f.doc.working_year));
    SCOPED_TRACE(c.month);
    EXPECT_EQ(std::filesystem::file_size(SnapshotFile(f, c.snapshot)), 2u * sizeof(PubRecord));
    int other = c.snapshot == 12 ? 1 : c.snapshot + 1;
    EXPECT_FALSE(std::filesystem::exists(SnapshotFile(f, other)));
    EXPECT_TRUE(f.prompter.messages.empty());
  }
}

TEST(RollSnapshot, ASnapshotOfThisYearIsKeptOneOfAnEarlierYearReplaced) {
  MonthFolder f({2026, 5, 10});  // working month April 2026; initializing April takes 3
  f.Add(100);
  f.Save();
  std::filesystem::create_directories(f.dir.path() + "/Roll/Zr9_3");
  Bytes old(600, 0x5A);
  f.dir.Write("Roll/Zr9_3/tdat9.bin", old);

  SetModifiedYear(SnapshotFile(f, 3), 2026);
  EXPECT_TRUE(SnapshotTakenThisYear(f.doc, 3));
  EXPECT_EQ(TakeRollSnapshot(f.doc, 3), RollResult::kAlreadyTaken);
  EXPECT_EQ(f.dir.Read("Roll/Zr9_3/tdat9.bin"), old);

  SetModifiedYear(SnapshotFile(f, 3), 2025);
  EXPECT_FALSE(SnapshotTakenThisYear(f.doc, 3));
  EXPECT_EQ(TakeRollSnapshot(f.doc, 3), RollResult::kTaken);
  EXPECT_EQ(f.dir.Read("Roll/Zr9_3/tdat9.bin"), f.dir.Read("tdat9.bin"));
}

TEST(RollSnapshot, ASmallFileDoesNotCountAsTaken) {
  MonthFolder f({2026, 5, 10});
  f.Add(100);
  f.Save();
  std::filesystem::create_directories(f.dir.path() + "/Roll/Zr9_3");
  f.dir.Write("Roll/Zr9_3/tdat9.bin", Bytes(500, 1));
  EXPECT_FALSE(SnapshotTakenThisYear(f.doc, 3));
}

TEST(RollSnapshot, IsEnteredInTheCatalogWithTodaysDate) {
  MonthFolder f({2026, 5, 10});
  f.Add(100);
  f.Save();
  ASSERT_EQ(TakeRollSnapshot(f.doc, 3), RollResult::kTaken);
  EXPECT_NE(QueuedFile(f.doc, kBackupCatalogFile), nullptr);  // waits for the month's save
  f.Save();  // the entry is written with the month's data
  Catalog c = Catalog::Read(f.dir.path());
  EXPECT_EQ(c.entries()[0].label, "May 10 2026 (Roll)");
  EXPECT_EQ(c.entries()[0].path, f.dir.path() + "/Roll/Zr9_3");
  EXPECT_EQ(c.Usable().size(), 1u);
}

TEST(RollSnapshot, StaleFilesOfAYearAgoDoNotStayInTheSnapshot) {
  MonthFolder f({2026, 5, 10});
  f.Add(100);
  f.Save();
  std::filesystem::create_directories(f.dir.path() + "/Roll/Zr9_3");
  f.dir.Write("Roll/Zr9_3/tlt15.dat", Bytes(32, 7));
  ASSERT_EQ(TakeRollSnapshot(f.doc, 3), RollResult::kTaken);
  EXPECT_FALSE(std::filesystem::exists(f.dir.path() + "/Roll/Zr9_3/tlt15.dat"));
}

TEST(RollSnapshot, AnIncompleteSnapshotIsReportedOnceAndInitializationGoesOn) {
  MonthFolder f({2026, 5, 10});
  PubRecord& r = f.Add(100);
  r.activity[kHours][3][0] = 9;
  f.Save();
  // A data file that exists but cannot be read.
  std::filesystem::remove(f.dir.File("meetin9.dat"));
  std::filesystem::create_directory(f.dir.File("meetin9.dat"));
  InitializeMonth(f.doc, 3, 0);
  ASSERT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_NE(f.prompter.messages[0].find("Roll/Zr9_3"), std::string::npos);
  EXPECT_EQ(f.Rec(100).activity[kHours][3][0], 0);
  EXPECT_EQ(CollectionStateOf(f.doc, 3), MonthCollection::kOpen);
  // Not entered in the catalog: it cannot be restored.
  EXPECT_TRUE(Catalog::Read(f.dir.path()).Usable().empty());
}

class MonthInit : public ::testing::Test {
 protected:
  MonthInit() : f({2027, 2, 10}) {}  // working month January 2027: slot 1; December 2026 in slot 0
  void InitJanuary() { InitializeMonth(f.doc, 0, 1, MonthInitOptions{false}); }
  MonthFolder f;
};

TEST_F(MonthInit, ClearsOnlyTheCellsOfSlotP) {
  PubRecord& r = f.Add(100);
  for (int fld = 0; fld < 5; ++fld) {
    r.activity[fld][0][1] = static_cast<uint16_t>(10 + fld);
    r.activity[fld][0][0] = static_cast<uint16_t>(20 + fld);
    r.activity[fld][1][1] = static_cast<uint16_t>(30 + fld);
  }
  r.activity[kBibleStudies][0][1] = static_cast<uint16_t>(3 | kSharedBit | (2 << kQuarterShift));
  r.credit[0][1] = 5;
  r.credit[0][0] = 6;
  InitJanuary();
  const PubRecord& a = f.Rec(100);
  for (int fld = 0; fld < 5; ++fld) {
    EXPECT_EQ(a.activity[fld][0][1], 0) << fld;
    EXPECT_EQ(a.activity[fld][0][0], 20 + fld) << fld;
    EXPECT_EQ(a.activity[fld][1][1], 30 + fld) << fld;
  }
  EXPECT_EQ(a.credit[0][1], 0);
  EXPECT_EQ(a.credit[0][0], 6);
}

TEST_F(MonthInit, PioneersOfDecemberCarryIntoJanuary) {
  struct Case {
    int id;
    uint8_t december;
    bool continuous;
    uint8_t january;
  };
  const Case cases[] = {
      {100, kRegular, false, kRegular},     {101, kSpecial, false, kSpecial},
      {102, kAuxiliary, false, kPublisher}, {103, kAuxiliary, true, kAuxiliary},
      {104, kPublisher, true, kAuxiliary},  {105, kPublisher, false, kPublisher},
  };
  for (const Case& c : cases) {
    PubRecord& r = f.Add(c.id);
    r.pioneer[11][0] = c.december;  // December 2026
    r.pioneer[11][1] = kRegular;    // December 2025 must not count
    r.pioneer[0][1] = kRegular;     // January 2025's value is overwritten
    if (c.continuous) r.flags |= kContinuousAux;
  }
  f.doc.header().remark[0][1] = 25;  // the slot was last initialized for January 2025
  InitJanuary();
  for (const Case& c : cases) EXPECT_EQ(f.Rec(c.id).pioneer[0][1], c.january) << c.id;
}

TEST(MonthInitPioneers, ACodeSetForTheMonthBeingInitializedIsKept) {
  struct Case {
    int marker;  // the slot's year marker: 0 never initialized, 25 two years old
    uint8_t january, december, expected;
  };
  const Case cases[] = {
      {0, kRegular, kPublisher, kRegular},    {0, kAuxiliary, kPublisher, kAuxiliary},
      {27, kAuxiliary, kRegular, kAuxiliary}, {0, kPublisher, kRegular, kRegular},
      {25, kRegular, kPublisher, kPublisher},
  };
  for (const Case& c : cases) {
    MonthFolder f({2027, 2, 10});  // working month January 2027
    PubRecord& r = f.Add(100);
    r.pioneer[0][1] = c.january;
    r.pioneer[11][0] = c.december;
    f.doc.header().remark[0][1] = static_cast<uint16_t>(c.marker);
    InitializeMonth(f.doc, 0, 1, MonthInitOptions{false});
    EXPECT_EQ(f.Rec(100).pioneer[0][1], c.expected) << c.marker << " " << int{c.january};
    EXPECT_EQ(f.doc.header().remark[0][1], 27);
  }
}

TEST_F(MonthInit, InAnyOtherMonthThePreviousMonthIsInTheSameSlot) {
  MonthFolder g({2026, 8, 2});  // working July 2026, slot 0
  PubRecord& r = g.Add(100);
  r.pioneer[5][0] = kRegular;  // June 2026
  r.pioneer[5][1] = kPublisher;
  InitializeMonth(g.doc, 6, 0, MonthInitOptions{false});
  EXPECT_EQ(g.Rec(100).pioneer[6][0], kRegular);
}

TEST(MonthInitStatus, ANewPublisherOfMarchLosesTheStatusWhenSeptemberIsInitialized) {
  MonthFolder f({2026, 10, 2});  // working September 2026
  PubRecord& r = f.Add(100);
  r.status_month = 3 * 16 + 1;
  r.status_year = 3 * 16 + 1;
  r.status_stamp = static_cast<uint16_t>(Serial(26, 1));
  InitializeMonth(f.doc, 7, 0, MonthInitOptions{false});  // August: not yet
  EXPECT_EQ(f.Rec(100).status_month, 3 * 16 + 1);
  InitializeMonth(f.doc, 8, 0, MonthInitOptions{false});
  EXPECT_EQ(f.Rec(100).status_month, 0);
  EXPECT_EQ(f.Rec(100).status_stamp, Serial(26, 1));  // younger than 24 months
}

TEST(MonthInitStatus, StatusYearKeepsItsLowBitsAndOldStampsAreCleared) {
  MonthFolder f({2026, 5, 2});  // working April 2026 (serial 315)
  PubRecord& a = f.Add(100);
  a.status_year = 4 * 16 + 2;  // April with flag 2, status month elsewhere
  a.status_month = 1 * 16 + 2;
  PubRecord& b = f.Add(101);
  b.status_stamp = static_cast<uint16_t>(Serial(26, 3) - 25);
  b.status_year = 0x52;
  PubRecord& c = f.Add(102);
  c.status_stamp = static_cast<uint16_t>(Serial(26, 3) - 24);
  c.status_year = 0x52;
  InitializeMonth(f.doc, 3, 0, MonthInitOptions{false});
  EXPECT_EQ(f.Rec(100).status_year, 2);
  EXPECT_EQ(f.Rec(101).status_stamp, 0);
  EXPECT_EQ(f.Rec(101).status_year, 0);
  EXPECT_EQ(f.Rec(102).status_stamp, Serial(26, 3) - 24);
  EXPECT_EQ(f.Rec(102).status_year, 0x52);
}

TEST_F(MonthInit, RemarksOfTheMonthAreEmptiedAndTheRemarkFileWritten) {
  PubRecord& r = f.Add(100);
  f.doc.remark_count = 3;
  SetField(f.doc.remarks[1].text, "old January");
  f.doc.remarks[1].month = 1;
  f.doc.remarks[1].slot = 1;
  f.doc.remarks[1].id = 100;
  SetField(f.doc.remarks[2].text, "January a year before");
  f.doc.remarks[2].month = 1;
  f.doc.remarks[2].slot = 0;
  f.doc.remarks[2].id = 100;
  r.remark[0][1] = 1;
  r.remark[0][0] = 2;
  InitJanuary();
  EXPECT_EQ(f.Rec(100).remark[0][1], 0);
  EXPECT_EQ(f.Rec(100).remark[0][0], 2);
  EXPECT_EQ(FieldText(f.doc.remarks[1].text), "");
  f.Save();  // the remark file is written by the save, with the month's data
  Bytes file = f.dir.Read("remark9.dat");
  ASSERT_GE(file.size(), 2 * sizeof(RemarkEntry));
  std::string all(file.begin(), file.end());
  EXPECT_EQ(all.find("old January"), std::string::npos);
  EXPECT_NE(all.find("January a year before"), std::string::npos);
}

TEST_F(MonthInit, OtherStatusesHaveTheirCellsCleared) {
  PubRecord& np = f.Add(100, kNonPublisher);
  np.activity[kHours][0][1] = 4;
  np.credit[0][1] = 2;
  np.pioneer[0][1] = kRegular;
  PubRecord& del = f.Add(101, kDeleted);
  del.activity[kHours][0][1] = 4;
  del.pioneer[0][1] = kRegular;
  PubRecord& mv = f.Add(102, kMoved);
  mv.status_month = 5 * 16;
  mv.activity[kHours][0][1] = 4;
  mv.pioneer[0][1] = kRegular;
  InitJanuary();
  EXPECT_EQ(f.Rec(100).activity[kHours][0][1], 0);
  EXPECT_EQ(f.Rec(100).credit[0][1], 0);
  EXPECT_EQ(f.Rec(100).pioneer[0][1], kRegular);  // a Bible student keeps the code
  EXPECT_EQ(f.Rec(101).activity[kHours][0][1], 0);
  EXPECT_EQ(f.Rec(101).pioneer[0][1], 0);
  EXPECT_EQ(f.Rec(102).activity[kHours][0][1], 0);
}

TEST_F(MonthInit, HeaderStateAttendanceAndCollection) {
  f.Add(100);
  f.doc.resume_id = 100;
  f.doc.late_count = 3;
  f.doc.header().other_phone[5] = 2;
  f.doc.header().other_phone[1] = 1;
  AttendanceBlock& a = f.doc.attendance[0];
  a.week[0][0][2] = 77;  // typed ahead for January
  a.total[0][2] = 150;
  a.week[0][1][2] = 55;  // typed ahead for another month: dropped
  a.week[0][0][0] = 12;  // last year's January stays
  InitJanuary();
  EXPECT_EQ(f.doc.resume_id, 0);
  EXPECT_EQ(f.doc.late_count, 0);
  EXPECT_EQ(a.week[0][0][1], 77);
  EXPECT_EQ(a.total[0][1], 150);
  EXPECT_EQ(a.week[0][1][2], 0);
  EXPECT_EQ(a.week[0][0][0], 12);
  for (int m = 0; m < 12; ++m)
    EXPECT_EQ(CollectionStateOf(f.doc, m),
              m == 0 ? MonthCollection::kOpen : MonthCollection::kNotInitialized);
}

TEST(MonthInitYearMarker, DecemberInitializedInJanuaryBelongsToLastYear) {
  struct Case {
    Date today;
    int month;
    int slot;
    int marker;
  };
  for (const Case& c : {Case{{2027, 1, 10}, 11, 0, 26}, Case{{2027, 2, 3}, 11, 0, 26},
                        Case{{2026, 12, 27}, 11, 0, 26}, Case{{2026, 5, 3}, 3, 0, 26}}) {
    MonthFolder f(c.today);
    f.Add(100);
    InitializeMonth(f.doc, c.month, c.slot, MonthInitOptions{false});
    EXPECT_EQ(f.doc.header().remark[c.month][c.slot], c.marker) << c.today.month;
  }
}

TEST(MonthInitLists, MovedPublishersAreKeptTwelveMonths) {
  MonthFolder f({2026, 5, 10});              // initialize April
  f.Add(100, kMoved).status_month = 4 * 16;  // moved last April: gone
  f.Add(101, kMoved).status_month = 5 * 16;  // moved last May: stays
  f.Add(102).status_month = 4 * 16;
  InitializeMonth(f.doc, 3, 0, MonthInitOptions{false});
  EXPECT_EQ(f.doc.FindById(100), nullptr);
  EXPECT_NE(f.doc.FindById(101), nullptr);
  EXPECT_NE(f.doc.FindById(102), nullptr);
  EXPECT_EQ(f.doc.count, 3);

  // A move recorded for the working month before it is initialized is counted from
  // that month: kept now, gone when April is initialized a year later.
  int r = f.doc.RecordNumberById(102);
  ASSERT_EQ(MoveOut(f.doc, r,
                    [](SelectMonthForm& form) {
                      form.set_month_index(3);
                      return true;
                    }),
            MoveResult::kDone);
  InitializeMonth(f.doc, 3, 0, MonthInitOptions{false});
  EXPECT_NE(f.doc.FindById(102), nullptr);
  f.doc.working_year = 27;
  f.doc.working_serial = static_cast<uint16_t>(Serial(27, 3));
  InitializeMonth(f.doc, 3, 1, MonthInitOptions{false});
  EXPECT_EQ(f.doc.FindById(102), nullptr);
}

TEST(MonthInitLists, TheInactiveListIsCutBackToTwoHundredFiftyOldestFirst) {
  MonthFolder f({2026, 5, 10});
  // 290 inactive: 20 of 2019 (month 7), 20 of 2019 (month 3), the rest of 2026.
  for (int i = 0; i < 290; ++i) {
    PubRecord r = MakePublisher(1000 + i, "In", "Active" + std::to_string(i), kInactive);
    if (i < 20) {
      r.status_year = 19;
      r.status_month = 7 * 16;
    } else if (i < 40) {
      r.status_year = 19;
      r.status_month = 3 * 16;
    } else if (i == 40) {
      r.status_year = 240;  // 1984: older than every 2000s year
      r.status_month = 12 * 16;
    } else {
      r.status_year = 26;
      r.status_month = 1 * 16;
    }
    f.doc.records[f.doc.count++] = r;
  }
  RefreshDerivedState(f.doc);
  InitializeMonth(f.doc, 3, 0, MonthInitOptions{false});
  EXPECT_EQ(f.doc.CountStatus(kInactive), 250);
  EXPECT_EQ(f.doc.FindById(1040), nullptr);  // 1984 went first
  int kept_2019_march = 0, kept_2019_july = 0;
  for (int r = 1; r < f.doc.count; ++r) {
    const PubRecord& rec = f.doc.records[r];
    if (rec.status_year == 19) ++((rec.status_month >> 4) == 3 ? kept_2019_march : kept_2019_july);
  }
  EXPECT_EQ(kept_2019_march, 0);
  EXPECT_EQ(kept_2019_july, 1);  // 1 + 20 + 19 = 40 removed
}

TEST(MonthInitLists, CuttingStopsWhenOnlyThisYearsRemain) {
  MonthFolder f({2026, 5, 10});
  for (int i = 0; i < 285; ++i) {
    PubRecord r = MakePublisher(1000 + i, "In", "Active" + std::to_string(i), kInactive);
    r.status_year = i < 5 ? 25 : 26;
    r.status_month = 2 * 16;
    f.doc.records[f.doc.count++] = r;
  }
  RefreshDerivedState(f.doc);
  InitializeMonth(f.doc, 3, 0, MonthInitOptions{false});
  EXPECT_EQ(f.doc.CountStatus(kInactive), 280);
}

TEST(MonthInitLists, InactiveAndDeletedOfTheMonthLoseTheirCells) {
  MonthFolder f({2026, 5, 10});  // initialize April, slot 0
  PubRecord& in = f.Add(100, kInactive);
  in.status_year = 24;  // parity 0
  in.status_month = 4 * 16;
  in.activity[kHours][3][0] = 5;
  in.pioneer[3][0] = kRegular;
  in.credit[3][0] = 3;
  PubRecord& in_odd = f.Add(101, kInactive);
  in_odd.status_year = 25;  // parity 1: untouched
  in_odd.status_month = 4 * 16;
  in_odd.activity[kHours][3][0] = 5;
  PubRecord& del = f.Add(102, kDeleted);
  del.status_stamp = static_cast<uint16_t>(((2025 - 1950) << 8) | 4);
  del.status_month = 4 * 16;
  del.activity[kHours][3][0] = 5;
  InitializeMonth(f.doc, 3, 0, MonthInitOptions{false});
  EXPECT_EQ(f.Rec(100).activity[kHours][3][0], 0);
  EXPECT_EQ(f.Rec(100).pioneer[3][0], 0);
  EXPECT_EQ(f.Rec(100).credit[3][0], 0);
  EXPECT_EQ(f.Rec(101).activity[kHours][3][0], 5);
  EXPECT_EQ(f.Rec(102).activity[kHours][3][0], 0);
  EXPECT_EQ(f.Rec(102).status_month, 0);
  EXPECT_EQ(f.Rec(102).status_year, 25);  // May is not before April: year - 1
}

TEST(MonthInitQuarters, LeftoverQuartersOfThePreviousMonthAreDropped) {
  MonthFolder f({2027, 2, 10});  // initialize January 2027 slot 1; December 2026 is slot 0
  f.Add(100);
  f.doc.totals.value[11][7][0] = 7;
  f.doc.totals.value[11][7][1] = 3;  // the other year's December stays
  f.doc.header().activity[kBibleStudies][0][1] = static_cast<uint16_t>(0x3000 | 5);
  InitializeMonth(f.doc, 0, 1, MonthInitOptions{false});
  EXPECT_EQ(f.doc.totals.value[11][7][0], 4);
  EXPECT_EQ(f.doc.totals.value[11][7][1], 3);
  EXPECT_EQ(f.doc.header().activity[kBibleStudies][0][1], 5);
}

TEST(Collection, CloseReopenAndStatusText) {
  MonthFolder f({2026, 5, 10});
  f.Add(100);
  EXPECT_EQ(WorkingMonthStatusText(f.doc), "  Working Month = April 2026");
  OpenOnlyMonth(f.doc, 3);
  CloseCollection(f.doc);
  EXPECT_EQ(CollectionStateOf(f.doc, 3), MonthCollection::kClosed);
  f.doc.header().other_phone[5] = 2;
  ResetMonthAfterNext(f.doc);
  EXPECT_EQ(CollectionStateOf(f.doc, 5), MonthCollection::kNotInitialized);
}

// The desktop's month lists, slips and captions name the year of each month: the twelve
// months that end with the working month reach back into the year before.
TEST(Collection, MonthsTheDesktopShowsNameTheirYear) {
  MonthFolder f({2026, 2, 10});  // working January 2026
  f.Add(100);
  const std::vector<std::string> months = SelectMonthForm(f.doc, {}, false).months();
  ASSERT_EQ(months.size(), 12u);
  EXPECT_EQ(months[0], "January 2026");
  EXPECT_EQ(months[1], "February 2025");
  EXPECT_EQ(months[11], "December 2025");
  // With a year list beside it, the month list names the months only.
  EXPECT_EQ(SelectMonthForm(f.doc, {}, true).months()[1], "February");

  SlipForm slip(f.doc, f.doc.RecordNumberById(100));
  EXPECT_EQ(slip.MonthText(), "January 2026");
  EXPECT_EQ(slip.MonthChoices()[11], "December 2025");
  ViewListForm view(f.doc, ViewType::kNoReport);
  EXPECT_EQ(view.ThirdEntries()[11], "December 2025");

  EXPECT_EQ(WorkingMonthStatusText(f.doc), "  Working Month = January 2026");
  EXPECT_EQ(PostingListForm(f.doc).ImportCaption(), "Add January 2026 reports from ->");
}

}  // namespace
}  // namespace zarim
