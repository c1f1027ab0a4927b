// The collection list dialog's rules.
#include "exchange/collection_list_form.h"

#include "core/file_io.h"
#include "core/file_names.h"
#include "core/month.h"
#include "core/settings.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/slip_queries.h"
#include "exchange/collection_file.h"
#include "records/groups.h"

namespace zarim {

CollectionListForm::CollectionListForm(CZarimDoc& doc, int group)
    : doc_(doc),
      group_(group),
      to_assistant_(MailToAssistant(doc, group)),
      email_(ToUtf8(doc.options.secretary_email, doc.language_code)) {}

std::string CollectionListForm::GroupText() const {
  return ToUtf8(GroupLabel(doc_, group_), doc_.language_code);
}

std::vector<std::string> CollectionListForm::MonthChoices() const {
  return {MonthYearOfSerial(doc_.working_serial),
          Fill(Sid::kCollMonthChoice, MonthYearOfSerial(doc_.working_serial + 1))};
}

std::string CollectionListForm::PrepareNewText() const {
  return Fill(Sid::kCollPrepareNew, GroupText());
}

std::string CollectionListForm::RecipientName() const {
  if (group_ < 1 || group_ > kMaxGroups) return {};
  const char* field =
      to_assistant_ ? doc_.groups.assistant[group_ - 1] : doc_.groups.overseer[group_ - 1];
  // The assistant field's last two bytes carry the mail choice, not the name.
  return ToUtf8(FieldText(field, to_assistant_ ? 22 : 24), doc_.language_code);
}

std::string CollectionListForm::RecipientEmail() const {
  if (group_ < 1 || group_ > kMaxGroups) return {};
  const char* field =
      to_assistant_ ? doc_.groups.assistant[group_ - 1] : doc_.groups.overseer[group_ - 1];
  const int rec = FindByFirstLastName(doc_, FieldText(field, to_assistant_ ? 22 : 24));
  if (rec <= 0) return {};
  return ToUtf8(PublisherEmail(doc_, doc_.records[static_cast<size_t>(rec)]), doc_.language_code);
}

std::string CollectionListForm::CreateCaption() const {
  if (RecipientEmail().empty()) return std::string(Str(Sid::kCollCreateAndSave));
  return Fill(Sid::kCollCreateAndEmail, RecipientName());
}

std::string CollectionListForm::NoEmailText() const {
  const std::string name = RecipientName();
  if (name.empty() || !RecipientEmail().empty()) return {};
  return Fill(Sid::kCollNoEmailFor, name);
}

std::vector<std::string> CollectionListForm::MissingNames() const {
  std::vector<std::string> out;
  const int serial = doc_.working_serial + (next_month_ ? 1 : 0);
  const int m = MonthOfSerial(serial);
  const int s = SlotOfSerial(serial);
  for (int rec : CollectionMembers(doc_, group_)) {
    const PubRecord& r = doc_.records[static_cast<size_t>(rec)];
    if (next_month_ || !ReportedInMonth(r, m, s))
      out.push_back(ToUtf8(doc_.DisplayName(r), doc_.language_code));
  }
  return out;
}

std::string CollectionListForm::MissingTitle() const {
  return std::string(Str(MissingNames().empty() ? Sid::kCollComplete : Sid::kCollMissingReports));
}

MailMessage CollectionListForm::Message(const std::string& path) const {
  MailMessage message;
  message.to = SplitRecipients(RecipientEmail());
  const int month = MonthOfSerial(doc_.working_serial + (next_month_ ? 1 : 0));
  message.subject = Printf(Sid::kCollMailSubject, std::string(Str(Sid::kCollCollectionFile)),
                           MonthName(month), GroupText());
  message.text = std::string(Str(Sid::kCollMailText));
  message.attachment = path;
  return message;
}

std::string CollectionListForm::Create(Mailer* mailer, DesktopShell* desktop) {
  const std::string email = CleanSecretaryEmail(FromUtf8(email_, doc_.language_code));
  const std::string old_email = doc_.options.secretary_email;
  const bool new_email = email != old_email;
  doc_.options.secretary_email = email;  // the file carries it
  SetMailToAssistant(doc_, group_, to_assistant_);
  doc_.prompter->BeginBusy({}, Printf(Sid::kCollBuilding, group_));
  std::vector<std::string> altered;
  const std::vector<uint8_t> bytes = BuildCollectionList(doc_, group_, next_month_, &altered);
  doc_.prompter->EndBusy();
  // The names that cannot travel as they are: said before the file is made.
  if (!altered.empty()) {
    std::string list;
    for (const std::string& line : altered) list += line + "\n";
    if (doc_.prompter->Ask(Fill(Sid::kCollNamesAltered, list), Buttons::kOkCancel, Answer::kOk) !=
        Answer::kOk)
      return {};
  }
  const std::string name = CollectionFileName(group_);
  const std::string path = JoinPath(doc_.data_folder, name);
  // The sender's address is kept with the file it was given for, in one transaction.
  SaveTransaction tx(doc_.data_folder);
  bool written = tx.Stage(name, bytes);
  if (new_email) {
    const std::string settings = SettingsFileWith(
        doc_.data_folder, [&](IniFile& ini) { ini.SetString("Sec", "Email", email); });
    written = written && tx.Stage(kFileSettings, settings.data(), settings.size());
  }
  written = written && tx.Commit();
  if (!written) {
    doc_.options.secretary_email = old_email;
    doc_.prompter->Tell(Fill(Sid::kCollNotWritten, path));
    return {};
  }
  if (new_email && doc_.settings) doc_.settings->ini().SetString("Sec", "Email", email);
  doc_.prompter->Tell(Fill(Sid::kCollSaved, path));
  if (mailer && !RecipientEmail().empty() && !SendMail(*mailer, *doc_.prompter, Message(path)) &&
      desktop &&
      doc_.prompter->Ask(Fill(Sid::kCollShowFolder, path), Buttons::kYesNo, Answer::kYes) ==
          Answer::kYes)
    OpenFolderOrSay(*desktop, *doc_.prompter, doc_.data_folder);
  return path;
}

}  // namespace zarim
