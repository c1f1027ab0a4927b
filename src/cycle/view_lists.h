// The lists of the View menu in one dialog: the list types, their selectors (group, month,
// period, years-baptized bracket, privilege, circumstance), which publishers each type
// lists and in what form, and the contact actions of the missing-report list (a reminder
// by mail, the list on the clipboard).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/desktop_ports.h"
#include "core/document.h"
#include "cycle/status_lists.h"

namespace zarim {

class Clipboard;

// The kinds of list. The custom category keeps its own number here; the type selector
// shows it directly after the special circumstances, or in their place when no record has
// a circumstance.
enum class ViewType : int {
  kNoReport = 0,
  kIrregular = 1,
  kNewPublishers = 2,
  kReactivated = 3,
  kInactive = 4,
  kMoveouts = 5,
  kYearsBaptized = 6,
  kAuxPioneers = 7,
  kStudyConductors = 8,
  kUnbaptized = 9,
  kNonPublishers = 10,
  kCollectionForm = 11,
  kPrivileges = 12,
  kConsent = 13,
  kNoConsent = 14,
  kCircumstances = 15,
  kCustom = 16,
};
inline constexpr int kViewTypeCount = 17;

// The selector beside the type selector, and the month or period selector.
enum class ViewSelector { kNone, kGroup, kBracket, kPrivilege, kCircumstance, kMonth, kPeriod };

// Entries of the privilege selector by meaning; "Special servants" is offered only while
// the document has special servants.
enum class ViewPrivilege : int {
  kServants = 0,
  kElders,
  kRegular,
  kContinuousAux,
  kSpecial,
  kSpecialServants,
  kFieldMissionaries,
};

// The years-baptized brackets, "Recently Baptized" first.
inline constexpr int kBracketCount = 9;
inline constexpr int kBracketRecent = 0;

// The list types the document offers, in the order of the type selector.
std::vector<ViewType> OfferedViewTypes(const CZarimDoc& doc);
// The type selector's text of a type (type 0 with the month's name filled in).
std::string ViewTypeText(const CZarimDoc& doc, ViewType type, int month);
// Parses a type of the command line: its number or a word ("no-report", "irregular",
// "new", "reactivated", "inactive", "moveouts", "baptized", "aux", "conductors",
// "unbaptized", "students", "collection", "privileges", "consent", "no-consent",
// "circumstances", "custom").
std::optional<ViewType> ParseViewType(const std::string& text);

// Years since a stored baptism date ("MMDDYYYY") at today's year and month: today's year
// minus the baptism year, one less when the baptism month lies after today's month;
// nullopt when the date has no year.
std::optional<int> YearsBaptized(const std::string& stored, int today_year, int today_month);

class ViewListForm {
 public:
  // Opens on a type; for the years-baptized type the bracket starts on "Recently
  // Baptized", for the missing-report type the month on the working month. A type the
  // document does not offer falls back to the first one.
  ViewListForm(CZarimDoc& doc, ViewType type);
  CZarimDoc& doc() const { return doc_; }

  // ---- Type ---------------------------------------------------------------------------
  const std::vector<ViewType>& types() const { return types_; }
  std::vector<std::string> TypeTexts() const;
  int type_position() const;
  ViewType type() const { return type_; }
  void SetType(ViewType type);

  // ---- Selectors ----------------------------------------------------------------------
  ViewSelector second_kind() const;
  ViewSelector third_kind() const;
  // Texts of the selectors as shown (UTF-8).
  std::vector<std::string> SecondEntries() const;
  std::vector<std::string> ThirdEntries() const;
  int second() const { return second_; }
  int third() const { return third_; }
  void SetSecond(int position);
  void SetThird(int position);
  // The group the list is limited to (0 = the congregation), the month of type 0 and the
  // privilege meant by the selector's position.
  int group() const { return second_kind() == ViewSelector::kGroup ? second_ : 0; }
  int month() const { return month_; }
  ViewPrivilege privilege() const;

  // ---- The list -----------------------------------------------------------------------
  const std::vector<StatusLine>& lines() const { return lines_; }
  std::string Title() const;
  // "group  -  overseer" under the list when a group is chosen (types 0, 11, 13, 14).
  std::string GroupCaption() const;
  // "Edit" (privileges of the selected publisher) for type 12 outside the history view.
  bool EditShown() const;

  // ---- Contact actions of the missing-report list ------------------------------------
  bool ContactShown() const { return type_ == ViewType::kNoReport; }
  // Selects a line (-1 = none).
  void Select(int line);
  int selected() const { return selected_; }
  // The mail button: "E-Mail" and the publisher's address, or, for a group with nothing
  // selected, the overseer's address or "No Email Address for %1".
  std::string MailCaption();
  bool MailEnabled();
  // The message the mail button hands over; nullopt when there is nobody to write to.
  std::optional<MailMessage> MailToSend();
  // Hands the message to the mailer (the user is told when there is no mail program, also
  // when the desktop has no mailer at all). False when nothing was handed over.
  bool SendReminder(Mailer* mailer);
  // The list as text: the heading (the list's text, the group or "Congregation", and
  // "Overseer: %1"), then one line per publisher; CRLF between lines.
  std::string ClipboardText() const;
  void CopyToClipboard(Clipboard& clipboard) const;

 private:
  void Refill();
  std::string SelectedAddress();
  // The record of the group's overseer, 0 when none.
  int OverseerRecord() const;

  CZarimDoc& doc_;
  std::vector<ViewType> types_;
  ViewType type_ = ViewType::kNoReport;
  int second_ = 0;
  int third_ = 0;
  int month_ = 0;
  std::vector<StatusLine> lines_;
  int selected_ = -1;
};

// The entries of a type's second selector (group, bracket, privilege, circumstance).
std::vector<std::string> ViewSecondEntries(const CZarimDoc& doc, ViewType type);
// The dialog's title for a type with its selections and the number of lines.
std::string ViewTitle(const CZarimDoc& doc, ViewType type, int second, int third, int count);

// The lines of a type with its selections, as the dialog shows them; none of a list read
// from the months' cells when the working month is not valid.
std::vector<StatusLine> ViewListLines(const CZarimDoc& doc, ViewType type, int second, int third);

}  // namespace zarim
