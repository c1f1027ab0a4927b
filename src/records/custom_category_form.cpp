// The custom publisher category.
#include "records/custom_category_form.h"

#include "core/strings.h"
#include "core/text_codec.h"

namespace zarim {

std::string CategoryQuestion::Text() const {
  return Fill(Sid::kCategoryQuestion, std::to_string(count), old_name);
}
std::string CategoryQuestion::ChangeCaption() const {
  return Fill(Sid::kChangeAll, old_name, new_name);
}
std::string CategoryQuestion::ClearCaption() const { return std::string(Str(Sid::kClearAll)); }

CustomCategoryForm::CustomCategoryForm(CZarimDoc& doc) : doc_(doc) {
  name = ToUtf8(doc.options.custom_category_name, doc.language_code);
  enabled = doc.options.custom_category_enabled != 0;
}

bool CustomCategoryForm::Ok(const CategoryAsker& ask) {
  if (const std::string fault = CodePageFault(name, doc_.language_code); !fault.empty()) {
    doc_.prompter->Tell(fault);
    return false;
  }
  std::string fresh(Trim(FromUtf8(name, doc_.language_code)));
  if (fresh.size() > kMaxCategoryName) fresh.resize(kMaxCategoryName);
  const std::string& old = doc_.options.custom_category_name;
  bool renamed = fresh != old;
  if (renamed) {
    CategoryQuestion q;
    for (int r = 1; r < doc_.count; ++r)
      if (doc_.records[r].flags & kCustomCategory) ++q.count;
    q.old_name = ToUtf8(old, doc_.language_code);
    q.new_name = ToUtf8(fresh, doc_.language_code);
    std::optional<CategoryChoice> choice =
        ask ? ask(q) : std::optional<CategoryChoice>(CategoryChoice::kChangeAll);
    if (!choice) return false;
    if (*choice == CategoryChoice::kClearAll)
      for (int r = 1; r < doc_.count; ++r)
        doc_.records[r].flags &= static_cast<uint8_t>(~kCustomCategory);
    doc_.options.custom_category_name = fresh;
  }
  // An empty name switches the category off.
  int flag = enabled && !fresh.empty() ? 1 : 0;
  doc_.options.custom_category_enabled = flag;
  return true;
}

bool ToggleAutoCaps(CZarimDoc& doc) {
  doc.options.autocaps = doc.options.autocaps ? 0 : 1;
  return doc.options.autocaps != 0;
}

}  // namespace zarim
