// Finding the texts a report draws cut: a text that crosses a rule of its table, runs into
// a text beside it, leaves its clip or the page. Translators run it over every report of
// the demo congregation in their language (zarim-layout-check), and the tests in every
// language the program ships.
#pragma once

#include <string>
#include <vector>

#include "render/qt_canvas.h"
#include "reports/page_frame.h"
#include "reports/recording_canvas.h"

namespace zarim {

class CZarimDoc;

// Records a drawing with the metrics of the report fonts on a paint device (a 300 dpi PDF
// writer), and where on the page each text lies.
class MeasuringRecorder : public RecordingCanvas {
 public:
  struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
  };
  struct PlacedText {
    size_t op = 0;  // index into ops()
    Box box;
  };

  MeasuringRecorder(QPaintDevice* device, int dpi);
  void SetFont(const FontSpec& font) override;
  TextMetrics Metrics() const override { return fonts_.Metrics(); }
  int TextWidth(std::string_view text) const override { return fonts_.TextWidth(text); }
  void DrawText(int x, int y, std::string_view text) override;
  const std::vector<PlacedText>& texts() const { return texts_; }

 private:
  QtCanvas fonts_;
  std::vector<PlacedText> texts_;
};

// The texts of a recorded drawing that are cut, one line each: the text in quotes and
// what cuts it. `page_width` is the paper's width in the drawing's units.
std::vector<std::string> CutTexts(const MeasuringRecorder& drawing, int page_width);

// Draws every report of the program over the document, as printed on letter paper, and
// gives the cut texts of all of them, each line beginning with the report's name.
// `selection` chooses the people of the cards and labels.
std::vector<std::string> CutReportTexts(const CZarimDoc& doc, const ReportSelection& selection,
                                        Date today);

}  // namespace zarim
