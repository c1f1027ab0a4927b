// The report registry and the text and JSON forms of a report model.
#include "reports/report_model.h"

#include <gtest/gtest.h>

#include <set>

#include "core/document.h"
#include "demo_congregation.h"
#include "reports/report_drawer.h"
#include "reports/report_registry.h"

namespace zarim {
namespace {

TEST(ReportRegistry, KindsAndNamesAreUniqueAndFoundBothWays) {
  std::set<int> kinds;
  std::set<std::string> names;
  for (const ReportEntry& entry : AllReports()) {
    EXPECT_TRUE(kinds.insert(entry.kind).second) << entry.kind;
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    ASSERT_NE(entry.draw, nullptr) << entry.name;
    EXPECT_EQ(FindReportByName(entry.name), &entry);
    EXPECT_EQ(FindReportByName(std::to_string(entry.kind)), &entry);
    EXPECT_EQ(IsGroupReport(entry.kind), entry.per_group);
  }
  EXPECT_EQ(FindReportByName("51")->name, std::string("telephone-group"));
  EXPECT_EQ(FindReportByName("no-such-report"), nullptr);
  EXPECT_EQ(FindReportByName("51x"), nullptr);
}

// Every registered report has a model (the command line's --text and --json), of its
// own kind and with as many pages as the report view draws.
TEST(ReportRegistry, EveryReportHasAModelOfItsKindAndPages) {
  SilentPrompter silent;
  CZarimDoc doc(&silent);
  demo::BuildDemo(doc, {});
  ReportContext context;
  context.today = Date{2026, 12, 8};
  for (const ReportEntry& entry : AllReports()) {
    ASSERT_NE(entry.model, nullptr) << entry.name;
    const int group = entry.per_group ? 1 : 0;
    ReportModel model = entry.model(doc, context, group);
    EXPECT_EQ(model.kind, entry.kind) << entry.name;
    EXPECT_EQ(model.page_count, ScreenPageCount(entry.draw, doc, context, group)) << entry.name;
  }
}

TEST(ReportModel, TextDropsTrailingEmptyCellsAndJsonEscapes) {
  ReportModel model;
  model.kind = 7;
  model.title = "Title \"A\"";
  model.columns = {"Name", "Hours", ""};
  model.Add(RowKind::kPublisher, {"Ann\tLee", "", "3"});
  model.Add(RowKind::kTotal, {"Total", "", ""});
  model.page_count = 2;
  EXPECT_EQ(ReportModelText(model), "Title \"A\"\nName\tHours\nAnn\tLee\t\t3\nTotal\n");
  EXPECT_EQ(ReportModelJson(model),
            "{\"kind\":7,\"title\":\"Title \\\"A\\\"\",\"subtitle\":\"\",\"columns\":[\"Name\","
            "\"Hours\",\"\"],\"rows\":[{\"kind\":\"publisher\",\"cells\":[\"Ann\\tLee\",\"\","
            "\"3\"]},{\"kind\":\"total\",\"cells\":[\"Total\",\"\",\"\"]}],\"pages\":2}");
}

}  // namespace
}  // namespace zarim
