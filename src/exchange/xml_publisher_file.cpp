// The XML publisher file: building its tree from the records, and taking a file's Pub
// elements over into updated or new records.
#include "exchange/xml_publisher_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/fill_args.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/slip_remarks.h"
#include "exchange/exports_folder.h"
#include "records/extension.h"
#include "records/keyed_store.h"
#include "records/placing.h"

namespace zarim {

namespace {

constexpr const char* kMonthElements[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kPioneerTexts[4] = {"", "Aux", "Reg", "Spec"};
constexpr int kImportNameLength = 15;
constexpr int kImportRemarkLength = 43;
constexpr int kExportRemarkLength = 49;
constexpr int kSpecialNeedLength = 93;
constexpr int kFirstVersionWithInactiveMonth = 9000;

std::string Utf8(const CZarimDoc& doc, std::string_view bytes) {
  return ToUtf8(bytes, doc.language_code);
}
std::string Bytes(const CZarimDoc& doc, std::string_view utf8) {
  return FromUtf8(utf8, doc.language_code);
}

// "YYYY-MM-DD" from the stored "MMDDYYYY"; empty when fewer than 5 characters are set.
std::string XmlDate(const char (&stored)[9]) {
  std::string s = FieldText(stored);
  if (Trim(s).size() < 5) return {};
  s.resize(8, ' ');
  return s.substr(4, 4) + "-" + s.substr(0, 2) + "-" + s.substr(2, 2);
}

// Back from "YYYY-MM-DD" to the stored form; false when the text has no such shape.
bool StoredDate(const std::string& xml, char (&stored)[9]) {
  size_t a = xml.find('-');
  size_t b = a == std::string::npos ? a : xml.find('-', a + 1);
  if (b == std::string::npos) return false;
  auto part = [](std::string p, size_t width) {
    p.resize(width, ' ');
    return p;
  };
  std::string year = part(xml.substr(0, a), 4);
  std::string month = part(xml.substr(a + 1, b - a - 1), 2);
  std::string day = part(xml.substr(b + 1), 2);
  SetField(stored, month + day + year);
  return true;
}

int InactiveMonth(const PubRecord& r) { return r.status_month >> 4; }
int InactiveYear(const PubRecord& r) {
  if (r.status_year == 0) return 0;
  return r.status_year > 200 ? 1744 + r.status_year : 2000 + r.status_year;
}

std::string RemarkOf(const CZarimDoc& doc, const PubRecord& r, int m, int slot) {
  uint16_t index = r.remark[m][slot];
  if (index == 0 || index >= doc.remark_count) return {};
  return FieldText(doc.remarks[index].text);
}

std::string Quarter(int code) {
  switch (code) {
    case 1:
      return std::string(Str(Sid::kQuarter1));
    case 2:
      return std::string(Str(Sid::kQuarter2));
    case 3:
      return std::string(Str(Sid::kQuarter3));
  }
  return {};
}

// Whole hours and the quarter code of an Hours text such as "7", "7½" or "½".
void ParseHours(const std::string& text, int* hours, int* quarter) {
  *hours = std::atoi(text.c_str());
  *quarter = 0;
  for (int q = 1; q <= 3; ++q)
    if (text.find(Quarter(q)) != std::string::npos) *quarter = q;
  *hours = std::clamp(*hours, 0, 65535);
}

// The month element's year: the older slot holds last year, the newer one this year up
// to the working month and the year before last after it.
int YearOfCell(const CZarimDoc& doc, int m, int slot) {
  const int y = 2000 + doc.working_year;
  if (slot == ((y - 1) & 1)) return y - 1;
  return m <= doc.working_month ? y : y - 2;
}

void AddMonths(const CZarimDoc& doc, const PubRecord& r, int last_serial, XmlDocument& x) {
  const int y = 2000 + doc.working_year;
  const int older = (y - 1) & 1;
  for (int slot : {older, 1 - older}) {
    for (int m = 0; m < 12; ++m) {
      const int year = YearOfCell(doc, m, slot);
      const int serial = (year - 2000) * 12 + m;
      x.AddChildElem(kMonthElements[m]);
      x.SetChildAttrib("Year", std::to_string(year));
      x.IntoElem();
      const uint16_t studies_cell = r.activity[kBibleStudies][m][slot];
      const int pioneer = r.pioneer[m][slot] & 3;
      const int hours = r.activity[kHours][m][slot];
      const int quarter = studies_cell >> kQuarterShift;
      const bool new_form = serial > doc.switch_serial;
      std::string remark = Utf8(doc, RemarkOf(doc, r, m, slot));
      if (serial <= last_serial) {
        auto value = [&](int field) {
          return new_form ? std::string() : std::to_string(r.activity[field][m][slot]);
        };
        x.AddChildElem("Plcmts", value(kPlacements));
        x.AddChildElem("Videos", value(kVideos));
        if (new_form && pioneer == kPublisher) {
          x.AddChildElem("Hours", (studies_cell & kSharedBit) ? 1 : 0);
        } else {
          x.AddChildElem("Hours", std::to_string(hours) + Quarter(quarter));
        }
        x.AddChildElem("R.V.s", value(kReturnVisits));
        x.AddChildElem("BiSt.", studies_cell & kStudiesMask);
        if (!new_form && hours == 0 && quarter == 0 && (studies_cell & kSharedBit)) {
          std::string mark(Str(Sid::kXmlLessThanHour));
          remark = remark.empty() ? mark : mark + " " + remark;
          if (remark.size() > kExportRemarkLength) remark.resize(kExportRemarkLength);
        }
      }
      x.AddChildElem("Remark", remark);
      x.AddChildElem("Pio", kPioneerTexts[pioneer]);
      if (pioneer == kRegular && r.credit[m][slot] != 0)
        x.AddChildElem("PioCredit", static_cast<int>(r.credit[m][slot]));
      x.OutOfElem();
    }
  }
}

void AddPub(CZarimDoc& doc, XmlList list, const PubRecord& r, XmlDocument& x) {
  x.AddChildElem("Pub");
  x.IntoElem();
  auto text = [&](const char* name, std::string_view bytes) {
    x.AddChildElem(name, Utf8(doc, bytes));
  };
  x.AddChildElem("id", static_cast<int>(r.id));
  text("fname", FieldText(r.first_name));
  text("lname", FieldText(r.last_name));
  text("addr", FieldText(r.address));
  text("phone", FieldText(r.home_phone));
  text("phone2", FieldText(r.mobile_phone));
  text("phone3", FieldText(r.other_phone));
  if (r.ext_key != 0) {
    ExtensionData ext = LoadExtension(doc, r);
    if (!ext.long_name.empty()) text("longname", ext.long_name);
    if (!ext.email.empty()) text("email", ext.email);
    if (!ext.other.empty()) text("extra", ext.other);
  }
  if (r.flags & kMale) {
    x.AddChildElem("gender", "Male");
  } else if (r.flags & kFemale) {
    x.AddChildElem("gender", "Female");
  }
  if (list != XmlList::kNonPublishers) {
    x.AddChildElem("birdate", XmlDate(r.birth_date));
    x.AddChildElem("bapdate", XmlDate(r.baptism_date));
    if (r.consent) x.AddChildElem("dpa", XmlDate(r.consent_date));
  }
  if (r.special_needs_key != 0) {
    if (auto need = ReadSpecialNeed(doc, r.special_needs_key))
      text("specneed", FieldText(need->text));
  }
  if (r.household_head != 0) text("household", doc.HouseholdName(r.household_head));
  x.AddChildElem("group", r.group);
  const int ina_month = InactiveMonth(r);
  const int ina_year = InactiveYear(r);
  if (list == XmlList::kInactive) {
    if (ina_month >= 1 && ina_month <= 12) x.AddChildElem("inamonth", ina_month);
    if (ina_year != 0) x.AddChildElem("inayear", ina_year);
  }
  if (list == XmlList::kActive) {
    constexpr const char* kServant[4] = {"", "MinSvt", "Elder", "BapBro"};
    int privilege = r.flags & kPrivilegeMask;
    if (privilege != 0) x.AddChildElem("svt", kServant[privilege]);
  }
  if (list == XmlList::kActive) {
    AddMonths(doc, r, doc.working_serial, x);
  } else if (list == XmlList::kInactive && ina_month >= 1 && ina_month <= 12 && ina_year != 0) {
    AddMonths(doc, r, (ina_year - 2000) * 12 + ina_month - 1, x);
  }
  x.OutOfElem();
}

std::string Cut(std::string s, size_t n) {
  if (s.size() > n) s.resize(n);
  return s;
}

}  // namespace

std::string XmlListFileName(XmlList list) { return XmlListElement(list) + ".xml"; }

std::string XmlListElement(XmlList list) {
  switch (list) {
    case XmlList::kActive:
      return "Active";
    case XmlList::kInactive:
      return "Inactive";
    case XmlList::kNonPublishers:
      return "Non-Publishers";
  }
  return {};
}

std::string XmlListCaption(XmlList list) {
  switch (list) {
    case XmlList::kActive:
      return std::string(Str(Sid::kXmlListActive));
    case XmlList::kInactive:
      return std::string(Str(Sid::kXmlListInactive));
    case XmlList::kNonPublishers:
      return std::string(Str(Sid::kXmlListNonPublishers));
  }
  return {};
}

uint8_t XmlListStatus(XmlList list) { return static_cast<uint8_t>(list); }
int XmlListLimit(XmlList list) { return list == XmlList::kNonPublishers ? 99 : 299; }

void BuildPublisherXml(CZarimDoc& doc, XmlList list, const std::vector<int>& recs,
                       const Date& today, XmlDocument& x) {
  x.ResetPos();
  x.AddElem("PUBLIST");
  x.AddChildElem("Agent", "Zarim");
  x.SetChildAttrib("Ver", "9000");
  std::string date = fmt::sprintf("%d-%2d-%2d", today.year, today.month, today.day);
  std::replace(date.begin(), date.end(), ' ', '0');
  x.AddChildElem("Date", date);
  x.AddChildElem("Count", static_cast<int>(recs.size()));
  x.AddChildElem(XmlListElement(list));
  x.IntoElem();
  for (int rec : recs)
    if (rec > 0 && rec < doc.count) AddPub(doc, list, doc.records[rec], x);
  x.OutOfElem();
}

std::string ExportPublisherXml(CZarimDoc& doc, XmlList list, const std::vector<int>& recs,
                               const Date& today) {
  const std::string name = XmlListFileName(list);
  const std::string path = ExportPath(doc.data_folder, name);
  XmlDocument x(doc.language_code);
  BuildPublisherXml(doc, list, recs, today, x);
  if (EnsureExportsFolder(doc.data_folder).empty() || !x.Save(path)) {
    doc.prompter->Tell(ExportFailureText(doc.data_folder, path));
    return {};
  }
  doc.prompter->Tell(Fill(Sid::kXmlCreated, name));
  return path;
}

// ---- Import ------------------------------------------------------------------------------

XmlPublisherImport::XmlPublisherImport(CZarimDoc& doc) : doc_(doc), xml_(doc.language_code) {}

int XmlPublisherImport::FindMatch(int id, const std::string& first, const std::string& last) const {
  const std::string f = std::string(Trim(Bytes(doc_, first)));
  const std::string l = std::string(Trim(Bytes(doc_, last)));
  const int status = XmlListStatus(list_);
  int by_name = 0;
  for (int rec = 1; rec < doc_.count; ++rec) {
    const PubRecord& r = doc_.records[rec];
    if (r.status != status) continue;
    if (Trim(FieldText(r.first_name)) != f || Trim(FieldText(r.last_name)) != l) continue;
    if (r.id == id) return rec;
    if (!by_name) by_name = rec;
  }
  return by_name;
}

bool XmlPublisherImport::Open(const std::string& path) {
  candidates_.clear();
  auto refuse = [&] {
    candidates_.clear();
    doc_.prompter->Tell(Str(Sid::kXmlRequiredTags));
    return false;
  };
  if (!xml_.Load(path)) {
    if (xml_.Refusal().empty()) return refuse();
    doc_.prompter->Tell(xml_.Refusal());
    return false;
  }
  xml_.ResetPos();
  if (!xml_.FindElem("PUBLIST")) return refuse();
  version_ = 0;
  if (xml_.FindChildElem("Agent")) version_ = std::atoi(xml_.GetChildAttrib("Ver").c_str());
  bool found = false;
  for (XmlList list : {XmlList::kActive, XmlList::kInactive, XmlList::kNonPublishers}) {
    xml_.ResetChildPos();
    if (xml_.FindChildElem(XmlListElement(list))) {
      list_ = list;
      found = true;
      break;
    }
  }
  if (!found) return refuse();
  xml_.IntoElem();
  while (xml_.FindChildElem("Pub")) {
    XmlCandidate c;
    xml_.IntoElem();
    c.pos = xml_.SavePos();
    if (xml_.FindChildElem("id")) c.id = std::atoi(xml_.GetChildData().c_str());
    xml_.ResetChildPos();
    if (xml_.FindChildElem("fname")) c.first = xml_.GetChildData();
    xml_.ResetChildPos();
    if (xml_.FindChildElem("lname")) c.last = xml_.GetChildData();
    xml_.OutOfElem();
    c.match_rec = FindMatch(c.id, c.first, c.last);
    candidates_.push_back(std::move(c));
  }
  if (candidates_.empty()) return refuse();
  return true;
}

void XmlPublisherImport::TakeOver(const XmlCandidate& c, PubRecord& r, bool existing) {
  XmlDocument& x = xml_;
  x.RestorePos(c.pos);
  std::vector<std::string> lossy;
  auto child = [&](const char* name, std::string* out) {
    x.ResetChildPos();
    if (!x.FindChildElem(name)) return false;
    *out = x.GetChildData();
    // A character the code page has no letter for becomes "?": the user is told where.
    if (!FitsCodePage(*out, doc_.language_code)) lossy.emplace_back(name);
    return true;
  };
  std::string v;
  auto field = [&](const char* name, auto& target, size_t limit) {
    if (child(name, &v)) SetField(target, Cut(Bytes(doc_, v), limit));
  };
  if (child("fname", &v))
    SetField(r.first_name, Cut(std::string(Trim(Bytes(doc_, v))), kImportNameLength));
  if (child("lname", &v))
    SetField(r.last_name, Cut(std::string(Trim(Bytes(doc_, v))), kImportNameLength));
  field("addr", r.address, sizeof r.address - 1);
  field("phone", r.home_phone, sizeof r.home_phone - 1);
  field("phone2", r.mobile_phone, sizeof r.mobile_phone - 1);
  field("phone3", r.other_phone, sizeof r.other_phone - 1);

  ExtensionData ext = r.ext_key ? LoadExtension(doc_, r) : ExtensionData{};
  const ExtensionData before = ext;
  if (child("longname", &v)) ext.long_name = Cut(Bytes(doc_, v), kMaxLongName);
  if (child("email", &v)) ext.email = Cut(Bytes(doc_, v), kMaxEmail);
  if (child("extra", &v)) ext.other = Cut(Bytes(doc_, v), kMaxOtherContact);
  if (!(ext == before)) StoreExtension(doc_, r, ext);

  if (child("gender", &v)) {
    if (v.rfind("Ma", 0) == 0) r.flags = static_cast<uint8_t>((r.flags & ~kFemale) | kMale);
    if (v.rfind("Fe", 0) == 0) r.flags = static_cast<uint8_t>((r.flags & ~kMale) | kFemale);
  }
  if (child("birdate", &v) && !v.empty()) StoredDate(v, r.birth_date);
  if (child("bapdate", &v) && !v.empty()) StoredDate(v, r.baptism_date);
  if (child("dpa", &v) && StoredDate(v, r.consent_date)) r.consent = r.consent ? r.consent : 1;

  if (child("specneed", &v)) {
    std::string text = Cut(Bytes(doc_, v), kSpecialNeedLength);
    auto current = r.special_needs_key ? ReadSpecialNeed(doc_, r.special_needs_key) : std::nullopt;
    if (!text.empty() && !(current && FieldText(current->text) == text)) {
      uint16_t key = 0;
      for (const SpecialNeedsRecord& s : AllSpecialNeeds(doc_))
        if (FieldText(s.text) == text) key = s.key;
      if (!key) {
        SpecialNeedsRecord s{};
        SetField(s.text, text);
        key = StoreNewSpecialNeed(doc_, s);
      }
      if (key) r.special_needs_key = key;
    }
  }
  if (existing && child("group", &v)) {
    int g = std::atoi(v.c_str());
    if (g >= 1 && g <= doc_.groups.count) r.group = static_cast<int8_t>(g);
  }
  if (list_ == XmlList::kInactive) {
    r.status = kInactive;
    int month = 0, year = 0;
    if (version_ >= kFirstVersionWithInactiveMonth) {
      if (child("inamonth", &v)) month = std::atoi(v.c_str());
      if (child("inayear", &v)) year = std::atoi(v.c_str());
    } else if (child("year", &v)) {
      year = std::atoi(v.c_str());
    }
    if (month >= 1 && month <= 12)
      r.status_month = static_cast<uint8_t>((month << 4) | (r.status_month & 0x0F));
    if (year > 1950 && year <= doc_.today_year)
      r.status_year = static_cast<uint8_t>(year >= 2000 ? year - 2000 : year - 1744);
  }
  if (list_ == XmlList::kActive && child("svt", &v)) {
    int privilege = v == "Elder"    ? kElder
                    : v == "MinSvt" ? kServant
                    : v == "BapBro" ? kBaptizedBrother
                                    : -1;
    if (privilege >= 0) r.flags = static_cast<uint8_t>((r.flags & ~kPrivilegeMask) | privilege);
  }

  // The months of the two years held: from 23 months before the working month to it.
  const int first_serial = doc_.working_serial - 23;
  for (int m = 0; m < 12; ++m) {
    x.ResetChildPos();
    while (x.FindChildElem(kMonthElements[m])) {
      const int year = std::atoi(x.GetChildAttrib("Year").c_str());
      const int serial = (year - 2000) * 12 + m;
      if (year < 2000 || year > doc_.today_year || serial < first_serial ||
          serial > doc_.working_serial)
        continue;
      const int slot = year & 1;
      XmlPosition month_pos = x.SavePos();
      x.IntoElem();
      std::vector<std::string> values;
      x.ResetChildPos();
      while (values.size() < 5 && x.FindChildElem()) {
        std::string tag = x.GetChildTagName();
        if (tag == "Remark" || tag == "Pio" || tag == "PioCredit") break;
        values.push_back(x.GetChildData());
      }
      std::string remark, pio;
      bool has_remark = child("Remark", &remark);
      bool has_pio = child("Pio", &pio);
      x.RestorePos(month_pos);

      if (has_pio) {
        int code = pio.find("ux") != std::string::npos    ? kAuxiliary
                   : pio.find("pec") != std::string::npos ? kSpecial
                   : pio.find("eg") != std::string::npos  ? kRegular
                                                          : -1;
        if (code >= 0) r.pioneer[m][slot] = static_cast<uint8_t>((r.pioneer[m][slot] & ~3) | code);
      }
      const int pioneer = r.pioneer[m][slot] & 3;
      const bool new_form = serial > doc_.switch_serial;
      bool less_than_hour = false;
      std::string mark(Str(Sid::kXmlLessThanHour));
      if (!new_form && remark.rfind(mark, 0) == 0) {
        less_than_hour = true;
        remark = remark.substr(mark.size());
        if (!remark.empty() && remark[0] == ' ') remark.erase(0, 1);
      }
      if (values.size() == 5) {
        auto number = [](const std::string& s) {
          return static_cast<uint16_t>(std::clamp(std::atoi(s.c_str()), 0, 65535));
        };
        int hours = 0, quarter = 0;
        ParseHours(values[2], &hours, &quarter);
        const int studies = std::min<int>(number(values[4]), kStudiesMask);
        uint16_t cell = r.activity[kBibleStudies][m][slot];
        cell = static_cast<uint16_t>(cell & ~(kStudiesMask | kQuarterMask));
        if (new_form) {
          r.activity[kPlacements][m][slot] = 0;
          r.activity[kVideos][m][slot] = 0;
          r.activity[kReturnVisits][m][slot] = 0;
          if (pioneer == kPublisher) {
            // A publisher's Hours tell whether he shared in the ministry.
            cell = static_cast<uint16_t>((cell & ~kSharedBit) | (hours ? kSharedBit : 0));
            hours = 0, quarter = 0;
          } else if (hours || quarter || studies) {
            cell |= kSharedBit;
          }
        } else {
          r.activity[kPlacements][m][slot] = number(values[0]);
          r.activity[kVideos][m][slot] = number(values[1]);
          r.activity[kReturnVisits][m][slot] = number(values[3]);
          if (less_than_hour) cell |= kSharedBit;
        }
        r.activity[kHours][m][slot] = static_cast<uint16_t>(hours);
        cell = static_cast<uint16_t>(cell | studies | (quarter << kQuarterShift));
        r.activity[kBibleStudies][m][slot] = cell;
      }
      if (has_remark && remark.size() > 1) {
        std::string bytes = Cut(Bytes(doc_, remark), kImportRemarkLength);
        std::string current = RemarkOf(doc_, r, m, slot);
        // A remark cut short by the export is the same remark.
        if (current.rfind(bytes, 0) != 0) {
          RemarkSlot remark_slot = GetRemark(doc_, r, m, slot);
          if (remark_slot.entry) StoreRemark(doc_, r, m, slot, remark_slot.entry, bytes);
        }
      }
    }
  }
  const std::string who = ToUtf8(doc_.DisplayName(r), doc_.language_code);
  for (const std::string& name : lossy)
    doc_.prompter->Tell(FillArgs(Str(Sid::kXmlCharactersReplaced),
                                 {who, name, CodePageForLanguage(doc_.language_code)}));
}

int XmlPublisherImport::Apply(const std::vector<int>& chosen, bool update) {
  int changed = 0;
  // The list as the records hold it: the edit refreshes the lists only when it ends.
  int held = 0;
  for (int r = 1; r < doc_.count; ++r) held += doc_.records[r].status == XmlListStatus(list_);
  for (int i : chosen) {
    if (i < 0 || i >= static_cast<int>(candidates_.size())) continue;
    const XmlCandidate& c = candidates_[static_cast<size_t>(i)];
    const int rec = c.match_rec > 0 ? FindMatch(c.id, c.first, c.last) : 0;
    if (rec > 0 && update) {
      PubRecord r = doc_.records[rec];
      TakeOver(c, r, true);
      doc_.records[rec] = r;
      ++changed;
      continue;
    }
    // The import's own limit of the list holds whichever way the import is driven.
    if (held >= XmlListLimit(list_)) {
      doc_.prompter->Tell(Str(Sid::kXmlTooMany));
      break;
    }
    PubRecord r = BlankPublisher(doc_);
    if (r.id == 0) break;
    r.status = XmlListStatus(list_);
    TakeOver(c, r, false);
    if (rec > 0) {
      std::string first = FieldText(r.first_name);
      if (first.size() >= 14) first.resize(13);
      SetField(r.first_name, first + "2");
    }
    if (AddPublisherRecord(doc_, r) != 0) {
      ++changed;
      ++held;
    } else if (RoomFor(doc_, r.status, 1, true) != Room::kYes) {
      doc_.prompter->Tell(Str(Sid::kXmlTooMany));
      break;
    }
  }
  return changed;
}

}  // namespace zarim
