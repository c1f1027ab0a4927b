// Report kind to drawer, through the registry of every report.
#include "reports/report_drawer.h"

#include <algorithm>

#include "reports/report_kind.h"
#include "reports/report_registry.h"

namespace zarim {

bool HasReportDrawer(int kind) {
  const ReportSpec* spec = FindReport(kind);
  return spec && spec->draw;
}

bool IsGroupReport(int kind) {
  if (const ReportSpec* spec = FindReport(kind)) return spec->per_group;
  // Group reports whose drawer is not built yet still take the group picker's group.
  switch (kind) {
    case report_kind::kGroupAnalysis:
    case report_kind::kAddressGroup:
      return true;
    default:
      return false;
  }
}

bool DrawReport(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int kind, int group) {
  context.page_count = 1;
  const ReportSpec* spec = FindReport(kind);
  if (!spec || !spec->draw) return false;
  spec->draw(doc, canvas, context, spec->per_group ? group : 0);
  context.page_count = std::max(context.page_count, 1);
  return true;
}

}  // namespace zarim
