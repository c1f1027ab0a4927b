// The report slip dialog: "Shared in ministry", hours, Bible studies, the auxiliary
// pioneer box, the remark and the late-report month list; bound to SlipForm.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zarim {

class CZarimDoc;
class SlipForm;

class SlipDialog : public QDialog {
  Q_OBJECT

 public:
  SlipDialog(SlipForm& form, QWidget* parent = nullptr);

  QCheckBox* shared_box() const { return shared_; }
  QCheckBox* aux_box() const { return aux_; }
  QLineEdit* hours_edit() const { return hours_; }
  QLineEdit* studies_edit() const { return studies_; }
  QLineEdit* remark_edit() const { return remark_; }
  QListWidget* month_list() const { return months_; }
  QPushButton* ok_button() const { return ok_; }
  QPushButton* remarks_button() const { return remarks_button_; }
  QPushButton* month_button() const { return month_button_; }
  QPushButton* month_ok_button() const { return month_ok_; }
  QLabel* warning_label() const { return warning_; }

  // True when OK stored a change.
  bool saved() const { return saved_; }
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowForm();
  bool NumberBoxKey(QLineEdit* box, QKeyEvent* key);
  void FocusNextFrom(QWidget* from, bool forward);
  void EndRemark();
  void EndChangeMonth();

  SlipForm& form_;
  QLabel* name_ = nullptr;
  QLabel* month_ = nullptr;
  QLabel* privilege_ = nullptr;
  QLabel* group_ = nullptr;
  QLabel* pioneer_ = nullptr;
  QCheckBox* aux_ = nullptr;
  QCheckBox* shared_ = nullptr;
  QLabel* hours_label_ = nullptr;
  QLineEdit* hours_ = nullptr;
  QLabel* studies_label_ = nullptr;
  QLineEdit* studies_ = nullptr;
  QLabel* credit_ = nullptr;
  QLabel* credit_hint_ = nullptr;
  QLabel* warning_ = nullptr;
  QLabel* remark_label_ = nullptr;
  QLineEdit* remark_ = nullptr;
  QListWidget* months_ = nullptr;
  QPushButton* month_ok_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* remarks_button_ = nullptr;
  QPushButton* month_button_ = nullptr;
  bool showing_ = false;
  bool saved_ = false;
};

// Opens the slip of a record for the working month; true when it stored a change.
bool RunSlipDialog(QWidget* parent, CZarimDoc& doc, int record);

}  // namespace zarim
