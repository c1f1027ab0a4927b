// The collection list dialog of one field service group: the collection month, the
// secretary's address, the assistant choice, the missing reports and the create button;
// bound to CollectionListForm. "Select Another Group" returns to the group chooser.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zarim {

class CZarimDoc;
class CollectionListForm;
class DesktopShell;
class Mailer;

class CollectionListDialog : public QDialog {
  Q_OBJECT

 public:
  // The result code of "Select Another Group".
  static constexpr int kAnotherGroup = 2;

  CollectionListDialog(CollectionListForm& form, Mailer* mailer, DesktopShell* desktop,
                       QWidget* parent = nullptr);

  QComboBox* month_box() const { return month_; }
  QLineEdit* email_box() const { return email_; }
  QCheckBox* assistant_box() const { return assistant_; }
  QPushButton* create_button() const { return create_; }
  QLabel* no_email_label() const { return no_email_; }

 private:
  void ShowForm();

  CollectionListForm& form_;
  Mailer* mailer_;
  DesktopShell* desktop_;
  QComboBox* month_ = nullptr;
  QLabel* prepare_new_ = nullptr;
  QLineEdit* email_ = nullptr;
  QCheckBox* assistant_ = nullptr;
  QLabel* missing_title_ = nullptr;
  QListWidget* missing_ = nullptr;
  QLabel* no_email_ = nullptr;
  QPushButton* create_ = nullptr;
  QPushButton* another_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// Chooses a group and shows its collection list dialog until a list is made or the user
// cancels.
void RunCollectionListCommand(QWidget* parent, CZarimDoc& doc, Mailer* mailer,
                              DesktopShell* desktop);

// The report imports of the posting list: each asks for its file, reads it and ends in
// the selection-and-posting dialog. The number of reports posted.
int RunCollectionImport(QWidget* parent, CZarimDoc& doc);
int RunXmlReportImport(QWidget* parent, CZarimDoc& doc);

}  // namespace zarim
