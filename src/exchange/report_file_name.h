// The file name proposed for a report saved as PDF: the report's title and the date, so
// that the files of one report sort by date in the exports folder.
#pragma once

#include <string>
#include <string_view>

#include "core/ports.h"

namespace zarim {

// "TITLE YYYY-MM-DD.pdf" from a UTF-8 title: characters a file name cannot hold or that
// confuse a shell ("/", "\", ":", "*", "?", quotes, "<", ">", "|", control characters)
// become blanks, runs of blanks one blank, blanks and dots at either end go. A title with
// nothing left gives the date alone.
std::string ReportPdfFileName(std::string_view title, const Date& date);

}  // namespace zarim
