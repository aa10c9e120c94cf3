// Schematic symbols: black strokes on white (the schematic tints white to the
// yellow paper). Each picture is laid over its device's region with the
// offsets the schematic view uses; the leads of a symbol end exactly where the
// device's terminal nodes are, so the wires of the schematic meet them.
#include "drawings.h"
#include "paint.h"

#include <QPainterPath>

#include <cmath>

namespace art {

namespace {

constexpr double kStroke = 2.0;
const QColor kBlack(0, 0, 0);

void Paper(QPainter& p, int w, int h) {
    p.fillRect(QRectF(0, 0, w, h), Qt::white);
}

void Pen(QPainter& p, double width = kStroke) {
    p.setPen(QPen(kBlack, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
}

// A polyline of leads.
void Wire(QPainter& p, std::initializer_list<QPointF> points) {
    Pen(p);
    QPainterPath path;
    bool first = true;
    for (QPointF pt : points) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    p.drawPath(path);
}

void Box(QPainter& p, const QRectF& r) {
    Pen(p);
    p.setBrush(Qt::white);
    p.drawRect(r);
}

// The diagonal arrow that marks a variable element.
void VariableArrow(QPainter& p, QPointF from, QPointF to) {
    Pen(p, 1.5);
    p.drawLine(from, to);
    const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to - QPointF(7 * std::cos(a - 0.4), 7 * std::sin(a - 0.4)));
    head.lineTo(to - QPointF(7 * std::cos(a + 0.4), 7 * std::sin(a + 0.4)));
    head.closeSubpath();
    p.setBrush(kBlack);
    p.drawPath(head);
}

void Meter(QPainter& p, QPointF c, double r, const QString& text, double pixels = 0) {
    Pen(p);
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    TextAt(p, c, text, pixels > 0 ? pixels : r * 1.1, kBlack, true);
}

void Sine(QPainter& p, QPointF c, double halfWidth, double amplitude) {
    Pen(p, 1.6);
    QPainterPath s;
    for (int k = 0; k <= 32; ++k) {
        const double t = k / 32.0;
        const QPointF pt(c.x() - halfWidth + 2 * halfWidth * t,
                         c.y() - amplitude * std::sin(t * 2 * 3.14159265));
        if (k == 0)
            s.moveTo(pt);
        else
            s.lineTo(pt);
    }
    p.drawPath(s);
}

void Dot(QPainter& p, QPointF c, double r = 2.6) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlack);
    p.drawEllipse(c, r, r);
}

void OpenDot(QPainter& p, QPointF c, double r = 2.8) {
    Pen(p, 1.4);
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
}

// A coil of `humps` half circles from a to b (axis-parallel), bulging to the
// side given by `bulge` (+1 right/down, -1 left/up of the direction a->b).
void Coil(QPainter& p, QPointF a, QPointF b, int humps, int bulge) {
    Pen(p);
    const bool horizontal = std::abs(b.x() - a.x()) > std::abs(b.y() - a.y());
    const double length = horizontal ? b.x() - a.x() : b.y() - a.y();
    const double d = length / humps;
    QPainterPath path;
    path.moveTo(a);
    for (int i = 0; i < humps; ++i) {
        const double r = std::abs(d) / 2;
        QRectF box = horizontal ? QRectF(a.x() + d * i + (d < 0 ? d : 0), a.y() - r, std::abs(d), 2 * r)
                                : QRectF(a.x() - r, a.y() + d * i + (d < 0 ? d : 0), 2 * r, std::abs(d));
        if (horizontal)
            path.arcTo(box, d > 0 ? 180 : 0, bulge < 0 ? -180 : 180);
        else
            path.arcTo(box, d > 0 ? 90 : 270, bulge < 0 ? 180 : -180);
    }
    p.drawPath(path);
}

void Plus(QPainter& p, QPointF c) {
    TextAt(p, c, QStringLiteral("+"), 11, kBlack, true);
}
void Minus(QPainter& p, QPointF c) {
    TextAt(p, c, QStringLiteral("−"), 11, kBlack, true);
}

// A measuring instrument between two terminals at the bottom: leads rise and
// enter the circle from both sides.
void MeterBetween(QPainter& p, QPointF t0, QPointF t1, QPointF c, double r, const QString& text) {
    Wire(p, {t0, QPointF(t0.x(), c.y()), QPointF(c.x() - r, c.y())});
    Wire(p, {t1, QPointF(t1.x(), c.y()), QPointF(c.x() + r, c.y())});
    Meter(p, c, r, text);
    Plus(p, QPointF(t0.x() - 8, (t0.y() + c.y()) / 2));
    Minus(p, QPointF(t1.x() + 8, (t1.y() + c.y()) / 2));
}

} // namespace

void PaintSymbolResistor(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(0, 9), QPointF(w, 9)});
    Box(p, QRectF(w / 2.0 - 22, 3, 44, 12));
}

void PaintSymbolResistor90(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(10, 0), QPointF(10, h)});
    Box(p, QRectF(4, h / 2.0 - 22, 12, 44));
}

void PaintSymbolRheostat(QPainter& p, int w, int h) {
    // Coil ends on the lower terminals, the slider bar on the upper ones.
    Paper(p, w, h);
    Wire(p, {QPointF(0, 17), QPointF(w, 17)});
    Box(p, QRectF(w / 2.0 - 20, 11, 40, 12));
    Wire(p, {QPointF(0, 4), QPointF(w, 4)});
    Pen(p);
    p.drawLine(QPointF(w / 2.0, 4), QPointF(w / 2.0, 7));
    QPainterPath head;
    head.moveTo(w / 2.0, 11);
    head.lineTo(w / 2.0 - 3.5, 5.5);
    head.lineTo(w / 2.0 + 3.5, 5.5);
    head.closeSubpath();
    p.setBrush(kBlack);
    p.drawPath(head);
    (void)h;
}

void PaintSymbolResistanceBox(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(3, 23), QPointF(3, 42), QPointF(10, 42)});
    Wire(p, {QPointF(50, 23), QPointF(50, 42), QPointF(44, 42)});
    Box(p, QRectF(10, 36, 34, 12));
    VariableArrow(p, QPointF(12, 54), QPointF(43, 30));
}

void PaintSymbolResistanceBox90(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(46, 3), QPointF(63, 3), QPointF(63, 10)});
    Wire(p, {QPointF(46, 50), QPointF(63, 50), QPointF(63, 43)});
    Box(p, QRectF(57, 10, 12, 33));
    VariableArrow(p, QPointF(52, 44), QPointF(75, 9));
}

void PaintSymbolResistanceBox270(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(29, 2), QPointF(12, 2), QPointF(12, 9)});
    Wire(p, {QPointF(29, 49), QPointF(12, 49), QPointF(12, 42)});
    Box(p, QRectF(6, 9, 12, 33));
    VariableArrow(p, QPointF(2, 44), QPointF(25, 9));
}

void PaintSymbolMultimeter(QPainter& p, int w, int h) {
    Paper(p, w, h);
    MeterBetween(p, QPointF(25, 80), QPointF(93, 80), QPointF(59, 48), 20, QStringLiteral("~"));
}
void PaintSymbolMultimeterV(QPainter& p, int w, int h) {
    Paper(p, w, h);
    MeterBetween(p, QPointF(25, 80), QPointF(93, 80), QPointF(59, 48), 20, QStringLiteral("V"));
}
void PaintSymbolMultimeterA(QPainter& p, int w, int h) {
    Paper(p, w, h);
    MeterBetween(p, QPointF(25, 80), QPointF(93, 80), QPointF(59, 48), 20, QStringLiteral("A"));
}
void PaintSymbolMultimeterR(QPainter& p, int w, int h) {
    Paper(p, w, h);
    MeterBetween(p, QPointF(25, 80), QPointF(93, 80), QPointF(59, 48), 20, QStringLiteral("Ω"));
}

void PaintSymbolOscilloscope(QPainter& p, int w, int h) {
    Paper(p, w, h);
    const QRectF box(50, 6, 102, 50);
    for (double x : {74.0, 92.0, 110.0, 128.0})
        Wire(p, {QPointF(x, box.bottom()), QPointF(x, 82)});
    Box(p, box);
    Pen(p, 1);
    p.drawRect(QRectF(box.left() + 8, box.top() + 6, box.width() - 16, 24));
    Sine(p, QPointF(box.center().x(), box.top() + 18), 36, 8);
    TextAt(p, QPointF(83, 46), QStringLiteral("CH1"), 9, kBlack, true);
    TextAt(p, QPointF(119, 46), QStringLiteral("CH2"), 9, kBlack, true);
    (void)h;
}

void PaintSymbolDCSource(QPainter& p, int w, int h) {
    // Long plate (+) on the first terminal's side.
    Paper(p, w, h);
    Wire(p, {QPointF(42, 56), QPointF(42, 36), QPointF(58, 36)});
    Wire(p, {QPointF(84, 56), QPointF(84, 36), QPointF(66, 36)});
    Pen(p, 2);
    p.drawLine(QPointF(58, 22), QPointF(58, 50));
    Pen(p, 4);
    p.drawLine(QPointF(66, 29), QPointF(66, 43));
    Plus(p, QPointF(50, 18));
    (void)h;
}

namespace {

// Single-pole switch along y = 33 from x 0 to w (upright), or along x = 14
// from y 0 to h (turned).
void SwitchSymbol(QPainter& p, int w, int h, bool closed, bool turned) {
    Paper(p, w, h);
    if (!turned) {
        const QPointF a(42, 33), b(82, 33);
        Wire(p, {QPointF(0, 33), a});
        Wire(p, {b, QPointF(w, 33)});
        Pen(p);
        p.drawLine(a, closed ? b : QPointF(78, 12));
        Dot(p, a);
        OpenDot(p, b);
    } else {
        const QPointF a(14, 42), b(14, 84);
        Wire(p, {QPointF(14, 0), a});
        Wire(p, {b, QPointF(14, h)});
        Pen(p);
        p.drawLine(a, closed ? b : QPointF(36, 80));
        Dot(p, a);
        OpenDot(p, b);
    }
}

// Double-throw switch: the first terminal's contact, the second's, and the
// common pivot joined to the third terminal; state 0 neutral, 1 thrown to the
// first contact, 2 to the second.
void DoubleSymbol(QPainter& p, int w, int h, QPointF t0, QPointF c0, QPointF t1, QPointF c1, QPointF t2,
                  QPointF pivot, QPointF neutral, int state) {
    Paper(p, w, h);
    Wire(p, {t0, c0});
    Wire(p, {t1, c1});
    Wire(p, {t2, pivot});
    Pen(p);
    p.drawLine(pivot, state == 1 ? c0 : state == 2 ? c1 : neutral);
    Dot(p, pivot);
    OpenDot(p, c0);
    OpenDot(p, c1);
}

void DoubleUpright(QPainter& p, int w, int h, int state) {
    DoubleSymbol(p, w, h, {0, 22}, {40, 22}, {130, 22}, {90, 22}, {65, 49}, {65, 38}, {65, 10}, state);
}
void Double180(QPainter& p, int w, int h, int state) {
    // Turned half round: the first terminal is on the right, the common on top.
    DoubleSymbol(p, w, h, {132, 22}, {92, 22}, {0, 22}, {40, 22}, {66, 0}, {66, 8}, {66, 40}, state);
}
void Double90(QPainter& p, int w, int h, int state) {
    // Turned right: the first terminal on top, the second below, common left.
    DoubleSymbol(p, w, h, {32, 0}, {32, 40}, {32, 132}, {32, 92}, {9, 65}, {18, 66}, {46, 66}, state);
}

} // namespace

void PaintSymbolSwitch(QPainter& p, int w, int h) {
    SwitchSymbol(p, w, h, false, false);
}
void PaintSymbolSwitchClosed(QPainter& p, int w, int h) {
    SwitchSymbol(p, w, h, true, false);
}
void PaintSymbolSwitch90(QPainter& p, int w, int h) {
    SwitchSymbol(p, w, h, false, true);
}
void PaintSymbolSwitchClosed90(QPainter& p, int w, int h) {
    SwitchSymbol(p, w, h, true, true);
}
void PaintSymbolDouble(QPainter& p, int w, int h) {
    DoubleUpright(p, w, h, 0);
}
void PaintSymbolDoubleLeft(QPainter& p, int w, int h) {
    DoubleUpright(p, w, h, 1);
}
void PaintSymbolDoubleRight(QPainter& p, int w, int h) {
    DoubleUpright(p, w, h, 2);
}
void PaintSymbolDouble180(QPainter& p, int w, int h) {
    Double180(p, w, h, 0);
}
void PaintSymbolDoubleLeft180(QPainter& p, int w, int h) {
    Double180(p, w, h, 1);
}
void PaintSymbolDoubleRight180(QPainter& p, int w, int h) {
    Double180(p, w, h, 2);
}
void PaintSymbolDouble90(QPainter& p, int w, int h) {
    Double90(p, w, h, 0);
}
void PaintSymbolDoubleLeft90(QPainter& p, int w, int h) {
    Double90(p, w, h, 1);
}
void PaintSymbolDoubleRight90(QPainter& p, int w, int h) {
    Double90(p, w, h, 2);
}

void PaintSymbolInductor(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(2, 27), QPointF(2, 52)});
    Wire(p, {QPointF(34, 24), QPointF(34, 52)});
    Coil(p, QPointF(2, 52), QPointF(34, 52), 4, -1);
}

void PaintSymbolInductor90(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(49, 0), QPointF(49, 3), QPointF(24, 3)});
    Wire(p, {QPointF(49, h), QPointF(49, 29), QPointF(24, 29)});
    Coil(p, QPointF(24, 3), QPointF(24, 29), 4, -1);
}

void PaintSymbolSignalGenerator(QPainter& p, int w, int h) {
    Paper(p, w, h);
    const QPointF c(87, 46);
    Wire(p, {QPointF(52, 46), QPointF(c.x() - 16, 46)});
    Wire(p, {QPointF(c.x() + 16, 46), QPointF(122, 46)});
    Pen(p);
    p.setBrush(Qt::white);
    p.drawEllipse(c, 16, 16);
    Sine(p, c, 10, 6);
    Plus(p, QPointF(60, 36));
    TextAt(p, QPointF(c.x(), c.y() - 24), QStringLiteral("G"), 10, kBlack, true);
    (void)h;
}

void PaintSymbolCapacitor(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(1, 50), QPointF(1, 30), QPointF(11, 30)});
    Wire(p, {QPointF(27, 50), QPointF(27, 30), QPointF(17, 30)});
    Pen(p, 2.4);
    p.drawLine(QPointF(11, 16), QPointF(11, 44));
    p.drawLine(QPointF(17, 16), QPointF(17, 44));
    (void)h;
}

void PaintSymbolCapacitor90(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(14, 0), QPointF(14, 1.5), QPointF(42, 1.5), QPointF(42, 9)});
    Wire(p, {QPointF(14, h), QPointF(14, 22.5), QPointF(42, 22.5), QPointF(42, 15)});
    Pen(p, 2.4);
    p.drawLine(QPointF(28, 9), QPointF(56, 9));
    p.drawLine(QPointF(28, 15), QPointF(56, 15));
}

void PaintSymbolCapacitor270(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(40, 0), QPointF(40, 1.5), QPointF(20, 1.5), QPointF(20, 10)});
    Wire(p, {QPointF(40, h), QPointF(40, 24.5), QPointF(20, 24.5), QPointF(20, 16)});
    Pen(p, 2.4);
    p.drawLine(QPointF(7, 10), QPointF(33, 10));
    p.drawLine(QPointF(7, 16), QPointF(33, 16));
}

void PaintSymbolCapacitanceBox(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(22, 57), QPointF(22, 79), QPointF(46, 79)});
    Wire(p, {QPointF(77, 57), QPointF(77, 79), QPointF(54, 79)});
    Pen(p, 2.4);
    p.drawLine(QPointF(46, 64), QPointF(46, 94));
    p.drawLine(QPointF(54, 64), QPointF(54, 94));
    VariableArrow(p, QPointF(34, 100), QPointF(66, 58));
    (void)h;
}

void PaintSymbolDiode(QPainter& p, int w, int h) {
    // Anode on the first terminal (left), cathode bar towards the second.
    Paper(p, w, h);
    Wire(p, {QPointF(12, 26), QPointF(58, 26)});
    Wire(p, {QPointF(80, 26), QPointF(126, 26)});
    QPainterPath tri;
    tri.moveTo(58, 14);
    tri.lineTo(58, 38);
    tri.lineTo(80, 26);
    tri.closeSubpath();
    Pen(p);
    p.setBrush(kBlack);
    p.drawPath(tri);
    Pen(p, 2.4);
    p.drawLine(QPointF(80.5, 13), QPointF(80.5, 39));
    (void)h;
}

void PaintSymbolACSource(QPainter& p, int w, int h) {
    Paper(p, w, h);
    const QPointF c(64, 42);
    Wire(p, {QPointF(43, 42), QPointF(c.x() - 14, 42)});
    Wire(p, {QPointF(c.x() + 14, 42), QPointF(85, 42)});
    Pen(p);
    p.setBrush(Qt::white);
    p.drawEllipse(c, 14, 14);
    Sine(p, c, 9, 5);
    Plus(p, QPointF(46, 32));
    (void)h;
}

void PaintSymbolHidden(QPainter& p, int w, int h) {
    Paper(p, w, h);
}

void PaintSymbolMillivoltmeter(QPainter& p, int w, int h) {
    Paper(p, w, h);
    MeterBetween(p, QPointF(28, 71), QPointF(82, 71), QPointF(55, 40), 17, QStringLiteral("mV"));
}

void PaintSymbolGalvanometer(QPainter& p, int w, int h) {
    Paper(p, w, h);
    MeterBetween(p, QPointF(28, 71), QPointF(82, 71), QPointF(55, 40), 17, QStringLiteral("G"));
}

void PaintSymbolLevelMeter(QPainter& p, int w, int h) {
    Paper(p, w, h);
    MeterBetween(p, QPointF(63, 52), QPointF(153, 52), QPointF(108, 28), 18, QStringLiteral("V"));
    TextAt(p, QPointF(117, 36), QStringLiteral("f"), 9, kBlack, true);
}

void PaintSymbolPlugBoard(QPainter& p, int w, int h) {
    // The empty board links its two terminals.
    Paper(p, w, h);
    Wire(p, {QPointF(0, 41), QPointF(w, 41)});
    OpenDot(p, QPointF(45, 41));
    OpenDot(p, QPointF(85, 41));
}

void PaintSymbolPlugBoardWithMeter(QPainter& p, int w, int h) {
    Paper(p, w, h);
    Wire(p, {QPointF(0, 41), QPointF(52, 41)});
    Wire(p, {QPointF(78, 41), QPointF(w, 41)});
    Meter(p, QPointF(65, 41), 12.5, QStringLiteral("A"));
}

} // namespace art
