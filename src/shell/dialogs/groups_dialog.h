// "Edit Field Service Groups" with the group detail dialog and "Assigned Publishers",
// bound to GroupDetailForm and GroupAssignmentForm.
#pragma once

#include <QDialog>

#include "records/groups.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace zarim {

class GroupsDialog : public QDialog {
  Q_OBJECT

 public:
  GroupsDialog(CZarimDoc& doc, QWidget* parent = nullptr);
  QTreeWidget* list() const { return list_; }
  QPushButton* edit_button() const { return edit_; }
  QPushButton* assign_button() const { return assign_; }
  void EditSelected();
  void Assign();

 private:
  void Fill();
  CZarimDoc& doc_;
  QTreeWidget* list_ = nullptr;
  QPushButton *edit_ = nullptr, *assign_ = nullptr, *close_ = nullptr;
};

class GroupDetailDialog : public QDialog {
  Q_OBJECT

 public:
  GroupDetailDialog(GroupDetailForm& form, CZarimDoc& doc, QWidget* parent = nullptr);
  QLineEdit* overseer() const { return overseer_; }
  QLineEdit* location() const { return location_; }
  QComboBox* day() const { return day_; }
  QLineEdit* time() const { return time_; }
  QCheckBox* use_name() const { return use_name_; }
  QLineEdit* name() const { return name_; }
  void accept() override;

 private:
  GroupDetailForm& form_;
  CZarimDoc& doc_;
  QLineEdit *overseer_ = nullptr, *assistant_ = nullptr, *location_ = nullptr, *time_ = nullptr,
            *name_ = nullptr;
  QComboBox* day_ = nullptr;
  QCheckBox* use_name_ = nullptr;
};

class GroupAssignmentDialog : public QDialog {
  Q_OBJECT

 public:
  GroupAssignmentDialog(GroupAssignmentForm& form, CZarimDoc& doc, QWidget* parent = nullptr);
  QComboBox* group() const { return group_; }
  QComboBox* source() const { return source_; }
  QListWidget* members() const { return members_; }
  QListWidget* candidates() const { return candidates_; }
  QCheckBox* include_inactive() const { return inactive_; }
  QPushButton* assign_button() const { return assign_; }
  QLabel* unassigned() const { return unassigned_; }

 private:
  void Fill();
  GroupAssignmentForm& form_;
  CZarimDoc& doc_;
  QComboBox *group_ = nullptr, *source_ = nullptr;
  QListWidget *members_ = nullptr, *candidates_ = nullptr;
  QCheckBox* inactive_ = nullptr;
  QPushButton* assign_ = nullptr;
  QLabel *members_caption_ = nullptr, *unassigned_ = nullptr, *move_ = nullptr;
};

void RunGroupsDialog(QWidget* parent, CZarimDoc& doc);

}  // namespace zarim
