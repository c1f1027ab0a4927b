// The "Select Month" dialog of the status moves, bound to SelectMonthForm.
#pragma once

#include <QDialog>

#ifndef Q_MOC_RUN
#include "cycle/status_moves.h"
#endif

class QCheckBox;
class QComboBox;
class QListWidget;

namespace zarim {

class SelectMonthDialog : public QDialog {
  Q_OBJECT

 public:
  SelectMonthDialog(SelectMonthForm& form, QWidget* parent = nullptr);

  QListWidget* month_list() const { return months_; }
  QComboBox* year_list() const { return years_; }
  QCheckBox* tick_box() const { return tick_; }
  void accept() override;

 private:
  SelectMonthForm& form_;
  QListWidget* months_ = nullptr;
  QComboBox* years_ = nullptr;
  QCheckBox* tick_ = nullptr;
};

// The month asker of the desktop: shows the dialog modally over parent.
MonthAsker DialogMonthAsker(QWidget* parent);

}  // namespace zarim
