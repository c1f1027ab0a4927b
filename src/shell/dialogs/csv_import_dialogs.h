// The two dialogs of the CSV report import, bound to CsvImportForm: the column mapping
// (a target, then its source column with Enter or a click) and the identification of
// each row's publisher ("->" associates, "Clear" undoes).
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zarim {

class CZarimDoc;
class CsvImportForm;

class CsvMappingDialog : public QDialog {
  Q_OBJECT

 public:
  CsvMappingDialog(CsvImportForm& form, QWidget* parent = nullptr);

  QListWidget* targets() const { return targets_; }
  QListWidget* sources() const { return sources_; }
  QListWidget* mapping() const { return mapping_; }
  QPushButton* continue_button() const { return continue_; }
  QPushButton* clear_button() const { return clear_; }

 private:
  void ShowForm();

  CsvImportForm& form_;
  QListWidget* targets_ = nullptr;
  QListWidget* sources_ = nullptr;
  QListWidget* mapping_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* continue_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

class CsvIdentifyDialog : public QDialog {
  Q_OBJECT

 public:
  CsvIdentifyDialog(CsvImportForm& form, QWidget* parent = nullptr);

  QListWidget* rows() const { return rows_; }
  QListWidget* publishers() const { return publishers_; }
  QPushButton* associate_button() const { return associate_; }
  QPushButton* continue_button() const { return continue_; }
  QCheckBox* skip_box() const { return skip_; }

 private:
  void ShowForm();

  CsvImportForm& form_;
  QListWidget* rows_ = nullptr;
  QListWidget* publishers_ = nullptr;
  QLabel* count_ = nullptr;
  QPushButton* associate_ = nullptr;
  QPushButton* clear_ = nullptr;
  QCheckBox* skip_ = nullptr;
  QPushButton* continue_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// "(.csv)": the file, the mapping, the identification and the selection-and-posting
// dialog. The number of reports posted.
int RunCsvImport(QWidget* parent, CZarimDoc& doc);

}  // namespace zarim
