// The emergency contact forms: the households' data, the model, the drawer and the
// selection form.
#include "reports/emergency_forms.h"

#include <algorithm>
#include <map>

#include "core/bytes.h"
#include "core/document.h"
#include "core/ext_file.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "records/groups.h"
#include "records/keyed_store.h"
#include "reports/fonts.h"
#include "reports/report_kind.h"

namespace zarim {
namespace {

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

std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) {
    if (!out.empty()) out += Str(Sid::kMemberSeparator);
    out += n;
  }
  return out;
}

std::string Caption(Sid id) { return std::string(Str(id)); }

// The form's lines as label and value, in the order they are printed; the phones of the
// household and of the contact are one line each.
struct FormLine {
  std::vector<std::pair<std::string, std::string>> fields;  // one to three
  bool value_below = false;  // a long label: the value on a line of its own below
  bool extra_line = false;   // a second line to write on
  bool plain = false;        // a statement, nothing to write after it
};

std::vector<FormLine> FormLines(const EmergencyFormData& f) {
  std::vector<FormLine> lines;
  lines.push_back({{{Caption(Sid::kEmFormFamilyHead), f.head}}});
  if (f.members.empty())
    lines.push_back({{{Caption(Sid::kSinglePersonHousehold), ""}}, false, false, true});
  else
    lines.push_back({{{Caption(Sid::kEmFormMembers), Joined(f.members)}}, false, true});
  lines.push_back({{{Caption(Sid::kContactHomePhone), f.home},
                    {Caption(Sid::kContactWorkPhone), f.work},
                    {Caption(Sid::kEmFormCellPhone), f.cell}}});
  lines.push_back({{{Caption(Sid::kEmFormAddress), f.address}}});
  lines.push_back({{{Caption(Sid::kEmFormEmail), f.email}}, true});
  lines.push_back({{{Caption(Sid::kContactListTitle), f.contact}}});
  lines.push_back({{{Caption(Sid::kContactHomePhone), f.contact_home},
                    {Caption(Sid::kContactWorkPhone), f.contact_work},
                    {Caption(Sid::kEmFormCellPhone), f.contact_cell}}});
  lines.push_back({{{Caption(Sid::kListSpecialNeeds), f.needs}}, false, true});
  return lines;
}

// The part of a text that fits the room, cut at a blank where one is near.
std::string Fitting(const Canvas& canvas, const std::string& text, int room, size_t* used) {
  size_t n = text.size();
  while (n > 0 && canvas.TextWidth(text.substr(0, n)) > room) {
    size_t blank = text.rfind(' ', n - 1);
    n = blank == std::string::npos || blank == 0 ? n - 1 : blank;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;  // UTF-8
  }
  *used = n;
  return text.substr(0, n);
}

// Draws one form with its top-left corner at (left, top); rows of 0.3 inch.
void DrawForm(const CZarimDoc& doc, Canvas& canvas, const EmergencyFormData& f, int left, int top,
              int width) {
  const int lx = canvas.DpiX(), ly = canvas.DpiY();
  const int row = ly * 3 / 10;
  const int pad = lx / 10;
  const FontSpec title_font = FormFont(doc.language_code, 140, 700, ly);
  const FontSpec label_font = FormFont(doc.language_code, 100, 400, ly);
  const FontSpec value_font = FormFont(doc.language_code, 110, 700, ly);
  canvas.SetFont(title_font);
  canvas.SetTextAlign(align::kCenter | align::kTop);
  canvas.DrawText(left + width / 2, top + row / 4, Str(Sid::kEmergencyContactInformation));
  int y = top + row + row / 2;
  const int inner_left = left + pad, inner_right = left + width - pad;
  const int writing_pen = std::max(lx / 300, 1);
  // A label, its value after it and the line to write on, from x to right; the bottom of
  // the text stands on the line.
  auto field = [&](int x, int right, int base, const std::string& label, const std::string& value,
                   std::string* rest) {
    canvas.SetTextAlign(align::kLeft | align::kBottom);
    canvas.SetFont(label_font);
    canvas.DrawText(x, base, label + ":");
    const int start = x + canvas.TextWidth(label + ":") + lx / 16;
    canvas.SetPen(writing_pen, PenStyle::kSolid);
    canvas.DrawLine(start, base, right, base);
    canvas.SetFont(value_font);
    size_t used = 0;
    canvas.DrawText(start + lx / 32, base - ly / 40, Fitting(canvas, value, right - start, &used));
    if (rest) *rest = used < value.size() ? value.substr(used + (value[used] == ' ' ? 1 : 0)) : "";
  };
  auto writing_line = [&](int base, const std::string& value) {
    canvas.SetPen(writing_pen, PenStyle::kSolid);
    canvas.DrawLine(inner_left, base, inner_right, base);
    canvas.SetFont(value_font);
    canvas.SetTextAlign(align::kLeft | align::kBottom);
    size_t used = 0;
    canvas.DrawText(inner_left + lx / 32, base - ly / 40,
                    Fitting(canvas, value, inner_right - inner_left, &used));
  };
  for (const FormLine& line : FormLines(f)) {
    y += row;
    if (line.plain) {
      canvas.SetFont(label_font);
      canvas.SetTextAlign(align::kLeft | align::kBottom);
      canvas.DrawText(inner_left, y, line.fields[0].first);
      continue;
    }
    if (line.value_below) {
      canvas.SetFont(label_font);
      canvas.SetTextAlign(align::kLeft | align::kBottom);
      canvas.DrawText(inner_left, y, line.fields[0].first + ":");
      y += row;
      writing_line(y, line.fields[0].second);
      continue;
    }
    const int parts = static_cast<int>(line.fields.size());
    const int part = (inner_right - inner_left) / parts;
    std::string rest;
    for (int p = 0; p < parts; ++p) {
      const int x = inner_left + part * p;
      const int right = p + 1 == parts ? inner_right : x + part - lx / 8;
      int field_right = right;
      // The contact's line ends with "JW = Yes / No", the stored answer framed.
      const bool contact = line.fields[p].first == Caption(Sid::kContactListTitle);
      if (contact) {
        canvas.SetFont(label_font);
        const std::string jw(Str(Sid::kEmFormJw));
        const int jw_x = inner_right - canvas.TextWidth(jw);
        canvas.SetTextAlign(align::kLeft | align::kBottom);
        canvas.DrawText(jw_x, y, jw);
        field_right = jw_x - lx / 8;
        const std::string answer(Str(f.contact_jw ? Sid::kEmFormYes : Sid::kEmFormNo));
        const size_t at = jw.rfind(answer);
        if (f.has_contact && at != std::string::npos) {
          const int ax = jw_x + canvas.TextWidth(jw.substr(0, at));
          const int aw = canvas.TextWidth(answer);
          const int h = canvas.Metrics().height;
          canvas.SetPen(writing_pen, PenStyle::kSolid);
          canvas.DrawRect(ax - lx / 40, y - h - ly / 40, ax + aw + lx / 40, y + ly / 40);
        }
      }
      field(x, field_right, y, line.fields[p].first, line.fields[p].second,
            line.extra_line ? &rest : nullptr);
    }
    if (line.extra_line) {
      y += row;
      writing_line(y, rest);
    }
  }
  DrawInsideFrame(canvas, left, top, left + width, y + row / 2, lx / 300 * 3);
}

}  // namespace

std::vector<ListEntry> EmergencyFormHouseholds(const CZarimDoc& doc, int group) {
  ListSelection selection;
  selection.group = group;
  selection.households = true;
  return SelectListEntries(doc, selection);
}

namespace {

// The households whose forms are printed: every household of the group, or those of the
// chosen publishers.
std::vector<ListEntry> ChosenHouseholds(const CZarimDoc& doc, int group,
                                        const ReportSelection* selection) {
  std::vector<ListEntry> households = EmergencyFormHouseholds(doc, group);
  if (selection && selection->chosen) {
    // A chosen publisher stands for his household, whether head or member.
    std::erase_if(households, [selection](const ListEntry& e) {
      auto chosen = [selection](int rec) {
        return std::find(selection->records.begin(), selection->records.end(), rec) !=
               selection->records.end();
      };
      return !chosen(e.record) && std::none_of(e.members.begin(), e.members.end(), chosen);
    });
  }
  return households;
}

// The forms of some households, with their numbers, contact and needs.
std::vector<EmergencyFormData> FormsOf(const CZarimDoc& doc,
                                       const std::vector<ListEntry>& households) {
  std::vector<EmergencyFormData> forms;
  if (households.empty()) return forms;
  std::map<uint16_t, EmergencyRecord> contacts;
  for (const EmergencyRecord& r : AllEmergencyContacts(doc)) contacts[r.key] = r;
  std::map<uint16_t, std::string> needs;
  for (const SpecialNeedsRecord& r : AllSpecialNeeds(doc)) needs[r.key] = Text(doc, r.text);
  std::vector<ExtRecord> ext = ReadAllExt(doc);
  for (const ListEntry& e : households) {
    const PubRecord& r = doc.records[e.record];
    EmergencyFormData f;
    f.record = e.record;
    f.head = Name(doc, e.record);
    for (int m : e.members) f.members.push_back(Name(doc, m));
    f.home = Text(doc, r.home_phone);
    f.work = Text(doc, r.other_phone);
    f.cell = Text(doc, r.mobile_phone);
    f.address = Text(doc, r.address);
    for (size_t n = 1; r.ext_key != 0 && n < ext.size(); ++n) {
      if (ext[n].key != r.ext_key) continue;
      f.email = Text(doc, ext[n].email);
      break;
    }
    const uint16_t contact_key = HouseholdContactKey(doc, e);
    if (auto it = contacts.find(contact_key); contact_key != 0 && it != contacts.end()) {
      const EmergencyRecord& c = it->second;
      const std::string name = Text(doc, c.name), info = Text(doc, c.info);
      f.has_contact = true;
      f.contact = info.empty() ? name : Printf(Sid::kEmergencyContactFormat, name, info);
      f.contact_home = Text(doc, c.home_phone);
      f.contact_work = Text(doc, c.work_phone);
      f.contact_cell = Text(doc, c.mobile_phone);
      f.contact_jw = c.jw != 0;
    }
    const uint16_t needs_key = HouseholdNeedsKey(doc, e);
    if (auto it = needs.find(needs_key); needs_key != 0 && it != needs.end()) f.needs = it->second;
    forms.push_back(std::move(f));
  }
  return forms;
}

}  // namespace

std::vector<EmergencyFormData> EmergencyForms(const CZarimDoc& doc, int group,
                                              const ReportSelection* selection) {
  return FormsOf(doc, ChosenHouseholds(doc, group, selection));
}

int EmergencyFormSheets(int forms) {
  return forms <= 0 ? 1 : (forms + kEmergencyFormsPerSheet - 1) / kEmergencyFormsPerSheet;
}

ReportModel EmergencyFormsModel(const CZarimDoc& doc, const ReportContext& context, int group) {
  ReportModel model;
  model.kind = group > 0 ? report_kind::kEmergencyFormsGroup : report_kind::kEmergencyForms;
  model.title = Str(Sid::kEmergencyContactInformation);
  if (group > 0) model.subtitle = GroupLabel(doc, group);
  std::vector<EmergencyFormData> forms = EmergencyForms(doc, group, context.selection);
  for (const EmergencyFormData& f : forms) {
    if (!model.rows.empty()) model.Add(RowKind::kBlank, {});
    bool first = true;
    for (const FormLine& line : FormLines(f)) {
      std::vector<std::string> cells;
      for (const auto& [label, value] : line.fields) {
        cells.push_back(label);
        cells.push_back(value);
      }
      if (line.fields[0].first == Caption(Sid::kContactListTitle) && f.has_contact)
        cells.push_back(
            std::string(Str(f.contact_jw ? Sid::kEmergencyJwYes : Sid::kEmergencyJwNo)));
      while (cells.size() > 1 && cells.back().empty()) cells.pop_back();
      model.Add(first ? RowKind::kPublisher : RowKind::kText, cells);
      first = false;
    }
  }
  model.page_count = EmergencyFormSheets(static_cast<int>(forms.size()));
  return model;
}

void DrawEmergencyForms(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int group) {
  std::vector<ListEntry> households = ChosenHouseholds(doc, group, context.selection);
  const int count = static_cast<int>(households.size());
  context.page_count = EmergencyFormSheets(count);
  // Only the households of the wanted sheet are read and drawn: printed sheet by sheet,
  // the forms stay linear in their number.
  int first = 0, end = count;
  if (context.wanted_page != 0) {
    first = context.wanted_page > 0
                ? std::min((context.wanted_page - 1) * kEmergencyFormsPerSheet, count)
                : count;
    end = std::min(first + kEmergencyFormsPerSheet, count);
  }
  households = std::vector<ListEntry>(households.begin() + first, households.begin() + end);
  const std::vector<EmergencyFormData> forms = FormsOf(doc, households);
  const int lx = std::max(canvas.DpiX(), 1), ly = std::max(canvas.DpiY(), 1);
  const int band = PageBandHeight(context.page_height_tenths, ly);
  for (int i = first; i < end; ++i) {
    const int sheet = i / kEmergencyFormsPerSheet;
    const int k = i % kEmergencyFormsPerSheet;
    // Forms start one and six inches from the top of the sheet, half an inch from the left.
    DrawForm(doc, canvas, forms[static_cast<size_t>(i - first)], lx / 2,
             sheet * band + (k * 5 + 1) * ly, lx * 15 / 2);
  }
}

std::vector<ReportEntry> EmergencyFormReports() {
  auto draw = [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int group) {
    DrawEmergencyForms(doc, canvas, context, group);
  };
  return {{report_kind::kEmergencyForms, "emergency-forms", false,
           [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int) {
             DrawEmergencyForms(doc, canvas, context, 0);
           },
           [](const CZarimDoc& doc, const ReportContext& context, int) {
             return EmergencyFormsModel(doc, context, 0);
           }},
          {report_kind::kEmergencyFormsGroup, "emergency-forms-group", true, draw,
           EmergencyFormsModel}};
}

EmergencyFormsForm::EmergencyFormsForm(const CZarimDoc& doc) : doc_(doc) { SetGroup(0); }

std::string EmergencyFormsForm::Title() const { return std::string(Str(Sid::kEmFormsTitle)); }

std::string EmergencyFormsForm::ScopeText() const {
  return group_ > 0 ? GroupLabel(doc_, group_) : std::string(Str(Sid::kEmFormsCongregation));
}

void EmergencyFormsForm::SetGroup(int group) {
  group_ = std::max(group, 0);
  records_.clear();
  names_.clear();
  for (const ListEntry& e : EmergencyFormHouseholds(doc_, group_)) {
    records_.push_back(e.record);
    names_.push_back(Name(doc_, e.record));
  }
  checked_.assign(records_.size(), 0);
}

int EmergencyFormsForm::kind() const {
  return group_ > 0 ? report_kind::kEmergencyFormsGroup : report_kind::kEmergencyForms;
}

void EmergencyFormsForm::SetChecked(int row, bool on) {
  if (row >= 0 && row < static_cast<int>(checked_.size())) checked_[row] = on ? 1 : 0;
}

bool EmergencyFormsForm::checked(int row) const {
  return row >= 0 && row < static_cast<int>(checked_.size()) && checked_[row] != 0;
}

void EmergencyFormsForm::CheckAll(bool on) { std::fill(checked_.begin(), checked_.end(), on); }

int EmergencyFormsForm::checked_count() const {
  return static_cast<int>(std::count(checked_.begin(), checked_.end(), 1));
}

ReportSelection EmergencyFormsForm::Selection() const {
  ReportSelection s;
  s.chosen = true;
  for (size_t i = 0; i < records_.size(); ++i)
    if (checked_[i]) s.records.push_back(records_[i]);
  return s;
}

}  // namespace zarim
