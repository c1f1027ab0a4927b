// "Edit Publisher Information" / "Edit Bible Student": the widgets of PublisherForm.
// Enter in a field moves to the next field; only "&OK" closes with Enter.
#pragma once

#include <QDialog>
#include <array>

#include "records/publisher_form.h"
#include "shell/dialogs/dialog_kit.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace zarim {

class PublisherEditDialog : public QDialog {
  Q_OBJECT

 public:
  PublisherEditDialog(CZarimDoc& doc, PublisherForm& form, QWidget* parent = nullptr);

  QLineEdit* text(TextField f) const { return texts_[static_cast<int>(f)]; }
  QCheckBox* elder() const { return elder_; }
  QCheckBox* servant() const { return servant_; }
  QCheckBox* male() const { return male_; }
  QCheckBox* female() const { return female_; }
  QCheckBox* family_head() const { return family_head_; }
  QCheckBox* consent() const { return consent_; }
  QCheckBox* regular() const { return regular_; }
  const DateBoxes& birth() const { return birth_; }
  const DateBoxes& consent_date() const { return consent_date_; }
  QLabel* age_label() const { return age_; }
  QPushButton* ok_button() const { return ok_; }
  QPushButton* next_button() const { return next_; }
  QPushButton* previous_button() const { return previous_; }
  QPushButton* delete_button() const { return delete_; }
  QPushButton* copy_button() const { return copy_; }
  QPushButton* clear_button() const { return clear_; }
  QPushButton* group_button() const { return group_; }
  QPushButton* household_button() const { return household_; }
  QPushButton* emergency_button() const { return emergency_; }
  QPushButton* contact_button() const { return long_name_; }
  QPushButton* needs_button() const { return needs_; }
  QPushButton* appointments_button() const { return appointments_; }
  QPushButton* status_button() const { return status_; }
  QPushButton* transfer_button() const { return transfer_; }

  // Shows the form again (after the form changed).
  void Refresh();
  void accept() override;
  // The buttons, also callable from tests.
  void Step(int direction);
  void CopyOrPaste();
  void Delete();
  // Writes the publisher's transfer file and, when the user says so, marks him moved.
  void Transfer();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Build();
  void ShowForm();
  void Collect();
  void FocusInvalid();
  void RefreshLabels();

  CZarimDoc& doc_;
  PublisherForm& form_;
  std::array<QLineEdit*, kTextFieldCount> texts_{};
  DateBoxes birth_, baptism_, consent_date_;
  QLabel *age_ = nullptr, *baptized_years_ = nullptr, *conductor_ = nullptr,
         *baptism_label_ = nullptr;
  QCheckBox *elder_ = nullptr, *servant_ = nullptr, *baptized_brother_ = nullptr;
  QCheckBox *family_head_ = nullptr, *continuous_aux_ = nullptr, *custom_ = nullptr;
  QCheckBox *male_ = nullptr, *female_ = nullptr, *anointed_ = nullptr;
  QCheckBox *regular_ = nullptr, *special_ = nullptr;
  QCheckBox *deaf_ = nullptr, *blind_ = nullptr, *incarcerated_ = nullptr;
  QCheckBox *special_servant_ = nullptr, *field_missionary_ = nullptr, *consent_ = nullptr;
  QPushButton *long_name_ = nullptr, *emergency_ = nullptr, *needs_ = nullptr,
              *appointments_ = nullptr;
  QPushButton *status_ = nullptr, *transfer_ = nullptr, *delete_ = nullptr, *previous_ = nullptr,
              *next_ = nullptr;
  QPushButton *copy_ = nullptr, *clear_ = nullptr, *group_ = nullptr, *household_ = nullptr;
  QPushButton *select_conductor_ = nullptr, *clear_conductor_ = nullptr;
  QPushButton *ok_ = nullptr, *cancel_ = nullptr;
  bool showing_ = false;
};

// Runs the dialog on a record (rec 0: adding). Returns the record number of the stored
// publisher, 0 when nothing was stored.
int RunPublisherEditDialog(QWidget* parent, CZarimDoc& doc, Clipboard* clipboard,
                           PublisherKind kind, int rec);

}  // namespace zarim
