// The long name and special needs dialog.
#include "shell/dialogs/contact_info_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/strings.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

ContactInfoDialog::ContactInfoDialog(ContactInfoForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Q(Sid::kAllFieldsOptional), this));
  auto* grid = new QFormLayout;
  layout->addLayout(grid);
  auto make = [&](Sid caption, ContactInfoForm::Field f) {
    auto* edit = new QLineEdit(this);
    edit->setAccessibleName(Plain(Str(caption)));
    edit->setMaxLength(form.MaxLength(f));
    grid->addRow(Q(Str(caption)), edit);
    return edit;
  };
  long_name_ = make(Sid::kLongName, ContactInfoForm::Field::kLongName);
  other_ = make(Sid::kOtherContactInformation, ContactInfoForm::Field::kOther);
  need_ = make(Sid::kSpecialNeedsLabel, ContactInfoForm::Field::kNeed);
  shared_ = new QLabel(Q(Sid::kNeedShared), this);
  layout->addWidget(shared_);
  use_common_ = MakeButton(Str(Sid::kUseCommonNeed), this);
  stop_ = MakeButton(Str(Sid::kStopUsingNeed), this);
  layout->addWidget(use_common_);
  layout->addWidget(stop_);
  layout->addWidget(MakeOkCancel(this).box);
  connect(use_common_, &QPushButton::clicked, this, [this] {
    Collect();
    auto choices = form_.CommonNeeds();
    std::vector<std::string> texts;
    for (const auto& c : choices) texts.push_back(c.text);
    int i = ChooseFromList(this, Plain(Sid::kUseCommonNeed), texts);
    if (i >= 0) form_.UseCommon(choices[i].id);
    ShowForm();
  });
  connect(stop_, &QPushButton::clicked, this, [this] {
    Collect();
    form_.StopUsingShared();
    ShowForm();
  });
  ShowForm();
}

void ContactInfoDialog::ShowForm() {
  long_name_->setText(Q(form_.long_name));
  other_->setText(Q(form_.other));
  need_->setText(Q(form_.need));
  use_common_->setVisible(form_.use_common_shown());
  stop_->setVisible(form_.shared_shown());
  shared_->setVisible(form_.shared_shown());
}

void ContactInfoDialog::Collect() {
  form_.long_name = StdStr(long_name_->text());
  form_.other = StdStr(other_->text());
  form_.need = StdStr(need_->text());
}

void ContactInfoDialog::accept() {
  Collect();
  if (form_.Ok()) {
    QDialog::accept();
    return;
  }
  QLineEdit* focus[] = {long_name_, other_, need_};
  focus[static_cast<int>(form_.focus_field())]->setFocus();
}

void RunContactInfoDialog(QWidget* parent, CZarimDoc& doc, PubRecord& target) {
  ContactInfoForm form(doc, target);
  ContactInfoDialog dialog(form, parent);
  dialog.exec();
}

}  // namespace zarim
