// The Corrections window's filters and the selection its printed list carries.
#include "cycle/corrections_form.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/month.h"
#include "cycle/corrections.h"
#include "support/test_support.h"

namespace zarim {
namespace {

TEST(CorrectionsForm, FiltersByMonthAndPublisherAndPrintsWhatItShows) {
  testing::TempDir dir;
  auto line = [](int id, const char* name, const char* month) {
    return FormatCorrectionLine({"2026-12-08 10:00", "history", id, name, std::stoi(month + 5),
                                 std::stoi(month), "hours", "1", "2"});
  };
  const std::string log = line(12, "Bea", "2026-10") + line(11, "Al", "2026-10") +
                          line(12, "Bea", "2026-09") + "damaged line\n";
  ASSERT_TRUE(
      WriteFilePlain(JoinPath(dir.path(), kFileCorrections), Bytes(log.begin(), log.end())));
  CZarimDoc doc;
  doc.data_folder = dir.path();
  doc.working_month = 10;
  doc.working_year = 26;
  const std::vector<CorrectionEntry> pending = {
      {"2026-12-08 11:00", "post", 13, "Cy", 9, 2026, "late", "no", "yes"}};
  CorrectionsForm form(doc, pending);

  EXPECT_EQ(form.month_choices(),
            (std::vector<std::string>{"All months", "October 2026", "September 2026"}));
  EXPECT_EQ(form.publisher_choices(),
            (std::vector<std::string>{"All publishers", "Al (11)", "Bea (12)", "Cy (13)"}));
  EXPECT_EQ(form.Rows().size(), 4u);
  struct Case {
    int month, publisher;
    size_t rows;
  };
  for (Case c : {Case{1, 0, 2}, Case{2, 0, 2}, Case{0, 2, 2}, Case{1, 2, 1}, Case{2, 1, 0}}) {
    form.SetMonthChoice(c.month);
    form.SetPublisherChoice(c.publisher);
    ASSERT_EQ(form.Rows().size(), c.rows) << c.month << " " << c.publisher;
    // The printed list is the list shown.
    std::vector<std::vector<std::string>> printed;
    for (const CorrectionEntry& e :
         SelectCorrections(RecentCorrections(doc, pending), form.Selection()))
      printed.push_back(CorrectionCells(e));
    EXPECT_EQ(printed, form.Rows());
  }
  form.SetMonthChoice(1);
  form.SetPublisherChoice(2);
  EXPECT_EQ(form.Rows()[0], (std::vector<std::string>{"2026-12-08 10:00", "history", "Bea (12)",
                                                      "October 2026", "hours", "1", "2"}));
  EXPECT_EQ(form.CountText(), "1 of 4 corrections shown");
}

}  // namespace
}  // namespace zarim
