// Reading the artwork table: whitespace-separated columns, '#' comment lines, '@colour' theme lines.
#include "skins/generator/artwork_table.h"

#include <set>
#include <sstream>

namespace pelrin::skins {

namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
  throw ArtworkError("artwork table line " + std::to_string(line) + ": " + what);
}

int ParseSize(const std::string& word, int line) {
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(word, &used);
  } catch (const std::exception&) {
    Fail(line, "'" + word + "' is not a size");
  }
  if (used != word.size() || value <= 0 || value > 4096) Fail(line, "'" + word + "' is not a size");
  return value;
}

}  // namespace

std::string ArtworkEntry::Param(const std::string& key, const std::string& fallback) const {
  auto found = params.find(key);
  return found == params.end() ? fallback : found->second;
}

std::string ArtworkEntry::RequiredParam(const std::string& key) const {
  auto found = params.find(key);
  if (found == params.end()) Fail(line, path + " needs " + key + "=...");
  return found->second;
}

int ArtworkEntry::IntParam(const std::string& key, int fallback) const {
  auto found = params.find(key);
  if (found == params.end()) return fallback;
  try {
    std::size_t used = 0;
    int value = std::stoi(found->second, &used);
    if (used == found->second.size()) return value;
  } catch (const std::exception&) {
  }
  Fail(line, key + "=" + found->second + " is not a number");
}

QColor Theme::Colour(const std::string& name) const {
  auto found = colours.find(name);
  if (found == colours.end()) throw ArtworkError("theme colour '" + name + "' is not defined");
  return found->second;
}

ArtworkTable ParseArtworkTable(const std::string& text) {
  ArtworkTable table;
  std::set<std::string> paths;
  std::istringstream lines(text);
  std::string raw;
  int lineNumber = 0;
  while (std::getline(lines, raw)) {
    ++lineNumber;
    std::istringstream words(raw);
    std::vector<std::string> columns;
    for (std::string word; words >> word;) columns.push_back(word);
    if (columns.empty() || columns[0][0] == '#') continue;  // blank or comment line
    // The build reads the output list from lines that start with the path; keep both views equal.
    if (raw[0] == ' ' || raw[0] == '\t') Fail(lineNumber, "entries start in the first column");

    if (columns[0] == "@colour") {
      if (columns.size() != 3) Fail(lineNumber, "expected '@colour name #RRGGBB'");
      QColor colour(QString::fromStdString(columns[2]));
      if (!colour.isValid() || columns[2].size() != 7) Fail(lineNumber, "'" + columns[2] + "' is not #RRGGBB");
      if (!table.theme.colours.emplace(columns[1], colour).second) Fail(lineNumber, "colour '" + columns[1] + "' defined twice");
      continue;
    }

    if (columns.size() < 4) Fail(lineNumber, "expected 'path width height kind [key=value ...]'");
    ArtworkEntry entry;
    entry.line = lineNumber;
    entry.path = columns[0];
    if (entry.path.rfind("skins/", 0) != 0 && entry.path.rfind("res/", 0) != 0) {
      Fail(lineNumber, "path must start with skins/ or res/");
    }
    if (entry.path.find("..") != std::string::npos) Fail(lineNumber, "path must not leave its folder");
    if (!paths.insert(entry.path).second) Fail(lineNumber, entry.path + " listed twice");
    entry.width = ParseSize(columns[1], lineNumber);
    entry.height = ParseSize(columns[2], lineNumber);
    entry.kind = columns[3];
    for (std::size_t i = 4; i < columns.size(); ++i) {
      auto equals = columns[i].find('=');
      if (equals == std::string::npos || equals == 0) Fail(lineNumber, "'" + columns[i] + "' is not key=value");
      if (!entry.params.emplace(columns[i].substr(0, equals), columns[i].substr(equals + 1)).second) {
        Fail(lineNumber, "parameter '" + columns[i].substr(0, equals) + "' given twice");
      }
    }
    table.entries.push_back(std::move(entry));
  }
  return table;
}

}  // namespace pelrin::skins
