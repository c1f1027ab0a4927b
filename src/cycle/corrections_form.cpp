// The corrections window's list and filters.
#include "cycle/corrections_form.h"

#include <algorithm>
#include <map>

#include "core/month.h"
#include "core/strings.h"
#include "cycle/corrections.h"

namespace zarim {
namespace {

constexpr int kIdRange = 100000;  // identifiers stay below this (30003 at most)

int SerialOf(const CorrectionEntry& e) { return Serial(e.year - 2000, e.month - 1); }

}  // namespace

int EncodeCorrectionsSelection(int serial, int publisher_id) {
  return (serial + 1) * kIdRange + std::clamp(publisher_id, 0, kIdRange - 1);
}

std::vector<CorrectionEntry> SelectCorrections(const std::vector<CorrectionEntry>& entries,
                                               int selection) {
  const int serial = selection / kIdRange - 1;
  const int id = selection % kIdRange;
  std::vector<CorrectionEntry> out;
  for (const CorrectionEntry& e : entries)
    if ((serial < 0 || SerialOf(e) == serial) && (id == 0 || e.publisher_id == id))
      out.push_back(e);
  return out;
}

std::vector<std::string> CorrectionsHeadings() {
  std::vector<std::string> headings;
  for (Sid id : {Sid::kCorrectionsColWhen, Sid::kCorrectionsColCommand,
                 Sid::kCorrectionsColPublisher, Sid::kCorrectionsColMonth,
                 Sid::kCorrectionsColField, Sid::kCorrectionsColOld, Sid::kCorrectionsColNew})
    headings.emplace_back(Str(id));
  return headings;
}

std::vector<std::string> CorrectionCells(const CorrectionEntry& e) {
  return {e.when,
          e.command,
          e.publisher + " (" + std::to_string(e.publisher_id) + ")",
          CorrectionMonthName(e),
          e.field,
          e.old_value,
          e.new_value};
}

CorrectionsForm::CorrectionsForm(const CZarimDoc& doc, std::vector<CorrectionEntry> pending) {
  entries_ = RecentCorrections(doc, pending);
  std::map<std::string, int> names;  // name -> id, for the order by name
  for (const CorrectionEntry& e : entries_) {
    if (std::find(serials_.begin(), serials_.end(), SerialOf(e)) == serials_.end())
      serials_.push_back(SerialOf(e));
    names.emplace(e.publisher + " (" + std::to_string(e.publisher_id) + ")", e.publisher_id);
  }
  std::sort(serials_.rbegin(), serials_.rend());
  month_names_.emplace_back(Str(Sid::kCorrectionsAllMonths));
  for (int serial : serials_) month_names_.push_back(MonthYearOfSerial(serial));
  publisher_names_.emplace_back(Str(Sid::kCorrectionsAllPublishers));
  for (const auto& [name, id] : names) {
    publisher_names_.push_back(name);
    ids_.push_back(id);
  }
}

void CorrectionsForm::SetMonthChoice(int index) {
  month_ = std::clamp(index, 0, static_cast<int>(month_names_.size()) - 1);
}

void CorrectionsForm::SetPublisherChoice(int index) {
  publisher_ = std::clamp(index, 0, static_cast<int>(publisher_names_.size()) - 1);
}

int CorrectionsForm::Selection() const {
  return EncodeCorrectionsSelection(
      month_ == 0 ? -1 : serials_[static_cast<size_t>(month_ - 1)],
      publisher_ == 0 ? 0 : ids_[static_cast<size_t>(publisher_ - 1)]);
}

std::vector<std::vector<std::string>> CorrectionsForm::Rows() const {
  std::vector<std::vector<std::string>> rows;
  for (const CorrectionEntry& e : SelectCorrections(entries_, Selection()))
    rows.push_back(CorrectionCells(e));
  return rows;
}

std::string CorrectionsForm::CountText() const {
  return Printf(Sid::kCorrectionsCount, static_cast<int>(Rows().size()),
                static_cast<int>(entries_.size()));
}

}  // namespace zarim
