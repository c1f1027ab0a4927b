// The pioneer lists "Add, Delete Auxiliary Pioneers" and "Add / Delete Regular Pioneers":
// for one month of the last 24, the publishers with the mode's pioneer code on the left
// and those without a code on the right.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"

namespace zarim {

class PioneerListForm {
 public:
  enum class Mode { kAuxiliary, kRegular };
  struct Line {
    int rec;
    std::string name;  // UTF-8
  };

  PioneerListForm(CZarimDoc& doc, Mode mode);

  std::string Title() const;  // "%s - %s %d ( %d )"
  // The three years (two-digit year shown as "%d"), the current one preselected.
  std::vector<std::string> YearTexts() const;
  int year_index() const { return year_index_; }  // 0 = earliest
  void SelectYear(int index);
  // The months offered for the selected year (month indexes 0..11) and their names.
  std::vector<int> Months() const;
  std::vector<std::string> MonthTexts() const;
  int month() const { return month_; }
  bool SelectMonth(int month);

  // "Special Pioneers" (regular mode only): the left list holds special pioneers.
  bool special_shown() const { return mode_ == Mode::kRegular; }
  bool special() const { return special_; }
  void SetSpecial(bool on);

  const std::vector<Line>& left() const { return left_; }
  const std::vector<Line>& right() const { return right_; }
  // The move button follows the side with the selection.
  static std::string MoveCaption(bool left_selected);
  bool Add(int right_index);
  bool Remove(int left_index);

 private:
  int Year() const;  // two-digit year of the selection
  int Code() const;
  void Refill();

  CZarimDoc& doc_;
  Mode mode_;
  bool special_ = false;
  int year_index_ = 2;
  int month_ = 0;
  std::vector<Line> left_, right_;
};

}  // namespace zarim
