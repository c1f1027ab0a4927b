// "Import Transfer File": the file chosen (typed or browsed), what it holds, and OK that
// adds its publisher; bound to exchange/transfer_import_form.h.
#pragma once

#include <QDialog>

#ifndef Q_MOC_RUN
#include "exchange/transfer_import_form.h"
#endif

class QLabel;
class QLineEdit;
class QPushButton;

namespace zarim {

class TransferImportDialog : public QDialog {
  Q_OBJECT

 public:
  TransferImportDialog(TransferImportForm& form, QWidget* parent = nullptr);
  QLineEdit* file() const { return file_; }
  QPushButton* browse_button() const { return browse_; }
  QLabel* preview() const { return preview_; }
  QPushButton* ok_button() const { return ok_; }
  void accept() override;

 private:
  void ShowForm();
  TransferImportForm& form_;
  QLineEdit* file_ = nullptr;
  QPushButton* browse_ = nullptr;
  QLabel* preview_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// Runs the dialog modally; true when the publisher was added.
bool RunTransferImportDialog(QWidget* parent, TransferImportForm& form);

}  // namespace zarim
