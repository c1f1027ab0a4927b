// Report kinds: the small integer that tells the report view which drawer to run.
#pragma once

namespace zarim::report_kind {

inline constexpr int kCongregationAnalysis = 1;
inline constexpr int kCongregationAnalysisAlpha = 110;
inline constexpr int kGroupAnalysis = 2;
inline constexpr int kCongregationSummary = 3;
inline constexpr int kMeetingReport = 4;
inline constexpr int kStatistics = 20;
inline constexpr int kAveragesCongregation = 5;
inline constexpr int kAveragesGroup = 6;
inline constexpr int kAveragesRegular = 7;
inline constexpr int kAveragesElders = 8;
inline constexpr int kAveragesServants = 9;
inline constexpr int kAveragesBrothers = 10;
inline constexpr int kAveragesCustom = 11;
inline constexpr int kHoursCustom = 38;
inline constexpr int kHoursAuxiliary = 39;
inline constexpr int kHoursCongregation = 40;
inline constexpr int kHoursGroup = 41;
inline constexpr int kHoursRegular = 42;
inline constexpr int kHoursEldersServants = 43;
inline constexpr int kHoursBrothers = 48;
inline constexpr int kServiceYearCongregation = 44;
inline constexpr int kServiceYearRegular = 45;
inline constexpr int kServiceYearEldersServants = 46;
inline constexpr int kPioneerHours = 47;
inline constexpr int kLabels = 30;
inline constexpr int kTelephoneCongregation = 50;
inline constexpr int kTelephoneGroup = 51;
inline constexpr int kTelephoneEldersServants = 52;
inline constexpr int kTelephonePioneers = 53;
inline constexpr int kAddressCongregation = 60;
inline constexpr int kAddressGroup = 61;

}  // namespace zarim::report_kind
