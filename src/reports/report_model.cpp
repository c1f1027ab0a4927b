// Plain-text and JSON forms of a report model.
#include "reports/report_model.h"

#include <cstdio>

namespace zarim {

const char* RowKindName(RowKind kind) {
  switch (kind) {
    case RowKind::kHeading:
      return "heading";
    case RowKind::kPublisher:
      return "publisher";
    case RowKind::kRemark:
      return "remark";
    case RowKind::kLate:
      return "late";
    case RowKind::kTotal:
      return "total";
    case RowKind::kPercentage:
      return "percentage";
    case RowKind::kText:
      return "text";
    case RowKind::kBlank:
      return "blank";
  }
  return "text";
}

namespace {

void AppendCells(std::string& out, const std::vector<std::string>& cells) {
  size_t used = cells.size();
  while (used > 0 && cells[used - 1].empty()) --used;
  for (size_t i = 0; i < used; ++i) {
    if (i > 0) out += '\t';
    out += cells[i];
  }
  out += '\n';
}

void AppendJsonString(std::string& out, const std::string& text) {
  out += '"';
  for (unsigned char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += '"';
}

void AppendJsonArray(std::string& out, const std::vector<std::string>& texts) {
  out += '[';
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) out += ',';
    AppendJsonString(out, texts[i]);
  }
  out += ']';
}

}  // namespace

std::string ReportModelText(const ReportModel& model) {
  std::string out;
  if (!model.title.empty()) out += model.title + '\n';
  if (!model.subtitle.empty()) out += model.subtitle + '\n';
  if (!model.columns.empty()) AppendCells(out, model.columns);
  for (const ReportRow& row : model.rows) AppendCells(out, row.cells);
  return out;
}

std::string ReportModelJson(const ReportModel& model) {
  std::string out = "{\"kind\":" + std::to_string(model.kind) + ",\"title\":";
  AppendJsonString(out, model.title);
  out += ",\"subtitle\":";
  AppendJsonString(out, model.subtitle);
  out += ",\"columns\":";
  AppendJsonArray(out, model.columns);
  out += ",\"rows\":[";
  for (size_t i = 0; i < model.rows.size(); ++i) {
    if (i > 0) out += ',';
    out += "{\"kind\":\"";
    out += RowKindName(model.rows[i].kind);
    out += "\",\"cells\":";
    AppendJsonArray(out, model.rows[i].cells);
    out += '}';
  }
  out += "],\"pages\":" + std::to_string(model.page_count) + "}";
  return out;
}

}  // namespace zarim
