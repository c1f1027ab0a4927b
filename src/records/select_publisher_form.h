// "Select Publisher" and "Select Bible Student": the list of one status list by display
// name with a wrapping selection, and the "Add Publisher" chooser.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"

namespace zarim {

class SelectPublisherForm {
 public:
  // status kActive for "Select Publisher", kNonPublisher for "Select Bible Student".
  SelectPublisherForm(CZarimDoc& doc, uint8_t status = kActive);

  std::string Title() const;
  std::string AddCaption() const;
  uint8_t status() const { return status_; }
  // Brings the derived state up to date and fills the names again (after every change).
  void Refill();
  // UTF-8; two people of the same name are told apart by their group, "%s (%d)".
  const std::vector<std::string>& names() const { return names_; }
  // The entries whose name holds the text, without regard to case or accents of the
  // case; every entry for a blank text.
  std::vector<int> Matching(std::string_view text) const;
  int selection() const { return selection_; }  // -1 when empty
  void Select(int index);
  bool SelectById(uint16_t id);
  // Moving past the last entry wraps to the first, before the first to the last.
  void Move(int delta);
  int SelectedRecord() const;
  // "&Edit..." is hidden on an empty list; the edit action then adds.
  bool edit_shown() const { return !records_.empty(); }

 private:
  CZarimDoc& doc_;
  uint8_t status_;
  std::vector<std::string> names_;
  std::vector<int> records_;
  int selection_ = -1;
};

// The texts of the "<<<    &Add    <<<" button of the Bible-student list: every "<"
// removed, and every blank too unless the language code is "swedish".
std::string StudentAddCaption(const std::string& language_code);

// The "Add Publisher" chooser.
enum class AddChoice { kNew, kFromStudents, kFromInactive };
// The choices offered; only kNew means no chooser is shown.
std::vector<AddChoice> AddChoices(const CZarimDoc& doc);
std::string AddChoiceCaption(AddChoice c);

// "&Delete" of a Bible student: asks "Do you really want to delete %1?" and removes the
// student on Yes. True when removed.
bool DeleteBibleStudent(CZarimDoc& doc, int rec);

}  // namespace zarim
