// Collection files: the collection list (".t09") a field service group overseer takes
// to collect his group's reports, and the returned file (".t19") of the same layout.
// The returned file comes from another machine, so reading it trusts none of its counts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"

namespace zarim {

// The scrambling offset of the collection files, shared with the companion program.
// With 45 a text byte becomes 0 (which would end the text) when it is 211 - i at
// position i, and 0xCC (kept as it is in the names and the address's first 30 bytes)
// when it is 159 - i: "Ó" at the start of a name, "š" at position 5 and the like. Such a
// character is written as its plain letter, and the user is told first (see
// CarryCollectionTexts).
inline constexpr uint8_t kCollectionScrambleOffset = 45;
inline constexpr size_t kCollectionBlockSize = sizeof(PubRecord);
inline constexpr size_t kCollectionRemarkSize = sizeof(RemarkEntry);
inline constexpr int kMaxCollectionBlocks = 255;  // the count is one byte
inline constexpr size_t kMaxSecretaryEmail = 50;

// Offsets of the header block.
inline constexpr size_t kCollHeaderEmail = 44;
inline constexpr size_t kCollHeaderEmailSize = 63;
inline constexpr size_t kCollHeaderCount = 180;
inline constexpr size_t kCollHeaderGroup = 181;
inline constexpr size_t kCollHeaderRemarks = 184;
inline constexpr size_t kCollHeaderMonth = 238;

// The secretary's address as it is kept: cut to 50 characters, and empty unless it has
// an "@" at a position from 1 to 47.
std::string CleanSecretaryEmail(std::string_view typed);
// A publisher's e-mail address from his extension record, trimmed, when it has an "@"
// after its first character and a "." after the "@"; otherwise empty.
std::string PublisherEmail(CZarimDoc& doc, const PubRecord& r);

// "Group3.t09".
std::string CollectionFileName(int group);

// The slot that holds month m (0..11) in the twelve months that end with the month of
// serial `serial`.
int SlotEndingAt(int serial, int month);

// The active publishers of group 1..20 in the publisher order (record numbers), at most
// 255.
std::vector<int> CollectionMembers(const CZarimDoc& doc, int group);

// A character the companion program cannot read back at its place (it would end the text
// or stay scrambled) is written as its plain letter ("Ó" as "O"), or as '?' when it has
// none. True when a text of the block was changed so.
bool CarryCollectionTexts(PubRecord& block, std::string_view language_code);

// The bytes of the collection list of group 1..20 for the working month, or for the
// month after it (a new, empty list). *altered (when given) receives "name -> name as
// written" for each publisher whose texts had to be changed to travel.
std::vector<uint8_t> BuildCollectionList(CZarimDoc& doc, int group, bool next_month,
                                         std::vector<std::string>* altered = nullptr);

// The "Email the file to assistant" choice of a group (kept in its assistant field).
bool MailToAssistant(const CZarimDoc& doc, int group);
void SetMailToAssistant(CZarimDoc& doc, int group, bool on);

// A collection file as read: the header's values and the blocks and remarks present.
struct CollectionFile {
  int month = 0;  // 0..11
  int group = 0;
  int declared_blocks = 0;        // N of the header
  int declared_remarks = 0;       // R of the header
  std::vector<PubRecord> blocks;  // unscrambled; only those the file holds whole
  std::vector<RemarkEntry> remarks;
  std::string secretary_email;
};

// Reads a collection file. Empty when the bytes are shorter than the header or its month
// is not 0..11. Counts beyond the file's length read only what is there.
std::optional<CollectionFile> ReadCollectionFile(std::span<const uint8_t> bytes);

// The remark text of block b's month m (slot s): the file's remark its reference names,
// bounded by the entry; empty for a reference of 0 or beyond the file's remarks.
std::string BlockRemark(const CollectionFile& file, const PubRecord& b, int month, int slot);

}  // namespace zarim
