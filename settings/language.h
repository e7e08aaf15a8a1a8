// The language table: 500 user-visible texts, addressed as language entry N.
#pragma once

#include <array>
#include <string>

namespace pelrin {

inline constexpr int kLanguageEntryCount = 500;

class LanguageTable {
 public:
  // The text of entry `index`; empty when not loaded or out of range.
  const std::u16string& Entry(int index) const;
  // Stores a text; indexes outside 0 to 499 are ignored.
  void Set(int index, std::u16string text);
  void Clear();

 private:
  std::array<std::u16string, kLanguageEntryCount> entries_;
};

// The process-wide table loaded at start-up.
LanguageTable& Language();
inline const std::u16string& LanguageEntry(int index) { return Language().Entry(index); }

}  // namespace pelrin
