// The smaller record dialogs: "Circuit Overseer", "Custom Publisher Category" with
// "Change Category Name", and the monthly pioneer lists.
#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "records/circuit_overseer_form.h"
#include "records/custom_category_form.h"
#include "records/pioneer_list_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zarim {

class CircuitOverseerDialog : public QDialog {
  Q_OBJECT

 public:
  CircuitOverseerDialog(CircuitOverseerForm& form, QWidget* parent = nullptr);
  QLineEdit* field(int i) const { return fields_[i]; }  // first, last, address, 3 phones, e-mail
  QRadioButton* include(int choice) const { return include_[choice]; }  // 0 Ask, 1 Yes, 2 No
  void accept() override;

 private:
  CircuitOverseerForm& form_;
  std::array<QLineEdit*, 7> fields_{};
  std::array<QRadioButton*, 3> include_{};
};

class CustomCategoryDialog : public QDialog {
  Q_OBJECT

 public:
  CustomCategoryDialog(CustomCategoryForm& form, QWidget* parent = nullptr);
  QLineEdit* name() const { return name_; }
  QCheckBox* enabled() const { return enabled_; }
  void accept() override;
  // The "Change Category Name" question; tests replace it.
  CategoryAsker ask;

 private:
  CustomCategoryForm& form_;
  QLineEdit* name_ = nullptr;
  QCheckBox* enabled_ = nullptr;
};

// The "Change Category Name" dialog as a modal question.
std::optional<CategoryChoice> AskCategoryChange(QWidget* parent, const CategoryQuestion& q);

class PioneerListDialog : public QDialog {
  Q_OBJECT

 public:
  PioneerListDialog(PioneerListForm& form, QWidget* parent = nullptr);
  QComboBox* year() const { return year_; }
  QComboBox* month() const { return month_; }
  QListWidget* left() const { return left_; }
  QListWidget* right() const { return right_; }
  QPushButton* move_button() const { return move_; }
  QCheckBox* special() const { return special_; }
  void Move();

 private:
  void FillMonths();
  void Fill();
  PioneerListForm& form_;
  QComboBox *year_ = nullptr, *month_ = nullptr;
  QListWidget *left_ = nullptr, *right_ = nullptr;
  QPushButton* move_ = nullptr;
  QCheckBox* special_ = nullptr;
  bool left_side_ = false;
};

// Run the dialogs on the open document.
void RunCircuitOverseerDialog(QWidget* parent, CZarimDoc& doc);
void RunCustomCategoryDialog(QWidget* parent, CZarimDoc& doc);
void RunPioneerListDialog(QWidget* parent, CZarimDoc& doc, PioneerListForm::Mode mode);

}  // namespace zarim
