// "Edit Household" / "View Household" with "Select Family Member", bound to
// HouseholdForm; Cancel undoes the changes through the household undo log.
#pragma once

#include <QDialog>

#include "records/households.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace zarim {

class HouseholdDialog : public QDialog {
  Q_OBJECT

 public:
  HouseholdDialog(HouseholdForm& form, CZarimDoc& doc, QWidget* parent = nullptr);
  QListWidget* members() const { return members_; }
  QPushButton* add_button() const { return add_; }
  QPushButton* remove_button() const { return remove_; }
  void accept() override;
  void reject() override;

 private:
  void Fill();
  HouseholdForm& form_;
  CZarimDoc& doc_;
  QListWidget* members_ = nullptr;
  QLabel* empty_ = nullptr;
  QPushButton *add_ = nullptr, *remove_ = nullptr;
};

void RunHouseholdDialog(QWidget* parent, CZarimDoc& doc, int rec);
// The household of a family head being added (not in the table yet).
void RunNewHouseholdDialog(QWidget* parent, CZarimDoc& doc, uint16_t head_id,
                           const std::string& head_name);

}  // namespace zarim
