// Choosing an entry of a list of numbers (days, years, counts) by typing it: "2" is the
// 2nd, not the first entry that starts with a 2 ("20"), and "1985" is reached key by key.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zarim {

// True when every entry is blank or a number (digits after trimming), and one is.
bool IsNumberList(const std::vector<std::string>& items);

// The entry for the digits typed so far: the first whose number equals them (leading
// zeros ignored on both sides), else the first whose number begins with them; -1 when
// none does.
int MatchTypedNumber(const std::vector<std::string>& items, std::string_view typed);

// The typed digits after one more key: the key is added when the longer text still
// matches an entry, else it starts anew. The result is what to match.
std::string NextTypedNumber(const std::vector<std::string>& items, std::string_view typed,
                            char key);

}  // namespace zarim
