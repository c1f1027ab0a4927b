// The label selection dialog.
#include "shell/dialogs/labels_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

#include "reports/labels.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

LabelsDialog::LabelsDialog(LabelForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setWindowTitle(Q(Sid::kSelectLabelsTitle));
  auto* layout = new QVBoxLayout(this);
  if (form.choose_people()) {
    auto* caption = new QLabel(Q(Sid::kLabelsSelectedPublishers), this);
    list_ = new QListWidget(this);
    caption->setBuddy(list_);
    list_->setAccessibleName(Plain(Sid::kLabelsSelectedPublishers));
    // Space ticks the current name; the list keeps the order of the publisher table.
    for (size_t i = 0; i < form.names().size(); ++i) {
      auto* item = new QListWidgetItem(Q(form.names()[i]), list_);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(form.checked(static_cast<int>(i)) ? Qt::Checked : Qt::Unchecked);
    }
    if (list_->count() > 0) list_->setCurrentRow(0);
    layout->addWidget(caption);
    layout->addWidget(list_);
  }
  auto* start_caption = new QLabel(Q(Sid::kSelectStartingLabel), this);
  start_ = new QSpinBox(this);
  start_->setRange(1, kLabelsPerSheet);
  start_->setValue(form.start_label);
  start_caption->setBuddy(start_);
  start_->setAccessibleName(Plain(Sid::kSelectStartingLabel));
  layout->addWidget(start_caption);
  layout->addWidget(start_);
  layout->addWidget(MakeOkCancel(this).box);
}

void LabelsDialog::accept() {
  if (list_) {
    for (int i = 0; i < list_->count(); ++i)
      form_.SetChecked(i, list_->item(i)->checkState() == Qt::Checked);
  }
  form_.start_label = start_->value();
  QDialog::accept();
}

bool RunLabelsDialog(QWidget* parent, const CZarimDoc& doc, bool choose_people,
                     ReportSelection* selection) {
  LabelForm form(doc, choose_people);
  LabelsDialog dialog(form, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  *selection = form.Selection();
  return true;
}

}  // namespace zarim
