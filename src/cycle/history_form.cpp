// "History": past months of one publisher, and the stored monthly totals.
#include "cycle/history_form.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

#include "core/fill_args.h"
#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/branch_totals.h"
#include "cycle/collection_state.h"
#include "cycle/plausible_figures.h"
#include "cycle/slip_queries.h"
#include "cycle/slip_remarks.h"
#include "cycle/status_lists.h"

namespace zarim {

namespace {

int ParseCount(std::string_view text, int max) {
  std::string_view t = text;
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  int value = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (ec != std::errc() || value < 0) return 0;
  return std::min(value, max);
}

constexpr int kMaxCell = kMaxHistoryCell;
constexpr int kMaxStudyCount = kMaxHistoryStudies;  // bits 0-9 of the Bible-study word

}  // namespace

std::string RoundHoursText(std::string_view text) {
  size_t point = text.find('.');
  if (point == std::string_view::npos) return std::string(text);
  std::string out(text.substr(0, point));
  char first = point + 1 < text.size() ? text[point + 1] : '0';
  if (first >= '7' && first <= '9')
    out += ".75";
  else if (first >= '4' && first <= '6')
    out += ".5";
  else
    out += ".25";
  return out;
}

HoursValue ParseHoursText(std::string_view text) {
  HoursValue v;
  size_t point = text.find('.');
  v.hours = ParseCount(text.substr(0, point), kMaxCell);
  if (point == std::string_view::npos) return v;
  std::string_view after = text.substr(point + 1);
  v.quarter = after == "25" ? 1 : after == "5" ? 2 : 3;
  return v;
}

std::string HoursText(int hours, int quarter) {
  static const char* const kSuffix[] = {"", ".25", ".5", ".75"};
  return std::to_string(hours) + kSuffix[std::clamp(quarter, 0, 3)];
}

std::vector<int> HistoryMonths(int year_entry, int w, bool w_initialized) {
  std::vector<int> out;
  if (year_entry == 2) {
    for (int m = 0; m < w; ++m) out.push_back(m);
  } else if (year_entry == 1) {
    for (int m = 0; m < 12; ++m) out.push_back(m);
  } else {
    // Two years back shares its slot with the working year: from W on the cells hold
    // that year's months, except W itself once it was initialized for the working year.
    for (int m = w_initialized ? w + 1 : w; m < 12; ++m) out.push_back(m);
  }
  return out;
}

HistoryForm::HistoryForm(CZarimDoc& doc, Options options) : doc_(doc), options_(options) {
  doc_.StoreLateMarkers();
  FillPublishers();
  if (!records_.empty()) {
    copy_rec_ = records_[0];
    copy_ = doc_.records[copy_rec_];
  }
  year_ = 2;
  RefillMonths();
  if (months_.empty()) {
    year_ = 1;
    RefillMonths();
  }
  month_pos_ = months_.empty() ? -1 : static_cast<int>(months_.size()) - 1;
  Load();
}

bool HistoryForm::Offers(const PubRecord& r) {
  return (r.status == kActive || r.status == kInactive) && r.id != kCircuitOverseerId;
}

void HistoryForm::FillPublishers() {
  records_.clear();
  if (options_.record > 0 && options_.record < doc_.count) {
    if (Offers(doc_.records[options_.record])) records_.push_back(options_.record);
    return;
  }
  const uint8_t status = options_.inactive ? kInactive : kActive;
  int n = std::min(doc_.status_count[status], kMaxStatusList);
  for (int i = 0; i < n; ++i) {
    int rec = doc_.lists[status][i].rec;
    if (rec > 0 && rec < doc_.count && doc_.records[rec].status == status) records_.push_back(rec);
  }
}

std::vector<std::string> HistoryForm::PublisherEntries() const {
  std::vector<std::string> out;
  if (totals_) {
    for (Sid s : {Sid::kHistoryRowPublishers, Sid::kHistoryRowAux, Sid::kHistoryRowPioneers,
                  Sid::kHistoryRowActive})
      out.emplace_back(Str(s));
    return out;
  }
  for (int rec : records_) out.push_back(ShownName(doc_, doc_.records[rec]));
  return out;
}

int HistoryForm::record() const { return totals_ ? 0 : copy_rec_; }

int HistoryForm::InactiveMonth() const {
  if (options_.inactive && copy_rec_ > 0) {
    int became = copy_.status_month >> 4;
    if (became >= 1 && became <= 12) return became - 1;
  }
  return -1;
}

void HistoryForm::RefillMonths() {
  // Which year a slot's cells hold is fixed by the working month alone. The month an
  // inactive publisher stopped only shortens the working year's list: a later month of
  // that year has not come yet, its cells still hold the month two years earlier.
  const int w = doc_.working_month;
  months_ = HistoryMonths(year_, w, CollectionStateOf(doc_, w) != MonthCollection::kNotInitialized);
  const int inactive = InactiveMonth();
  if (year_ == 2 && inactive >= 0)
    std::erase_if(months_, [inactive](int m) { return m >= inactive; });
  int n = static_cast<int>(months_.size());
  if (n == 0)
    month_pos_ = -1;
  else if (month_pos_ < 0)
    month_pos_ = 0;
  else if (month_pos_ >= n)
    month_pos_ = n - 1;
}

std::vector<std::string> HistoryForm::YearEntries() const {
  std::vector<std::string> out;
  for (int i = 0; i < 3; ++i)
    out.push_back(Printf(Sid::kHistoryYearFormat, 2000 + doc_.working_year - 2 + i));
  return out;
}

std::vector<std::string> HistoryForm::MonthEntries() const {
  std::vector<std::string> out;
  for (int m : months_) out.push_back(MonthName(m));
  return out;
}

int HistoryForm::month() const {
  return month_pos_ >= 0 && month_pos_ < static_cast<int>(months_.size()) ? months_[month_pos_]
                                                                          : -1;
}

int HistoryForm::slot() const { return SlotOfYear(doc_.working_year - 2 + year_); }

bool HistoryForm::new_form() const {
  return month() >= 0 && Serial(doc_.working_year - 2 + year_, month()) > doc_.switch_serial;
}

void HistoryForm::SetPublisher(int position) {
  if (totals_) {
    StoreTotals();
    totals_entry_ = static_cast<TotalsEntry>(std::clamp(position, 0, 3));
    LoadTotals();
    return;
  }
  if (position < 0 || position >= static_cast<int>(records_.size())) return;
  Store();
  WriteBack();
  publisher_ = position;
  copy_rec_ = records_[position];
  copy_ = doc_.records[copy_rec_];
  RefillMonths();
  Load();
}

void HistoryForm::SetYear(int entry) {
  if (entry < 0 || entry > 2) return;
  totals_ ? StoreTotals() : Store();
  year_ = entry;
  RefillMonths();
  totals_ ? LoadTotals() : Load();
}

void HistoryForm::SetMonthPosition(int position) {
  if (position < 0 || position >= static_cast<int>(months_.size())) return;
  totals_ ? StoreTotals() : Store();
  month_pos_ = position;
  totals_ ? LoadTotals() : Load();
}

void HistoryForm::SetText(HistoryBox b, std::string_view text) {
  texts_[static_cast<int>(b)] = std::string(text);
  if (b == HistoryBox::kHours) {
    HoursValue v = ParseHoursText(text);
    if (v.hours != 0 || v.quarter != 0)
      ticks_[static_cast<int>(HistoryTick::kLessThanHour)] = false;
  }
}

void HistoryForm::LeaveHours() {
  SetText(HistoryBox::kHours, RoundHoursText(text(HistoryBox::kHours)));
}

void HistoryForm::SetTicked(HistoryTick t, bool on) {
  ticks_[static_cast<int>(t)] = on;
  if (t == HistoryTick::kShared && !on) {
    texts_[static_cast<int>(HistoryBox::kHours)] = "0";
    texts_[static_cast<int>(HistoryBox::kStudies)] = "0";
  }
  if (on && t == HistoryTick::kNextMonth)
    ticks_[static_cast<int>(HistoryTick::kNextPublisher)] = false;
  if (on && t == HistoryTick::kNextPublisher)
    ticks_[static_cast<int>(HistoryTick::kNextMonth)] = false;
}

void HistoryForm::SetRemark(std::string_view utf8) { remark_ = std::string(utf8); }

int HistoryForm::PioneerCodeFromTicks() const {
  if (ticked(HistoryTick::kAux)) return kAuxiliary;
  if (ticked(HistoryTick::kRegular)) return kRegular;
  if (ticked(HistoryTick::kSpecial)) return kSpecial;
  return kPublisher;
}

bool HistoryForm::Shown(HistoryBox b) const {
  if (month() < 0) return false;
  if (totals_) return totals_entry_ != TotalsEntry::kActive || b == HistoryBox::kCredit;
  if (copy_rec_ == 0) return false;
  int code = PioneerCodeFromTicks();
  if (b == HistoryBox::kCredit) return code == kRegular || code == kSpecial;
  if (!new_form()) return true;
  bool shared = ticked(HistoryTick::kShared);
  switch (b) {
    case HistoryBox::kHours:
      return shared && (code != kPublisher || (copy_.service_flags & kFieldMissionary) != 0);
    case HistoryBox::kStudies:
      return shared;
    default:
      return false;
  }
}

bool HistoryForm::Shown(HistoryTick t) const {
  if (month() < 0) return false;
  if (t == HistoryTick::kNextMonth || t == HistoryTick::kNextPublisher)
    return !totals_ || t == HistoryTick::kNextMonth;
  if (totals_ || copy_rec_ == 0) return false;
  switch (t) {
    case HistoryTick::kLessThanHour: {
      const std::string& hours = text(HistoryBox::kHours);
      return !new_form() && (hours.empty() || hours == "0");
    }
    case HistoryTick::kShared:
      return new_form();
    default:
      return true;
  }
}

void HistoryForm::Load() {
  int m = month(), s = slot();
  if (totals_) return LoadTotals();
  if (m < 0 || copy_rec_ == 0) {
    texts_ = {};
    remark_.clear();
    loaded_remark_.clear();
    return;
  }
  const uint16_t word = copy_.activity[kBibleStudies][m][s];
  const int quarter = (word & kQuarterMask) >> kQuarterShift;
  texts_[0] = std::to_string(copy_.activity[kPlacements][m][s]);
  texts_[1] = std::to_string(copy_.activity[kVideos][m][s]);
  texts_[2] = HoursText(copy_.activity[kHours][m][s], quarter);
  texts_[3] = std::to_string(copy_.activity[kReturnVisits][m][s]);
  texts_[4] = std::to_string(word & kStudiesMask);
  texts_[5] = std::to_string(copy_.credit[m][s]);
  const bool bit = (word & kSharedBit) != 0;
  const int code = copy_.pioneer[m][s] & 3;
  ticks_[static_cast<int>(HistoryTick::kShared)] = new_form() && bit;
  ticks_[static_cast<int>(HistoryTick::kLessThanHour)] = !new_form() && bit;
  ticks_[static_cast<int>(HistoryTick::kAux)] = code == kAuxiliary;
  ticks_[static_cast<int>(HistoryTick::kRegular)] = code == kRegular;
  ticks_[static_cast<int>(HistoryTick::kSpecial)] = code == kSpecial;
  loaded_late_ = copy_.late[m][s];
  ticks_[static_cast<int>(HistoryTick::kLate)] = loaded_late_ != 0;
  loaded_remark_ = ToUtf8(RemarkText(doc_, copy_, m, s), doc_.language_code);
  remark_ = loaded_remark_;
}

void HistoryForm::Store() {
  if (totals_) return StoreTotals();
  int m = month(), s = slot();
  if (m < 0 || copy_rec_ == 0) return;
  LeaveHours();
  HoursValue hours = ParseHoursText(text(HistoryBox::kHours));
  int studies = ParseCount(text(HistoryBox::kStudies), kMaxStudyCount);
  copy_.activity[kPlacements][m][s] = static_cast<uint16_t>(ParseCount(texts_[0], kMaxCell));
  copy_.activity[kVideos][m][s] = static_cast<uint16_t>(ParseCount(texts_[1], kMaxCell));
  copy_.activity[kHours][m][s] = static_cast<uint16_t>(hours.hours);
  copy_.activity[kReturnVisits][m][s] = static_cast<uint16_t>(ParseCount(texts_[3], kMaxCell));
  bool bit = new_form() ? ticked(HistoryTick::kShared) || hours.hours != 0 || hours.quarter != 0 ||
                              studies != 0
                        : ticked(HistoryTick::kLessThanHour);
  copy_.activity[kBibleStudies][m][s] =
      static_cast<uint16_t>(studies | (hours.quarter << kQuarterShift) | (bit ? kSharedBit : 0));
  copy_.pioneer[m][s] = static_cast<uint8_t>((copy_.pioneer[m][s] & ~3) | PioneerCodeFromTicks());
  // A month that already carries a late marker keeps it; a newly ticked one becomes a
  // late report of the working month.
  uint8_t late = 0;
  if (ticked(HistoryTick::kLate))
    late = loaded_late_ != 0 ? loaded_late_ : static_cast<uint8_t>(doc_.working_month + 1);
  copy_.late[m][s] = late;
  copy_.credit[m][s] = static_cast<uint16_t>(ParseCount(texts_[5], kMaxCell));
  AskAboutFigures(m, s);
  if (remark_ != loaded_remark_ && !FitsCodePage(remark_, doc_.language_code)) {
    // The figures are kept; the remark stays as it was rather than take '?' letters.
    doc_.prompter->Tell(CodePageFault(remark_, doc_.language_code));
  } else if (remark_ != loaded_remark_) {
    RemarkSlot r = GetRemark(doc_, copy_, m, s);
    std::string bytes = FromUtf8(remark_, doc_.language_code);
    if (bytes.size() > kSlipRemarkLength) bytes.resize(kSlipRemarkLength);
    if (r.entry != 0 && StoreRemark(doc_, copy_, m, s, r.entry, bytes)) {
      loaded_remark_ = remark_;
    }
  }
}

// A changed month whose figures stand far from the publisher's own months, or beyond the
// slip's limits, is asked about once: No puts the month's figures back as they were.
void HistoryForm::AskAboutFigures(int m, int s) {
  const PubRecord& stored = doc_.records[copy_rec_];
  bool changed =
      stored.credit[m][s] != copy_.credit[m][s] || stored.pioneer[m][s] != copy_.pioneer[m][s];
  for (int f = 0; f < 5 && !changed; ++f)
    changed = stored.activity[f][m][s] != copy_.activity[f][m][s];
  if (!changed) return;
  const std::array<int, 5> figures{copy_.id, m, s, copy_.activity[kHours][m][s],
                                   copy_.activity[kBibleStudies][m][s] << 16 | copy_.credit[m][s]};
  if (std::find(accepted_.begin(), accepted_.end(), figures) != accepted_.end()) return;
  const std::string list = WarningLines(CheckReport(doc_, copy_, m, doc_.working_year - 2 + year_));
  if (list.empty()) return;
  if (doc_.prompter->Ask(Fill(Sid::kFigAcceptQuestion, list), Buttons::kYesNo, Answer::kYes) !=
      Answer::kNo) {
    accepted_.push_back(figures);
    return;
  }
  for (int f = 0; f < 5; ++f) copy_.activity[f][m][s] = stored.activity[f][m][s];
  copy_.pioneer[m][s] = stored.pioneer[m][s];
  copy_.credit[m][s] = stored.credit[m][s];
  copy_.late[m][s] = stored.late[m][s];
}

void HistoryForm::WriteBack() {
  if (copy_rec_ <= 0 || copy_rec_ >= doc_.count) return;
  PubRecord& stored = doc_.records[copy_rec_];
  if (std::memcmp(&stored, &copy_, sizeof copy_) == 0) return;
  stored = copy_;
}

int HistoryForm::TotalsRow() const {
  switch (totals_entry_) {
    case TotalsEntry::kPublishers:
    case TotalsEntry::kActive:
      return 0;
    case TotalsEntry::kAuxiliary:
      return 1;
    case TotalsEntry::kPioneers:
      return special_row_ ? 3 : 2;
  }
  return 0;
}

void HistoryForm::LoadTotals() {
  int m = month(), s = slot() & 1;
  texts_ = {};
  if (m < 0) return;
  auto value = [&](int field) {
    return static_cast<int>(totals_copy_.value[m][kTotalsFields * TotalsRow() + field][s]);
  };
  if (totals_entry_ == TotalsEntry::kActive) {
    texts_[5] = std::to_string(value(kTotalsActiveField));
    return;
  }
  texts_[0] = std::to_string(value(0));
  texts_[1] = std::to_string(value(1));
  texts_[2] = HoursText(value(2), value(kTotalsQuarterField));
  texts_[3] = std::to_string(value(3));
  texts_[4] = std::to_string(value(4));
  texts_[5] = std::to_string(value(kTotalsReportsField));
}

void HistoryForm::StoreTotals() {
  int m = month(), s = slot() & 1;
  if (m < 0) return;
  auto put = [&](int field, int v) {
    totals_copy_.value[m][kTotalsFields * TotalsRow() + field][s] = static_cast<uint16_t>(v);
  };
  if (totals_entry_ == TotalsEntry::kActive) {
    put(kTotalsActiveField, ParseCount(texts_[5], kMaxCell));
    return;
  }
  LeaveHours();
  HoursValue hours = ParseHoursText(text(HistoryBox::kHours));
  put(0, ParseCount(texts_[0], kMaxCell));
  put(1, ParseCount(texts_[1], kMaxCell));
  put(2, hours.hours);
  put(kTotalsQuarterField, hours.quarter);
  put(3, ParseCount(texts_[3], kMaxCell));
  put(4, ParseCount(texts_[4], kMaxCell));
  put(kTotalsReportsField, ParseCount(texts_[5], kMaxCell));
}

void HistoryForm::SetTotals(bool on) {
  if (on == totals_) return;
  if (on) {
    Store();
    WriteBack();
    totals_copy_ = doc_.totals;
    totals_ = true;
    totals_entry_ = TotalsEntry::kPublishers;
    special_row_ = false;
    LoadTotals();
    return;
  }
  StoreTotals();
  if (std::memcmp(&totals_copy_, &doc_.totals, sizeof totals_copy_) != 0)
    doc_.totals = totals_copy_;
  totals_ = false;
  Load();
}

void HistoryForm::SetSpecialRow(bool special) {
  if (!totals_) return;
  StoreTotals();
  special_row_ = special;
  LoadTotals();
}

void HistoryForm::Enter() {
  Store();
  if (ticked(HistoryTick::kNextMonth)) {
    if (month_pos_ + 1 < static_cast<int>(months_.size())) {
      month_pos_++;
    } else {
      // Past the last month of a year entry: the first month of the next entry that
      // offers one, wrapping from the working year to two years back.
      for (int step = 1; step <= 3; ++step) {
        year_ = (year_ + 1) % 3;
        month_pos_ = -1;
        RefillMonths();
        if (!months_.empty()) break;
      }
      month_pos_ = months_.empty() ? -1 : 0;
    }
    totals_ ? LoadTotals() : Load();
    return;
  }
  if (ticked(HistoryTick::kNextPublisher) && !totals_ && !records_.empty())
    SetPublisher((publisher_ + 1) % static_cast<int>(records_.size()));
}

std::string HistoryForm::Refusal() const {
  if (month() < 0) return {};
  static constexpr struct {
    HistoryBox box;
    Sid caption;
  } kBoxes[] = {{HistoryBox::kPlacements, Sid::kHistoryPlacements},
                {HistoryBox::kVideos, Sid::kHistoryVideos},
                {HistoryBox::kHours, Sid::kHistoryHours},
                {HistoryBox::kReturnVisits, Sid::kHistoryReturnVisits},
                {HistoryBox::kStudies, Sid::kHistoryStudies},
                {HistoryBox::kCredit, Sid::kHistoryCredit}};
  const std::string who = totals_ ? std::string(Str(Sid::kHistoryTitle))
                                  : ToUtf8(doc_.DisplayName(copy_), doc_.language_code);
  for (const auto& b : kBoxes) {
    std::string_view t = text(b.box);
    if (b.box == HistoryBox::kHours) t = t.substr(0, t.find('.'));
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    const int max = b.box == HistoryBox::kStudies && !totals_ ? kMaxStudyCount : kMaxCell;
    unsigned long long value = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec == std::errc::invalid_argument ||
        (ec == std::errc() && value <= static_cast<unsigned>(max)))
      continue;
    return FillArgs(Str(Sid::kValueOutOfRange), {who, Str(b.caption), std::string(t),
                                                 Str(Sid::kHistoryTitle), std::to_string(max)});
  }
  // A newly ticked late report counts in the working month's report only while the month
  // lies in the late-report list's reach and the publisher is active; any other mark would
  // be dropped when the list is stored, so it is refused here.
  if (!totals_ && ticked(HistoryTick::kLate) && loaded_late_ == 0) {
    const int serial = Serial(doc_.working_year - 2 + year_, month());
    const bool in_reach = serial < doc_.working_serial && serial >= doc_.working_serial - 11;
    if (!in_reach || copy_.status != kActive)
      return Fill(Sid::kHistoryLateRefused, who, MonthForMessage(doc_, doc_.working_month, true));
  }
  if (!totals_ && !new_form() && ticked(HistoryTick::kLessThanHour)) {
    const HoursValue hours = ParseHoursText(text(HistoryBox::kHours));
    if (hours.hours != 0 || hours.quarter != 0)
      return std::string(Str(Sid::kLessThanHourWithHours));
  }
  return {};
}

void HistoryForm::Close() {
  if (totals_) {
    SetTotals(false);
  } else {
    Store();
    WriteBack();
  }
  doc_.BuildLateList();
}

}  // namespace zarim
