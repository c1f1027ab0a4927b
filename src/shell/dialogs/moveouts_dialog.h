// "Move Outs": the moved publishers, the active (or inactive) ones, and the buttons that
// move a publisher away, bring him back or undo a move; bound to MoveOutsForm.
#pragma once

#include <QDialog>

#ifndef Q_MOC_RUN
#include "cycle/status_forms.h"
#endif

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zarim {

class MoveOutsDialog : public QDialog {
  Q_OBJECT

 public:
  MoveOutsDialog(MoveOutsForm& form, QWidget* parent = nullptr);

  QListWidget* moved_list() const { return left_; }
  QListWidget* publisher_list() const { return right_; }
  QCheckBox* inactive_box() const { return inactive_; }
  QPushButton* move_out_button() const { return move_out_; }
  QPushButton* return_button() const { return return_; }
  QPushButton* undo_button() const { return undo_; }

  void ShowForm();

 private:
  MoveOutsForm& form_;
  QListWidget* left_ = nullptr;
  QListWidget* right_ = nullptr;
  QLabel* right_heading_ = nullptr;
  QCheckBox* inactive_ = nullptr;
  QPushButton* move_out_ = nullptr;
  QPushButton* return_ = nullptr;
  QPushButton* undo_ = nullptr;
  QPushButton* close_ = nullptr;
};

void RunMoveOutsDialog(QWidget* parent, CZarimDoc& doc);

}  // namespace zarim
