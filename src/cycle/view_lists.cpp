// The View lists: which publishers each list type shows, its selectors, title and the
// contact actions of the missing-report list.
#include "cycle/view_lists.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include "core/bytes.h"
#include "core/clipboard.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/congregation_view.h"
#include "cycle/slip_queries.h"
#include "cycle/status_lists.h"
#include "records/appointments_form.h"
#include "records/extension.h"
#include "records/groups.h"
#include "records/record_dates.h"

namespace zarim {

namespace {

struct Bracket {
  Sid text;
  int low, high;
};
constexpr Bracket kBrackets[kBracketCount] = {
    {Sid::kViewBracketRecent, 0, 1},    {Sid::kViewBracket0to4, 0, 4},
    {Sid::kViewBracket5to9, 5, 9},      {Sid::kViewBracket10to19, 10, 19},
    {Sid::kViewBracket20to29, 20, 29},  {Sid::kViewBracket30to39, 30, 39},
    {Sid::kViewBracket40to49, 40, 49},  {Sid::kViewBracket50to59, 50, 59},
    {Sid::kViewBracketOver60, 60, 100},
};

constexpr Sid kPrivilegeTexts[] = {
    Sid::kViewPrivServants,          Sid::kViewPrivElders,  Sid::kViewPrivRegular,
    Sid::kViewPrivContinuousAux,     Sid::kViewPrivSpecial, Sid::kViewPrivSpecialServants,
    Sid::kViewPrivFieldMissionaries,
};
constexpr Sid kCircumstanceTexts[] = {Sid::kDeaf, Sid::kBlind, Sid::kIncarcerated};

struct TypeWord {
  ViewType type;
  const char* word;
};
constexpr TypeWord kTypeWords[] = {
    {ViewType::kNoReport, "no-report"},
    {ViewType::kIrregular, "irregular"},
    {ViewType::kNewPublishers, "new"},
    {ViewType::kReactivated, "reactivated"},
    {ViewType::kInactive, "inactive"},
    {ViewType::kMoveouts, "moveouts"},
    {ViewType::kYearsBaptized, "baptized"},
    {ViewType::kAuxPioneers, "aux"},
    {ViewType::kStudyConductors, "conductors"},
    {ViewType::kUnbaptized, "unbaptized"},
    {ViewType::kNonPublishers, "students"},
    {ViewType::kCollectionForm, "collection"},
    {ViewType::kPrivileges, "privileges"},
    {ViewType::kConsent, "consent"},
    {ViewType::kNoConsent, "no-consent"},
    {ViewType::kCircumstances, "circumstances"},
    {ViewType::kCustom, "custom"},
};

// Number of period entries of a type (0 when it has none).
int PeriodEntries(ViewType type) {
  switch (type) {
    case ViewType::kNewPublishers:
    case ViewType::kReactivated:
      return 4;
    case ViewType::kInactive:
      return 5;
    case ViewType::kMoveouts:
    case ViewType::kAuxPioneers:
    case ViewType::kStudyConductors:
      return 3;
    default:
      return 0;
  }
}

ViewSelector SecondOf(ViewType type) {
  switch (type) {
    case ViewType::kNoReport:
    case ViewType::kIrregular:
    case ViewType::kUnbaptized:
    case ViewType::kNonPublishers:
    case ViewType::kCollectionForm:
    case ViewType::kConsent:
    case ViewType::kNoConsent:
    case ViewType::kCustom:
      return ViewSelector::kGroup;
    case ViewType::kYearsBaptized:
      return ViewSelector::kBracket;
    case ViewType::kPrivileges:
      return ViewSelector::kPrivilege;
    case ViewType::kCircumstances:
      return ViewSelector::kCircumstance;
    default:
      return ViewSelector::kNone;
  }
}

ViewSelector ThirdOf(ViewType type) {
  if (type == ViewType::kNoReport) return ViewSelector::kMonth;
  return PeriodEntries(type) > 0 ? ViewSelector::kPeriod : ViewSelector::kNone;
}

// A stored date as the lists show it: month/day/year, month/year without a day, empty
// when it has no month or year.
std::string DisplayDate(const char* field, size_t n) {
  DateParts d = ParseRecordDate(FieldText(field, n));
  if (d.month == 0 || d.year == 0) return {};
  if (d.day == 0) return Printf(Sid::kViewMonthYearFormat, d.month, d.year);
  return Printf(Sid::kViewDateFormat, d.month, d.day, d.year);
}
template <size_t N>
std::string DisplayDate(const char (&field)[N]) {
  return DisplayDate(field, N);
}

// The phone text of the missing-report lines: home, else mobile, both with a tab between.
std::string PhoneText(const CZarimDoc& doc, const PubRecord& r) {
  std::string home(Trim(FieldText(r.home_phone)));
  std::string mobile(Trim(FieldText(r.mobile_phone)));
  std::string text = home.empty() ? mobile : (mobile.empty() ? home : home + "\t" + mobile);
  return ToUtf8(text, doc.language_code);
}

// Name line with the group number when the whole congregation is listed.
std::string NameWith(const CZarimDoc& doc, const PubRecord& r, int group, const std::string& tail) {
  std::string name = ShownName(doc, r);
  if (group == 0) return Printf(Sid::kViewLineGroupPhone, name.c_str(), int{r.group}, tail.c_str());
  return Printf(Sid::kViewLinePhone, name.c_str(), tail.c_str());
}

// True when the month walk of the period (0 six months, 1 the service year, 2 twelve
// months) back from the working month finds a month that passes the test.
bool AnyMonthOfPeriod(const CZarimDoc& doc, int period,
                      const std::function<bool(int month, int slot)>& test) {
  int months = period == 0 ? 6 : period == 1 ? MonthsIntoServiceYear(doc.working_serial) : 12;
  MonthCursor c = CursorAt(doc.working_serial);
  for (int i = 0; i < months; ++i, c.Back())
    if (test(c.month, c.slot)) return true;
  return false;
}

// Whether a stored date "MMDDYYYY" lies in or before (or, with after, in or after) the
// month serial given by year and month.
int DateSerial(const char* field, size_t n) {
  DateParts d = ParseRecordDate(FieldText(field, n));
  if (d.month == 0 || d.year == 0) return -1;
  return d.year * 12 + d.month - 1;
}

ViewPrivilege PrivilegeAt(const CZarimDoc& doc, int position) {
  int p = std::clamp(position, 0, 6);
  if (!doc.special_servants_present && p >= static_cast<int>(ViewPrivilege::kSpecialServants))
    p = std::min(p + 1, 6);
  return static_cast<ViewPrivilege>(p);
}

std::vector<StatusLine> PrivilegeLines(const CZarimDoc& doc, ViewPrivilege privilege) {
  std::vector<StatusLine> out;
  const int working = (2000 + doc.working_year) * 12 + doc.working_month;
  ForEachOfStatus(doc, kActive, 0, [&](int rec, const PubRecord& r) {
    std::string date;
    if (privilege == ViewPrivilege::kSpecialServants) {
      if (!(r.service_flags & kSpecialServant)) return;
    } else if (privilege == ViewPrivilege::kFieldMissionaries) {
      if (!(r.service_flags & kFieldMissionary)) return;
    } else {
      // Codes 1 to 5 of the appointment table, in the order of the selector.
      auto code = static_cast<uint16_t>(static_cast<int>(privilege) + 1);
      const AppointmentRecord* a = FindAppointment(doc, r.id, code);
      if (!a) return;
      int start = DateSerial(a->start_date, sizeof a->start_date);
      int end = DateSerial(a->end_date, sizeof a->end_date);
      if (start < 0 || start > working) return;
      if (end >= 0 && end < working) return;
      date = DisplayDate(a->start_date);
    }
    std::string name = ShownName(doc, r);
    out.push_back({static_cast<uint16_t>(rec),
                   date.empty() ? name : Printf(Sid::kViewLinePhone, name.c_str(), date.c_str())});
  });
  return out;
}

std::vector<StatusLine> ConsentLines(const CZarimDoc& doc, int group, bool with) {
  std::vector<StatusLine> out;
  ForEachOfStatus(doc, kActive, group, [&](int rec, const PubRecord& r) {
    bool has = FindAppointment(doc, r.id, kApptConsent) != nullptr;
    if (has != with) return;
    out.push_back(
        {static_cast<uint16_t>(rec), NameWith(doc, r, group, DisplayDate(r.consent_date))});
  });
  return out;
}

std::vector<StatusLine> NamesWhere(const CZarimDoc& doc, uint8_t status, int group,
                                   const std::function<bool(const PubRecord&)>& test) {
  std::vector<StatusLine> out;
  ForEachOfStatus(doc, status, group, [&](int rec, const PubRecord& r) {
    if (test(r)) out.push_back({static_cast<uint16_t>(rec), ShownName(doc, r)});
  });
  return out;
}

}  // namespace

std::vector<ViewType> OfferedViewTypes(const CZarimDoc& doc) {
  std::vector<ViewType> out;
  for (int t = 0; t <= static_cast<int>(ViewType::kNoConsent); ++t)
    out.push_back(static_cast<ViewType>(t));
  if (doc.special_circumstances_present) out.push_back(ViewType::kCircumstances);
  if (doc.options.custom_category_enabled && !Trim(doc.options.custom_category_name).empty())
    out.push_back(ViewType::kCustom);
  return out;
}

std::string ViewTypeText(const CZarimDoc& doc, ViewType type, int month) {
  switch (type) {
    case ViewType::kNoReport:
      return Fill(Sid::kNoReportFor, MonthInWorkingYearName(std::clamp(month, 0, 11),
                                                            doc.working_month, doc.working_year));
    case ViewType::kIrregular:
      return std::string(Str(Sid::kIrregularList));
    case ViewType::kNewPublishers:
      return std::string(Str(Sid::kNewPublishersList));
    case ViewType::kReactivated:
      return std::string(Str(Sid::kReactivatedList));
    case ViewType::kInactive:
      return std::string(Str(Sid::kInactiveList));
    case ViewType::kMoveouts:
      return std::string(Str(Sid::kMoveoutsList));
    case ViewType::kYearsBaptized:
      return std::string(Str(Sid::kViewYearsBaptized));
    case ViewType::kAuxPioneers:
      return std::string(Str(Sid::kViewAuxPioneers));
    case ViewType::kStudyConductors:
      return std::string(Str(Sid::kViewStudyConductors));
    case ViewType::kUnbaptized:
      return std::string(Str(Sid::kViewUnbaptized));
    case ViewType::kNonPublishers:
      return std::string(Str(Sid::kViewNonPublishers));
    case ViewType::kCollectionForm:
      return std::string(Str(Sid::kViewCollectionForm));
    case ViewType::kPrivileges:
      return std::string(Str(Sid::kViewPrivileges));
    case ViewType::kConsent:
      return std::string(Str(Sid::kViewConsent));
    case ViewType::kNoConsent:
      return std::string(Str(Sid::kViewNoConsent));
    case ViewType::kCircumstances:
      return std::string(Str(Sid::kViewCircumstances));
    case ViewType::kCustom:
      return ToUtf8(doc.options.custom_category_name, doc.language_code);
  }
  return {};
}

std::optional<ViewType> ParseViewType(const std::string& text) {
  for (const TypeWord& w : kTypeWords)
    if (text == w.word) return w.type;
  if (text.empty() || text.size() > 2) return std::nullopt;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  int n = std::stoi(text);
  if (n >= kViewTypeCount) return std::nullopt;
  return static_cast<ViewType>(n);
}

std::optional<int> YearsBaptized(const std::string& stored, int today_year, int today_month) {
  if (stored.size() < 8 || !std::isdigit(static_cast<unsigned char>(stored[4])))
    return std::nullopt;
  DateParts d = ParseRecordDate(stored);
  if (d.year == 0) return std::nullopt;
  int years = today_year - d.year;
  if (d.month > today_month) --years;
  return years;
}

std::vector<StatusLine> ViewListLines(const CZarimDoc& doc, ViewType type, int second, int third) {
  const int group = SecondOf(type) == ViewSelector::kGroup ? second : 0;
  const bool of_month_cells = type == ViewType::kNoReport || type == ViewType::kCollectionForm ||
                              type == ViewType::kAuxPioneers || type == ViewType::kStudyConductors;
  // These lists read the cells of months counted from the working month: none without a
  // valid one.
  const CongregationView view(doc);
  if (of_month_cells && !view.WorkingMonth()) return {};
  switch (type) {
    case ViewType::kNoReport:
    case ViewType::kCollectionForm: {
      std::vector<StatusLine> out;
      int month = std::clamp(third, 0, 11);
      int slot = *view.SlotOf(month);
      ForEachOfStatus(doc, kActive, group, [&](int rec, const PubRecord& r) {
        if (type == ViewType::kNoReport &&
            (ReportedInMonth(r, month, slot) || HasRemark(doc, r, month, slot)))
          return;
        out.push_back({static_cast<uint16_t>(rec), NameWith(doc, r, group, PhoneText(doc, r))});
      });
      return out;
    }
    case ViewType::kIrregular:
      return IrregularList(doc, group);
    case ViewType::kNewPublishers:
      return NewPublishersList(doc, std::clamp(third, 0, 3));
    case ViewType::kReactivated:
      return ReactivatedList(doc, std::clamp(third, 0, 3));
    case ViewType::kInactive:
      return InactiveViewList(doc, std::clamp(third, 0, 4));
    case ViewType::kMoveouts:
      return MoveoutsList(doc, std::clamp(third, 0, 2));
    case ViewType::kYearsBaptized: {
      const Bracket& b = kBrackets[std::clamp(second, 0, kBracketCount - 1)];
      std::vector<StatusLine> out;
      ForEachOfStatus(doc, kActive, 0, [&](int rec, const PubRecord& r) {
        auto years = YearsBaptized(FieldText(r.baptism_date), doc.today_year, doc.today_month);
        if (!years || *years < b.low || *years > b.high) return;
        std::string name = ShownName(doc, r);
        out.push_back({static_cast<uint16_t>(rec), Printf(Sid::kViewLinePhone, name.c_str(),
                                                          DisplayDate(r.baptism_date).c_str())});
      });
      return out;
    }
    case ViewType::kAuxPioneers:
      return NamesWhere(doc, kActive, 0, [&](const PubRecord& r) {
        return AnyMonthOfPeriod(doc, third,
                                [&](int m, int s) { return PioneerCodeOf(r, m, s) == kAuxiliary; });
      });
    case ViewType::kStudyConductors: {
      std::vector<StatusLine> out;
      const int wm = view.WorkingMonth()->month, ws = view.WorkingMonth()->slot;
      ForEachOfStatus(doc, kActive, 0, [&](int rec, const PubRecord& r) {
        if (!AnyMonthOfPeriod(doc, third,
                              [&](int m, int s) { return StudiesInMonth(r, m, s) != 0; }))
          return;
        std::string line = ShownName(doc, r);
        if (StudiesInMonth(r, wm, ws) != 0) line += "\t" + MonthName(wm);
        out.push_back({static_cast<uint16_t>(rec), std::move(line)});
      });
      return out;
    }
    case ViewType::kUnbaptized:
      return NamesWhere(doc, kActive, group,
                        [](const PubRecord& r) { return Trim(FieldText(r.baptism_date)).empty(); });
    case ViewType::kNonPublishers: {
      std::vector<StatusLine> out;
      ForEachOfStatus(doc, kNonPublisher, group, [&](int rec, const PubRecord& r) {
        std::string line = ShownName(doc, r);
        const PubRecord* conductor = r.linked_id != 0 ? doc.FindById(r.linked_id) : nullptr;
        if (conductor)
          line += "\t" + std::string(Str(Sid::kViewConductorOpen)) + ShownName(doc, *conductor) +
                  std::string(Str(Sid::kViewConductorClose));
        out.push_back({static_cast<uint16_t>(rec), std::move(line)});
      });
      return out;
    }
    case ViewType::kPrivileges:
      return PrivilegeLines(doc, PrivilegeAt(doc, second));
    case ViewType::kConsent:
      return ConsentLines(doc, group, true);
    case ViewType::kNoConsent:
      return ConsentLines(doc, group, false);
    case ViewType::kCircumstances: {
      const uint16_t bit = static_cast<uint16_t>(1u << std::clamp(second, 0, 2));
      return NamesWhere(doc, kActive, 0,
                        [bit](const PubRecord& r) { return (r.special_circumstances & bit) != 0; });
    }
    case ViewType::kCustom:
      return NamesWhere(doc, kActive, group,
                        [](const PubRecord& r) { return (r.flags & kCustomCategory) != 0; });
  }
  return {};
}

// ---- The form ------------------------------------------------------------------------

ViewListForm::ViewListForm(CZarimDoc& doc, ViewType type)
    : doc_(doc), types_(OfferedViewTypes(doc)) {
  SetType(type);
}

std::vector<std::string> ViewListForm::TypeTexts() const {
  std::vector<std::string> out;
  for (ViewType t : types_) out.push_back(ViewTypeText(doc_, t, month_));
  return out;
}

int ViewListForm::type_position() const {
  auto it = std::find(types_.begin(), types_.end(), type_);
  return it == types_.end() ? 0 : static_cast<int>(it - types_.begin());
}

void ViewListForm::SetType(ViewType type) {
  if (std::find(types_.begin(), types_.end(), type) == types_.end()) type = types_.front();
  type_ = type;
  second_ = 0;
  third_ = type == ViewType::kNoReport ? doc_.working_month : 0;
  month_ = doc_.working_month;
  Refill();
}

ViewSelector ViewListForm::second_kind() const { return SecondOf(type_); }
ViewSelector ViewListForm::third_kind() const { return ThirdOf(type_); }

std::vector<std::string> ViewSecondEntries(const CZarimDoc& doc, ViewType type) {
  std::vector<std::string> out;
  switch (SecondOf(type)) {
    case ViewSelector::kGroup:
      out.emplace_back(Str(Sid::kPostCongregation));
      for (int g = 1; g <= std::min<int>(doc.groups.count, kMaxGroups); ++g)
        out.push_back(GroupLabel(doc, g));
      break;
    case ViewSelector::kBracket:
      for (const Bracket& b : kBrackets) out.emplace_back(Str(b.text));
      break;
    case ViewSelector::kPrivilege:
      for (int p = 0; p < 7; ++p) {
        if (p == static_cast<int>(ViewPrivilege::kSpecialServants) && !doc.special_servants_present)
          continue;
        out.emplace_back(Str(kPrivilegeTexts[p]));
      }
      break;
    case ViewSelector::kCircumstance:
      for (Sid s : kCircumstanceTexts) out.emplace_back(Str(s));
      break;
    default:
      break;
  }
  return out;
}

std::vector<std::string> ViewListForm::SecondEntries() const {
  return ViewSecondEntries(doc_, type_);
}

std::vector<std::string> ViewListForm::ThirdEntries() const {
  std::vector<std::string> out;
  if (third_kind() == ViewSelector::kMonth) {
    for (int m = 0; m < 12; ++m)
      out.push_back(MonthInWorkingYearName(m, doc_.working_month, doc_.working_year));
  } else if (third_kind() == ViewSelector::kPeriod) {
    bool inactive = type_ == ViewType::kInactive;
    for (int p = 0; p < PeriodEntries(type_); ++p)
      out.emplace_back(Str(ViewPeriodCaption(inactive, p)));
  }
  return out;
}

void ViewListForm::SetSecond(int position) {
  int n = static_cast<int>(SecondEntries().size());
  second_ = n == 0 ? 0 : std::clamp(position, 0, n - 1);
  Refill();
}

void ViewListForm::SetThird(int position) {
  int n = static_cast<int>(ThirdEntries().size());
  third_ = n == 0 ? 0 : std::clamp(position, 0, n - 1);
  if (third_kind() == ViewSelector::kMonth) month_ = third_;
  Refill();
}

ViewPrivilege ViewListForm::privilege() const { return PrivilegeAt(doc_, second_); }

void ViewListForm::Refill() {
  lines_ = ViewListLines(doc_, type_, second_, third_);
  selected_ = -1;
}

std::string ViewTitle(const CZarimDoc& doc, ViewType type, int second, int third, int count) {
  std::string text;
  switch (type) {
    case ViewType::kYearsBaptized:
    case ViewType::kPrivileges:
    case ViewType::kCircumstances: {
      auto entries = ViewSecondEntries(doc, type);
      text = second >= 0 && second < static_cast<int>(entries.size()) ? entries[second]
                                                                      : std::string();
      break;
    }
    default:
      text = ViewTypeText(doc, type, type == ViewType::kNoReport ? third : doc.working_month);
  }
  if (SecondOf(type) != ViewSelector::kNone || ThirdOf(type) == ViewSelector::kPeriod)
    return Printf(Sid::kViewTitleCount, text.c_str(), count);
  return text;
}

std::string ViewListForm::Title() const {
  return ViewTitle(doc_, type_, second_, third_, static_cast<int>(lines_.size()));
}

std::string ViewListForm::GroupCaption() const {
  bool shows = type_ == ViewType::kNoReport || type_ == ViewType::kCollectionForm ||
               type_ == ViewType::kConsent || type_ == ViewType::kNoConsent;
  int g = group();
  if (!shows || g < 1 || g > kMaxGroups) return {};
  std::string overseer = ToUtf8(FieldText(doc_.groups.overseer[g - 1]), doc_.language_code);
  return Printf(Sid::kViewGroupCaption, GroupLabel(doc_, g).c_str(), overseer.c_str());
}

bool ViewListForm::EditShown() const {
  return type_ == ViewType::kPrivileges && !doc_.history_view;
}

void ViewListForm::Select(int line) {
  selected_ = line >= 0 && line < static_cast<int>(lines_.size()) ? line : -1;
}

int ViewListForm::OverseerRecord() const {
  int g = group();
  if (g < 1 || g > kMaxGroups) return 0;
  return FindByFirstLastName(doc_, FieldText(doc_.groups.overseer[g - 1]));
}

std::string ViewListForm::SelectedAddress() {
  int rec = selected_ >= 0 ? lines_[selected_].rec : OverseerRecord();
  if (rec <= 0 || rec >= doc_.count) return {};
  return std::string(Trim(LoadExtension(doc_, doc_.records[rec]).email));
}

std::string ViewListForm::MailCaption() {
  std::string email(Str(Sid::kViewEmail));
  if (selected_ < 0 && group() != 0) {
    std::string address = SelectedAddress();
    if (address.empty()) {
      std::string overseer =
          ToUtf8(FieldText(doc_.groups.overseer[group() - 1]), doc_.language_code);
      return Fill(Sid::kViewNoEmailFor, overseer);
    }
    return email + " " + ToUtf8(address, doc_.language_code);
  }
  if (selected_ < 0) return email;
  std::string address = SelectedAddress();
  return address.empty() ? email : email + " " + ToUtf8(address, doc_.language_code);
}

bool ViewListForm::MailEnabled() {
  if (!ContactShown()) return false;
  if (selected_ < 0 && group() == 0) return false;
  return !SelectedAddress().empty();
}

std::optional<MailMessage> ViewListForm::MailToSend() {
  if (!MailEnabled()) return std::nullopt;
  MailMessage m;
  m.to = SplitRecipients(ToUtf8(SelectedAddress(), doc_.language_code));
  if (m.to.empty()) return std::nullopt;
  std::string month = MonthName(month_);
  m.subject = Fill(Sid::kNoReportFor, month);
  m.text = selected_ >= 0 ? Fill(Sid::kViewReminderText, month) : ClipboardText();
  // Reminders go out under the congregation's name; a name too short to mean anything
  // gives way to the program's.
  std::string name = TrimRight(doc_.options.congregation_name);
  m.sender_name = name.size() >= 4 ? ToUtf8(name, doc_.language_code) : "ZARIM";
  return m;
}

bool ViewListForm::SendReminder(Mailer* mailer) {
  auto message = MailToSend();
  if (!message) return false;
  if (!mailer) {
    doc_.prompter->Tell(Str(Sid::kMailUnavailable));
    return false;
  }
  return SendMail(*mailer, *doc_.prompter, *message);
}

std::string ViewListForm::ClipboardText() const {
  const std::string crlf = "\r\n";
  std::string out = ViewTypeText(doc_, type_, month_) + crlf;
  int g = group();
  if (g >= 1 && g <= kMaxGroups) {
    std::string overseer = ToUtf8(FieldText(doc_.groups.overseer[g - 1]), doc_.language_code);
    out += Printf(Sid::kViewGroupCaption, GroupLabel(doc_, g).c_str(),
                  Fill(Sid::kOverseerHeading, overseer).c_str());
  } else {
    out += Str(Sid::kPostCongregation);
  }
  out += crlf;
  for (const StatusLine& l : lines_) out += l.text + crlf;
  return out;
}

void ViewListForm::CopyToClipboard(Clipboard& clipboard) const {
  clipboard.SetText(ClipboardText());
}

}  // namespace zarim
