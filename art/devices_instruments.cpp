// Board pictures of the sources and instruments: small front views with the
// display windows where the program draws the digits, the controls in
// miniature, and the binding posts on the edge above their terminal nodes.
//
// Display windows: faint unlit cells where the program draws the digits
// (the panel tables' digit windows, counted from the body's right and top
// edges); the signal generator's kHz / Hz marks light 51 pixels down.
#include "device_tables.h"
#include "drawings.h"
#include "paint.h"

#include <QPainterPath>

namespace art {

namespace {

const QColor kLabel(0x1c, 0x2a, 0x48);
const QColor kLabelOnDark(0xe8, 0xea, 0xee);

// Red and black posts for terminals 0 and 1 (terminal 0 is the positive one
// of every source and meter), with their signs beside them.
void Posts(QPainter& p, int w, int h, const geometry::CBodyGeometry& body, double radius = 6) {
    const QPointF t0 = Terminal(body, 0), t1 = Terminal(body, 1);
    EdgePost(p, w, h, t0, Post::Red, radius);
    EdgePost(p, w, h, t1, Post::Black, radius);
    const double y = h - radius - 1.5;
    TextAt(p, QPointF(t0.x() + radius + 5, y), QStringLiteral("+"), 10, colour::kRed, true);
    TextAt(p, QPointF(t1.x() + radius + 5, y), QStringLiteral("−"), 10, colour::kBlack, true);
}

// Unlit cells under a display's digits on a body w pixels wide.
void BoardDigits(QPainter& p, int w, const layout::CDigitWindow& window, int cells) {
    GhostDigits(p, w - window.fromRight, window.fromTop, cells);
}

// A knob in miniature with a tick per position of the panel knob it stands
// for, its pointer at `degrees`.
void MiniKnob(QPainter& p, QPointF c, double r, const ampera::CKnobTravel& knob, double degrees) {
    DialTicks(p, c, r + 1.5, r + 3.5, Angles(knob), kLabel, 0.9);
    Knob(p, c, r, true, degrees);
}

// The DC and AC sources share one case: display, title, coarse and fine
// knobs, power switch and output posts.
void Source(QPainter& p, int w, int h, const geometry::CBodyGeometry& body, const QString& kind,
            const QString& title) {
    InstrumentCase(p, QRectF(0, 0, w, h), 3, 6);
    const QRectF window(44, 7, w - 44 - 6, 39);
    DisplayWindow(p, window);
    BoardDigits(p, w, layout::knob_source::kDisplay, 3);
    Text(p, QRectF(6, 9, 36, 18), kind, 12, colour::kAccent, Qt::AlignCenter, true);
    Text(p, QRectF(6, 27, 36, 14), QStringLiteral("V"), 11, kLabel, Qt::AlignCenter, true);
    Text(p, QRectF(4, 50, w - 8, 12), title, 9, kLabel, Qt::AlignCenter, true);
    const ampera::CKnobTravel &coarse = layout::knob_source::kCoarse, &fine = layout::knob_source::kFine;
    MiniKnob(p, QPointF(24, 80), 11, coarse, coarse.DegreesAt(coarse.position));
    MiniKnob(p, QPointF(58, 80), 9, fine, fine.DegreesAt(fine.position));
    Text(p, QRectF(8, 95, 32, 10), QStringLiteral("粗调"), 8, kLabel);
    Text(p, QRectF(42, 95, 32, 10), QStringLiteral("细调"), 8, kLabel);
    PowerRocker(p, QRectF(84, 72, 26, 15), false);
    Text(p, QRectF(80, 89, 34, 10), QStringLiteral("电源"), 8, kLabel);
    Posts(p, w, h, body);
    Text(p, QRectF(80, h - 17, 32, 12), QStringLiteral("输出"), 8, kLabel);
}

} // namespace

void PaintDCSource(QPainter& p, int w, int h) {
    Source(p, w, h, geometry::kDCSource, QStringLiteral("DC"), QStringLiteral("直流稳压电源"));
}

void PaintACSource(QPainter& p, int w, int h) {
    Source(p, w, h, geometry::kACSource, QStringLiteral("AC"), QStringLiteral("交流电压源 50Hz"));
}

void PaintSignalGenerator(QPainter& p, int w, int h) {
    InstrumentCase(p, QRectF(0, 0, w, h), 3, 6);
    const layout::CDigitWindow& digits = layout::signal_generator::kDisplay;
    const QRectF window(22, 8, w - digits.fromRight - 22 + 6, 50);
    DisplayWindow(p, window);
    BoardDigits(p, w, digits, 6);
    // Unit legends printed on the glass above the two unit lamps.
    const QColor glassInk(0xa0, 0x84, 0x78);
    Text(p, QRectF(w - 83 - 4, 44, 21, 7), QStringLiteral("kHz"), 6.5, glassInk);
    Text(p, QRectF(w - 51 - 4, 44, 21, 7), QStringLiteral("Hz"), 6.5, glassInk);
    p.fillRect(QRectF(w - 83, 51, 13, 3), QColor(0x4a, 0x16, 0x10));
    p.fillRect(QRectF(w - 51, 51, 13, 3), QColor(0x4a, 0x16, 0x10));
    TextTurned(p, QPointF(12, 33), QStringLiteral("频率"), 8, kLabel, -90);
    PowerRocker(p, QRectF(w - 27, 9, 21, 13), false);
    const ampera::CKnobTravel& amplitude = layout::signal_generator::kAmplitude;
    MiniKnob(p, QPointF(w - 16.5, 41), 8, amplitude, amplitude.DegreesAt(amplitude.position));
    Text(p, QRectF(w - 30, 52, 27, 9), QStringLiteral("幅度"), 7, kLabel);
    // Three waveform keys in miniature.
    for (int i = 0; i < 3; ++i)
        PushButton(p, QRectF(118 + 13.0 * i, 62, 10, 12), i == 0);
    Posts(p, w, h, geometry::kSignalGenerator, 5.5);
    Text(p, QRectF(44, 62, 44, 12), QStringLiteral("信号发生器"), 8, kLabel, Qt::AlignCenter, true);
}

void PaintMultimeter(QPainter& p, int w, int h) {
    // A hand-held meter in its yellow rubber holster.
    p.save();
    QLinearGradient holster(QPointF(0, 0), QPointF(w, 0));
    holster.setColorAt(0, QColor(0xf6, 0xc4, 0x1a));
    holster.setColorAt(1, QColor(0xd8, 0x9c, 0x00));
    p.setPen(QPen(QColor(0x80, 0x5a, 0x00), 1));
    p.setBrush(holster);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 10, 10);
    p.restore();
    PanelFace(p, QRectF(5, 5, w - 10, h - 10), QColor(0x3a, 0x3f, 0x47), 6);
    DisplayWindow(p, QRectF(10, 10, w - 20, 43));
    BoardDigits(p, w, layout::multimeter::kDisplay, 4);
    Text(p, QRectF(8, 54, 70, 10), QStringLiteral("数字万用表"), 8, kLabelOnDark, Qt::AlignCenter, true);
    PowerRocker(p, QRectF(w - 32, 55, 20, 11), false);
    // Range selector: 32 positions, grouped by function.
    const QPointF c(w / 2.0, 101);
    const ampera::CKnobTravel& range = layout::multimeter::kRange;
    std::vector<double> ticks;
    for (int i = range.minimum; i <= range.maximum; ++i)
        if (!(i >= 14 && i <= 19) && i != 24) ticks.push_back(range.DegreesAt(i));
    DialTicks(p, c, 22, 25, ticks, kLabelOnDark, 0.9);
    DialArc(p, c, 27, -3, 48, QColor(0x50, 0xc0, 0xff), 1.5);   // DC volts
    DialArc(p, c, 27, 53, 93, QColor(0xff, 0xd0, 0x40), 1.5);   // DC amperes
    DialArc(p, c, 27, 98, 149, QColor(0x70, 0xe0, 0x80), 1.5);  // AC volts
    DialArc(p, c, 27, 222, 262, QColor(0xff, 0x90, 0x50), 1.5); // AC amperes
    DialArc(p, c, 27, 278, 352, QColor(0xe0, 0xe0, 0xe0), 1.5); // ohms
    const QColor ink = kLabelOnDark;
    DcLabel(p, Polar(c, 35, 22.5), QStringLiteral("V"), 7, ink);
    DcLabel(p, Polar(c, 35, 73), QStringLiteral("A"), 7, ink);
    TextAt(p, Polar(c, 34, 124), QStringLiteral("V~"), 7, ink, true);
    TextAt(p, Polar(c, 34, 242), QStringLiteral("A~"), 7, ink, true);
    TextAt(p, Polar(c, 34, 315), QStringLiteral("Ω"), 8, ink, true);
    Knob(p, c, 19, true, 0, QColor(0x22, 0x24, 0x28));
    // Input jacks: VΩmA (red, terminal 0) and COM (black, terminal 1).
    const QPointF t0 = Terminal(geometry::kMultimeter, 0), t1 = Terminal(geometry::kMultimeter, 1);
    EdgePost(p, w, h, t0, Post::Red, 6);
    EdgePost(p, w, h, t1, Post::Black, 6);
    Text(p, QRectF(t0.x() - 18, h - 34, 36, 9), QStringLiteral("VΩmA"), 7, ink, Qt::AlignCenter, true);
    Text(p, QRectF(t1.x() - 18, h - 34, 36, 9), QStringLiteral("COM"), 7, ink, Qt::AlignCenter, true);
}

namespace {
void BenchMeter(QPainter& p, int w, int h, const geometry::CBodyGeometry& body, const QString& title,
                const ampera::CKnobTravel& range, const QString& unit) {
    InstrumentCase(p, QRectF(0, 0, w, h), 3, 6);
    DisplayWindow(p, QRectF(14, 10, w - 14 - 10, 43));
    BoardDigits(p, w, layout::dc_meter::kDisplay, 4);
    Text(p, QRectF(4, 56, w - 8, 12), title, 9, kLabel, Qt::AlignCenter, true);
    MiniKnob(p, QPointF(36, 90), 13, range, range.DegreesAt(range.position));
    Text(p, QRectF(14, 106, 44, 10), unit, 8, kLabel);
    PowerRocker(p, QRectF(w - 44, 80, 28, 15), false);
    Text(p, QRectF(w - 48, 97, 36, 10), QStringLiteral("电源"), 8, kLabel);
    Posts(p, w, h, body);
}

void ACMeter(QPainter& p, int w, int h, const geometry::CBodyGeometry& body, const QString& title,
             const QString& unit) {
    const layout::CDigitWindow& digits = layout::ac_meter::kDisplay;
    const ampera::CKnobTravel& range = layout::ac_meter::kRange;
    InstrumentCase(p, QRectF(0, 0, w, h), 3, 6);
    DisplayWindow(p, QRectF(27, 9, w - digits.fromRight - 27 + 6, 40));
    BoardDigits(p, w, digits, 5);
    MiniKnob(p, QPointF(w - 22, 20), 9, range, range.DegreesAt(range.position));
    Text(p, QRectF(w - 42, 32, 40, 10), unit, 8, colour::kAccent, Qt::AlignCenter, true);
    PowerRocker(p, QRectF(w - 33, 44, 22, 12), false);
    Posts(p, w, h, body, 5.5);
    Text(p, QRectF(98, 58, 66, 14), title, 9, kLabel, Qt::AlignCenter, true);
}
} // namespace

void PaintDCVoltmeter(QPainter& p, int w, int h) {
    BenchMeter(p, w, h, geometry::kDCVoltmeter, QStringLiteral("直流数字电压表"),
               layout::dc_meter::kVoltRange, QStringLiteral("量程 V"));
}

void PaintDCAmmeter(QPainter& p, int w, int h) {
    BenchMeter(p, w, h, geometry::kDCAmmeter, QStringLiteral("直流数字电流表"),
               layout::dc_meter::kAmpereRange, QStringLiteral("量程 A"));
}

void PaintMillivoltmeter(QPainter& p, int w, int h) {
    ACMeter(p, w, h, geometry::kMillivoltmeter, QStringLiteral("交流毫伏表"), QStringLiteral("mV~"));
}

void PaintGalvanometer(QPainter& p, int w, int h) {
    ACMeter(p, w, h, geometry::kGalvanometer, QStringLiteral("数字检流计"), QStringLiteral("mA"));
}

void PaintOscilloscope(QPainter& p, int w, int h) {
    InstrumentCase(p, QRectF(0, 0, w, h), 3, 6);
    // Screen: a small graticule of 8 x 6 divisions.
    const QRectF screen(7, 7, 72, 54);
    p.save();
    p.setPen(QPen(QColor(0x22, 0x25, 0x2b), 3));
    p.setBrush(QColor(0x06, 0x1a, 0x10));
    p.drawRoundedRect(screen.adjusted(-1.5, -1.5, 1.5, 1.5), 3, 3);
    p.setPen(QPen(QColor(0x2c, 0x6a, 0x48), 0.6));
    for (int i = 1; i < 8; ++i)
        p.drawLine(QPointF(screen.left() + 9 * i, screen.top()),
                   QPointF(screen.left() + 9 * i, screen.bottom()));
    for (int i = 1; i < 6; ++i)
        p.drawLine(QPointF(screen.left(), screen.top() + 9 * i),
                   QPointF(screen.right(), screen.top() + 9 * i));
    p.restore();
    Text(p, QRectF(6, 64, 74, 12), QStringLiteral("双踪示波器"), 8, kLabel, Qt::AlignCenter, true);
    // Controls in miniature: positions and gains of both channels, time base.
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            Knob(p, QPointF(100 + 24.0 * col, 15 + 22.0 * row), row == 1 && col == 2 ? 8 : 6.5, true, 0);
    PowerRocker(p, QRectF(w - 30, 52, 22, 11), false);
    // Inputs: channel 1 on terminals 0 and 1, channel 2 on 2 and 3.
    QPointF t[4];
    for (std::size_t i = 0; i < 4; ++i) {
        t[i] = Terminal(geometry::kOscilloscope, i);
        EdgePost(p, w, h, t[i], i % 2 == 0 ? Post::Red : Post::Black, 5);
    }
    Text(p, QRectF(t[0].x() - 6, 63, t[1].x() - t[0].x() + 12, 10), QStringLiteral("CH1"), 8, kLabel,
         Qt::AlignCenter, true);
    Text(p, QRectF(t[2].x() - 6, 63, t[3].x() - t[2].x() + 12, 10), QStringLiteral("CH2"), 8, kLabel,
         Qt::AlignCenter, true);
}

void PaintLevelMeter(QPainter& p, int w, int h) {
    InstrumentCase(p, QRectF(0, 0, w, h), 3, 6);
    const layout::CDigitWindow &level = layout::level_meter::kLevelDisplay,
                               &frequency = layout::level_meter::kFrequencyDisplay;
    const double levelRight = w - level.fromRight, freqRight = w - frequency.fromRight;
    DisplayWindow(p, QRectF(levelRight - 4 * 18 - 6, 15, 4 * 18 + 12, 44));
    DisplayWindow(p, QRectF(freqRight - 4 * 18 - 5, 15, 4 * 18 + 11, 44));
    BoardDigits(p, w, level, 4);
    BoardDigits(p, w, frequency, 4);
    Text(p, QRectF(levelRight - 78, 4, 84, 10), QStringLiteral("电平"), 8, kLabel, Qt::AlignCenter, true);
    Text(p, QRectF(freqRight - 78, 4, 84, 10), QStringLiteral("频率"), 8, kLabel, Qt::AlignCenter, true);
    // The kHz mark lights under the frequency digits.
    p.fillRect(QRectF(w - 83, 61, 13, 3), QColor(0x4a, 0x16, 0x10));
    Text(p, QRectF(w - 68, 58, 20, 9), QStringLiteral("kHz"), 7, kLabel);
    PowerRocker(p, QRectF(w - 25, 8, 20, 12), false);
    Text(p, QRectF(w - 28, 21, 26, 9), QStringLiteral("电源"), 7, kLabel);
    MiniKnob(p, QPointF(w - 15, 45), 8, layout::level_meter::kRange, 0);
    for (int i = 0; i < 4; ++i)
        PushButton(p, QRectF(140 + 13.0 * i, 70, 10, 12), false);
    Posts(p, w, h, geometry::kLevelMeter);
    Text(p, QRectF(50, 68, 60, 12), QStringLiteral("选频电平表"), 9, kLabel, Qt::AlignCenter, true);
}

} // namespace art
