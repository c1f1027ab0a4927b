// The collection list dialog: the month, the secretary's address, who receives the file,
// and creating (and mailing) the collection list of one field service group.
#pragma once

#include <string>
#include <vector>

#include "core/desktop_ports.h"
#include "core/document.h"

namespace zarim {

class CollectionListForm {
 public:
  CollectionListForm(CZarimDoc& doc, int group);  // group 1..20

  int group() const { return group_; }
  std::string GroupText() const;  // the group's label (UTF-8)

  // " Collection Month ": the working month (0) or the month after it (1), which makes
  // the list a new, empty one.
  std::vector<std::string> MonthChoices() const;
  bool next_month() const { return next_month_; }
  void SetNextMonth(bool on) { next_month_ = on; }
  std::string PrepareNewText() const;  // "Prepare New (Empty) Collection List for %1"

  const std::string& email() const { return email_; }  // UTF-8
  void SetEmail(std::string utf8) { email_ = std::move(utf8); }

  bool to_assistant() const { return to_assistant_; }
  void SetToAssistant(bool on) { to_assistant_ = on; }

  // The person who receives the file (the overseer, or the assistant when chosen) and
  // his address; empty when he has none.
  std::string RecipientName() const;  // UTF-8
  std::string RecipientEmail() const;
  std::string CreateCaption() const;  // "Create and email the file to %1" or "... Save ..."
  std::string NoEmailText() const;    // "No Email Address for %1", or empty
  // "Missing Reports" with the names still missing, or "Collection Complete".
  std::string MissingTitle() const;
  std::vector<std::string> MissingNames() const;

  // Creates the file in the data folder (replacing an older one), tells the user where it
  // is, and mails it when the recipient has an address. A mail that cannot be handed over
  // leaves the file and offers to show it in its folder. Returns the file's path; empty
  // when it could not be written (then nothing is mailed).
  std::string Create(Mailer* mailer, DesktopShell* desktop);

  // The message that carries the file at path to the recipient.
  MailMessage Message(const std::string& path) const;

 private:
  CZarimDoc& doc_;
  int group_;
  bool next_month_ = false;
  bool to_assistant_ = false;
  std::string email_;
};

}  // namespace zarim
