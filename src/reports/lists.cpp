// The lists of names, addresses and numbers: selection, household folding, lines and
// the page layout shared by all of them.
#include "reports/lists.h"

#include <algorithm>
#include <map>

#include "core/bytes.h"
#include "core/document.h"
#include "core/ext_file.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/congregation_view.h"
#include "records/groups.h"
#include "records/keyed_store.h"
#include "reports/recording_canvas.h"
#include "reports/report_kind.h"

namespace zarim {
namespace {

// Column starts in hundredths of an inch from the left margin; the home numbers stand a
// sixth of an inch left of 2.2 inches.
constexpr int kSecondColumn = 220;
constexpr int kHomeColumn = 220 - 17;
constexpr int kMobileColumn = 400;
constexpr int kWorkColumn = 600;
constexpr int kEmailIndent = 50;

bool Selected(const CZarimDoc& doc, const PubRecord& r, const ListSelection& s) {
  if (s.group > 0 && r.group != s.group) return false;
  switch (s.filter) {
    case ListFilter::kActive:
      return r.status == kActive;
    case ListFilter::kInactive:
      return r.status == kInactive;
    case ListFilter::kEldersServants: {
      int privilege = r.flags & kPrivilegeMask;
      return r.status == kActive && (privilege == kServant || privilege == kElder);
    }
    case ListFilter::kPioneers: {
      int code = CongregationView(doc).PioneerCodeNow(r);
      return r.status == kActive && (code == kRegular || code == kSpecial);
    }
    case ListFilter::kRegular:
      return r.status == kActive && CongregationView(doc).PioneerCodeNow(r) == kRegular;
  }
  return false;
}

// The record of a publisher's household head, or 0: the record named by the household
// link, provided it carries the family-head flag.
int HeadRecord(const CZarimDoc& doc, const PubRecord& r) {
  if (r.household_head == 0 || r.household_head == r.id) return 0;
  int rec = doc.RecordNumberById(r.household_head);
  if (rec <= 0 || rec >= doc.count) return 0;
  return (doc.records[rec].flags & kFamilyHead) ? rec : 0;
}

std::string Text(const CZarimDoc& doc, std::string_view bytes) {
  return ToUtf8(std::string(Trim(bytes)), doc.language_code);
}
template <size_t N>
std::string Text(const CZarimDoc& doc, const char (&field)[N]) {
  return Text(doc, FieldText(field));
}

std::string Name(const CZarimDoc& doc, int rec) {
  return ToUtf8(doc.DisplayName(doc.records[rec]), doc.language_code);
}

std::string MemberNames(const CZarimDoc& doc, const ListEntry& e) {
  std::string joined;
  for (int m : e.members) {
    if (!joined.empty()) joined += Str(Sid::kMemberSeparator);
    joined += Text(doc, doc.records[m].first_name);
  }
  return joined;
}

std::string Labelled(Sid label, const std::string& value) {
  return value.empty() ? std::string() : Printf(Sid::kLabelledNumber, Str(label), value);
}

std::string EldersServantsSubtitle() {
  return std::string(Str(Sid::kListElders)) + std::string(Str(Sid::kListAmpersand)) +
         std::string(Str(Sid::kListMinisterialServants));
}

std::vector<ListColumn> PhoneColumns() {
  return {{std::string(Str(Sid::kListName)), 0, false},
          {std::string(Str(Sid::kPhoneColumnHome)), kHomeColumn, true},
          {std::string(Str(Sid::kPhoneColumnMobile)), kMobileColumn, true},
          {std::string(Str(Sid::kPhoneColumnWork)), kWorkColumn, true}};
}

// Telephone lists (52, 53) and the telephone & e-mail lists (100 to 104).
void PhoneLines(const CZarimDoc& doc, const std::vector<ListEntry>& entries, bool email,
                ListLayout& out) {
  std::vector<ExtRecord> ext;
  if (email) ext = ReadAllExt(doc);
  out.columns = PhoneColumns();
  for (const ListEntry& e : entries) {
    const PubRecord& r = doc.records[e.record];
    out.lines.push_back({RowKind::kPublisher,
                         {Name(doc, e.record), Text(doc, r.home_phone), Text(doc, r.mobile_phone),
                          Text(doc, r.other_phone)}});
    if (!e.members.empty())
      out.lines.push_back({RowKind::kText, {"    " + MemberNames(doc, e)}, 0, true});
    if (!email || r.ext_key == 0) continue;
    for (size_t n = 1; n < ext.size(); ++n) {
      if (ext[n].key != r.ext_key) continue;
      std::string address = Text(doc, ext[n].email);
      if (!address.empty()) out.lines.push_back({RowKind::kRemark, {address}, kEmailIndent, true});
      break;
    }
  }
}

void AddressLines(const CZarimDoc& doc, const std::vector<ListEntry>& entries, bool mark_elders,
                  ListLayout& out) {
  out.columns = {{std::string(Str(Sid::kListName)), 0, false},
                 {std::string(Str(Sid::kListAddress)), kSecondColumn, false}};
  out.stamp_x_tenths = 70;
  for (const ListEntry& e : entries) {
    const PubRecord& r = doc.records[e.record];
    std::string name = Name(doc, e.record);
    if (mark_elders && (r.flags & kPrivilegeMask) == kElder) name += Str(Sid::kListElderMark);
    out.lines.push_back({RowKind::kPublisher, {name, Text(doc, r.address)}});
    if (!e.members.empty())
      out.lines.push_back({RowKind::kText, {"    " + MemberNames(doc, e)}, 0, true});
  }
}

void ContactLines(const CZarimDoc& doc, const std::vector<ListEntry>& entries, ListLayout& out) {
  out.columns = {{std::string(Str(Sid::kListName)), 0, false},
                 {std::string(Str(Sid::kPhoneColumnHome)), kHomeColumn, true},
                 {std::string(Str(Sid::kContactOtherColumn)), kMobileColumn, true}};
  for (const ListEntry& e : entries) {
    const PubRecord& r = doc.records[e.record];
    // The second number is the mobile one; a publisher without one is reached at work.
    std::string other = Text(doc, r.mobile_phone);
    if (other.empty()) other = Text(doc, r.other_phone);
    out.lines.push_back(
        {RowKind::kPublisher, {Name(doc, e.record), Text(doc, r.home_phone), other}});
    if (!e.members.empty())
      out.lines.push_back({RowKind::kText, {"    " + MemberNames(doc, e)}, 0, true});
  }
}

std::map<uint16_t, std::string> SpecialNeedsTexts(const CZarimDoc& doc) {
  std::map<uint16_t, std::string> texts;
  for (const SpecialNeedsRecord& r : AllSpecialNeeds(doc)) texts[r.key] = Text(doc, r.text);
  return texts;
}

void SpecialNeedsLines(const CZarimDoc& doc, const std::vector<ListEntry>& entries,
                       ListLayout& out) {
  out.columns = {{std::string(Str(Sid::kListName)), 0, false},
                 {std::string(Str(Sid::kListSpecialNeeds)), kSecondColumn, false}};
  std::map<uint16_t, std::string> needs = SpecialNeedsTexts(doc);
  for (const ListEntry& e : entries) {
    const PubRecord& r = doc.records[e.record];
    if (r.special_needs_key == 0) continue;
    auto it = needs.find(r.special_needs_key);
    if (it == needs.end()) continue;
    out.lines.push_back({RowKind::kPublisher, {Name(doc, e.record), it->second}});
  }
}

// One block per household: the head (or single person) with address and numbers, the
// other members, the third-party contact and the household's special needs.
void EmergencyLines(const CZarimDoc& doc, const std::vector<ListEntry>& entries, ListLayout& out) {
  out.columns = {{"", 0, false},
                 {"", kSecondColumn, false},
                 {"", kMobileColumn, false},
                 {"", kWorkColumn, false}};
  std::map<uint16_t, EmergencyRecord> contacts;
  for (const EmergencyRecord& r : AllEmergencyContacts(doc)) contacts[r.key] = r;
  std::map<uint16_t, std::string> needs = SpecialNeedsTexts(doc);
  for (const ListEntry& e : entries) {
    const PubRecord& r = doc.records[e.record];
    out.lines.push_back({RowKind::kPublisher, {Name(doc, e.record), Text(doc, r.address)}});
    out.lines.push_back({RowKind::kText,
                         {"", Labelled(Sid::kPhoneColumnHome, Text(doc, r.home_phone)),
                          Labelled(Sid::kPhoneColumnWork, Text(doc, r.other_phone)),
                          Labelled(Sid::kPhoneColumnMobile, Text(doc, r.mobile_phone))},
                         0,
                         true});
    if (!e.members.empty())
      out.lines.push_back({RowKind::kText,
                           {std::string(Str(Sid::kEmergencyFamilyMembers)), MemberNames(doc, e)},
                           0,
                           true});
    const uint16_t contact_key = HouseholdContactKey(doc, e);
    const uint16_t needs_key = HouseholdNeedsKey(doc, e);
    if (auto it = contacts.find(contact_key); contact_key != 0 && it != contacts.end()) {
      const EmergencyRecord& c = it->second;
      std::string name = Text(doc, c.name);
      std::string info = Text(doc, c.info);
      std::string who = info.empty() ? name : Printf(Sid::kEmergencyContactFormat, name, info);
      std::string jw;
      if (doc.options.emergency_jw)
        jw = std::string(Str(c.jw ? Sid::kEmergencyJwYes : Sid::kEmergencyJwNo));
      out.lines.push_back(
          {RowKind::kText, {std::string(Str(Sid::kEmergencyThirdParty)), who, "", jw}, 0, true});
      out.lines.push_back({RowKind::kText,
                           {"", Labelled(Sid::kPhoneColumnHome, Text(doc, c.home_phone)),
                            Labelled(Sid::kPhoneColumnWork, Text(doc, c.work_phone)),
                            Labelled(Sid::kPhoneColumnMobile, Text(doc, c.mobile_phone))},
                           0,
                           true});
    }
    if (auto it = needs.find(needs_key); needs_key != 0 && it != needs.end())
      out.lines.push_back(
          {RowKind::kText, {std::string(Str(Sid::kListSpecialNeeds)), it->second}, 0, true});
    out.lines.push_back({RowKind::kBlank, {}, 0, true});
  }
  if (!out.lines.empty()) out.lines.pop_back();  // no gap after the last block
}

}  // namespace

std::vector<ListEntry> SelectListEntries(const CZarimDoc& doc, const ListSelection& selection) {
  std::vector<int> records;
  for (int rec = 1; rec < doc.count; ++rec)
    if (Selected(doc, doc.records[rec], selection)) records.push_back(rec);
  std::vector<char> listed(static_cast<size_t>(std::max<int>(doc.count, 1)), 0);
  for (int rec : records) listed[rec] = 1;
  std::vector<ListEntry> entries;
  std::vector<int> entry_of(static_cast<size_t>(std::max<int>(doc.count, 1)), -1);
  for (int rec : records) {
    if (selection.households) {
      int head = HeadRecord(doc, doc.records[rec]);
      if (head != 0 && listed[head]) continue;
    }
    entry_of[rec] = static_cast<int>(entries.size());
    entries.push_back({rec, {}});
  }
  if (selection.households) {
    for (int rec : records) {
      int head = HeadRecord(doc, doc.records[rec]);
      if (head != 0 && entry_of[head] >= 0) entries[entry_of[head]].members.push_back(rec);
    }
  }
  return entries;
}

uint16_t HouseholdContactKey(const CZarimDoc& doc, const ListEntry& entry) {
  uint16_t key = doc.records[entry.record].emergency_key;
  for (size_t i = 0; key == 0 && i < entry.members.size(); ++i)
    key = doc.records[entry.members[i]].emergency_key;
  return key;
}

uint16_t HouseholdNeedsKey(const CZarimDoc& doc, const ListEntry& entry) {
  uint16_t key = doc.records[entry.record].special_needs_key;
  for (size_t i = 0; key == 0 && i < entry.members.size(); ++i)
    key = doc.records[entry.members[i]].special_needs_key;
  return key;
}

ListLayout BuildList(const CZarimDoc& doc, int kind, int group) {
  namespace k = report_kind;
  ListLayout out;
  out.kind = kind;
  ListSelection sel;
  sel.group = group;
  Sid name = Sid::kTelephoneList;
  // Kinds count from the list's congregation-wide kind: +1 group, then the variants.
  switch (kind) {
    case k::kTelephoneEldersServants:
    case k::kAddressEldersServants:
    case k::kContactEldersServants:
    case k::kTelEmailEldersServants:
      sel.filter = ListFilter::kEldersServants;
      sel.group = 0;
      out.subtitle = EldersServantsSubtitle();
      break;
    case k::kTelephonePioneers:
    case k::kContactPioneers:
    case k::kTelEmailPioneers:
      sel.filter = ListFilter::kPioneers;
      sel.group = 0;
      out.subtitle = Str(Sid::kListRegularPioneers);
      break;
    case k::kAddressPioneers:
      sel.filter = ListFilter::kRegular;
      sel.group = 0;
      out.subtitle = Str(Sid::kListRegularPioneers);
      break;
    case k::kAddressInactive:
      sel.filter = ListFilter::kInactive;
      sel.group = 0;
      out.subtitle = Str(Sid::kListInactivePublishers);
      break;
    case k::kContactInactiveByGroup:
      sel.filter = ListFilter::kInactive;
      if (group > 0) {
        std::string overseer = Text(doc, doc.groups.overseer[std::clamp(group, 1, 20) - 1]);
        out.subtitle = Printf(Sid::kContactByGroupSubtitle, GroupLabel(doc, group), overseer,
                              Str(Sid::kListInactivePublishers));
      } else {
        out.subtitle = Str(Sid::kListInactivePublishers);
      }
      break;
    case k::kTelephoneCongregation:
    case k::kAddressCongregation:
    case k::kContactCongregation:
      sel.group = 0;
      sel.households = true;
      break;
    case k::kEmergencyCongregation:
    case k::kEmergencyGroup:
      sel.group = kind == k::kEmergencyGroup ? group : 0;
      sel.households = true;
      break;
    case k::kTelEmailCongregation:
    case k::kSpecialNeedsCongregation:
      sel.group = 0;
      break;
    default:
      break;
  }
  if (sel.group > 0 && out.subtitle.empty()) out.subtitle = GroupLabel(doc, sel.group);

  std::vector<ListEntry> entries = SelectListEntries(doc, sel);
  if (kind >= k::kTelephoneCongregation && kind <= k::kTelephonePioneers) {
    name = Sid::kTelephoneList;
    PhoneLines(doc, entries, false, out);
  } else if (kind >= k::kAddressCongregation && kind <= k::kAddressPioneers) {
    name = Sid::kAddressList;
    AddressLines(doc, entries, kind == k::kAddressEldersServants, out);
  } else if (kind >= k::kContactCongregation && kind <= k::kContactInactiveByGroup) {
    name = Sid::kContactList;
    ContactLines(doc, entries, out);
  } else if (kind == k::kEmergencyCongregation || kind == k::kEmergencyGroup) {
    name = Sid::kEmergencyContactInformation;
    EmergencyLines(doc, entries, out);
  } else if (kind >= k::kTelEmailCongregation && kind <= k::kTelEmailPioneers) {
    name = Sid::kTelephoneEmailList;
    PhoneLines(doc, entries, true, out);
  } else if (kind == k::kSpecialNeedsCongregation || kind == k::kSpecialNeedsGroup) {
    name = Sid::kSpecialNeedsList;
    SpecialNeedsLines(doc, entries, out);
  }
  out.title = ListTitle(doc, Str(name));
  return out;
}

std::vector<size_t> PageStarts(const std::vector<ListLine>& lines, int lines_per_page) {
  const size_t per_page = static_cast<size_t>(std::max(lines_per_page, 1));
  std::vector<size_t> starts{0};
  size_t begin = 0;
  while (lines.size() - begin > per_page) {
    size_t next = begin + per_page;
    // Back up over lines that must stay with the one before them, unless the whole
    // page is one such run.
    size_t moved = next;
    while (moved > begin + 1 && lines[moved].keep_with_previous) --moved;
    if (moved > begin + 1 || !lines[moved].keep_with_previous) next = moved;
    starts.push_back(next);
    begin = next;
  }
  return starts;
}

ReportModel ListModel(const ListLayout& layout, int page_count) {
  ReportModel model;
  model.kind = layout.kind;
  model.title = layout.title;
  model.subtitle = layout.subtitle;
  for (const ListColumn& c : layout.columns) model.columns.push_back(c.heading);
  for (const ListLine& line : layout.lines) {
    std::vector<std::string> cells = line.cells;
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    model.Add(line.kind, std::move(cells));
  }
  model.page_count = page_count;
  return model;
}

void DrawList(const CZarimDoc& doc, Canvas& canvas, ReportContext& context,
              const ListLayout& layout) {
  PageFrame frame(canvas, context, doc.options.top_margin);
  const int per_page = frame.lines_per_page();
  std::vector<size_t> starts = PageStarts(layout.lines, per_page);
  context.page_count = static_cast<int>(starts.size());
  ListHeader header;
  header.title = layout.title;
  header.subtitle = layout.subtitle;
  header.stamp_x_tenths = layout.stamp_x_tenths;
  const bool small_numbers = context.fonts && context.fonts->TextLargerThanSmall();
  auto column_x = [&](size_t c) {
    return frame.left() + frame.unit() * layout.columns[c].x_hundredths / 100;
  };

  for (int page = 0; page < context.page_count; ++page) {
    DrawListHeader(canvas, frame, context, doc, page, header);
    canvas.SetTextAlign(align::kLeft | align::kTop);
    frame.Select(FontRole::kHeading);
    for (size_t c = 0; c < layout.columns.size(); ++c)
      if (!layout.columns[c].heading.empty())
        canvas.DrawText(column_x(c), frame.LineY(page, 0), layout.columns[c].heading);
    if (static_cast<size_t>(page) >= starts.size()) continue;
    const size_t begin = starts[page];
    const size_t end =
        static_cast<size_t>(page) + 1 < starts.size() ? starts[page + 1] : layout.lines.size();
    for (size_t i = begin; i < end; ++i) {
      const ListLine& line = layout.lines[i];
      const int y = frame.LineY(page, static_cast<int>(i - begin) + 1);
      for (size_t c = 0; c < line.cells.size() && c < layout.columns.size(); ++c) {
        if (line.cells[c].empty()) continue;
        const bool small = small_numbers && layout.columns[c].small;
        frame.Select(small ? FontRole::kSmall : FontRole::kText);
        int x = column_x(c);
        if (c == 0) x += frame.unit() * line.indent_hundredths / 100;
        canvas.DrawText(x, y, line.cells[c]);
      }
    }
  }
}

namespace {

void DrawListKind(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int kind,
                  int group) {
  DrawList(doc, canvas, context, BuildList(doc, kind, group));
}

ReportModel ModelOfKind(const CZarimDoc& doc, const ReportContext& context, int kind, int group) {
  ListLayout layout = BuildList(doc, kind, group);
  RecordingCanvas measure(context.screen_dpi_x, context.screen_dpi_y);
  ReportContext screen = context;
  screen.printing = false;
  DrawList(doc, measure, screen, layout);
  return ListModel(layout, screen.page_count);
}

template <int Kind>
ReportEntry Spec(const char* name, bool per_group) {
  return {Kind, name, per_group,
          [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int group) {
            DrawListKind(doc, canvas, context, Kind, group);
          },
          [](const CZarimDoc& doc, const ReportContext& context, int group) {
            return ModelOfKind(doc, context, Kind, group);
          }};
}

}  // namespace

std::vector<ReportEntry> ListReports() {
  namespace k = report_kind;
  return {
      Spec<k::kTelephoneEldersServants>("telephone-elders", false),
      Spec<k::kTelephonePioneers>("telephone-pioneers", false),
      Spec<k::kAddressCongregation>("address", false),
      Spec<k::kAddressGroup>("address-group", true),
      Spec<k::kAddressInactive>("address-inactive", false),
      Spec<k::kAddressEldersServants>("address-elders", false),
      Spec<k::kAddressPioneers>("address-pioneers", false),
      Spec<k::kContactCongregation>("contact", false),
      Spec<k::kContactGroup>("contact-group", true),
      Spec<k::kContactEldersServants>("contact-elders", false),
      Spec<k::kContactPioneers>("contact-pioneers", false),
      Spec<k::kContactInactiveByGroup>("contact-inactive-group", true),
      Spec<k::kEmergencyCongregation>("emergency", false),
      Spec<k::kEmergencyGroup>("emergency-group", true),
      Spec<k::kTelEmailCongregation>("telephone-email", false),
      Spec<k::kTelEmailGroup>("telephone-email-group", true),
      Spec<k::kTelEmailEldersServants>("telephone-email-elders", false),
      Spec<k::kTelEmailPioneers>("telephone-email-pioneers", false),
      Spec<k::kSpecialNeedsCongregation>("special-needs", false),
      Spec<k::kSpecialNeedsGroup>("special-needs-group", true),
  };
}

}  // namespace zarim
