// The seven delimited exports for spreadsheets: the monthly report, the activity summary,
// meeting attendance, contact information, emergency contacts, card headers and a
// group's collection list. Each is written whole into the exports folder with CRLF line
// ends, its text in the records' code page.
#pragma once

#include <string>

#include "core/document.h"

namespace zarim {

class DesktopShell;

enum class ExportKind {
  kMonthly,
  kSummary,
  kAttendance,
  kContacts,
  kEmergency,
  kCardHeaders,
  kCollectionList,
};

struct ExportOptions {
  int month = 0;        // monthly report: 0 = January, one of the twelve months ending
                        // with the working month
  bool tab = false;     // monthly report: tab-separated ".rpt" instead of ".csv"
  bool header = false;  // monthly report: with its header line
  int group = 0;        // collection list: the group number
};

// The file name of an export ("March.csv", "Summary.csv", "Group-3.csv", ...).
std::string ExportFileName(ExportKind kind, const ExportOptions& options);

// The bytes of an export. A value holding the separator, a double quote or a line break
// is quoted with its quotes doubled, so it cannot shift the later columns of its line;
// every other value is written exactly as it stands.
std::string ExportBytes(CZarimDoc& doc, ExportKind kind, const ExportOptions& options);

// Writes the export into the exports folder, replacing a file of that name whole. On
// success returns the path written; on failure tells the user that the file cannot be
// created and returns an empty string.
std::string WriteExport(CZarimDoc& doc, ExportKind kind, const ExportOptions& options);

// The question after an export ("Exported %1\nShow in Folder?"; the monthly report,
// summary and attendance name the full path, the others the file name); Yes opens the
// exports folder on the desktop.
void OfferExportsFolder(CZarimDoc& doc, DesktopShell& shell, ExportKind kind,
                        const std::string& path);

// Removes what an export or a save of the program left half-written in the exports
// folder (its temporary files); never a file the user may want. Returns how many.
int TidyExportsFolder(const std::string& data_folder);

}  // namespace zarim
