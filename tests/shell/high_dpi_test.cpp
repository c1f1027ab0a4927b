// The report view at the screen's scale factor (run once as usual and once with
// QT_SCALE_FACTOR=2): its text is drawn at the device's full resolution, so at scale 2
// the text is twice as tall in device pixels as the same view drawn at scale 1, and
// sharp, not a scale-1 picture blown up.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/document.h"
#include "core/store.h"
#include "reports/report_kind.h"
#include "shell/report_view.h"
#include "support/test_support.h"

namespace zarim {
namespace {

using testing::AddRecord;
using testing::MakePublisher;
using testing::StartEmpty;
using testing::TempDir;

bool Dark(QRgb p) { return qGray(p) < 128; }

// Rows of the image with any dark pixel: the height of all ink on the page.
int InkRows(const QImage& image) {
  int rows = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (Dark(line[x])) {
        ++rows;
        break;
      }
    }
  }
  return rows;
}

// Of the 2x2 blocks that hold ink, the share whose four pixels differ: 0 for a picture
// scaled up from half the resolution.
double DetailShare(const QImage& image) {
  int inked = 0, detailed = 0;
  for (int y = 0; y + 1 < image.height(); y += 2) {
    for (int x = 0; x + 1 < image.width(); x += 2) {
      const QRgb a = image.pixel(x, y), b = image.pixel(x + 1, y), c = image.pixel(x, y + 1),
                 d = image.pixel(x + 1, y + 1);
      if (!(Dark(a) || Dark(b) || Dark(c) || Dark(d))) continue;
      ++inked;
      if (a != b || a != c || a != d) ++detailed;
    }
  }
  return inked ? double(detailed) / inked : 0.0;
}

TEST(HighDpi, TheReportViewDrawsItsTextAtTheScreensFullResolution) {
  TempDir dir;
  CZarimDoc doc;
  StartEmpty(doc, Date{2026, 12, 8}, dir.path());
  for (int i = 0; i < 20; ++i)
    AddRecord(doc, MakePublisher(100 + i, "Anna", "Scale" + std::to_string(i)));
  RefreshDerivedState(doc);
  ReportView view(doc);
  view.set_today(Date{2026, 12, 8});
  view.resize(600, 500);
  view.ShowReport(report_kind::kTelephoneCongregation);
  view.show();

  const qreal ratio = view.devicePixelRatioF();
  const QImage screen = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(screen.width(), qRound(view.viewport()->width() * ratio));
  // The same view drawn at scale 1 for comparison.
  QImage plain(view.viewport()->size(), QImage::Format_RGB32);
  plain.setDevicePixelRatio(1.0);
  plain.fill(Qt::white);
  view.viewport()->render(&plain);

  const int ink_screen = InkRows(screen), ink_plain = InkRows(plain);
  ASSERT_GT(ink_plain, 20);
  EXPECT_NEAR(double(ink_screen) / ink_plain, ratio, 0.25 * ratio)
      << "ink rows " << ink_screen << " at scale " << ratio << ", " << ink_plain << " at 1";
  if (ratio >= 2.0) {
    EXPECT_GT(DetailShare(screen), 0.3);
  }
}

}  // namespace
}  // namespace zarim
