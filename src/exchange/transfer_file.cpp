// The transfer file: taking a publisher's record out of the document, writing and
// reading its XML tree, and adding a publisher from it.
#include "exchange/transfer_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>

#include "core/appointments_file.h"
#include "core/file_io.h"
#include "core/fill_args.h"
#include "core/month.h"
#include "core/store.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/history_form.h"
#include "cycle/plausible_figures.h"
#include "cycle/slip_queries.h"
#include "cycle/slip_remarks.h"
#include "cycle/status_rules.h"
#include "exchange/xml_document.h"
#include "records/placing.h"
#include "records/publisher_form.h"
#include "records/record_dates.h"

namespace zarim {

namespace {

constexpr const char* kRoot = "ZarimTransfer";
constexpr int kKeptMonths = 24;
constexpr int kMaxAppointmentsInFile = 6;
constexpr int kLastYear = 2199;
constexpr size_t kRemarkLength = sizeof(RemarkEntry::text) - 1;
constexpr uint8_t kPersonFlags = kPrivilegeMask | kFamilyHead | kContinuousAux | kMale | kFemale;
constexpr uint16_t kServiceFlags = kSpecialServant | kFieldMissionary;
constexpr uint16_t kCircumstances = kDeaf | kBlind | kIncarcerated;

constexpr const char* kPrivileges[] = {"none", "servant", "elder", "baptizedBrother"};
struct Kind {
  uint16_t code;
  const char* name;
};
constexpr Kind kKinds[] = {{1, "servant"},        {2, "elder"},
                           {3, "regularPioneer"}, {4, "continuousAuxiliary"},
                           {5, "specialPioneer"}, {20, "consent"}};
struct Flag {
  const char* name;
  int word;  // 0 flags, 1 service flags, 2 special circumstances
  uint16_t bit;
};
constexpr Flag kFlags[] = {{"familyHead", 0, kFamilyHead},
                           {"continuousAuxiliary", 0, kContinuousAux},
                           {"specialServant", 1, kSpecialServant},
                           {"fieldMissionary", 1, kFieldMissionary},
                           {"deaf", 2, kDeaf},
                           {"blind", 2, kBlind},
                           {"incarcerated", 2, kIncarcerated}};

// The text elements of the publisher in the schema's order, with their limits in record
// bytes: the limits of the publisher and contact forms.
struct TextField {
  const char* name;
  size_t limit;
  bool required;
};
constexpr TextField kTexts[] = {
    {"FirstName", kMaxPublisherName, true},   {"LastName", kMaxPublisherName, true},
    {"Address", kMaxAddress, false},          {"HomePhone", kMaxPhone, false},
    {"MobilePhone", kMaxPhone, false},        {"OtherPhone", kMaxPhone, false},
    {"LongName", kMaxLongName, false},        {"Email", kMaxEmail, false},
    {"OtherContact", kMaxOtherContact, false}};
constexpr const char* kDates[] = {"BirthDate", "BaptismDate", "ConsentDate"};

std::string* ContactText(ExtensionData& c, int i) {
  return i == 6 ? &c.long_name : i == 7 ? &c.email : &c.other;
}

// The fixed fields of the first six text elements, handed to use.
template <typename Record, typename Use>
void WithRecordText(Record& r, int i, Use use) {
  switch (i) {
    case 0:
      return use(r.first_name);
    case 1:
      return use(r.last_name);
    case 2:
      return use(r.address);
    case 3:
      return use(r.home_phone);
    case 4:
      return use(r.mobile_phone);
    case 5:
      return use(r.other_phone);
  }
}
void SetRecordText(PubRecord& r, int i, const std::string& bytes) {
  WithRecordText(r, i, [&](auto& field) { SetField(field, bytes); });
}
std::string GetRecordText(const PubRecord& r, int i) {
  std::string text;
  WithRecordText(r, i, [&](const auto& field) { text = FieldText(field); });
  return text;
}

template <typename Record>
auto& DateField(Record& r, int i) {
  return i == 0 ? r.birth_date : i == 1 ? r.baptism_date : r.consent_date;
}

// "YYYY-MM-DD", or "YYYY-MM" without a day, from the stored form; empty when unknown.
std::string IsoDate(const char (&stored)[9]) {
  DateParts d = ParseRecordDate(FieldText(stored));
  if (d.month == 0 || d.year == 0) return {};
  std::string s = fmt::sprintf("%04d-%02d", d.year, d.month);
  if (d.day != 0) s += fmt::sprintf("-%02d", d.day);
  return s;
}

bool WholeNumber(const std::string& s, int lo, int hi, int* out) {
  int v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || s[0] == '-' || ec != std::errc() || end != s.data() + s.size()) return false;
  if (v < lo || v > hi) return false;
  *out = v;
  return true;
}

// Back to the stored form; false when the text is not an ISO date (empty is unknown).
bool StoredDate(const std::string& iso, std::string* stored) {
  if (iso.empty()) {
    *stored = FormatRecordDate({});
    return true;
  }
  DateParts d;
  if (iso.size() != 7 && iso.size() != 10) return false;
  if (iso[4] != '-' || (iso.size() == 10 && iso[7] != '-')) return false;
  if (!WholeNumber(iso.substr(0, 4), kFirstListYear, kLastYear, &d.year)) return false;
  if (!WholeNumber(iso.substr(5, 2), 1, 12, &d.month)) return false;
  if (iso.size() == 10 && !WholeNumber(iso.substr(8, 2), 1, 31, &d.day)) return false;
  *stored = FormatRecordDate(d);
  return true;
}

struct MonthValue {
  const char* name;
  int max;
};
constexpr MonthValue kMonthValues[] = {{"year", kLastYear},
                                       {"month", 12},
                                       {"placements", kMaxHistoryCell},
                                       {"videos", kMaxHistoryCell},
                                       {"hours", kMaxHistoryCell},
                                       {"quarter", 3},
                                       {"returnVisits", kMaxHistoryCell},
                                       {"studies", kMaxHistoryStudies},
                                       {"shared", 1},
                                       {"pioneer", 3},
                                       {"credit", kMaxHistoryCell},
                                       {"late", 12}};

std::array<int, std::size(kMonthValues)> MonthValues(const TransferMonth& m) {
  return {m.year,          m.month + 1, m.placements, m.videos,  m.hours,  m.quarter,
          m.return_visits, m.studies,   m.shared,     m.pioneer, m.credit, m.late};
}
TransferMonth MonthFrom(const std::array<int, std::size(kMonthValues)>& v) {
  TransferMonth m;
  m.year = v[0], m.month = v[1] - 1;
  m.placements = static_cast<uint16_t>(v[2]), m.videos = static_cast<uint16_t>(v[3]);
  m.hours = static_cast<uint16_t>(v[4]), m.quarter = v[5];
  m.return_visits = static_cast<uint16_t>(v[6]), m.studies = v[7], m.shared = v[8] != 0;
  m.pioneer = v[9], m.credit = static_cast<uint16_t>(v[10]), m.late = v[11];
  return m;
}

void BuildXml(const CZarimDoc& doc, const TransferPublisher& t, uint16_t id, XmlDocument& x) {
  auto utf8 = [&](std::string_view bytes) { return ToUtf8(bytes, doc.language_code); };
  const PubRecord& p = t.person;
  x.ResetPos();
  x.AddElem(kRoot);
  x.SetAttrib("version", kTransferVersion);
  x.AddChildElem("Publisher");
  x.SetChildAttrib("id", std::to_string(id));
  x.IntoElem();
  ExtensionData contact = t.contact;
  for (int i = 0; i < static_cast<int>(std::size(kTexts)); ++i) {
    std::string text = i < 6 ? GetRecordText(p, i) : *ContactText(contact, i);
    if (i < 6 || !text.empty()) x.AddChildElem(kTexts[i].name, utf8(text));
  }
  for (int i = 0; i < 3; ++i) {
    std::string iso = IsoDate(DateField(p, i));
    if (i == 2 ? p.consent != 0 : !iso.empty()) x.AddChildElem(kDates[i], iso);
  }
  x.AddChildElem("Person");
  x.SetChildAttrib("sex", (p.flags & kMale) ? "male" : (p.flags & kFemale) ? "female" : "none");
  x.SetChildAttrib("hope", p.hope == 'A' ? "anointed" : "other");
  x.SetChildAttrib("privilege", kPrivileges[p.flags & kPrivilegeMask]);
  for (const Flag& f : kFlags) {
    const unsigned word = f.word == 0   ? unsigned{p.flags}
                          : f.word == 1 ? unsigned{p.service_flags}
                                        : unsigned{p.special_circumstances};
    x.SetChildAttrib(f.name, (word & f.bit) ? "1" : "0");
  }
  for (const TransferAppointment& a : t.appointments) {
    for (const Kind& k : kKinds) {
      if (k.code != a.kind) continue;
      AppointmentRecord stored{};
      SetField(stored.start_date, a.start);
      SetField(stored.end_date, a.end);
      x.AddChildElem("Appointment");
      x.SetChildAttrib("kind", k.name);
      x.SetChildAttrib("start", IsoDate(stored.start_date));
      x.SetChildAttrib("end", IsoDate(stored.end_date));
    }
  }
  for (const TransferMonth& m : t.months) {
    x.AddChildElem("Month");
    const auto values = MonthValues(m);
    for (size_t i = 0; i < values.size(); ++i)
      x.SetChildAttrib(kMonthValues[i].name, std::to_string(values[i]));
    if (!m.remark.empty()) {
      x.IntoElem();
      x.AddChildElem("Remark", utf8(m.remark));
      x.OutOfElem();
    }
  }
  x.OutOfElem();
}

// Reads one transfer file's tree, stopping at the first thing its schema does not allow.
class Reader {
 public:
  Reader(const CZarimDoc& doc, std::string path) : doc_(doc), path_(std::move(path)) {}

  std::optional<TransferPublisher> Read(XmlDocument& x, std::string* why);

 private:
  bool Bad(std::string_view what, std::string_view value) {
    if (why_.empty()) why_ = FillArgs(Str(Sid::kTransferBadValue), {path_, value, what});
    return false;
  }
  bool Missing(std::string_view what) {
    if (why_.empty()) why_ = Fill(Sid::kTransferMissing, path_, what);
    return false;
  }
  // The text of the element in record bytes, at most limit of them.
  bool Text(const std::string& utf8, std::string_view what, size_t limit, std::string* out) {
    *out = FromUtf8(utf8, doc_.language_code);
    // A letter the code page lacks would arrive as '?'.
    if (out->size() > limit || out->find('\0') != std::string::npos ||
        !FitsCodePage(utf8, doc_.language_code))
      return Bad(what, utf8);
    return true;
  }
  bool Person(XmlDocument& x, PubRecord& p);
  bool Appointment(XmlDocument& x, TransferPublisher& t);
  bool Month(XmlDocument& x, TransferPublisher& t);

  const CZarimDoc& doc_;
  std::string path_;
  std::string why_;
  std::set<uint16_t> kinds_seen_;
  std::set<int> months_seen_;
};

bool Reader::Person(XmlDocument& x, PubRecord& p) {
  auto choice = [&](const char* attr, std::initializer_list<const char*> words, int* out) {
    const std::string v = x.GetChildAttrib(attr);
    int i = 0;
    for (const char* w : words) {
      if (v == w) {
        *out = i;
        return true;
      }
      ++i;
    }
    return Bad(std::string("Person ") + attr, v);
  };
  int sex = 0, hope = 0, privilege = 0;
  if (!choice("sex", {"none", "male", "female"}, &sex) ||
      !choice("hope", {"other", "anointed"}, &hope) ||
      !choice("privilege", {kPrivileges[0], kPrivileges[1], kPrivileges[2], kPrivileges[3]},
              &privilege))
    return false;
  p.flags = static_cast<uint8_t>(privilege | (sex == 1 ? kMale : sex == 2 ? kFemale : 0));
  p.hope = hope ? 'A' : 'O';
  for (const Flag& f : kFlags) {
    int on = 0;
    if (!choice(f.name, {"0", "1"}, &on)) return false;
    if (!on) continue;
    if (f.word == 0) p.flags = static_cast<uint8_t>(p.flags | f.bit);
    if (f.word == 1) p.service_flags = static_cast<uint16_t>(p.service_flags | f.bit);
    if (f.word == 2)
      p.special_circumstances = static_cast<uint16_t>(p.special_circumstances | f.bit);
  }
  return true;
}

bool Reader::Appointment(XmlDocument& x, TransferPublisher& t) {
  if (t.appointments.size() >= kMaxAppointmentsInFile) return Bad("Appointment", "");
  const std::string kind = x.GetChildAttrib("kind");
  TransferAppointment a;
  for (const Kind& k : kKinds)
    if (kind == k.name) a.kind = k.code;
  if (a.kind == 0 || !kinds_seen_.insert(a.kind).second) return Bad("Appointment kind", kind);
  const std::string start = x.GetChildAttrib("start"), end = x.GetChildAttrib("end");
  if (!StoredDate(start, &a.start)) return Bad("Appointment start", start);
  if (!StoredDate(end, &a.end)) return Bad("Appointment end", end);
  t.appointments.push_back(std::move(a));
  return true;
}

bool Reader::Month(XmlDocument& x, TransferPublisher& t) {
  if (t.months.size() >= kKeptMonths) return Bad("Month", "");
  std::array<int, std::size(kMonthValues)> v{};
  for (size_t i = 0; i < v.size(); ++i) {
    const std::string text = x.GetChildAttrib(kMonthValues[i].name);
    const int lo = i == 0 ? 2000 : i == 1 ? 1 : 0;
    if (!WholeNumber(text, lo, kMonthValues[i].max, &v[i]))
      return Bad(std::string("Month ") + kMonthValues[i].name, text);
  }
  TransferMonth m = MonthFrom(v);
  if (!months_seen_.insert(Serial(m.year - 2000, m.month)).second)
    return Bad("Month", std::to_string(m.year) + "-" + std::to_string(m.month + 1));
  // A month holds at most one remark and nothing else.
  x.IntoElem();
  bool ok = true;
  if (x.FindChildElem()) {
    ok = x.GetChildTagName() == "Remark" &&
         Text(x.GetChildData(), "Remark", kRemarkLength, &m.remark) && !x.FindChildElem();
    if (ok == false) Bad("Month", x.GetChildTagName());
  }
  x.OutOfElem();
  if (ok) t.months.push_back(std::move(m));
  return ok;
}

std::optional<TransferPublisher> Reader::Read(XmlDocument& x, std::string* why) {
  auto refuse = [&](std::string text) -> std::optional<TransferPublisher> {
    *why = std::move(text);
    return std::nullopt;
  };
  // After a Bad() or Missing() that said why.
  auto fail = [&]() -> std::optional<TransferPublisher> { return refuse(why_); };
  if (!x.Load(path_))
    return refuse(x.Refusal().empty() ? Fill(Sid::kTransferNotWhole, path_) : x.Refusal());
  if (x.HasDocType()) return refuse(Fill(Sid::kTransferDocType, path_));
  x.ResetPos();
  if (!x.FindElem(kRoot)) return refuse(Fill(Sid::kTransferNotWhole, path_));
  const std::string version = x.GetAttrib("version");
  if (version != std::to_string(kTransferVersion))
    return refuse(FillArgs(Str(Sid::kTransferWrongVersion),
                           {path_, version, std::to_string(kTransferVersion)}));
  if (!x.FindChildElem("Publisher")) return refuse(Fill(Sid::kTransferMissing, path_, "Publisher"));
  if (x.FindChildElem()) return refuse(Fill(Sid::kTransferNotWhole, path_));
  x.ResetChildPos();
  x.FindChildElem("Publisher");
  int id = 0;
  if (!WholeNumber(x.GetChildAttrib("id"), 0, 65535, &id)) {
    Bad("Publisher id", x.GetChildAttrib("id"));
    return fail();
  }
  x.IntoElem();

  TransferPublisher t;
  PubRecord& p = t.person;
  // A date the file leaves out is unknown, stored as the publisher form stores one.
  for (int i = 0; i < static_cast<int>(std::size(kDates)); ++i)
    SetField(DateField(p, i), FormatRecordDate({}));
  // The elements in the schema's order: each named one at most once, then the repeated
  // appointments and months.
  std::vector<std::string> order;
  for (const TextField& f : kTexts) order.push_back(f.name);
  for (const char* d : kDates) order.push_back(d);
  order.insert(order.end(), {"Person", "Appointment", "Month"});
  const size_t person_at = order.size() - 3;
  size_t next = 0;  // the first element allowed next
  bool person = false;
  std::set<size_t> seen;
  while (x.FindChildElem()) {
    const std::string tag = x.GetChildTagName();
    size_t at = 0;
    while (at < order.size() && order[at] != tag) ++at;
    if (at == order.size() || at < next) {
      Bad("Publisher", tag);
      return fail();
    }
    next = at <= person_at ? at + 1 : at;
    if (at < std::size(kTexts)) {
      std::string bytes;
      if (!Text(x.GetChildData(), tag, kTexts[at].limit, &bytes)) return fail();
      const int i = static_cast<int>(at);
      if (i < 6) {
        SetRecordText(p, i, bytes);
      } else {
        *ContactText(t.contact, i) = bytes;
      }
    } else if (at < std::size(kTexts) + std::size(kDates)) {
      const int i = static_cast<int>(at - std::size(kTexts));
      std::string stored;
      if (!StoredDate(x.GetChildData(), &stored)) {
        Bad(tag, x.GetChildData());
        return fail();
      }
      SetField(DateField(p, i), stored);
      if (i == 2) p.consent = 1;
    } else if (tag == "Person") {
      if (!Person(x, p)) return fail();
      person = true;
    } else if (tag == "Appointment") {
      if (!Appointment(x, t)) return fail();
    } else if (!Month(x, t)) {
      return fail();
    }
    seen.insert(at);
  }
  for (size_t i = 0; i < std::size(kTexts); ++i)
    if (kTexts[i].required && !seen.count(i)) {
      Missing(kTexts[i].name);
      return fail();
    }
  if (!person) {
    Missing("Person");
    return fail();
  }
  if (Trim(FieldText(p.last_name)).empty()) {
    Bad("LastName", "");
    return fail();
  }
  return t;
}

}  // namespace

TransferPublisher TakeTransfer(CZarimDoc& doc, int rec) {
  TransferPublisher t;
  const PubRecord& r = doc.records[rec];
  PubRecord& p = t.person;
  for (int i = 0; i < 6; ++i) SetRecordText(p, i, GetRecordText(r, i));
  std::copy(std::begin(r.birth_date), std::end(r.birth_date), p.birth_date);
  std::copy(std::begin(r.baptism_date), std::end(r.baptism_date), p.baptism_date);
  std::copy(std::begin(r.consent_date), std::end(r.consent_date), p.consent_date);
  p.consent = r.consent ? 1 : 0;
  p.hope = r.hope == 'A' ? 'A' : 'O';
  p.flags = r.flags & kPersonFlags;
  p.service_flags = r.service_flags & kServiceFlags;
  p.special_circumstances = r.special_circumstances & kCircumstances;
  if (r.ext_key != 0) {
    t.contact = LoadExtension(doc, r);
    t.contact.further = 0;
  }
  for (const Kind& k : kKinds) {
    for (int i = 0; i < doc.appointment_count; ++i) {
      const AppointmentRecord& a = doc.appointments[i];
      if (a.id == r.id && a.kind == k.code)
        t.appointments.push_back({k.code, FieldText(a.start_date), FieldText(a.end_date)});
    }
  }
  for (int serial = doc.working_serial - (kKeptMonths - 1); serial <= doc.working_serial;
       ++serial) {
    const int m = MonthOfSerial(serial), s = SlotOfSerial(serial);
    TransferMonth tm;
    tm.year = 2000 + YearOfSerial(serial);
    tm.month = m;
    tm.placements = r.activity[kPlacements][m][s];
    tm.videos = r.activity[kVideos][m][s];
    tm.hours = r.activity[kHours][m][s];
    tm.return_visits = r.activity[kReturnVisits][m][s];
    const uint16_t cell = r.activity[kBibleStudies][m][s];
    tm.studies = cell & kStudiesMask;
    tm.quarter = cell >> kQuarterShift & 3;
    tm.shared = (cell & kSharedBit) != 0;
    tm.pioneer = r.pioneer[m][s] & 3;
    tm.credit = r.credit[m][s];
    tm.late = std::min<int>(r.late[m][s], 12);
    tm.remark = RemarkText(doc, r, m, s);
    if (tm.remark.size() > kRemarkLength) tm.remark.resize(kRemarkLength);
    t.months.push_back(std::move(tm));
  }
  return t;
}

std::string TransferXml(const CZarimDoc& doc, const TransferPublisher& t) {
  XmlDocument x(doc.language_code);
  BuildXml(doc, t, 0, x);
  return x.GetDoc();
}

bool ExportTransferFile(CZarimDoc& doc, int rec, const std::string& path) {
  if (rec <= 0 || rec >= doc.count) return false;
  if (IsInsideDataFolder(doc.data_folder, path)) {
    doc.prompter->Tell(Fill(Sid::kOutputInsideDataFolder, path, doc.data_folder));
    return false;
  }
  XmlDocument x(doc.language_code);
  BuildXml(doc, TakeTransfer(doc, rec), doc.records[rec].id, x);
  if (!x.Save(path)) {
    doc.prompter->Tell(Fill(Sid::kUnableToCreateFile, path));
    return false;
  }
  doc.prompter->Tell(Fill(Sid::kTransferWritten,
                          ToUtf8(doc.DisplayName(doc.records[rec]), doc.language_code), path));
  return true;
}

std::optional<TransferPublisher> ReadTransferFile(const CZarimDoc& doc, const std::string& path,
                                                  std::string* why) {
  XmlDocument x(doc.language_code);
  return Reader(doc, path).Read(x, why);
}

int ImportTransfer(CZarimDoc& doc, const TransferPublisher& t, std::vector<std::string>* left_out) {
  if (RoomFor(doc, kActive, 1, true) != Room::kYes) {
    doc.prompter->Tell(Str(Sid::kTransferNoRoom));
    return 0;
  }
  PubRecord r = BlankPublisher(doc);
  if (r.id == 0) {
    doc.prompter->Tell(Str(Sid::kTransferNoRoom));
    return 0;
  }
  const PubRecord& p = t.person;
  for (int i = 0; i < 6; ++i) SetRecordText(r, i, GetRecordText(p, i));
  std::copy(std::begin(p.birth_date), std::end(p.birth_date), r.birth_date);
  std::copy(std::begin(p.baptism_date), std::end(p.baptism_date), r.baptism_date);
  std::copy(std::begin(p.consent_date), std::end(p.consent_date), r.consent_date);
  r.consent = p.consent;
  r.hope = p.hope;
  r.flags = p.flags & kPersonFlags;
  r.service_flags =
      static_cast<uint16_t>((r.service_flags & ~kServiceFlags) | (p.service_flags & kServiceFlags));
  r.special_circumstances = static_cast<uint16_t>((r.special_circumstances & ~kCircumstances) |
                                                  (p.special_circumstances & kCircumstances));
  // He joins as a regular transfer in the working month.
  r.status = kActive;
  r.status_month = static_cast<uint8_t>(((doc.working_month + 1) << 4) | kStatusRegularTransfer);
  r.status_year = r.status_month;
  // His months go into the months this folder keeps, by calendar month. The late marks
  // date postings of the other folder and are not taken over.
  std::vector<const TransferMonth*> placed_months;
  for (const TransferMonth& m : t.months) {
    const int serial = Serial(m.year - 2000, m.month);
    if (serial < doc.working_serial - (kKeptMonths - 1) || serial > doc.working_serial) {
      if (left_out) left_out->push_back(ShortMonthName(m.month) + " " + std::to_string(m.year));
      continue;
    }
    const int s = SlotOfSerial(serial);
    r.activity[kPlacements][m.month][s] = m.placements;
    r.activity[kVideos][m.month][s] = m.videos;
    r.activity[kHours][m.month][s] = m.hours;
    r.activity[kReturnVisits][m.month][s] = m.return_visits;
    r.activity[kBibleStudies][m.month][s] = static_cast<uint16_t>(
        m.studies | (m.shared ? kSharedBit : 0) | (m.quarter << kQuarterShift));
    r.pioneer[m.month][s] = static_cast<uint8_t>(m.pioneer);
    r.credit[m.month][s] = m.credit;
    placed_months.push_back(&m);
  }
  // Figures far from his own months are asked about as at every import: No leaves those
  // months out, to be entered through History once they are checked.
  std::vector<FigureWarning> warnings;
  std::vector<const TransferMonth*> flagged;
  for (const TransferMonth* m : placed_months) {
    auto found = CheckReport(doc, r, m->month, m->year - 2000);
    if (found.empty()) continue;
    flagged.push_back(m);
    warnings.insert(warnings.end(), found.begin(), found.end());
  }
  if (!warnings.empty() && doc.prompter->Ask(Fill(Sid::kFigImportQuestion, WarningLines(warnings)),
                                             Buttons::kYesNo, Answer::kYes) == Answer::kNo) {
    for (const TransferMonth* m : flagged) {
      const int s = SlotOfSerial(Serial(m->year - 2000, m->month));
      for (auto& cells : r.activity) cells[m->month][s] = 0;
      r.pioneer[m->month][s] = 0;
      r.credit[m->month][s] = 0;
      std::erase(placed_months, m);
      if (left_out) left_out->push_back(ShortMonthName(m->month) + " " + std::to_string(m->year));
    }
  }
  const int rec = AddPublisherRecord(doc, r);
  if (rec == 0) return 0;  // the duplicate question was answered No
  PubRecord& added = doc.records[rec];
  int reported = 0;
  for (const TransferMonth* m : placed_months) {
    const int s = SlotOfSerial(Serial(m->year - 2000, m->month));
    reported += ReportedInMonth(added, m->month, s);
    if (m->remark.empty()) continue;
    RemarkSlot slot = GetRemark(doc, added, m->month, s);
    if (slot.entry) StoreRemark(doc, added, m->month, s, slot.entry, m->remark);
  }
  if (!t.contact.empty()) StoreExtension(doc, added, t.contact);
  for (const TransferAppointment& a : t.appointments) {
    AppointmentRecord stored{};
    stored.id = added.id;
    stored.kind = a.kind;
    SetField(stored.start_date, a.start);
    SetField(stored.end_date, a.end);
    StoreAppointment(doc, stored);
  }
  RefreshDerivedState(doc);
  if (left_out && !left_out->empty()) {
    std::string months;
    for (const std::string& m : *left_out) months += (months.empty() ? "" : ", ") + m;
    doc.prompter->Tell(Fill(Sid::kTransferMonthsLeftOut, months));
  }
  const std::string name = ToUtf8(doc.DisplayName(doc.records[rec]), doc.language_code);
  doc.prompter->Tell(Fill(Sid::kTransferImported, name, std::to_string(reported)));
  return doc.RecordNumberById(r.id) > 0 ? doc.RecordNumberById(r.id) : rec;
}

}  // namespace zarim
