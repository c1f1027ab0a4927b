// The telephone list drawer.
#include "reports/telephone_list.h"

#include <algorithm>

#include "core/bytes.h"
#include "core/document.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "reports/lists.h"
#include "reports/report_kind.h"
#include "reports/report_registry.h"

namespace zarim {
namespace {

// Column starts in tenths of an inch from the left margin; the home column stands a
// sixth of an inch left of 2.2 inches.
constexpr int kMobileColumnTenths = 40;
constexpr int kWorkColumnTenths = 60;
constexpr int kHomeColumnTenths = 22;

bool IsListed(const PubRecord& r, int group) {
  return r.status == kActive && (group == 0 || r.group == group);
}

// The record number of a publisher's household head, or 0: the record named by the
// household link, provided it carries the family-head flag.
int HeadRecord(const CZarimDoc& doc, const PubRecord& r) {
  if (r.household_head == 0 || r.household_head == r.id) return 0;
  int rec = doc.RecordNumberById(r.household_head);
  if (rec <= 0 || rec >= doc.count) return 0;
  return (doc.records[rec].flags & kFamilyHead) ? rec : 0;
}

// One printed line: a name part and, on the entry's first line, the numbers.
struct Line {
  const PhoneListEntry* entry;
  std::string text;  // UTF-8
  bool numbers;
};

}  // namespace

std::vector<PhoneListEntry> TelephoneListEntries(const CZarimDoc& doc, int group) {
  std::vector<PhoneListEntry> entries;
  // The publisher table in stored order, which is the active list's order; the list
  // itself holds at most 300 entries and a larger congregation must not lose lines.
  std::vector<int> records;
  for (int rec = 1; rec < doc.count; ++rec)
    if (IsListed(doc.records[rec], group)) records.push_back(rec);
  const bool households = group == 0;
  std::vector<int> entry_of_record(doc.count, -1);
  // Heads and single persons first, in list order, so that members can find them.
  for (int rec : records) {
    const PubRecord& r = doc.records[rec];
    if (households) {
      int head = HeadRecord(doc, r);
      if (head != 0 && IsListed(doc.records[head], group)) continue;
    }
    PhoneListEntry e;
    e.record = rec;
    e.name = doc.DisplayName(r);
    e.home = FieldText(r.home_phone);
    e.mobile = FieldText(r.mobile_phone);
    e.work = FieldText(r.other_phone);
    entry_of_record[rec] = static_cast<int>(entries.size());
    entries.push_back(std::move(e));
  }
  if (households) {
    for (int rec : records) {
      int head = HeadRecord(doc, doc.records[rec]);
      if (head == 0 || entry_of_record[head] < 0) continue;
      entries[entry_of_record[head]].members.push_back(FieldText(doc.records[rec].first_name));
    }
  }
  return entries;
}

ReportModel TelephoneListModel(const CZarimDoc& doc, const ReportContext& context, int group) {
  const std::string& lang = doc.language_code;
  ReportModel model;
  model.kind = group > 0 ? report_kind::kTelephoneGroup : report_kind::kTelephoneCongregation;
  model.title = ListTitle(doc, Str(Sid::kTelephoneList));
  if (group > 0) model.subtitle = GroupLabel(doc, group);
  model.columns = {"", std::string(Str(Sid::kPhoneColumnHome)),
                   std::string(Str(Sid::kPhoneColumnMobile)),
                   std::string(Str(Sid::kPhoneColumnWork))};
  for (const PhoneListEntry& e : TelephoneListEntries(doc, group)) {
    std::string name = ToUtf8(e.name, lang);
    for (const std::string& member : e.members)
      name += std::string(Str(Sid::kMemberSeparator)) + ToUtf8(member, lang);
    model.Add(RowKind::kPublisher,
              {name, ToUtf8(e.home, lang), ToUtf8(e.mobile, lang), ToUtf8(e.work, lang)});
  }
  model.page_count = ScreenPageCount([](const CZarimDoc& d, Canvas& canvas, ReportContext& c,
                                        int g) { DrawTelephoneList(d, canvas, c, g); },
                                     doc, context, group);
  return model;
}

void DrawTelephoneList(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int group) {
  PageFrame frame(canvas, context, doc.options.top_margin);
  const std::string& lang = doc.language_code;
  std::vector<PhoneListEntry> entries = TelephoneListEntries(doc, group);

  // The name column ends where the home numbers begin; members that do not fit after the
  // head's name continue on lines of their own below it.
  const int home_x = frame.X(kHomeColumnTenths) - frame.unit() / 6;
  const int name_room = home_x - frame.left() - frame.unit() / 10;
  frame.Select(FontRole::kText);
  std::vector<Line> lines;
  for (const PhoneListEntry& e : entries) {
    std::string text = ToUtf8(e.name, lang);
    bool first = true;
    for (const std::string& member : e.members) {
      std::string piece = ToUtf8(member, lang);
      std::string joined = text + std::string(Str(Sid::kMemberSeparator)) + piece;
      if (canvas.TextWidth(joined) <= name_room || text.empty()) {
        text = std::move(joined);
      } else {
        lines.push_back(Line{&e, text + std::string(Str(Sid::kMemberSeparator)), first});
        first = false;
        text = "    " + piece;
      }
    }
    lines.push_back(Line{&e, text, first});
  }

  // A household's continuation lines stay on the page of its head, as on the other lists.
  const int per_page = frame.lines_per_page();
  std::vector<ListLine> keep(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) keep[i].keep_with_previous = !lines[i].numbers;
  const std::vector<size_t> starts = PageStarts(keep, per_page);
  context.page_count = static_cast<int>(starts.size());
  ListHeader header;
  header.title = ListTitle(doc, Str(Sid::kTelephoneList));
  if (group > 0) header.subtitle = GroupLabel(doc, group);

  const FontRole number_role =
      context.fonts && context.fonts->TextLargerThanSmall() ? FontRole::kSmall : FontRole::kText;
  const int columns[3] = {home_x, frame.X(kMobileColumnTenths), frame.X(kWorkColumnTenths)};
  const Sid headings[3] = {Sid::kPhoneColumnHome, Sid::kPhoneColumnMobile, Sid::kPhoneColumnWork};

  for (int page = 0; page < context.page_count; ++page) {
    DrawListHeader(canvas, frame, context, doc, page, header);
    frame.Select(FontRole::kHeading);
    canvas.SetTextAlign(align::kLeft | align::kTop);
    for (int c = 0; c < 3; ++c) canvas.DrawText(columns[c], frame.LineY(page, 0), Str(headings[c]));
    if (static_cast<size_t>(page) >= starts.size()) continue;
    const size_t begin = starts[page];
    const size_t end =
        static_cast<size_t>(page) + 1 < starts.size() ? starts[page + 1] : lines.size();
    for (size_t i = begin; i < end; ++i) {
      const Line& line = lines[i];
      int y = frame.LineY(page, static_cast<int>(i - begin) + 1);
      frame.Select(FontRole::kText);
      canvas.DrawText(frame.left(), y, line.text);
      if (!line.numbers) continue;
      frame.Select(number_role);
      const std::string* numbers[3] = {&line.entry->home, &line.entry->mobile, &line.entry->work};
      for (int c = 0; c < 3; ++c)
        if (!numbers[c]->empty()) canvas.DrawText(columns[c], y, ToUtf8(*numbers[c], lang));
    }
  }
}

}  // namespace zarim
