// "Add - Edit - Delete - Reactivate Inactive Publishers" and its deleted mode "Edit -
// Permanently Delete - Restore": two lists and the buttons of InactiveForm.
#pragma once

#include <QDialog>
#include <functional>

#ifndef Q_MOC_RUN
#include "cycle/status_forms.h"
#endif

class QLabel;
class QListWidget;
class QPushButton;

namespace zarim {

class InactiveDialog : public QDialog {
  Q_OBJECT

 public:
  InactiveDialog(CZarimDoc& doc, InactiveForm& form, QWidget* parent = nullptr);

  // Publisher editing and the "Delete" dialog of the records, for "&Edit" and (in the
  // inactive mode) "&Delete"; a button whose function is not set stays hidden.
  std::function<void(QWidget*, CZarimDoc&, int rec)> edit_record;
  std::function<void(QWidget*, CZarimDoc&, int rec)> delete_record;

  QListWidget* left_list() const { return left_; }
  QListWidget* right_list() const { return right_; }
  QPushButton* move_button() const { return move_; }
  QPushButton* period_button() const { return period_; }
  QPushButton* edit_button() const { return edit_; }
  QPushButton* delete_button() const { return delete_; }
  QPushButton* close_button() const { return close_; }

  void ShowForm();

 private:
  void Move();
  void Edit();
  void Delete();

  CZarimDoc& doc_;
  InactiveForm& form_;
  QLabel* left_heading_ = nullptr;
  QLabel* right_heading_ = nullptr;
  QListWidget* left_ = nullptr;
  QListWidget* right_ = nullptr;
  QPushButton* period_ = nullptr;
  QPushButton* move_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* close_ = nullptr;
};

// Runs the dialog in its inactive or deleted mode.
void RunInactiveDialog(QWidget* parent, CZarimDoc& doc, InactiveForm::Mode mode,
                       std::function<void(QWidget*, CZarimDoc&, int)> edit_record = {},
                       std::function<void(QWidget*, CZarimDoc&, int)> delete_record = {});

}  // namespace zarim
