// The emergency-contact dialog.
#include "shell/dialogs/emergency_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/strings.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

EmergencyDialog::EmergencyDialog(EmergencyForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QFormLayout;
  layout->addLayout(grid);
  static constexpr Sid kCaptions[] = {Sid::kEmergencyContactName, Sid::kEmergencyContactInfo,
                                      Sid::kContactHomePhone, Sid::kContactMobilePhone,
                                      Sid::kContactWorkPhone};
  for (int i = 0; i < 5; ++i) {
    auto* edit = new QLineEdit(this);
    edit->setAccessibleName(Plain(Str(kCaptions[i])));
    const int length = form.MaxLength(static_cast<EmergencyForm::Field>(i));
    edit->setMaxLength(length);
    // Wide enough to read what is typed: the names and notes at 40 characters, the
    // telephone numbers whole.
    FitCharacters(edit, std::min(length, 40));
    auto* label = new QLabel(Q(Str(kCaptions[i])), this);
    label->setBuddy(edit);
    grid->addRow(label, edit);
    fields_[i] = edit;
  }
  grid->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
  jw_ = new QCheckBox(Q(Sid::kJwYes), this);
  jw_->setAccessibleName(jw_->text());
  layout->addWidget(jw_);
  shared_ = new QLabel(Q(Sid::kContactShared), this);
  layout->addWidget(shared_);
  use_existing_ = MakeButton(Str(Sid::kUseExistingEmergencyContact), this);
  stop_ = MakeButton(Str(Sid::kStopUsingContact), this);
  layout->addWidget(use_existing_);
  layout->addWidget(stop_);
  layout->addWidget(MakeOkCancel(this).box);
  connect(use_existing_, &QPushButton::clicked, this, [this] {
    auto choices = form_.ExistingContacts();
    std::vector<std::string> names;
    for (const auto& c : choices) names.push_back(c.name);
    int i = ChooseFromList(this, Q(Sid::kEmergencyContactListTitle), names);
    if (i >= 0) UseExisting(choices[i].id);
  });
  connect(stop_, &QPushButton::clicked, this, [this] {
    Collect();
    form_.StopUsing();
    ShowForm();
  });
  ShowForm();
}

void EmergencyDialog::ShowForm() {
  const std::string* texts[] = {&form_.name, &form_.info, &form_.home, &form_.mobile, &form_.work};
  for (int i = 0; i < 5; ++i) fields_[i]->setText(Q(*texts[i]));
  jw_->setChecked(form_.jw);
  use_existing_->setVisible(form_.use_existing_shown());
  stop_->setVisible(form_.stop_shown());
  shared_->setVisible(form_.shared_note_shown());
}

void EmergencyDialog::Collect() {
  std::string* texts[] = {&form_.name, &form_.info, &form_.home, &form_.mobile, &form_.work};
  for (int i = 0; i < 5; ++i) *texts[i] = StdStr(fields_[i]->text());
  form_.jw = jw_->isChecked();
}

void EmergencyDialog::UseExisting(uint16_t id) {
  form_.UseExisting(id);
  ShowForm();
}

void EmergencyDialog::accept() {
  Collect();
  if (form_.Ok() == EmergencyForm::Result::kClosed) {
    QDialog::accept();
    return;
  }
  field(form_.focus_field())->setFocus();
}

void RunEmergencyDialog(QWidget* parent, CZarimDoc& doc, PubRecord& target,
                        const std::string& typed_name) {
  EmergencyForm form(doc, target);
  if (!typed_name.empty()) form.publisher_name = typed_name;
  EmergencyDialog dialog(form, parent);
  dialog.exec();
}

}  // namespace zarim
