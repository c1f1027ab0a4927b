// The delimited exports: a line writer that puts the separator after every cell, the
// seven files, and writing them into the exports folder.
#include "exchange/exports.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <vector>

#include "core/desktop_ports.h"
#include "core/file_io.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/branch_totals.h"
#include "cycle/congregation_view.h"
#include "exchange/exports_folder.h"
#include "records/extension.h"
#include "records/keyed_store.h"

namespace zarim {

namespace {

constexpr const char* kLineEnd = "\r\n";

// One file's lines. Cells are record bytes; captions come from the string table and are
// converted to the records' code page.
class LineWriter {
 public:
  LineWriter(char separator, std::string_view language) : sep_(separator), language_(language) {}

  // A cell written as it stands, or quoted when it holds the separator, a quote or a
  // line break (which would otherwise move every later cell of the line).
  void Cell(std::string_view value) {
    if (value.find_first_of(std::string{sep_, '"', '\r', '\n'}) != std::string_view::npos) {
      Quoted(value);
    } else {
      out_ += value;
      out_ += sep_;
    }
  }
  void Cell(int value) { Cell(std::to_string(value)); }
  // A cell that the format always writes in double quotes; a quote inside is doubled.
  void Quoted(std::string_view value) {
    out_ += '"';
    for (char c : value) {
      if (c == '"') out_ += '"';
      out_ += c;
    }
    out_ += '"';
    out_ += sep_;
  }
  // The last cell of a line that has no separator after it.
  void LastQuoted(std::string_view value) {
    Quoted(value);
    out_.pop_back();
  }
  void EndLine() { out_ += kLineEnd; }

  // Form A: every caption followed by a blank and the separator.
  void HeaderA(std::initializer_list<Sid> captions, std::string_view prefix = {}) {
    for (Sid id : captions) {
      out_ += Caption(id, prefix);
      out_ += ' ';
      out_ += sep_;
    }
  }
  // Form B: captions joined by the separator, none after the last.
  void HeaderB(std::initializer_list<Sid> captions) {
    bool first = true;
    for (Sid id : captions) {
      if (!first) out_ += sep_;
      out_ += Caption(id);
      first = false;
    }
    EndLine();
  }
  std::string Caption(Sid id, std::string_view prefix = {}) const {
    return std::string(prefix) + FromUtf8(Str(id), language_);
  }
  std::string& out() { return out_; }

 private:
  char sep_;
  std::string language_;
  std::string out_;
};

std::string RemarkText(const CZarimDoc& doc, const PubRecord& r, int month, int slot) {
  uint16_t index = r.remark[month][slot];
  if (index == 0 || index >= doc.remark_count) return {};
  return FieldText(doc.remarks[index].text);
}

int Pioneer(const PubRecord& r, int month, int slot) { return r.pioneer[month][slot] & 3; }

bool SharedInMinistry(const PubRecord& r, int month, int slot) {
  uint16_t studies = r.activity[kBibleStudies][month][slot];
  return (studies & (kSharedBit | kQuarterMask)) != 0 || r.activity[kHours][month][slot] != 0;
}

// The active publishers in the sorted order.
std::vector<const PubRecord*> ActivePublishers(const CZarimDoc& doc) {
  std::vector<const PubRecord*> out;
  for (int i = 0; i < doc.index_count; ++i) {
    int rec = doc.index[i].rec;
    if (rec > 0 && rec < doc.count && doc.records[rec].status == kActive)
      out.push_back(&doc.records[rec]);
  }
  return out;
}

std::string ListedName(CZarimDoc& doc, const PubRecord& r) {
  if (r.ext_key != 0) {
    ExtensionData ext = LoadExtension(doc, r);
    if (!Trim(ext.long_name).empty()) return ext.long_name;
  }
  return doc.DisplayName(r);
}

// "%s %s %s": month abbreviation, day and year (day first with the alternate date
// format); empty when the stored date lacks a part.
std::string CardDate(const CZarimDoc& doc, const char (&stored)[9]) {
  std::string s = FieldText(stored);
  if (s.size() < 8) return {};
  auto digits = [&](size_t from, size_t n) {
    for (size_t i = from; i < from + n; ++i)
      if (s[i] < '0' || s[i] > '9') return false;
    return true;
  };
  if (!digits(0, 2) || !digits(2, 2) || !digits(4, 4)) return {};
  int month = std::stoi(s.substr(0, 2));
  if (month < 1 || month > 12 || s.substr(2, 2) == "00") return {};
  std::string abbreviation = FromUtf8(ShortMonthName(month - 1), doc.language_code);
  std::string day = s.substr(2, 2);
  std::string year = s.substr(4, 4);
  if (doc.format.alternate_date) return day + " " + abbreviation + " " + year;
  return abbreviation + " " + day + " " + year;
}

// The 24 months ending with the working month, oldest first.
std::vector<MonthCursor> TwoYears(const CZarimDoc& doc) {
  std::vector<MonthCursor> months;
  MonthCursor c = CursorAt(doc.working_serial);
  for (int k = 0; k < 24; ++k, c.Back()) months.insert(months.begin(), c);
  return months;
}

std::string MonthLabel(const MonthCursor& c) {
  return fmt::sprintf("%d-%.2d", 2000 + c.year, c.month + 1);
}

std::string MonthlyReport(CZarimDoc& doc, const ExportOptions& o) {
  LineWriter w(o.tab ? '\t' : ',', doc.language_code);
  if (o.header) {
    w.HeaderA({Sid::kExportCapName, Sid::kExportCapGroup, Sid::kExportCapPios,
               Sid::kExportCapShared, Sid::kExportCapBiSt, Sid::kExportCapAuxP,
               Sid::kExportCapHours, Sid::kExportCapRemarks, Sid::kExportCapMonth,
               Sid::kExportCapYear, Sid::kExportCapId});
    w.EndLine();
  }
  // The month's slot and year come from the working month: without a valid one the file
  // has its header only.
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  if (!now) return std::move(w.out());
  const int m = std::clamp(o.month, 0, 11);
  const int slot = doc.SlotOfMonth(m);
  const int year = 2000 + now->year - (m > now->month ? 1 : 0);
  const std::string month_cell =
      fmt::sprintf("%.2d (%s)", m + 1, FromUtf8(ShortMonthName(m), doc.language_code));
  for (const PubRecord* r : ActivePublishers(doc)) {
    w.Quoted(doc.DisplayName(*r));
    w.Cell(r->group);
    w.Cell(Pioneer(*r, m, slot));
    w.Cell(SharedInMinistry(*r, m, slot) ? 1 : 0);
    w.Cell(r->activity[kBibleStudies][m][slot] & kStudiesMask);
    w.Cell(Pioneer(*r, m, slot) == kAuxiliary ? 1 : 0);
    w.Cell(static_cast<int>(r->activity[kHours][m][slot]));
    w.Quoted(RemarkText(doc, *r, m, slot));
    w.Quoted(month_cell);
    w.Cell(year);
    w.Cell(static_cast<int>(r->id));
    w.EndLine();
  }
  return std::move(w.out());
}

std::string Summary(const CZarimDoc& doc) {
  LineWriter w(',', doc.language_code);
  w.HeaderB({Sid::kExportCapPrivilege, Sid::kExportCapMonth, Sid::kExportCapReports,
             Sid::kExportCapPlacements, Sid::kExportCapVideos, Sid::kExportCapHours,
             Sid::kExportCapReturnVisits, Sid::kExportCapBibleStudies, Sid::kExportCapTotalActive});
  const std::vector<MonthCursor> months = TwoYears(doc);
  struct Group {
    Sid caption;
    int first_row, last_row;
  };
  // Regular and special pioneers share the third group.
  const Group groups[] = {{Sid::kExportRowPublishers, 0, 0},
                          {Sid::kExportRowAuxiliary, 1, 1},
                          {Sid::kExportRowPioneers, 2, 3}};
  for (const Group& g : groups) {
    for (const MonthCursor& c : months) {
      WorkingTotals t = StoredTotals(doc, c.month, c.slot);
      auto sum = [&](int field) {
        int v = 0;
        for (int row = g.first_row; row <= g.last_row; ++row) v += t.row[row][field];
        return v;
      };
      int quarters = sum(kTotalsQuarterField);
      w.Quoted(w.Caption(g.caption));
      w.Quoted(MonthLabel(c));
      w.Quoted(std::to_string(sum(kTotalsReportsField)));
      w.Quoted(std::to_string(sum(kPlacements)));
      w.Quoted(std::to_string(sum(kVideos)));
      w.Quoted(std::to_string(sum(kHours) + quarters / 4));
      w.Quoted(std::to_string(sum(kReturnVisits)));
      w.Quoted(std::to_string(sum(kBibleStudies)));
      int active = t.row[0][kTotalsActiveField];
      w.LastQuoted(active ? std::to_string(active) : std::string());
      w.EndLine();
    }
  }
  return std::move(w.out());
}

std::string Attendance(const CZarimDoc& doc) {
  LineWriter w(',', doc.language_code);
  w.HeaderB({Sid::kExportCapMeeting, Sid::kExportCapMonth, Sid::kExportCapNum, Sid::kExportCapTot,
             Sid::kExportCapAvg, Sid::kExportCapActivePublishers});
  const std::vector<MonthCursor> months = TwoYears(doc);
  const Sid meetings[] = {Sid::kExportRowMidweek, Sid::kExportRowWeekend};
  for (int b = 0; b < 2; ++b) {
    const AttendanceBlock& block = doc.attendance[static_cast<size_t>(b)];
    for (const MonthCursor& c : months) {
      int active = StoredTotals(doc, c.month, c.slot).row[0][kTotalsActiveField];
      w.Quoted(w.Caption(meetings[b]));
      w.Quoted(MonthLabel(c));
      w.Quoted(std::to_string(block.meetings[c.month][c.slot]));
      w.Quoted(std::to_string(block.total[c.month][c.slot]));
      w.Quoted(fmt::sprintf("%4d", static_cast<int>(block.average[c.month][c.slot])));
      w.LastQuoted(active ? std::to_string(active) : std::string());
      w.EndLine();
    }
  }
  return std::move(w.out());
}

std::string Contacts(CZarimDoc& doc) {
  LineWriter w('\t', doc.language_code);
  w.HeaderA({Sid::kExportCapName, Sid::kExportCapAddress, Sid::kExportCapTelephone,
             Sid::kExportCapMobile, Sid::kExportCapPhone3, Sid::kExportCapEmail,
             Sid::kExportCapOtherContact, Sid::kExportCapGroup});
  w.EndLine();
  for (const PubRecord* r : ActivePublishers(doc)) {
    ExtensionData ext = r->ext_key ? LoadExtension(doc, *r) : ExtensionData{};
    w.Cell(!Trim(ext.long_name).empty() ? ext.long_name : doc.DisplayName(*r));
    w.Cell(FieldText(r->address));
    w.Cell(FieldText(r->home_phone));
    w.Cell(FieldText(r->mobile_phone));
    w.Cell(FieldText(r->other_phone));
    w.Cell(ext.email);
    w.Cell(ext.other);
    w.Cell(r->group);
    w.EndLine();
  }
  return std::move(w.out());
}

std::string Emergency(CZarimDoc& doc) {
  LineWriter w('\t', doc.language_code);
  w.HeaderA({Sid::kExportCapName, Sid::kExportCapAddress, Sid::kExportCapTelephone,
             Sid::kExportCapMobile, Sid::kExportCapPhone3, Sid::kExportCapEmail,
             Sid::kExportCapFamily, Sid::kExportCapThirdParty});
  w.HeaderA({Sid::kExportCapTelephone, Sid::kExportCapMobile, Sid::kExportCapPhone3}, "3");
  w.HeaderA({Sid::kExportCapSpecialNeeds, Sid::kExportCapGroup});
  w.EndLine();
  std::map<uint16_t, EmergencyRecord> contacts;
  for (const EmergencyRecord& e : AllEmergencyContacts(doc)) contacts.emplace(e.key, e);
  std::map<uint16_t, std::string> needs;
  for (const SpecialNeedsRecord& s : AllSpecialNeeds(doc)) needs.emplace(s.key, FieldText(s.text));
  std::map<uint16_t, int> members;  // household head -> number of members
  for (int i = 1; i < doc.count; ++i) {
    const PubRecord& r = doc.records[i];
    if (r.household_head >= kFirstValidId && r.household_head != r.id) ++members[r.household_head];
  }
  for (int i = 0; i < doc.index_count; ++i) {
    int rec = doc.index[i].rec;
    if (rec <= 0 || rec >= doc.count) continue;
    const PubRecord& r = doc.records[rec];
    const bool head = (r.flags & kFamilyHead) != 0;
    if (r.status >= kMoved || (r.status != kActive && !head)) continue;
    if (!head && r.household_head != 0 && r.emergency_key == 0 && members[r.household_head] == 0)
      continue;
    std::string name;
    if (r.status == kActive) {
      name = ListedName(doc, r);
    } else {
      Sid mark = r.status == kInactive ? Sid::kExportInactiveMark : Sid::kExportStudentMark;
      name = doc.DisplayName(r) + " ( " + w.Caption(mark) + " )";
    }
    ExtensionData ext = r.ext_key ? LoadExtension(doc, r) : ExtensionData{};
    std::string family;
    if (head) {
      for (int j = 0; j < doc.index_count; ++j) {
        int mrec = doc.index[j].rec;
        if (mrec <= 0 || mrec >= doc.count || mrec == rec) continue;
        const PubRecord& m = doc.records[mrec];
        if (m.household_head != r.id) continue;
        if (!family.empty()) family += ", ";
        family += doc.DisplayName(m);
      }
    }
    w.Cell(name);
    w.Cell(FieldText(r.address));
    w.Cell(FieldText(r.home_phone));
    w.Cell(FieldText(r.mobile_phone));
    w.Cell(FieldText(r.other_phone));
    w.Cell(ext.email);
    w.Cell(family);
    auto contact = contacts.find(r.emergency_key);
    if (r.emergency_key != 0 && contact != contacts.end()) {
      w.Cell(FieldText(contact->second.name));
      w.Cell(FieldText(contact->second.home_phone));
      w.Cell(FieldText(contact->second.mobile_phone));
      w.Cell(FieldText(contact->second.work_phone));
    } else {
      for (int k = 0; k < 4; ++k) w.Cell("");
    }
    auto need = needs.find(r.special_needs_key);
    w.Cell(r.special_needs_key != 0 && need != needs.end() ? need->second : std::string());
    w.Cell(r.group);
    w.EndLine();
  }
  return std::move(w.out());
}

std::string CardHeaders(CZarimDoc& doc) {
  LineWriter w('\t', doc.language_code);
  w.HeaderA({Sid::kExportCapName, Sid::kExportCapAddress, Sid::kExportCapTelephone,
             Sid::kExportCapMobile, Sid::kExportCapBirth, Sid::kExportCapBaptism,
             Sid::kExportCapAnointed, Sid::kExportCapElder, Sid::kExportCapServant,
             Sid::kExportCapRegular, Sid::kExportCapMale});
  w.EndLine();
  const std::string yes = w.Caption(Sid::kExportMarkYes);
  const CongregationView view(doc);
  auto mark = [&](bool on) { w.Cell(on ? yes : std::string()); };
  for (const PubRecord* r : ActivePublishers(doc)) {
    w.Cell(ListedName(doc, *r));
    w.Cell(FieldText(r->address));
    w.Cell(FieldText(r->home_phone));
    w.Cell(FieldText(r->mobile_phone));
    w.Cell(CardDate(doc, r->birth_date));
    w.Cell(CardDate(doc, r->baptism_date));
    const int privilege = r->flags & kPrivilegeMask;
    mark(r->hope == 'A');
    mark(privilege == kElder);
    mark(privilege == kServant);
    mark(view.PioneerCodeNow(*r) == kRegular);  // none without a valid working month
    mark((r->flags & kMale) != 0);
    w.EndLine();
  }
  return std::move(w.out());
}

std::string CollectionList(const CZarimDoc& doc, int group) {
  LineWriter w(',', doc.language_code);
  w.HeaderA({Sid::kExportCapFirstName, Sid::kExportCapLastName, Sid::kExportCapShared,
             Sid::kExportCapBibleStudies, Sid::kExportCapHours, Sid::kExportCapRemarks});
  w.EndLine();
  // The working month's figures: without a valid working month the list has its header
  // only.
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  if (!now) return std::move(w.out());
  const int m = now->month;
  const int slot = now->slot;
  for (const PubRecord* r : ActivePublishers(doc)) {
    if (r->group != group) continue;
    const int studies = r->activity[kBibleStudies][m][slot] & kStudiesMask;
    const int hours = r->activity[kHours][m][slot];
    std::string remark = RemarkText(doc, *r, m, slot);
    if (remark.empty() && Pioneer(*r, m, slot) == kAuxiliary)
      remark = w.Caption(Sid::kExportCapAuxP);
    w.Cell(FieldText(r->first_name));
    w.Cell(FieldText(r->last_name));
    w.Cell((r->activity[kBibleStudies][m][slot] & kSharedBit) ? "1" : "");
    w.Cell(studies ? std::to_string(studies) : std::string());
    w.Cell(hours ? std::to_string(hours) : std::string());
    w.Cell(remark);
    w.EndLine();
  }
  return std::move(w.out());
}

}  // namespace

std::string ExportFileName(ExportKind kind, const ExportOptions& o) {
  switch (kind) {
    case ExportKind::kMonthly:
      return MonthName(std::clamp(o.month, 0, 11)) + (o.tab ? ".rpt" : ".csv");
    case ExportKind::kSummary:
      return std::string(Str(Sid::kExportSummaryFile)) + ".csv";
    case ExportKind::kAttendance:
      return std::string(Str(Sid::kExportAttendanceFile)) + ".csv";
    case ExportKind::kContacts:
      return "contact.tsv";
    case ExportKind::kEmergency:
      return "3rdparty.tsv";
    case ExportKind::kCardHeaders:
      return "cardhdr.tsv";
    case ExportKind::kCollectionList:
      return fmt::sprintf("%s-%d.csv", Str(Sid::kExportGroupFile), o.group);
  }
  return {};
}

std::string ExportBytes(CZarimDoc& doc, ExportKind kind, const ExportOptions& o) {
  switch (kind) {
    case ExportKind::kMonthly:
      return MonthlyReport(doc, o);
    case ExportKind::kSummary:
      return Summary(doc);
    case ExportKind::kAttendance:
      return Attendance(doc);
    case ExportKind::kContacts:
      return Contacts(doc);
    case ExportKind::kEmergency:
      return Emergency(doc);
    case ExportKind::kCardHeaders:
      return CardHeaders(doc);
    case ExportKind::kCollectionList:
      return CollectionList(doc, o.group);
  }
  return {};
}

std::string WriteExport(CZarimDoc& doc, ExportKind kind, const ExportOptions& o) {
  const std::string name = ExportFileName(kind, o);
  int error = 0;
  const std::string folder = EnsureExportsFolder(doc.data_folder, &error);
  const std::string path = ExportPath(doc.data_folder, name);
  // Every export names the file or folder it could not write and what the system said;
  // a link or a file standing in the exports folder's place is named as such.
  if (folder.empty()) {
    const std::string exports = ExportsFolderPath(doc.data_folder);
    struct stat st {};
    doc.prompter->Tell(::lstat(exports.c_str(), &st) == 0 && S_ISLNK(st.st_mode)
                           ? Fill(Sid::kFolderIsLink, exports)
                           : Fill(Sid::kExportFolderNotMade, exports, std::strerror(error)));
    return {};
  }
  const std::string bytes = ExportBytes(doc, kind, o);
  errno = 0;
  if (!WriteFileAtomic(path, bytes.data(), bytes.size())) {
    error = errno != 0 ? errno : EIO;
    doc.prompter->Tell(Fill(Sid::kExportNotWritten, path, std::strerror(error)));
    return {};
  }
  return path;
}

void OfferExportsFolder(CZarimDoc& doc, DesktopShell& shell, ExportKind kind,
                        const std::string& path) {
  const bool full_path = kind == ExportKind::kMonthly || kind == ExportKind::kSummary ||
                         kind == ExportKind::kAttendance;
  std::string shown = path;
  if (!full_path) {
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos) shown = path.substr(slash + 1);
  }
  if (doc.prompter->Ask(Fill(Sid::kExportedShowInFolder, shown), Buttons::kYesNo, Answer::kYes) ==
      Answer::kYes) {
    OpenFolderOrSay(shell, *doc.prompter, ExportsFolderPath(doc.data_folder));
  }
}

int TidyExportsFolder(const std::string& data_folder) {
  const std::string folder = ExportsFolderPath(data_folder);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  std::vector<std::string> leftovers;
  while (dirent* e = ::readdir(dir)) {
    std::string_view name(e->d_name);
    if (name.size() > kTempSuffix.size() && name.ends_with(kTempSuffix))
      leftovers.emplace_back(name);
  }
  ::closedir(dir);
  int removed = 0;
  for (const std::string& name : leftovers)
    if (RemoveFile(JoinPath(folder, name))) ++removed;
  return removed;
}

}  // namespace zarim
