// Where every front panel has its controls, in panel pixels from the panel
// picture's top-left corner: hit rectangles, the rectangles the knob pictures
// and needles cover, the knobs' travels, and where the displays put their
// digits. The devices build their panels from these tables and the artwork
// draws each panel picture from them, so that every control sits over its
// picture. Header only and standard C++ only: the art generator reads it
// without linking anything of the program.
#pragma once

#include "panel_geometry.h"

namespace ampera::layout {

struct CPanelSize {
    float width = 0, height = 0;
};

// Where a display puts its digits (cells 17 x 30, 18 pixels apart): the
// rightmost cell ends `fromRight` pixels left of the body's right edge and
// the cells start `fromTop` below its top; the panel shows the same digits
// shifted so that the body's top-right corner lands at (panelRight, panelTop).
struct CDigitWindow {
    float fromRight = 0, fromTop = 0;
    float panelRight = 0, panelTop = 0;
};

// The two decade boxes: knobs of ten positions round a full circle, a new
// box at 9; each knob's needle is cut from the panel sheet, 9 x 58 pixels,
// standing kNeedleLeft right of the knob's left edge from `needleTop` down.
namespace decade_box {
inline constexpr CKnobTravel kKnob = FullCircleTravel(10, 9, true);
inline constexpr float kNeedleLeft = 36, kNeedleWidth = 9, kNeedleHeight = 58;
struct CDecade {
    CPanelRect hit;
    float needleTop;
};
} // namespace decade_box

namespace resistance_box {
inline constexpr CPanelSize kPanel{306, 200};
// x1, x10, x100 on the top row, x1000, x10000, x100000 below.
inline constexpr decade_box::CDecade kDecades[6] = {{{0, 0, 80, 80}, 28},        {{100, 0, 180, 80}, 28},
                                                    {{200, 0, 280, 80}, 28},     {{0, 105, 80, 195}, 129},
                                                    {{100, 105, 180, 195}, 129}, {{200, 105, 280, 195}, 129}};
} // namespace resistance_box

namespace capacitance_box {
inline constexpr CPanelSize kPanel{211, 200};
// x0.001, x0.01 on the top row, x0.1, x1 below; the lower needles stand
// where the resistance box has them.
inline constexpr decade_box::CDecade kDecades[4] = {
    {{0, 0, 80, 80}, 28}, {{100, 0, 180, 80}, 28}, {{0, 105, 80, 185}, 129}, {{100, 105, 180, 185}, 129}};
} // namespace capacitance_box

// The DC and AC sources share one panel: a coarse knob (2 V a step) under
// the sheet's needle, a fine knob (0.2 V) whose face picture turns as a
// whole, and a power button.
namespace knob_source {
inline constexpr CPanelSize kPanel{216, 211};
inline constexpr CPanelRect kCoarseRect{0, 100, 70, 170};
inline constexpr CPanelRect kFineRect{90, 100, 160, 170};
inline constexpr CPanelRect kPowerRect{120, 175, 180, 200};
inline constexpr CKnobTravel kCoarse = LimitedTravel(0, 9, 5, 5, 36, -180, 144);
inline constexpr CKnobTravel kFine = LimitedTravel(0, 10, 0, 5, 30, -150, 150);
inline constexpr CDigitWindow kDisplay{11.5f, 11.5f, 175, 5};
} // namespace knob_source

// The frequency knobs of the signal generator and the level meter: face
// pictures of their own over the hit rectangles, the sheet's needle on top.
namespace frequency_knobs {
inline constexpr CPanelRect kCoarseRect{20, 90, 90, 160};
inline constexpr CPanelRect kFineRect{110, 90, 180, 160};
inline constexpr CKnobTravel kCoarse = LimitedTravel(0, 9, 5, 5, 36, -180, 144);
inline constexpr CKnobTravel kFine =
    LimitedTravel(0, 10, 0, 5, 360.0 / 11.0, -5 * 360.0 / 11.0, 5 * 360.0 / 11.0);
} // namespace frequency_knobs

namespace signal_generator {
inline constexpr CPanelSize kPanel{487, 173};
inline constexpr CPanelRect kWaveRects[3] = {{225, 10, 260, 65}, {270, 10, 305, 65}, {315, 10, 350, 65}};
// Bands 1M ... 1, 40 pixels apart.
inline constexpr CPanelRect kBandRects[7] = {{210, 100, 240, 140}, {250, 100, 280, 140}, {290, 100, 320, 140},
                                             {330, 100, 360, 140}, {370, 100, 400, 140}, {410, 100, 440, 140},
                                             {450, 100, 480, 140}};
inline constexpr CPanelRect kPowerRect{425, 50, 475, 80};
inline constexpr CPanelRect kAmplitudeRect{360, 10, 430, 80};
inline constexpr CKnobTravel kAmplitude = LimitedTravel(0, 11, 2, 6, 30, -180, 150);
inline constexpr CDigitWindow kDisplay{35.5f, 13.5f, 225, 5};
} // namespace signal_generator

namespace level_meter {
inline constexpr CPanelSize kPanel{487, 173};
// Bands x1M ... x1k, where the signal generator has its first four.
inline constexpr CPanelRect kBandRects[4] = {
    {210, 100, 240, 140}, {250, 100, 280, 140}, {290, 100, 320, 140}, {330, 100, 360, 140}};
inline constexpr CPanelRect kPowerRect{425, 50, 475, 80};
inline constexpr CPanelRect kRangeRect{370, 90, 463, 160};
inline constexpr CKnobTravel kRange = LimitedTravel(0, 4, 4, 2, 72, -144, 144);
// Two displays, one panel shift: the level and the frequency digits.
inline constexpr CDigitWindow kLevelDisplay{118.5f, 21.5f, 325, 5};
inline constexpr CDigitWindow kFrequencyDisplay{35.5f, 23.5f, 325, 5};
} // namespace level_meter

// The meters with a range knob under the sheet's needle (0.8 of the knob's
// shorter side long) and a power button.
namespace multimeter {
inline constexpr CPanelSize kPanel{247, 312};
inline constexpr CPanelRect kKnobRect{5, 100, 215, 300};
inline constexpr CPanelRect kPowerRect{160, 75, 205, 95};
inline constexpr CPanelRect kGlassRect{86, 10, 206, 53}; // the LCD window cut from the panel sheet
inline constexpr CKnobTravel kRange = FullCircleTravel(32, 0, true);
inline constexpr CDigitWindow kDisplay{20.5f, 16.5f, 220, 0};
} // namespace multimeter

// The digital DC voltmeter and ammeter share one panel layout.
namespace dc_meter {
inline constexpr CPanelSize kPanel{247, 186};
inline constexpr CPanelRect kKnobRect{0, 80, 113, 170};
inline constexpr CPanelRect kPowerRect{165, 130, 225, 155};
inline constexpr CKnobTravel kVoltRange = LimitedTravel(0, 4, 2, 2, 72, -144, 144);
inline constexpr CKnobTravel kAmpereRange = LimitedTravel(0, 3, 2, 2, 90, -180, 90);
inline constexpr CDigitWindow kDisplay{20.5f, 16.5f, 220, 0};
} // namespace dc_meter

// The AC millivoltmeter and the galvanometer: one layout, the galvanometer's
// knob reaching 10 pixels higher.
namespace ac_meter {
inline constexpr CPanelSize kPanel{332, 127};
inline constexpr CPanelRect kMillivoltmeterKnobRect{233, 10, 313, 70};
inline constexpr CPanelRect kGalvanometerKnobRect{233, 0, 313, 70};
inline constexpr CPanelRect kPowerRect{255, 100, 315, 125};
inline constexpr CKnobTravel kRange = LimitedTravel(0, 4, 2, 2, 72, -144, 144);
inline constexpr CDigitWindow kDisplay{50, 14, 277, 20};
} // namespace ac_meter

// The oscilloscope: its knobs are pictures turned as a whole (the knob at
// kKnobScale of the largest square in its hit rectangle, a dial ring over
// the whole square); every knob turns as many degrees per step as it has
// steps above zero. Slides move kSlideStep pixels per position.
namespace oscilloscope {
inline constexpr CPanelSize kPanel{625, 260};
inline constexpr CPanelRect kY1PositionRect{330, 5, 380, 55};
inline constexpr CPanelRect kY2PositionRect{410, 5, 470, 55};
inline constexpr CPanelRect kY1GainRect{320, 150, 403, 220};
inline constexpr CPanelRect kY2GainRect{420, 150, 493, 220};
inline constexpr CPanelRect kXPositionRect{540, 20, 590, 70};
inline constexpr CPanelRect kTimeBaseRect{510, 115, 607, 205};
inline constexpr CPanelRect kModeRect{380, 60, 420, 140};
inline constexpr CPanelRect kModeSlide{380, 60, 420, 150};
inline constexpr CPanelRect kTimes5Rect{540, 80, 580, 110};
inline constexpr CPanelRect kPowerRect{530, 225, 595, 255};
inline constexpr CPanelRect kCoupling1Rect{330, 230, 390, 250};
inline constexpr CPanelRect kCoupling2Rect{420, 230, 480, 250};
inline constexpr float kCouplingSlideWidth = 20; // one of three positions
inline constexpr float kSlideStep = 20;
inline constexpr float kKnobScale = 0.8f;
inline constexpr CKnobTravel kPosition = LimitedTravel(0, 12, 6, 6, 12, -72, 72);
inline constexpr CKnobTravel kGain = LimitedTravel(0, 9, 1, 5, 9, -45, 36);
inline constexpr CKnobTravel kTimeBase = LimitedTravel(0, 16, 3, 8, 16, -128, 128);

// The screen, in its own pixels (x to the right, y upwards from the
// bottom-left corner): divisions of 32 pixels, the channels' zero level and
// time zero on the centre lines.
inline constexpr double kScreenWidth = 320, kScreenHeight = 256;
inline constexpr double kPixelsPerDivision = 32;
inline constexpr double kScreenCentreX = 160, kScreenCentreY = 133;
} // namespace oscilloscope

} // namespace ampera::layout
