// The document's option commands of start-up and the About box: "No Startup Notice",
// the sort-order option, the start-up notice and the About text.
#pragma once

#include <string>
#include <string_view>

namespace zarim {

class CZarimDoc;

// Toggles the no-start-up-notice setting.
void ToggleNoStartupNotice(CZarimDoc& doc);

// Toggles the first-name sort order. Switching it on switches the last-name-first
// report option off. The whole table is sorted again under the new order and the index
// rebuilt, so every record, not only the last, stands where the new order puts it.
void ToggleSortOrder(CZarimDoc& doc);

// The start-up notice: strings 1235, 1236 and 1237 joined by two blanks.
std::string StartupNoticeText();

// The About box: the program's name, its version (the one "--version" prints) and the
// absolute data folder under " Directory ".
std::string AboutText(const CZarimDoc& doc, std::string_view version);

// A folder as the user finds it in a file manager, not as given on the command line:
// absolute, without "." and ".." steps or a closing "/".
std::string AbsoluteFolder(const std::string& folder);

}  // namespace zarim
