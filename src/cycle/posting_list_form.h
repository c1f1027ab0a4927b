// The posting list "%1 Report Collection": the active publishers of the congregation or
// of one field service group, optionally only those whose report is still missing, from
// which each report slip is opened.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"

namespace zarim {

class PostingListForm {
 public:
  // Opening the list resets the month two after the working month and brings the derived
  // state up to date (a month may just have been initialized); the selection starts at the last
  // person posted. Once the month holds reports the list starts limited to the missing ones, where
  // the work is left.
  explicit PostingListForm(CZarimDoc& doc);

  // ---- Captions (UTF-8) -------------------------------------------------------------
  std::string Title() const;
  std::string LastPersonPosted() const;  // the name of the posting resume identifier
  std::string ImportCaption() const;     // "Add %1 reports from ->"
  std::string CloseCaption() const;

  // ---- Group selector: "Congregation" then every field service group -----------------
  std::vector<std::string> GroupChoices() const;
  int group() const { return group_; }
  void SetGroup(int position);

  bool missing_only() const { return missing_only_; }
  void SetMissingOnly(bool on);

  // ---- The list -----------------------------------------------------------------------
  // Record numbers of the listed publishers, in the active list's order.
  const std::vector<int>& rows() const { return rows_; }
  std::vector<std::string> Names() const;
  // The names as the list shows them: a report already in is marked after the name.
  std::vector<std::string> RowCaptions() const;
  int selection() const { return selection_; }
  void Select(int row);
  // Record number of the selected publisher; 0 when the list is empty.
  int SelectedRecord() const;

  // After a slip was closed (saved or not): brings the working totals and lists up to
  // date and refills the list when the filter is on.
  void AfterSlip();
  // "Close report collection ...": asks first, since a single key reaches the button;
  // on Yes the working month is closed and the list ends. True when it was closed.
  bool CloseCollection();

 private:
  void Refill();
  // Whether the working month of the record holds a report or a remark.
  bool Posted(int rec) const;

  CZarimDoc& doc_;
  int group_ = 0;
  bool missing_only_ = false;
  std::vector<int> rows_;
  int selection_ = 0;
};

}  // namespace zarim
