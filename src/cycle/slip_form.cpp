// The report slip form: loading a month of the private copy, the visibility and warning
// rules, the pioneer credit, the remark and saving.
#include "cycle/slip_form.h"

#include <algorithm>
#include <cctype>

#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/branch_totals.h"
#include "cycle/late_reports.h"
#include "cycle/plausible_figures.h"
#include "cycle/slip_queries.h"
#include "cycle/slip_remarks.h"

namespace zarim {

namespace {

inline constexpr int kCreditCeiling = 55;  // credit and hours together
inline constexpr int kStarCredit = 40;     // credit a '*' allows beyond the ceiling
inline constexpr int kMaxCredit = 255;
inline constexpr int kMaxStudies = 63;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The whole-number value of the leading digits of a text, at most 65535.
int LeadingNumber(std::string_view text, size_t max_digits = 5) {
  int v = 0;
  for (size_t i = 0; i < text.size() && i < max_digits && IsDigit(text[i]); ++i)
    v = v * 10 + (text[i] - '0');
  return std::min(v, 65535);
}

}  // namespace

CreditResult ComputePioneerCredit(int h, int c, std::string_view remark_in) {
  CreditResult out;
  out.remark = std::string(remark_in);
  std::string& remark = out.remark;
  if (h > kCreditCeiling - 1) c = 0;
  if (c > 0 && kCreditCeiling - h < c) c = kCreditCeiling - h;
  if (c > 0 && Trim(remark).empty())
    remark = Printf(Sid::kSlipCreditRemarkFormat, c) + std::string(Str(Sid::kSlipHours));
  if (!remark.empty() && IsDigit(remark[0])) c = std::min(LeadingNumber(remark, 3), kMaxCredit);
  bool unlimited =
      remark.substr(0, std::min<size_t>(remark.size(), 6)).find('!') != std::string::npos;
  if (!unlimited) {
    bool star = false;
    for (size_t p = 1; p <= 4 && p < remark.size(); ++p) star = star || remark[p] == '*';
    int s = star ? std::min(c, kStarCredit) : 0;
    c = std::max(c, s);
    if (h > kCreditCeiling - 1 || s + h > kCreditCeiling - 1) c = s;
    if (c > 0) {
      if (s > 0 && s + h < kCreditCeiling && c + h > kCreditCeiling - 1) {
        c = kCreditCeiling - h;
      } else if (s == 0 && kCreditCeiling - h < c) {
        c = kCreditCeiling - h;
      }
    }
  }
  out.credit = std::max(c, 0);
  return out;
}

SlipForm::SlipForm(CZarimDoc& doc, int record) : doc_(doc), record_(record) {
  if (record_ <= 0 || record_ >= doc_.count) record_ = 0;
  copy_ = doc_.records[static_cast<size_t>(record_)];
  name_ = ToUtf8(doc_.DisplayName(copy_), doc_.language_code);
  month_choice_ = doc_.working_month;
  Load(doc_.working_month, SlotOfYear(doc_.working_year));
}

void SlipForm::Load(int month, int slot) {
  month_ = month;
  slot_ = slot;
  code_ = PioneerCodeOf(copy_, month, slot);
  aux_ = code_ == kAuxiliary;
  const uint16_t hours = copy_.activity[kHours][month][slot];
  // A month counts as posted when it holds any report: hours, studies or the shared bit
  // (under the new form a publisher reports without hours).
  loaded_reported_ = ReportedInMonth(copy_, month, slot) ||
                     (copy_.activity[kBibleStudies][month][slot] & kStudiesMask) != 0;
  hours_text_ = std::to_string(hours);
  studies_text_ = std::to_string(StudiesInMonth(copy_, month, slot));
  shared_ = (copy_.activity[kBibleStudies][month][slot] & kSharedBit) != 0;
  credit_ = code_ == kRegular ? static_cast<int>(copy_.credit[month][slot]) : 0;
  RemarkSlot r = GetRemark(doc_, copy_, month, slot);
  remark_entry_ = r.entry;
  stored_remark_ = r.text;
  remark_ = ToUtf8(r.text, doc_.language_code);
  RecheckShared();
  BuildWarning(mode_ == SlipMode::kChoosingMonth);
  RecomputeCredit();
}

std::string SlipForm::MonthText() const {
  return MonthInWorkingYearName(month_, doc_.working_month, doc_.working_year);
}

std::string SlipForm::PrivilegeText() const {
  switch (copy_.flags & kPrivilegeMask) {
    case kServant:
      return std::string(Str(Sid::kSlipServant));
    case kElder:
      return std::string(Str(Sid::kSlipElder));
    case kBaptizedBrother:
      return std::string(Str(Sid::kSlipBaptizedBrother));
    default:
      return {};
  }
}

std::string SlipForm::GroupText() const {
  return std::string(Str(Sid::kPostGroupWord)) +
         Printf(Sid::kPostGroupNumberFormat, static_cast<int>(copy_.group));
}

bool SlipForm::AuxBoxShown() const {
  return code_ < kRegular && (copy_.service_flags & kFieldMissionary) == 0;
}

std::string SlipForm::PioneerLabel() const {
  if (copy_.service_flags & kFieldMissionary) return std::string(Str(Sid::kSlipFieldMissionary));
  if (code_ == kSpecial) return std::string(Str(Sid::kSlipSpecialPioneer));
  if (code_ == kRegular) return std::string(Str(Sid::kSlipRegularPioneer));
  return {};
}

std::string SlipForm::CreditText() const {
  if (credit_ <= 0) return {};
  return Printf(Sid::kSlipCreditLabelFormat, credit_) + std::string(Str(Sid::kSlipHours)) +
         std::string(Str(Sid::kSlipCreditLabelEnd));
}

std::string SlipForm::CreditHint() const {
  return CreditShown() ? std::string(Str(Sid::kSlipCreditHint)) : std::string();
}

bool SlipForm::HoursShown() const {
  if (!shared_) return false;
  bool missionary = (copy_.service_flags & kFieldMissionary) != 0;
  return aux_ || code_ >= kAuxiliary || missionary;
}

void SlipForm::RecheckShared() {
  if (hours_text_.size() > 1 || HoursValue() != 0) shared_ = true;
}

void SlipForm::SetAux(bool ticked) {
  aux_ = ticked;
  // A publisher's code follows the box; a pioneer's is fixed by his record.
  if (code_ < kRegular) code_ = ticked ? kAuxiliary : kPublisher;
  RecheckShared();
}

void SlipForm::SetShared(bool ticked) {
  shared_ = ticked;
  if (!ticked) {
    hours_text_ = "0";
    studies_text_ = "0";
    RecomputeCredit();
  }
}

void SlipForm::SetHoursText(std::string_view text) {
  hours_text_ = std::string(text);
  RecomputeCredit();
}

void SlipForm::SetStudiesText(std::string_view text) { studies_text_ = std::string(text); }

int SlipForm::HoursValue() const { return LeadingNumber(Trim(hours_text_)); }

std::string SlipForm::RemarkBytes() const {
  std::string bytes = FromUtf8(remark_, doc_.language_code);
  if (bytes.size() > kSlipRemarkLength) bytes.resize(kSlipRemarkLength);
  return bytes;
}

void SlipForm::RecomputeCredit() {
  if (code_ != kRegular) {
    credit_ = 0;
    return;
  }
  std::string before = RemarkBytes();
  CreditResult r = ComputePioneerCredit(HoursValue(), credit_, before);
  credit_ = r.credit;
  if (r.remark != before) remark_ = ToUtf8(r.remark, doc_.language_code);
}

void SlipForm::BuildWarning(bool choosing) {
  warning_.clear();
  excluded_ = false;
  auto add = [this](const std::string& line) {
    if (!warning_.empty()) warning_ += '\n';
    warning_ += line;
  };
  const int wm = doc_.working_month;
  const int wslot = SlotOfYear(doc_.working_year);
  if (loaded_reported_)
    add(Fill(Sid::kSlipAlreadyPosted, MonthForMessage(doc_, month_, true), name_));
  if (PioneerCodeOf(copy_, month_, slot_) == kSpecial ||
      PioneerCodeOf(copy_, wm, wslot) == kSpecial) {
    add(std::string(Str(Sid::kSlipSpecialNotIncluded)));
    excluded_ = true;
  } else if (late() && !choosing) {
    if (loaded_reported_ && !IsInLateList(doc_, copy_.id, month_)) {
      add(Fill(Sid::kSlipChangesNotIncluded, MonthForMessage(doc_, wm, true)));
      excluded_ = true;
    } else {
      add(Fill(Sid::kSlipChangesIncluded, MonthForMessage(doc_, wm, true)));
    }
  } else if (!late() && loaded_reported_) {
    add(Fill(Sid::kSlipChangesIncluded, MonthForMessage(doc_, wm, true)));
  }
}

KeyAction SlipForm::NumberKey(NumberBox box, SlipKey key) {
  switch (key) {
    case SlipKey::kDigit:
    case SlipKey::kBackspace:
    case SlipKey::kPeriod:
      return KeyAction::kAccept;
    case SlipKey::kSpace:
    case SlipKey::kDelete:
      return KeyAction::kReplaceWithZero;
    case SlipKey::kRight:
      return box == NumberBox::kStudies ? KeyAction::kFocusShared : KeyAction::kFocusNext;
    case SlipKey::kLeft:
      return KeyAction::kFocusPrevious;
    case SlipKey::kEnter:
      return box == NumberBox::kStudies ? KeyAction::kSave : KeyAction::kFocusNext;
    case SlipKey::kOther:
      return KeyAction::kReject;
  }
  return KeyAction::kReject;
}

KeyAction SlipForm::EnterKey(SlipFocus focus) {
  switch (focus) {
    case SlipFocus::kOkButton:
      if (enter_returns_to_entry_) {
        enter_returns_to_entry_ = false;
        return KeyAction::kReturnToEntry;
      }
      return KeyAction::kSave;
    case SlipFocus::kStudies:
      return KeyAction::kSave;
    case SlipFocus::kHours:
    case SlipFocus::kOther:
      return KeyAction::kFocusNext;
  }
  return KeyAction::kFocusNext;
}

void SlipForm::BeginChangeMonth() {
  if (mode_ == SlipMode::kRemark) EndRemark();
  mode_ = SlipMode::kChoosingMonth;
  month_choice_ = month_;
}

std::vector<std::string> SlipForm::MonthChoices() const {
  std::vector<std::string> names;
  for (int m = 0; m < 12; ++m)
    names.push_back(MonthInWorkingYearName(m, doc_.working_month, doc_.working_year));
  return names;
}

void SlipForm::ChooseMonth(int month) {
  if (month < 0 || month > 11) return;
  month_choice_ = month;
  Load(month, SlotInWorkingYear(month, doc_.working_month, doc_.working_year));
}

void SlipForm::EndChangeMonth() {
  if (mode_ != SlipMode::kChoosingMonth) return;
  mode_ = SlipMode::kEntry;
  BuildWarning(false);
}

void SlipForm::BeginRemark() {
  if (mode_ == SlipMode::kChoosingMonth) EndChangeMonth();
  mode_ = SlipMode::kRemark;
}

void SlipForm::EndRemark() {
  // A remark with letters the code page lacks stays as typed, to be mended; Save says why.
  if (!FitsCodePage(remark_, doc_.language_code)) return;
  std::string bytes = RemarkBytes();
  remark_ = ToUtf8(bytes, doc_.language_code);
  if (bytes != stored_remark_) {
    remark_changed_ = true;
    bool stored = false;
    // An empty remark needs no new entry; an entry in use is emptied.
    bool new_entry = remark_entry_ == doc_.remark_count;
    if (remark_entry_ > 0 && !(new_entry && Trim(bytes).empty()))
      stored = StoreRemark(doc_, copy_, month_, slot_, remark_entry_, bytes);
    if (!stored) copy_.remark[month_][slot_] = 0;
    stored_remark_ = bytes;
  }
  if (Trim(bytes).empty()) credit_ = 0;
  RecomputeCredit();
  if (mode_ == SlipMode::kRemark) {
    mode_ = SlipMode::kEntry;
    enter_returns_to_entry_ = true;
  }
}

SlipForm::SaveResult SlipForm::Save() {
  if (record_ == 0) return SaveResult::kRefused;
  // A letter the code page lacks would be stored as '?' in the remark.
  if (const std::string fault = CodePageFault(remark_, doc_.language_code); !fault.empty()) {
    doc_.prompter->Tell(fault);
    return SaveResult::kRefused;
  }
  if (mode_ == SlipMode::kChoosingMonth) EndChangeMonth();
  if (mode_ == SlipMode::kRemark) {
    EndRemark();
    enter_returns_to_entry_ = false;
  }
  // The slip takes whole hours; a fraction ("30.5", "30,5") is refused with a word
  // rather than cut to the whole hours before it.
  std::string_view ht = Trim(hours_text_);
  if (!std::all_of(ht.begin(), ht.end(), IsDigit)) {
    refused_box_ = NumberBox::kHours;
    doc_.prompter->Tell(Fill(Sid::kSlipHoursWhole, ht));
    return SaveResult::kRefused;
  }
  int studies = -1;
  std::string_view st = Trim(studies_text_);
  if (!st.empty() && st.size() <= 4 && std::all_of(st.begin(), st.end(), IsDigit))
    studies = LeadingNumber(st);
  if (studies < 0 || studies > kMaxStudies) {
    refused_box_ = NumberBox::kStudies;
    doc_.prompter->Tell(Fill(Sid::kSlipEnterInteger, "0", std::to_string(kMaxStudies)));
    return SaveResult::kRefused;
  }
  const int hours = HoursValue();
  // A credit that filled in the remark is stored with it.
  if (RemarkBytes() != stored_remark_) EndRemark();
  enter_returns_to_entry_ = false;

  const int m = month_, s = slot_;
  copy_.activity[kHours][m][s] = static_cast<uint16_t>(hours);
  uint16_t word = copy_.activity[kBibleStudies][m][s];
  word = static_cast<uint16_t>((word & ~(kStudiesMask | kSharedBit)) | studies);
  if (shared_ || hours != 0 || studies != 0) word |= kSharedBit;
  copy_.activity[kBibleStudies][m][s] = word;
  if ((copy_.pioneer[m][s] & 0x03) < kRegular)
    copy_.pioneer[m][s] =
        static_cast<uint8_t>((copy_.pioneer[m][s] & ~0x03) | (aux_ ? kAuxiliary : kPublisher));
  copy_.credit[m][s] = static_cast<uint16_t>(credit_);

  const PubRecord& stored = doc_.records[static_cast<size_t>(record_)];
  bool differs = remark_changed_ || stored.pioneer[m][s] != copy_.pioneer[m][s] ||
                 stored.credit[m][s] != copy_.credit[m][s];
  for (int f = 0; f < 5 && !differs; ++f)
    differs = stored.activity[f][m][s] != copy_.activity[f][m][s];
  if (!differs) return SaveResult::kUnchanged;

  // A figure far from the publisher's own, or outside the slip's limits, is asked about
  // once: Yes (the default) keeps it, No leaves the slip open for a correction.
  const std::string list = WarningLines(
      CheckReport(doc_, copy_, m, YearInWorkingYear(m, doc_.working_month, doc_.working_year)));
  if (!list.empty()) {
    if (doc_.prompter->Ask(Fill(Sid::kFigAcceptQuestion, list), Buttons::kYesNo, Answer::kYes) ==
        Answer::kNo)
      return SaveResult::kRefused;
  }
  doc_.records[static_cast<size_t>(record_)] = copy_;
  if (late() && !excluded_) AddLateReport(doc_, copy_.id, m);
  doc_.resume_id = copy_.id;
  return SaveResult::kSaved;
}

}  // namespace zarim
