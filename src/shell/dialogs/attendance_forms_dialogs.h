// "Congregation Meeting Attendance Record" (the service year to print) and "Select
// Emergency Contact Forms" (the households to print, of the congregation or of a field
// service group chosen with the group picker); bound to AttendanceRecordForm and
// EmergencyFormsForm.
#pragma once

#include <QDialog>

#ifndef Q_MOC_RUN
#include "reports/attendance_record.h"
#include "reports/emergency_forms.h"
#endif

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zarim {

class AttendanceRecordDialog : public QDialog {
  Q_OBJECT

 public:
  AttendanceRecordDialog(AttendanceRecordForm& form, QWidget* parent = nullptr);

  QComboBox* years() const { return years_; }
  QCheckBox* two_years() const { return two_; }
  void accept() override;

 private:
  AttendanceRecordForm& form_;
  QComboBox* years_ = nullptr;
  QCheckBox* two_ = nullptr;
};

class EmergencyFormsDialog : public QDialog {
  Q_OBJECT

 public:
  EmergencyFormsDialog(EmergencyFormsForm& form, const CZarimDoc& doc, QWidget* parent = nullptr);

  QListWidget* list() const { return list_; }
  QPushButton* group_button() const { return group_; }
  // Shows the households of a group (0: the whole congregation).
  void ShowGroup(int group);
  void accept() override;

 private:
  void Fill();
  void TakeTicks();

  EmergencyFormsForm& form_;
  const CZarimDoc& doc_;
  QLabel* scope_ = nullptr;
  QListWidget* list_ = nullptr;
  QPushButton* group_ = nullptr;
};

// Run the dialogs; false when cancelled, else *selection (and for the forms *kind and
// *group) say what to show.
bool RunAttendanceRecordDialog(QWidget* parent, const CZarimDoc& doc, ReportSelection* selection);
bool RunEmergencyFormsDialog(QWidget* parent, const CZarimDoc& doc, int* kind, int* group,
                             ReportSelection* selection);

}  // namespace zarim
