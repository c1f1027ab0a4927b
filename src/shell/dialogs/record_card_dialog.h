// "Congregation's Publisher Record" (bound to RecordCardForm): the publisher list, the
// card drawn as it prints, printing one card, a selection or a whole file as one PDF,
// editing, the history of past months and the preferences; "Select Records to Print"
// (SelectRecordsForm) and "Publisher Record Preferences" (CardPreferencesForm).
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

#ifndef Q_MOC_RUN
#include "reports/record_card_form.h"
#endif

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zarim {

class Clipboard;
class CZarimDoc;
class Prompter;
class ReportView;

class RecordCardDialog : public QDialog {
  Q_OBJECT

 public:
  RecordCardDialog(RecordCardForm& form, CZarimDoc& doc, Prompter& prompter,
                   Clipboard* clipboard = nullptr, QWidget* parent = nullptr);

  QListWidget* publisher_list() const { return list_; }
  QCheckBox* previous_box() const { return previous_; }
  QCheckBox* inactive_box() const { return inactive_; }
  QCheckBox* totals_box() const { return totals_; }
  QRadioButton* branch_choice() const { return branch_; }
  ReportView* card_view() const { return view_; }
  QComboBox* totals_category() const { return category_; }
  QComboBox* totals_period() const { return period_; }
  QPushButton* print_button() const { return print_; }
  QPushButton* fit_width_button() const { return fit_width_; }
  QPushButton* zoom_in_button() const { return zoom_in_; }
  QPushButton* zoom_out_button() const { return zoom_out_; }
  QPushButton* selected_button() const { return selected_; }
  QPushButton* save_pdf_button() const { return save_pdf_; }
  QPushButton* selected_pdf_button() const { return selected_pdf_; }
  QLabel* where_label() const { return device_; }
  QPushButton* active_pdf_button() const { return active_pdf_; }
  QPushButton* inactive_pdf_button() const { return inactive_pdf_; }
  QPushButton* edit_button() const { return edit_; }
  QPushButton* history_button() const { return history_; }
  QPushButton* preferences_button() const { return preferences_; }
  QPushButton* done_button() const { return done_; }

  // Shows the form again: the list, the boxes and the card (a publisher's or the totals).
  void ShowForm();
  // Writes every card of a file into one PDF at path, with the progress window; false
  // when nothing was written (canceled, or the file could not be written, which is told).
  bool WriteFilePdf(bool inactive, const QString& path);

 private:
  void PrintThis();
  void PrintSelected();
  // Prints the cards on the default printer, or offers a PDF file when there is none;
  // the line under the buttons then says where they went.
  void PrintCards(const ReportSelection& selection);
  void SaveCards(const ReportSelection& selection);
  // The "Select Records to Print" dialog; nothing when canceled or nothing was chosen.
  std::optional<ReportSelection> ChooseRecords();
  void SayWhere(const QString& text);
  void FilePdf(bool inactive);
  void Edit();
  void History();
  void Preferences();

  RecordCardForm& form_;
  CZarimDoc& doc_;
  Prompter& prompter_;
  Clipboard* clipboard_;
  bool showing_ = false;
  QListWidget* list_ = nullptr;
  QCheckBox *previous_ = nullptr, *inactive_ = nullptr, *totals_ = nullptr;
  QRadioButton *active_file_ = nullptr, *branch_ = nullptr;
  QComboBox *category_ = nullptr, *period_ = nullptr;
  ReportView* view_ = nullptr;
  QPushButton *fit_width_ = nullptr, *zoom_in_ = nullptr, *zoom_out_ = nullptr;
  QLabel* device_ = nullptr;
  QPushButton *print_ = nullptr, *selected_ = nullptr, *active_pdf_ = nullptr,
              *inactive_pdf_ = nullptr, *edit_ = nullptr, *history_ = nullptr,
              *preferences_ = nullptr, *done_ = nullptr, *save_pdf_ = nullptr,
              *selected_pdf_ = nullptr;
};

class SelectRecordsDialog : public QDialog {
  Q_OBJECT

 public:
  SelectRecordsDialog(SelectRecordsForm& form, QWidget* parent = nullptr);
  QListWidget* list() const { return list_; }
  QRadioButton* alphabetic_choice() const { return alphabetic_; }
  void accept() override;

 private:
  SelectRecordsForm& form_;
  QListWidget* list_ = nullptr;
  QRadioButton *file_order_ = nullptr, *alphabetic_ = nullptr;
};

class CardPreferencesDialog : public QDialog {
  Q_OBJECT

 public:
  CardPreferencesDialog(CardPreferencesForm& form, QWidget* parent = nullptr);
  QRadioButton* this_record_choice() const { return this_record_; }
  // The hide boxes: averages and totals of the current and the previous service year.
  QCheckBox* hide_box(int index) const { return hide_[index]; }
  QCheckBox* groups_box() const { return groups_; }
  QCheckBox* one_per_page_box() const { return one_per_page_; }
  QCheckBox* birth_box() const { return birth_; }
  void accept() override;

 private:
  void ShowHideFlags();
  CardPreferencesForm& form_;
  QRadioButton *all_records_ = nullptr, *this_record_ = nullptr;
  QCheckBox* hide_[4] = {};
  QCheckBox *groups_ = nullptr, *one_per_page_ = nullptr, *birth_ = nullptr;
};

// Runs "Congregation's Publisher Record" on the active file.
void RunRecordCardDialog(QWidget* parent, CZarimDoc& doc, Prompter& prompter, Clipboard* clipboard);
// Runs "Publisher Record Preferences" (record: the publisher "This record" means, 0 for
// none); true when OK changed something.
bool RunCardPreferencesDialog(QWidget* parent, CZarimDoc& doc, int record);

}  // namespace zarim
