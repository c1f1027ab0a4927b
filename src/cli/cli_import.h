// What the report-import commands of zarim-cli share: the check that reports can be
// posted, and posting the chosen ones through the selection-and-posting form.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "exchange/report_import.h"

namespace zarim::cli {

// False (with the reason) when the working month is not open for posting.
bool CanPost(Context& ctx);
// Prints the counts and one line per report ("posted" or "not selected"), then posts the
// selected ones: all of them, those of the identifiers in ids ("10,12"), or none.
Outcome PostSelected(Context& ctx, std::vector<IncomingReport> reports, bool all,
                     const std::optional<std::string>& ids, bool credit);

}  // namespace zarim::cli
