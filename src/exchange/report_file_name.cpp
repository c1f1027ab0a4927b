// The proposed PDF file name of a report.
#include "exchange/report_file_name.h"

#include <fmt/format.h>

namespace zarim {

std::string ReportPdfFileName(std::string_view title, const Date& date) {
  std::string name;
  for (char c : title) {
    const auto u = static_cast<unsigned char>(c);
    const bool bad =
        u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
    const char put = bad ? ' ' : c;
    if (put == ' ' && (name.empty() || name.back() == ' ')) continue;
    name += put;
  }
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  size_t start = name.find_first_not_of(". ");
  name = start == std::string::npos ? std::string() : name.substr(start);
  const std::string day = fmt::format("{:04d}-{:02d}-{:02d}", date.year, date.month, date.day);
  return (name.empty() ? day : name + " " + day) + ".pdf";
}

}  // namespace zarim
