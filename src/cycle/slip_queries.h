// Questions asked of one publisher's monthly report cells: has he reported, has he
// time, a field's value, and the remark and late state of a month.
#pragma once

#include <string>

#include "core/document.h"

namespace zarim {

// Reported for month m, slot s: hours, quarter hours or the shared tick. Every count of
// reports and the missing-report filter use this test.
bool ReportedInMonth(const PubRecord& r, int month, int slot);
// The narrower test: hours or quarter hours.
bool HasTimeInMonth(const PubRecord& r, int month, int slot);
// Value of field 0..4; field 4 gives the Bible-study count only; other fields give 0.
int FieldValue(const PubRecord& r, int month, int field, int slot);
// Bible-study count of a month (bits 0-9 of the packed cell).
int StudiesInMonth(const PubRecord& r, int month, int slot);
int PioneerCodeOf(const PubRecord& r, int month, int slot);

// The remark of a month, in record bytes; empty when there is none.
std::string RemarkText(const CZarimDoc& doc, const PubRecord& r, int month, int slot);
// A remark that is not empty after trimming (an ill publisher's note counts as reported
// for the missing-report filter).
bool HasRemark(const CZarimDoc& doc, const PubRecord& r, int month, int slot);

// The month's name for a message; in French preceded by "d'" or "de ". With
// with_year, the name carries the year the month has among the twelve that end with the
// working month.
std::string MonthForMessage(const CZarimDoc& doc, int month, bool with_year = false);

}  // namespace zarim
