// The "Delete" dialog of a publisher, bound to DeleteForm.
#pragma once

#include <QDialog>

#include "records/delete_form.h"

class QComboBox;
class QRadioButton;
class QPushButton;

namespace zarim {

class DeleteDialog : public QDialog {
  Q_OBJECT

 public:
  DeleteDialog(DeleteForm& form, QWidget* parent = nullptr);
  QRadioButton* permanent() const { return permanent_; }
  QRadioButton* temporary() const { return temporary_; }
  QComboBox* month() const { return month_; }
  QComboBox* year() const { return year_; }
  void accept() override;

 private:
  DeleteForm& form_;
  QRadioButton *permanent_ = nullptr, *temporary_ = nullptr;
  QComboBox *month_ = nullptr, *year_ = nullptr;
};

// True when the publisher was deleted.
bool RunDeleteDialog(QWidget* parent, CZarimDoc& doc, int rec);

}  // namespace zarim
