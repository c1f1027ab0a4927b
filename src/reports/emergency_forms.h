// The emergency contact forms: one fill-in form per household (the family head with the
// other members, or a single person), with the stored numbers, address, e-mail address,
// third-party contact and special needs printed where they exist; two forms a sheet.
// "Select Emergency Contact Forms" chooses the households, of the congregation or of
// one field service group.
#pragma once

#include <string>
#include <vector>

#include "reports/canvas.h"
#include "reports/lists.h"
#include "reports/page_frame.h"
#include "reports/report_model.h"
#include "reports/report_registry.h"

namespace zarim {

class CZarimDoc;

inline constexpr int kEmergencyFormsPerSheet = 2;

// What one household's form shows (UTF-8); empty texts are left to fill in by hand.
struct EmergencyFormData {
  int record = 0;  // the family head or the single person
  std::string head;
  std::vector<std::string> members;  // the other members' names; none: single person
  std::string home, work, cell, address, email;
  bool has_contact = false;
  std::string contact;  // name, with the additional information in brackets
  std::string contact_home, contact_work, contact_cell;
  bool contact_jw = false;
  std::string needs;
};

// The households of the active publishers of a group (0: the congregation), in stored
// order, each on its head's entry.
std::vector<ListEntry> EmergencyFormHouseholds(const CZarimDoc& doc, int group);

// The forms to print: every household of the group, or, when the selection chose
// publishers, the households they belong to (an empty choice prints nothing).
std::vector<EmergencyFormData> EmergencyForms(const CZarimDoc& doc, int group,
                                              const ReportSelection* selection);

// Sheets for n forms, two a sheet; 1 for none.
int EmergencyFormSheets(int forms);

ReportModel EmergencyFormsModel(const CZarimDoc& doc, const ReportContext& context, int group);
void DrawEmergencyForms(const CZarimDoc& doc, Canvas& canvas, ReportContext& context, int group);

std::vector<ReportEntry> EmergencyFormReports();

// "Select Emergency Contact Forms": the households to tick, of the whole congregation or
// of one field service group; OK gives the report kind, the group and the selection.
class EmergencyFormsForm {
 public:
  explicit EmergencyFormsForm(const CZarimDoc& doc);

  std::string Title() const;
  // "Congregation" or the group's label.
  std::string ScopeText() const;
  int group() const { return group_; }
  // Lists the households of a group (0: the whole congregation), none ticked.
  void SetGroup(int group);
  int kind() const;  // 95 for the congregation, 96 for a group

  // The households' names (UTF-8), the head's name first.
  const std::vector<std::string>& names() const { return names_; }
  void SetChecked(int row, bool on);
  bool checked(int row) const;
  void CheckAll(bool on);
  int checked_count() const;

  // The heads of the ticked households, in list order; an empty choice prints nothing.
  ReportSelection Selection() const;

 private:
  const CZarimDoc& doc_;
  int group_ = 0;
  std::vector<int> records_;
  std::vector<std::string> names_;
  std::vector<char> checked_;
};

}  // namespace zarim
