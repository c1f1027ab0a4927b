// The custom publisher category: its name and enabled flag ("Custom Publisher
// Category"), the "Change Category Name" question when it is renamed, and AutoCaps.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/document.h"

namespace zarim {

inline constexpr int kMaxCategoryName = 15;

// What "Change Category Name" asks: %1 publishers marked as %2.
struct CategoryQuestion {
  int count = 0;
  std::string old_name, new_name;  // UTF-8
  std::string Text() const;
  std::string ChangeCaption() const;
  std::string ClearCaption() const;
};
enum class CategoryChoice { kChangeAll, kClearAll };
// Shows the question; nothing when the user cancels.
using CategoryAsker = std::function<std::optional<CategoryChoice>(const CategoryQuestion&)>;

class CustomCategoryForm {
 public:
  explicit CustomCategoryForm(CZarimDoc& doc);
  std::string name;  // UTF-8
  bool enabled = false;
  // Stores name and flag. A renamed category asks first; Cancel there stores nothing
  // and returns false.
  bool Ok(const CategoryAsker& ask);

 private:
  CZarimDoc& doc_;
};

// "Enable AutoCaps": toggles the flag. Returns the new
// state (the menu item's check mark).
bool ToggleAutoCaps(CZarimDoc& doc);

}  // namespace zarim
