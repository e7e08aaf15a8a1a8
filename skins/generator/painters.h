// Painting one artwork entry into an image of exactly the entry's size.
#pragma once

#include "skins/generator/artwork_table.h"

#include <QImage>

namespace pelrin::skins {

// Paints `entry` with the colours of `theme`. Bitmaps (".bmp") come back opaque, PNGs with alpha.
// Throws ArtworkError for an unknown kind or a missing or bad parameter.
QImage PaintEntry(const ArtworkEntry& entry, const Theme& theme);

}  // namespace pelrin::skins
