// The label selection form.
#include "reports/label_form.h"

#include <algorithm>

#include "core/document.h"
#include "core/text_codec.h"
#include "reports/labels.h"

namespace zarim {

LabelForm::LabelForm(const CZarimDoc& doc, bool choose_people) : choose_people_(choose_people) {
  if (!choose_people) return;
  for (int rec = 1; rec < doc.count; ++rec) {
    if (doc.records[rec].status != kActive) continue;
    records_.push_back(rec);
    names_.push_back(ToUtf8(doc.DisplayName(doc.records[rec]), doc.language_code));
  }
  checked_.assign(records_.size(), 0);
}

void LabelForm::SetChecked(int row, bool on) {
  if (row >= 0 && row < static_cast<int>(checked_.size())) checked_[row] = on ? 1 : 0;
}

bool LabelForm::checked(int row) const {
  return row >= 0 && row < static_cast<int>(checked_.size()) && checked_[row] != 0;
}

int LabelForm::checked_count() const {
  return static_cast<int>(std::count(checked_.begin(), checked_.end(), 1));
}

ReportSelection LabelForm::Selection() const {
  ReportSelection s;
  s.start_label = std::clamp(start_label, 1, kLabelsPerSheet);
  s.chosen = choose_people_;
  for (size_t i = 0; i < records_.size(); ++i)
    if (checked_[i]) s.records.push_back(records_[i]);
  return s;
}

}  // namespace zarim
