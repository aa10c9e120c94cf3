// Regions of the shared panel sheet "devpic\panal\above.tga" (256 x 256)
// that panels and displays cut their pictures from, as texture corners
// (u left, v top, u right, v bottom). The artwork draws each region here.
#pragma once

#include "panel_control.h"

namespace ampera::sheet {

inline constexpr const char* kPicture = "devpic\\panal\\above.tga";

// Digit d of the displays spans u d/15 .. (d+1)/15, v 0 .. kDigitV.
inline constexpr float kDigitV = 0.1215686f;
inline constexpr CPanelRect kDecimalPoint{0.6640725f, 0.0f, 0.6796875f, 0.015625f};
inline constexpr CPanelRect kUnitBar{0.6640625f, 0.0f, 0.6796875f, 0.015625f};
inline constexpr CPanelRect kNeedle{0.16796875f, 0.12109375f, 0.203125f, 0.34375f};

inline constexpr CPanelRect kStepDownReleased{0.08203125f, 0.84375f, 0.140625f, 0.90234375f};
inline constexpr CPanelRect kStepDownPressed{0.0f, 0.84375f, 0.05859375f, 0.90234375f};
inline constexpr CPanelRect kStepUpReleased{0.08203125f, 0.94140625f, 0.140625f, 1.0f};
inline constexpr CPanelRect kStepUpPressed{0.0f, 0.94140625f, 0.05859375f, 1.0f};

inline constexpr CPanelRect kWaveReleased{0.3515625f, 0.3984375f, 0.48828125f, 0.6328125f};
inline constexpr CPanelRect kWavePressed{0.21875f, 0.3984375f, 0.34765625f, 0.6328125f};
inline constexpr CPanelRect kBandReleased{0.21875f, 0.16015625f, 0.38671875f, 0.359375f};
inline constexpr CPanelRect kBandPressed{0.390625f, 0.16015625f, 0.5546875f, 0.359375f};

// Power buttons (our own choice of region): lit and dark rocker.
inline constexpr CPanelRect kPowerOn{0.625f, 0.6875f, 0.8125f, 0.78125f};
inline constexpr CPanelRect kPowerOff{0.8125f, 0.6875f, 1.0f, 0.78125f};

} // namespace ampera::sheet

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
