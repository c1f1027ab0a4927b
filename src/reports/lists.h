// The one-line-per-entry lists: telephone (elders and ministerial servants, pioneers),
// address, contact, telephone & e-mail, emergency contact information and special needs.
// Each list is first laid out as plain lines (the model the command line prints) and then
// drawn page by page under the list page header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reports/canvas.h"
#include "reports/page_frame.h"
#include "reports/report_model.h"
#include "reports/report_registry.h"

namespace zarim {

class CZarimDoc;

// Which publishers a list takes.
enum class ListFilter {
  kActive,          // every active publisher
  kInactive,        // the inactive publishers
  kEldersServants,  // active elders and ministerial servants
  kPioneers,        // active regular and special pioneers of the working month
  kRegular,         // active regular pioneers of the working month
};

struct ListSelection {
  ListFilter filter = ListFilter::kActive;
  int group = 0;            // 1-based group, 0 = the whole congregation
  bool households = false;  // a household stands on its head's entry
};

// One entry of a list: a publisher and, on a household's entry, the other members.
struct ListEntry {
  int record = 0;
  std::vector<int> members;  // records of the other members, in list order
};

// The entries of a selection in stored order. With households, a member whose head is
// listed too stands on the head's entry; a member whose head is not listed keeps his own.
std::vector<ListEntry> SelectListEntries(const CZarimDoc& doc, const ListSelection& selection);

// The third-party contact and the special need of an entry's household: the head's own,
// else the first member's that has one; 0 for none.
uint16_t HouseholdContactKey(const CZarimDoc& doc, const ListEntry& entry);
uint16_t HouseholdNeedsKey(const CZarimDoc& doc, const ListEntry& entry);

// A column of a list: its heading and where it starts, in hundredths of an inch from the
// left margin. Column 0 is the name at the margin.
struct ListColumn {
  std::string heading;  // UTF-8, may be empty
  int x_hundredths = 0;
  bool small = false;  // drawn in the Small font when the Text font is larger
};

// One printed line: a cell per column (UTF-8); a line that belongs with the one before
// it (household members, an e-mail address) is never the first of a page.
struct ListLine {
  RowKind kind = RowKind::kPublisher;
  std::vector<std::string> cells;
  int indent_hundredths = 0;  // the line's first cell is moved right by this much
  bool keep_with_previous = false;
};

struct ListLayout {
  int kind = 0;
  std::string title;
  std::string subtitle;
  int stamp_x_tenths = 75;
  std::vector<ListColumn> columns;
  std::vector<ListLine> lines;
};

// The list of a report kind (52, 53, 60 to 64, 80 to 84, 90, 91, 100, 101, 103, 104,
// 120, 121) for a group (0 for the congregation-wide kinds).
ListLayout BuildList(const CZarimDoc& doc, int kind, int group);

// The first line of each page with lines_per_page lines a page (below the column
// headings): a line kept with the previous one pulls it onto the next page instead of
// standing first.
std::vector<size_t> PageStarts(const std::vector<ListLine>& lines, int lines_per_page);

// The layout as a report model; page_count as drawn at the screen's resolution.
ReportModel ListModel(const ListLayout& layout, int page_count);

// Draws a laid-out list; sets the context's page count.
void DrawList(const CZarimDoc& doc, Canvas& canvas, ReportContext& context,
              const ListLayout& layout);

// The report table of these lists.
std::vector<ReportEntry> ListReports();

}  // namespace zarim
