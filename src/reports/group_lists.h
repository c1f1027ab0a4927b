// The field service group lists: every group as a block of its heading line and its
// members' names in four columns; a block never runs over the bottom of a page.
#pragma once

#include <string>
#include <vector>

#include "reports/canvas.h"
#include "reports/page_frame.h"
#include "reports/report_model.h"
#include "reports/report_registry.h"

namespace zarim {

class CZarimDoc;

inline constexpr int kGroupListColumns = 4;

struct GroupBlock {
  int group = 0;                     // 1-based
  std::vector<std::string> heading;  // label, overseer heading, assistant, day (UTF-8)
  std::vector<std::string> members;  // formatted names in stored order (UTF-8)
  // Rows of the block: the members in rows of four, the heading and a gap.
  int rows() const {
    return (static_cast<int>(members.size()) + kGroupListColumns - 1) / kGroupListColumns + 2;
  }
};

// "%1 Field Service Groups" by the language's rules, and " - " with the congregation's
// name when one is set.
std::string GroupListTitle(const CZarimDoc& doc);

// The blocks of report kind 70 (active), 71 (and Bible students), 72 (and inactive),
// 73 (all three) or 74 (active with the data-consent flag), group 1 first.
std::vector<GroupBlock> GroupListBlocks(const CZarimDoc& doc, int kind);

// The page (from 0) each block stands on: blocks of rows() rows of row_height follow one
// another from first_row_offset below the top of a band of band_height.
std::vector<int> PlaceBlocks(const std::vector<GroupBlock>& blocks, int first_row_offset,
                             int row_height, int band_height);

void DrawGroupList(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int kind);

std::vector<ReportEntry> GroupListReports();

}  // namespace zarim
