// The language table.
#include "settings/language.h"

namespace pelrin {

const std::u16string& LanguageTable::Entry(int index) const {
  static const std::u16string kEmpty;
  return index >= 0 && index < kLanguageEntryCount ? entries_[static_cast<std::size_t>(index)] : kEmpty;
}

void LanguageTable::Set(int index, std::u16string text) {
  if (index >= 0 && index < kLanguageEntryCount) entries_[static_cast<std::size_t>(index)] = std::move(text);
}

void LanguageTable::Clear() {
  for (auto& entry : entries_) entry.clear();
}

LanguageTable& Language() {
  static LanguageTable table;
  return table;
}

}  // namespace pelrin
