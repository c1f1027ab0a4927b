// The "Status" dialog of publisher editing: five options, the month and year lists and
// the note; bound to StatusForm.
#pragma once

#include <QDialog>
#include <array>

#ifndef Q_MOC_RUN
#include "cycle/status_forms.h"
#endif

class QComboBox;
class QLabel;
class QRadioButton;

namespace zarim {

class StatusDialog : public QDialog {
  Q_OBJECT

 public:
  StatusDialog(StatusForm& form, QWidget* parent = nullptr);

  QRadioButton* option(int choice) const { return options_[choice]; }
  QComboBox* month_list() const { return months_; }
  QComboBox* year_list() const { return years_; }
  QLabel* note_label() const { return note_; }
  void accept() override;

 private:
  void ShowForm();

  StatusForm& form_;
  std::array<QRadioButton*, StatusForm::kChoices> options_{};
  QComboBox* months_ = nullptr;
  QComboBox* years_ = nullptr;
  QLabel* year_label_ = nullptr;
  QLabel* note_ = nullptr;
};

// The status of record rec of the document (publisher editing's "&Status" button); true
// when OK changed the record.
bool RunStatusDialog(QWidget* parent, CZarimDoc& doc, int rec);
// The same on a record given directly; adding when it is not in the table yet (a
// publisher being added).
bool RunStatusDialogOn(QWidget* parent, const CZarimDoc& doc, PubRecord& record,
                       bool adding = false);

}  // namespace zarim
