// The transfer file: one publisher's record (names, dates, privileges, pioneer history,
// every kept month of reports and its remarks) as an XML document of this program's own,
// written for the congregation he moves to and read there to add him with his history.
// docs/transfer.md describes the file and docs/transfer.xsd is its schema.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/document.h"
#include "records/extension.h"

namespace zarim {

// The version this program writes and the only one it reads.
inline constexpr int kTransferVersion = 1;

// One month of reports as the record keeps it, placed by its calendar month.
struct TransferMonth {
  int year = 0;   // calendar year
  int month = 0;  // 0..11
  uint16_t placements = 0, videos = 0, hours = 0, return_visits = 0, credit = 0;
  int quarter = 0;  // quarter-hour code 0..3
  int studies = 0;  // Bible studies
  bool shared = false;
  int pioneer = 0;     // PioneerCode
  int late = 0;        // working month + 1 in which a late report was posted, 0 = none
  std::string remark;  // record bytes
  bool operator==(const TransferMonth&) const = default;
};

struct TransferAppointment {
  uint16_t kind = 0;       // appointment code (1..5, 20)
  std::string start, end;  // stored "MMDDYYYY" form
  bool operator==(const TransferAppointment&) const = default;
};

// What a transfer file holds. person carries the personal fields only (names, address,
// phones, dates, consent, hope, privilege and the other flags); status, group, links and
// month cells are the receiving folder's.
struct TransferPublisher {
  PubRecord person{};
  ExtensionData contact;
  std::vector<TransferAppointment> appointments;
  std::vector<TransferMonth> months;
};

// The record rec of doc as a transfer file holds it: every month of the 24 it keeps.
TransferPublisher TakeTransfer(CZarimDoc& doc, int rec);

// The file's text (UTF-8) for t.
std::string TransferXml(const CZarimDoc& doc, const TransferPublisher& t);

// Writes the transfer file of record rec to path, which must lie outside the data folder.
// Tells the user what was written, or why nothing was; true when written.
bool ExportTransferFile(CZarimDoc& doc, int rec, const std::string& path);

// Reads a transfer file through the XML engine with the bounds of every XML import, and
// checks every field against the file's schema and the limits of the record. Nothing of
// the document changes. On refusal *why holds the program's message.
std::optional<TransferPublisher> ReadTransferFile(const CZarimDoc& doc, const std::string& path,
                                                  std::string* why);

// Adds t to doc as a new active publisher, a regular transfer in the working month, through
// the rules of adding (a new identifier, room in the list and the table, the duplicate
// name question), with his months placed by calendar month into the months this folder
// keeps. left_out receives the months that lie outside them ("Mar 2023"). Returns the
// record number, or 0 after telling the user why nothing was added. The caller works in
// an edit of the owner and saves.
int ImportTransfer(CZarimDoc& doc, const TransferPublisher& t, std::vector<std::string>* left_out);

}  // namespace zarim
