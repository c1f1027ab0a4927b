// "Select Labels": which publishers get a label (every active publisher, or those ticked
// in the list) and "Select Starting Label", the first position on the first sheet.
#pragma once

#include <string>
#include <vector>

#include "reports/page_frame.h"

namespace zarim {

class CZarimDoc;

class LabelForm {
 public:
  // With choose_people the active publishers are listed to be ticked; without, every
  // active publisher is printed.
  LabelForm(const CZarimDoc& doc, bool choose_people);

  bool choose_people() const { return choose_people_; }
  // The names of the list (UTF-8), in stored order.
  const std::vector<std::string>& names() const { return names_; }
  void SetChecked(int row, bool on);
  bool checked(int row) const;
  int checked_count() const;

  int start_label = 1;  // 1 to 20

  // What to print: the ticked publishers in list order (an empty choice prints nothing),
  // or nothing chosen for every active publisher.
  ReportSelection Selection() const;

 private:
  bool choose_people_;
  std::vector<int> records_;
  std::vector<std::string> names_;
  std::vector<char> checked_;
};

}  // namespace zarim
