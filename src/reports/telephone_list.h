// The "Telephone List" of the congregation (households on the head's line) and of one
// field service group: names with the home, mobile and work numbers.
#pragma once

#include <string>
#include <vector>

#include "records/groups.h"
#include "reports/canvas.h"
#include "reports/page_frame.h"
#include "reports/report_model.h"

namespace zarim {

class CZarimDoc;

// One entry of the list, texts in record bytes.
struct PhoneListEntry {
  int record = 0;                    // record number of the publisher
  std::string name;                  // the formatted name
  std::vector<std::string> members;  // first names of the other household members
  std::string home, mobile, work;
};

// The entries of the telephone list: the active publishers in stored order, of one
// group when group > 0. On the congregation list a household member stands on the
// head's entry; a member whose head is not listed keeps a line of his own.
std::vector<PhoneListEntry> TelephoneListEntries(const CZarimDoc& doc, int group);

// The list's model: one row per entry (the name with the household's first names, then
// the three numbers), with the page count of the report view.
ReportModel TelephoneListModel(const CZarimDoc& doc, const ReportContext& context, int group);

// Lays out and draws the list (report kind 50 for group 0, 51 for a group); sets the
// context's page count.
void DrawTelephoneList(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int group);

}  // namespace zarim
