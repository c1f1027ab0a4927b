// "Quick Overview": the working month's key figures beside a chart of the last twelve
// months, with "&Close". It only reads.
#pragma once

#include <QDialog>
#include <QWidget>

#ifndef Q_MOC_RUN
#include "reports/overview.h"
#endif

class QLabel;
class QPushButton;

namespace zarim {

class CZarimDoc;

// The chart of reports received and weekend attendance, drawn through the report canvas.
class OverviewChart : public QWidget {
  Q_OBJECT

 public:
  OverviewChart(const QuickOverview& overview, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QuickOverview& overview_;
};

class QuickOverviewDialog : public QDialog {
  Q_OBJECT

 public:
  QuickOverviewDialog(const CZarimDoc& doc, QWidget* parent = nullptr);

  // The value shown beside a label text (UTF-8), or null.
  QLabel* value(const std::string& label) const;
  QPushButton* close_button() const { return close_; }
  OverviewChart* chart() const { return chart_; }

 private:
  QuickOverview overview_;
  std::vector<std::pair<std::string, QLabel*>> values_;
  QPushButton* close_ = nullptr;
  OverviewChart* chart_ = nullptr;
};

void RunQuickOverviewDialog(QWidget* parent, const CZarimDoc& doc);

}  // namespace zarim
