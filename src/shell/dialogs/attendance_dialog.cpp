// The meeting attendance dialog.
#include "shell/dialogs/attendance_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_kit.h"

namespace zarim {

AttendanceDialog::AttendanceDialog(AttendanceForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  auto* layout = new QVBoxLayout(this);
  auto* lists = new QHBoxLayout;
  year_label_ = new QLabel(Q(Sid::kSelectYearLabel), this);
  years_ = new QComboBox(this);
  years_->setAccessibleName(Plain(Sid::kSelectYearLabel));
  year_label_->setBuddy(years_);
  for (const auto& y : form.years()) years_->addItem(Q(y));
  month_label_ = new QLabel(Q(Sid::kSelectMonthLabel), this);
  months_ = new QComboBox(this);
  months_->setAccessibleName(Plain(Sid::kSelectMonthLabel));
  month_label_->setBuddy(months_);
  ahead_ = new QCheckBox(Q(form.ahead_caption()), this);
  ahead_->setAccessibleName(Plain(form.ahead_caption()));
  lists->addWidget(year_label_);
  lists->addWidget(years_);
  lists->addWidget(month_label_);
  lists->addWidget(months_);
  lists->addStretch();
  lists->addWidget(ahead_);
  layout->addLayout(lists);

  auto* validator = new QIntValidator(0, kMaxWeekAttendance, this);
  for (int meeting = 0; meeting < 2; ++meeting) {
    std::string caption = form.meeting_caption(meeting);
    auto* box = new QGroupBox(Q(caption), this);
    box->setAccessibleName(Plain(caption));
    auto* grid = new QGridLayout(box);
    for (int w = 0; w < kWeeksPerMonth; ++w) {
      int b = meeting * kWeeksPerMonth + w;
      auto* head = new QLabel(QString::number(w + 1), box);
      head->setAlignment(Qt::AlignCenter);
      weeks_[b] = new QLineEdit(box);
      weeks_[b]->setValidator(validator);
      weeks_[b]->setMaxLength(4);
      weeks_[b]->setAccessibleName(Plain(caption) + QLatin1Char(' ') +
                                   Q(Fill(Sid::kAttendanceWeekLabel, std::to_string(w + 1))));
      weeks_[b]->installEventFilter(this);
      head->setBuddy(weeks_[b]);
      grid->addWidget(head, 0, w);
      grid->addWidget(weeks_[b], 1, w);
      connect(weeks_[b], &QLineEdit::textEdited, this, [this, meeting, w](const QString& text) {
        form_.SetWeek(meeting, w, text.toInt());
        ShowFigures();
      });
    }
    auto make_readonly = [&](Sid label, int column) {
      auto* head = new QLabel(Q(Str(label)), box);
      head->setAlignment(Qt::AlignCenter);
      auto* edit = new QLineEdit(box);
      edit->setReadOnly(true);
      edit->setFocusPolicy(Qt::NoFocus);
      edit->setAccessibleName(Plain(caption) + QLatin1Char(' ') + Q(Str(label)));
      grid->addWidget(head, 0, column);
      grid->addWidget(edit, 1, column);
      return edit;
    };
    totals_[meeting] = make_readonly(Sid::kAttendanceTotal, kWeeksPerMonth);
    averages_[meeting] = make_readonly(Sid::kAttendanceAvg, kWeeksPerMonth + 1);
    layout->addWidget(box);
  }
  done_ = new QPushButton(Q(Sid::kAttendanceDone), this);
  done_->setAccessibleName(Plain(Sid::kAttendanceDone));
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(done_);
  layout->addLayout(bottom);

  setTabOrder(years_, months_);
  setTabOrder(months_, ahead_);
  setTabOrder(ahead_, weeks_[0]);
  for (int b = 1; b < AttendanceForm::kBoxes; ++b) setTabOrder(weeks_[b - 1], weeks_[b]);
  setTabOrder(weeks_[AttendanceForm::kBoxes - 1], done_);

  connect(years_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (showing_) return;
    form_.SelectYear(i);
    ShowForm();
  });
  connect(months_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (showing_) return;
    form_.SelectMonthPosition(i);
    ShowForm();
  });
  connect(ahead_, &QCheckBox::toggled, this, [this](bool on) {
    if (showing_) return;
    form_.SetAhead(on);
    ShowForm();
  });
  connect(done_, &QPushButton::clicked, this, &AttendanceDialog::accept);
  ShowForm();
  weeks_[0]->setFocus();
}

void AttendanceDialog::ShowForm() {
  showing_ = true;
  setWindowTitle(Q(form_.title()));
  years_->setCurrentIndex(form_.year_index());
  months_->clear();
  for (const auto& m : form_.months()) months_->addItem(Q(m));
  months_->setCurrentIndex(form_.month_position());
  bool lists = form_.lists_shown();
  for (QWidget* w : std::initializer_list<QWidget*>{years_, months_, year_label_, month_label_})
    w->setVisible(lists);
  ahead_->setVisible(form_.ahead_shown());
  ahead_->setChecked(form_.ahead());
  for (int b = 0; b < AttendanceForm::kBoxes; ++b) {
    int v = form_.week(b / kWeeksPerMonth, b % kWeeksPerMonth);
    weeks_[b]->setText(v == 0 ? QString() : QString::number(v));
  }
  ShowFigures();
  showing_ = false;
}

void AttendanceDialog::ShowFigures() {
  for (int meeting = 0; meeting < 2; ++meeting) {
    MonthFigures f = form_.figures(meeting);
    totals_[meeting]->setText(QString::number(f.total));
    averages_[meeting]->setText(QString::number(f.average));
  }
}

void AttendanceDialog::FocusBox(int b) {
  weeks_[b]->setFocus();
  weeks_[b]->selectAll();
}

bool AttendanceDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto it = std::find(weeks_.begin(), weeks_.end(), watched);
    if (it != weeks_.end()) {
      int b = static_cast<int>(it - weeks_.begin());
      switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
          FocusBox(AttendanceForm::BoxAfterEnter(b));
          return true;
        case Qt::Key_Down:
          FocusBox(AttendanceForm::BoxAfterDown(b));
          return true;
        case Qt::Key_Up:
          FocusBox(AttendanceForm::BoxAfterUp(b));
          return true;
        default:
          break;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void AttendanceDialog::accept() {
  form_.Done();
  QDialog::accept();
}

void AttendanceDialog::reject() {
  form_.Done();
  QDialog::reject();
}

void RunAttendanceDialog(QWidget* parent, CZarimDoc& doc) {
  AttendanceForm form(doc);
  AttendanceDialog dialog(form, parent);
  dialog.exec();
}

}  // namespace zarim
