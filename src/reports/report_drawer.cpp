// Report kind to drawer, through the registry of every report.
#include "reports/report_drawer.h"

#include <algorithm>

#include "reports/report_kind.h"
#include "reports/report_registry.h"

namespace zarim {

bool HasReportDrawer(int kind) {
  const ReportEntry* entry = FindReport(kind);
  return entry && entry->draw;
}

bool IsGroupReport(int kind) {
  if (const ReportEntry* entry = FindReport(kind)) return entry->per_group;
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
  const ReportEntry* entry = FindReport(kind);
  if (!entry || !entry->draw) return false;
  entry->draw(doc, canvas, context, entry->per_group ? group : 0);
  context.page_count = std::max(context.page_count, 1);
  return true;
}

}  // namespace zarim
