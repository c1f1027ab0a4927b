// "Corrections": the corrections log with its month and publisher filters, "&Print" and
// "Close"; bound to CorrectionsForm. It only reads.
#pragma once

#include <QDialog>
#include <functional>

#ifndef Q_MOC_RUN
#include "cycle/corrections_form.h"
#endif

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace zarim {

class CorrectionsDialog : public QDialog {
  Q_OBJECT

 public:
  // `print` prints the list shown; the button is hidden without it.
  CorrectionsDialog(CorrectionsForm& form, std::function<void(const CorrectionsForm&)> print,
                    QWidget* parent = nullptr);

  QComboBox* month_box() const { return month_; }
  QComboBox* publisher_box() const { return publisher_; }
  QTableWidget* table() const { return table_; }
  QLabel* count_label() const { return count_; }
  QPushButton* print_button() const { return print_; }
  QPushButton* close_button() const { return close_; }

  void ShowForm();

 private:
  CorrectionsForm& form_;
  std::function<void(const CorrectionsForm&)> print_job_;
  QComboBox* month_ = nullptr;
  QComboBox* publisher_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* count_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* close_ = nullptr;
};

void RunCorrectionsDialog(QWidget* parent, CorrectionsForm& form,
                          std::function<void(const CorrectionsForm&)> print);

}  // namespace zarim
