// The "Report Slip Posting" decision: shown when the working month is not open, it offers
// to reopen the month (or, early in a month, the month before), to initialize or
// reinitialize it, or after the 24th to open the next month early.
#pragma once

#include <string>

#include "core/document.h"
#include "core/ports.h"
#include "cycle/month_init.h"

namespace zarim {

class PostingDecisionForm {
 public:
  // Reads the working month, its neighbours' collection states and today's day.
  explicit PostingDecisionForm(const CZarimDoc& doc);

  std::string Title() const;

  // "Suggestion !" after the 20th; pressing it shows SuggestionText().
  bool SuggestionShown() const;
  std::string SuggestionCaption() const;
  std::string SuggestionText() const;

  // OK: "Reopen and continue report collection for %1".
  bool ReopenShown() const;
  std::string ReopenCaption() const;
  // "Initialize ..." or "Reinitialize and open report collection for %1" (working month).
  std::string InitializeCaption() const;
  // The second initialize button for the month after the working month.
  bool InitializeNextShown() const;
  std::string InitializeNextCaption() const;
  std::string CancelCaption() const;

  // The buttons. Each returns true when the dialog ends with OK; Initialize and
  // InitializeNext may ask for confirmation and return false when it is cancelled.
  bool Reopen();
  bool Initialize(Prompter& prompter);
  bool InitializeNext(Prompter& prompter);

  // The confirmation question for a month (with the French article rule).
  std::string ConfirmQuestion(int month) const;

  // What the dialog decided (valid after a button returned true).
  int result_serial() const { return result_serial_; }
  bool initialize_requested() const { return initialize_; }
  bool decided() const { return decided_; }

  // The serials the dialog works with.
  int working_serial() const { return w_; }
  int offered_reopen_serial() const { return reopen_serial_; }

  // Applies the decision to the document (after OK): the collection states and the early
  // month, the working month (keeping unsaved changes), month initialization when it was
  // requested. Returns the status text "  Working Month = %1".
  std::string Apply(CZarimDoc& doc, const MonthInitOptions& init = {}) const;

 private:
  bool NeedsConfirmation(int serial, bool next) const;
  bool StartInitialize(int serial, bool next, Prompter& prompter);

  std::string language_;
  int w_ = 0;
  int today_day_ = 0;
  bool early_held_ = false;
  uint8_t state_[12]{};
  int reopen_serial_ = 0;

  // The decision, applied by Apply().
  bool decided_ = false;
  bool initialize_ = false;
  int result_serial_ = 0;
  uint8_t new_state_[12]{};
  bool set_early_ = false;
  uint32_t early_year_ = 0, early_month_ = 0;
};

}  // namespace zarim
