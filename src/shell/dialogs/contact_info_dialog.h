// The long name, other contact information and special needs dialog, bound to
// ContactInfoForm.
#pragma once

#include <QDialog>

#include "records/contact_info_form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zarim {

class ContactInfoDialog : public QDialog {
  Q_OBJECT

 public:
  ContactInfoDialog(ContactInfoForm& form, QWidget* parent = nullptr);
  QLineEdit* long_name() const { return long_name_; }
  QLineEdit* other() const { return other_; }
  QLineEdit* need() const { return need_; }
  QPushButton* use_common() const { return use_common_; }
  QPushButton* stop() const { return stop_; }
  QLabel* shared_note() const { return shared_; }
  void accept() override;

 private:
  void ShowForm();
  void Collect();
  ContactInfoForm& form_;
  QLineEdit *long_name_ = nullptr, *other_ = nullptr, *need_ = nullptr;
  QPushButton *use_common_ = nullptr, *stop_ = nullptr;
  QLabel* shared_ = nullptr;
};

void RunContactInfoDialog(QWidget* parent, CZarimDoc& doc, PubRecord& target);

}  // namespace zarim
