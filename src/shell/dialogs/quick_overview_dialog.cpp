// The Quick Overview dialog.
#include "shell/dialogs/quick_overview_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/strings.h"
#include "render/qt_canvas.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

OverviewChart::OverviewChart(const QuickOverview& overview, QWidget* parent)
    : QWidget(parent), overview_(overview) {
  setMinimumSize(360, 180);
  setAccessibleName(Q(Sid::kOvChartName));
  setFocusPolicy(Qt::NoFocus);
}

void OverviewChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  QtCanvas canvas(&painter, this, logicalDpiX(), logicalDpiY());
  canvas.SetFont(FontSpec{});
  DrawOverviewChart(canvas, overview_, 8, 8, width() - 8, height() - 4);
}

QuickOverviewDialog::QuickOverviewDialog(const CZarimDoc& doc, QWidget* parent)
    : QDialog(parent), overview_(ComputeQuickOverview(doc)) {
  setWindowTitle(Q(Sid::kOverviewTitle));
  setAccessibleName(Q(Sid::kOverviewTitle));
  auto* figures = new QFormLayout;
  for (const auto& [label, text] : QuickOverviewLines(overview_)) {
    auto* caption = new QLabel(Q(label), this);
    if (text.empty() && label != Str(Sid::kOvAvgPubs)) {
      // A section caption.
      QFont bold = caption->font();
      bold.setBold(true);
      caption->setFont(bold);
      figures->addRow(caption);
      continue;
    }
    auto* value = new QLabel(Q(text), this);
    value->setAccessibleName(Plain(label));
    value->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    value->setFocusPolicy(Qt::TabFocus);
    caption->setBuddy(value);
    figures->addRow(caption, value);
    values_.emplace_back(label, value);
  }
  chart_ = new OverviewChart(overview_, this);
  close_ = MakeButton(Str(Sid::kCloseButton), this);
  close_->setDefault(true);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addLayout(figures);
  row->addWidget(chart_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(close_, 0, Qt::AlignRight);
}

QLabel* QuickOverviewDialog::value(const std::string& label) const {
  for (const auto& [l, v] : values_)
    if (l == label) return v;
  return nullptr;
}

void RunQuickOverviewDialog(QWidget* parent, const CZarimDoc& doc) {
  QuickOverviewDialog dialog(doc, parent);
  dialog.exec();
}

}  // namespace zarim
