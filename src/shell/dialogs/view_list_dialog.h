// The View lists dialog, bound to ViewListForm: the type and its selectors, the list, the
// contact actions of the missing-report list, "Print &Setup", "Print" and "&Done".
#pragma once

#include <QDialog>
#include <functional>

#ifndef Q_MOC_RUN
#include "cycle/view_lists.h"
#endif

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zarim {

class Clipboard;
class Mailer;

class ViewListDialog : public QDialog {
  Q_OBJECT

 public:
  // mailer and clipboard may be null: the mail button then says that there is no mail
  // program, and the copy button is not shown. print draws the form's list on the
  // printer; without it "Print" is not shown.
  ViewListDialog(ViewListForm& form, Mailer* mailer, Clipboard* clipboard,
                 std::function<void(const ViewListForm&)> print = {}, QWidget* parent = nullptr);

  QComboBox* type_box() const { return type_; }
  QComboBox* second_box() const { return second_; }
  QComboBox* third_box() const { return third_; }
  QListWidget* list() const { return list_; }
  QLabel* caption() const { return caption_; }
  QPushButton* mail_button() const { return mail_; }
  QPushButton* copy_button() const { return copy_; }
  QPushButton* edit_button() const { return edit_; }
  QPushButton* print_button() const { return print_; }
  QPushButton* done_button() const { return done_; }

  void ShowForm();

 private:
  void ShowButtons();
  void Mail();
  void Edit();

  ViewListForm& form_;
  Mailer* mailer_;
  Clipboard* clipboard_;
  std::function<void(const ViewListForm&)> print_job_;
  bool showing_ = false;
  QComboBox* type_ = nullptr;
  QLabel* second_label_ = nullptr;
  QComboBox* second_ = nullptr;
  QLabel* third_label_ = nullptr;
  QComboBox* third_ = nullptr;
  QListWidget* list_ = nullptr;
  QLabel* caption_ = nullptr;
  QPushButton* mail_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* setup_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* done_ = nullptr;
};

// Runs the dialog on a list type.
void RunViewListDialog(QWidget* parent, CZarimDoc& doc, ViewType type, Mailer* mailer,
                       Clipboard* clipboard, std::function<void(const ViewListForm&)> print = {});

}  // namespace zarim
