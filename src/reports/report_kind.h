// Report kinds: the small integer that tells the report view which drawer to run.
#pragma once

namespace zarim::report_kind {

inline constexpr int kCongregationAnalysis = 1;
inline constexpr int kCongregationAnalysisAlpha = 110;
inline constexpr int kGroupAnalysis = 2;
inline constexpr int kCongregationSummary = 3;
inline constexpr int kMeetingReport = 4;
inline constexpr int kStatistics = 20;
inline constexpr int kLabels = 30;
inline constexpr int kTelephoneCongregation = 50;
inline constexpr int kTelephoneGroup = 51;
inline constexpr int kTelephoneEldersServants = 52;
inline constexpr int kTelephonePioneers = 53;
inline constexpr int kAddressCongregation = 60;
inline constexpr int kAddressGroup = 61;

}  // namespace zarim::report_kind
