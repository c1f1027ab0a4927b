// The drawing entry of the report view: runs the drawer of a report kind on a canvas.
#pragma once

#include "reports/canvas.h"
#include "reports/page_frame.h"

namespace zarim {

class CZarimDoc;

// True when a drawer exists for the kind.
bool HasReportDrawer(int kind);
// True for the kinds drawn for one field service group.
bool IsGroupReport(int kind);
// Lays out and draws report kind (for group, when it is a group report) and sets the
// context's page count (at least 1). Returns false, drawing nothing, for a kind that
// has no drawer.
bool DrawReport(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int kind, int group);

}  // namespace zarim
