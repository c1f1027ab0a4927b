// The group picker dialog.
#include "shell/dialogs/group_picker_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_kit.h"

namespace zarim {

GroupPickerDialog::GroupPickerDialog(GroupPickerForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(Q(form.ListCaption()), this);
  list_ = new QComboBox(this);
  label->setBuddy(list_);
  list_->setAccessibleName(Plain(form.ListCaption()));
  for (const auto& item : form.Items()) list_->addItem(Q(item));
  layout->addWidget(label);
  layout->addWidget(list_);
  if (!form.NoGroupsNote().empty()) {
    auto* note = new QLabel(Q(form.NoGroupsNote()), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    label->hide();
    list_->hide();
    setAccessibleDescription(note->text());
  }

  const OkCancelRow row = MakeOkCancel(this, Sid::kOkButton, Sid::kCancelButton, false);
  QDialogButtonBox* buttons = row.box;
  ok_ = row.ok;
  cancel_ = row.cancel;
  print_all_ = buttons->addButton(QString(), QDialogButtonBox::ActionRole);
  print_selected_ = buttons->addButton(QString(), QDialogButtonBox::ActionRole);
  layout->addWidget(buttons);

  connect(list_, &QComboBox::currentIndexChanged, this, [this](int i) {
    form_.Select(i);
    ShowForm();
  });
  connect(ok_, &QPushButton::clicked, this, &GroupPickerDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &GroupPickerDialog::reject);
  connect(print_all_, &QPushButton::clicked, this, [this] {
    if (form_.PrintAll()) QDialog::accept();
  });
  connect(print_selected_, &QPushButton::clicked, this, [this] {
    if (form_.PrintSelected()) QDialog::accept();
  });
  if (form.selection() >= 0) list_->setCurrentIndex(form.selection());
  ShowForm();
}

void GroupPickerDialog::ShowForm() {
  ok_->setVisible(form_.IsOkShown());
  ok_->setEnabled(form_.IsOkEnabled());
  const bool print = form_.ArePrintButtonsShown();
  print_all_->setVisible(print);
  print_selected_->setVisible(print);
  print_all_->setText(Q(form_.PrintAllCaption()));
  print_all_->setAccessibleName(print_all_->text());
  print_selected_->setText(Q(form_.PrintSelectedCaption()));
  print_selected_->setAccessibleName(print_selected_->text());
}

void GroupPickerDialog::accept() {
  // Enter on a group that the form refuses keeps the dialog open.
  if (form_.Ok()) QDialog::accept();
}

void GroupPickerDialog::reject() {
  form_.Cancel();
  QDialog::reject();
}

int RunGroupPickerDialog(QWidget* parent, const CZarimDoc& doc, GroupPickerForm::Purpose purpose,
                         int proposed) {
  GroupPickerForm form(doc, purpose, proposed);
  GroupPickerDialog dialog(form, parent);
  if (dialog.exec() != QDialog::Accepted || form.result() != GroupPickerForm::Result::kOk) return 0;
  return form.group();
}

}  // namespace zarim
