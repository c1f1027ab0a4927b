// The printed corrections log: the list of the "Corrections" window on report pages.
#pragma once

#include "reports/canvas.h"
#include "reports/page_frame.h"
#include "reports/report_model.h"

namespace zarim {

// The report kind of the printed corrections log. The print job's group number carries
// the window's selection (EncodeCorrectionsSelection); 0 prints every entry.
inline constexpr int kCorrectionsReportKind = 175;

ReportModel CorrectionsModel(const CZarimDoc& doc, const ReportContext& context, int selection);
// Lays out and draws the list; sets the context's page count.
void DrawCorrections(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int selection);

}  // namespace zarim
