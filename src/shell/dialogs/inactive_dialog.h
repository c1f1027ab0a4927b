// "Add - Edit - Delete - Reactivate Inactive Publishers" and its deleted mode "Edit -
// Permanently Delete - Restore": two lists and the buttons of InactiveForm.
#pragma once

#include <QDialog>

#ifndef Q_MOC_RUN
#include "core/clipboard.h"
#include "cycle/status_forms.h"
#endif

class QLabel;
class QListWidget;
class QPushButton;

namespace zarim {

class InactiveDialog : public QDialog {
  Q_OBJECT

 public:
  // "&Edit" opens publisher editing on the selected record (clipboard: that of "Copy");
  // "&Delete" deletes in the deleted mode and opens the records' "Delete" dialog in the
  // inactive mode.
  InactiveDialog(CZarimDoc& doc, InactiveForm& form, QWidget* parent = nullptr,
                 Clipboard* clipboard = nullptr);

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
  Clipboard* clipboard_;
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
                       Clipboard* clipboard);

}  // namespace zarim
