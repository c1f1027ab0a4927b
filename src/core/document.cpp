// The document's tables and the operations every subsystem shares.
#include "core/document.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <numeric>

#include "core/bytes.h"
#include "core/scramble.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

namespace {
SilentPrompter g_silent;

int Mod2(int v) { return ((v % 2) + 2) % 2; }
}  // namespace

CZarimDoc::CZarimDoc(Prompter* p)
    : records(kMaxRecords),
      index(kMaxIndex),
      ext_index(kMaxExtIndex),
      emergency_index(kMaxKeyRefs),
      special_needs_index(kMaxKeyRefs),
      household_undo(kMaxHouseholdUndo),
      appointments(kMaxAppointments),
      remarks(kMaxRemarks),
      late(kMaxLateEntries),
      scramble_base(kScrambleBase),
      prompter(p ? p : &g_silent) {
  for (auto& l : lists) l = DocTable<PubIndexEntry>(kMaxStatusList);
}

CZarimDoc::~CZarimDoc() = default;

void CZarimDoc::ClearTables() {
  std::fill(records.begin(), records.end(), PubRecord{});
  count = 0;
  std::fill(index.begin(), index.end(), PubIndexEntry{});
  index_count = 0;
  for (auto& l : lists) std::fill(l.begin(), l.end(), PubIndexEntry{});
  status_count.fill(0);
  std::fill(ext_index.begin(), ext_index.end(), ExtIndexEntry{});
  ext_count = 0;
  current_ext = ExtRecord{};
  std::fill(emergency_index.begin(), emergency_index.end(), KeyRef{});
  emergency_count = 0;
  std::fill(special_needs_index.begin(), special_needs_index.end(), KeyRef{});
  special_needs_count = 0;
  std::fill(household_undo.begin(), household_undo.end(), HouseholdUndoEntry{});
  household_undo_count = 0;
  std::fill(appointments.begin(), appointments.end(), AppointmentRecord{});
  appointment_count = 0;
  std::fill(remarks.begin(), remarks.end(), RemarkEntry{});
  remark_count = 0;
  std::fill(late.begin(), late.end(), LateReportEntry{});
  late_count = 0;
  groups = GroupTable{};
  attendance = {};
  attendance_blocks = 2;
  totals = BranchTotalsHistory{};
  co_record = 0;
  resume_id = 0;
}

std::string CZarimDoc::FolderForFiles() const {
  return history_view && !archive_folder.empty() ? archive_folder : data_folder;
}

std::string CZarimDoc::PathOf(std::string_view name) const {
  std::string folder = FolderForFiles();
  if (folder.empty()) folder = ".";
  if (folder.back() != '/') folder += '/';
  return folder + std::string(name);
}

int16_t CZarimDoc::ActivityValue(int rec, int month, int field, int slot) const {
  if (rec < 0 || rec >= kMaxRecords || month < 0 || month > 11 || slot < 0 || slot > 2 ||
      field < 0 || field > 4)
    return 0;
  uint16_t v = records[rec].activity[field][month][slot];
  if (field == kBibleStudies) v &= kStudiesMask;
  return static_cast<int16_t>(v);
}

int CZarimDoc::RecordNumberById(int id) const {
  if (id < kFirstValidId || id > 0xFFFF) return 0;
  // The lookup is built with the index; in the middle of an edit that moved records it
  // may be behind, and the records themselves answer.
  if (!id_lookup_.empty()) {
    const int r = id_lookup_[static_cast<size_t>(id)];
    if (r > 0 && r < count && records[r].id == id) return r;
  }
  for (int r = 1; r < count; ++r)
    if (records[r].id == id) return r;
  return 0;
}

PubRecord* CZarimDoc::FindById(int id) {
  int r = RecordNumberById(id);
  return r > 0 ? &records[r] : nullptr;
}

const PubRecord* CZarimDoc::FindById(int id) const {
  int r = RecordNumberById(id);
  return r > 0 ? &records[r] : nullptr;
}

int CZarimDoc::NextFreeId(int start) const {
  std::vector<bool> used(kIdLimit + 1, false);
  for (int r = 1; r < count; ++r)
    if (records[r].id <= kIdLimit) used[records[r].id] = true;
  int id = std::max(start, 0);
  while (id < kIdLimit && used[id]) ++id;
  return std::min(id, static_cast<int>(kIdLimit));
}

std::string CZarimDoc::DisplayName(const PubRecord& r, bool last_first) const {
  std::string first = FieldText(r.first_name);
  std::string last = FieldText(r.last_name);
  if (!last_first) return first + " " + last;
  if (language_code == "hun") return last + " " + first;
  return last + ", " + first;
}

std::string CZarimDoc::DisplayName(std::string_view first, std::string_view last) const {
  first = Trim(first);
  last = Trim(last);
  if (first.empty() || last.empty()) return std::string(first.empty() ? last : first);
  PubRecord r{};
  SetField(r.first_name, first);
  SetField(r.last_name, last);
  return DisplayName(r);
}

std::string CZarimDoc::DisplayName(const PubRecord& r) const {
  return DisplayName(r, format.last_name_first != 0);
}

std::string CZarimDoc::SortName(const PubRecord& r) const {
  return DisplayName(r, options.sort_first_name == 0);
}

std::string CZarimDoc::HouseholdName(int head_id) const {
  const PubRecord* head = FindById(head_id);
  return head ? DisplayName(*head) : std::string();
}

std::string CZarimDoc::Phone(int list_kind, int position, PhoneKind which) const {
  int rec = position;
  if (list_kind == 1 || list_kind == 2) {
    if (position < 0 || position >= status_count[list_kind] || position >= kMaxStatusList)
      return {};
    rec = lists[list_kind][position].rec;
  }
  if (rec <= 0 || rec >= count) return {};
  const PubRecord& r = records[rec];
  switch (which) {
    case PhoneKind::kHome:
      return FieldText(r.home_phone);
    case PhoneKind::kMobile:
      return FieldText(r.mobile_phone);
    case PhoneKind::kOther:
      return FieldText(r.other_phone);
  }
  return {};
}

std::string CZarimDoc::PreferredPhone(int list_kind, int position) const {
  std::string home = Phone(list_kind, position, PhoneKind::kHome);
  std::string mobile = Phone(list_kind, position, PhoneKind::kMobile);
  return !mobile.empty() && home.empty() ? mobile : home;
}

int CZarimDoc::CountStatus(int status) {
  int n = 0;
  for (int r = 1; r < count; ++r)
    if (records[r].status == status) ++n;
  if (status >= 0 && status < static_cast<int>(status_count.size())) status_count[status] = n;
  return n;
}

void CZarimDoc::RebuildIndex() {
  for (int s = 0; s <= kCircuitOverseer; ++s) CountStatus(s);
  index_count = 0;
  co_record = 0;
  id_lookup_.assign(0x10000, 0);
  for (int r = 1; r < count && index_count < kMaxIndex; ++r) {
    const PubRecord& rec = records[r];
    index[index_count++] = PubIndexEntry{rec.id, static_cast<uint16_t>(r), rec.status};
    if (id_lookup_[rec.id] == 0) id_lookup_[rec.id] = static_cast<uint16_t>(r);
    if (rec.status == kCircuitOverseer) {
      if (co_record != 0) prompter->Tell(Str(Sid::kDuplicateCo));
      co_record = static_cast<uint32_t>(r);
    }
  }
  // The lists are filled in the order inactive, non-publisher, deleted, moved, active.
  for (int status : {kInactive, kNonPublisher, kDeleted, kMoved, kActive}) {
    int limit = std::min(status_count[status], kMaxStatusList);
    int n = 0;
    for (int i = 0; i < index_count && n < limit; ++i)
      if (index[i].status == status) lists[status][n++] = index[i];
    for (int i = n; i < kMaxStatusList; ++i) lists[status][i] = PubIndexEntry{};
  }
}

bool CZarimDoc::RepairIdentifiers() {
  bool repaired = false;
  std::vector<bool> seen(0x10000, false);
  for (int j = 0; j < index_count; ++j) {
    uint16_t id = index[j].id;
    if (j > 0 && seen[id]) {
      int fresh = NextFreeId(std::max<int>(id, 100));
      if (fresh < kIdLimit) {  // with no identifier left the record keeps its own
        records[index[j].rec].id = static_cast<uint16_t>(fresh);
        index[j].id = static_cast<uint16_t>(fresh);
        id_lookup_[static_cast<size_t>(fresh)] = index[j].rec;
        id = static_cast<uint16_t>(fresh);
        repaired = true;
      }
    }
    seen[id] = true;
  }
  return repaired;
}

void CZarimDoc::BuildLateList() {
  late_count = 0;
  int slot = Mod2(working_year);
  int m = working_month;
  const uint8_t mark = static_cast<uint8_t>(working_month + 1);
  // Every month before the working month that a slip can post late, so that the list
  // holds after a restart what it held before.
  for (int step = 0; step < 11 && late_count < kLateRebuildLimit; ++step) {
    if (m == 0) {
      m = 11;
      slot ^= 1;
    } else {
      --m;
    }
    for (int r = 1; r < count && late_count < kLateRebuildLimit; ++r) {
      const PubRecord& rec = records[r];
      if (rec.status == kActive && rec.late[m][slot] == mark)
        late[late_count++] = LateReportEntry{rec.id, static_cast<uint8_t>(m), mark};
    }
  }
}

void CZarimDoc::StoreLateMarkers() {
  const uint8_t mark = static_cast<uint8_t>(working_month + 1);
  for (int r = 1; r < count; ++r)
    for (auto& month : records[r].late)
      for (auto& cell : month)
        if (cell == mark) cell = 0;
  for (int i = 0; i < late_count && i < kMaxLateEntries; ++i) {
    const LateReportEntry& e = late[i];
    PubRecord* rec = FindById(e.id);
    if (!rec || e.month > 11) continue;
    rec->late[e.month][SlotOfMonth(e.month)] = e.posted;
  }
}

int CZarimDoc::SlotOfMonth(int month) const {
  return month > working_month ? Mod2(working_year + 1) : Mod2(working_year);
}

void CZarimDoc::SetWorkingSerial(uint16_t serial) {
  working_serial = serial;
  working_month = static_cast<uint8_t>(serial % 12);
  working_year = static_cast<int8_t>(serial / 12);
  live_working_month = working_month;
  new_report_form = working_serial > switch_serial ? 1 : 0;
}

void CZarimDoc::SetToday(const Date& today) {
  today_month = today.month;
  today_day = today.day;
  today_year = today.year;
  int month = today.month, year = today.year;
  if (early_year != 0 && early_allowed) {
    year = 2000 + static_cast<int>(early_year);
    month = static_cast<int>(early_month);
    today_month = month;
    today_year = year;
  }
  today_short_year = static_cast<uint8_t>(today_year - 2000);
  int serial = (year - 2000) * 12 + month - 2;
  SetWorkingSerial(static_cast<uint16_t>(std::max(serial, 0)));
}

const NameCollator& CZarimDoc::collator() const {
  // Opening a collator costs more than loading a folder, so one per language serves every
  // document of the process; comparing through it changes nothing in it.
  static std::mutex mutex;
  static std::map<std::string, std::unique_ptr<NameCollator>> shared;
  std::lock_guard lock(mutex);
  auto& c = shared[language_code];
  if (!c) c = std::make_unique<NameCollator>(language_code);
  return *c;
}

int CZarimDoc::ComparePlacing(const PubRecord& a, const PubRecord& b) const {
  if (a.status == kCircuitOverseer) return 1;
  if (b.status == kCircuitOverseer) return -1;
  return collator().Compare(SortName(a), SortName(b));
}

void CZarimDoc::SortRecords() {
  if (count < 3) return;
  // A table saved by this program is in order already: one pass of neighbour comparisons
  // tells so, and then nothing moves (the sort below would leave it as it is).
  // The circuit overseer may stand only last; the names before him are compared.
  bool ordered = true;
  std::vector<std::string> names;
  names.reserve(count - 1);
  for (int r = 1; r < count && ordered; ++r) {
    if (records[r].status != kCircuitOverseer)
      names.push_back(SortName(records[r]));
    else
      ordered = r == count - 1;
  }
  if (ordered && collator().InOrder(names)) return;
  // Keys are computed once; the stable sort gives the order of the carry-down insertion
  // sort with the same comparison. The circuit overseer sorts after everyone.
  struct Keyed {
    bool co;
    std::string key;
    int rec;
  };
  std::vector<Keyed> keys;
  keys.reserve(count - 1);
  for (int r = 1; r < count; ++r)
    keys.push_back(
        {records[r].status == kCircuitOverseer, collator().SortKey(SortName(records[r])), r});
  std::stable_sort(keys.begin(), keys.end(), [](const Keyed& a, const Keyed& b) {
    if (a.co != b.co) return b.co;
    return a.key < b.key;
  });
  std::vector<PubRecord> sorted;
  sorted.reserve(keys.size());
  for (const auto& k : keys) sorted.push_back(records[k.rec]);
  std::copy(sorted.begin(), sorted.end(), records.begin() + 1);
}

void CZarimDoc::ResetHeader() {
  records[0] = PubRecord{};
  SetField(records[0].first_name, " ");
  SetField(records[0].last_name, "A");
  if (count == 0) count = 1;
}

void StoreResumeId(CZarimDoc& doc) {
  PubRecord& h = doc.header();
  h.status_stamp = doc.resume_id;
  uint16_t flags = h.service_flags;
  h.service_flags = static_cast<uint16_t>((flags & 0xFFF0) | ((doc.working_month + 1) & 0x0F));
}

void RestoreResumeId(CZarimDoc& doc) {
  const PubRecord& h = doc.header();
  doc.resume_id =
      (h.service_flags & 0x0F) == doc.working_month + 1 ? static_cast<uint16_t>(h.status_stamp) : 0;
}

bool HasReported(const PubRecord& r, int month, int slot) {
  for (int f = 0; f < 5; ++f)
    if (r.activity[f][month][slot] != 0) return true;
  return false;
}

}  // namespace zarim
