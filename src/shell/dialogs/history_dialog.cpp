// The "History" dialog.
#include "shell/dialogs/history_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_kit.h"

namespace zarim {

namespace {

constexpr Sid kBoxCaptions[kHistoryBoxCount] = {
    Sid::kHistoryPlacements,   Sid::kHistoryVideos,  Sid::kHistoryHours,
    Sid::kHistoryReturnVisits, Sid::kHistoryStudies, Sid::kHistoryCredit,
};
constexpr Sid kTickCaptions[kHistoryTickCount] = {
    Sid::kHistoryLessThanHour, Sid::kHistoryShared, Sid::kHistoryAux,  Sid::kHistoryRegular,
    Sid::kHistorySpecial,      Sid::kHistoryLate,   Sid::kHistoryNext, Sid::kHistoryNext,
};

void FillCombo(QComboBox* box, const std::vector<std::string>& texts, int current) {
  box->clear();
  for (const std::string& t : texts) box->addItem(Q(t));
  box->setCurrentIndex(current);
}

}  // namespace

HistoryDialog::HistoryDialog(HistoryForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setWindowTitle(Q(Sid::kHistoryTitle));
  auto* lists = new QVBoxLayout;
  auto* publisher_label = new QLabel(Q(Sid::kHistoryPublisher), this);
  publishers_ = new QListWidget(this);
  publishers_->setAccessibleName(Plain(Sid::kHistoryPublisher));
  publisher_label->setBuddy(publishers_);
  auto* year_label = new QLabel(Q(Sid::kHistoryYear), this);
  year_ = new QComboBox(this);
  year_->setAccessibleName(Plain(Sid::kHistoryYear));
  year_label->setBuddy(year_);
  auto* month_label = new QLabel(Q(Sid::kHistoryMonth), this);
  month_ = new QComboBox(this);
  month_->setAccessibleName(Plain(Sid::kHistoryMonth));
  month_label->setBuddy(month_);
  lists->addWidget(publisher_label);
  lists->addWidget(publishers_);
  lists->addWidget(year_label);
  lists->addWidget(year_);
  lists->addWidget(month_label);
  lists->addWidget(month_);

  auto* grid = new QGridLayout;
  for (int b = 0; b < kHistoryBoxCount; ++b) {
    labels_[b] = new QLabel(Q(kBoxCaptions[b]), this);
    boxes_[b] = new QLineEdit(this);
    boxes_[b]->setAccessibleName(Plain(kBoxCaptions[b]));
    labels_[b]->setBuddy(boxes_[b]);
    grid->addWidget(labels_[b], b, 0);
    grid->addWidget(boxes_[b], b, 1);
  }
  for (int t = 0; t < kHistoryTickCount; ++t) {
    ticks_[t] = new QCheckBox(Q(kTickCaptions[t]), this);
    ticks_[t]->setAccessibleName(Plain(kTickCaptions[t]));
  }
  ticks_[static_cast<int>(HistoryTick::kLessThanHour)]->setToolTip(Q(Sid::kHistoryLessThanHourTip));
  ticks_[static_cast<int>(HistoryTick::kLessThanHour)]->setAccessibleDescription(
      Q(Sid::kHistoryLessThanHourTip));
  ticks_[static_cast<int>(HistoryTick::kShared)]->setToolTip(Q(Sid::kHistorySharedTip));
  ticks_[static_cast<int>(HistoryTick::kShared)]->setAccessibleDescription(
      Q(Sid::kHistorySharedTip));
  ticks_[static_cast<int>(HistoryTick::kNextMonth)]->setAccessibleName(
      Plain(Sid::kHistoryAccNextMonth));
  ticks_[static_cast<int>(HistoryTick::kNextPublisher)]->setAccessibleName(
      Plain(Sid::kHistoryAccNextPublisher));
  grid->addWidget(ticks_[static_cast<int>(HistoryTick::kNextMonth)], 0, 2);
  grid->addWidget(ticks_[static_cast<int>(HistoryTick::kNextPublisher)], 0, 3);
  grid->addWidget(ticks_[static_cast<int>(HistoryTick::kLessThanHour)], 2, 2);
  grid->addWidget(ticks_[static_cast<int>(HistoryTick::kShared)], 6, 0, 1, 2);
  for (int t = static_cast<int>(HistoryTick::kAux); t <= static_cast<int>(HistoryTick::kLate); ++t)
    grid->addWidget(ticks_[t], 7 + t - static_cast<int>(HistoryTick::kAux), 0, 1, 2);
  remark_label_ = new QLabel(Q(Sid::kHistoryRemark), this);
  remark_ = new QLineEdit(this);
  remark_->setAccessibleName(Plain(Sid::kHistoryRemark));
  remark_label_->setBuddy(remark_);
  grid->addWidget(remark_label_, 11, 0);
  grid->addWidget(remark_, 11, 1, 1, 3);

  totals_ = new QCheckBox(Q(Sid::kHistoryTotals), this);
  totals_->setAccessibleName(Plain(Sid::kHistoryTotals));
  regular_ = new QRadioButton(Q(Sid::kHistoryRegularPioneers), this);
  regular_->setAccessibleName(Plain(Sid::kHistoryRegularPioneers));
  special_ = new QRadioButton(Q(Sid::kHistorySpecialPioneers), this);
  special_->setAccessibleName(Plain(Sid::kHistorySpecialPioneers));
  note_ = new QLabel(Q(Sid::kHistoryTotalsNote), this);
  note_->setWordWrap(true);
  done_ = MakeButton(Str(Sid::kHistoryDone), this);
  done_->setAutoDefault(false);

  auto* right = new QVBoxLayout;
  right->addLayout(grid);
  auto* totals_row = new QHBoxLayout;
  totals_row->addWidget(totals_);
  totals_row->addWidget(regular_);
  totals_row->addWidget(special_);
  totals_row->addStretch();
  right->addLayout(totals_row);
  right->addWidget(note_);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(done_);
  right->addLayout(bottom);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(lists);
  layout->addLayout(right, 1);

  connect(publishers_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (showing_ || row < 0) return;
    form_.SetPublisher(row);
    ShowForm();
  });
  connect(year_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (showing_ || i < 0) return;
    form_.SetYear(i);
    ShowForm();
  });
  connect(month_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (showing_ || i < 0) return;
    form_.SetMonthPosition(i);
    ShowForm();
  });
  for (int b = 0; b < kHistoryBoxCount; ++b) {
    connect(boxes_[b], &QLineEdit::textEdited, this, [this, b](const QString& text) {
      form_.SetText(static_cast<HistoryBox>(b), StdStr(text));
      ShowShown();
    });
    // Enter stores the month and walks on as the "-> +" ticks say.
    connect(boxes_[b], &QLineEdit::returnPressed, this, [this] {
      form_.Enter();
      ShowForm();
    });
  }
  connect(boxes_[static_cast<int>(HistoryBox::kHours)], &QLineEdit::editingFinished, this, [this] {
    if (showing_) return;
    form_.LeaveHours();
    showing_ = true;
    box(HistoryBox::kHours)->setText(Q(form_.text(HistoryBox::kHours)));
    showing_ = false;
    ShowShown();
  });
  connect(remark_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.SetRemark(StdStr(text)); });
  connect(remark_, &QLineEdit::returnPressed, this, [this] {
    form_.Enter();
    ShowForm();
  });
  for (int t = 0; t < kHistoryTickCount; ++t) {
    connect(ticks_[t], &QCheckBox::toggled, this, [this, t](bool on) {
      if (showing_) return;
      form_.SetTicked(static_cast<HistoryTick>(t), on);
      ShowForm();
    });
  }
  connect(totals_, &QCheckBox::toggled, this, [this](bool on) {
    if (showing_) return;
    form_.SetTotals(on);
    ShowForm();
  });
  connect(special_, &QRadioButton::toggled, this, [this](bool on) {
    if (showing_) return;
    form_.SetSpecialRow(on);
    ShowForm();
  });
  connect(done_, &QPushButton::clicked, this, &HistoryDialog::accept);
  ShowForm();
}

void HistoryDialog::ShowForm() {
  showing_ = true;
  publishers_->clear();
  for (const std::string& name : form_.PublisherEntries()) publishers_->addItem(Q(name));
  publishers_->setCurrentRow(form_.publisher());
  FillCombo(year_, form_.YearEntries(), form_.year());
  FillCombo(month_, form_.MonthEntries(), form_.month_position());
  for (int b = 0; b < kHistoryBoxCount; ++b)
    boxes_[b]->setText(Q(form_.text(static_cast<HistoryBox>(b))));
  for (int t = 0; t < kHistoryTickCount; ++t)
    ticks_[t]->setChecked(form_.ticked(static_cast<HistoryTick>(t)));
  remark_->setText(Q(form_.remark()));
  totals_->setChecked(form_.totals());
  special_->setChecked(form_.special_row());
  regular_->setChecked(!form_.special_row());
  // In totals mode the credit box holds the number of reports (or of active publishers).
  Sid credit = form_.totals() ? Sid::kHistoryReports : Sid::kHistoryCredit;
  labels_[static_cast<int>(HistoryBox::kCredit)]->setText(Q(credit));
  box(HistoryBox::kCredit)->setAccessibleName(Plain(credit));
  showing_ = false;
  ShowShown();
}

void HistoryDialog::ShowShown() {
  for (int b = 0; b < kHistoryBoxCount; ++b) {
    bool shown = form_.Shown(static_cast<HistoryBox>(b));
    boxes_[b]->setVisible(shown);
    labels_[b]->setVisible(shown);
  }
  for (int t = 0; t < kHistoryTickCount; ++t)
    ticks_[t]->setVisible(form_.Shown(static_cast<HistoryTick>(t)));
  remark_->setVisible(form_.RemarkShown());
  remark_label_->setVisible(form_.RemarkShown());
  regular_->setVisible(form_.SpecialChoiceShown());
  special_->setVisible(form_.SpecialChoiceShown());
  note_->setVisible(form_.NoteShown());
}

void HistoryDialog::done(int result) {
  // A value its cell cannot hold keeps the dialog open with the reason.
  if (!closed_) {
    if (const std::string why = form_.Refusal(); !why.empty()) {
      QMessageBox::warning(this, Q(Sid::kHistoryTitle), Q(why));
      return;
    }
  }
  if (!closed_) {
    closed_ = true;
    form_.Close();
  }
  QDialog::done(result);
}

void RunHistoryDialog(QWidget* parent, CZarimDoc& doc, HistoryForm::Options options) {
  HistoryForm form(doc, options);
  HistoryDialog dialog(form, parent);
  dialog.exec();
}

}  // namespace zarim
