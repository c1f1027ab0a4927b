// Reports that come from outside (a returned collection file, a CSV file, an XML file):
// each is shown beside the publisher's month and posted only when the user selects it.
// The selection-and-posting form here is the one every report import ends in.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"

namespace zarim {

struct CollectionFile;

// One incoming report of a publisher for one month of the working twelve months.
struct IncomingReport {
  uint16_t id = 0;
  int month = 0;              // 0..11; another month than the working month is a late report
  uint16_t activity[5] = {};  // as the record's cells hold them (studies with their marks)
  uint8_t pioneer = 0;        // the month's pioneer byte; 0 keeps the stored one
  uint16_t credit = 0;
  std::string remark;  // record bytes; empty: the stored remark stays
};

// The pioneer credit a regular pioneer's remark gives with c hours in the month.
int CreditFromRemark(int hours, std::string_view remark);

// The reports of a returned collection file for the working month: each block of an
// active publisher gives its collection month's report when it carries one, and a late
// report for every month flagged late that carries one.
std::vector<IncomingReport> CollectionReports(const CZarimDoc& doc, const CollectionFile& file);

// The "Wrong Month!" message for a file of month file_month; empty when it is the
// working month.
std::string WrongMonthMessage(const CZarimDoc& doc, int file_month);

// Reads the returned collection file at path. Tells the user and returns false when it is
// not a collection file or is for another month than the working month; nothing changes.
bool LoadCollectionImport(const CZarimDoc& doc, const std::string& path,
                          std::vector<IncomingReport>* reports);

// Merges reports into the records: a value that is 0 never overwrites, a remark replaces
// the month's remark, a late report is added to the late-report list once; the edit that
// holds the document brings the working totals up to date. Reports of publishers who are no
// longer active are passed over. The number merged.
int MergeReports(CZarimDoc& doc, std::span<const IncomingReport> reports, bool credit_from_remark);

// How a preview cell would change the stored month.
enum class PreviewState { kNone, kNewData, kReplacing };
struct PreviewCell {
  std::string label;  // "Shared", "Bi.St.", "Hours", "Remarks"
  std::string value;  // UTF-8
  PreviewState state = PreviewState::kNone;
};
struct ReportPreview {
  std::string name;       // UTF-8
  std::string late_line;  // "Late Report - %s", or empty
  std::vector<PreviewCell> cells;
};

// The selection-and-posting dialog of incoming reports ("Import Selected Data").
class ReportImportForm {
 public:
  ReportImportForm(CZarimDoc& doc, std::vector<IncomingReport> reports);

  int size() const { return static_cast<int>(reports_.size()); }
  std::vector<std::string> Names() const;  // one line per report (UTF-8)
  bool selected(int i) const;
  void SetSelected(int i, bool on);
  void SelectAll();
  void ClearAll();
  int SelectedCount() const;
  std::string AvailableText() const;  // "Reports available for input = %d"
  std::string SelectedText() const;   // "Selected Reports = %d"
  ReportPreview Preview(int i) const;

  bool credit_from_remark() const { return credit_from_remark_; }
  void SetCreditFromRemark(bool on) { credit_from_remark_ = on; }

  // Why the selected reports cannot be posted: the first value beyond what a report slip
  // takes (studies, quarter hours, hours, pioneer byte, credit), in the program's words;
  // empty when every value is within.
  std::string Refusal() const;
  // "Import Selected Data": merges the selected reports; the number posted. A selection
  // with a value beyond the slip's is refused whole (the user is told, nothing changes).
  int ImportSelected();

  const std::vector<IncomingReport>& reports() const { return reports_; }

 private:
  CZarimDoc& doc_;
  std::vector<IncomingReport> reports_;
  std::vector<bool> selected_;
  bool credit_from_remark_ = false;
};

}  // namespace zarim
