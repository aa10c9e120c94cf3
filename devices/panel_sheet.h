// Helpers that cut panel pictures from the shared panel sheet; the sheet's
// regions themselves are in panel_sheet_regions.h.
#pragma once

#include "panel_control.h"
#include "panel_sheet_regions.h"

namespace ampera {

// A panel picture filling a rectangle.
inline CDrawItem PanelPicture(const CPanelRect& r, const char* picture) {
    return CDrawItem::Quad(r.left, r.top, r.right, r.bottom, picture);
}

// The sheet's needle (9 x 57 pixels) kept at that shape and centred on a knob,
// so that turning the quad about its centre turns it about the knob's axis.
inline CDrawItem SheetNeedle(const CPanelRect& knob) {
    const float height = knob.bottom - knob.top;
    const float half = height * 9.0f / 57.0f / 2.0f;
    const float centre = (knob.left + knob.right) / 2.0f;
    CDrawItem needle = CDrawItem::Quad(centre - half, knob.top, centre + half, knob.bottom, sheet::kPicture);
    needle.SetUV(sheet::kNeedle.left, sheet::kNeedle.top, sheet::kNeedle.right, sheet::kNeedle.bottom);
    needle.flags |= DRAW_ROTATE;
    return needle;
}

} // namespace ampera
