// Runs the password dialogs.
#include "shell/qt_password_runner.h"

#include "shell/dialogs/password_dialog.h"

namespace zarim {

void QtPasswordRunner::Run(PasswordForm& form) {
  PasswordDialog dialog(form, parent_);
  if (!form.finished()) dialog.exec();
}

void QtPasswordRunner::Run(PasswordChangeForm& form) {
  PasswordDialog dialog(form, parent_);
  if (!form.finished()) dialog.exec();
}

}  // namespace zarim
