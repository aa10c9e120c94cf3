// The oscilloscope's front panel. Its knobs are pictures the program turns as
// a whole (the position-knob picture at 0.8 of each knob's square, a bezel
// ring over it at the full square); a turned square sweeps beyond its own
// edges, so the printed scales and captions keep out of that reach: 40 pixels
// round the gain knobs, 49 round the time base, 25 round the position knobs.
#include "device_tables.h"
#include "drawings.h"
#include "paint.h"

namespace art {

namespace {
const QColor kInk = colour::kInk;
} // namespace

void PaintOscilloscopePanel(QPainter& p, int w, int h) {
    namespace scope = layout::oscilloscope;
    PanelBase(p, w, h);
    // The screen picture covers the top-left corner; its bezel shows round it.
    const QRectF screen(0, 0, scope::kScreenWidth, scope::kScreenHeight);
    p.fillRect(QRectF(0, 0, screen.width() + 2, h), QColor(0x2a, 0x2d, 0x33));
    p.fillRect(screen, QColor(0x06, 0x1a, 0x10));
    Text(p, QRectF(478, 2, 62, 16), QStringLiteral("双踪示波器"), 10, colour::kAccent, Qt::AlignCenter, true);

    // Vertical position knobs, the caption between them.
    const ampera::CKnobTravel& position = scope::kPosition;
    Knob(p, Centre(scope::kY1PositionRect), 18, true, position.DegreesAt(position.position));
    Knob(p, Centre(scope::kY2PositionRect), 18, true, position.DegreesAt(position.position));
    StackedText(p, QPointF(397, 6), QStringLiteral("位移"), 10, kInk, true);
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(397, 31), QPointF(397, 45));
    p.drawLine(QPointF(394, 34), QPointF(397, 31));
    p.drawLine(QPointF(400, 34), QPointF(397, 31));
    p.drawLine(QPointF(394, 42), QPointF(397, 45));
    p.drawLine(QPointF(400, 42), QPointF(397, 45));

    // Display mode slide: its cap moves down a step per position; the cap's
    // index notch points at the legends on the right.
    const QRectF mode = Rect(scope::kModeRect);
    SlideSlot(p, QRectF(mode.center().x() - 5, mode.top() + 2, 10, mode.height() - 2));
    const QString modes[4] = {QStringLiteral("CH1"), QStringLiteral("CH2"), QStringLiteral("双踪"),
                              QStringLiteral("X-Y")};
    for (int i = 0; i < 4; ++i)
        Text(p, QRectF(mode.right() + 3, mode.top() + 4 + scope::kSlideStep * i, 40, 14), modes[i], 9, kInk,
             Qt::AlignLeft | Qt::AlignVCenter, true);
    StackedText(p, QPointF(340, 68), QStringLiteral("显示方式"), 10, kInk, true);

    // Vertical gain: 10 positions 9 degrees apart, 5 V/div down to 5 mV/div.
    const ampera::CKnobTravel& gain = scope::kGain;
    for (int ch = 0; ch < 2; ++ch) {
        const QPointF c = Centre(ch == 0 ? scope::kY1GainRect : scope::kY2GainRect);
        const std::vector<double> a = Angles(gain);
        DialTicks(p, c, 40.5, 44.5, a, kInk, 1.1);
        DialArc(p, c, 44.5, a.front(), a.back(), kInk, 0.8);
        Knob(p, c, 22, true, gain.DegreesAt(gain.position));
        // Channel 2's first label stays right of x 420, where the mode slide's
        // picture ends.
        TextAt(p, Polar(c, 50, -45) + QPointF(ch == 0 ? 2 : 9, -3), QStringLiteral("5V"), 8, kInk, true);
        TextAt(p, Polar(c, 51, 0), QStringLiteral(".1"), 8, kInk, true);
        // The last label of channel 1 ends left of x 380, where the mode
        // slide's cap passes over the panel.
        Text(p, QRectF(Polar(c, 48, 36).x() - (ch == 0 ? 27 : 6), Polar(c, 48, 36).y() - 9, 20, 12),
             QStringLiteral("5m"), 8, kInk,
             ch == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter, true);
        Text(p, QRectF(c.x() - 48, 216, 30, 12), ch == 0 ? QStringLiteral("CH1") : QStringLiteral("CH2"), 9,
             kInk, Qt::AlignCenter, true);
        Text(p, QRectF(c.x() + 16, 216, 34, 12), QStringLiteral("伏/格"), 9, kInk, Qt::AlignCenter, true);
    }
    // Input coupling slides: AC, GND, DC, legends below.
    for (int ch = 0; ch < 2; ++ch) {
        const QRectF coupling = Rect(ch == 0 ? scope::kCoupling1Rect : scope::kCoupling2Rect);
        const double x0 = coupling.left();
        SlideSlot(p, QRectF(x0, coupling.top() + 4, coupling.width(), 12));
        const QString pos[3] = {QStringLiteral("AC"), QStringLiteral("GND"), QStringLiteral("DC")};
        for (int i = 0; i < 3; ++i)
            TextAt(p, QPointF(x0 + scope::kCouplingSlideWidth / 2 + scope::kSlideStep * i, 255), pos[i], 7,
                   colour::kInkSoft, true);
    }
    Text(p, QRectF(390, 232, 30, 16), QStringLiteral("耦合"), 8, kInk);

    // Horizontal position and the x5 key.
    Knob(p, Centre(scope::kXPositionRect), 18, true, position.DegreesAt(position.position));
    Text(p, QRectF(484, 38, 52, 14), QStringLiteral("水平位移"), 9, kInk, Qt::AlignCenter, true);
    ButtonWell(p, Rect(scope::kTimes5Rect));
    Text(p, QRectF(484, 88, 52, 14), QStringLiteral("扩展×5"), 9, kInk, Qt::AlignCenter, true);

    // Time base: 17 positions 16 degrees apart, every other one labelled
    // (the middle one hides under the x5 key).
    const ampera::CKnobTravel& timeBase = scope::kTimeBase;
    const QPointF tb = Centre(scope::kTimeBaseRect);
    const std::vector<double> ta = Angles(timeBase);
    DialTicks(p, tb, 50, 54, ta, kInk, 1.1);
    const char* const times[17] = {"2s",  "1s",  "50m", "20m", "10m", "5m", "2m", "1m", ".5m",
                                   ".2m", ".1m", "50μ", "20μ", "10μ", "5μ", "2μ", "1μ"};
    for (int i = 0; i <= 16; i += 2)
        if (i != 8) TextAt(p, Polar(tb, 61, ta[i]), QString::fromUtf8(times[i]), 8, kInk, true);
    Knob(p, tb, 28, true, timeBase.DegreesAt(timeBase.position));
    Text(p, QRectF(tb.x() - 30, 212, 60, 12), QStringLiteral("秒/格"), 10, kInk, Qt::AlignCenter, true);

    ButtonWell(p, Rect(scope::kPowerRect));
    Text(p, QRectF(490, 232, 38, 16), QStringLiteral("电源"), 10, kInk, Qt::AlignCenter, true);
}

} // namespace art
