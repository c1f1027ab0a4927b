// The names of the rows and fields of the monthly totals, as the command line's text and
// JSON output name them.
#pragma once

#include "cycle/branch_totals.h"

namespace zarim::cli {

inline constexpr const char* kRowNames[kTotalsRows] = {"publishers", "auxiliary", "regular",
                                                       "special"};
inline constexpr const char* kFieldNames[kTotalsFields] = {
    "placements", "videos", "hours",         "return_visits", "studies",
    "active",     "unused", "quarter_hours", "reports"};

}  // namespace zarim::cli
