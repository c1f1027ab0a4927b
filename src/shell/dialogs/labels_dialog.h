// "Select Labels": the publishers to tick (when they are chosen one by one) and "Select
// Starting Label"; bound to LabelForm.
#pragma once

#include <QDialog>

#include "reports/label_form.h"

class QListWidget;
class QSpinBox;

namespace zarim {

class LabelsDialog : public QDialog {
  Q_OBJECT

 public:
  LabelsDialog(LabelForm& form, QWidget* parent = nullptr);

  QListWidget* list() const { return list_; }
  QSpinBox* start() const { return start_; }

  void accept() override;

 private:
  LabelForm& form_;
  QListWidget* list_ = nullptr;
  QSpinBox* start_ = nullptr;
};

// Runs the dialog; false when cancelled, else *selection is what to print.
bool RunLabelsDialog(QWidget* parent, const CZarimDoc& doc, bool choose_people,
                     ReportSelection* selection);

}  // namespace zarim
