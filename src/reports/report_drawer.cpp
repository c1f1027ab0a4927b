// Report kind to drawer.
#include "reports/report_drawer.h"

#include <algorithm>

#include "reports/branch_report.h"
#include "reports/report_kind.h"
#include "reports/telephone_list.h"
#include "reports/view_list_report.h"

namespace zarim {

bool HasReportDrawer(int kind) {
  return kind == report_kind::kTelephoneCongregation || kind == report_kind::kTelephoneGroup ||
         kind == kBranchReportKind || kind == kViewListReportKind;
}

bool IsGroupReport(int kind) {
  switch (kind) {
    case report_kind::kGroupAnalysis:
    case report_kind::kTelephoneGroup:
    case report_kind::kAddressGroup:
      return true;
    default:
      return false;
  }
}

bool DrawReport(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int kind, int group) {
  context.page_count = 1;
  switch (kind) {
    case report_kind::kTelephoneCongregation:
      DrawTelephoneList(doc, canvas, context, 0);
      break;
    case report_kind::kTelephoneGroup:
      DrawTelephoneList(doc, canvas, context, group);
      break;
    case kBranchReportKind:
      DrawBranchReport(doc, canvas, context);
      break;
    case kViewListReportKind:
      DrawViewList(doc, canvas, context, group);
      break;
    default:
      return false;
  }
  context.page_count = std::max(context.page_count, 1);
  return true;
}

}  // namespace zarim
