// The publisher and Bible-student selection dialog.
#include "shell/dialogs/select_publisher_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/strings.h"
#include "cycle/status_moves.h"
#include "records/delete_form.h"
#include "shell/dialogs/dialog_kit.h"
#include "shell/dialogs/publisher_edit_dialog.h"

namespace zarim {

SelectPublisherDialog::SelectPublisherDialog(CZarimDoc& doc, SelectPublisherForm& form,
                                             Clipboard* clipboard, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(form), clipboard_(clipboard) {
  setWindowTitle(Q(form.Title()));
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  layout->addLayout(left, 1);
  // The search line above the list: typing a part of a name keeps only those names.
  auto* find = new QLabel(Q(Sid::kGuideFind), this);
  search_ = new QLineEdit(this);
  search_->setAccessibleName(Plain(Sid::kGuideFind).remove(QLatin1Char(':')));
  search_->setClearButtonEnabled(true);
  search_->installEventFilter(this);
  find->setBuddy(search_);
  auto* search_row = new QHBoxLayout;
  search_row->addWidget(find);
  search_row->addWidget(search_, 1);
  left->addLayout(search_row);
  list_ = new QListWidget(this);
  list_->setAccessibleName(Q(form.Title()));
  list_->installEventFilter(this);
  left->addWidget(list_, 1);
  auto* side = new QVBoxLayout;
  layout->addLayout(side);
  edit_ = new QPushButton(Q(Sid::kEditEllipsis), this);
  edit_->setAccessibleName(Plain(Sid::kEditEllipsis));
  edit_->setDefault(true);
  add_ = MakeButton(form.AddCaption(), this);
  close_ = MakeButton(Str(Sid::kCloseButton), this);
  side->addWidget(edit_);
  side->addWidget(add_);
  side->addWidget(close_);
  side->addStretch(1);
  connect(edit_, &QPushButton::clicked, this, &SelectPublisherDialog::EditSelected);
  connect(add_, &QPushButton::clicked, this, &SelectPublisherDialog::AddPublisher);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { EditSelected(); });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { form_.Select(row); });
  connect(search_, &QLineEdit::textChanged, this, &SelectPublisherDialog::ApplySearch);
  setTabOrder(search_, list_);
  setTabOrder(list_, edit_);
  setTabOrder(edit_, add_);
  setTabOrder(add_, close_);
  Fill();
  list_->setFocus();
}

void SelectPublisherDialog::ApplySearch() {
  const std::vector<int> shown = form_.Matching(StdStr(search_->text()));
  std::vector<bool> keep(list_->count(), false);
  for (int i : shown) keep[i] = true;
  for (int i = 0; i < list_->count(); ++i) list_->item(i)->setHidden(!keep[i]);
  // The selection stays on a shown name: the first match when it was filtered away.
  const int row = list_->currentRow();
  if (!shown.empty() && (row < 0 || !keep[row])) {
    list_->setCurrentRow(shown.front());
    form_.Select(shown.front());
  }
}

void SelectPublisherDialog::Fill() {
  QSignalBlocker block(list_);
  list_->clear();
  for (const auto& n : form_.names()) list_->addItem(Q(n));
  if (form_.selection() >= 0) list_->setCurrentRow(form_.selection());
  ApplySearch();
  edit_->setVisible(form_.edit_shown());
  // With nothing to edit, Enter adds.
  add_->setDefault(!form_.edit_shown());
  edit_->setDefault(form_.edit_shown());
}

bool SelectPublisherDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == search_ && event->type() == QEvent::KeyPress) {
    // Down and Up from the search line move in the list, so Enter edits the match.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) {
      list_->setFocus();
      QCoreApplication::sendEvent(list_, event);
      return true;
    }
  }
  if (watched == list_ && event->type() == QEvent::KeyPress &&
      search_->text().trimmed().isEmpty()) {
    // (While a search is on, the list's own keys move among the shown names.)
    auto* key = static_cast<QKeyEvent*>(event);
    int delta = key->key() == Qt::Key_Down ? 1 : key->key() == Qt::Key_Up ? -1 : 0;
    if (delta != 0 && list_->count() > 0) {
      // The selection wraps at either end.
      form_.Move(delta);
      list_->setCurrentRow(form_.selection());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void SelectPublisherDialog::EditSelected() {
  if (!form_.edit_shown()) {
    AddPublisher();
    return;
  }
  int rec = form_.SelectedRecord();
  if (rec <= 0) return;
  PublisherKind kind = doc_.records[rec].status == kNonPublisher ? PublisherKind::kBibleStudent
                                                                 : PublisherKind::kPublisher;
  uint16_t id = doc_.records[rec].id;
  RunPublisherEditDialog(this, doc_, clipboard_, kind, rec);
  form_.Refill();
  form_.SelectById(id);
  Fill();
}

void SelectPublisherDialog::AddPublisher() {
  const bool students = form_.status() == kNonPublisher;
  AddChoice choice = AddChoice::kNew;
  if (!students) {
    auto choices = AddChoices(doc_);
    if (choices.size() > 1) {
      auto chosen = ChooseAddKind(this, choices);
      if (!chosen) return;
      choice = *chosen;
    }
  }
  if (choice != AddChoice::kNew) {
    SelectPublisherForm source(doc_,
                               choice == AddChoice::kFromStudents ? kNonPublisher : kInactive);
    int i = ChooseFromList(this, Q(AddChoiceCaption(choice)), source.names());
    if (i < 0) return;
    source.Select(i);
    int rec = source.SelectedRecord();
    uint16_t id = rec > 0 ? static_cast<uint16_t>(doc_.records[rec].id) : 0;
    if (rec > 0) MoveToActive(doc_, rec, DialogMonthAsker(this));
    form_.Refill();
    form_.SelectById(id);
    Fill();
    return;
  }
  int rec = RunPublisherEditDialog(
      this, doc_, clipboard_, students ? PublisherKind::kBibleStudent : PublisherKind::kPublisher,
      0);
  uint16_t id = rec > 0 ? static_cast<uint16_t>(doc_.records[rec].id) : 0;
  form_.Refill();
  if (id) form_.SelectById(id);
  Fill();
}

void RunSelectPublisherDialog(QWidget* parent, CZarimDoc& doc, Clipboard* clipboard,
                              uint8_t status) {
  SelectPublisherForm form(doc, status);
  SelectPublisherDialog dialog(doc, form, clipboard, parent);
  dialog.exec();
}

std::optional<AddChoice> ChooseAddKind(QWidget* parent, const std::vector<AddChoice>& choices) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Q(Sid::kAddPublisherTitle));
  auto* layout = new QVBoxLayout(&dialog);
  std::vector<QRadioButton*> radios;
  for (AddChoice c : choices) {
    auto* r = new QRadioButton(Q(AddChoiceCaption(c)), &dialog);
    r->setAccessibleName(r->text());
    layout->addWidget(r);
    radios.push_back(r);
  }
  radios.front()->setChecked(true);
  layout->addWidget(MakeOkCancel(&dialog).box);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  for (size_t i = 0; i < radios.size(); ++i)
    if (radios[i]->isChecked()) return choices[i];
  return std::nullopt;
}

}  // namespace zarim
