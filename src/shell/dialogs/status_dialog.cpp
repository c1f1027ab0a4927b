// The status dialog of publisher editing.
#include "shell/dialogs/status_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstring>

#include "shell/dialogs/dialog_kit.h"

namespace zarim {

StatusDialog::StatusDialog(StatusForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.title()));
  auto* layout = new QVBoxLayout(this);
  auto* explanation = new QLabel(Q(form.explanation()), this);
  explanation->setWordWrap(true);
  layout->addWidget(explanation);
  auto* group = new QButtonGroup(this);
  for (int c = 0; c < StatusForm::kChoices; ++c) {
    std::string caption = StatusForm::ChoiceCaption(c);
    options_[c] = new QRadioButton(Q(caption), this);
    options_[c]->setAccessibleName(Plain(caption));
    group->addButton(options_[c], c);
    layout->addWidget(options_[c]);
  }
  auto* lists = new QFormLayout;
  months_ = new QComboBox(this);
  months_->setAccessibleName(Plain(Sid::kSelectMonthLabel));
  for (const auto& m : form.months()) months_->addItem(Q(m));
  months_->setCurrentIndex(form.month_index());
  years_ = new QComboBox(this);
  years_->setAccessibleName(Plain(Sid::kSelectYearLabel));
  for (const auto& y : form.years()) years_->addItem(Q(y));
  years_->setCurrentIndex(form.year_index());
  auto* month_label = new QLabel(Q(Sid::kSelectMonthLabel), this);
  month_label->setBuddy(months_);
  year_label_ = new QLabel(Q(Sid::kSelectYearLabel), this);
  year_label_->setBuddy(years_);
  lists->addRow(month_label, months_);
  lists->addRow(year_label_, years_);
  layout->addLayout(lists);
  note_ = new QLabel(Q(form.note()), this);
  note_->setWordWrap(true);
  layout->addWidget(note_);

  const OkCancelRow buttons = MakeOkCancel(this, Sid::kSelectMonthOk, Sid::kSelectMonthCancel);
  buttons.ok->setDefault(true);
  layout->addWidget(buttons.box);

  connect(group, &QButtonGroup::idClicked, this, [this](int id) {
    form_.SetChoice(id);
    ShowForm();
  });
  connect(months_, &QComboBox::currentIndexChanged, this,
          [this](int i) { form_.set_month_index(i); });
  connect(years_, &QComboBox::currentIndexChanged, this,
          [this](int i) { form_.set_year_index(i); });
  if (form.choice() >= 0) options_[form.choice()]->setChecked(true);
  ShowForm();
}

void StatusDialog::ShowForm() {
  years_->setVisible(form_.years_shown());
  year_label_->setVisible(form_.years_shown());
  note_->setVisible(form_.note_shown());
}

void StatusDialog::accept() {
  form_.set_month_index(months_->currentIndex());
  form_.set_year_index(years_->currentIndex());
  QDialog::accept();
}

bool RunStatusDialogOn(QWidget* parent, const CZarimDoc& doc, PubRecord& record, bool adding) {
  StatusForm form(doc, record, adding);
  StatusDialog dialog(form, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  PubRecord changed = record;
  if (!form.Apply(changed) || std::memcmp(&changed, &record, sizeof record) == 0) return false;
  record = changed;
  return true;
}

bool RunStatusDialog(QWidget* parent, CZarimDoc& doc, int rec) {
  if (rec <= 0 || rec >= doc.count) return false;
  return RunStatusDialogOn(parent, doc, doc.records[rec]);
}

}  // namespace zarim
