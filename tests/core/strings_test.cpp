// The string table: numbers are unique and the formatting helpers fill placeholders.
#include "core/strings.h"

#include <gtest/gtest.h>

#include <set>

namespace zarim {
namespace {

TEST(StringTable, EveryNumberIsUsedOnce) {
  std::set<int> seen;
  for (int i = 0; i < StringCount(); ++i)
    EXPECT_TRUE(seen.insert(StringNumberAt(i)).second) << StringNumberAt(i);
}

TEST(StringTable, NumberedTextsKeepTheirNumbers) {
  EXPECT_EQ(StrByNumber(3), "January");
  EXPECT_EQ(StrByNumber(14), "December");
  EXPECT_EQ(StrByNumber(1203), "Jan");
  EXPECT_EQ(StrByNumber(1032), "Out of Space for Remarks");
  EXPECT_EQ(StrByNumber(1198), "eng");
  EXPECT_EQ(Str(Sid::kSharedInMinistry), "Shared\u00a0in Ministry");
  EXPECT_TRUE(StrByNumber(999999).empty());
}

TEST(StringTable, FillReplacesBothPlaceholdersAndLeavesOtherPercents) {
  EXPECT_EQ(Fill("%1 and %2", "a", "b"), "a and b");
  EXPECT_EQ(Fill("100% of %1", "x"), "100% of x");
  EXPECT_EQ(Fill(Sid::kUnableToCreateFile, "/d/tdat9.bin").substr(0, 36),
            "Unable to create new file: /d/tdat9.");
  EXPECT_EQ(Printf("%s %d", "Jan", 5), "Jan 5");
}

}  // namespace
}  // namespace zarim
