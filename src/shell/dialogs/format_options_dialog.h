// "Formatting Options": the check boxes, the two margin lists and the congregation name,
// bound to FormatOptionsForm.
#pragma once

#include <QDialog>
#include <array>

#include "reports/format_options_form.h"

class QCheckBox;
class QComboBox;
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

}  // namespace zarim
