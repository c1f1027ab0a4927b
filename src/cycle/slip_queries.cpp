// Questions asked of one publisher's monthly report cells.
#include "cycle/slip_queries.h"

#include "core/month.h"
#include "core/strings.h"

namespace zarim {

namespace {
bool ValidCell(int month, int slot) { return month >= 0 && month < 12 && slot >= 0 && slot < 3; }
}  // namespace

bool ReportedInMonth(const PubRecord& r, int month, int slot) {
  if (!ValidCell(month, slot)) return false;
  uint16_t studies = r.activity[kBibleStudies][month][slot];
  return r.activity[kHours][month][slot] != 0 || (studies & (kQuarterMask | kSharedBit)) != 0;
}

bool HasTimeInMonth(const PubRecord& r, int month, int slot) {
  if (!ValidCell(month, slot)) return false;
  return r.activity[kHours][month][slot] != 0 ||
         (r.activity[kBibleStudies][month][slot] & kQuarterMask) != 0;
}

int FieldValue(const PubRecord& r, int month, int field, int slot) {
  if (!ValidCell(month, slot) || field < 0 || field > 4) return 0;
  uint16_t v = r.activity[field][month][slot];
  return field == kBibleStudies ? (v & kStudiesMask) : v;
}

int StudiesInMonth(const PubRecord& r, int month, int slot) {
  return FieldValue(r, month, kBibleStudies, slot);
}

int PioneerCodeOf(const PubRecord& r, int month, int slot) {
  if (!ValidCell(month, slot)) return 0;
  return r.pioneer[month][slot] & 0x03;
}

std::string RemarkText(const CZarimDoc& doc, const PubRecord& r, int month, int slot) {
  if (!ValidCell(month, slot)) return {};
  uint16_t index = r.remark[month][slot];
  if (index == 0 || index >= doc.remark_count || index >= doc.remarks.size()) return {};
  return FieldText(doc.remarks[index].text);
}

bool HasRemark(const CZarimDoc& doc, const PubRecord& r, int month, int slot) {
  return !Trim(RemarkText(doc, r, month, slot)).empty();
}

std::string MonthForMessage(const CZarimDoc& doc, int month, bool with_year) {
  std::string name = with_year ? MonthInWorkingYearName(month, doc.working_month, doc.working_year)
                               : MonthName(month);
  if (doc.language_code != Str(Sid::kFrenchLanguageCode)) return name;
  char first = name.empty() ? '\0' : name[0];
  bool vowel = first == 'a' || first == 'o' || first == 'A' || first == 'O';
  return std::string(Str(vowel ? Sid::kSlipFrenchArticleVowel : Sid::kSlipFrenchArticle)) + name;
}

}  // namespace zarim
