// "Pioneer Y-T-D Hours" and "Year-to-Date Activity Summary": the year-to-date forms of
// the reports library shown as dialogs, each with "&Print" for the printed form.
#pragma once

#include <QDialog>
#include <functional>

#ifndef Q_MOC_RUN
#include "reports/year_to_date.h"
#endif

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace zarim {

// Prints the printed form of a choice: receives the form's print code.
using YtdPrint = std::function<void(int code)>;

class PioneerYtdDialog : public QDialog {
  Q_OBJECT

 public:
  PioneerYtdDialog(PioneerYtdForm& form, YtdPrint print, QWidget* parent = nullptr);

  void ShowForm();

  QComboBox* pioneers() const { return pioneers_; }
  QCheckBox* previous() const { return previous_; }
  QTableWidget* table() const { return table_; }
  QLabel* since() const { return since_; }
  QLabel* remaining() const { return remaining_; }
  QLabel* per_month() const { return per_month_; }
  QPushButton* print_button() const { return print_; }
  QPushButton* done_button() const { return done_; }

 private:
  PioneerYtdForm& form_;
  YtdPrint print_fn_;
  QComboBox* pioneers_ = nullptr;
  QCheckBox* previous_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* since_ = nullptr;
  QLabel* remaining_ = nullptr;
  QLabel* per_month_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* done_ = nullptr;
};

class YtdSummaryDialog : public QDialog {
  Q_OBJECT

 public:
  YtdSummaryDialog(YtdSummaryForm& form, YtdPrint print, QWidget* parent = nullptr);

  void ShowForm();

  QComboBox* category() const { return category_; }
  QComboBox* period() const { return period_; }
  QRadioButton* active_file() const { return active_file_; }
  QRadioButton* branch() const { return branch_; }
  QTableWidget* table() const { return table_; }
  QLabel* footer() const { return footer_; }
  QPushButton* print_button() const { return print_; }
  QPushButton* close_button() const { return close_; }

 private:
  YtdSummaryForm& form_;
  YtdPrint print_fn_;
  QComboBox* category_ = nullptr;
  QComboBox* period_ = nullptr;
  QRadioButton* active_file_ = nullptr;
  QRadioButton* branch_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* footer_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace zarim
