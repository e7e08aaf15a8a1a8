// The artwork table: theme colours and one entry per generated image, read from skins/artwork.table.
#pragma once

#include <QColor>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace pelrin::skins {

// A mistake in the table (or a painter asked for something the table lacks); the build stops on it.
class ArtworkError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ArtworkEntry {
  std::string path;  // "skins/..." or "res/..."
  int width = 0;
  int height = 0;
  std::string kind;
  std::map<std::string, std::string> params;
  int line = 0;  // line in the table, for messages

  // The value of a parameter, or `fallback` when the entry has none.
  std::string Param(const std::string& key, const std::string& fallback = {}) const;
  // The value of a parameter that the painter cannot do without.
  std::string RequiredParam(const std::string& key) const;
  int IntParam(const std::string& key, int fallback) const;
};

struct Theme {
  std::map<std::string, QColor> colours;
  QColor Colour(const std::string& name) const;
};

struct ArtworkTable {
  Theme theme;
  std::vector<ArtworkEntry> entries;
};

// Parses the table text. Throws ArtworkError naming the line of the first fault.
ArtworkTable ParseArtworkTable(const std::string& text);

}  // namespace pelrin::skins
