// The report slip dialog.
#include "shell/dialogs/slip_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/strings.h"
#include "cycle/slip_form.h"
#include "cycle/slip_remarks.h"
#include "shell/dialogs/dialog_kit.h"

namespace zarim {
namespace {

// Longest text of a number box.
constexpr int kNumberLength = 4;

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

SlipDialog::SlipDialog(SlipForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setWindowTitle(Q(form.name()));
  auto* layout = new QVBoxLayout(this);

  auto* head = new QGridLayout;
  auto* name_caption = new QLabel(Q(Str(Sid::kSlipNameLabel)), this);
  name_ = new QLabel(this);
  ShowValue(name_, Q(form.name()), Q(Sid::kSlipNameLabel));
  auto* month_caption = new QLabel(Q(Str(Sid::kSlipMonthLabel)), this);
  month_ = new QLabel(this);
  privilege_ = new QLabel(this);
  group_ = new QLabel(this);
  head->addWidget(name_caption, 0, 0);
  head->addWidget(name_, 0, 1);
  head->addWidget(month_caption, 1, 0);
  head->addWidget(month_, 1, 1);
  head->addWidget(privilege_, 2, 0);
  head->addWidget(group_, 2, 1);
  layout->addLayout(head);

  pioneer_ = new QLabel(this);
  aux_ = new QCheckBox(Q(Str(Sid::kSlipAuxiliaryPioneer)), this);
  aux_->setAccessibleName(Plain(Str(Sid::kSlipAuxiliaryPioneer)));
  shared_ = new QCheckBox(Q(Str(Sid::kSlipSharedInMinistry)), this);
  shared_->setAccessibleName(Plain(Str(Sid::kSlipSharedInMinistry)));
  shared_->setToolTip(Q(Str(Sid::kSlipSharedTip)));
  layout->addWidget(pioneer_);
  layout->addWidget(aux_);
  layout->addWidget(shared_);

  auto* numbers = new QGridLayout;
  hours_label_ = new QLabel(Q(Str(Sid::kSlipHoursLabel)), this);
  hours_ = new QLineEdit(this);
  hours_->setMaxLength(kNumberLength);
  hours_->setAccessibleName(Plain(Str(Sid::kSlipHoursLabel)));
  hours_label_->setBuddy(hours_);
  studies_label_ = new QLabel(Q(Str(Sid::kSlipStudiesLabel)), this);
  studies_ = new QLineEdit(this);
  studies_->setMaxLength(kNumberLength);
  studies_->setAccessibleName(Plain(Str(Sid::kSlipStudiesLabel)));
  studies_label_->setBuddy(studies_);
  credit_ = new QLabel(this);
  credit_->setToolTip(Q(form.CreditHint()));
  credit_hint_ = new QLabel(Q(form.CreditHint()), this);
  credit_hint_->setWordWrap(true);
  numbers->addWidget(hours_label_, 0, 0);
  numbers->addWidget(hours_, 0, 1);
  numbers->addWidget(credit_, 0, 2);
  numbers->addWidget(studies_label_, 1, 0);
  numbers->addWidget(studies_, 1, 1);
  layout->addLayout(numbers);
  layout->addWidget(credit_hint_);

  warning_ = new QLabel(this);
  warning_->setWordWrap(true);
  warning_->setStyleSheet("color: #b00000;");
  layout->addWidget(warning_);

  remark_label_ = new QLabel(Q(Str(Sid::kSlipRemarkLabel)), this);
  remark_ = new QLineEdit(this);
  remark_->setMaxLength(static_cast<int>(kSlipRemarkLength));
  remark_->setAccessibleName(Q(Str(Sid::kSlipRemarkLabel)));
  remark_label_->setBuddy(remark_);
  layout->addWidget(remark_label_);
  layout->addWidget(remark_);

  months_ = new QListWidget(this);
  months_->setAccessibleName(Q(Str(Sid::kSlipMonthListLabel)));
  for (const std::string& m : form.MonthChoices()) months_->addItem(Q(m));
  month_ok_ = new QPushButton(Q(Str(Sid::kSlipMonthOk)), this);
  month_ok_->setAccessibleName(Plain(Str(Sid::kSlipMonthOk)));
  layout->addWidget(months_);
  layout->addWidget(month_ok_);

  auto* buttons = new QHBoxLayout;
  ok_ = new QPushButton(Q(Str(Sid::kSlipOk)), this);
  ok_->setAccessibleName(Plain(Str(Sid::kSlipOk)));
  ok_->setDefault(true);
  cancel_ = new QPushButton(Q(Str(Sid::kSlipCancel)), this);
  cancel_->setAccessibleName(Plain(Str(Sid::kSlipCancel)));
  // Enter on a focused button presses that button; Enter elsewhere follows the form.
  cancel_->setAutoDefault(true);
  remarks_button_ = new QPushButton(Q(Str(Sid::kSlipRemarks)), this);
  remarks_button_->setAccessibleName(Plain(Str(Sid::kSlipRemarks)));
  remarks_button_->setAutoDefault(true);
  month_button_ = new QPushButton(Q(Str(Sid::kSlipChangeMonth)), this);
  month_button_->setAccessibleName(Plain(Str(Sid::kSlipChangeMonth)));
  month_button_->setAutoDefault(true);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addWidget(remarks_button_);
  buttons->addWidget(month_button_);
  layout->addLayout(buttons);

  // Tab order follows the way a slip is read: the tick, the numbers, the box, OK.
  setTabOrder(shared_, hours_);
  setTabOrder(hours_, studies_);
  setTabOrder(studies_, aux_);
  setTabOrder(aux_, ok_);
  setTabOrder(ok_, cancel_);
  setTabOrder(cancel_, remarks_button_);
  setTabOrder(remarks_button_, month_button_);
  setTabOrder(month_button_, remark_);
  setTabOrder(remark_, months_);
  setTabOrder(months_, month_ok_);

  for (QWidget* w :
       std::initializer_list<QWidget*>{hours_, studies_, shared_, aux_, ok_, remark_, months_})
    w->installEventFilter(this);

  connect(shared_, &QCheckBox::clicked, this, [this](bool on) {
    form_.SetShared(on);
    ShowForm();
  });
  connect(aux_, &QCheckBox::clicked, this, [this](bool on) {
    form_.SetAux(on);
    ShowForm();
  });
  connect(hours_, &QLineEdit::textEdited, this, [this](const QString& t) {
    form_.SetHoursText(t.toStdString());
    ShowForm();
  });
  connect(studies_, &QLineEdit::textEdited, this,
          [this](const QString& t) { form_.SetStudiesText(t.toStdString()); });
  connect(remarks_button_, &QPushButton::clicked, this, [this] {
    form_.BeginRemark();
    ShowForm();
    remark_->setFocus();
    remark_->selectAll();
  });
  connect(remark_, &QLineEdit::editingFinished, this, [this] { EndRemark(); });
  connect(month_button_, &QPushButton::clicked, this, [this] {
    form_.BeginChangeMonth();
    ShowForm();
    months_->setFocus();
  });
  connect(months_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (showing_ || form_.mode() != SlipMode::kChoosingMonth) return;
    form_.ChooseMonth(row);
    ShowForm();
  });
  connect(month_ok_, &QPushButton::clicked, this, [this] { EndChangeMonth(); });
  connect(ok_, &QPushButton::clicked, this, &SlipDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &SlipDialog::reject);

  ShowForm();
  shared_->setFocus();
}

void SlipDialog::ShowForm() {
  showing_ = true;
  const bool choosing = form_.mode() == SlipMode::kChoosingMonth;
  const bool remarking = form_.mode() == SlipMode::kRemark;
  ShowValue(month_, Q(form_.MonthText()), Q(Sid::kSlipMonthLabel));
  ShowValue(privilege_, Q(form_.PrivilegeText()));
  ShowValue(group_, Q(form_.GroupText()));
  group_->setVisible(form_.EntryButtonsShown());
  ShowValue(pioneer_, Q(form_.PioneerLabel()));
  pioneer_->setVisible(!form_.AuxBoxShown());
  aux_->setVisible(form_.AuxBoxShown());
  aux_->setChecked(form_.aux());
  shared_->setChecked(form_.shared());
  if (hours_->text().toStdString() != form_.hours_text()) hours_->setText(Q(form_.hours_text()));
  if (studies_->text().toStdString() != form_.studies_text())
    studies_->setText(Q(form_.studies_text()));
  hours_label_->setVisible(form_.HoursShown());
  hours_->setVisible(form_.HoursShown());
  studies_label_->setVisible(form_.StudiesShown());
  studies_->setVisible(form_.StudiesShown());
  credit_->setVisible(form_.CreditShown());
  credit_hint_->setVisible(form_.CreditShown() && form_.credit() <= 0);
  ShowValue(credit_, Q(form_.CreditText()));
  ShowValue(warning_, Q(form_.warning()));
  if (!remarking) remark_->setText(Q(form_.remark()));
  remark_->setEnabled(remarking);
  months_->setVisible(choosing);
  month_ok_->setVisible(choosing);
  if (choosing) months_->setCurrentRow(form_.month_choice());
  for (QPushButton* b : {ok_, cancel_, remarks_button_, month_button_})
    b->setVisible(form_.EntryButtonsShown());
  showing_ = false;
}

void SlipDialog::EndRemark() {
  if (form_.mode() != SlipMode::kRemark) return;
  form_.SetRemark(remark_->text().toStdString());
  form_.EndRemark();
  ShowForm();
  ok_->setFocus();
}

void SlipDialog::EndChangeMonth() {
  form_.EndChangeMonth();
  ShowForm();
  shared_->setFocus();
}

void SlipDialog::FocusNextFrom(QWidget* from, bool forward) {
  // Walks the tab chain from the given control, so that the move does not depend on
  // which window the platform thinks is active.
  QWidget* w = from;
  do {
    w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
  } while (w && w != from &&
           !(w->isVisibleTo(this) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
             isAncestorOf(w)));
  if (w) w->setFocus(Qt::TabFocusReason);
}

bool SlipDialog::NumberBoxKey(QLineEdit* box, QKeyEvent* key) {
  const int k = key->key();
  if (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Escape || k == Qt::Key_Home ||
      k == Qt::Key_End || k == Qt::Key_Up || k == Qt::Key_Down ||
      key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
    return false;
  SlipKey sk = SlipKey::kOther;
  if (k >= Qt::Key_0 && k <= Qt::Key_9)
    sk = SlipKey::kDigit;
  else if (k == Qt::Key_Backspace)
    sk = SlipKey::kBackspace;
  else if (k == Qt::Key_Period)
    sk = SlipKey::kPeriod;
  else if (k == Qt::Key_Space)
    sk = SlipKey::kSpace;
  else if (k == Qt::Key_Delete)
    sk = SlipKey::kDelete;
  else if (k == Qt::Key_Right)
    sk = SlipKey::kRight;
  else if (k == Qt::Key_Left)
    sk = SlipKey::kLeft;
  else if (IsEnter(k))
    sk = SlipKey::kEnter;
  else if (key->text().isEmpty())
    return false;  // shift and the like
  const NumberBox which = box == hours_ ? NumberBox::kHours : NumberBox::kStudies;
  switch (SlipForm::NumberKey(which, sk)) {
    case KeyAction::kAccept:
      return false;
    case KeyAction::kReject:
      return true;
    case KeyAction::kReplaceWithZero:
      box->setText(QStringLiteral("0"));
      box->selectAll();
      if (which == NumberBox::kHours)
        form_.SetHoursText("0");
      else
        form_.SetStudiesText("0");
      ShowForm();
      return true;
    case KeyAction::kFocusNext:
      FocusNextFrom(box, true);
      return true;
    case KeyAction::kFocusPrevious:
      FocusNextFrom(box, false);
      return true;
    case KeyAction::kFocusShared:
      shared_->setFocus();
      return true;
    case KeyAction::kSave:
      accept();
      return true;
    case KeyAction::kReturnToEntry:
      return true;
  }
  return false;
}

bool SlipDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == hours_ || watched == studies_)
    return NumberBoxKey(static_cast<QLineEdit*>(watched), key);
  if (!IsEnter(key->key())) return QDialog::eventFilter(watched, event);
  if (watched == remark_) {
    EndRemark();
    return true;
  }
  if (watched == months_) {
    EndChangeMonth();
    return true;
  }
  SlipFocus focus = watched == ok_ ? SlipFocus::kOkButton : SlipFocus::kOther;
  switch (form_.EnterKey(focus)) {
    case KeyAction::kSave:
      accept();
      return true;
    case KeyAction::kReturnToEntry:
      (form_.HoursShown()     ? hours_
       : form_.StudiesShown() ? static_cast<QWidget*>(studies_)
                              : shared_)
          ->setFocus();
      return true;
    default:
      FocusNextFrom(static_cast<QWidget*>(watched), true);
      return true;
  }
}

void SlipDialog::accept() {
  if (form_.mode() == SlipMode::kRemark) form_.SetRemark(remark_->text().toStdString());
  SlipForm::SaveResult result = form_.Save();
  saved_ = result == SlipForm::SaveResult::kSaved;
  if (result == SlipForm::SaveResult::kRefused) {
    ShowForm();
    QLineEdit* box = form_.refused_box() == NumberBox::kHours ? hours_ : studies_;
    box->setFocus();
    box->selectAll();
    return;
  }
  QDialog::accept();
}

bool RunSlipDialog(QWidget* parent, CZarimDoc& doc, int record) {
  SlipForm form(doc, record);
  SlipDialog dialog(form, parent);
  return dialog.exec() == QDialog::Accepted && dialog.saved();
}

}  // namespace zarim
