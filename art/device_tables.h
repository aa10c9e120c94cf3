// The devices' own geometry tables (board sizes and terminals, panel
// controls and knob travels, panel sheet regions) read as Qt shapes. The
// pictures are drawn from these tables alone, so that every lead, post,
// knob and button lands where the program puts its node, hit rectangle or
// sheet cut; the artwork keeps no copy of its own.
#pragma once

#include "devices/kind_geometry.h"
#include "devices/panel_layout.h"
#include "devices/panel_sheet_regions.h"

#include <QPointF>
#include <QRectF>

#include <cstddef>
#include <vector>

namespace art {

namespace geometry = ampera::geometry;
namespace layout = ampera::layout;
namespace sheet = ampera::sheet;

// Terminal `index` of a body, in board pixels from its top-left corner.
inline QPointF Terminal(const geometry::CBodyGeometry& body, std::size_t index) {
    return QPointF(body.terminals[index].x, body.terminals[index].y);
}

// A panel rectangle, and its centre (where a knob turns).
inline QRectF Rect(const ampera::CPanelRect& r) {
    return QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom));
}
inline QPointF Centre(const ampera::CPanelRect& r) {
    return QPointF((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0);
}

// Where a display's digits go on its panel: x where the rightmost cell ends,
// y where the cells start.
inline QPointF PanelDigits(const layout::CDigitWindow& window) {
    return QPointF(window.panelRight - window.fromRight, window.panelTop + window.fromTop);
}

// A region of the panel sheet (u/v corners) in the sheet's pixels.
inline QRectF SheetPixels(const ampera::CPanelRect& uv) {
    const double s = sheet::kPixels;
    return QRectF(QPointF(uv.left * s, uv.top * s), QPointF(uv.right * s, uv.bottom * s));
}

// The angles of every position of a knob, clockwise from upright.
inline std::vector<double> Angles(const ampera::CKnobTravel& knob) {
    std::vector<double> out;
    for (int p = knob.minimum; p <= knob.maximum; ++p)
        out.push_back(knob.DegreesAt(p));
    return out;
}

} // namespace art
