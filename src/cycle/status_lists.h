// The contents of the status lists: irregular, new, reactivated, inactive, moved and
// deleted publishers and the candidates for the inactive list, with their line texts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/document.h"
#include "cycle/status_rules.h"

namespace zarim {

// One line of a list: the record it shows and its text (UTF-8, fields separated by tabs
// where the list has columns).
struct StatusLine {
  uint16_t rec = 0;
  std::string text;
};

// Positions of the period choice of the view lists. The inactive list has five (up to
// "All"); the others four, the last being "Last 24 months".
inline constexpr int kViewPeriodLastSix = 0;
inline constexpr int kViewPeriodServiceYear = 1;
inline constexpr int kViewPeriodLastTwelve = 2;
inline constexpr int kViewPeriodLast24 = 3;
// Caption of a view-list period position for the inactive list or the others.
Sid ViewPeriodCaption(bool inactive_list, int position);

// Display name of a record as UTF-8.
std::string ShownName(const CZarimDoc& doc, const PubRecord& r);

// Active publishers of a group (0 = the whole congregation) who are irregular: the name,
// then a tab and the short name of every missing month, "!" after it when the publisher
// has a remark for that month.
std::vector<StatusLine> IrregularList(const CZarimDoc& doc, int group = 0);

// New (flag 1) or reactivated (flag 2) publishers for a period position 0..3, each as
// "name<TAB>year month".
std::vector<StatusLine> NewPublishersList(const CZarimDoc& doc, int position, int group = 0);
std::vector<StatusLine> ReactivatedList(const CZarimDoc& doc, int position, int group = 0);
// The month (1..12) under which a status flag lists a publisher for a period position;
// 0 when he is not listed.
int StatusListMonth(const CZarimDoc& doc, const PubRecord& r, uint8_t flag, int position);

// The inactive publishers of the view list, period position 0..4: the entry text of the
// inactive dialog and the group number.
std::vector<StatusLine> InactiveViewList(const CZarimDoc& doc, int position, int group = 0);
// The moved publishers for a period position 0..3: "name<TAB>year month".
std::vector<StatusLine> MoveoutsList(const CZarimDoc& doc, int position, int group = 0);
// Active publishers without a report in six months, by name.
std::vector<StatusLine> CandidateList(const CZarimDoc& doc, int group = 0);

// The left-hand lists of the inactive dialog: the inactive publishers of a period, each
// "name<TAB>year  short-month", and the deleted publishers "name<TAB>short-month year".
std::string InactiveEntryText(const CZarimDoc& doc, const PubRecord& r);
std::vector<StatusLine> InactiveDialogList(const CZarimDoc& doc, InactivePeriod period);
std::vector<StatusLine> DeletedList(const CZarimDoc& doc);
// Active (or inactive) publishers by name, for the move-outs dialog; and the moved ones.
std::vector<StatusLine> NamesOfStatus(const CZarimDoc& doc, uint8_t status);

// Walks a status list in its order, keeping the records that still hold that status and
// belong to the group (0 = all).
void ForEachOfStatus(const CZarimDoc& doc, uint8_t status, int group,
                     const std::function<void(int rec, const PubRecord& r)>& fn);

}  // namespace zarim
