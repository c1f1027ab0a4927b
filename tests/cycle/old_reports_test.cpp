// "View Old Reports": the items and their mask, the save question, the read-only
// snapshot in place of the current data, and the return.
#include "cycle/old_reports.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/data_files.h"
#include "cycle/month_init.h"
#include "cycle/roll.h"
#include "month_init_fixture.h"

namespace zarim {
namespace {

using testing::MonthFolder;

// A folder whose March snapshot holds 5 hours for publisher 100, the current data 9.
class OldReports : public ::testing::Test {
 protected:
  OldReports() : f({2026, 5, 10}) {  // working April 2026
    PubRecord& r = f.Add(100);
    r.activity[kHours][2][0] = 5;
    f.Save();
    TakeRollSnapshot(f.doc, 3);  // snapshot 3 (March)
    f.Rec(100).activity[kHours][2][0] = 9;
    f.Save();
  }
  MonthFolder f;
};

TEST_F(OldReports, ItemsNameTheSixMonthsBeforeAndOnlyThoseWithASnapshotAreEnabled) {
  OldReportsViewer viewer(f.doc, f.owner);
  viewer.RefreshMask();
  EXPECT_EQ(f.doc.history_month_mask, 1u << 1);
  EXPECT_TRUE(viewer.MenuShown());
  auto items = viewer.Items();
  ASSERT_EQ(items.size(), 6u);
  const char* names[] = {"March 2026",    "February 2026", "January 2026",
                         "December 2025", "November 2025", "October 2025"};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(items[k].caption, names[k]);
    EXPECT_EQ(items[k].enabled, k == 0);
  }
  EXPECT_FALSE(viewer.View(2));
}

TEST_F(OldReports, NoSnapshotRemovesTheMenu) {
  std::filesystem::remove_all(f.dir.path() + "/Roll");
  OldReportsViewer viewer(f.doc, f.owner);
  viewer.RefreshMask();
  EXPECT_EQ(f.doc.history_month_mask, 0u);
  EXPECT_FALSE(viewer.MenuShown());
}

TEST_F(OldReports, ViewingLoadsTheSnapshotReadOnlyAndReturningTheCurrentData) {
  OldReportsViewer viewer(f.doc, f.owner);
  viewer.RefreshMask();
  auto before = testing::FolderContents(f.dir.path());
  ASSERT_TRUE(viewer.View(1));
  EXPECT_TRUE(viewer.viewing());
  EXPECT_EQ(f.doc.working_month, 2);
  EXPECT_EQ(f.doc.working_year, 26);
  EXPECT_EQ(f.doc.live_working_month, 3);
  EXPECT_EQ(f.Rec(100).activity[kHours][2][0], 5);
  // Nothing is saved while viewing.
  f.doc.MarkModified();
  EXPECT_FALSE(f.owner.Save());
  // The items still name the months before the live working month.
  EXPECT_EQ(viewer.Items()[0].caption, "March 2026");
  viewer.Return();
  EXPECT_FALSE(viewer.viewing());
  EXPECT_EQ(f.doc.working_serial, Serial(26, 3));
  EXPECT_EQ(f.Rec(100).activity[kHours][2][0], 9);
  EXPECT_EQ(f.doc.history_month_mask, 1u << 1);
  auto after = testing::FolderContents(f.dir.path());
  auto without_undo = [](auto v) {
    std::erase_if(v, [](const auto& e) { return e.first == "rmkundo.dat"; });
    return v;
  };
  EXPECT_EQ(without_undo(before), without_undo(after));
}

TEST_F(OldReports, UnsavedChangesAreAskedAboutFirst) {
  OldReportsViewer viewer(f.doc, f.owner);
  viewer.RefreshMask();
  f.Rec(100).activity[kHours][2][0] = 11;
  f.doc.MarkModified();
  f.prompter.Script(Answer::kCancel);
  EXPECT_FALSE(viewer.View(1));
  ASSERT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_EQ(f.prompter.messages[0], "Save Changes?");
  EXPECT_EQ(f.prompter.buttons[0], Buttons::kYesNoCancel);
  EXPECT_FALSE(viewer.viewing());
  EXPECT_EQ(f.Rec(100).activity[kHours][2][0], 11);

  f.prompter.Script(Answer::kYes);
  ASSERT_TRUE(viewer.View(1));
  viewer.Return();
  EXPECT_EQ(f.Rec(100).activity[kHours][2][0], 11);  // saved before viewing
}

TEST_F(OldReports, AnswerNoDropsTheChanges) {
  OldReportsViewer viewer(f.doc, f.owner);
  viewer.RefreshMask();
  f.Rec(100).activity[kHours][2][0] = 11;
  f.doc.MarkModified();
  f.prompter.Script(Answer::kNo);
  ASSERT_TRUE(viewer.View(1));
  viewer.Return();
  EXPECT_EQ(f.Rec(100).activity[kHours][2][0], 9);
}

}  // namespace
}  // namespace zarim
