// The inactive dialog and its deleted mode.
#include "shell/dialogs/inactive_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/delete_dialog.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/publisher_edit_dialog.h"
#include "shell/dialogs/select_month_dialog.h"

namespace zarim {

InactiveDialog::InactiveDialog(CZarimDoc& doc, InactiveForm& form, QWidget* parent,
                               Clipboard* clipboard)
    : QDialog(parent), doc_(doc), form_(form), clipboard_(clipboard) {
  setWindowTitle(Q(form.title()));
  auto* grid = new QGridLayout;
  left_heading_ = new QLabel(Q(form.left_heading()), this);
  left_ = new QListWidget(this);
  left_->setAccessibleName(Plain(form.left_heading()));
  left_heading_->setBuddy(left_);
  right_heading_ = new QLabel(Q(form.right_heading()), this);
  right_ = new QListWidget(this);
  right_->setAccessibleName(Plain(form.right_heading()));
  right_heading_->setBuddy(right_);
  grid->addWidget(left_heading_, 0, 0);
  grid->addWidget(left_, 1, 0);
  grid->addWidget(right_heading_, 0, 2);
  grid->addWidget(right_, 1, 2);

  auto* middle = new QVBoxLayout;
  move_ = MakeButton(form.move_caption(), this);
  move_->setDefault(true);
  middle->addStretch();
  middle->addWidget(move_);
  middle->addStretch();
  grid->addLayout(middle, 1, 1);

  auto* buttons = new QHBoxLayout;
  period_ = MakeButton(form.period_caption(), this);
  edit_ = MakeButton(Str(Sid::kStatusEdit), this);
  delete_ = MakeButton(Str(Sid::kStatusDelete), this);
  close_ = MakeButton(Str(Sid::kStatusClose), this);
  buttons->addWidget(period_);
  buttons->addWidget(edit_);
  buttons->addWidget(delete_);
  buttons->addStretch();
  buttons->addWidget(close_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  setTabOrder(right_, move_);
  setTabOrder(move_, left_);
  setTabOrder(left_, period_);
  setTabOrder(period_, edit_);
  setTabOrder(edit_, delete_);
  setTabOrder(delete_, close_);

  ConnectListSides(this, left_, right_, form_);
  // Coming back into a list with the keyboard selects its current entry again.
  connect(left_, &QListWidget::itemClicked, this, [this] {
    form_.Select(ListSide::kLeft, left_->currentRow());
    ShowForm();
  });
  connect(right_, &QListWidget::itemClicked, this, [this] {
    form_.Select(ListSide::kRight, right_->currentRow());
    ShowForm();
  });
  connect(period_, &QPushButton::clicked, this, [this] {
    form_.CyclePeriod();
    ShowForm();
  });
  connect(move_, &QPushButton::clicked, this, &InactiveDialog::Move);
  connect(edit_, &QPushButton::clicked, this, &InactiveDialog::Edit);
  connect(delete_, &QPushButton::clicked, this, &InactiveDialog::Delete);
  connect(close_, &QPushButton::clicked, this, &InactiveDialog::reject);
  ShowForm();
}

void InactiveDialog::ShowForm() {
  FillStatusList(left_, form_.left(), form_.side() == ListSide::kLeft ? form_.row() : -1);
  FillStatusList(right_, form_.right(), form_.side() == ListSide::kRight ? form_.row() : -1);
  right_->setVisible(form_.right_shown());
  right_heading_->setVisible(form_.right_shown());
  period_->setVisible(form_.period_shown());
  period_->setText(Q(form_.period_caption()));
  period_->setAccessibleName(Plain(form_.period_caption()));
  move_->setText(Q(form_.move_caption()));
  move_->setAccessibleName(Plain(form_.move_caption()));
  move_->setEnabled(form_.move_enabled());
  edit_->setVisible(form_.edit_shown());
  delete_->setVisible(form_.delete_shown());
}

void InactiveDialog::Move() {
  form_.Move(DialogMonthAsker(this));
  ShowForm();
}

void InactiveDialog::Edit() {
  int rec = form_.selected_record();
  if (rec > 0) RunPublisherEditDialog(this, doc_, clipboard_, PublisherKind::kPublisher, rec);
  form_.Refresh();
  ShowForm();
}

void InactiveDialog::Delete() {
  int rec = form_.selected_record();
  if (rec <= 0) return;
  // The deleted mode deletes by itself; the inactive mode uses the records' dialog.
  if (!form_.right_shown()) {
    form_.DeleteSelected();
  } else {
    RunDeleteDialog(this, doc_, rec);
    form_.Refresh();
  }
  ShowForm();
}

void RunInactiveDialog(QWidget* parent, CZarimDoc& doc, InactiveForm::Mode mode,
                       Clipboard* clipboard) {
  InactiveForm form(doc, mode);
  InactiveDialog dialog(doc, form, parent, clipboard);
  dialog.ShowForm();
  dialog.exec();
}

}  // namespace zarim
