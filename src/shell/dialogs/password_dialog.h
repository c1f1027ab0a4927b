// "Password Required" and "Password Change": a prompt, a hidden text box, OK and Cancel,
// bound to the library's password forms.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zarim {

class PasswordForm;
class PasswordChangeForm;

class PasswordDialog : public QDialog {
  Q_OBJECT

 public:
  PasswordDialog(PasswordForm& form, QWidget* parent = nullptr);
  PasswordDialog(PasswordChangeForm& form, QWidget* parent = nullptr);

  QLineEdit* edit() const { return edit_; }
  QLabel* prompt() const { return prompt_; }
  QPushButton* ok_button() const { return ok_; }

 protected:
  void reject() override;

 private:
  void Build(const std::string& caption, int max_length);
  void OnTextChanged(const QString& text);
  void OnOk();
  void Sync();

  PasswordForm* check_ = nullptr;
  PasswordChangeForm* change_ = nullptr;
  QLabel* prompt_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace zarim
