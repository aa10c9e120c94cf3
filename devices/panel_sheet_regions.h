// Regions of the shared panel sheet "devpic\panal\above.tga" (256 x 256)
// that panels and displays cut their pictures from, as texture corners
// (u left, v top, u right, v bottom). The artwork draws each region here.
// Header only and standard C++ only: the artwork reads it without linking
// anything of the program.
#pragma once

#include "panel_geometry.h"

namespace ampera::sheet {

inline constexpr const char* kPicture = "devpic\\panal\\above.tga";
inline constexpr int kPixels = 256; // width and height

// Digit d of the displays spans u d/kDigitCells .. (d+1)/kDigitCells, v 0 .. kDigitV.
inline constexpr int kDigitCells = 15;
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
