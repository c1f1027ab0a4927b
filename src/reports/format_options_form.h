// The "Formatting Options" dialog's logic: every option of the reports, the coupling of
// the two label options, and writing back to the document on OK.
#pragma once

#include <string>
#include <vector>

namespace zarim {

class CZarimDoc;

class FormatOptionsForm {
 public:
  enum Check {
    kLastNameFirst,
    kBirthBaptismStats,
    kAlternateDate,
    kBirthLegend,
    kAlternateLabel,
    kShowGrid,
    kMissingBoxes,
    kDatestamp,
    kEmergencyJw,
    kCheckCount
  };
  static constexpr int kMaxCongregationName = 25;
  static constexpr int kMaxMargin = 99;

  explicit FormatOptionsForm(const CZarimDoc& doc);

  std::string Title() const;
  std::string CheckCaption(Check c) const;
  std::string TopMarginCaption() const;
  std::string LeftMarginCaption() const;
  std::string CongregationNameCaption() const;
  // "00" to "99", the items of both margin lists.
  static std::vector<std::string> MarginItems();

  // "Print Last Name First" is hidden under the first-name sort order.
  bool IsShown(Check c) const;
  bool IsChecked(Check c) const { return checks_[c]; }
  // Ticking or clearing a box; the birth-date legend and the alternate label format
  // hold each other: no legend means no alternate format, and the alternate format
  // brings the legend.
  void SetChecked(Check c, bool on);

  int top_margin() const { return top_margin_; }
  int left_margin() const { return left_margin_; }
  void SetTopMargin(int hundredths);
  void SetLeftMargin(int hundredths);
  // The congregation name, UTF-8 as typed; kept to 25 characters.
  const std::string& congregation_name() const { return congregation_name_; }
  void SetCongregationName(const std::string& utf8);
  // Said under the name while the last name typed holds letters the code page of the
  // language lacks (the name cannot be kept so), or was cut to fit; else empty.
  std::string NameCutNote() const;
  // The name typed cannot be stored: it holds letters the code page lacks.
  bool NameRefused() const;

  // Writes the options into the document (a refused name keeps the stored one). Returns
  // whether something changed.
  bool Accept(CZarimDoc& doc) const;

 private:
  bool checks_[kCheckCount] = {};
  bool last_name_shown_ = true;
  int top_margin_ = 0;
  int left_margin_ = 0;
  std::string congregation_name_;
  bool name_cut_ = false;
  std::string language_;
};

}  // namespace zarim
