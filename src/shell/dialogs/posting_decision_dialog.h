// "Report Slip Posting": the buttons of the decision about a working month that is not
// open, bound to PostingDecisionForm.
#pragma once

#include <QDialog>
#include <string>

class QPushButton;

namespace zarim {

class CZarimDoc;
class DesktopShell;
class Mailer;
class PostingDecisionForm;
class Prompter;

class PostingDecisionDialog : public QDialog {
  Q_OBJECT

 public:
  PostingDecisionDialog(PostingDecisionForm& form, Prompter& prompter, QWidget* parent = nullptr);

  QPushButton* suggestion_button() const { return suggestion_; }
  QPushButton* reopen_button() const { return reopen_; }
  QPushButton* initialize_button() const { return initialize_; }
  QPushButton* initialize_next_button() const { return initialize_next_; }
  QPushButton* cancel_button() const { return cancel_; }

 private:
  PostingDecisionForm& form_;
  Prompter& prompter_;
  QPushButton* suggestion_ = nullptr;
  QPushButton* reopen_ = nullptr;
  QPushButton* initialize_ = nullptr;
  QPushButton* initialize_next_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// The "&Report Slips" entry: the decision dialog when the working month is not open, then
// the posting list when it is. Returns the status text for the status bar.
std::string RunPostingDecisionDialog(QWidget* parent, CZarimDoc& doc, Prompter& prompter,
                                     Mailer* mailer = nullptr, DesktopShell* desktop = nullptr);

}  // namespace zarim
