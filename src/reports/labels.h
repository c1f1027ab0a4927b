// Publisher labels: one publisher a label, two across and ten down a sheet, starting at
// any position of the first sheet.
#pragma once

#include <string>
#include <vector>

#include "reports/canvas.h"
#include "reports/page_frame.h"
#include "reports/report_registry.h"

namespace zarim {

class CZarimDoc;

inline constexpr int kLabelsAcross = 2;
inline constexpr int kLabelsDown = 10;
inline constexpr int kLabelsPerSheet = kLabelsAcross * kLabelsDown;

// Where label i (from 0) of a job that starts at position start (1 to 20) stands.
struct LabelPlace {
  int sheet = 0;   // from 0
  int row = 0;     // 0 to 9
  int column = 0;  // 0 left, 1 right
};
LabelPlace PlaceLabel(int start, int index);
// Sheets for count labels from position start; 1 for no labels.
int LabelSheetCount(int start, int count);

// The active publishers in three passes: pioneers (regular and special of the working
// month), baptized publishers, unbaptized publishers; stored order within each pass.
std::vector<int> LabelRecordsByCategory(const CZarimDoc& doc);

// The lines of one publisher's label (UTF-8), in the standard or the alternate layout.
std::vector<std::string> LabelLines(const CZarimDoc& doc, int record);

// Draws the labels of the context's selection (every active publisher by category when
// nothing was chosen); sets the page count.
void DrawLabels(const CZarimDoc& doc, Canvas& canvas, ReportContext& context);

// The labels' model: a row per label with its lines as cells, in the order they are
// placed; one page per sheet.
ReportModel LabelsModel(const CZarimDoc& doc, const ReportContext& context);

std::vector<ReportEntry> LabelReports();

}  // namespace zarim
