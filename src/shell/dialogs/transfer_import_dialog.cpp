// "Import Transfer File".
#include "shell/dialogs/transfer_import_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_kit.h"

namespace zarim {

TransferImportDialog::TransferImportDialog(TransferImportForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(Q(form.FileLabel()), this);
  file_ = new QLineEdit(Q(form.file()), this);
  file_->setAccessibleName(Plain(form.FileLabel()));
  file_->setMinimumWidth(360);
  label->setBuddy(file_);
  browse_ = MakeButton(form.BrowseCaption(), this);
  row->addWidget(label);
  row->addWidget(file_, 1);
  row->addWidget(browse_);
  layout->addLayout(row);
  preview_ = new QLabel(this);
  preview_->setWordWrap(true);
  preview_->setAccessibleName(Plain(form.Title()));
  preview_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  layout->addWidget(preview_);
  const OkCancelRow buttons = MakeOkCancel(this);
  ok_ = buttons.ok;
  layout->addWidget(buttons.box);

  connect(file_, &QLineEdit::editingFinished, this, [this] {
    if (StdStr(file_->text()) != form_.file()) {
      form_.SetFile(StdStr(file_->text()));
      ShowForm();
    }
  });
  connect(browse_, &QPushButton::clicked, this, [this] {
    const QString start = form_.file().empty() ? QDir::homePath() : Q(form_.file());
    const QString path = QFileDialog::getOpenFileName(this, Q(form_.OpenTitle()), start,
                                                      Q(form_.Filter()) + " (*.xml)");
    if (path.isEmpty()) return;
    file_->setText(path);
    form_.SetFile(StdStr(path));
    ShowForm();
    ok_->setFocus();
  });
  ShowForm();
}

void TransferImportDialog::ShowForm() {
  preview_->setText(Q(form_.Preview()));
  ok_->setEnabled(form_.IsOkEnabled());
}

void TransferImportDialog::accept() {
  if (StdStr(file_->text()) != form_.file()) {
    form_.SetFile(StdStr(file_->text()));
    ShowForm();
  }
  if (form_.IsOkEnabled() && form_.Ok() > 0) QDialog::accept();
}

bool RunTransferImportDialog(QWidget* parent, TransferImportForm& form) {
  TransferImportDialog dialog(form, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace zarim
