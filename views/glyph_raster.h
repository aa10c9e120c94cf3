// Glyphs drawn into the cells of a glyph page: each character in white on
// black without smoothing, then every touched pixel set to the font colour
// and every other pixel left transparent.
#pragma once

#include "frame.h"

#include <QFont>
#include <QImage>

namespace ampera {

// The font of a page: its face (fontconfig substitutes an installed CJK face
// for "宋体"), its pixel size, normal weight, no smoothing.
QFont GlyphFont(const CGlyphPage& page);

// Redraws one cell of a 256 x 256 page image (Format_ARGB32).
void DrawGlyphCell(QImage& pageImage, const QFont& font, const CGlyphPage& page, int cell);

// A page image with every used cell drawn.
QImage DrawGlyphPage(const CGlyphPage& page);

} // namespace ampera
