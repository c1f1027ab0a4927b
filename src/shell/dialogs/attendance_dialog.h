// The "&Meeting Attendance" dialog: five week boxes with total and average for each
// meeting, the year and month lists and the button of the month typed ahead; bound to
// AttendanceForm.
#pragma once

#include <QDialog>
#include <array>

#ifndef Q_MOC_RUN
#include "cycle/attendance_form.h"
#endif

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zarim {

class AttendanceDialog : public QDialog {
  Q_OBJECT

 public:
  AttendanceDialog(AttendanceForm& form, QWidget* parent = nullptr);

  // Box b: midweek weeks 1-5 are 0-4, weekend weeks 1-5 are 5-9.
  QLineEdit* week_box(int b) const { return weeks_[b]; }
  QLineEdit* total_box(int meeting) const { return totals_[meeting]; }
  QLineEdit* average_box(int meeting) const { return averages_[meeting]; }
  QComboBox* year_list() const { return years_; }
  QComboBox* month_list() const { return months_; }
  QCheckBox* ahead_button() const { return ahead_; }
  QPushButton* done_button() const { return done_; }

  // "&Done", and Esc as well: what is on screen is kept.
  void accept() override;
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowForm();
  void ShowFigures();
  void FocusBox(int b);

  AttendanceForm& form_;
  std::array<QLineEdit*, AttendanceForm::kBoxes> weeks_{};
  std::array<QLineEdit*, 2> totals_{};
  std::array<QLineEdit*, 2> averages_{};
  QComboBox* years_ = nullptr;
  QComboBox* months_ = nullptr;
  QLabel* year_label_ = nullptr;
  QLabel* month_label_ = nullptr;
  QCheckBox* ahead_ = nullptr;
  QPushButton* done_ = nullptr;
  bool showing_ = false;
};

void RunAttendanceDialog(QWidget* parent, CZarimDoc& doc);

}  // namespace zarim
