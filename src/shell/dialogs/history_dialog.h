// "History", bound to HistoryForm: the publisher, year and month lists, the boxes and
// ticks of a past month, the "-> +" walk on Enter and the totals mode.
#pragma once

#include <QDialog>
#include <array>

#ifndef Q_MOC_RUN
#include "cycle/history_form.h"
#endif

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zarim {

class HistoryDialog : public QDialog {
  Q_OBJECT

 public:
  HistoryDialog(HistoryForm& form, QWidget* parent = nullptr);

  QListWidget* publisher_list() const { return publishers_; }
  QComboBox* year_box() const { return year_; }
  QComboBox* month_box() const { return month_; }
  QLineEdit* box(HistoryBox b) const { return boxes_[static_cast<int>(b)]; }
  QCheckBox* tick(HistoryTick t) const { return ticks_[static_cast<int>(t)]; }
  QCheckBox* totals_tick() const { return totals_; }
  QRadioButton* special_choice() const { return special_; }
  QLineEdit* remark_box() const { return remark_; }
  QLabel* note() const { return note_; }
  QPushButton* done_button() const { return done_; }

  void ShowForm();
  // Closing in any way (Done, Esc, the window's close) stores the month and writes back.
  void done(int result) override;

 private:
  void ShowShown();

  HistoryForm& form_;
  bool showing_ = false;
  bool closed_ = false;
  QListWidget* publishers_ = nullptr;
  QComboBox* year_ = nullptr;
  QComboBox* month_ = nullptr;
  std::array<QLineEdit*, kHistoryBoxCount> boxes_{};
  std::array<QLabel*, kHistoryBoxCount> labels_{};
  std::array<QCheckBox*, kHistoryTickCount> ticks_{};
  QCheckBox* totals_ = nullptr;
  QRadioButton* regular_ = nullptr;
  QRadioButton* special_ = nullptr;
  QLabel* remark_label_ = nullptr;
  QLineEdit* remark_ = nullptr;
  QLabel* note_ = nullptr;
  QPushButton* done_ = nullptr;
};

// Runs the dialog: over the active publishers, or one publisher (record > 0), or the
// inactive publishers.
void RunHistoryDialog(QWidget* parent, CZarimDoc& doc, HistoryForm::Options options = {});

}  // namespace zarim
