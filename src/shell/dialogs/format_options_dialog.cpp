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

QLineEdit* AddNameField(FormatOptionsForm& form, const QString& caption, QFormLayout* fields,
                        QWidget* parent) {
  auto* name = new QLineEdit(Q(form.congregation_name()), parent);
  name->setAccessibleName(Plain(caption));
  // Wide enough to show a whole name at any scale.
  name->setMinimumWidth(name->fontMetrics().horizontalAdvance(
                            QString(FormatOptionsForm::kMaxCongregationName, QLatin1Char('n'))) +
                        name->fontMetrics().height());
  auto* label = new QLabel(caption, parent);
  label->setBuddy(name);
  fields->addRow(label, name);
  // A name too long for the reports is cut where it is typed or pasted, and the line
  // under it says so.
  auto* note = new QLabel(parent);
  note->setWordWrap(true);
  note->setVisible(false);
  fields->addRow(note);
  FormatOptionsForm* kept = &form;
  QObject::connect(name, &QLineEdit::textEdited, parent, [kept, name, note](const QString& text) {
    kept->SetCongregationName(text.toStdString());
    if (Q(kept->congregation_name()) != text) name->setText(Q(kept->congregation_name()));
    const QString said = Q(kept->NameCutNote());
    note->setText(said);
    note->setVisible(!said.isEmpty());
    name->setAccessibleDescription(said);
  });
  return name;
}

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
  name_ = AddNameField(form_, Q(form.CongregationNameCaption()), fields, this);
  layout->addLayout(fields);
  connect(top_margin_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!showing_) form_.SetTopMargin(i);
  });
  connect(left_margin_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!showing_) form_.SetLeftMargin(i);
  });
  layout->addWidget(MakeOkCancel(this).box);
  ShowForm();
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
  if (form_.NameRefused()) {  // the note under the name says why
    name_->setFocus();
    return;
  }
  QDialog::accept();
}

CongregationNameDialog::CongregationNameDialog(FormatOptionsForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setWindowTitle(Q(Sid::kCongNameTitle));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(Q(Sid::kCongNameText), this);
  text->setWordWrap(true);
  layout->addWidget(text);
  auto* fields = new QFormLayout;
  name_ = AddNameField(form_, Q(Sid::kCongNameLabel), fields, this);
  layout->addLayout(fields);
  layout->addWidget(MakeOkCancel(this).box);
}

void CongregationNameDialog::accept() {
  form_.SetCongregationName(name_->text().toStdString());
  if (form_.NameRefused()) {  // the note under the name says why
    name_->setFocus();
    return;
  }
  QDialog::accept();
}

bool AskCongregationName(QWidget* parent, CZarimDoc& doc) {
  FormatOptionsForm form(doc);
  CongregationNameDialog dialog(form, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  return form.Accept(doc);
}

bool RunFormatOptionsDialog(QWidget* parent, CZarimDoc& doc) {
  FormatOptionsForm form(doc);
  FormatOptionsDialog dialog(form, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  return form.Accept(doc);
}

}  // namespace zarim
