// Front panels of the meters, the oscilloscope and the level meter. Controls
// are drawn under their hit rectangles; needles turn about the centres of
// their knobs' hit rectangles; the unlit digit cells lie where the board
// display shifted onto the panel puts the digits.
#include "device_tables.h"
#include "drawings.h"
#include "paint.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace art {

namespace {

const QColor kInk = colour::kInk;

// Labels round a range knob, kept on the panel and clear of the `avoid`
// rectangles: a label that does not fit at its place is moved a little
// further out and round towards where there is room.
void RangeLabels(QPainter& p, QPointF c, double radius, const std::vector<double>& angles,
                 const std::vector<QString>& labels, double pixels, double panelWidth,
                 const std::vector<QRectF>& avoid = {}) {
    p.save();
    p.setFont(Font(pixels, true));
    const QFontMetricsF metrics(p.font());
    p.restore();
    for (std::size_t i = 0; i < angles.size(); ++i) {
        const double w = metrics.horizontalAdvance(labels[i]), h = pixels * 1.1;
        auto Fits = [&](QPointF q) {
            const QRectF box(q.x() - w / 2, q.y() - h / 2, w, h);
            if (box.top() < 1 || box.left() < 2 || box.right() > panelWidth - 2) return false;
            for (const QRectF& r : avoid)
                if (box.intersects(r)) return false;
            return true;
        };
        QPointF at = Polar(c, radius, angles[i]);
        bool placed = Fits(at);
        for (double extra : {0.0, 6.0, 12.0})
            for (double turn : {0.0, 10.0, -10.0, 20.0, -20.0, 30.0, -30.0})
                if (!placed && Fits(Polar(c, radius + extra, angles[i] + turn))) {
                    at = Polar(c, radius + extra, angles[i] + turn);
                    placed = true;
                }
        at.setX(std::clamp(at.x(), w / 2 + 2, panelWidth - w / 2 - 2));
        at.setY(std::max(at.y(), h / 2 + 1));
        TextAt(p, at, labels[i], pixels, colour::kInk, true);
    }
}

} // namespace

void PaintMultimeterPanel(QPainter& p, int w, int h) {
    // Yellow holster round a dark face.
    p.fillRect(QRectF(0, 0, w, h), QColor(0xd8, 0x9c, 0x00));
    QLinearGradient holster(QPointF(0, 0), QPointF(w, h));
    holster.setColorAt(0, QColor(0xf8, 0xc8, 0x20));
    holster.setColorAt(1, QColor(0xd4, 0x98, 0x00));
    p.setPen(QPen(QColor(0x80, 0x5a, 0x00), 1.5));
    p.setBrush(holster);
    p.drawRoundedRect(QRectF(0.75, 0.75, w - 1.5, h - 1.5), 14, 14);
    const QColor face(0x3a, 0x3f, 0x47), ink(0xee, 0xf0, 0xf2);
    PanelFace(p, QRectF(7, 4, w - 14, h - 10), face, 8);
    // Display: the board display shifted onto the panel; the range legend
    // picture sits left of the leftmost digit.
    DisplayWindow(p, QRectF(26, 8, 190, 48));
    const QPointF digits = PanelDigits(layout::multimeter::kDisplay);
    GhostDigits(p, digits.x(), digits.y(), 4);
    Text(p, QRectF(14, 62, 120, 18), QStringLiteral("数字万用表"), 13, ink, Qt::AlignLeft | Qt::AlignVCenter,
         true);
    const QRectF power = Rect(layout::multimeter::kPowerRect);
    ButtonWell(p, power);
    Text(p, QRectF(power.left() - 42, power.top() + 3, 40, 14), QStringLiteral("电源"), 10, ink,
         Qt::AlignCenter, true);

    // Range selector: 32 positions, 11.25 degrees apart, position 0 upright.
    const QPointF c = Centre(layout::multimeter::kKnobRect);
    const ampera::CKnobTravel& range = layout::multimeter::kRange;
    struct Group {
        int first, last;
        QString name;
        QColor colour;
    };
    const Group groups[] = {{0, 4, QStringLiteral("V"), QColor(0x58, 0xc4, 0xff)},
                            {5, 8, QStringLiteral("A"), QColor(0xff, 0xd0, 0x40)},
                            {9, 13, QStringLiteral("V~"), QColor(0x78, 0xe8, 0x88)},
                            {20, 23, QStringLiteral("A~"), QColor(0xff, 0x98, 0x58)},
                            {25, 31, QStringLiteral("Ω"), QColor(0xf0, 0xf0, 0xf0)}};
    const char* const labels[32] = {"200m", "2",   "20",  "200", "1000", "2m",   "20m", "200m",
                                    "20A",  "750", "200", "20",  "2",    "200m", "",    "",
                                    "",     "",    "",    "",    "20A",  "200m", "20m", "2m",
                                    "",     "200", "2k",  "20k", "200k", "2M",   "20M", "200M"};
    // The range needle runs 80 pixels out from the centre (0.8 of the
    // knob's 200-pixel height): the ticks start at its tip and the range
    // labels lie beyond, set along the radius (reading outwards on the right
    // half and inwards on the left) so that neighbours never overlap. The
    // group names sit inside, where the needle passes over them.
    for (const Group& g : groups) {
        DialArc(p, c, 76, range.DegreesAt(g.first) - 4, range.DegreesAt(g.last) + 4, g.colour, 3);
        const double mid = (g.first + g.last) * range.stepDegrees / 2;
        if (g.first < 9)
            DcLabel(p, Polar(c, 58, mid), g.name, 12, g.colour); // the two DC groups
        else
            TextAt(p, Polar(c, 58, mid), g.name, 12, g.colour, true);
        for (int i = g.first; i <= g.last; ++i) {
            const double a = range.DegreesAt(i);
            DialTicks(p, c, 80.5, 86, {a}, g.colour, 1.6);
            const QString text = QString::fromUtf8(labels[i]);
            p.save();
            p.setFont(Font(8, true));
            const double half = p.fontMetrics().horizontalAdvance(text) / 2.0;
            p.restore();
            TextTurned(p, Polar(c, 89 + half, a), text, 8, ink, a <= 180 ? a - 90 : a + 90, true);
        }
    }
    for (int i : {14, 15, 16, 17, 18, 19, 24}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8a, 0x90, 0x98));
        p.drawEllipse(Polar(c, 83, range.DegreesAt(i)), 1.6, 1.6);
    }
    Knob(p, c, 32, false, 0, QColor(0x1c, 0x1e, 0x22));

    // Input jacks on the right.
    BindingPost(p, QPointF(231, 226), 9, Post::Red);
    BindingPost(p, QPointF(231, 272), 9, Post::Black);
    Text(p, QRectF(213, 204, 36, 10), QStringLiteral("VΩmA"), 7, ink, Qt::AlignCenter, true);
    Text(p, QRectF(213, 250, 36, 10), QStringLiteral("COM"), 7, ink, Qt::AlignCenter, true);
}

namespace {

// The digital DC voltmeter and ammeter: display top right, title top left,
// range knob bottom left, power key and input posts on the right.
void BenchMeterPanel(QPainter& p, int w, int h, const QString& line1, const QString& line2,
                     const ampera::CKnobTravel& range, const std::vector<QString>& ranges) {
    namespace meter = layout::dc_meter;
    PanelBase(p, w, h);
    DisplayWindow(p, QRectF(74, 8, 144, 48));
    const QPointF digits = PanelDigits(meter::kDisplay);
    GhostDigits(p, digits.x(), digits.y(), 4);
    Text(p, QRectF(6, 10, 64, 20), line1, 14, colour::kAccent, Qt::AlignCenter, true);
    Text(p, QRectF(6, 30, 64, 20), line2, 14, colour::kAccent, Qt::AlignCenter, true);
    const QPointF c = Centre(meter::kKnobRect);
    const std::vector<double> angles = Angles(range);
    // The range needle is 0.8 of the knob's 90-pixel height: tip 36 out.
    NeedleDial(p, c, angles, 38, 22);
    RangeLabels(p, c, 51, angles, ranges, 10, w);
    Text(p, QRectF(2, 66, 40, 14), QStringLiteral("量程"), 10, kInk, Qt::AlignCenter, true);
    const QRectF power = Rect(meter::kPowerRect);
    ButtonWell(p, power);
    Text(p, QRectF(power.left(), power.top() - 16, power.width(), 14), QStringLiteral("电源"), 10, kInk,
         Qt::AlignCenter, true);
    BindingPost(p, QPointF(140, 88), 9, Post::Red);
    BindingPost(p, QPointF(186, 88), 9, Post::Black);
    TextAt(p, QPointF(140, 106), QStringLiteral("+"), 12, colour::kRed, true);
    TextAt(p, QPointF(186, 106), QStringLiteral("−"), 12, colour::kBlack, true);
    Text(p, QRectF(150, 80, 26, 16), QStringLiteral("输入"), 9, kInk);
}

} // namespace

void PaintDCVoltmeterPanel(QPainter& p, int w, int h) {
    BenchMeterPanel(p, w, h, QStringLiteral("直流"), QStringLiteral("电压表"), layout::dc_meter::kVoltRange,
                    {QStringLiteral("200mV"), QStringLiteral("2V"), QStringLiteral("20V"),
                     QStringLiteral("200V"), QStringLiteral("1000V")});
}

void PaintDCAmmeterPanel(QPainter& p, int w, int h) {
    BenchMeterPanel(
        p, w, h, QStringLiteral("直流"), QStringLiteral("电流表"), layout::dc_meter::kAmpereRange,
        {QStringLiteral("2mA"), QStringLiteral("20mA"), QStringLiteral("200mA"), QStringLiteral("20A")});
}

namespace {

void ACMeterPanel(QPainter& p, int w, int h, const QString& title, const QString& subtitle,
                  const ampera::CPanelRect& knob, const std::vector<QString>& ranges) {
    namespace meter = layout::ac_meter;
    PanelBase(p, w, h);
    // Display: the board display shifted onto the panel.
    DisplayWindow(p, QRectF(125, 27, 106, 44));
    const QPointF digits = PanelDigits(meter::kDisplay);
    GhostDigits(p, digits.x(), digits.y(), 5);
    Text(p, QRectF(6, 10, 112, 20), title, 14, colour::kAccent, Qt::AlignLeft | Qt::AlignVCenter, true);
    Text(p, QRectF(6, 30, 112, 16), subtitle, 10, colour::kInkSoft, Qt::AlignLeft | Qt::AlignVCenter);
    // Range knob: the needle is 0.8 of the knob's height (its tip at most 28
    // out); ticks beyond it, labels kept off the display window.
    const QPointF c = Centre(knob);
    const std::vector<double> angles = Angles(meter::kRange);
    DialTicks(p, c, 30, 33, angles, kInk, 1.4);
    Knob(p, c, 18, false);
    RangeLabels(p, c, 40, angles, ranges, 8, w, {QRectF(123, 25, 110, 48)});
    Text(p, QRectF(253, 82, 40, 14), QStringLiteral("量程"), 10, kInk, Qt::AlignCenter, true);
    const QRectF power = Rect(meter::kPowerRect);
    ButtonWell(p, power);
    Text(p, QRectF(power.left() - 43, power.top() + 5, 40, 14), QStringLiteral("电源"), 10, kInk,
         Qt::AlignCenter, true);
    BindingPost(p, QPointF(28, 96), 9, Post::Red);
    BindingPost(p, QPointF(70, 96), 9, Post::Black);
    TextAt(p, QPointF(28, 116), QStringLiteral("+"), 11, colour::kRed, true);
    TextAt(p, QPointF(70, 116), QStringLiteral("−"), 11, colour::kBlack, true);
    Text(p, QRectF(86, 88, 40, 16), QStringLiteral("输入"), 10, kInk, Qt::AlignLeft | Qt::AlignVCenter, true);
}

} // namespace

void PaintMillivoltmeterPanel(QPainter& p, int w, int h) {
    ACMeterPanel(p, w, h, QStringLiteral("交流毫伏表"), QStringLiteral("交流电压有效值"),
                 layout::ac_meter::kMillivoltmeterKnobRect,
                 {QStringLiteral("40mV"), QStringLiteral("400mV"), QStringLiteral("4V"),
                  QStringLiteral("40V"), QStringLiteral("400V")});
}

void PaintGalvanometerPanel(QPainter& p, int w, int h) {
    ACMeterPanel(p, w, h, QStringLiteral("数字检流计"), QStringLiteral("微弱直流电流"),
                 layout::ac_meter::kGalvanometerKnobRect,
                 {QStringLiteral("20mA"), QStringLiteral("200μA"), QStringLiteral("2mA"),
                  QStringLiteral("20mA"), QStringLiteral("200mA")});
}

void PaintLevelMeterPanel(QPainter& p, int w, int h) {
    namespace meter = layout::level_meter;
    PanelBase(p, w, h);
    // Displays: the board displays shifted onto the panel; the kHz lamp at
    // (242..255, 66..69).
    DisplayWindow(p, QRectF(124, 19, 88, 45));
    DisplayWindow(p, QRectF(213, 19, 84, 45));
    const QPointF level = PanelDigits(meter::kLevelDisplay),
                  frequency = PanelDigits(meter::kFrequencyDisplay);
    GhostDigits(p, level.x(), level.y(), 4);
    GhostDigits(p, frequency.x(), frequency.y(), 4);
    Text(p, QRectF(124, 4, 88, 14), QStringLiteral("电平"), 10, kInk, Qt::AlignCenter, true);
    Text(p, QRectF(213, 4, 84, 14), QStringLiteral("频率"), 10, kInk, Qt::AlignCenter, true);
    p.fillRect(QRectF(241, 65, 15, 5), QColor(0x2b, 0x2e, 0x33));
    p.fillRect(QRectF(242, 66, 13, 3), QColor(0x4a, 0x16, 0x10));
    Text(p, QRectF(258, 62, 30, 11), QStringLiteral("kHz"), 9, kInk, Qt::AlignLeft | Qt::AlignVCenter, true);
    Text(p, QRectF(6, 12, 112, 22), QStringLiteral("选频电平表"), 15, colour::kAccent, Qt::AlignCenter, true);
    Text(p, QRectF(6, 38, 112, 14), QStringLiteral("测量选定频率的分量"), 9, colour::kInkSoft);

    FrequencyKnobs(p);

    const QString bands[4] = {QStringLiteral("×1M"), QStringLiteral("×100k"), QStringLiteral("×10k"),
                              QStringLiteral("×1k")};
    for (int i = 0; i < 4; ++i) {
        const QRectF key = Rect(meter::kBandRects[i]);
        ButtonWell(p, key);
        Text(p, QRectF(key.left() - 6, 143, key.width() + 12, 12), bands[i], 9, kInk, Qt::AlignCenter, true);
    }
    // The band keys' frame reaches down round their names.
    const QRectF frame =
        Rect(meter::kBandRects[0]).united(Rect(meter::kBandRects[3])).adjusted(-6, -6, 2, 18);
    GroupFrame(p, frame, QStringLiteral("频段 Hz"), 9);

    const QRectF power = Rect(meter::kPowerRect);
    ButtonWell(p, power);
    Text(p, QRectF(power.left(), power.top() - 16, power.width(), 14), QStringLiteral("电源"), 10, kInk,
         Qt::AlignCenter, true);
    const QRectF knob = Rect(meter::kRangeRect);
    const QPointF c = knob.center();
    const std::vector<double> angles = Angles(meter::kRange);
    NeedleDial(p, c, angles, 37);
    RangeLabels(p, c, 47, angles,
                {QStringLiteral("2μV"), QStringLiteral("2mV"), QStringLiteral("200mV"), QStringLiteral("2V"),
                 QStringLiteral("20V")},
                9, w, {power.adjusted(-2, -2, 2, 2), frame.adjusted(0, 0, 1, 0)});
    Text(p, QRectF(knob.left() + 2, knob.top() - 10, 40, 12), QStringLiteral("量程"), 9, kInk,
         Qt::AlignLeft | Qt::AlignVCenter, true);
}

} // namespace art
