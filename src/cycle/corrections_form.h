// "Corrections" (View menu): the corrections log of the last twelve months, filtered by
// month and by publisher; the list it shows is the one it prints.
#pragma once

#include <string>
#include <vector>

#include "core/corrections_file.h"
#include "core/document.h"

namespace zarim {

// The printed list's selection, carried as a print job's group number: the month's
// serial and the publisher's identifier, 0 for all.
int EncodeCorrectionsSelection(int serial, int publisher_id);
// The entries of the selection, in the log's order.
std::vector<CorrectionEntry> SelectCorrections(const std::vector<CorrectionEntry>& entries,
                                               int selection);
// The list's column headings and one entry's cells under them.
std::vector<std::string> CorrectionsHeadings();
std::vector<std::string> CorrectionCells(const CorrectionEntry& e);

class CorrectionsForm {
 public:
  // `pending`: the owner's entries that the next save writes.
  explicit CorrectionsForm(const CZarimDoc& doc, std::vector<CorrectionEntry> pending = {});

  // "All months" then every month that has entries, newest first; "All publishers" then
  // every publisher that has entries, by name.
  const std::vector<std::string>& month_choices() const { return month_names_; }
  const std::vector<std::string>& publisher_choices() const { return publisher_names_; }
  int month_choice() const { return month_; }
  int publisher_choice() const { return publisher_; }
  void SetMonthChoice(int index);
  void SetPublisherChoice(int index);

  // The entries shown, as cells under CorrectionsHeadings().
  std::vector<std::vector<std::string>> Rows() const;
  // "%d of %d corrections shown".
  std::string CountText() const;
  // The print job's selection of what is shown.
  int Selection() const;

 private:
  std::vector<CorrectionEntry> entries_;
  std::vector<int> serials_;  // the month choices after "All months"
  std::vector<int> ids_;      // the publisher choices after "All publishers"
  std::vector<std::string> month_names_;
  std::vector<std::string> publisher_names_;
  int month_ = 0;
  int publisher_ = 0;
};

}  // namespace zarim
