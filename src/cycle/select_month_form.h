// The "Select Month" form: the month of a status move, with an optional year list and
// an optional tick box.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"
#include "core/strings.h"

namespace zarim {

class SelectMonthForm {
 public:
  static constexpr int kFirstYear = 1950;
  // The out value of OK when the tick box is ticked.
  static constexpr int kTickedValue = 4;

  SelectMonthForm(const CZarimDoc& doc, std::string prompt, bool with_years, bool with_tick = false,
                  Sid tick_caption = Sid::kStatusRegularTransfer);

  std::string title() const { return std::string(Str(Sid::kSelectMonthTitle)); }
  const std::string& prompt() const { return prompt_; }

  // Twelve month names (with their year when there is no year list); the working month
  // is preselected.
  std::vector<std::string> months() const;
  int month_index() const { return month_index_; }
  void set_month_index(int m);

  // Years 1950 up to the working year ("%4d"); the working year is preselected.
  bool has_years() const { return with_years_; }
  std::vector<std::string> years() const;
  int year_index() const { return year_index_; }
  void set_year_index(int i);
  int chosen_year() const { return kFirstYear + year_index_; }
  bool SelectYear(int year);

  bool has_tick() const { return with_tick_; }
  std::string tick_caption() const { return std::string(Str(tick_caption_)); }
  bool ticked() const { return ticked_; }
  void set_ticked(bool t) { ticked_ = with_tick_ && t; }

  // What OK returns: the 1-based month, and the year (four digits; a month after the
  // working month chosen with the working year belongs to the previous year), or 4 when
  // the tick box is ticked.
  int ResultMonth() const { return month_index_ + 1; }
  int ResultValue() const;
  // The calendar year that OK gives, whatever the tick box says.
  int ResultYear() const;

 private:
  int working_month_;
  int working_year_;  // four digits
  std::string prompt_;
  bool with_years_;
  bool with_tick_;
  Sid tick_caption_;
  int month_index_;
  int year_index_;
  bool ticked_ = false;
};

// The prompt of a move: "Month in which" + name + event text.
std::string MonthPrompt(const CZarimDoc& doc, const PubRecord& r, Sid event_text);

}  // namespace zarim
