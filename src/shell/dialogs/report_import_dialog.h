// "Import Selected Data": the incoming reports as a checked list with their counts, a
// preview of the pointed-at (or current) report on the colours of new and replaced data,
// and the buttons that select and post them; bound to ReportImportForm. Space ticks the
// current report, so the whole dialog works from the keyboard.
#pragma once

#include <QDialog>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zarim {

class CZarimDoc;
class ReportImportForm;
struct IncomingReport;

class ReportImportDialog : public QDialog {
  Q_OBJECT

 public:
  ReportImportDialog(ReportImportForm& form, QWidget* parent = nullptr);

  QListWidget* list() const { return list_; }
  QPushButton* select_all_button() const { return select_all_; }
  QPushButton* clear_all_button() const { return clear_all_; }
  QPushButton* import_button() const { return import_; }
  QCheckBox* credit_box() const { return credit_; }
  QLabel* selected_label() const { return selected_; }
  // The preview's value cells: Shared, Bi.St., Hours, Remarks.
  const std::vector<QLabel*>& preview_cells() const { return cells_; }
  QLabel* preview_name() const { return name_; }

  void ShowPreview(int row);

 private:
  void ShowChecks();
  void ShowCounts();

  ReportImportForm& form_;
  QListWidget* list_ = nullptr;
  QLabel* available_ = nullptr;
  QLabel* selected_ = nullptr;
  QLabel* name_ = nullptr;
  QLabel* late_ = nullptr;
  std::vector<QLabel*> cells_;
  QCheckBox* credit_ = nullptr;
  QPushButton* select_all_ = nullptr;
  QPushButton* clear_all_ = nullptr;
  QPushButton* import_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// Shows the reports and posts the selected ones; the number posted (0 on Cancel).
int RunReportImportDialog(QWidget* parent, CZarimDoc& doc, std::vector<IncomingReport> reports);

}  // namespace zarim
