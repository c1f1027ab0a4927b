// Option commands of the document and the texts of the start-up notice and About box.
#include "core/app_options.h"

#include <filesystem>

#include "core/document.h"
#include "core/strings.h"

namespace zarim {

void ToggleNoStartupNotice(CZarimDoc& doc) {
  doc.options.no_startup_notice = doc.options.no_startup_notice ? 0 : 1;
}

void ToggleSortOrder(CZarimDoc& doc) {
  doc.options.sort_first_name = doc.options.sort_first_name ? 0 : 1;
  if (doc.options.sort_first_name) doc.format.last_name_first = 0;
  if (doc.count > 1) doc.SortRecords();
}

std::string StartupNoticeText() {
  std::string text(Str(Sid::kStartupNotice1));
  text += "  ";
  text += Str(Sid::kStartupNotice2);
  text += "  ";
  text += Str(Sid::kStartupNotice3);
  return text;
}

std::string AboutText(const CZarimDoc& doc, std::string_view version) {
  std::string text(Str(Sid::kAppName));
  text += " - ";
  text += Str(Sid::kAppTitle);
  text += "\n";
  text += Fill(Sid::kAboutVersion, version);
  text += "\n\n";
  text += Str(Sid::kAboutDirectory);
  text += "\n";
  text += AbsoluteFolder(doc.data_folder);
  return text;
}

std::string AbsoluteFolder(const std::string& folder) {
  std::error_code ec;
  std::filesystem::path path = std::filesystem::absolute(folder, ec);
  if (ec) path = folder;
  std::string shown = path.lexically_normal().string();
  while (shown.size() > 1 && shown.back() == '/') shown.pop_back();
  return shown;
}

}  // namespace zarim
