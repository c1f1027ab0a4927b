// The emergency-contact dialog, bound to EmergencyForm.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "records/emergency.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zarim {

class EmergencyDialog : public QDialog {
  Q_OBJECT

 public:
  EmergencyDialog(EmergencyForm& form, QWidget* parent = nullptr);
  QLineEdit* field(EmergencyForm::Field f) const { return fields_[static_cast<int>(f)]; }
  QCheckBox* jw() const { return jw_; }
  QPushButton* use_existing() const { return use_existing_; }
  QPushButton* stop() const { return stop_; }
  QLabel* shared_note() const { return shared_; }
  void accept() override;
  // "Use an existing emergency contact" with the chosen contact (tests pass it).
  void UseExisting(uint16_t id);

 private:
  void ShowForm();
  void Collect();
  EmergencyForm& form_;
  std::array<QLineEdit*, 5> fields_{};
  QCheckBox* jw_ = nullptr;
  QPushButton *use_existing_ = nullptr, *stop_ = nullptr;
  QLabel* shared_ = nullptr;
};

// typed_name: the publisher's name as typed in the publisher dialog (the title's name).
void RunEmergencyDialog(QWidget* parent, CZarimDoc& doc, PubRecord& target,
                        const std::string& typed_name = {});

}  // namespace zarim
