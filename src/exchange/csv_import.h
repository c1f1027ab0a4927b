// The CSV report import: the file's structure check, the column mapping remembered in
// "zrmap.dat", the identification of each row's publisher with the learned names of
// "tpmap.dat", and the rows handed on as incoming reports of the working month.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"
#include "exchange/report_import.h"

namespace zarim {

inline constexpr const char* kCsvMapFileName = "zrmap.dat";
inline constexpr const char* kNameMapFileName = "tpmap.dat";
inline constexpr size_t kCsvMapFileSize = 840;
inline constexpr size_t kNameMapEntrySize = 128;
inline constexpr int kMaxNameMapEntries = 300;
// The largest CSV file read, and the longest line: far beyond a congregation's reports,
// small enough that a hostile file cannot exhaust memory.
inline constexpr size_t kMaxCsvFile = 1 << 20;
inline constexpr size_t kMaxCsvLine = 4096;

// The targets of the mapping, in the dialog's order.
enum CsvTarget : int {
  kCsvFirstName = 0,
  kCsvLastName,
  kCsvShared,
  kCsvStudies,
  kCsvHours,
  kCsvRemarks,
  kCsvNameFirstLast,
  kCsvNameLastFirst,
  kCsvTargetCount
};

struct CsvTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;  // each with header.size() or one fewer fields
};

// Splits one line into fields: blanks before a field are skipped, a quoted field may hold
// commas and "" for a quote.
std::vector<std::string> SplitCsvLine(std::string_view line);
// The file's table; empty when the structure check fails (a header of fewer than 4
// fields, a line with another number of fields, a line longer than kMaxCsvLine; the
// 1-based number of such a long line goes to *long_line when given).
std::optional<CsvTable> ParseCsv(std::span<const uint8_t> bytes, size_t* long_line = nullptr);

// Source column of each target, -1 when not mapped.
using CsvMapping = std::array<int, kCsvTargetCount>;
std::string CsvTargetName(int target);

// The 840-byte block of "zrmap.dat": the eight column numbers (32-bit), the header's
// field count, and the caption of each mapped column, so a preset is used only for a
// file whose columns it fits.
std::vector<uint8_t> EncodeCsvMapping(const CsvMapping& mapping, const CsvTable& table);
std::optional<CsvMapping> DecodeCsvMapping(std::span<const uint8_t> block, const CsvTable& table);

struct NameMapEntry {
  std::string listed;  // the publisher's name as the program lists it (record bytes)
  std::string csv;     // the name as the CSV file writes it
  uint16_t id = 0;
};
// Whole entries only, at most 300; each text bounded by its field.
std::vector<NameMapEntry> DecodeNameMap(std::span<const uint8_t> bytes);
std::vector<uint8_t> EncodeNameMap(const std::vector<NameMapEntry>& entries);

// One data row of the file as the identification sees it.
struct CsvRow {
  std::string name;  // record bytes
  IncomingReport report;
  uint16_t id = 0;  // 0 = unidentified
  bool by_hand = false;
};

// The CSV import from the mapping on: what the mapping and identification dialogs show
// and what their buttons do.
class CsvImportForm {
 public:
  CsvImportForm(CZarimDoc& doc, CsvTable table);

  // ---- Mapping ------------------------------------------------------------------------
  const CsvTable& table() const { return table_; }
  std::vector<std::string> Targets() const;  // the eight target names
  std::vector<std::string> Sources() const;  // the header's captions (UTF-8)
  const CsvMapping& mapping() const { return mapping_; }
  void Map(int target, int column);
  void Clear(int target);
  std::vector<std::string> MappingLines() const;  // "Target = Caption" per mapped target
  std::string MapNote() const;                    // "* -> Shared = Hours > 0"
  // "Continue" is offered once a target is mapped, and a name with it.
  bool CanContinueMapping() const;
  // Stores the mapping in "zrmap.dat" when it differs from the stored one, then reads the
  // rows and identifies their publishers.
  void ContinueMapping();

  // ---- Identification -----------------------------------------------------------------
  const std::vector<CsvRow>& rows() const { return rows_; }
  std::vector<std::string> RowTexts() const;  // name, or "%s -> %s" (UTF-8)
  std::vector<int> Publishers() const;        // record numbers of the active publishers
  std::vector<std::string> PublisherNames() const;
  // "->": row is the publisher of record rec.
  void Associate(int row, int rec);
  void ClearRow(int row);
  bool skip_unidentified() const { return skip_; }
  void SetSkipUnidentified(bool on) { skip_ = on; }
  int Unidentified() const;
  std::string UnidentifiedText() const;  // "%d unidentified publishers"
  bool CanContinueIdentification() const { return skip_ || Unidentified() == 0; }
  // Queues the name map (with the associations made by hand) for the save and returns the
  // identified rows as incoming reports of the working month.
  std::vector<IncomingReport> Finish();

 private:
  void Identify(CsvRow& row) const;
  std::string RowName(const std::vector<std::string>& fields) const;
  bool NamesFirstFirst() const;
  std::optional<std::vector<uint8_t>> StoredMap(const char* name, size_t limit) const;

  CZarimDoc& doc_;
  CsvTable table_;
  CsvMapping mapping_;
  std::vector<NameMapEntry> name_map_;
  std::vector<CsvRow> rows_;
  bool skip_ = false;
};

// Reads the CSV file at path for the import. Tells the user the structure message and
// returns nothing when the file does not pass the check; a name that does not end in
// ".csv" returns nothing silently.
std::optional<CsvTable> LoadCsvImport(const CZarimDoc& doc, const std::string& path);

}  // namespace zarim
