// The "Delete" dialog.
#include "shell/dialogs/delete_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/strings.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

DeleteDialog::DeleteDialog(DeleteForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setWindowTitle(Q(Sid::kDeleteTitle));
  auto* layout = new QVBoxLayout(this);
  auto* question = new QLabel(Q(form.Question()), this);
  layout->addWidget(question);
  permanent_ = new QRadioButton(Q(Sid::kDeletePermanently), this);
  temporary_ = new QRadioButton(Q(Sid::kDeleteTemporarily), this);
  permanent_->setAccessibleName(permanent_->text());
  temporary_->setAccessibleName(temporary_->text());
  layout->addWidget(permanent_);
  layout->addWidget(temporary_);
  auto* date = new QHBoxLayout;
  month_ = new QComboBox(this);
  year_ = new QComboBox(this);
  for (const auto& t : form.MonthTexts()) month_->addItem(Q(t));
  for (const auto& t : form.YearTexts()) year_->addItem(Q(t));
  NameDateLists(temporary_->text(), month_, nullptr, year_);
  month_->setCurrentIndex(form.month);
  year_->setCurrentIndex(form.year - form.first_year());
  date->addWidget(month_);
  date->addWidget(year_);
  layout->addLayout(date);
  layout->addWidget(MakeOkCancel(this).box);
  auto sync = [this] {
    month_->setEnabled(temporary_->isChecked());
    year_->setEnabled(temporary_->isChecked());
  };
  connect(temporary_, &QRadioButton::toggled, this, sync);
  permanent_->setChecked(!form.temporary);
  temporary_->setChecked(form.temporary);
  sync();
}

void DeleteDialog::accept() {
  form_.temporary = temporary_->isChecked();
  form_.month = month_->currentIndex();
  form_.year = form_.first_year() + year_->currentIndex();
  if (form_.Ok() == DeleteForm::Result::kDeleted) {
    QDialog::accept();
  } else {
    QDialog::reject();
  }
}

bool RunDeleteDialog(QWidget* parent, CZarimDoc& doc, int rec) {
  DeleteForm form(doc, rec);
  DeleteDialog dialog(form, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace zarim
