// The CSV report import.
#include "exchange/csv_import.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "core/data_files.h"
#include "core/file_io.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "exchange/import_files.h"

namespace zarim {

namespace {

constexpr size_t kMapCaptionSize = 100;
constexpr size_t kMapCaptionsAt = 36;
constexpr size_t kNameSlot = 64;  // a row's name is kept in 63 bytes
constexpr size_t kNameMapText = 60;

int32_t GetI32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) |
                              (static_cast<uint32_t>(p[3]) << 24));
}
void PutI32(uint8_t* p, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

std::string Bounded(const uint8_t* p, size_t n) {
  return FieldText(reinterpret_cast<const char*>(p), n);
}

// The leading number of a field; text that is not a number counts as 0.
int NumberOf(std::string_view text, int limit) {
  const std::string_view t = Trim(text);
  long v = 0;
  for (size_t i = 0; i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])); ++i) {
    v = v * 10 + (t[i] - '0');
    if (v > limit) return limit;
  }
  return static_cast<int>(v);
}

bool SharedText(std::string_view text) {
  const std::string_view t = Trim(text);
  if (t.empty()) return false;
  const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t[0])));
  return NumberOf(t, 1000) > 0 || c == 'y' || c == 'x';
}

const std::string& FieldAt(const std::vector<std::string>& fields, int column) {
  static const std::string kEmpty;
  if (column < 0 || static_cast<size_t>(column) >= fields.size()) return kEmpty;
  return fields[static_cast<size_t>(column)];
}

}  // namespace

std::vector<std::string> SplitCsvLine(std::string_view line) {
  std::vector<std::string> fields;
  size_t i = 0;
  for (;;) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::string field;
    if (i < line.size() && line[i] == '"') {
      ++i;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
      // Anything after the closing quote up to the comma belongs to the field.
      while (i < line.size() && line[i] != ',') field += line[i++];
    } else {
      while (i < line.size() && line[i] != ',') field += line[i++];
    }
    fields.push_back(std::move(field));
    if (i >= line.size()) break;
    ++i;  // the comma
  }
  return fields;
}

std::optional<CsvTable> ParseCsv(std::span<const uint8_t> bytes, size_t* long_line) {
  CsvTable table;
  size_t pos = 0, line_number = 0;
  bool have_header = false;
  while (pos < bytes.size()) {
    ++line_number;
    size_t end = pos;
    while (end < bytes.size() && bytes[end] != '\n') ++end;
    size_t stop = end;
    if (stop > pos && bytes[stop - 1] == '\r') --stop;
    if (stop - pos > kMaxCsvLine) {
      if (long_line) *long_line = line_number;
      return std::nullopt;
    }
    const std::string_view line(reinterpret_cast<const char*>(bytes.data()) + pos, stop - pos);
    pos = end + 1;
    if (Trim(line).empty()) continue;
    std::vector<std::string> fields = SplitCsvLine(line);
    if (!have_header) {
      if (fields.size() < 4) return std::nullopt;
      table.header = std::move(fields);
      have_header = true;
      continue;
    }
    if (fields.size() != table.header.size() && fields.size() + 1 != table.header.size())
      return std::nullopt;
    table.rows.push_back(std::move(fields));
  }
  if (!have_header) return std::nullopt;
  return table;
}

std::string CsvTargetName(int target) {
  if (target < 0 || target >= kCsvTargetCount) return {};
  return std::string(Str(static_cast<Sid>(static_cast<int>(Sid::kCsvTargetFirstName) + target)));
}

std::vector<uint8_t> EncodeCsvMapping(const CsvMapping& mapping, const CsvTable& table) {
  std::vector<uint8_t> block(kCsvMapFileSize, 0);
  for (int t = 0; t < kCsvTargetCount; ++t) {
    PutI32(&block[static_cast<size_t>(t) * 4], mapping[static_cast<size_t>(t)]);
    const std::string& caption = FieldAt(table.header, mapping[static_cast<size_t>(t)]);
    SetField(
        reinterpret_cast<char*>(&block[kMapCaptionsAt + static_cast<size_t>(t) * kMapCaptionSize]),
        kMapCaptionSize, caption);
  }
  PutI32(&block[32], static_cast<int32_t>(table.header.size()));
  return block;
}

std::optional<CsvMapping> DecodeCsvMapping(std::span<const uint8_t> block, const CsvTable& table) {
  if (block.size() != kCsvMapFileSize) return std::nullopt;
  if (GetI32(&block[32]) != static_cast<int32_t>(table.header.size())) return std::nullopt;
  CsvMapping m;
  for (int t = 0; t < kCsvTargetCount; ++t) {
    const int32_t c = GetI32(&block[static_cast<size_t>(t) * 4]);
    if (c < -1 || c >= static_cast<int32_t>(table.header.size())) return std::nullopt;
    const std::string caption =
        Bounded(&block[kMapCaptionsAt + static_cast<size_t>(t) * kMapCaptionSize], kMapCaptionSize);
    if (c >= 0 && caption != table.header[static_cast<size_t>(c)].substr(0, kMapCaptionSize - 1))
      return std::nullopt;
    m[static_cast<size_t>(t)] = c;
  }
  return m;
}

std::vector<NameMapEntry> DecodeNameMap(std::span<const uint8_t> bytes) {
  std::vector<NameMapEntry> out;
  for (size_t pos = 0; pos + kNameMapEntrySize <= bytes.size() &&
                       out.size() < static_cast<size_t>(kMaxNameMapEntries);
       pos += kNameMapEntrySize) {
    const uint8_t* p = bytes.data() + pos;
    out.push_back(
        {Bounded(p, kNameMapText), Bounded(p + kNameMapText, kNameMapText), GetU16(p + 120)});
  }
  return out;
}

std::vector<uint8_t> EncodeNameMap(const std::vector<NameMapEntry>& entries) {
  const size_t n = std::min(entries.size(), static_cast<size_t>(kMaxNameMapEntries));
  std::vector<uint8_t> out(n * kNameMapEntrySize, 0);
  for (size_t i = 0; i < n; ++i) {
    uint8_t* p = out.data() + i * kNameMapEntrySize;
    SetField(reinterpret_cast<char*>(p), kNameMapText, entries[i].listed);
    SetField(reinterpret_cast<char*>(p + kNameMapText), kNameMapText, entries[i].csv);
    PutU16(p + 120, entries[i].id);
  }
  return out;
}

// ---- The form -----------------------------------------------------------------------

CsvImportForm::CsvImportForm(CZarimDoc& doc, CsvTable table) : doc_(doc), table_(std::move(table)) {
  mapping_.fill(-1);
  if (auto block = StoredMap(kCsvMapFileName, kCsvMapFileSize))
    if (auto preset = DecodeCsvMapping(*block, table_)) mapping_ = *preset;
  if (auto bytes =
          StoredMap(kNameMapFileName, kNameMapEntrySize * kMaxNameMapEntries + kNameMapEntrySize))
    name_map_ = DecodeNameMap(*bytes);
}

// A map as the next save writes it, else as it is on disk.
std::optional<Bytes> CsvImportForm::StoredMap(const char* name, size_t limit) const {
  if (const Bytes* queued = QueuedFile(doc_, name)) return *queued;
  return ReadImportFile(JoinPath(doc_.data_folder, name), limit);
}

std::vector<std::string> CsvImportForm::Targets() const {
  std::vector<std::string> out;
  for (int t = 0; t < kCsvTargetCount; ++t) out.push_back(CsvTargetName(t));
  return out;
}

std::vector<std::string> CsvImportForm::Sources() const {
  std::vector<std::string> out;
  for (const std::string& h : table_.header) out.push_back(ToUtf8(h, doc_.language_code));
  return out;
}

void CsvImportForm::Map(int target, int column) {
  if (target < 0 || target >= kCsvTargetCount) return;
  if (column < 0 || static_cast<size_t>(column) >= table_.header.size()) return;
  mapping_[static_cast<size_t>(target)] = column;
}

void CsvImportForm::Clear(int target) {
  if (target >= 0 && target < kCsvTargetCount) mapping_[static_cast<size_t>(target)] = -1;
}

std::vector<std::string> CsvImportForm::MappingLines() const {
  std::vector<std::string> out;
  for (int t = 0; t < kCsvTargetCount; ++t) {
    const int c = mapping_[static_cast<size_t>(t)];
    if (c < 0) continue;
    out.push_back(Printf(Sid::kCsvMapLine, CsvTargetName(t),
                         ToUtf8(FieldAt(table_.header, c), doc_.language_code)));
  }
  return out;
}

std::string CsvImportForm::MapNote() const {
  return Printf(Sid::kCsvMapNote, CsvTargetName(kCsvShared), CsvTargetName(kCsvHours));
}

bool CsvImportForm::CanContinueMapping() const {
  return std::any_of(mapping_.begin(), mapping_.end(), [](int c) { return c >= 0; });
}

bool CsvImportForm::NamesFirstFirst() const { return doc_.format.last_name_first == 0; }

std::string CsvImportForm::RowName(const std::vector<std::string>& fields) const {
  std::string name;
  if (mapping_[kCsvNameFirstLast] >= 0) {
    name = FieldAt(fields, mapping_[kCsvNameFirstLast]);
  } else if (mapping_[kCsvNameLastFirst] >= 0) {
    name = FieldAt(fields, mapping_[kCsvNameLastFirst]);
  } else {
    const std::string first = TrimRight(FieldAt(fields, mapping_[kCsvFirstName]));
    const std::string last = TrimRight(FieldAt(fields, mapping_[kCsvLastName]));
    if (first.size() > 1 || last.size() > 1) {
      if (NamesFirstFirst())
        name = first + " " + last;
      else
        name = doc_.language_code == "hun" ? last + " " + first : last + ", " + first;
    }
  }
  return name.substr(0, std::min(name.size(), kNameSlot - 1));
}

void CsvImportForm::Identify(CsvRow& row) const {
  row.id = 0;
  const bool first_last = mapping_[kCsvNameFirstLast] >= 0;
  const bool separate = !first_last && mapping_[kCsvNameLastFirst] < 0;
  const bool last_first = first_last ? false : separate ? !NamesFirstFirst() : true;
  for (int rec = 1; rec < doc_.count; ++rec) {
    const PubRecord& r = doc_.records[static_cast<size_t>(rec)];
    if (r.status != kActive) continue;
    if (doc_.DisplayName(r, last_first) == row.name) {
      row.id = r.id;
      return;
    }
  }
  for (const NameMapEntry& e : name_map_) {
    if (e.csv != row.name || row.name.empty()) continue;
    const PubRecord* r = doc_.FindById(e.id);
    if (r && r->status == kActive && doc_.DisplayName(*r).substr(0, kNameMapText - 1) == e.listed) {
      row.id = e.id;
      return;
    }
  }
}

void CsvImportForm::ContinueMapping() {
  const std::vector<uint8_t> block = EncodeCsvMapping(mapping_, table_);
  // The maps are kept with the imported reports, in their save.
  const std::optional<Bytes> stored = StoredMap(kCsvMapFileName, kCsvMapFileSize);
  if (!stored || *stored != block) QueueFile(doc_, kCsvMapFileName, block);

  const bool shared_mapped = mapping_[kCsvShared] >= 0;
  rows_.clear();
  for (const std::vector<std::string>& fields : table_.rows) {
    CsvRow row;
    row.name = RowName(fields);
    const int hours = NumberOf(FieldAt(fields, mapping_[kCsvHours]), 999);
    const int studies = NumberOf(FieldAt(fields, mapping_[kCsvStudies]), kStudiesMask);
    const bool shared =
        shared_mapped ? SharedText(FieldAt(fields, mapping_[kCsvShared])) || hours > 0 : hours > 0;
    IncomingReport& in = row.report;
    in.month = doc_.working_month;
    in.activity[kHours] = static_cast<uint16_t>(hours);
    in.activity[kBibleStudies] =
        static_cast<uint16_t>(studies | (shared || studies > 0 ? kSharedBit : 0));
    const std::string remark(Trim(FieldAt(fields, mapping_[kCsvRemarks])));
    in.remark = remark.substr(0, std::min<size_t>(remark.size(), sizeof(RemarkEntry::text) - 1));
    Identify(row);
    rows_.push_back(std::move(row));
  }
}

std::vector<std::string> CsvImportForm::RowTexts() const {
  std::vector<std::string> out;
  for (const CsvRow& row : rows_) {
    const std::string name = ToUtf8(row.name, doc_.language_code);
    const PubRecord* r = row.id ? doc_.FindById(row.id) : nullptr;
    out.push_back(
        r ? Printf(Sid::kCsvAssociation, name, ToUtf8(doc_.DisplayName(*r), doc_.language_code))
          : name);
  }
  return out;
}

std::vector<int> CsvImportForm::Publishers() const {
  std::vector<int> out;
  for (int rec = 1; rec < doc_.count; ++rec)
    if (doc_.records[static_cast<size_t>(rec)].status == kActive) out.push_back(rec);
  return out;
}

std::vector<std::string> CsvImportForm::PublisherNames() const {
  std::vector<std::string> out;
  for (int rec : Publishers())
    out.push_back(
        ToUtf8(doc_.DisplayName(doc_.records[static_cast<size_t>(rec)]), doc_.language_code));
  return out;
}

void CsvImportForm::Associate(int row, int rec) {
  if (row < 0 || static_cast<size_t>(row) >= rows_.size() || rec <= 0 || rec >= doc_.count) return;
  const PubRecord& r = doc_.records[static_cast<size_t>(rec)];
  if (r.status != kActive) return;
  rows_[static_cast<size_t>(row)].id = r.id;
  rows_[static_cast<size_t>(row)].by_hand = true;
}

void CsvImportForm::ClearRow(int row) {
  if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
  rows_[static_cast<size_t>(row)].id = 0;
  rows_[static_cast<size_t>(row)].by_hand = false;
}

int CsvImportForm::Unidentified() const {
  return static_cast<int>(
      std::count_if(rows_.begin(), rows_.end(), [](const CsvRow& r) { return r.id == 0; }));
}

std::string CsvImportForm::UnidentifiedText() const {
  return Printf(Sid::kCsvUnidentifiedCount, Unidentified());
}

std::vector<IncomingReport> CsvImportForm::Finish() {
  bool changed = false;
  for (const CsvRow& row : rows_) {
    if (!row.by_hand || row.id == 0 || row.name.empty()) continue;
    const PubRecord* r = doc_.FindById(row.id);
    if (!r) continue;
    NameMapEntry entry{doc_.DisplayName(*r).substr(0, kNameMapText - 1),
                       row.name.substr(0, std::min(row.name.size(), kNameMapText - 1)), row.id};
    auto same = std::find_if(name_map_.begin(), name_map_.end(),
                             [&](const NameMapEntry& e) { return e.csv == entry.csv; });
    if (same != name_map_.end()) {
      *same = entry;
    } else if (name_map_.size() < static_cast<size_t>(kMaxNameMapEntries)) {
      name_map_.push_back(entry);
    }
    changed = true;
  }
  if (changed) {
    QueueFile(doc_, kNameMapFileName, EncodeNameMap(name_map_));
  }
  std::vector<IncomingReport> out;
  for (const CsvRow& row : rows_) {
    if (row.id == 0) continue;
    IncomingReport in = row.report;
    in.id = row.id;
    out.push_back(std::move(in));
  }
  return out;
}

namespace {
// Whether bytes hold non-ASCII text in well-formed UTF-8 (a spreadsheet's "CSV UTF-8").
bool IsUtf8Text(std::string_view s) {
  bool high = false;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const int n = c < 0x80             ? 0
                  : (c & 0xE0) == 0xC0 ? 1
                  : (c & 0xF0) == 0xE0 ? 2
                  : (c & 0xF8) == 0xF0 ? 3
                                       : -1;
    if (n < 0 || (n == 1 && c < 0xC2) || i + static_cast<size_t>(n) >= s.size() + (n == 0 ? 1 : 0))
      return false;
    for (int k = 1; k <= n; ++k)
      if ((static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) & 0xC0) != 0x80) return false;
    high = high || n > 0;
    i += static_cast<size_t>(n) + 1;
  }
  return high;
}
}  // namespace

std::optional<CsvTable> LoadCsvImport(const CZarimDoc& doc, const std::string& path) {
  if (!HasExtension(path, ".csv")) return std::nullopt;
  std::optional<CsvTable> table;
  std::string refusal;
  size_t long_line = 0;
  if (std::optional<Bytes> bytes = ReadImportFile(path, kMaxCsvFile, &refusal)) {
    std::string text(bytes->begin(), bytes->end());
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    // Names are compared in the records' code page.
    if (IsUtf8Text(text)) text = FromUtf8(text, doc.language_code);
    table =
        ParseCsv(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), &long_line);
  }
  if (table) return table;
  // A file the reader refused is named with the reason, not taken for one that lacks
  // headers.
  if (!refusal.empty())
    doc.prompter->Tell(refusal);
  else
    doc.prompter->Tell(long_line == 0 ? std::string(Str(Sid::kCsvStructureError))
                                      : Fill(Sid::kCsvLineTooLong, std::to_string(long_line),
                                             std::to_string(kMaxCsvLine)));
  return std::nullopt;
}

}  // namespace zarim
