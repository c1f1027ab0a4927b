// The formatting options form.
#include "reports/format_options_form.h"

#include <algorithm>
#include <type_traits>

#include "core/bytes.h"
#include "core/document.h"
#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {
namespace {

// Cuts a UTF-8 text to at most n characters, never inside a character.
std::string CutCharacters(const std::string& s, int n) {
  int chars = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (chars == n) return s.substr(0, i);
      ++chars;
    }
  }
  return s;
}

constexpr Sid kCheckCaptions[FormatOptionsForm::kCheckCount] = {
    Sid::kOptLastNameFirst, Sid::kOptBirthBaptismStats, Sid::kOptAlternateDate,
    Sid::kOptBirthLegend,   Sid::kOptAlternateLabel,    Sid::kOptShowGrid,
    Sid::kOptMissingBoxes,  Sid::kOptDatestamp,         Sid::kOptEmergencyJw};

}  // namespace

FormatOptionsForm::FormatOptionsForm(const CZarimDoc& doc) : language_(doc.language_code) {
  checks_[kLastNameFirst] = doc.format.last_name_first != 0;
  checks_[kBirthBaptismStats] = doc.format.birth_baptism_stats != 0;
  checks_[kAlternateDate] = doc.format.alternate_date != 0;
  checks_[kBirthLegend] = doc.options.label_birth_legend != 0;
  checks_[kAlternateLabel] = doc.options.alternate_label != 0;
  checks_[kShowGrid] = doc.options.show_grid != 0;
  checks_[kMissingBoxes] = doc.options.missing_report_boxes != 0;
  checks_[kDatestamp] = doc.options.datestamp != 0;
  checks_[kEmergencyJw] = doc.options.emergency_jw != 0;
  last_name_shown_ = doc.options.sort_first_name == 0;
  top_margin_ = std::clamp(doc.options.top_margin, 0, kMaxMargin);
  left_margin_ = std::clamp(doc.options.label_left_margin, 0, kMaxMargin);
  congregation_name_ =
      CutCharacters(ToUtf8(doc.options.congregation_name, language_), kMaxCongregationName);
}

std::string FormatOptionsForm::Title() const { return std::string(Str(Sid::kFormatOptionsTitle)); }
std::string FormatOptionsForm::CheckCaption(Check c) const {
  return std::string(Str(kCheckCaptions[c]));
}
std::string FormatOptionsForm::TopMarginCaption() const {
  return std::string(Str(Sid::kOptTopMargin));
}
std::string FormatOptionsForm::LeftMarginCaption() const {
  return std::string(Str(Sid::kOptLeftMargin));
}
std::string FormatOptionsForm::CongregationNameCaption() const {
  return std::string(Str(Sid::kOptCongregationName));
}

std::vector<std::string> FormatOptionsForm::MarginItems() {
  std::vector<std::string> items;
  for (int i = 0; i <= kMaxMargin; ++i) items.push_back(Printf("%02d", i));
  return items;
}

bool FormatOptionsForm::IsShown(Check c) const { return c != kLastNameFirst || last_name_shown_; }

void FormatOptionsForm::SetChecked(Check c, bool on) {
  if (c < 0 || c >= kCheckCount) return;
  checks_[c] = on;
  if (c == kBirthLegend && !on) checks_[kAlternateLabel] = false;
  if (c == kAlternateLabel && on) checks_[kBirthLegend] = true;
}

void FormatOptionsForm::SetTopMargin(int v) { top_margin_ = std::clamp(v, 0, kMaxMargin); }
void FormatOptionsForm::SetLeftMargin(int v) { left_margin_ = std::clamp(v, 0, kMaxMargin); }

void FormatOptionsForm::SetCongregationName(const std::string& utf8) {
  congregation_name_ = CutCharacters(utf8, kMaxCongregationName);
  name_cut_ = congregation_name_.size() != utf8.size();
}

bool FormatOptionsForm::NameRefused() const { return !FitsCodePage(congregation_name_, language_); }

std::string FormatOptionsForm::NameCutNote() const {
  if (std::string fault = CodePageFault(congregation_name_, language_); !fault.empty())
    return fault;
  if (!name_cut_) return {};
  return Fill(Sid::kCongNameCut, std::to_string(kMaxCongregationName), congregation_name_);
}

bool FormatOptionsForm::Accept(CZarimDoc& doc) const {
  bool changed = false;
  auto put = [&changed](auto& field, int value) {
    if (static_cast<int>(field) != value) {
      field = static_cast<std::remove_reference_t<decltype(field)>>(value);
      changed = true;
    }
  };
  // A hidden box keeps the stored value.
  if (last_name_shown_) put(doc.format.last_name_first, checks_[kLastNameFirst]);
  put(doc.format.birth_baptism_stats, checks_[kBirthBaptismStats]);
  put(doc.format.alternate_date, checks_[kAlternateDate]);
  put(doc.options.label_birth_legend, checks_[kBirthLegend]);
  put(doc.options.alternate_label, checks_[kAlternateLabel]);
  put(doc.options.show_grid, checks_[kShowGrid]);
  put(doc.options.missing_report_boxes, checks_[kMissingBoxes]);
  put(doc.options.datestamp, checks_[kDatestamp]);
  put(doc.options.emergency_jw, checks_[kEmergencyJw]);
  put(doc.options.top_margin, top_margin_);
  put(doc.options.label_left_margin, left_margin_);
  std::string name(TrimRight(FromUtf8(congregation_name_, language_)));
  if (!NameRefused() && name != doc.options.congregation_name) {
    doc.options.congregation_name = name;
    changed = true;
  }
  return changed;
}

}  // namespace zarim
