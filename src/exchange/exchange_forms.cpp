// The forms of the export and XML dialogs.
#include "exchange/exchange_forms.h"

#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

ExportDataForm::ExportDataForm(const CZarimDoc& doc)
    : month(doc.working_month),
      working_month_(doc.working_month),
      working_year_(doc.working_year) {}

std::string ExportDataForm::Title() const { return std::string(Str(Sid::kExportDialogTitle)); }

std::vector<std::string> ExportDataForm::Months() const {
  std::vector<std::string> out;
  for (int m = 0; m < 12; ++m)
    out.push_back(MonthInWorkingYearName(m, working_month_, working_year_));
  return out;
}

ExportOptions ExportDataForm::Options() const {
  ExportOptions o;
  o.month = month;
  o.tab = tab;
  o.header = header;
  return o;
}

XmlExportForm::XmlExportForm(const CZarimDoc& doc) : doc_(doc) { SelectList(XmlList::kActive); }

std::string XmlExportForm::Title() const { return std::string(Str(Sid::kXmlExportTitle)); }

std::vector<std::string> XmlExportForm::ListCaptions() const {
  return {XmlListCaption(XmlList::kActive), XmlListCaption(XmlList::kInactive),
          XmlListCaption(XmlList::kNonPublishers)};
}

void XmlExportForm::SelectList(XmlList list) {
  list_ = list;
  people_.clear();
  recs_.clear();
  const int status = XmlListStatus(list);
  for (int i = 0; i < doc_.status_count[status] && i < kMaxStatusList; ++i) {
    int rec = doc_.lists[status][i].rec;
    if (rec <= 0 || rec >= doc_.count) continue;
    recs_.push_back(rec);
    people_.push_back(ToUtf8(doc_.DisplayName(doc_.records[rec]), doc_.language_code));
  }
  chosen_.assign(recs_.size(), true);
}

bool XmlExportForm::IsChosen(int i) const {
  return i >= 0 && i < static_cast<int>(chosen_.size()) && chosen_[static_cast<size_t>(i)];
}

void XmlExportForm::Choose(int i, bool on) {
  if (i >= 0 && i < static_cast<int>(chosen_.size())) chosen_[static_cast<size_t>(i)] = on;
}

bool XmlExportForm::IsOkEnabled() const { return !ChosenRecords().empty(); }

std::vector<int> XmlExportForm::ChosenRecords() const {
  std::vector<int> out;
  for (size_t i = 0; i < recs_.size(); ++i)
    if (chosen_[i]) out.push_back(recs_[i]);
  return out;
}

XmlImportForm::XmlImportForm(const CZarimDoc& doc, const XmlPublisherImport& import)
    : doc_(doc), import_(import), chosen_(import.candidates().size(), true) {}

std::string XmlImportForm::Title() const { return std::string(Str(Sid::kXmlImportTitle)); }

std::vector<std::string> XmlImportForm::Items() const {
  std::vector<std::string> out;
  for (const XmlCandidate& c : import_.candidates())
    out.push_back((c.match_rec ? "*" : "") + c.first + " " + c.last);
  return out;
}

int XmlImportForm::Duplicates() const {
  int n = 0;
  for (const XmlCandidate& c : import_.candidates())
    if (c.match_rec) ++n;
  return n;
}

std::string XmlImportForm::DuplicatesCaption() const {
  return Printf(Sid::kXmlDuplicatesFormat, std::string(Str(Sid::kXmlDuplicates)), Duplicates());
}

bool XmlImportForm::IsChosen(int i) const {
  return i >= 0 && i < static_cast<int>(chosen_.size()) && chosen_[static_cast<size_t>(i)];
}

void XmlImportForm::Choose(int i, bool on) {
  if (i >= 0 && i < static_cast<int>(chosen_.size())) chosen_[static_cast<size_t>(i)] = on;
}

int XmlImportForm::Sum() const {
  int added = 0;
  for (size_t i = 0; i < chosen_.size(); ++i)
    if (chosen_[i] && !(update && import_.candidates()[i].match_rec)) ++added;
  return added;
}

std::string XmlImportForm::Counter() const {
  const int in_list = doc_.status_count[XmlListStatus(import_.list())];
  const int added = Sum();
  if (in_list + added > XmlListLimit(import_.list())) return std::string(Str(Sid::kXmlTooMany));
  return Printf(Sid::kXmlCounterFormat, XmlListCaption(import_.list()), in_list, added,
                in_list + added);
}

bool XmlImportForm::IsOkShown() const {
  return doc_.status_count[XmlListStatus(import_.list())] + Sum() <= XmlListLimit(import_.list());
}

std::vector<int> XmlImportForm::Chosen() const {
  std::vector<int> out;
  for (size_t i = 0; i < chosen_.size(); ++i)
    if (chosen_[i]) out.push_back(static_cast<int>(i));
  return out;
}

bool BackupDueBeforeImport(const std::string& last_backup, const Date& today) {
  return last_backup != fmt::sprintf("%04d-%02d-%02d", today.year, today.month, today.day);
}

bool IsXmlFileName(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ext = path.substr(path.size() - 4);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext == ".xml";
}

}  // namespace zarim
