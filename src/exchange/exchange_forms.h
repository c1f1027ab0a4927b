// The forms of the export and XML dialogs: "Export Publisher Data" (month, separator,
// header), the chooser of the list and people for "Export to XML", and the chooser of
// the records of a publisher file for "Import from XML".
#pragma once

#include <string>
#include <vector>

#include "core/document.h"
#include "exchange/exports.h"
#include "exchange/xml_publisher_file.h"

namespace zarim {

class ExportDataForm {
 public:
  explicit ExportDataForm(const CZarimDoc& doc);
  std::string Title() const;
  // The twelve months that end with the working month, each with its year.
  std::vector<std::string> Months() const;
  int month;            // preset to the working month
  bool tab = false;     // "Comma Delimited" preset
  bool header = false;  // "Include Header" not ticked at first
  ExportOptions Options() const;

 private:
  int working_month_;
  int working_year_;  // two-digit
};

class XmlExportForm {
 public:
  explicit XmlExportForm(const CZarimDoc& doc);
  std::string Title() const;
  std::vector<std::string> ListCaptions() const;
  XmlList list() const { return list_; }
  // Shows the people of a list, every one chosen.
  void SelectList(XmlList list);
  const std::vector<std::string>& People() const { return people_; }
  bool IsChosen(int i) const;
  void Choose(int i, bool on);
  bool IsOkEnabled() const;
  std::vector<int> ChosenRecords() const;

 private:
  const CZarimDoc& doc_;
  XmlList list_ = XmlList::kActive;
  std::vector<std::string> people_;
  std::vector<int> recs_;
  std::vector<bool> chosen_;
};

class XmlImportForm {
 public:
  explicit XmlImportForm(const CZarimDoc& doc, const XmlPublisherImport& import);
  std::string Title() const;
  // "first last" of each record of the file, "*" in front of one already in the list.
  std::vector<std::string> Items() const;
  int Duplicates() const;
  bool AreDuplicatesShown() const { return Duplicates() > 0; }
  std::string DuplicatesCaption() const;  // "Duplicates (n)"
  bool update = true;                     // "Update existing record" / "Create a new record"
  bool IsChosen(int i) const;
  void Choose(int i, bool on);
  // "Active publishers 40 + 3 = 43", or "Too Many" past the list's limit.
  std::string Counter() const;
  bool IsOkShown() const;
  std::vector<int> Chosen() const;

 private:
  int Sum() const;
  const CZarimDoc& doc_;
  const XmlPublisherImport& import_;
  std::vector<bool> chosen_;
};

// Whether the import asks for a backup first: the last backup ("Backup"/"Last",
// "%Y-%m-%d") was not made today.
bool BackupDueBeforeImport(const std::string& last_backup, const Date& today);

// Whether a chosen file name is one the import takes: its extension is ".xml" in any
// letter case.
bool IsXmlFileName(const std::string& path);

}  // namespace zarim
