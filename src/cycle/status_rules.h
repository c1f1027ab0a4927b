// The rules of publisher statuses: the inactive candidate, months since a status, the
// missing-months mask of the irregular test, status ageing, and the period filters.
#pragma once

#include <cstdint>

#include "core/document.h"
#include "core/strings.h"

namespace zarim {

// Low four bits of PubRecord::status_month.
inline constexpr uint8_t kStatusNew = 1;
inline constexpr uint8_t kStatusReactivated = 2;
inline constexpr uint8_t kStatusRegularTransfer = 4;
inline constexpr uint8_t kStatusFlagMask = 0x0F;
// The flags that limit the irregular test to the months since the event.
inline constexpr uint8_t kStatusesSinceEvent =
    kStatusNew | kStatusReactivated | kStatusRegularTransfer;

// 1-based month of the status event (high nibble of the status month), 0 = none.
inline int StatusEventMonth(const PubRecord& r) { return r.status_month >> 4; }
inline int StatusFlags(const PubRecord& r) { return r.status_month & kStatusFlagMask; }

// Two-digit year of a stored status year: values above 200 stand for 1945 .. 1999.
inline int StatusYearToTwoDigit(uint8_t v) { return v > 200 ? static_cast<int>(v) - 256 : v; }
inline int StatusYearToCalendar(uint8_t v) { return 2000 + StatusYearToTwoDigit(v); }
// A calendar year stored as a status year (modulo 256, so 1990 is 246).
inline uint8_t CalendarToStatusYear(int year) {
  return static_cast<uint8_t>(((year - 2000) % 256 + 256) % 256);
}

// Hours (with credit) a regular pioneer reports each month in a service year, given as its
// two-digit year: the need was lowered for the service years that end in 2023 and later.
inline constexpr int RegularPioneerMonthlyNeed(int service_year) {
  return 2000 + service_year < 2023 ? 70 : 50;
}

// Reported for a month: hours, quarter hours or the shared tick.
bool ReportedIn(const PubRecord& r, int month, int slot);
// The narrower test: hours or quarter hours.
bool TimeIn(const PubRecord& r, int month, int slot);
// The working month's collection is open (header record byte 137 + m is 1).
bool WorkingMonthCollecting(const CZarimDoc& doc);

// The tests below walk back from the working month; when it is not valid they find no
// month: no candidate, 0 months, an empty mask, no month in a period.

// Active, and no report in the working month nor in any of the five months before it.
bool IsInactiveCandidate(const CZarimDoc& doc, const PubRecord& r);

// Months since the status event that carries one of the flags of mask, counted back
// from the working month, at most 6; 6 when the record has none of those flags.
int MonthsSinceStatus(const CZarimDoc& doc, const PubRecord& r, uint8_t mask);

// Bit m set for every month index m without a report among the months the irregular
// test looks at. Non-zero means irregular.
uint16_t MissingMonthsMask(const CZarimDoc& doc, const PubRecord& r);
inline bool IsIrregular(const CZarimDoc& doc, const PubRecord& r) {
  return MissingMonthsMask(doc, r) != 0;
}

// Period filters of the inactive dialog, numbered as that dialog cycles them; the view
// lists use position + 1.
enum class InactivePeriod : int {
  kLastSix = 1,
  kServiceYear = 2,
  kLastTwelve = 3,
  kOverTwelve = 4,
  kAll = 5,
};
InactivePeriod NextPeriod(InactivePeriod p);
Sid PeriodCaption(InactivePeriod p);
bool InInactivePeriod(const CZarimDoc& doc, const PubRecord& r, InactivePeriod p);

// True when 1-based month is one of the six months that end with the working month.
bool InLastSixMonths(const CZarimDoc& doc, int month);
// True when 1-based month lies between September and the working month (the service
// year so far).
bool InServiceYearSoFar(const CZarimDoc& doc, int month);

}  // namespace zarim
