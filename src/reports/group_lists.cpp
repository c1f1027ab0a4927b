// The field service group lists.
#include "reports/group_lists.h"

#include <algorithm>

#include "core/bytes.h"
#include "core/document.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "records/groups.h"
#include "reports/recording_canvas.h"
#include "reports/report_kind.h"

namespace zarim {
namespace {

bool Member(const PubRecord& r, int kind) {
  if (r.flags & kExcludeFromGroupList) return false;
  namespace k = report_kind;
  switch (r.status) {
    case kActive:
      return kind != k::kGroupListConsent || r.consent != 0;
    case kNonPublisher:
      return kind == k::kGroupListStudents || kind == k::kGroupListAll;
    case kInactive:
      return kind == k::kGroupListInactive || kind == k::kGroupListAll;
    default:
      return false;
  }
}

std::string Plain(const CZarimDoc& doc, std::string_view bytes) {
  return ToUtf8(std::string(Trim(bytes)), doc.language_code);
}

// Where the rows of page k begin: two lines below the page's top, under the title.
int FirstRowOffset(const PageFrame& frame) {
  return frame.dpi_y() / 4 + frame.top_offset() + 2 * frame.line_height();
}

}  // namespace

std::string GroupListTitle(const CZarimDoc& doc) {
  const std::string& lang = doc.language_code;
  std::string name(Trim(doc.options.congregation_name));
  std::string title;
  if (lang == "french") {
    title =
        Str(name.empty() ? Sid::kFieldServiceGroupsFrench : Sid::kFieldServiceGroupsFrenchNamed);
  } else if (lang == "swedish" || lang == "czech" || lang == "polish") {
    // These versions' texts carry the whole title already.
    title = Str(Sid::kFieldServiceGroupsTitle);
  } else {
    title = Fill(Sid::kFieldServiceGroupsTitle, Str(Sid::kFieldServiceGroupsCongregation));
  }
  if (!name.empty()) {
    title += Str(Sid::kTitleSeparator);
    title += ToUtf8(name, lang);
  }
  return title;
}

std::vector<GroupBlock> GroupListBlocks(const CZarimDoc& doc, int kind) {
  std::vector<GroupBlock> blocks;
  const int groups = std::clamp<int>(doc.groups.count, 0, kMaxGroupsInTable);
  for (int g = 1; g <= groups; ++g) {
    GroupBlock b;
    b.group = g;
    b.heading.push_back(GroupLabel(doc, g));
    b.heading.push_back(GroupHeading(doc, g));
    std::string assistant = Plain(doc, FieldText(doc.groups.assistant[g - 1]));
    b.heading.push_back(
        assistant.empty() ? std::string()
                          : Printf(Sid::kLabelledNumber, Str(Sid::kGroupListAssistant), assistant));
    bool has_meeting = !Trim(FieldText(doc.groups.time[g - 1])).empty() ||
                       !Trim(FieldText(doc.groups.location[g - 1])).empty();
    b.heading.push_back(has_meeting ? DayName(doc.groups.day[g - 1]) : std::string());
    blocks.push_back(std::move(b));
  }
  for (int rec = 1; rec < doc.count; ++rec) {
    const PubRecord& r = doc.records[rec];
    if (r.group < 1 || r.group > groups || !Member(r, kind)) continue;
    blocks[r.group - 1].members.push_back(ToUtf8(doc.DisplayName(r), doc.language_code));
  }
  return blocks;
}

std::vector<int> PlaceBlocks(const std::vector<GroupBlock>& blocks, int first_row_offset,
                             int row_height, int band_height) {
  std::vector<int> pages;
  int page = 0;
  int y = first_row_offset;  // within the page's band
  for (const GroupBlock& b : blocks) {
    int height = b.rows() * row_height;
    // A block that would cross the bottom starts on the next page, unless it is the
    // first on its page (then it could fit nowhere).
    if (y + height > band_height && y > first_row_offset) {
      ++page;
      y = first_row_offset;
    }
    pages.push_back(page);
    y += height;
  }
  return pages;
}

void DrawGroupList(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int kind) {
  PageFrame frame(canvas, context, doc.options.top_margin);
  std::vector<GroupBlock> blocks = GroupListBlocks(doc, kind);
  const int row = frame.line_height();
  const int first = FirstRowOffset(frame);
  std::vector<int> pages = PlaceBlocks(blocks, first, row, frame.page_height());
  context.page_count = pages.empty() ? 1 : pages.back() + 1;
  const std::string title = GroupListTitle(doc);
  for (int page = 0; page < context.page_count; ++page) {
    frame.Select(FontRole::kTitle);
    canvas.SetTextAlign(align::kLeft | align::kBottom);
    canvas.DrawText(frame.left(), frame.PageTop(page), title);
    canvas.SetTextAlign(align::kLeft | align::kTop);
    DrawDateStamp(canvas, frame, context, doc, frame.dpi_x() * 75 / 10,
                  frame.PageTop(page) - frame.dpi_y() / 5);
  }
  const int column_width = frame.unit() * 7 / 4;  // four columns over seven inches
  int y = first;
  int current = 0;
  for (size_t i = 0; i < blocks.size(); ++i) {
    if (pages[i] != current) {
      current = pages[i];
      y = first;
    }
    const int top = current * frame.page_height() + y;
    const GroupBlock& b = blocks[i];
    // A heading part stands in its column, or after the one before it when that one is
    // longer than its column (an overseer's or assistant's full name).
    frame.Select(FontRole::kHeading);
    int free_x = frame.left();
    for (size_t c = 0; c < b.heading.size(); ++c) {
      if (b.heading[c].empty()) continue;
      const int x = std::max(frame.left() + static_cast<int>(c) * column_width, free_x);
      canvas.DrawText(x, top, b.heading[c]);
      free_x = x + canvas.TextWidth(b.heading[c]) + frame.unit() / 4;
    }
    frame.Select(FontRole::kText);
    for (size_t m = 0; m < b.members.size(); ++m) {
      int r = static_cast<int>(m) / kGroupListColumns + 1;
      int c = static_cast<int>(m) % kGroupListColumns;
      canvas.DrawText(frame.left() + c * column_width, top + r * row, b.members[m]);
    }
    y += b.rows() * row;
  }
}

namespace {

ReportModel GroupListModel(const CZarimDoc& doc, const ReportContext& context, int kind) {
  ReportModel model;
  model.kind = kind;
  model.title = GroupListTitle(doc);
  for (const GroupBlock& b : GroupListBlocks(doc, kind)) {
    std::vector<std::string> heading = b.heading;
    while (!heading.empty() && heading.back().empty()) heading.pop_back();
    model.Add(RowKind::kHeading, heading);
    for (size_t m = 0; m < b.members.size(); m += kGroupListColumns) {
      size_t end = std::min(b.members.size(), m + kGroupListColumns);
      model.Add(RowKind::kPublisher, {b.members.begin() + static_cast<long>(m),
                                      b.members.begin() + static_cast<long>(end)});
    }
  }
  RecordingCanvas measure(context.screen_dpi_x, context.screen_dpi_y);
  ReportContext screen = context;
  screen.printing = false;
  DrawGroupList(doc, measure, screen, kind);
  model.page_count = screen.page_count;
  return model;
}

template <int Kind>
ReportEntry Spec(const char* name) {
  return {Kind, name, false,
          [](const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int) {
            DrawGroupList(doc, canvas, context, Kind);
          },
          [](const CZarimDoc& doc, const ReportContext& context, int) {
            return GroupListModel(doc, context, Kind);
          }};
}

}  // namespace

std::vector<ReportEntry> GroupListReports() {
  namespace k = report_kind;
  return {
      Spec<k::kGroupListActive>("groups"),
      Spec<k::kGroupListStudents>("groups-students"),
      Spec<k::kGroupListInactive>("groups-inactive"),
      Spec<k::kGroupListAll>("groups-all"),
      Spec<k::kGroupListConsent>("groups-consent"),
  };
}

}  // namespace zarim
