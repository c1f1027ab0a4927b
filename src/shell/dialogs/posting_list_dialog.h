// The posting list "%1 Report Collection": group selector, the missing-report filter,
// the publishers, the last person posted and closing the month; bound to
// PostingListForm. Enter on a name opens the slip, so a month is posted by keyboard.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zarim {

class CZarimDoc;
class DesktopShell;
class Mailer;
class PostingListForm;

class PostingListDialog : public QDialog {
  Q_OBJECT

 public:
  PostingListDialog(PostingListForm& form, CZarimDoc& doc, QWidget* parent = nullptr);

  QComboBox* group_box() const { return groups_; }
  QCheckBox* missing_box() const { return missing_; }
  QListWidget* list() const { return list_; }
  QPushButton* ok_button() const { return ok_; }
  QPushButton* close_button() const { return close_collection_; }
  QPushButton* done_button() const { return done_; }
  QLabel* last_person() const { return last_person_; }
  QPushButton* t19_button() const { return t19_; }
  QPushButton* csv_button() const { return csv_; }
  QPushButton* xml_button() const { return xml_; }
  QPushButton* collection_button() const { return collection_; }

  // The mail program and the desktop that the collection list uses; none by default.
  void SetDesktopServices(Mailer* mailer, DesktopShell* desktop) {
    mailer_ = mailer;
    desktop_ = desktop;
  }

  // Opens the slip of the selected publisher (OK, Enter or a double click).
  void OpenSlip();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowList();

  PostingListForm& form_;
  CZarimDoc& doc_;
  QComboBox* groups_ = nullptr;
  QCheckBox* missing_ = nullptr;
  QListWidget* list_ = nullptr;
  QLabel* last_person_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* close_collection_ = nullptr;
  QPushButton* done_ = nullptr;
  QPushButton* t19_ = nullptr;
  QPushButton* csv_ = nullptr;
  QPushButton* xml_ = nullptr;
  QPushButton* collection_ = nullptr;
  Mailer* mailer_ = nullptr;
  DesktopShell* desktop_ = nullptr;
};

// The posting list for the working month (the report collection entry calls it once the
// month is open). Installs the cycle's hooks into the document when they are missing.
void RunPostingListDialog(QWidget* parent, CZarimDoc& doc, Mailer* mailer = nullptr,
                          DesktopShell* desktop = nullptr);

}  // namespace zarim
