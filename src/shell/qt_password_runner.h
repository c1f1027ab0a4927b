// The desktop's PasswordRunner: the password dialogs, modal over the main window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/password_form.h"

namespace zarim {

class QtPasswordRunner : public PasswordRunner {
 public:
  explicit QtPasswordRunner(QWidget* parent = nullptr) : parent_(parent) {}
  void set_parent(QWidget* parent) { parent_ = parent; }
  void Run(PasswordForm& form) override;
  void Run(PasswordChangeForm& form) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace zarim
