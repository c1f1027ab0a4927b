// The "Select Month" form of the status moves.
#include "cycle/select_month_form.h"

#include <algorithm>

#include "core/month.h"
#include "core/text_codec.h"

namespace zarim {

SelectMonthForm::SelectMonthForm(const CZarimDoc& doc, std::string prompt, bool with_years,
                                 bool with_tick, Sid tick_caption)
    : working_month_(doc.working_month % 12),
      working_year_(2000 + doc.working_year),
      prompt_(std::move(prompt)),
      with_years_(with_years),
      with_tick_(with_tick),
      tick_caption_(tick_caption),
      month_index_(doc.working_month % 12),
      year_index_(std::max(0, 2000 + doc.working_year - kFirstYear)) {}

std::vector<std::string> SelectMonthForm::months() const {
  std::vector<std::string> out;
  // Without a year list the months are the twelve that end with the working month, and
  // each names its year; with one, the year list says it.
  for (int m = 0; m < 12; ++m)
    out.push_back(with_years_ ? MonthName(m)
                              : MonthInWorkingYearName(m, working_month_, working_year_ - 2000));
  return out;
}

void SelectMonthForm::set_month_index(int m) {
  if (m >= 0 && m < 12) month_index_ = m;
}

std::vector<std::string> SelectMonthForm::years() const {
  std::vector<std::string> out;
  if (!with_years_) return out;
  for (int y = kFirstYear; y <= working_year_; ++y)
    out.push_back(Printf(Sid::kSelectYearFormat, y));
  return out;
}

void SelectMonthForm::set_year_index(int i) {
  if (i >= 0 && kFirstYear + i <= working_year_) year_index_ = i;
}

bool SelectMonthForm::SelectYear(int year) {
  if (year < kFirstYear || year > working_year_) return false;
  year_index_ = year - kFirstYear;
  return true;
}

int SelectMonthForm::ResultYear() const {
  int year = with_years_ ? chosen_year() : working_year_;
  if (month_index_ > working_month_ && year == working_year_) --year;
  return year;
}

int SelectMonthForm::ResultValue() const { return ticked_ ? kTickedValue : ResultYear(); }

std::string MonthPrompt(const CZarimDoc& doc, const PubRecord& r, Sid event_text) {
  return std::string(Str(Sid::kMonthInWhich)) + " " +
         ToUtf8(doc.DisplayName(r), doc.language_code) + " " + std::string(Str(event_text));
}

}  // namespace zarim
