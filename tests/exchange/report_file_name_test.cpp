// The PDF file name proposed for a report.
#include "exchange/report_file_name.h"

#include <gtest/gtest.h>

namespace zarim {
namespace {

TEST(ReportPdfFileName, TitleAndDateWithoutWhatAFileNameCannotHold) {
  const Date day{2026, 12, 9};
  const struct {
    const char* title;
    const char* file;
  } cases[] = {
      {"Telephone List - Congregation", "Telephone List - Congregation 2026-12-09.pdf"},
      {"Group 1/2: Analysis", "Group 1 2 Analysis 2026-12-09.pdf"},
      {"  ..Hidden?  ", "Hidden 2026-12-09.pdf"},
      {"Tab\there\nand \"quotes\"", "Tab here and quotes 2026-12-09.pdf"},
      {"M\xC3\xBCller & Co.", "M\xC3\xBCller & Co 2026-12-09.pdf"},
      {"../../etc", "etc 2026-12-09.pdf"},
      {"", "2026-12-09.pdf"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReportPdfFileName(c.title, day), c.file) << c.title;
}

}  // namespace
}  // namespace zarim
