// The decision dialog: one button per choice the form offers; the form decides which are
// shown, what they read and what each does.
#include "shell/dialogs/posting_decision_dialog.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/strings.h"
#include "cycle/collection.h"
#include "cycle/posting_decision_form.h"
#include "cycle/roll.h"
#include "shell/dialogs/posting_list_dialog.h"
#include "shell/main_window.h"

namespace zarim {

namespace {
QPushButton* AddButton(QWidget* parent, QVBoxLayout* layout, const std::string& caption) {
  auto* b = new QPushButton(Q(caption), parent);
  b->setAccessibleName(Q(caption));
  layout->addWidget(b);
  return b;
}
}  // namespace

PostingDecisionDialog::PostingDecisionDialog(PostingDecisionForm& form, Prompter& prompter,
                                             QWidget* parent)
    : QDialog(parent), form_(form), prompter_(prompter) {
  setWindowTitle(Q(form.Title()));
  setAccessibleName(Q(form.Title()));
  auto* layout = new QVBoxLayout(this);
  setAccessibleDescription(Q(Str(Sid::kAccDecisionButtons)));

  reopen_ = AddButton(this, layout, form.ReopenCaption());
  reopen_->setVisible(form.ReopenShown());
  initialize_ = AddButton(this, layout, form.InitializeCaption());
  initialize_next_ = AddButton(this, layout, form.InitializeNextCaption());
  initialize_next_->setVisible(form.InitializeNextShown());
  suggestion_ = AddButton(this, layout, form.SuggestionCaption());
  suggestion_->setVisible(form.SuggestionShown());
  cancel_ = AddButton(this, layout, form.CancelCaption());

  // Enter chooses the reopen button when it is offered, else the initialize button; Esc
  // cancels.
  (form.ReopenShown() ? reopen_ : initialize_)->setDefault(true);
  setTabOrder(reopen_, initialize_);
  setTabOrder(initialize_, initialize_next_);
  setTabOrder(initialize_next_, suggestion_);
  setTabOrder(suggestion_, cancel_);

  connect(reopen_, &QPushButton::clicked, this, [this] {
    if (form_.Reopen()) accept();
  });
  connect(initialize_, &QPushButton::clicked, this, [this] {
    if (form_.Initialize(prompter_)) accept();
  });
  connect(initialize_next_, &QPushButton::clicked, this, [this] {
    if (form_.InitializeNext(prompter_)) accept();
  });
  connect(suggestion_, &QPushButton::clicked, this,
          [this] { prompter_.Tell(form_.SuggestionText()); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

std::string RunPostingDecisionDialog(QWidget* parent, CZarimDoc& doc, Prompter& prompter,
                                     Mailer* mailer, DesktopShell* desktop) {
  if (!WorkingMonthOpen(doc)) {
    PostingDecisionForm form(doc);
    PostingDecisionDialog dialog(form, prompter, parent);
    if (dialog.exec() == QDialog::Accepted) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      form.Apply(doc);
      QApplication::restoreOverrideCursor();
    }
  }
  if (WorkingMonthOpen(doc)) RunPostingListDialog(parent, doc, mailer, desktop);
  return WorkingMonthStatusText(doc);
}

}  // namespace zarim
