// Number lists chosen by typed digits: days, years, entries that are no numbers.
#include "core/typed_number.h"

#include <gtest/gtest.h>

#include "core/strings.h"

namespace zarim {
namespace {

std::vector<std::string> Days() {
  std::vector<std::string> out{""};
  for (int d = 1; d <= 31; ++d) out.push_back(Printf("%02d", d));
  return out;
}

// The entry reached after typing the keys one by one.
int AfterKeys(const std::vector<std::string>& items, std::string_view keys) {
  std::string typed;
  for (char k : keys) typed = NextTypedNumber(items, typed, k);
  return MatchTypedNumber(items, typed);
}

TEST(TypedNumber, KeysReachTheNumberTyped) {
  const std::vector<std::string> years{"", "1900", "1901", "1985", "2024"};
  struct Case {
    const std::vector<std::string>* items;
    const char* keys;
    int index;
  } cases[] = {
      {nullptr, "2", 2},   {nullptr, "02", 2},  {nullptr, "25", 25},   {nullptr, "3", 3},
      {nullptr, "31", 31}, {nullptr, "35", 5},  {nullptr, "0", -1},    {&years, "1", 1},
      {&years, "198", 3},  {&years, "1985", 3}, {&years, "20245", -1}, {&years, "7", -1},
  };
  const std::vector<std::string> days = Days();
  for (const Case& c : cases)
    EXPECT_EQ(AfterKeys(c.items ? *c.items : days, c.keys), c.index) << c.keys;
  EXPECT_TRUE(IsNumberList(days));
  EXPECT_FALSE(IsNumberList({"", "January"}));
  EXPECT_FALSE(IsNumberList({"1", "2a"}));
}

}  // namespace
}  // namespace zarim
