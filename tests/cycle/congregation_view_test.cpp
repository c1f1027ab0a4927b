// The readers' view of a damaged document: every accessor hands out only what the
// document can back (the working month, a month's slot, the active list, late reports).
#include "cycle/congregation_view.h"

#include <functional>

#include "status_fixture.h"

namespace zarim::testing {
namespace {

struct DamageCase {
  const char* what;
  std::function<void(CZarimDoc&)> damage;
  bool month_valid;
  size_t active, late_of_ann, late_of_cid, late_entries;
};

class CongregationViewTest : public StatusFixture {};

TEST_F(CongregationViewTest, HandsOutOnlyWhatTheDocumentBacks) {
  const DamageCase cases[] = {
      {"sound", [](CZarimDoc&) {}, true, 3, 1, 1, 2},
      {"working month 13", [](CZarimDoc& d) { d.working_month = 12; }, false, 3, 0, 0, 2},
      {"year beyond two digits", [](CZarimDoc& d) { d.working_year = 100; }, false, 3, 0, 0, 2},
      {"index entry beyond the records",
       [](CZarimDoc& d) { d.lists[kActive][0].rec = static_cast<uint16_t>(d.count + 4); }, true, 2,
       1, 1, 2},
      {"status count beyond the list", [](CZarimDoc& d) { d.status_count[kActive] = 5000; }, true,
       3, 1, 1, 2},
      {"late entry of a deleted publisher", [](CZarimDoc& d) { d.FindById(22)->status = kDeleted; },
       true, 2, 1, 0, 2},
      {"late entry for month 13", [](CZarimDoc& d) { d.late[0].month = 12; }, true, 3, 0, 1, 2},
      {"late entry posted in no month", [](CZarimDoc& d) { d.late[0].posted = 0; }, true, 3, 0, 1,
       2},
      {"late count beyond the list", [](CZarimDoc& d) { d.late_count = 1000; }, true, 3, 1, 1,
       kMaxLateEntries},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.what);
    StartEmpty(doc, Date{2026, 5, 10}, dir.path());
    const int ann = Add(20, "Ann", "Alder"), cid = Add(22, "Cid", "Cole");
    Add(21, "Bob", "Brook");
    doc.late[0] = LateReportEntry{doc.records[ann].id, 1, 4};
    doc.late[1] = LateReportEntry{doc.records[cid].id, 2, 4};
    doc.late_count = 2;
    c.damage(doc);

    const CongregationView view(doc);
    EXPECT_EQ(view.WorkingMonth().has_value(), c.month_valid);
    if (c.month_valid) {
      EXPECT_EQ(view.WorkingMonth()->serial(), Serial(26, 3));
      EXPECT_EQ(view.SlotOf(3), 0);
      EXPECT_EQ(view.SlotOf(4), 1);  // May belongs to the previous year
    } else {
      EXPECT_EQ(view.SlotOf(3), std::nullopt);
    }
    EXPECT_EQ(view.SlotOf(12), std::nullopt);
    EXPECT_EQ(view.SlotOf(-1), std::nullopt);
    ASSERT_EQ(view.ActivePublishers().size(), c.active);
    for (int rec : view.ActivePublishers()) {
      ASSERT_TRUE(rec > 0 && rec < doc.count);
      EXPECT_EQ(doc.records[rec].status, kActive);
    }
    EXPECT_EQ(view.LateReportsOf(ann).size(), c.late_of_ann);
    EXPECT_EQ(view.LateReportsOf(cid).size(), c.late_of_cid);
    EXPECT_EQ(view.LateReports().size(), c.late_entries);
    EXPECT_TRUE(view.LateReportsOf(0).empty());
    EXPECT_TRUE(view.LateReportsOf(doc.count).empty());
  }
}

}  // namespace
}  // namespace zarim::testing
