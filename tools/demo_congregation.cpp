// Builds the demo congregation: households in field service groups, elders and servants,
// pioneers, inactive, moved, deleted and Bible students, a circuit overseer, and two years
// of reports, remarks, late reports, attendance, totals and the side files.
#include "demo_congregation.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

#include "core/data_files.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/month.h"
#include "core/password_form.h"
#include "core/scramble.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/attendance.h"
#include "cycle/branch_check.h"
#include "cycle/branch_totals.h"
#include "cycle/collection.h"
#include "cycle/congregation.h"
#include "cycle/late_reports.h"
#include "cycle/posting_decision_form.h"
#include "cycle/roll.h"
#include "cycle/slip_form.h"
#include "cycle/status_moves.h"

namespace zarim::demo {

namespace {

// Months before the working month whose snapshot the demo folder holds.
constexpr int kDemoSnapshots = 6;
// Months of reports the demo holds, the working month the last of them.
constexpr int kHistoryMonths = 24;

// Confirms every question, as the secretary who turns the month does.
class ConfirmingPrompter : public Prompter {
 public:
  Answer Ask(std::string_view, Buttons, Answer) override { return Answer::kOk; }
};

// splitmix64: the same numbers on every machine for the same seed.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Range(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
  }
  bool Chance(int percent) { return Range(1, 100) <= percent; }
  template <typename T>
  const T& Pick(const std::vector<T>& v) {
    return v[Next() % v.size()];
  }

 private:
  uint64_t state_;
};

// Names in windows-1252; a few carry accents, one the byte 0xCC.
const std::vector<std::string> kMaleNames = {
    "James",     "John",     "Robert",  "Michael", "David",   "William",  "Richard",   "Joseph",
    "Thomas",    "Charles",  "Daniel",  "Matthew", "Anthony", "Mark",     "Paul",      "Steven",
    "Andrew",    "Joshua",   "Kevin",   "Brian",   "Jos\xE9", "Andr\xE9", "\xCCsidro", "Ren\xE9",
    "J\xFCrgen", "Bj\xF6rn", "Timothy", "Peter",   "Samuel",  "Aaron"};
const std::vector<std::string> kFemaleNames = {"Mary",
                                               "Patricia",
                                               "Jennifer",
                                               "Linda",
                                               "Elizabeth",
                                               "Barbara",
                                               "Susan",
                                               "Jessica",
                                               "Sarah",
                                               "Karen",
                                               "Nancy",
                                               "Lisa",
                                               "Margaret",
                                               "Sandra",
                                               "Ashley",
                                               "Emily",
                                               "Donna",
                                               "Michelle",
                                               "Carol",
                                               "Amanda",
                                               "Ren\xE9"
                                               "e",
                                               "Zo\xEB",
                                               "Ana\xEFs",
                                               "Ch\xE9rie",
                                               "Ruth",
                                               "Esther",
                                               "Lydia",
                                               "Priscilla",
                                               "Dorcas",
                                               "Naomi"};
const std::vector<std::string> kLastNames = {"Smith",
                                             "Johnson",
                                             "Williams",
                                             "Brown",
                                             "Jones",
                                             "Garcia",
                                             "Miller",
                                             "Davis",
                                             "Rodr\xEDguez",
                                             "Mart\xEDnez",
                                             "Hern\xE1ndez",
                                             "Lopez",
                                             "Gonzalez",
                                             "Wilson",
                                             "Anderson",
                                             "Thomas",
                                             "Taylor",
                                             "Moore",
                                             "Jackson",
                                             "Martin",
                                             "Lee",
                                             "P\xE9rez",
                                             "Thompson",
                                             "White",
                                             "Harris",
                                             "Sanchez",
                                             "Clark",
                                             "Ram\xEDrez",
                                             "Lewis",
                                             "Robinson",
                                             "Walker",
                                             "Young",
                                             "Allen",
                                             "King",
                                             "Wright",
                                             "Scott",
                                             "Torres",
                                             "Nguyen",
                                             "Hill",
                                             "Flores",
                                             "M\xFCller",
                                             "O'Brien",
                                             "\xCC"
                                             "barra",
                                             "Ng",
                                             "Adams",
                                             "Baker",
                                             "Nelson",
                                             "Carter",
                                             "Mitchell",
                                             "Roberts"};
const std::vector<std::string> kStreets = {
    "Oak Street",     "Maple Avenue", "Cedar Lane",       "Pine Road",     "Elm Court",
    "Hillside Drive", "River Road",   "Lakeview Terrace", "Church Street", "Mill Lane"};
const std::vector<std::string> kRemarks = {"Sick for two weeks",
                                           "Reported late",
                                           "Credit 5 hours",
                                           "Away visiting family",
                                           "Helped at the assembly hall",
                                           "Hospital stay",
                                           "Slip found in the box",
                                           "Travelled abroad",
                                           "Credit 10 hours",
                                           "Started a new study"};

// The names and streets of a congregation, in the code page of its language.
struct NameSet {
  std::vector<std::string> male, female, last, streets;
};

// A congregation kept in windows-1251 has Russian names (surnames that do not change
// with the person's sex); every other one the Western names above.
const NameSet& NamesFor(const std::string& language_code) {
  static const NameSet western{kMaleNames, kFemaleNames, kLastNames, kStreets};
  if (CodePageForLanguage(language_code) != "windows-1251") return western;
  static const NameSet russian = [&language_code] {
    auto local = [&](std::vector<std::string> utf8) {
      for (std::string& text : utf8) text = FromUtf8(text, language_code);
      return utf8;
    };
    return NameSet{
        local({"Александр", "Алексей",  "Андрей",   "Борис",   "Вадим",   "Виктор",
               "Владимир",  "Геннадий", "Григорий", "Дмитрий", "Евгений", "Иван",
               "Игорь",     "Илья",     "Кирилл",   "Михаил",  "Николай", "Олег",
               "Павел",     "Пётр",     "Роман",    "Сергей",  "Степан",  "Юрий"}),
        local({"Анна",  "Валентина", "Вера",    "Галина", "Дарья",   "Екатерина", "Елена",   "Зоя",
               "Ирина", "Лариса",    "Людмила", "Марина", "Мария",   "Надежда",   "Наталья", "Нина",
               "Ольга", "Светлана",  "Софья",   "Тамара", "Татьяна", "Юлия"}),
        local({"Бондаренко", "Гончаренко", "Гордиенко", "Данилюк",  "Зинченко", "Ильченко",
               "Коваленко",  "Ковальчук",  "Кравченко", "Левченко", "Лысенко",  "Марченко",
               "Мельник",    "Мороз",      "Назаренко", "Олейник",  "Остапчук", "Петренко",
               "Руденко",    "Савченко",   "Седых",     "Ткаченко", "Черных",   "Шевченко"}),
        local({"улица Мира", "Садовая улица", "Лесная улица", "Школьная улица", "улица Гагарина",
               "Речная улица", "Полевая улица", "Набережная улица"})};
  }();
  return russian;
}

std::string Date8(int month, int day, int year) { return Printf("%02d%02d%04d", month, day, year); }

std::string Phone(Rng& rng) {
  return Printf("555-%03d-%04d", rng.Range(100, 999), rng.Range(0, 9999));
}

struct Person {
  int rec;
  bool male;
};

class Builder {
 public:
  Builder(CZarimDoc& doc, const DemoOptions& o)
      : doc_(doc), opt_(o), rng_(o.seed), names_(NamesFor(o.language_code)) {}

  void Build() {
    doc_.ClearTables();
    doc_.ResetHeader();
    doc_.language_code = opt_.language_code;
    // Loading marks every record's circumstances as set, the header's too.
    doc_.header().special_circumstances = kCircumstancesSet;
    doc_.SetToday(opt_.today);
    doc_.count = 1;
    MakeGroups();
    MakePeople();
    doc_.RebuildIndex();
    MakeGroupTexts();
    MakeReports();
    MakeLateReports();
    MakeRemarks();
    MakeAttendance();
    MakeAppointments();
    doc_.SortRecords();
    doc_.RebuildIndex();
    // The open month's stored totals are the program's own: the working month's slips and
    // the late reports posted in it, over the active list.
    RecomputeTotals(doc_);
    doc_.MarkModified();
  }

  // Side files the save does not write: extension records, emergency contacts, needs.
  bool WriteSideFiles(std::string* error) {
    int ext = opt_.full ? 600 : 25;
    // A writable load keeps the first 1000 emergency contacts.
    int emerg = opt_.full ? 1000 : 20;
    int needs = opt_.full ? 1300 : 8;
    std::vector<int> recs;
    for (int r = 1; r < doc_.count; ++r)
      if (doc_.records[r].status != kCircuitOverseer) recs.push_back(r);

    Bytes ext_file(sizeof(ExtRecord), 0);
    for (int i = 0; i < ext && i < static_cast<int>(recs.size()); ++i) {
      PubRecord& p = doc_.records[recs[i]];
      ExtRecord e{};
      e.key = static_cast<uint16_t>(i + 1);
      SetField(e.long_name, FieldText(p.first_name) + " " + FieldText(p.last_name) + " Sr.");
      SetField(e.email, Lower(FieldText(p.first_name)) + "." + Lower(FieldText(p.last_name)) +
                            "@example.org");
      if (i % 3 == 0) SetField(e.other, "Prefers calls after 6 pm");
      ScrambleExt(e, Direction::kScramble, kScrambleBase);
      p.ext_key = e.key;
      Append(ext_file, e);
    }
    Bytes emerg_file;
    for (int i = 0; i < emerg; ++i) {
      EmergencyRecord e{};
      e.key = static_cast<uint16_t>(100 + i);
      SetField(e.name, Printf("Contact %s %d", names_.last[i % names_.last.size()].c_str(), i));
      SetField(e.info, i % 2 ? "Neighbour" : "Relative");
      SetField(e.home_phone, Phone(rng_));
      SetField(e.mobile_phone, Phone(rng_));
      e.jw = i % 3 == 0;
      // Most contacts belong to one publisher; every tenth is shared by two.
      size_t a = static_cast<size_t>(i) % recs.size();
      doc_.records[recs[a]].emergency_key = e.key;
      if (!opt_.full && i % 10 == 0)
        doc_.records[recs[(a + 7) % recs.size()]].emergency_key = e.key;
      Append(emerg_file, e);
    }
    Bytes needs_file;
    for (int i = 0; i < needs; ++i) {
      SpecialNeedsRecord n{};
      n.key = static_cast<uint16_t>(200 + i);
      SetField(n.text, i % 2 ? "Needs a ride to the meetings" : "Wheelchair access");
      size_t a = (static_cast<size_t>(i) * 3 + 1) % recs.size();
      doc_.records[recs[a]].special_needs_key = n.key;
      Append(needs_file, n);
    }
    std::string folder = doc_.data_folder;
    if (!WriteFileAtomic(JoinPath(folder, kFileExtension), ext_file.data(), ext_file.size()) ||
        !WriteFileAtomic(JoinPath(folder, kFileEmergency), emerg_file.data(), emerg_file.size()) ||
        !WriteFileAtomic(JoinPath(folder, kFileSpecialNeeds), needs_file.data(),
                         needs_file.size())) {
      *error = "cannot write the side files in " + folder;
      return false;
    }
    return true;
  }

 private:
  template <typename T>
  static void Append(Bytes& b, const T& rec) {
    const auto* p = reinterpret_cast<const uint8_t*>(&rec);
    b.insert(b.end(), p, p + sizeof rec);
  }
  static std::string Lower(std::string s) {
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\''; }),
            s.end());
    return s;
  }

  int NextId() { return next_id_++; }

  // Two people of one congregation never share a full name (the editing refuses it), so
  // a name already given is replaced by the next free first name of the same list, and
  // only when the list is used up for that family name by the next family name.
  std::pair<std::string, std::string> FreeName(const std::string& first, const std::string& last,
                                               bool male) {
    const std::vector<std::string>& firsts = male ? names_.male : names_.female;
    const size_t f0 =
        static_cast<size_t>(std::find(firsts.begin(), firsts.end(), first) - firsts.begin());
    const size_t l0 = static_cast<size_t>(std::find(names_.last.begin(), names_.last.end(), last) -
                                          names_.last.begin());
    if (!used_names_.count(first + '\t' + last)) return {first, last};
    for (size_t dl = 0; dl < names_.last.size(); ++dl) {
      const std::string& l =
          l0 < names_.last.size() ? names_.last[(l0 + dl) % names_.last.size()] : last;
      for (size_t df = 0; df < firsts.size(); ++df) {
        const std::string& f = firsts[(f0 % firsts.size() + df) % firsts.size()];
        if (!used_names_.count(f + '\t' + l)) return {f, l};
      }
    }
    return {first, last};
  }

  PubRecord& NewRecord(const std::string& first_wanted, const std::string& last_wanted, bool male,
                       uint8_t status) {
    auto [first, last] = FreeName(first_wanted, last_wanted, male);
    used_names_.insert(first + '\t' + last);
    PubRecord& r = doc_.records[doc_.count++];
    r = PubRecord{};
    SetField(r.first_name, first);
    SetField(r.last_name, last);
    r.id = static_cast<uint16_t>(NextId());
    r.status = status;
    r.hope = rng_.Chance(3) ? 'A' : 'O';
    r.flags = male ? kMale : kFemale;
    r.special_circumstances = kCircumstancesSet;
    int birth_year = opt_.today.year - rng_.Range(8, 85);
    SetField(r.birth_date, Date8(rng_.Range(1, 12), rng_.Range(1, 28), birth_year));
    if (status != kNonPublisher && rng_.Chance(85))
      SetField(r.baptism_date, Date8(rng_.Range(1, 12), rng_.Range(1, 28),
                                     std::min(opt_.today.year, birth_year + rng_.Range(10, 40))));
    else
      SetField(r.baptism_date, "        ");
    return r;
  }

  void MakeGroups() { doc_.groups.count = static_cast<uint8_t>(opt_.full ? kMaxGroups : 8); }

  void MakePeople() {
    // The full folder fills the active list; with the other lists full too, the records
    // stay within the index.
    const int active_target = opt_.full ? kMaxStatusList : 120;
    const int groups = doc_.groups.count;
    int made = 0;
    // Families: a head with spouse and children, sharing last name, address and phone.
    while (made < active_target) {
      std::string last = rng_.Pick(names_.last);
      std::string address = Printf("%d %s", rng_.Range(1, 999), rng_.Pick(names_.streets).c_str());
      std::string phone = Phone(rng_);
      int group = 1 + (made / 15) % groups;
      int size = std::min(active_target - made, rng_.Range(1, 4));
      int head_id = 0;
      for (int k = 0; k < size; ++k) {
        bool male = k == 0 ? rng_.Chance(75) : (k == 1 ? !male_head_ : rng_.Chance(50));
        if (k == 0) male_head_ = male;
        PubRecord& r =
            NewRecord(rng_.Pick(male ? names_.male : names_.female), last, male, kActive);
        SetField(r.address, address);
        SetField(r.home_phone, phone);
        if (rng_.Chance(60)) SetField(r.mobile_phone, Phone(rng_));
        if (rng_.Chance(10)) SetField(r.other_phone, Phone(rng_));
        r.group = static_cast<int8_t>(group);
        if (k == 0 && size > 1) {
          r.flags |= kFamilyHead;
          head_id = r.id;
        } else if (head_id) {
          r.household_head = static_cast<uint16_t>(head_id);
        }
        if (rng_.Chance(4)) {
          r.consent = 1;
          SetField(r.consent_date, Date8(3, 1, opt_.today.year - 1));
        }
        active_.push_back({doc_.count - 1, male});
        ++made;
      }
    }
    // Privileges among the brothers, pioneers among everyone.
    int elders = opt_.full ? 40 : 8, servants = opt_.full ? 40 : 7;
    for (auto& p : active_) {
      PubRecord& r = doc_.records[p.rec];
      if (!p.male) continue;
      if (elders > 0) {
        r.flags = static_cast<uint8_t>((r.flags & ~kPrivilegeMask) | kElder);
        elders_.push_back(p.rec);
        --elders;
      } else if (servants > 0) {
        r.flags = static_cast<uint8_t>((r.flags & ~kPrivilegeMask) | kServant);
        servants_.push_back(p.rec);
        --servants;
      } else if (FieldText(r.baptism_date) != "        ") {
        r.flags = static_cast<uint8_t>((r.flags & ~kPrivilegeMask) | kBaptizedBrother);
      }
    }
    int regular = opt_.full ? 40 : 10;
    for (size_t i = 3; i < active_.size() && regular > 0; i += 7, --regular)
      regulars_.push_back(active_[i].rec);
    special_ = active_[5].rec;
    continuous_aux_ = active_[9].rec;
    doc_.records[continuous_aux_].flags |= kContinuousAux;
    doc_.records[active_[11].rec].service_flags = kSpecialServant;
    doc_.records[active_[13].rec].flags |= kCustomCategory;
    doc_.records[active_[17].rec].special_circumstances = kCircumstancesSet | kDeaf;

    int inactive = opt_.full ? 299 : 6, moved = opt_.full ? 300 : 4, students = opt_.full ? 300 : 5,
        deleted = opt_.full ? 299 : 2;
    auto others = [&](int n, uint8_t status) {
      for (int i = 0; i < n; ++i) {
        bool male = rng_.Chance(50);
        PubRecord& r = NewRecord(rng_.Pick(male ? names_.male : names_.female),
                                 rng_.Pick(names_.last), male, status);
        SetField(r.address, Printf("%d %s", rng_.Range(1, 999), rng_.Pick(names_.streets).c_str()));
        SetField(r.home_phone, Phone(rng_));
        // The month turns keep a move twelve months, and cut an inactive or deleted list
        // past 280 back to its members of the year: a move is at most eleven months old,
        // and the full lists' events fall in this calendar year where it has room.
        const int this_year_back =
            std::max(2, doc_.working_serial - Serial(opt_.today.year % 100, 0));
        const int oldest = status == kMoved ? 11 : opt_.full ? std::min(20, this_year_back) : 20;
        int months_ago = rng_.Range(2, oldest);
        int serial = doc_.working_serial - months_ago;
        event_serial_.push_back({doc_.count - 1, serial});
        r.status_month = static_cast<uint8_t>((MonthOfSerial(serial) + 1) << 4);
        if (status == kInactive) r.status_year = static_cast<uint8_t>(YearOfSerial(serial));
        if (status == kMoved) {
          r.reserved = kMoveStampMark;  // the month moved out, recorded as a serial
          r.status_stamp = static_cast<uint16_t>(serial);
        }
        if (status == kDeleted)
          r.status_stamp = static_cast<uint16_t>(((2000 + YearOfSerial(serial) - 1950) << 8) |
                                                 (MonthOfSerial(serial) + 1));
        if (status == kMoved || status == kInactive)
          r.group = static_cast<int8_t>(1 + i % doc_.groups.count);
      }
    };
    others(inactive, kInactive);
    others(moved, kMoved);
    others(students, kNonPublisher);
    others(deleted, kDeleted);
    PubRecord& co = NewRecord("Samuel", "Whitfield", true, kCircuitOverseer);
    co.id = kCircuitOverseerId;
    --next_id_;
    SetField(co.address, "12 Circuit Way");
    SetField(co.home_phone, "555-010-2030");
  }

  void MakeGroupTexts() {
    std::vector<int> leaders = elders_;
    leaders.insert(leaders.end(), servants_.begin(), servants_.end());
    for (int g = 0; g < doc_.groups.count; ++g) {
      const PubRecord& o = doc_.records[leaders[static_cast<size_t>(g) % leaders.size()]];
      const PubRecord& a =
          doc_.records[leaders[static_cast<size_t>(g + doc_.groups.count) % leaders.size()]];
      SetField(doc_.groups.overseer[g], doc_.DisplayName(o, false));
      SetField(doc_.groups.assistant[g], doc_.DisplayName(a, false));
      SetField(doc_.groups.location[g],
               g % 2 ? Printf("%s home", FieldText(o.last_name).c_str()) : "Kingdom Hall");
      SetField(doc_.groups.time[g], g % 3 ? "9:30" : "10:00");
      doc_.groups.day[g] = static_cast<uint8_t>(g % 2 ? 5 : 6);
      if (g == 2) {
        SetField(doc_.groups.name[g], "Northside");
        doc_.groups.use_name[g] = 1;
      }
    }
  }

  int EventSerial(int rec) const {
    for (const auto& [r, s] : event_serial_)
      if (r == rec) return s;
    return -1;
  }

  uint8_t PioneerFor(int rec, int serial) {
    if (rec == special_) return kSpecial;
    if (std::find(regulars_.begin(), regulars_.end(), rec) != regulars_.end()) return kRegular;
    if (rec == continuous_aux_) return kAuxiliary;
    if (MonthOfSerial(serial) == 2 || MonthOfSerial(serial) == 3 ? rng_.Chance(25) : rng_.Chance(4))
      return kAuxiliary;
    return kPublisher;
  }

  // One month's report of one publisher as the secretary receives it.
  struct Filled {
    int id, m, s;
    uint8_t pioneer;
    int hours, studies, credit;
    uint16_t cell;
    uint16_t placements, videos, return_visits;
    bool new_form;
  };

  Filled Fill(int rec, int serial, uint8_t pioneer) {
    Filled f{doc_.records[rec].id,
             MonthOfSerial(serial),
             SlotOfSerial(serial),
             pioneer,
             0,
             0,
             -1,
             0,
             0,
             0,
             0,
             serial > doc_.switch_serial};
    if (pioneer == kRegular || pioneer == kSpecial)
      f.hours = rng_.Range(f.new_form ? 45 : 60, f.new_form ? 70 : 85);
    else if (pioneer == kAuxiliary)
      f.hours = rng_.Range(f.new_form ? 15 : 30, f.new_form ? 35 : 45);
    else if (!f.new_form)
      f.hours = rng_.Range(0, 14);
    int quarter = 0;
    if (f.hours > 0 && !f.new_form && rng_.Chance(10)) quarter = rng_.Range(1, 3);
    f.studies = rng_.Chance(35) ? rng_.Range(1, 3) : 0;
    f.cell = static_cast<uint16_t>(f.studies);
    if (f.new_form) {
      f.cell |= kSharedBit;
    } else {
      f.placements = static_cast<uint16_t>(rng_.Range(0, 12));
      f.videos = static_cast<uint16_t>(rng_.Range(0, 6));
      f.return_visits = static_cast<uint16_t>(rng_.Range(0, 10));
      if (f.hours == 0 && quarter == 0) f.cell |= kSharedBit;  // less than one hour
    }
    f.cell = static_cast<uint16_t>(f.cell | (quarter << kQuarterShift));
    // Pioneer credit only as far as the slip allows it beside the month's hours.
    if (pioneer == kRegular && rng_.Chance(8))
      f.credit = ComputePioneerCredit(f.hours, rng_.Range(3, 10), "").credit;
    return f;
  }

  // A report of the working month or, as a late report, of an earlier month of the working
  // year goes through the slip; the slip takes only the form of today's reports, so a
  // month kept on the earlier form (or one the slip refuses) is posted into its cells.
  void Post(const Filled& f) {
    PubRecord* r = doc_.FindById(f.id);
    if (!r) return;  // dropped by a month initialization
    if (f.new_form && PostSlip(*r, f)) return;
    r->pioneer[f.m][f.s] = f.pioneer;
    r->activity[kHours][f.m][f.s] = static_cast<uint16_t>(f.hours);
    r->activity[kBibleStudies][f.m][f.s] = f.cell;
    if (!f.new_form) {
      r->activity[kPlacements][f.m][f.s] = f.placements;
      r->activity[kVideos][f.m][f.s] = f.videos;
      r->activity[kReturnVisits][f.m][f.s] = f.return_visits;
    }
    if (f.credit >= 0) r->credit[f.m][f.s] = static_cast<uint16_t>(f.credit);
  }

  // The slip of record r filled in and saved: a month before the working month is chosen
  // on the slip and goes into the late list. False when the slip refused.
  bool PostSlip(PubRecord& r, const Filled& f) {
    const int slot = SlotInWorkingYear(f.m, doc_.working_month, doc_.working_year);
    // The slip keeps a regular or special pioneer's code, ticked on the publisher's record.
    if (f.pioneer >= kRegular) r.pioneer[f.m][slot] = f.pioneer;
    if (f.credit >= 0) r.credit[f.m][slot] = static_cast<uint16_t>(f.credit);
    SlipForm slip(doc_, static_cast<int>(&r - doc_.records.data()));
    if (f.m != doc_.working_month) {
      slip.BeginChangeMonth();
      slip.ChooseMonth(f.m);
      slip.EndChangeMonth();
    }
    slip.SetAux(f.pioneer == kAuxiliary);
    slip.SetShared(true);
    slip.SetHoursText(std::to_string(f.hours));
    slip.SetStudiesText(std::to_string(f.studies));
    return slip.Save() != SlipForm::SaveResult::kRefused;
  }

  // Three publishers handed in last month's slip after it was closed.
  std::vector<int> LatePublishers() const {
    std::vector<int> recs;
    for (size_t i = 20; i < active_.size() && recs.size() < 3; i += 9)
      if (!(doc_.records[active_[i].rec].service_flags & kSpecialServant))
        recs.push_back(active_[i].rec);
    return recs;
  }

  void MakeReports() {
    const int w = doc_.working_serial;
    std::vector<std::vector<Filled>> months(kHistoryMonths);
    for (int r = 1; r < doc_.count; ++r) {
      const PubRecord& rec = doc_.records[r];
      int event = EventSerial(r);
      for (int serial = w - kHistoryMonths + 1; serial <= w; ++serial) {
        bool reports = false;
        switch (rec.status) {
          case kActive:
            reports = serial == w ? rng_.Chance(70) : rng_.Chance(94);
            break;
          case kInactive:
            reports = serial < event - 6 && rng_.Chance(70);
            break;
          case kMoved:
          case kDeleted:
            reports = serial <= event && rng_.Chance(90);
            break;
          default:
            break;
        }
        if (!reports) continue;
        uint8_t pioneer =
            rec.status == kActive ? PioneerFor(r, serial) : static_cast<uint8_t>(kPublisher);
        months[static_cast<size_t>(serial - w + kHistoryMonths - 1)].push_back(
            Fill(r, serial, pioneer));
      }
    }
    // The late slips of last month were not in when it was closed.
    std::vector<Filled>& last = months[kHistoryMonths - 2];
    for (int rec : LatePublishers())
      std::erase_if(last, [&](const Filled& f) { return f.id == doc_.records[rec].id; });
    TurnMonths(months);
  }

  // The two years are turned as the secretary turns them: each month initialized through
  // the posting decision on a day of the month after it (the folder takes its snapshots
  // after its save), its reports posted, its totals stored by the program's rule and its
  // collection closed. The working month stays open, initialized on today's date.
  void TurnMonths(const std::vector<std::vector<Filled>>& months) {
    const int w = doc_.working_serial;
    ConfirmingPrompter confirm;
    MonthInitOptions init;
    init.take_snapshot = false;
    for (int k = 0; k < kHistoryMonths; ++k) {
      const int serial = w - kHistoryMonths + 1 + k;
      doc_.StoreLateMarkers();  // as the save before the month moves writes them
      doc_.SetToday(serial == w
                        ? opt_.today
                        : Date{2000 + YearOfSerial(serial + 1), MonthOfSerial(serial + 1) + 1,
                               std::min(opt_.today.day, 28)});
      PostingDecisionForm decision(doc_);
      if (decision.Initialize(confirm)) decision.Apply(doc_, init);
      doc_.RebuildIndex();  // the initialization may have dropped members of the lists
      for (const Filled& f : months[static_cast<size_t>(k)]) Post(f);
      if (serial == w) break;
      StoreClosedTotals(serial);
      CloseCollection(doc_);
    }
  }

  // The totals a month is closed with. The demo's people hold today's statuses from the
  // start, so the month's figures are counted by the rule a closed month is checked by:
  // the slips of everyone active in it (as the open month's totals would have counted
  // them had each status changed on its date); the active count is today's.
  void StoreClosedTotals(int serial) {
    const int m = MonthOfSerial(serial), s = SlotOfSerial(serial);
    WorkingTotals t = RecountMonthTotals(doc_, m, serial / 12);
    t.row[0][kTotalsActiveField] = static_cast<uint16_t>(doc_.CountStatus(kActive));
    for (int row = 0; row < kTotalsRows; ++row)
      for (int f = 0; f < kTotalsFields; ++f) doc_.totals.value[m][9 * row + f][s] = t.row[row][f];
  }

  void MakeLateReports() {
    const int prev = doc_.working_serial - 1;
    for (int rec : LatePublishers()) {
      const int late_before = doc_.late_count;
      Post(Fill(rec, prev, PioneerFor(rec, prev)));
      // A month the slip cannot post (another working year) is marked late as posting does.
      if (doc_.late_count == late_before)
        AddLateReport(doc_, doc_.records[rec].id, MonthOfSerial(prev));
    }
  }

  void MakeRemarks() {
    int target = opt_.full ? 3853 : 40;
    doc_.remark_count = 1;
    const int w = doc_.working_serial;
    for (int i = 0; doc_.remark_count <= target && i < target * 4; ++i) {
      int rec = 1 + static_cast<int>(rng_.Next() % static_cast<uint64_t>(doc_.count - 2));
      PubRecord& r = doc_.records[rec];
      int serial = w - rng_.Range(0, 23);
      int m = MonthOfSerial(serial), s = SlotOfSerial(serial);
      if (r.remark[m][s] != 0 || r.status == kCircuitOverseer) continue;
      RemarkEntry& e = doc_.remarks[doc_.remark_count];
      SetField(e.text, rng_.Pick(kRemarks));
      e.month = static_cast<uint8_t>(m + 1);
      e.slot = static_cast<uint8_t>(s);
      e.id = r.id;
      r.remark[m][s] = doc_.remark_count++;
    }
  }

  // The weeks of each month go in as the attendance dialog stores them; the blocks carry
  // the names that loading gives them.
  void MakeAttendance() {
    const int w = doc_.working_serial;
    const Sid names[2] = {Sid::kMidweekMeeting, Sid::kWeekendMeeting};
    for (int b = 0; b < 2; ++b) {
      SetField(doc_.attendance[b].name, FromUtf8(Str(names[b]), doc_.language_code));
      for (int serial = w - 23; serial <= w; ++serial) {
        int weeks = serial == w ? 1 : (rng_.Chance(30) ? 5 : 4);
        WeekValues values{};
        for (int k = 0; k < weeks; ++k)
          values[static_cast<size_t>(k)] = b == 0 ? rng_.Range(85, 112) : rng_.Range(95, 130);
        StoreWeeks(doc_, b, MonthOfSerial(serial), SlotOfSerial(serial), values);
      }
    }
  }

  void MakeAppointments() {
    auto add = [&](int rec, int kind, int years_ago) {
      if (doc_.appointment_count >= kMaxAppointments) return;
      AppointmentRecord a{};
      a.id = doc_.records[rec].id;
      a.kind = static_cast<uint16_t>(kind);
      SetField(a.start_date,
               Date8(rng_.Range(1, 12), rng_.Range(1, 28), opt_.today.year - years_ago));
      SetField(a.end_date, "        ");
      doc_.appointments[doc_.appointment_count++] = a;
    };
    for (int r : servants_) add(r, 1, rng_.Range(1, 10));
    for (int r : elders_) add(r, 2, rng_.Range(1, 20));
    for (int r : regulars_) add(r, 3, rng_.Range(1, 8));
    add(continuous_aux_, 4, 1);
    add(special_, 5, 3);
    for (int r = 1; r < doc_.count; ++r)
      if (doc_.records[r].consent) add(r, 20, 0);
    if (opt_.full) {
      // Past appointments of everyone until the table is full.
      for (int r = 1; doc_.appointment_count < kMaxAppointments; r = r % (doc_.count - 2) + 1)
        add(r, 1 + doc_.appointment_count % 5, rng_.Range(1, 30));
    }
  }

  CZarimDoc& doc_;
  DemoOptions opt_;
  Rng rng_;
  const NameSet& names_;
  int next_id_ = 10;
  bool male_head_ = true;
  std::vector<Person> active_;
  std::vector<int> elders_, servants_, regulars_;
  std::vector<std::pair<int, int>> event_serial_;
  std::set<std::string> used_names_;  // "first\tlast" of every record made
  int special_ = 0, continuous_aux_ = 0;
};

}  // namespace

void BuildDemo(CZarimDoc& doc, const DemoOptions& options) { Builder(doc, options).Build(); }

namespace {

// A demo folder has no password to ask for.
class NoPasswords : public PasswordRunner {
 public:
  void Run(PasswordForm& form) override { form.Cancel(); }
  void Run(PasswordChangeForm& form) override { form.Cancel(); }
};

}  // namespace

bool WriteDemoFolder(const std::string& folder, const DemoOptions& options, std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    *error = "cannot create " + folder + ": " + ec.message();
    return false;
  }
  // The folder's owner opens the empty folder, takes the congregation made in memory over
  // and saves it, as the program does.
  SilentPrompter silent;
  Congregation owner(&silent);
  OpenOptions open;
  open.data_folder = folder;
  open.language_code = options.language_code;
  open.program = "zarim-demo";
  FixedClock clock(options.today);
  NoPasswords passwords;
  if (owner.Open(open, clock, passwords) != Congregation::Opened::kOk) {
    *error = "cannot open " + folder + ": " + owner.failure();
    return false;
  }
  CZarimDoc doc(&silent);
  doc.data_folder = folder;
  Builder builder(doc, options);
  builder.Build();
  if (!builder.WriteSideFiles(error)) return false;
  {
    EditScope edit = owner.Edit();
    edit.TakeAll(doc);
    edit.Commit();
  }
  if (!owner.Save()) {
    *error = "cannot save the data in " + folder;
    return false;
  }
  if (!options.full) {
    // A congregation in use has the snapshots of its last months, taken by the month
    // initializations, so "View Old Reports" has something to show.
    CZarimDoc& saved = owner.doc();
    for (int k = 1; k <= kDemoSnapshots; ++k)
      if (TakeRollSnapshot(saved, MonthsBefore(saved.working_month, k - 1)) ==
          RollResult::kIncomplete) {
        *error = "cannot write the month snapshots in " + folder;
        return false;
      }
  }
  owner.Discard();
  return true;
}

CZarimDoc& FullDocument() {
  static CZarimDoc* doc = [] {
    auto* d = new CZarimDoc();
    d->data_folder = "/nonexistent-bench-folder";
    DemoOptions options;
    options.full = true;
    BuildDemo(*d, options);
    return d;
  }();
  return *doc;
}

std::string WriteFullTempFolder(const std::string& name, const Date& today) {
  std::string folder = (std::filesystem::temp_directory_path() / name).string();
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  DemoOptions options;
  options.today = today;
  options.full = true;
  std::string error;
  return WriteDemoFolder(folder, options, &error) ? folder : std::string();
}

}  // namespace zarim::demo
