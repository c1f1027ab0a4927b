// The "Privileges of service" dialog.
#include "shell/dialogs/appointments_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/strings.h"

namespace zarim {

AppointmentsDialog::AppointmentsDialog(AppointmentsForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  grid->addWidget(new QLabel(Q(Sid::kStartDate), this), 0, 1, 1, 3);
  grid->addWidget(new QLabel(Q(Sid::kEndDate), this), 0, 4, 1, 3);
  for (int r = 0; r < 5; ++r) {
    std::string caption = AppointmentsForm::RowCaption(r);
    ticks_[r] = new QCheckBox(Q(caption), this);
    ticks_[r]->setAccessibleName(Plain(caption));
    ticks_[r]->setChecked(form.rows[r].ticked);
    starts_[r].Create(this, Plain(caption) + QStringLiteral(" ") + Plain(Sid::kStartDate),
                      kFirstListYear, 2100);
    ends_[r].Create(this, Plain(caption) + QStringLiteral(" ") + Plain(Sid::kEndDate),
                    kFirstListYear, 2100);
    starts_[r].Set(form.rows[r].start);
    ends_[r].Set(form.rows[r].end);
    grid->addWidget(ticks_[r], r + 1, 0);
    grid->addWidget(starts_[r].month, r + 1, 1);
    grid->addWidget(starts_[r].day, r + 1, 2);
    grid->addWidget(starts_[r].year, r + 1, 3);
    grid->addWidget(ends_[r].month, r + 1, 4);
    grid->addWidget(ends_[r].day, r + 1, 5);
    grid->addWidget(ends_[r].year, r + 1, 6);
    bool enabled = form.row_enabled(r);
    ticks_[r]->setEnabled(enabled);
    starts_[r].SetEnabled(enabled);
    ends_[r].SetEnabled(enabled);
  }
  special_servant_ = new QCheckBox(Q(Sid::kSpecialServantLong), this);
  special_servant_->setAccessibleName(special_servant_->text());
  special_servant_->setChecked(form.special_servant);
  special_servant_->setVisible(form.special_servant_shown());
  field_missionary_ = new QCheckBox(Q(Sid::kFieldMissionary), this);
  field_missionary_->setAccessibleName(field_missionary_->text());
  field_missionary_->setChecked(form.field_missionary);
  layout->addWidget(special_servant_);
  layout->addWidget(field_missionary_);
  layout->addWidget(MakeOkCancel(this).box);
}

void AppointmentsDialog::accept() {
  for (int r = 0; r < 5; ++r) {
    form_.rows[r].ticked = ticks_[r]->isChecked();
    form_.rows[r].start = starts_[r].Get();
    form_.rows[r].end = ends_[r].Get();
  }
  form_.special_servant = special_servant_->isChecked();
  form_.field_missionary = field_missionary_->isChecked();
  form_.Ok();
  QDialog::accept();
}

void RunAppointmentsDialog(QWidget* parent, CZarimDoc& doc, PublisherForm& publisher) {
  AppointmentsForm form(doc, publisher);
  AppointmentsDialog dialog(form, parent);
  dialog.exec();
}

}  // namespace zarim
