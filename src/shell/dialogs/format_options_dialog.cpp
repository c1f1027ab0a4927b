// The "Formatting Options" dialog.
#include "shell/dialogs/format_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/document.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {
FormatOptionsDialog::FormatOptionsDialog(FormatOptionsForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < FormatOptionsForm::kCheckCount; ++i) {
    auto c = static_cast<FormatOptionsForm::Check>(i);
    auto* box = new QCheckBox(Q(form.CheckCaption(c)), this);
    box->setAccessibleName(Plain(form.CheckCaption(c)));
    box->setVisible(form.IsShown(c));
    connect(box, &QCheckBox::toggled, this, [this, c](bool on) {
      if (showing_) return;
      form_.SetChecked(c, on);
      ShowForm();
    });
    checks_[i] = box;
    layout->addWidget(box);
  }
  auto* fields = new QFormLayout;
  const auto items = FormatOptionsForm::MarginItems();
  auto make_list = [&](const std::string& caption) {
    auto* list = new QComboBox(this);
    for (const auto& item : items) list->addItem(Q(item));
    list->setAccessibleName(Plain(caption));
    auto* label = new QLabel(Q(caption), this);
    label->setBuddy(list);
    fields->addRow(label, list);
    return list;
  };
  top_margin_ = make_list(form.TopMarginCaption());
  left_margin_ = make_list(form.LeftMarginCaption());
  name_ = new QLineEdit(this);
  name_->setMaxLength(FormatOptionsForm::kMaxCongregationName);
  name_->setAccessibleName(Plain(form.CongregationNameCaption()));
  auto* name_label = new QLabel(Q(form.CongregationNameCaption()), this);
  name_label->setBuddy(name_);
  fields->addRow(name_label, name_);
  layout->addLayout(fields);
  connect(top_margin_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!showing_) form_.SetTopMargin(i);
  });
  connect(left_margin_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!showing_) form_.SetLeftMargin(i);
  });
  connect(name_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.SetCongregationName(text.toStdString()); });

  layout->addWidget(MakeOkCancel(this).box);
  ShowForm();
  name_->setText(Q(form.congregation_name()));
}

void FormatOptionsDialog::ShowForm() {
  showing_ = true;
  for (int i = 0; i < FormatOptionsForm::kCheckCount; ++i)
    checks_[i]->setChecked(form_.IsChecked(static_cast<FormatOptionsForm::Check>(i)));
  top_margin_->setCurrentIndex(form_.top_margin());
  left_margin_->setCurrentIndex(form_.left_margin());
  showing_ = false;
}

void FormatOptionsDialog::accept() {
  form_.SetCongregationName(name_->text().toStdString());
  QDialog::accept();
}

bool RunFormatOptionsDialog(QWidget* parent, CZarimDoc& doc) {
  FormatOptionsForm form(doc);
  FormatOptionsDialog dialog(form, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  return form.Accept(doc);
}

}  // namespace zarim
