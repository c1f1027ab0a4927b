// One corrections-log entry in the command line's JSON, for `corrections` and
// `branch-check`.
#pragma once

#include "cli/json.h"
#include "core/corrections_file.h"

namespace zarim::cli {

inline void CorrectionJson(Json& j, const CorrectionEntry& e) {
  j.BeginObject()
      .Field("when", e.when)
      .Field("command", e.command)
      .Field("publisher_id", e.publisher_id)
      .Field("publisher", e.publisher)
      .Field("month", e.month)
      .Field("year", e.year)
      .Field("field", e.field)
      .Field("old", e.old_value)
      .Field("new", e.new_value)
      .EndObject();
}

}  // namespace zarim::cli
