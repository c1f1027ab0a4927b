// The form of "Edit Publisher Information" (and its Bible-student variant "Edit Bible
// Student"): a private copy of one record, the rules of every field, and what OK,
// "&Previous", "&Next", Copy/Paste and the conductor buttons do to the document.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/clipboard.h"
#include "core/document.h"
#include "records/record_dates.h"

namespace zarim {

enum class PublisherKind { kPublisher, kBibleStudent };

enum class TextField { kFirst, kLast, kAddress, kHome, kMobile, kWork, kEmail };
inline constexpr int kTextFieldCount = 7;

inline constexpr int kMaxPublisherName = 14;
inline constexpr int kMaxOverseerName = 18;
inline constexpr int kMaxAddress = 60;
inline constexpr int kMaxPhone = 14;

// Everything the dialog shows, as the user sees it (texts in UTF-8).
struct PublisherFields {
  std::array<std::string, kTextFieldCount> text;
  DateParts birth, baptism, consent_date;
  bool elder = false, servant = false, baptized_brother = false;
  bool family_head = false, continuous_aux = false, custom = false;
  bool male = false, female = false, anointed = false;
  bool regular = false, special = false;
  bool deaf = false, blind = false, incarcerated = false;
  bool special_servant = false, field_missionary = false;
  bool consent = false;
  int group = 0;           // 0 = none
  uint16_t conductor = 0;  // Bible students: identifier of the study conductor
};

// AutoCaps applies unless the interface language is one of these or begins with "U".
bool AutoCapsAppliesTo(std::string_view language_code);
struct CapsEdit {
  std::string text;
  int caret = 0;  // in characters
  bool changed = false;
};
// The AutoCaps rule for a name box that now holds text (UTF-8): a first letter a-z is
// raised (caret after it); more than 14 characters are cut to 14 (caret at the end).
CapsEdit ApplyAutoCaps(std::string_view text, int caret);

// The privilege code of the three boxes: elder wins, then ministerial servant; baptized
// brother counts only when neither is ticked.
uint8_t PrivilegeCode(bool elder, bool servant, bool baptized_brother);
// The pioneer code of the working month from the boxes and the code stored before.
uint8_t PioneerCodeFor(bool special, bool regular, bool continuous_aux, uint8_t previous);

class PublisherForm {
 public:
  // kFull: the publisher table, or the list of the new record's status, has no room.
  enum class Result { kStored, kInvalid, kRefused, kFull, kFailed };

  PublisherForm(CZarimDoc& doc, Clipboard* clipboard,
                PublisherKind kind = PublisherKind::kPublisher);

  // Adding mode: an empty record with a fresh identifier.
  void StartAdding();
  // Editing mode: a copy of record rec.
  bool Load(int rec);

  bool adding() const { return adding_; }
  PublisherKind kind() const { return kind_; }
  int record() const { return rec_; }
  uint16_t id() const { return base_.id; }
  std::string Title() const;
  std::string DisplayName() const;  // UTF-8, as the lists show it
  // The name as typed so far (UTF-8, the lists' form); "" while both names are blank.
  std::string TypedName() const;

  PublisherFields& fields() { return fields_; }
  const PublisherFields& fields() const { return fields_; }
  int MaxLength(TextField f) const;

  // The name boxes changed: AutoCaps when it is on for this language.
  bool autocaps_active() const;
  CapsEdit NameEdited(TextField f, std::string_view text, int caret);

  // Exclusive boxes and the family-head lock.
  void SetMale(bool on);
  void SetFemale(bool on);
  // False (and the box stays ticked) when unticking a head who still has members.
  bool SetFamilyHead(bool on);
  bool HeadHasMembers() const;

  // Which controls the dialog shows and what they read.
  bool privileges_shown() const { return kind_ == PublisherKind::kPublisher; }
  bool custom_shown() const;
  std::string CustomCaption() const;
  bool consent_date_shown() const { return fields_.consent; }
  bool navigation_enabled() const { return !adding_; }  // "&Previous", "&Next", "&Delete"
  bool conductor_shown() const { return kind_ == PublisherKind::kBibleStudent; }
  std::string ConductorText() const;  // "Bible Study Conductor: name" or ""
  std::string AgeLabel() const;
  std::string BaptismLabel() const;
  std::string GroupButtonCaption() const;
  bool household_shown() const;
  std::string HouseholdCaption() const;
  std::string CopyCaption() const;
  bool clear_shown() const;

  // The buttons.
  Result Ok();
  Result Next() { return Step(+1); }
  Result Previous() { return Step(-1); }
  Result CopyOrPaste();
  // Cancel: a household made for a publisher who is not added after all is undone.
  void Cancel();
  void ClearCopy();
  void SetConductor(int rec);
  void ClearConductor() { fields_.conductor = 0; }

  // The record the contact dialogs work on: the document's record when editing, the new
  // record when adding (its links are kept when it is added).
  PubRecord& working_record() { return adding_ ? base_ : doc_.records[rec_]; }

  // The field to give the focus after kInvalid.
  TextField invalid_field() const { return invalid_field_; }

  // Adding mode, publishers: the status dialog of the new publisher, shown before the
  // record is saved. Not set: the record is added as an active publisher.
  std::function<void(CZarimDoc&, PubRecord&)> status_dialog;

 private:
  void FillFrom(const PubRecord& r);
  bool Validate();
  // Writes the fields into r; false when the e-mail could not be stored.
  void WriteFields(PubRecord& r) const;
  bool StoreEmail(PubRecord& r);
  Result Store();
  // The appointment entry that marks consent on file follows the consent box.
  void StoreConsentMarker(uint16_t id);
  Result Step(int direction);
  // The list that Previous and Next walk: the one the shown record belongs to (a record
  // opened from the inactive or deleted list steps through that list).
  int ListStatus() const;

  CZarimDoc& doc_;
  Clipboard* clipboard_;
  PublisherKind kind_;
  bool adding_ = true;
  int rec_ = 0;
  PubRecord base_{};  // the record as loaded
  std::string loaded_email_;
  PublisherFields fields_;
  TextField invalid_field_ = TextField::kFirst;
};

// The marker that begins the clipboard text of a copied publisher.
inline constexpr std::string_view kCopyMarker = "ZARIM publisher copy";

}  // namespace zarim
