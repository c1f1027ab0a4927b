// The XML publisher file: chosen people of one list (active, inactive, non-publishers)
// with their personal data and two years of monthly reports, written into the exports
// folder and read back to update them or to add them as new records.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"
#include "exchange/xml_document.h"

namespace zarim {

enum class XmlList { kActive = 0, kInactive = 1, kNonPublishers = 2 };

std::string XmlListFileName(XmlList list);  // "Active.xml", "Inactive.xml", ...
std::string XmlListElement(XmlList list);   // "Active", "Inactive", "Non-Publishers"
std::string XmlListCaption(XmlList list);   // "Active publishers", ... (UTF-8)
uint8_t XmlListStatus(XmlList list);
// How many people the list may hold after an import (299, or 99 for non-publishers).
int XmlListLimit(XmlList list);

// Builds the publisher file of the records recs (record numbers, in the order given),
// dated today.
void BuildPublisherXml(CZarimDoc& doc, XmlList list, const std::vector<int>& recs,
                       const Date& today, XmlDocument& x);

// "Export to XML": builds the file and saves it under the list's name in the exports
// folder. Tells "Created %1" on success, the unwritable-file message on failure; returns
// the path written or an empty string.
std::string ExportPublisherXml(CZarimDoc& doc, XmlList list, const std::vector<int>& recs,
                               const Date& today);

// One Pub element of a file being imported.
struct XmlCandidate {
  int id = 0;
  std::string first, last;  // UTF-8, as in the file
  int match_rec = 0;        // the record of the same person in the list, 0 = none
  XmlPosition pos;          // the Pub element
};

// A publisher file opened for import.
class XmlPublisherImport {
 public:
  explicit XmlPublisherImport(CZarimDoc& doc);
  // Loads and scans the file: the list it holds and its Pub elements. False (after the
  // required-tags message, or the engine's events for a malformed file) when it is not
  // a publisher file.
  bool Open(const std::string& path);
  XmlList list() const { return list_; }
  int version() const { return version_; }
  const std::vector<XmlCandidate>& candidates() const { return candidates_; }
  // Takes over the chosen candidates (indexes into candidates()): a matched one updates
  // its record when update is set, every other one becomes a new record placed in the
  // sorted order. Returns the number of records changed or added; the caller saves.
  int Apply(const std::vector<int>& chosen, bool update);

 private:
  void TakeOver(const XmlCandidate& c, PubRecord& r, bool existing);
  int FindMatch(int id, const std::string& first, const std::string& last) const;

  CZarimDoc& doc_;
  XmlDocument xml_;
  XmlList list_ = XmlList::kActive;
  int version_ = 0;
  std::vector<XmlCandidate> candidates_;
};

}  // namespace zarim
