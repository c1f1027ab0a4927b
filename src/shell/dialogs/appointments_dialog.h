// "Privileges of service", bound to AppointmentsForm.
#pragma once

#include <QDialog>
#include <array>

#include "records/appointments_form.h"
#include "shell/dialogs/dialog_kit.h"

class QCheckBox;

namespace zarim {

class AppointmentsDialog : public QDialog {
  Q_OBJECT

 public:
  AppointmentsDialog(AppointmentsForm& form, QWidget* parent = nullptr);
  QCheckBox* tick(int row) const { return ticks_[row]; }
  const DateBoxes& start(int row) const { return starts_[row]; }
  QCheckBox* special_servant() const { return special_servant_; }
  void accept() override;

 private:
  AppointmentsForm& form_;
  std::array<QCheckBox*, 5> ticks_{};
  std::array<DateBoxes, 5> starts_, ends_;
  QCheckBox *special_servant_ = nullptr, *field_missionary_ = nullptr;
};

void RunAppointmentsDialog(QWidget* parent, CZarimDoc& doc, PublisherForm& publisher);

}  // namespace zarim
