// The attendance record and emergency contact form dialogs.
#include "shell/dialogs/attendance_forms_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "records/group_picker_form.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/group_picker_dialog.h"

namespace zarim {

AttendanceRecordDialog::AttendanceRecordDialog(AttendanceRecordForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  auto* caption = new QLabel(Q(Sid::kAttRecordYearCaption), this);
  years_ = new QComboBox(this);
  caption->setBuddy(years_);
  years_->setAccessibleName(Plain(Sid::kAttRecordYearCaption));
  for (const std::string& item : form.YearItems()) years_->addItem(Q(item));
  years_->setCurrentIndex(form.year_index);
  two_ = new QCheckBox(Q(Sid::kAttRecordTwoYears), this);
  two_->setAccessibleName(Plain(Sid::kAttRecordTwoYears));
  two_->setChecked(form.two_years);
  layout->addWidget(caption);
  layout->addWidget(years_);
  layout->addWidget(two_);
  layout->addWidget(MakeOkCancel(this).box);
}

void AttendanceRecordDialog::accept() {
  form_.year_index = std::max(years_->currentIndex(), 0);
  form_.two_years = two_->isChecked();
  QDialog::accept();
}

EmergencyFormsDialog::EmergencyFormsDialog(EmergencyFormsForm& form, const CZarimDoc& doc,
                                           QWidget* parent)
    : QDialog(parent), form_(form), doc_(doc) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  scope_ = new QLabel(this);
  auto* caption = new QLabel(Q(Sid::kEmFormsHouseholds), this);
  list_ = new QListWidget(this);
  caption->setBuddy(list_);
  list_->setAccessibleName(Plain(Sid::kEmFormsHouseholds));
  layout->addWidget(scope_);
  layout->addWidget(caption);
  layout->addWidget(list_);

  auto* row = new QHBoxLayout;
  QPushButton* all = MakeButton(Str(Sid::kEmFormsAll), this);
  QPushButton* none = MakeButton(Str(Sid::kEmFormsNone), this);
  group_ = MakeButton(Str(Sid::kEmFormsGroup), this);
  QPushButton* whole = MakeButton(Str(Sid::kEmFormsWholeCongregation), this);
  for (QPushButton* b : {all, none, group_, whole}) {
    b->setAutoDefault(false);
    row->addWidget(b);
  }
  layout->addLayout(row);
  layout->addWidget(MakeOkCancel(this).box);

  connect(all, &QPushButton::clicked, this, [this] {
    form_.CheckAll(true);
    Fill();
  });
  connect(none, &QPushButton::clicked, this, [this] {
    form_.CheckAll(false);
    Fill();
  });
  // The households of one group, chosen with the group picker.
  connect(group_, &QPushButton::clicked, this, [this] {
    const int proposed = form_.group() > 0 ? form_.group() : 1;
    const int g =
        RunGroupPickerDialog(this, doc_, GroupPickerForm::Purpose::kMembersNeeded, proposed);
    if (g > 0) ShowGroup(g);
  });
  connect(whole, &QPushButton::clicked, this, [this] { ShowGroup(0); });
  Fill();
}

void EmergencyFormsDialog::ShowGroup(int group) {
  form_.SetGroup(group);
  Fill();
}

void EmergencyFormsDialog::Fill() {
  scope_->setText(Q(form_.ScopeText()));
  const int current = std::max(list_->currentRow(), 0);
  list_->clear();
  // Space ticks the current household.
  for (size_t i = 0; i < form_.names().size(); ++i) {
    auto* item = new QListWidgetItem(Q(form_.names()[i]), list_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(form_.checked(static_cast<int>(i)) ? Qt::Checked : Qt::Unchecked);
  }
  if (list_->count() > 0) list_->setCurrentRow(std::min(current, list_->count() - 1));
}

void EmergencyFormsDialog::TakeTicks() {
  for (int i = 0; i < list_->count(); ++i)
    form_.SetChecked(i, list_->item(i)->checkState() == Qt::Checked);
}

void EmergencyFormsDialog::accept() {
  TakeTicks();
  QDialog::accept();
}

bool RunAttendanceRecordDialog(QWidget* parent, const CZarimDoc& doc, ReportSelection* selection) {
  AttendanceRecordForm form(doc);
  AttendanceRecordDialog dialog(form, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  *selection = form.Selection();
  return true;
}

bool RunEmergencyFormsDialog(QWidget* parent, const CZarimDoc& doc, int* kind, int* group,
                             ReportSelection* selection) {
  EmergencyFormsForm form(doc);
  EmergencyFormsDialog dialog(form, doc, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  *kind = form.kind();
  *group = form.group();
  *selection = form.Selection();
  return true;
}

}  // namespace zarim
