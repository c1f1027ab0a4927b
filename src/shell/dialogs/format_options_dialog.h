// "Formatting Options": the check boxes, the two margin lists and the congregation name,
// bound to FormatOptionsForm.
#pragma once

#include <QDialog>
#include <array>

#include "reports/format_options_form.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;

namespace zarim {

class FormatOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  FormatOptionsDialog(FormatOptionsForm& form, QWidget* parent = nullptr);

  QCheckBox* check(FormatOptionsForm::Check c) const { return checks_[c]; }
  QComboBox* top_margin() const { return top_margin_; }
  QComboBox* left_margin() const { return left_margin_; }
  QLineEdit* congregation_name() const { return name_; }

  void accept() override;

 private:
  void ShowForm();

  FormatOptionsForm& form_;
  std::array<QCheckBox*, FormatOptionsForm::kCheckCount> checks_{};
  QComboBox* top_margin_ = nullptr;
  QComboBox* left_margin_ = nullptr;
  QLineEdit* name_ = nullptr;
  bool showing_ = false;
};

// Runs the dialog on the document; true when OK changed something.
bool RunFormatOptionsDialog(QWidget* parent, CZarimDoc& doc);

// The first start's question for the congregation's name: the name field of the
// formatting options on its own.
class CongregationNameDialog : public QDialog {
  Q_OBJECT

 public:
  CongregationNameDialog(FormatOptionsForm& form, QWidget* parent = nullptr);
  QLineEdit* congregation_name() const { return name_; }
  void accept() override;

 private:
  FormatOptionsForm& form_;
  QLineEdit* name_ = nullptr;
};

// Asks for the name and writes it into the document; true when a name was given.
bool AskCongregationName(QWidget* parent, CZarimDoc& doc);

// The congregation name's field and the line under it that says when the name was cut.
QLineEdit* AddNameField(FormatOptionsForm& form, const QString& caption, QFormLayout* fields,
                        QWidget* parent);

}  // namespace zarim
