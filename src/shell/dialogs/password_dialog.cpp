// The password dialogs: every keystroke and OK go to the form, which decides when the
// dialog ends and what the prompt and the box show.
#include "shell/dialogs/password_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/password_form.h"
#include "core/strings.h"
#include "shell/main_window.h"

namespace zarim {

PasswordDialog::PasswordDialog(PasswordForm& form, QWidget* parent)
    : QDialog(parent), check_(&form) {
  Build(form.caption(), PasswordForm::kBoxLength);
}

PasswordDialog::PasswordDialog(PasswordChangeForm& form, QWidget* parent)
    : QDialog(parent), change_(&form) {
  // One more than the longest password, so that the 14th character reaches the form.
  Build(form.caption(), PasswordChangeForm::kMaxLength + 1);
}

void PasswordDialog::Build(const std::string& caption, int max_length) {
  setWindowTitle(Q(caption));
  setAccessibleName(Q(caption));
  auto* layout = new QVBoxLayout(this);
  prompt_ = new QLabel(this);
  prompt_->setAccessibleName(Q(Str(Sid::kAccPrompt)));
  edit_ = new QLineEdit(this);
  edit_->setEchoMode(QLineEdit::Password);
  edit_->setMaxLength(max_length);
  edit_->setAccessibleName(Q(Str(Sid::kAccPasswordBox)));
  prompt_->setBuddy(edit_);
  const OkCancelRow buttons = MakeOkCancel(this, Sid::kOk, Sid::kCancel, false);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  ok_->setDefault(true);
  // What the password does and does not protect, said where it is typed.
  auto* scope = new QLabel(Q(Sid::kPasswordScope), this);
  scope->setWordWrap(true);
  scope->setAccessibleName(Q(Sid::kPasswordScope));
  layout->addWidget(prompt_);
  layout->addWidget(edit_);
  layout->addWidget(scope);
  layout->addWidget(buttons.box);
  setTabOrder(edit_, ok_);
  setTabOrder(ok_, cancel_);
  connect(edit_, &QLineEdit::textChanged, this, &PasswordDialog::OnTextChanged);
  connect(ok_, &QPushButton::clicked, this, &PasswordDialog::OnOk);
  connect(cancel_, &QPushButton::clicked, this, &PasswordDialog::reject);
  Sync();
  edit_->setFocus();
}

void PasswordDialog::OnTextChanged(const QString& text) {
  const std::string utf8 = text.toStdString();
  if (check_) check_->TextChanged(utf8);
  if (change_) change_->TextChanged(utf8);
  Sync();
}

void PasswordDialog::OnOk() {
  if (check_) check_->Ok();
  if (change_) change_->Ok();
  Sync();
}

void PasswordDialog::reject() {
  if (check_) check_->Cancel();
  if (change_) change_->Cancel();
  QDialog::reject();
}

void PasswordDialog::Sync() {
  const std::string& prompt = check_ ? check_->prompt() : change_->prompt();
  prompt_->setText(Q(prompt));
  if (change_ && edit_->text() != Q(change_->text())) {
    QSignalBlocker block(edit_);
    edit_->setText(Q(change_->text()));
  }
  if (check_ && check_->finished()) done(check_->accepted() ? Accepted : Rejected);
  if (change_ && change_->finished()) {
    done(change_->result() == PasswordChangeForm::Result::kNotChanged ? Rejected : Accepted);
  }
}

}  // namespace zarim
