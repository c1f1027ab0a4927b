// The "Delete" dialog of a publisher: permanently, or temporarily with the month and
// year of the deletion.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"
#include "records/placing.h"

namespace zarim {

inline constexpr int kFirstDeletionYear = 1950;

// The status stamp of a temporary deletion: year - 1950 in the high byte, month 1..12
// (0 when no month was chosen) in the low byte.
uint16_t DeletionStamp(int year, int month);

// Removes a record for good: the record leaves the table, and household links and
// appointments that carry its identifier are cleared so that a later publisher who gets
// the identifier does not inherit them. Index rebuilt.
bool DeletePermanently(CZarimDoc& doc, int rec);

class DeleteForm {
 public:
  enum class Result { kDeleted, kRefused, kFailed };
  DeleteForm(CZarimDoc& doc, int rec);

  std::string Question() const;  // "Do you really want to delete %1?"
  bool temporary = false;        // "Delete permanently" is preselected
  int month = 0;                 // 0 = the blank entry, 1..12
  int year = 0;
  bool date_enabled() const { return temporary; }
  std::vector<std::string> MonthTexts() const;  // "", "Jan" .. "Dec"
  std::vector<std::string> YearTexts() const;   // "%4d" from 1950 to the current year
  int first_year() const { return kFirstDeletionYear; }

  // Deletes and saves. kRefused when the list of temporarily deleted ones is full
  // (nothing is reported then).
  Result Ok();

 private:
  CZarimDoc& doc_;
  int rec_;
};

}  // namespace zarim
