// The move-outs dialog.
#include "shell/dialogs/moveouts_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/select_month_dialog.h"

namespace zarim {

MoveOutsDialog::MoveOutsDialog(MoveOutsForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.title()));
  auto* grid = new QGridLayout;
  auto* left_heading = new QLabel(Q(form.left_heading()), this);
  left_ = new QListWidget(this);
  left_->setAccessibleName(Plain(form.left_heading()));
  left_heading->setBuddy(left_);
  right_heading_ = new QLabel(Q(form.right_heading()), this);
  right_ = new QListWidget(this);
  right_->setAccessibleName(Plain(form.right_heading()));
  right_heading_->setBuddy(right_);
  inactive_ = new QCheckBox(Q(form.inactive_caption()), this);
  inactive_->setAccessibleName(Plain(form.inactive_caption()));
  grid->addWidget(left_heading, 0, 0);
  grid->addWidget(left_, 1, 0);
  grid->addWidget(right_heading_, 0, 2);
  grid->addWidget(right_, 1, 2);
  grid->addWidget(inactive_, 2, 2);

  auto* middle = new QVBoxLayout;
  move_out_ = MakeButton(Str(Sid::kMoveOutButton), this);
  return_ = MakeButton(Str(Sid::kReturnButton), this);
  undo_ = MakeButton(Str(Sid::kUndoMoveoutButton), this);
  middle->addStretch();
  middle->addWidget(move_out_);
  middle->addWidget(return_);
  middle->addWidget(undo_);
  middle->addStretch();
  grid->addLayout(middle, 1, 1);

  close_ = MakeButton(Str(Sid::kStatusClose), this);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(bottom);
  setTabOrder(right_, inactive_);
  setTabOrder(inactive_, move_out_);
  setTabOrder(move_out_, return_);
  setTabOrder(return_, undo_);
  setTabOrder(undo_, left_);
  setTabOrder(left_, close_);

  ConnectListSides(this, left_, right_, form_);
  connect(inactive_, &QCheckBox::toggled, this, [this](bool on) {
    form_.SetInactive(on);
    ShowForm();
  });
  connect(move_out_, &QPushButton::clicked, this, [this] {
    form_.MoveOutSelected(DialogMonthAsker(this));
    ShowForm();
  });
  connect(return_, &QPushButton::clicked, this, [this] {
    form_.ReturnSelected(DialogMonthAsker(this));
    ShowForm();
  });
  connect(undo_, &QPushButton::clicked, this, [this] {
    form_.UndoSelected(DialogMonthAsker(this));
    ShowForm();
  });
  connect(close_, &QPushButton::clicked, this, &MoveOutsDialog::reject);
  ShowForm();
}

void MoveOutsDialog::ShowForm() {
  FillStatusList(left_, form_.left(), form_.side() == ListSide::kLeft ? form_.row() : -1);
  FillStatusList(right_, form_.right(), form_.side() == ListSide::kRight ? form_.row() : -1);
  move_out_->setEnabled(form_.move_out_enabled());
  return_->setEnabled(form_.return_enabled());
  undo_->setEnabled(form_.return_enabled());
  // Enter acts on the list the selection is in.
  move_out_->setDefault(form_.move_out_enabled());
  return_->setDefault(form_.return_enabled());
}

void RunMoveOutsDialog(QWidget* parent, CZarimDoc& doc) {
  MoveOutsForm form(doc);
  MoveOutsDialog dialog(form, parent);
  dialog.exec();
}

}  // namespace zarim
