// Number lists chosen by typed digits.
#include "core/typed_number.h"

#include "core/bytes.h"

namespace zarim {

namespace {

// The number of an entry without leading zeros ("0" stays), or "" when it is no number.
std::string NumberOf(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return {};
  for (char c : text)
    if (c < '0' || c > '9') return {};
  size_t zeros = text.find_first_not_of('0');
  return std::string(zeros == std::string_view::npos ? std::string_view("0") : text.substr(zeros));
}

}  // namespace

bool IsNumberList(const std::vector<std::string>& items) {
  bool any = false;
  for (const std::string& item : items) {
    if (Trim(item).empty()) continue;
    if (NumberOf(item).empty()) return false;
    any = true;
  }
  return any;
}

int MatchTypedNumber(const std::vector<std::string>& items, std::string_view typed) {
  const std::string wanted = NumberOf(typed);
  if (wanted.empty()) return -1;
  int prefix = -1;
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string n = NumberOf(items[i]);
    if (n == wanted) return static_cast<int>(i);
    if (prefix < 0 && n.size() > wanted.size() && n.compare(0, wanted.size(), wanted) == 0)
      prefix = static_cast<int>(i);
  }
  return prefix;
}

std::string NextTypedNumber(const std::vector<std::string>& items, std::string_view typed,
                            char key) {
  std::string longer = std::string(typed) + key;
  if (MatchTypedNumber(items, longer) >= 0) return longer;
  return std::string(1, key);
}

}  // namespace zarim
