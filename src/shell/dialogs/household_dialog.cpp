// The household dialog.
#include "shell/dialogs/household_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/strings.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

HouseholdDialog::HouseholdDialog(HouseholdForm& form, CZarimDoc& doc, QWidget* parent)
    : QDialog(parent), form_(form), doc_(doc) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  auto* head = new QLabel(Q(form.HeadName()), this);
  layout->addWidget(head);
  members_ = new QListWidget(this);
  members_->setAccessibleName(Q(form.Title()));
  layout->addWidget(members_);
  empty_ = new QLabel(this);
  layout->addWidget(empty_);
  add_ = MakeButton(Str(Sid::kSelectFamilyMember), this);
  remove_ = MakeButton(Str(Sid::kDeleteButton), this);
  layout->addWidget(add_);
  layout->addWidget(remove_);
  add_->setVisible(form.editable());
  remove_->setVisible(form.editable());
  layout->addWidget(MakeOkCancel(this).box);
  connect(add_, &QPushButton::clicked, this, [this] {
    FamilyMemberChooser chooser(doc_, form_.head(), form_.head_id());
    std::vector<std::string> texts;
    std::vector<bool> selectable;
    for (const auto& c : chooser.candidates()) {
      texts.push_back(c.text);
      selectable.push_back(c.selectable);
    }
    int i = ChooseFromList(this, Q(Sid::kSelectFamilyMember), texts, selectable);
    if (i >= 0) form_.Add(chooser.candidates()[i].rec);
    Fill();
  });
  connect(remove_, &QPushButton::clicked, this, [this] {
    int row = members_->currentRow();
    auto list = form_.Members();
    if (row >= 0 && row < static_cast<int>(list.size())) form_.Remove(list[row].rec);
    Fill();
  });
  Fill();
}

void HouseholdDialog::Fill() {
  members_->clear();
  for (const auto& m : form_.Members()) members_->addItem(Q(m.name));
  if (members_->count() > 0) members_->setCurrentRow(0);
  empty_->setText(Q(form_.EmptyText()));
}

void HouseholdDialog::accept() {
  form_.Ok();
  QDialog::accept();
}

void HouseholdDialog::reject() {
  form_.Cancel();
  QDialog::reject();
}

void RunHouseholdDialog(QWidget* parent, CZarimDoc& doc, int rec) {
  HouseholdForm form(doc, rec);
  HouseholdDialog dialog(form, doc, parent);
  dialog.exec();
}

void RunNewHouseholdDialog(QWidget* parent, CZarimDoc& doc, uint16_t head_id,
                           const std::string& head_name) {
  HouseholdForm form(doc, head_id, head_name);
  HouseholdDialog dialog(form, doc, parent);
  dialog.exec();
}

}  // namespace zarim
