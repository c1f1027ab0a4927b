// The dialogs of the exports and the XML publisher file: "Export Publisher Data", the
// chooser of the list and people to export to XML, and the chooser of the records of a
// file to import; each bound to its form in exchange/exchange_forms.h.
#pragma once

#include <QDialog>

#ifndef Q_MOC_RUN
#include "exchange/exchange_forms.h"
#endif

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zarim {

class ExportDataDialog : public QDialog {
  Q_OBJECT

 public:
  ExportDataDialog(ExportDataForm& form, QWidget* parent = nullptr);
  QComboBox* months() const { return months_; }
  QRadioButton* comma() const { return comma_; }
  QRadioButton* tab() const { return tab_; }
  QCheckBox* header() const { return header_; }
  void accept() override;

 private:
  ExportDataForm& form_;
  QComboBox* months_ = nullptr;
  QRadioButton* comma_ = nullptr;
  QRadioButton* tab_ = nullptr;
  QCheckBox* header_ = nullptr;
};

class XmlExportDialog : public QDialog {
  Q_OBJECT

 public:
  XmlExportDialog(XmlExportForm& form, QWidget* parent = nullptr);
  QComboBox* lists() const { return lists_; }
  QListWidget* people() const { return people_; }
  QPushButton* ok_button() const { return ok_; }

 private:
  void ShowPeople();
  XmlExportForm& form_;
  QComboBox* lists_ = nullptr;
  QListWidget* people_ = nullptr;
  QPushButton* ok_ = nullptr;
};

class XmlImportDialog : public QDialog {
  Q_OBJECT

 public:
  XmlImportDialog(XmlImportForm& form, QWidget* parent = nullptr);
  QListWidget* candidates() const { return list_; }
  QRadioButton* update_button() const { return update_; }
  QRadioButton* create_button() const { return create_; }
  QLabel* counter() const { return counter_; }
  QPushButton* ok_button() const { return ok_; }

 private:
  void ShowForm();
  XmlImportForm& form_;
  QListWidget* list_ = nullptr;
  QLabel* duplicates_ = nullptr;
  QRadioButton* update_ = nullptr;
  QRadioButton* create_ = nullptr;
  QLabel* counter_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// The dialogs run modally; true on OK.
bool RunExportDataDialog(QWidget* parent, ExportDataForm& form);
bool RunXmlExportDialog(QWidget* parent, XmlExportForm& form);
bool RunXmlImportDialog(QWidget* parent, XmlImportForm& form);

}  // namespace zarim
