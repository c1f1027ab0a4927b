// The report model: what a report shows, computed from the document before anything is
// drawn. A drawer lays a model out on the canvas; the command line prints it as text or
// JSON. Cell texts are UTF-8, exactly as they are drawn.
#pragma once

#include <string>
#include <vector>

namespace zarim {

enum class RowKind {
  kHeading,     // a group or section heading
  kPublisher,   // one person's line
  kRemark,      // a remark under a publisher's line
  kLate,        // a late report
  kTotal,       // a totals line
  kPercentage,  // a percentages line
  kText,        // any other line of text (notes, footnotes, block captions)
  kBlank,       // an empty line kept for the layout
};

// The name of a row kind in the JSON output: "heading", "publisher", ...
const char* RowKindName(RowKind kind);

struct ReportRow {
  RowKind kind = RowKind::kText;
  std::vector<std::string> cells;
};

struct ReportModel {
  int kind = 0;
  std::string title;
  std::string subtitle;
  std::vector<std::string> columns;  // column headings, may be empty
  std::vector<ReportRow> rows;
  int page_count = 1;

  ReportRow& Add(RowKind row_kind, std::vector<std::string> cells) {
    rows.push_back({row_kind, std::move(cells)});
    return rows.back();
  }
};

// The model as plain text: title, subtitle, headings and rows, cells separated by tabs
// (trailing empty cells left out), one line each.
std::string ReportModelText(const ReportModel& model);

// The model as a JSON object: kind, title, subtitle, columns, rows (each with "kind" and
// "cells"), pages.
std::string ReportModelJson(const ReportModel& model);

}  // namespace zarim
