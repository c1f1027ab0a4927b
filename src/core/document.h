// CZarimDoc: the one document of a run. It owns every table at its fixed capacity and
// the scalar state; every subsystem reads and changes it directly.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/ports.h"
#include "core/records.h"

namespace zarim {

class NameCollator;
class SettingsFile;

inline constexpr int kMaxRecords = 1510;  // record 0 is the header record
inline constexpr int kMaxIndex = 1500;
inline constexpr int kMaxStatusList = 300;
inline constexpr int kMaxExtIndex = 601;
inline constexpr int kMaxKeyRefs = 1300;
inline constexpr int kMaxHouseholdUndo = 200;
inline constexpr int kMaxAppointments = 1500;
inline constexpr int kMaxRemarks = 3900;
inline constexpr int kRemarkLoadLimit = 3899;
inline constexpr int kRemarkNewLimit = 3854;
inline constexpr int kMaxLateEntries = 255;
inline constexpr int kLatePostingLimit = 250;
inline constexpr int kLateRebuildLimit = 200;
inline constexpr int kMaxGroups = 20;
inline constexpr uint16_t kReportFormSwitchSerial = 284;  // September 2023

// Memory for a document's table: zeroed by calloc, which for a large table means fresh
// pages the system hands out already zero. A table thus costs nothing until it is used,
// and a command that reads a few counts never touches most of them. The empty value of
// an element is all zero bytes (a test checks each), so making one writes nothing.
template <class T>
struct ZeroedAllocator {
  using value_type = T;
  ZeroedAllocator() = default;
  template <class U>
  ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}
  T* allocate(size_t n) {
    void* p = std::calloc(n, sizeof(T));
    if (!p) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T* p, size_t) noexcept { std::free(p); }
  template <class U>
  void construct(U*) noexcept {
    static_assert(std::is_trivially_copyable_v<U>);
  }
  template <class U, class... A>
  void construct(U* p, A&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<A>(args)...);
  }
  template <class U>
  bool operator==(const ZeroedAllocator<U>&) const noexcept {
    return true;
  }
};

// A table of the document at its fixed capacity. It keeps the size it is made with: an
// element made later could stand on the bytes of an earlier one, which the allocator does
// not clear, so growing and shrinking are not offered.
template <class T>
class DocTable : public std::vector<T, ZeroedAllocator<T>> {
  using Base = std::vector<T, ZeroedAllocator<T>>;

 public:
  DocTable() = default;
  explicit DocTable(size_t capacity) : Base(capacity) {}
  template <class... A>
  void resize(A&&...) = delete;
  template <class... A>
  void assign(A&&...) = delete;
  template <class... A>
  void push_back(A&&...) = delete;
  template <class... A>
  void emplace_back(A&&...) = delete;
  template <class... A>
  void insert(A&&...) = delete;
  template <class... A>
  void erase(A&&...) = delete;
  void pop_back() = delete;
  void clear() = delete;
};

// What a load took over from the files of an earlier version: how many entries of each
// list, for the notice after loading, and the year tags the older header gave.
struct ConversionCounts {
  std::array<int, 5> people{};  // per status list: active .. temporarily deleted
  int remarks = 0;
  int late_marks = 0;
  int groups = 0;
  bool groups_converted = false;  // an older group table was read (in any load)
  bool totals = false;
  bool meetings = false;
  std::array<uint8_t, 12> year_tags{};
};

// The settings of the settings file and the option commands, held by the document.
struct DocOptions {
  int label_birth_legend = 1;     // "Labels"/"Date of birth"
  int alternate_label = 0;        // "Labels"/"Alternate Label"
  int label_left_margin = 20;     // "Labels"/"Left Margin"
  int show_grid = 0;              // "Reports"/"ShowGrid"
  int missing_report_boxes = 0;   // "Reports"/"Missing Report Boxes"
  int emergency_jw = 1;           // "Reports"/"EmergJw"
  int top_margin = 50;            // "Reports"/"Top Margin"
  int datestamp = 0;              // "Reports"/"Datestamp"
  std::string congregation_name;  // "Reports"/"CongName"
  int autocaps = 1;               // "AutoCap"/"Enabled"
  int no_startup_notice = 0;      // "Nag"/"Enabled"
  int print_group = 0;            // "PrtGrp"/"Enabled"
  int hide_averages = 0;          // "HideAvg"/"Enabled"
  int one_per_page = 0;           // "OnePerPage"/"Enabled"
  int hide_birth = 0;             // "HideBir"/"Enabled"
  // The hide flags of single records: "ID:FLAGS" pairs separated by blanks, FLAGS as
  // hide_averages ("HideAvg"/"Records").
  std::string hide_records;
  int custom_category_enabled = 0;
  std::string custom_category_name;
  std::string secretary_email;  // "Sec"/"Email"
  int sort_first_name = 0;      // sort-order option: first-name order
  bool operator==(const DocOptions&) const = default;
};

// How much of the folder a load reads. kWhole is the document every editor and every save
// works on. kCounts serves a command that only reads and shows counts, working-month facts
// and the groups: the record texts other than the header's stay scrambled as stored, the
// records keep the table's order (the name order is neither checked nor mended), and the
// remarks and the extension, emergency and special-needs files are only counted. A document loaded
// so is never saved (SaveAll and the owner's save refuse it), so a part can never be written.
enum class LoadDepth : uint8_t { kWhole, kCounts };

class CZarimDoc {
 public:
  explicit CZarimDoc(Prompter* prompter = nullptr);
  ~CZarimDoc();
  CZarimDoc(const CZarimDoc&) = delete;
  CZarimDoc& operator=(const CZarimDoc&) = delete;

  // ---- Tables ------------------------------------------------------------------------
  DocTable<PubRecord> records;  // kMaxRecords entries; 0 .. count-1 in use
  uint16_t count = 0;           // includes the header record once loaded

  DocTable<PubIndexEntry> index;  // kMaxIndex entries
  int index_count = 0;
  // The five status lists: active, inactive, non-publisher, moved, deleted.
  std::array<DocTable<PubIndexEntry>, 5> lists;  // each kMaxStatusList entries
  std::array<int, 6> status_count{};             // per PubStatus, set by CountStatus

  DocTable<ExtIndexEntry> ext_index;  // kMaxExtIndex entries
  int ext_count = 0;
  ExtRecord current_ext{};           // the record last read by ReadExt
  DocTable<KeyRef> emergency_index;  // kMaxKeyRefs
  int emergency_count = 0;
  DocTable<KeyRef> special_needs_index;
  int special_needs_count = 0;
  DocTable<HouseholdUndoEntry> household_undo;
  int household_undo_count = 0;
  DocTable<AppointmentRecord> appointments;  // kMaxAppointments
  int appointment_count = 0;

  DocTable<RemarkEntry> remarks;  // kMaxRemarks; entry 0 means "none"
  uint16_t remark_count = 0;
  DocTable<LateReportEntry> late;  // kMaxLateEntries
  uint16_t late_count = 0;
  GroupTable groups{};
  std::array<AttendanceBlock, 2> attendance{};
  uint16_t attendance_blocks = 2;
  BranchTotalsHistory totals{};
  FormatOptions format{};

  // ---- Scalar state -------------------------------------------------------------------
  uint8_t working_month = 0;  // 0 = January
  uint8_t live_working_month = 0;
  int8_t working_year = 0;      // calendar year - 2000
  uint16_t working_serial = 0;  // year * 12 + month
  int today_month = 0, today_day = 0, today_year = 0;
  uint8_t today_short_year = 0;
  uint32_t early_year = 0, early_month = 0;
  uint8_t early_allowed = 1;
  uint8_t history_view = 0;
  uint8_t history_month = 0, history_year = 0;
  uint32_t history_month_mask = 0;  // which past months have a snapshot
  uint32_t modified = 0;
  uint32_t co_record = 0;  // record number of the circuit overseer, 0 = none
  uint16_t switch_serial = kReportFormSwitchSerial;
  uint8_t new_report_form = 0;
  uint8_t special_circumstances_present = 0;
  uint8_t special_servants_present = 0;
  uint8_t converted = 0;             // older data files were converted at load
  uint8_t identifiers_repaired = 0;  // the load gave repeated identifiers new numbers
  ConversionCounts conversion;
  uint8_t erase_late_enabled = 0;
  uint16_t resume_id = 0;  // posting resume identifier
  uint8_t scramble_base;   // base of the text scrambling of the loaded files
  std::string data_folder = ".";
  std::string archive_folder;
  std::string language_code = "eng";
  DocOptions options;

  Prompter* prompter;  // never null

  // The settings file every save writes with the data (set by start-up, which owns it);
  // null when the document has none.
  SettingsFile* settings = nullptr;
  // The folder is open for reading only: loading repairs in memory and writes nothing,
  // and SaveAll refuses.
  bool read_only = false;
  // Set from the start-up options before loading; kCounts only with read_only.
  LoadDepth load_depth = LoadDepth::kWhole;
  // The undo copy of the remark file as written at load: its size and checksum, so that
  // only a whole copy is ever put back. remark_undo_valid is false when none was written.
  bool remark_undo_valid = false;
  uint64_t remark_undo_size = 0;
  uint64_t remark_undo_sum = 0;
  // Files that belong to the next save besides the tables (the backup catalog with the
  // entry of a snapshot that month initialization took): staged and committed with the
  // data, or not at all. Cleared by a save that succeeded.
  std::vector<std::pair<std::string, std::vector<uint8_t>>> pending_files;

  // ---- Operations ---------------------------------------------------------------------
  PubRecord& header() { return records[0]; }
  const PubRecord& header() const { return records[0]; }

  // Folder that file names resolve into: the archive folder in the history view.
  std::string FolderForFiles() const;
  std::string PathOf(std::string_view file_name) const;

  int16_t ActivityValue(int rec, int month, int field, int slot) const;
  PubRecord* FindById(int id);
  const PubRecord* FindById(int id) const;
  int RecordNumberById(int id) const;
  int NextFreeId(int start) const;
  std::string HouseholdName(int head_id) const;
  enum class PhoneKind { kHome, kMobile, kOther };
  std::string Phone(int list_kind, int position, PhoneKind which) const;
  std::string PreferredPhone(int list_kind, int position) const;
  int CountStatus(int status);
  void RebuildIndex();
  // Gives the later of two records with one identifier a free one; true when it did.
  bool RepairIdentifiers();
  void BuildLateList();
  void StoreLateMarkers();

  // Today's date and the working month (the month before today's, or the early start).
  void SetToday(const Date& today);
  void SetWorkingSerial(uint16_t serial);
  // Slot of month m of the working twelve months: months up to the working month are in
  // the working year's slot, later ones in the previous year's.
  int SlotOfMonth(int month) const;

  // Display name of a record ("first last" or "last, first" by the report options),
  // in the record's code page.
  std::string DisplayName(const PubRecord& r) const;
  std::string DisplayName(const PubRecord& r, bool last_first) const;
  // The same for names as typed: trimmed, and one name alone when the other is blank (so
  // a half-typed new publisher is never shown as ",").
  std::string DisplayName(std::string_view first, std::string_view last) const;
  // Key of the sorted publisher order.
  std::string SortName(const PubRecord& r) const;
  // < 0 when a sorts before b in the publisher order (circuit overseer last).
  int ComparePlacing(const PubRecord& a, const PubRecord& b) const;
  // Sorts records 1 .. count-1 (stable, the order an insertion sort gives).
  void SortRecords();
  const NameCollator& collator() const;

  void MarkModified() { modified = 1; }
  // Creates the fresh header record of an empty document.
  void ResetHeader();
  // Clears every table, as for a new document.
  void ClearTables();

 private:
  // Record number of each identifier's first index entry (0 = none), kept with the index.
  std::vector<uint16_t> id_lookup_;
};

// The posting resume identifier is valid only in the working month it was set in.
void StoreResumeId(CZarimDoc& doc);
void RestoreResumeId(CZarimDoc& doc);

bool HasReported(const PubRecord& r, int month, int slot);

}  // namespace zarim
