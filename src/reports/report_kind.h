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
inline constexpr int kAddressInactive = 62;
inline constexpr int kAddressEldersServants = 63;
inline constexpr int kAddressPioneers = 64;
inline constexpr int kGroupListActive = 70;
inline constexpr int kGroupListStudents = 71;
inline constexpr int kGroupListInactive = 72;
inline constexpr int kGroupListAll = 73;
inline constexpr int kGroupListConsent = 74;
inline constexpr int kContactCongregation = 80;
inline constexpr int kContactGroup = 81;
inline constexpr int kContactEldersServants = 82;
inline constexpr int kContactPioneers = 83;
inline constexpr int kContactInactiveByGroup = 84;
inline constexpr int kEmergencyCongregation = 90;
inline constexpr int kEmergencyGroup = 91;
inline constexpr int kEmergencyForms = 95;
inline constexpr int kEmergencyFormsGroup = 96;
inline constexpr int kTelEmailCongregation = 100;
inline constexpr int kTelEmailGroup = 101;
inline constexpr int kTelEmailEldersServants = 103;
inline constexpr int kTelEmailPioneers = 104;
inline constexpr int kSpecialNeedsCongregation = 120;
inline constexpr int kSpecialNeedsGroup = 121;
// The record cards of the context's selection, drawn on whole sheets.
inline constexpr int kRecordCards = 140;
// The year-to-date forms printed from their dialogs; the job's group number carries the
// dialog's choice.
inline constexpr int kPioneerYtd = 150;
inline constexpr int kYtdSummary = 151;

}  // namespace zarim::report_kind
