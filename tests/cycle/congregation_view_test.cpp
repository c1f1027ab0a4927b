// The readers' view of a damaged document hands out only what the document backs.
#include "cycle/congregation_view.h"

#include "status_fixture.h"

namespace zarim::testing {

using CongregationViewTest = StatusFixture;

TEST_F(CongregationViewTest, HandsOutOnlyWhatTheDocumentBacks) {
  struct Case {
    const char* what;
    void (*damage)(CZarimDoc&);
    bool month_valid;
    size_t active, late_of_ann, late_of_cid, late_entries;
  } const cases[] = {
      {"sound", [](CZarimDoc&) {}, true, 3, 1, 1, 2},
      {"working month 13", [](CZarimDoc& d) { d.working_month = 12; }, false, 3, 0, 0, 2},
      {"year 2100", [](CZarimDoc& d) { d.working_year = 100; }, false, 3, 0, 0, 2},
      {"index past records", [](CZarimDoc& d) { d.lists[kActive][0].rec = 90; }, true, 2, 1, 1, 2},
      {"count past list", [](CZarimDoc& d) { d.status_count[kActive] = 5000; }, true, 3, 1, 1, 2},
      {"late, deleted", [](CZarimDoc& d) { d.FindById(22)->status = kDeleted; }, true, 2, 1, 0, 2},
      {"late, month 13", [](CZarimDoc& d) { d.late[0].month = 12; }, true, 3, 0, 1, 2},
      {"late, posted 0", [](CZarimDoc& d) { d.late[0].posted = 0; }, true, 3, 0, 1, 2},
      {"late count 999", [](CZarimDoc& d) { d.late_count = 999; }, true, 3, 1, 1, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartEmpty(doc, Date{2026, 5, 10}, dir.path());
    const int ann = Add(20, "Ann", "Alder"), cid = Add(22, "Cid", "Cole");
    Add(21, "Bob", "Brook");
    doc.late[0] = {U16(20), 1, 4}, doc.late[1] = {U16(22), 2, 4}, doc.late_count = 2;
    c.damage(doc);
    const CongregationView view(doc);
    EXPECT_EQ(view.WorkingMonth().has_value(), c.month_valid);
    EXPECT_EQ(view.SlotOf(4), c.month_valid ? std::optional(1) : std::nullopt);  // May: 2025
    EXPECT_TRUE(!view.SlotOf(12) && view.LateReportsOf(doc.count).empty());
    ASSERT_EQ(view.ActivePublishers().size(), c.active);
    for (int rec : view.ActivePublishers()) EXPECT_EQ(doc.records[rec].status, kActive);
    EXPECT_EQ(view.LateReportsOf(ann).size(), c.late_of_ann);
    EXPECT_EQ(view.LateReportsOf(cid).size(), c.late_of_cid);
    EXPECT_EQ(view.LateReports().size(), c.late_entries);
  }
}

}  // namespace zarim::testing
