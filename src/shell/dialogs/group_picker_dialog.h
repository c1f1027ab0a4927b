// "Pick Field Service Group": the group list with OK, Cancel and, for the group
// analysis, the two print buttons; bound to GroupPickerForm.
#pragma once

#include <QDialog>

#include "records/group_picker_form.h"

class QComboBox;
class QPushButton;

namespace zarim {

class GroupPickerDialog : public QDialog {
  Q_OBJECT

 public:
  GroupPickerDialog(GroupPickerForm& form, QWidget* parent = nullptr);

  QComboBox* list() const { return list_; }
  QPushButton* ok_button() const { return ok_; }
  QPushButton* print_all_button() const { return print_all_; }
  QPushButton* print_selected_button() const { return print_selected_; }

  void accept() override;
  void reject() override;

 private:
  void ShowForm();

  GroupPickerForm& form_;
  QComboBox* list_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* print_all_ = nullptr;
  QPushButton* print_selected_ = nullptr;
};

// Runs the picker; the chosen group number, or 0 when cancelled.
int RunGroupPickerDialog(QWidget* parent, const CZarimDoc& doc, GroupPickerForm::Purpose purpose,
                         int proposed = 1);

}  // namespace zarim
