// Incoming reports: from a returned collection file, the preview, and the merge.
#include "exchange/report_import.h"

#include <algorithm>
#include <cctype>

#include "core/fill_args.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/branch_totals.h"
#include "cycle/late_reports.h"
#include "cycle/plausible_figures.h"
#include "cycle/slip_queries.h"
#include "exchange/collection_file.h"
#include "exchange/import_files.h"

namespace zarim {

namespace {

// The longest collection file: a header, 255 blocks and 65535 remarks.
constexpr size_t kMaxCollectionFile =
    kCollectionBlockSize * (kMaxCollectionBlocks + 1) + kCollectionRemarkSize * 65535;
constexpr size_t kRemarkTextLimit = sizeof(RemarkEntry::text) - 1;

bool CarriesReport(const IncomingReport& in) {
  for (uint16_t v : in.activity)
    if (v != 0) return true;
  return !Trim(in.remark).empty();
}

int HoursOf(const PubRecord& r, int m, int s) { return r.activity[kHours][m][s]; }

// Stores text as the remark of month m: the publisher's own entry is rewritten, else a
// new entry is taken while the table has room.
void PutRemark(CZarimDoc& doc, PubRecord& r, int m, int s, std::string_view text) {
  const std::string_view cut = text.substr(0, std::min(text.size(), kRemarkTextLimit));
  uint16_t entry = r.remark[m][s];
  const bool own = entry != 0 && entry < doc.remark_count && entry < doc.remarks.size() &&
                   doc.remarks[entry].id == r.id;
  if (!own) {
    if (doc.remark_count == 0 || doc.remark_count >= kRemarkNewLimit) {
      doc.prompter->Tell(Str(Sid::kOutOfSpaceForRemarks));
      return;
    }
    entry = doc.remark_count++;
    r.remark[m][s] = entry;
  }
  RemarkEntry& e = doc.remarks[entry];
  SetField(e.text, cut);
  e.month = static_cast<uint8_t>(m + 1);
  e.slot = static_cast<uint8_t>(s);
  e.id = r.id;
}

std::string Number(int v) { return std::to_string(v); }

}  // namespace

int CreditFromRemark(int hours, std::string_view remark) {
  const std::string_view t = Trim(remark);
  int n = 0;
  for (size_t i = 0; i < t.size() && i < 3 && std::isdigit(static_cast<unsigned char>(t[i])); ++i)
    n = n * 10 + (t[i] - '0');
  n = std::min(n, 255);
  const size_t bang = t.find('!');
  if (bang != std::string_view::npos && bang < 6) return n;
  const size_t star = t.find('*');
  const int k = star != std::string_view::npos && star >= 1 && star <= 4 ? std::min(40, n) : 0;
  const int c = hours;
  if (n <= k) n = k;
  if (c > 69 || k + c > 69) n = k;
  if (n != 0 && k != 0 && k + c < 70 && n + c > 69) n = 70 - c;
  if (k == 0 && n > 70 - c) n = 70 - c;
  // More than 70 hours would leave a negative credit; none is given then.
  return std::max(n, 0);
}

std::vector<IncomingReport> CollectionReports(const CZarimDoc& doc, const CollectionFile& file) {
  std::vector<IncomingReport> out;
  for (const PubRecord& b : file.blocks) {
    const PubRecord* r = doc.FindById(b.id);
    if (!r || r->status != kActive || b.id == 0) continue;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&b);
    for (int m = 0; m < 12; ++m) {
      const int k = m + 1;
      const bool late_flag = bytes[k <= 6 ? 151 + k : 154 + k] != 0;
      if (m != file.month && !late_flag) continue;
      const int s = doc.SlotOfMonth(m);
      IncomingReport in;
      in.id = b.id;
      in.month = m;
      for (int f = 0; f < 5; ++f) in.activity[f] = b.activity[f][m][s];
      in.pioneer = b.pioneer[m][s];
      in.credit = b.credit[m][s];
      in.remark = BlockRemark(file, b, m, s);
      if (CarriesReport(in)) out.push_back(std::move(in));
    }
  }
  return out;
}

std::string WrongMonthMessage(const CZarimDoc& doc, int file_month) {
  if (file_month == doc.working_month) return {};
  return Fill(Sid::kCollWrongMonth, MonthName(file_month), MonthForMessage(doc, doc.working_month));
}

bool LoadCollectionImport(const CZarimDoc& doc, const std::string& path,
                          std::vector<IncomingReport>* reports) {
  reports->clear();
  std::string refusal;
  std::optional<Bytes> bytes = ReadImportFile(path, kMaxCollectionFile, &refusal);
  std::optional<CollectionFile> file;
  if (bytes) file = ReadCollectionFile(*bytes);
  if (!file) {
    doc.prompter->Tell(refusal.empty() ? Fill(Sid::kCollUnreadable, path) : refusal);
    return false;
  }
  if (std::string wrong = WrongMonthMessage(doc, file->month); !wrong.empty()) {
    doc.prompter->Tell(wrong);
    return false;
  }
  *reports = CollectionReports(doc, *file);
  return true;
}

namespace {

// The figures of one incoming report laid over the month of record r: a value that is 0
// never overwrites.
void LayFigures(PubRecord& r, const IncomingReport& in, int s, bool credit_from_remark) {
  const int m = in.month;
  for (int f = 0; f < 5; ++f)
    if (in.activity[f] != 0) r.activity[f][m][s] = in.activity[f];
  if (in.pioneer != 0) r.pioneer[m][s] = in.pioneer;
  if (in.credit != 0) r.credit[m][s] = in.credit;
  if (credit_from_remark && (r.pioneer[m][s] & 0x03) == kRegular)
    r.credit[m][s] = static_cast<uint16_t>(CreditFromRemark(HoursOf(r, m, s), in.remark));
}

}  // namespace

int MergeReports(CZarimDoc& doc, std::span<const IncomingReport> reports, bool credit_from_remark) {
  int merged = 0;
  for (const IncomingReport& in : reports) {
    PubRecord* r = doc.FindById(in.id);
    if (!r || r->status != kActive || in.month < 0 || in.month > 11) continue;
    const int m = in.month;
    const int s = doc.SlotOfMonth(m);
    LayFigures(*r, in, s, credit_from_remark);
    if (!Trim(in.remark).empty()) PutRemark(doc, *r, m, s, in.remark);
    if (m != doc.working_month && (r->pioneer[m][s] & 0x03) < kSpecial &&
        !IsInLateList(doc, r->id, m))
      AddLateReport(doc, r->id, m);
    ++merged;
  }
  return merged;
}

// ---- The selection-and-posting form -----------------------------------------------------

ReportImportForm::ReportImportForm(CZarimDoc& doc, std::vector<IncomingReport> reports)
    : doc_(doc), reports_(std::move(reports)), selected_(reports_.size(), false) {}

std::vector<std::string> ReportImportForm::Names() const {
  std::vector<std::string> out;
  for (const IncomingReport& in : reports_) {
    const PubRecord* r = doc_.FindById(in.id);
    std::string name = r ? ToUtf8(doc_.DisplayName(*r), doc_.language_code) : Number(in.id);
    if (in.month != doc_.working_month) name += " (" + ShortMonthName(in.month) + ")";
    out.push_back(std::move(name));
  }
  return out;
}

bool ReportImportForm::selected(int i) const {
  return i >= 0 && i < size() && selected_[static_cast<size_t>(i)];
}
void ReportImportForm::SetSelected(int i, bool on) {
  if (i >= 0 && i < size()) selected_[static_cast<size_t>(i)] = on;
}
void ReportImportForm::SelectAll() { selected_.assign(reports_.size(), true); }
void ReportImportForm::ClearAll() { selected_.assign(reports_.size(), false); }
int ReportImportForm::SelectedCount() const {
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}
std::string ReportImportForm::AvailableText() const {
  return Printf(Sid::kImportCountFormat, std::string(Str(Sid::kImportAvailable)), size());
}
std::string ReportImportForm::SelectedText() const {
  return Printf(Sid::kImportCountFormat, std::string(Str(Sid::kImportSelected)), SelectedCount());
}

ReportPreview ReportImportForm::Preview(int i) const {
  ReportPreview p;
  if (i < 0 || i >= size()) return p;
  const IncomingReport& in = reports_[static_cast<size_t>(i)];
  const PubRecord* r = doc_.FindById(in.id);
  if (r) p.name = ToUtf8(doc_.DisplayName(*r), doc_.language_code);
  if (in.month != doc_.working_month)
    p.late_line = Printf(Sid::kImportLateReport, MonthName(in.month));
  const int m = in.month;
  const int s = doc_.SlotOfMonth(m);
  auto state = [](bool incoming, bool stored) {
    if (!incoming) return PreviewState::kNone;
    return stored ? PreviewState::kReplacing : PreviewState::kNewData;
  };
  const uint16_t in_studies = in.activity[kBibleStudies];
  const uint16_t old_studies = r ? static_cast<uint16_t>(r->activity[kBibleStudies][m][s]) : 0;
  const bool in_shared = (in_studies & kSharedBit) != 0;
  const int old_hours = r ? HoursOf(*r, m, s) : 0;
  const std::string old_remark = r ? RemarkText(doc_, *r, m, s) : std::string();
  p.cells.push_back({std::string(Str(Sid::kImportShared)),
                     in_shared ? std::string(Str(Sid::kImportYes)) : std::string(),
                     state(in_shared, (old_studies & kSharedBit) != 0)});
  p.cells.push_back({std::string(Str(Sid::kImportStudies)), Number(in_studies & kStudiesMask),
                     state((in_studies & kStudiesMask) != 0, (old_studies & kStudiesMask) != 0)});
  p.cells.push_back({std::string(Str(Sid::kImportHours)), Number(in.activity[kHours]),
                     state(in.activity[kHours] != 0, old_hours != 0)});
  p.cells.push_back({std::string(Str(Sid::kImportRemarks)), ToUtf8(in.remark, doc_.language_code),
                     state(!Trim(in.remark).empty(), !Trim(old_remark).empty())});
  return p;
}

namespace {
// What a report slip takes: four digits of hours, its studies box, a quarter-hour code,
// a pioneer code, a credit the remark can give.
constexpr int kSlipMaxHours = 9999;
constexpr int kSlipMaxStudies = 63;
constexpr int kMaxQuarterCode = 3;
constexpr int kMaxPioneerByte = kSpecial;
constexpr int kMaxCreditValue = 255;
}  // namespace

std::string ReportImportForm::Refusal() const {
  for (size_t i = 0; i < reports_.size(); ++i) {
    if (!selected_[i]) continue;
    const IncomingReport& in = reports_[i];
    const uint16_t word = in.activity[kBibleStudies];
    const struct {
      Sid field;
      int value;
      int max;
    } checks[] = {
        {Sid::kHistoryHours, in.activity[kHours], kSlipMaxHours},
        {Sid::kHistoryStudies, word & kStudiesMask, kSlipMaxStudies},
        {Sid::kHistoryHours, word >> kQuarterShift, kMaxQuarterCode},
        {Sid::kHistoryRegular, in.pioneer, kMaxPioneerByte},
        {Sid::kHistoryCredit, in.credit, kMaxCreditValue},
    };
    for (const auto& c : checks) {
      if (c.value <= c.max) continue;
      const PubRecord* r = doc_.FindById(in.id);
      const std::string who = r ? ToUtf8(doc_.DisplayName(*r), doc_.language_code) : Number(in.id);
      return FillArgs(
          Str(Sid::kValueOutOfRange),
          {who, Str(c.field), std::to_string(c.value),
           Fill(Sid::kPostReportCollection, MonthName(in.month)), std::to_string(c.max)});
    }
  }
  return {};
}

int ReportImportForm::ImportSelected() {
  if (std::string why = Refusal(); !why.empty()) {
    doc_.prompter->Tell(why);
    return 0;
  }
  // Figures far from the publisher's own months are asked about once for the whole
  // selection: Yes imports them as they are, No leaves those reports out (still
  // selected in the list) so that they can be looked at and posted by hand.
  std::vector<size_t> flagged;
  std::vector<FigureWarning> warnings;
  for (size_t i = 0; i < reports_.size(); ++i) {
    const IncomingReport& in = reports_[i];
    const PubRecord* r = doc_.FindById(in.id);
    if (!selected_[i] || !r || r->status != kActive || in.month < 0 || in.month > 11) continue;
    PubRecord copy = *r;
    LayFigures(copy, in, doc_.SlotOfMonth(in.month), credit_from_remark_);
    auto found = CheckReport(doc_, copy, in.month,
                             YearInWorkingYear(in.month, doc_.working_month, doc_.working_year));
    if (found.empty()) continue;
    flagged.push_back(i);
    warnings.insert(warnings.end(), found.begin(), found.end());
  }
  const bool leave_out =
      !warnings.empty() && doc_.prompter->Ask(Fill(Sid::kFigImportQuestion, WarningLines(warnings)),
                                              Buttons::kYesNo, Answer::kYes) == Answer::kNo;
  std::vector<IncomingReport> chosen;
  for (size_t i = 0; i < reports_.size(); ++i)
    if (selected_[i] &&
        !(leave_out && std::find(flagged.begin(), flagged.end(), i) != flagged.end()))
      chosen.push_back(reports_[i]);
  if (chosen.empty()) return 0;
  return MergeReports(doc_, chosen, credit_from_remark_);
}

}  // namespace zarim
