// The "Select Month" dialog.
#include "shell/dialogs/select_month_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_kit.h"

namespace zarim {

SelectMonthDialog::SelectMonthDialog(SelectMonthForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.title()));
  auto* layout = new QVBoxLayout(this);
  auto* prompt = new QLabel(Q(form.prompt()), this);
  prompt->setWordWrap(true);
  layout->addWidget(prompt);

  auto* month_label = new QLabel(Q(Sid::kSelectMonthLabel), this);
  months_ = new QListWidget(this);
  month_label->setBuddy(months_);
  months_->setAccessibleName(Q(form.prompt()));
  for (const auto& m : form.months()) months_->addItem(Q(m));
  months_->setCurrentRow(form.month_index());
  layout->addWidget(month_label);
  layout->addWidget(months_);

  if (form.has_years()) {
    auto* year_label = new QLabel(Q(Sid::kSelectYearLabel), this);
    years_ = new QComboBox(this);
    year_label->setBuddy(years_);
    years_->setAccessibleName(Plain(Sid::kSelectYearLabel));
    for (const auto& y : form.years()) years_->addItem(Q(y));
    years_->setCurrentIndex(form.year_index());
    layout->addWidget(year_label);
    layout->addWidget(years_);
  }
  if (form.has_tick()) {
    tick_ = new QCheckBox(Q(form.tick_caption()), this);
    tick_->setAccessibleName(Plain(form.tick_caption()));
    tick_->setChecked(form.ticked());
    layout->addWidget(tick_);
  }

  const OkCancelRow buttons = MakeOkCancel(this, Sid::kSelectMonthOk, Sid::kSelectMonthCancel);
  buttons.ok->setDefault(true);
  layout->addWidget(buttons.box);
  // Double-clicking a month chooses it.
  connect(months_, &QListWidget::itemActivated, this, [this] { accept(); });
  months_->setFocus();
}

void SelectMonthDialog::accept() {
  form_.set_month_index(months_->currentRow());
  if (years_) form_.set_year_index(years_->currentIndex());
  if (tick_) form_.set_ticked(tick_->isChecked());
  QDialog::accept();
}

MonthAsker DialogMonthAsker(QWidget* parent) {
  return [parent](SelectMonthForm& form) {
    SelectMonthDialog dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
  };
}

}  // namespace zarim
