// The circuit overseer, custom category and pioneer list dialogs.
#include "shell/dialogs/records_option_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/strings.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {

// ---- Circuit Overseer ----------------------------------------------------------------

CircuitOverseerDialog::CircuitOverseerDialog(CircuitOverseerForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(Sid::kCircuitOverseerTitle));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QFormLayout;
  layout->addLayout(grid);
  static constexpr Sid kCaptions[] = {Sid::kFirstName,   Sid::kLastName,    Sid::kAddress,
                                      Sid::kHomePhone,   Sid::kMobilePhone, Sid::kOtherPhone,
                                      Sid::kEmailAddress};
  const std::string* values[] = {&form.first,  &form.last,  &form.address, &form.home,
                                 &form.mobile, &form.other, &form.email};
  for (int i = 0; i < 7; ++i) {
    fields_[i] = new QLineEdit(Q(*values[i]), this);
    fields_[i]->setAccessibleName(Q(kCaptions[i]));
    fields_[i]->setMaxLength(form.MaxLength(i));
    grid->addRow(Q(kCaptions[i]), fields_[i]);
  }
  auto* box = new QGroupBox(Q(Sid::kIncludeInContactList), this);
  auto* row = new QHBoxLayout(box);
  const Sid captions[] = {Sid::kAsk, Sid::kYes, Sid::kNo};
  for (int c = 0; c < 3; ++c) {
    include_[c] = new QRadioButton(Q(captions[c]), box);
    include_[c]->setAccessibleName(Q(Sid::kIncludeInContactList).trimmed() + QStringLiteral(": ") +
                                   Q(captions[c]));
    row->addWidget(include_[c]);
  }
  include_[static_cast<int>(form.include)]->setChecked(true);
  layout->addWidget(box);
  layout->addWidget(MakeOkCancel(this).box);
}

void CircuitOverseerDialog::accept() {
  std::string* values[] = {&form_.first,  &form_.last,  &form_.address, &form_.home,
                           &form_.mobile, &form_.other, &form_.email};
  for (int i = 0; i < 7; ++i) *values[i] = StdStr(fields_[i]->text());
  for (int c = 0; c < 3; ++c)
    if (include_[c]->isChecked()) form_.include = static_cast<ContactListChoice>(c);
  form_.Ok();
  QDialog::accept();
}

// ---- Custom category -----------------------------------------------------------------

CustomCategoryDialog::CustomCategoryDialog(CustomCategoryForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(Sid::kCustomCategoryTitle));
  auto* layout = new QVBoxLayout(this);
  auto* prompt = new QLabel(Q(Sid::kCustomCategoryPrompt), this);
  prompt->setWordWrap(true);
  layout->addWidget(prompt);
  name_ = new QLineEdit(Q(form.name), this);
  name_->setAccessibleName(Q(Sid::kCustomCategoryTitle));
  name_->setMaxLength(kMaxCategoryName);
  prompt->setBuddy(name_);
  layout->addWidget(name_);
  enabled_ = new QCheckBox(Q(Sid::kEnableThisCategory), this);
  enabled_->setAccessibleName(enabled_->text());
  enabled_->setChecked(form.enabled);
  layout->addWidget(enabled_);
  layout->addWidget(MakeOkCancel(this).box);
  ask = [this](const CategoryQuestion& q) { return AskCategoryChange(this, q); };
}

void CustomCategoryDialog::accept() {
  form_.name = StdStr(name_->text());
  form_.enabled = enabled_->isChecked();
  if (form_.Ok(ask)) QDialog::accept();
}

std::optional<CategoryChoice> AskCategoryChange(QWidget* parent, const CategoryQuestion& q) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Q(Sid::kChangeCategoryTitle));
  auto* layout = new QVBoxLayout(&dialog);
  auto* text = new QLabel(Q(q.Text()), &dialog);
  text->setWordWrap(true);
  layout->addWidget(text);
  auto* change = new QRadioButton(Q(q.ChangeCaption()), &dialog);
  auto* clear = new QRadioButton(Q(q.ClearCaption()), &dialog);
  change->setAccessibleName(change->text());
  clear->setAccessibleName(clear->text());
  change->setChecked(true);
  layout->addWidget(change);
  layout->addWidget(clear);
  layout->addWidget(MakeOkCancel(&dialog).box);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return clear->isChecked() ? CategoryChoice::kClearAll : CategoryChoice::kChangeAll;
}

// ---- Pioneer lists -------------------------------------------------------------------

PioneerListDialog::PioneerListDialog(PioneerListForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  layout->addLayout(top);
  year_ = new QComboBox(this);
  year_->setAccessibleName(Q(Sid::kYearLabel));
  for (const auto& y : form.YearTexts()) year_->addItem(Q(y));
  year_->setCurrentIndex(form.year_index());
  month_ = new QComboBox(this);
  month_->setAccessibleName(Q(Sid::kMonthLabel));
  top->addWidget(year_);
  top->addWidget(month_);
  special_ = new QCheckBox(Q(Sid::kSpecialPioneers), this);
  special_->setAccessibleName(special_->text());
  special_->setVisible(form.special_shown());
  top->addWidget(special_);
  auto* lists = new QHBoxLayout;
  layout->addLayout(lists);
  left_ = new QListWidget(this);
  right_ = new QListWidget(this);
  left_->setAccessibleName(
      Q(form.special_shown() ? Sid::kRegularPioneer : Sid::kContinuousAuxPioneer));
  right_->setAccessibleName(Q(Sid::kSelectPublisherTitle));
  move_ = new QPushButton(this);
  lists->addWidget(left_);
  lists->addWidget(move_);
  lists->addWidget(right_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
  connect(year_, &QComboBox::currentIndexChanged, this, [this](int i) {
    form_.SelectYear(i);
    FillMonths();
    Fill();
  });
  connect(month_, &QComboBox::currentIndexChanged, this, [this](int i) {
    auto months = form_.Months();
    if (i >= 0 && i < static_cast<int>(months.size())) form_.SelectMonth(months[i]);
    Fill();
  });
  connect(special_, &QCheckBox::toggled, this, [this](bool on) {
    form_.SetSpecial(on);
    Fill();
  });
  auto side = [this](bool left) {
    left_side_ = left;
    move_->setText(Q(PioneerListForm::MoveCaption(left)));
    move_->setAccessibleName(Plain(move_->text()).remove('<').remove('>').trimmed());
  };
  connect(left_, &QListWidget::itemSelectionChanged, this, [side] { side(true); });
  connect(right_, &QListWidget::itemSelectionChanged, this, [side] { side(false); });
  connect(move_, &QPushButton::clicked, this, &PioneerListDialog::Move);
  side(false);
  FillMonths();
  Fill();
}

void PioneerListDialog::FillMonths() {
  QSignalBlocker block(month_);
  month_->clear();
  auto months = form_.Months();
  for (const auto& t : form_.MonthTexts()) month_->addItem(Q(t));
  for (size_t i = 0; i < months.size(); ++i)
    if (months[i] == form_.month()) month_->setCurrentIndex(static_cast<int>(i));
}

void PioneerListDialog::Fill() {
  setWindowTitle(Q(form_.Title()));
  QSignalBlocker bl(left_), br(right_);
  left_->clear();
  right_->clear();
  for (const auto& l : form_.left()) left_->addItem(Q(l.name));
  for (const auto& r : form_.right()) right_->addItem(Q(r.name));
}

void PioneerListDialog::Move() {
  if (left_side_) {
    form_.Remove(left_->currentRow());
  } else {
    form_.Add(right_->currentRow());
  }
  Fill();
}

void RunCircuitOverseerDialog(QWidget* parent, CZarimDoc& doc) {
  CircuitOverseerForm form(doc);
  CircuitOverseerDialog dialog(form, parent);
  dialog.exec();
}

void RunCustomCategoryDialog(QWidget* parent, CZarimDoc& doc) {
  CustomCategoryForm form(doc);
  CustomCategoryDialog dialog(form, parent);
  dialog.exec();
}

void RunPioneerListDialog(QWidget* parent, CZarimDoc& doc, PioneerListForm::Mode mode) {
  PioneerListForm form(doc, mode);
  PioneerListDialog dialog(form, parent);
  dialog.exec();
}

}  // namespace zarim
