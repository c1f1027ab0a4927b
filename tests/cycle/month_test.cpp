// Month arithmetic over every month of several years: serials, slots, the slot flip when
// walking back over January, the service year and the month numbers of snapshots.
#include "core/month.h"

#include <gtest/gtest.h>

namespace zarim {
namespace {

constexpr int kFirstYear = 18;  // 2018
constexpr int kLastYear = 31;   // 2031

TEST(MonthArithmetic, SerialRoundTripsForEveryMonth) {
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    for (int m = 0; m < 12; ++m) {
      int serial = Serial(y, m);
      SCOPED_TRACE(serial);
      EXPECT_EQ(MonthOfSerial(serial), m);
      EXPECT_EQ(YearOfSerial(serial), y);
      EXPECT_EQ(SlotOfSerial(serial), y % 2);
      EXPECT_EQ(MonthOfSerial(serial + 1), (m + 1) % 12);
      EXPECT_EQ(YearOfSerial(serial - 1), m == 0 ? y - 1 : y);
    }
  }
}

// The slot of month k among the twelve months that end with the working month is the
// parity of the calendar year that month really falls in.
TEST(MonthArithmetic, SlotInWorkingYearMatchesTheRealYearOfEachMonth) {
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    for (int w = 0; w < 12; ++w) {
      int w_serial = Serial(y, w);
      for (int k = 0; k < 12; ++k) {
        int real_serial = w_serial - ((w - k + 12) % 12);
        SCOPED_TRACE(::testing::Message() << "working " << w_serial << " month " << k);
        EXPECT_EQ(SlotInWorkingYear(k, w, y), SlotOfSerial(real_serial));
        EXPECT_EQ(YearInWorkingYear(k, w, y), YearOfSerial(real_serial));
      }
    }
  }
}

TEST(MonthArithmetic, WalkingBackFlipsTheSlotOnlyFromJanuaryToDecember) {
  for (int serial = Serial(kFirstYear + 2, 0); serial <= Serial(kLastYear, 11); ++serial) {
    MonthCursor c = CursorAt(serial);
    for (int k = 1; k <= 24; ++k) {
      int before_month = c.month;
      int before_slot = c.slot;
      c.Back();
      SCOPED_TRACE(::testing::Message() << serial << " back " << k);
      EXPECT_EQ(c.serial(), serial - k);
      EXPECT_EQ(c.slot, SlotOfSerial(serial - k));
      EXPECT_EQ(c.slot != before_slot, before_month == 0);
      EXPECT_EQ(PreviousMonth(before_month), c.month);
      EXPECT_EQ(PreviousMonthSlot(before_month, before_slot), c.slot);
    }
    MonthCursor d = CursorMonthsBack(serial, 7);
    EXPECT_EQ(d.serial(), serial - 7);
    EXPECT_EQ(d.slot, SlotOfSerial(serial - 7));
  }
}

TEST(MonthArithmetic, ServiceYearRunsFromSeptemberToAugust) {
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    for (int m = 0; m < 12; ++m) {
      int serial = Serial(y, m);
      SCOPED_TRACE(serial);
      int expected_year = m >= 8 ? y + 1 : y;
      EXPECT_EQ(ServiceYear(2000 + y, m), 2000 + expected_year);
      EXPECT_EQ(ServiceYearOfSerial(serial), expected_year);
      int start = ServiceYearStartSerial(serial);
      EXPECT_EQ(MonthOfSerial(start), 8);
      EXPECT_LE(start, serial);
      EXPECT_GT(start, serial - 12);
      EXPECT_EQ(MonthsIntoServiceYear(serial), (m + 4) % 12 + 1);
    }
  }
}

struct NamedMonthCase {
  int month;
  int snapshot;    // folder number taken when the month is initialized
  int six_before;  // 1-based month six months earlier
  const char* name;
};

TEST(MonthArithmetic, SnapshotAndSixMonthNumbers) {
  const NamedMonthCase cases[] = {
      {0, 12, 7, "January"}, {1, 1, 8, "February"},   {2, 2, 9, "March"},
      {3, 3, 10, "April"},   {4, 4, 11, "May"},       {5, 5, 12, "June"},
      {6, 6, 1, "July"},     {7, 7, 2, "August"},     {8, 8, 3, "September"},
      {9, 9, 4, "October"},  {10, 10, 5, "November"}, {11, 11, 6, "December"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SnapshotNumber(c.month), c.snapshot);
    EXPECT_EQ(SixMonthsBefore(c.month), c.six_before);
    EXPECT_EQ(MonthName(c.month), c.name);
  }
  EXPECT_EQ(ShortMonthName(11), "Dec");
  EXPECT_EQ(MonthsBefore(2, 6), 8);
  EXPECT_EQ(MonthsBefore(0, 13), 11);
}

TEST(MonthArithmetic, JanuaryAndSeptemberEdges) {
  // January 2027: the month before is December 2026 in the other slot.
  int jan = Serial(27, 0);
  EXPECT_EQ(SlotOfSerial(jan), 1);
  EXPECT_EQ(PreviousMonth(0), 11);
  EXPECT_EQ(PreviousMonthSlot(0, 1), 0);
  EXPECT_EQ(YearOfSerial(jan - 1), 26);
  // September 2026 starts service year 2027; August 2026 ends 2026.
  EXPECT_EQ(ServiceYearOfSerial(Serial(26, 8)), 27);
  EXPECT_EQ(ServiceYearOfSerial(Serial(26, 7)), 26);
  EXPECT_EQ(ServiceYearStartSerial(Serial(27, 7)), Serial(26, 8));
}

}  // namespace
}  // namespace zarim
