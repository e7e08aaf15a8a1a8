// The language files shipped inside the program, already in the stored form (UTF-16LE, byte-order mark).
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace pelrin {

struct ShippedLanguageFile {
  std::string_view name;   // file name in the config folder, e.g. "Lan_EN.txt"
  std::string_view bytes;  // the file's contents
};

std::span<const ShippedLanguageFile> ShippedLanguageFiles();

// The shipped file called `name`; nullopt when there is none.
std::optional<std::string_view> ShippedLanguage(std::string_view name);

}  // namespace pelrin
