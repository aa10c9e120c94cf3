// Board pictures of the components and switches, drawn at angle 0 in the
// board's own scale: leads and posts end where the terminal nodes sit.
#include "device_tables.h"
#include "drawings.h"
#include "paint.h"

#include <QPainterPath>

#include <cmath>

namespace art {

namespace {

// A cylinder seen from the side: light along its upper third, dark below.
QLinearGradient Cylinder(double top, double bottom, const QColor& c) {
    QLinearGradient g(QPointF(0, top), QPointF(0, bottom));
    g.setColorAt(0, c.darker(115));
    g.setColorAt(0.3, c.lighter(135));
    g.setColorAt(0.55, c);
    g.setColorAt(1, c.darker(160));
    return g;
}
// The same across a vertical cylinder.
QLinearGradient UprightCylinder(double left, double right, const QColor& c) {
    QLinearGradient g(QPointF(left, 0), QPointF(right, 0));
    g.setColorAt(0, c.darker(140));
    g.setColorAt(0.3, c.lighter(140));
    g.setColorAt(0.6, c);
    g.setColorAt(1, c.darker(170));
    return g;
}

// Brass plate with a screw: where a lead is clamped.
void Clamp(QPainter& p, const QRectF& r) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xf0, 0xdc, 0x98));
    g.setColorAt(1, QColor(0x9a, 0x74, 0x28));
    p.setPen(QPen(QColor(0x5e, 0x46, 0x14), 0.8));
    p.setBrush(g);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.restore();
    Screw(p, r.center(), std::min(r.width(), r.height()) * 0.3);
}

// A knife-switch blade from `pivot` at `degrees` above the horizontal (to the
// right for positive length), with its black grip at the far end.
void Blade(QPainter& p, QPointF pivot, double length, double degrees, double grip = 12) {
    p.save();
    p.translate(pivot);
    p.rotate(-degrees);
    const double dir = length < 0 ? -1 : 1;
    const double len = std::abs(length);
    p.scale(dir, 1);
    QLinearGradient g(QPointF(0, -2.2), QPointF(0, 2.2));
    g.setColorAt(0, QColor(0xf4, 0xc0, 0x90));
    g.setColorAt(0.5, colour::kCopper);
    g.setColorAt(1, colour::kCopper.darker(150));
    p.setPen(QPen(QColor(0x6a, 0x38, 0x10), 0.7));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(-2, -2.2, len + 2, 4.4), 1.2, 1.2);
    QLinearGradient h(QPointF(0, -3.5), QPointF(0, 3.5));
    h.setColorAt(0, QColor(0x60, 0x64, 0x6c));
    h.setColorAt(1, QColor(0x0e, 0x0f, 0x12));
    p.setBrush(h);
    p.setPen(QPen(QColor(0, 0, 0), 0.7));
    p.drawRoundedRect(QRectF(len - 1, -3.5, grip, 7), 3.5, 3.5);
    p.restore();
    // The hinge rivet.
    Screw(p, pivot, 2.4);
}

// A ceramic switch base.
void SwitchBase(QPainter& p, const QRectF& r) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xf2, 0xef, 0xe6));
    g.setColorAt(1, QColor(0xcf, 0xca, 0xbd));
    p.setPen(QPen(QColor(0x7a, 0x76, 0x6c), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 3, 3);
    p.restore();
}

// A brass strip from a clamp to the body edge under a terminal.
void Strip(QPainter& p, QPointF from, QPointF to) {
    p.save();
    p.setPen(QPen(QColor(0x7a, 0x5c, 0x1c), 3.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, to);
    p.setPen(QPen(QColor(0xe6, 0xc8, 0x78), 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, to);
    p.restore();
}

void Resistorlike(QPainter& p, int w, const geometry::CBodyGeometry& body, bool diode) {
    const double y = Terminal(body, 0).y();
    const double bodyL = diode ? 34 : 26, bodyR = w - bodyL;
    Lead(p, QPointF(0, y), QPointF(bodyL + 4, y));
    Lead(p, QPointF(bodyR - 4, y), QPointF(w, y));
    p.save();
    p.setPen(QPen(QColor(0, 0, 0, 140), 0.8));
    if (diode) {
        p.setBrush(Cylinder(y - 6, y + 6, QColor(0x2a, 0x2b, 0x30)));
        p.drawRoundedRect(QRectF(bodyL, y - 6, bodyR - bodyL, 12), 3, 3);
        // Cathode band towards the second terminal.
        p.setPen(Qt::NoPen);
        p.setBrush(Cylinder(y - 6, y + 6, QColor(0xc8, 0xcc, 0xd2)));
        p.drawRect(QRectF(bodyR - 9, y - 5.6, 4, 11.2));
        Text(p, QRectF(bodyL + 2, y - 6, bodyR - bodyL - 13, 12), QStringLiteral("1N4007"), 6,
             QColor(0xb0, 0xb4, 0xba));
    } else {
        // Carbon-film body: bulged end caps joined by a slimmer middle.
        const QColor beige(0xd6, 0xbf, 0x8c);
        QPainterPath body;
        body.addRoundedRect(QRectF(bodyL, y - 7.5, 13, 15), 5, 5);
        body.addRoundedRect(QRectF(bodyR - 13, y - 7.5, 13, 15), 5, 5);
        body.addRect(QRectF(bodyL + 8, y - 5.8, bodyR - bodyL - 16, 11.6));
        body.setFillRule(Qt::WindingFill);
        p.setBrush(Cylinder(y - 7.5, y + 7.5, beige));
        p.drawPath(body.simplified());
        // Colour code of 1 kOhm, 5 %: brown, black, red, gold.
        const QColor bands[4] = {QColor(0x7a, 0x42, 0x16), QColor(0x18, 0x18, 0x18), QColor(0xd0, 0x20, 0x18),
                                 QColor(0xd8, 0xb0, 0x40)};
        const double xs[4] = {bodyL + 8.5, bodyL + 16, bodyL + 23.5, bodyR - 12};
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 4; ++i) {
            const double half = (i == 0 || i == 3) ? 7.2 : 5.7;
            p.setBrush(Cylinder(y - half, y + half, bands[i]));
            p.drawRect(QRectF(xs[i], y - half, 3.6, 2 * half));
        }
    }
    p.restore();
}

} // namespace

void PaintResistor(QPainter& p, int w, int) {
    Resistorlike(p, w, geometry::kResistor, false);
}

void PaintDiode(QPainter& p, int w, int) {
    Resistorlike(p, w, geometry::kDiode, true);
}

void PaintCapacitor(QPainter& p, int w, int h) {
    // An electrolytic can standing on its two leads.
    const QPointF t0 = Terminal(geometry::kCapacitor, 0), t1 = Terminal(geometry::kCapacitor, 1);
    const double canBottom = h - 9;
    for (const auto& [from, t] :
         {std::pair{QPointF(10, canBottom), t0}, std::pair{QPointF(w - 10.0, canBottom), t1}}) {
        Lead(p, from, QPointF(t.x(), canBottom + 5), 1.8);
        Lead(p, QPointF(t.x(), canBottom + 5), QPointF(t.x(), h), 1.8);
    }
    const QRectF can(1.5, 1, w - 3, canBottom - 1);
    p.save();
    p.setPen(QPen(QColor(0x10, 0x1c, 0x3a), 0.8));
    p.setBrush(UprightCylinder(can.left(), can.right(), QColor(0x23, 0x4f, 0xa8)));
    p.drawRoundedRect(can, 3, 3);
    // Aluminium top and the rubber seal at the bottom.
    p.setBrush(UprightCylinder(can.left(), can.right(), QColor(0xc4, 0xc8, 0xce)));
    p.drawRoundedRect(QRectF(can.left(), can.top(), can.width(), 4), 2, 2);
    p.setBrush(QColor(0x22, 0x22, 0x24));
    p.drawRect(QRectF(can.left() + 1.5, can.bottom() - 3, can.width() - 3, 3));
    // Polarity stripe on the side of the second lead.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd8, 0xde, 0xea));
    p.drawRect(QRectF(can.right() - 8, can.top() + 4, 5, can.height() - 7));
    p.restore();
    for (int i = 0; i < 4; ++i)
        TextAt(p, QPointF(can.right() - 5.5, 10 + 9.0 * i), QStringLiteral("−"), 7, QColor(0x23, 0x4f, 0xa8),
               true);
    TextTurned(p, QPointF(12, can.center().y()), QStringLiteral("10μF 400V"), 6.5, QColor(0xf0, 0xf2, 0xf8),
               -90);
}

void PaintInductor(QPainter& p, int w, int h) {
    const QPointF t0 = Terminal(geometry::kInductor, 0), t1 = Terminal(geometry::kInductor, 1);
    // Base plate.
    p.save();
    p.setPen(QPen(QColor(0x10, 0x10, 0x12), 0.8));
    QLinearGradient base(QPointF(0, h - 14), QPointF(0, h));
    base.setColorAt(0, QColor(0x4a, 0x4e, 0x56));
    base.setColorAt(1, QColor(0x22, 0x24, 0x28));
    p.setBrush(base);
    p.drawRoundedRect(QRectF(1, h - 14, w - 2, 13), 2.5, 2.5);
    p.restore();
    Screw(p, QPointF(7, h - 7.5), 2.6);
    Screw(p, QPointF(w - 7, h - 7.5), 2.6);
    TextAt(p, QPointF(w / 2.0, h - 7.5), QStringLiteral("L"), 9, QColor(0xe8, 0xe8, 0xe8), true);
    // Bobbin: two flanges with copper winding between them.
    const double top = 12, bottom = h - 14;
    p.save();
    p.setPen(QPen(QColor(0x5a, 0x2e, 0x0c), 0.6));
    p.setBrush(Cylinder(top + 3, bottom - 3, colour::kCopper));
    const QRectF winding(9, top + 3, w - 18, bottom - top - 6);
    p.drawRect(winding);
    p.setPen(QPen(QColor(0x6a, 0x34, 0x0e, 170), 0.8));
    for (double x = winding.left() + 1.5; x < winding.right(); x += 2.4)
        p.drawLine(QPointF(x, winding.top() + 0.5), QPointF(x + 1.2, winding.bottom() - 0.5));
    p.setPen(QPen(QColor(0x10, 0x10, 0x12), 0.8));
    for (double x : {4.0, w - 10.0}) {
        p.setBrush(UprightCylinder(x, x + 6, QColor(0x34, 0x36, 0x3c)));
        p.drawRoundedRect(QRectF(x, top, 6, bottom - top), 1.5, 1.5);
    }
    p.restore();
    // Leads rise from the winding to the terminals above the body.
    Lead(p, QPointF(t0.x(), top + 6), QPointF(t0.x(), 0), 1.8);
    Lead(p, QPointF(t1.x(), top + 6), QPointF(t1.x(), 0), 1.8);
}

void PaintRheostat(QPainter& p, int w, int h) {
    const double rodY = Terminal(geometry::kRheostat, 0).y(), coilY = Terminal(geometry::kRheostat, 1).y();
    const double tubeTop = 10, tubeBottom = 42;
    // Base board and the two end stands.
    p.save();
    p.setPen(QPen(QColor(0x10, 0x12, 0x14), 0.8));
    QLinearGradient base(QPointF(0, h - 12), QPointF(0, h));
    base.setColorAt(0, QColor(0x3c, 0x5a, 0x46));
    base.setColorAt(1, QColor(0x1e, 0x30, 0x24));
    p.setBrush(base);
    p.drawRoundedRect(QRectF(2, h - 12, w - 4, 11.5), 2, 2);
    for (double x : {0.0, w - 10.0}) {
        QLinearGradient g(QPointF(x, 0), QPointF(x + 10, 0));
        g.setColorAt(0, QColor(0x6a, 0x70, 0x78));
        g.setColorAt(1, QColor(0x2c, 0x30, 0x36));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(x, 0.5, 10, h - 6), 2, 2);
    }
    p.restore();
    Text(p, QRectF(12, h - 12, w - 24, 11), QStringLiteral("滑动变阻器"), 8, QColor(0xe0, 0xe8, 0xe0));
    // Porcelain tube wound with enamelled wire.
    p.save();
    p.setPen(QPen(QColor(0x4a, 0x2a, 0x10), 0.6));
    p.setBrush(Cylinder(tubeTop, tubeBottom, QColor(0xb0, 0x72, 0x3a)));
    const QRectF tube(10, tubeTop, w - 20, tubeBottom - tubeTop);
    p.drawRect(tube);
    p.setPen(QPen(QColor(0x5c, 0x30, 0x10, 150), 0.7));
    for (double x = tube.left() + 1; x < tube.right(); x += 1.9)
        p.drawLine(QPointF(x, tube.top() + 0.5), QPointF(x + 0.8, tube.bottom() - 0.5));
    // The bare track the slider wipes along.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0xb0, 0x78, 140));
    p.drawRect(QRectF(tube.left(), tube.top() + 2, tube.width(), 2));
    p.restore();
    // Slider rod across the top.
    p.save();
    p.setPen(QPen(QColor(0x40, 0x44, 0x4a), 0.7));
    p.setBrush(Cylinder(rodY - 2.5, rodY + 2.5, colour::kMetal));
    p.drawRect(QRectF(3, rodY - 2.5, w - 6, 5));
    p.restore();
    // Terminal screws on the stands: rod ends (terminals 0, 2), coil ends (1, 3).
    for (int i = 0; i < 4; ++i) {
        const QPointF t = Terminal(geometry::kRheostat, i);
        const double x = t.x() < 0 ? 5 : w - 5;
        Strip(p, QPointF(x, t.y()), QPointF(t.x() < 0 ? 0 : w, t.y()));
        Screw(p, QPointF(x, t.y()), 2.8);
    }
    (void)coilY;
}

void PaintRheostatSlider(QPainter& p, int w, int h) {
    // The saddle rides on the rod; the brass wiper presses on the coil below.
    p.save();
    QPainterPath wiper;
    wiper.moveTo(w / 2.0 - 3, 8);
    wiper.lineTo(w / 2.0 + 3, 8);
    wiper.lineTo(w / 2.0 + 2, h - 3);
    wiper.lineTo(w / 2.0 - 2, h - 3);
    wiper.closeSubpath();
    QLinearGradient g(QPointF(w / 2.0 - 3, 0), QPointF(w / 2.0 + 3, 0));
    g.setColorAt(0, QColor(0xf4, 0xdc, 0x90));
    g.setColorAt(1, QColor(0x9a, 0x70, 0x20));
    p.setPen(QPen(QColor(0x5e, 0x44, 0x10), 0.7));
    p.setBrush(g);
    p.drawPath(wiper);
    p.setBrush(QColor(0x6a, 0x4c, 0x14));
    p.drawEllipse(QPointF(w / 2.0, h - 3.5), 2.6, 2.2);
    QLinearGradient s(QPointF(0, 0), QPointF(0, 9));
    s.setColorAt(0, QColor(0x58, 0x66, 0x7a));
    s.setColorAt(1, QColor(0x1e, 0x24, 0x2e));
    p.setBrush(s);
    p.setPen(QPen(QColor(0x0a, 0x0c, 0x10), 0.8));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, 9), 2, 2);
    p.setPen(QPen(QColor(255, 255, 255, 90), 0.8));
    p.drawLine(QPointF(2.5, 2), QPointF(w - 2.5, 2));
    p.restore();
}

namespace {

// A decade box seen from above: black top plate, knobs in rows, a caption
// over each knob and the two binding posts along the top edge.
void DecadeBox(QPainter& p, int w, int h, const geometry::CBodyGeometry& body,
               const std::vector<QPointF>& knobs, const std::vector<QString>& captions,
               const QString& title) {
    InstrumentCase(p, QRectF(0, 0, w, h), 3, 5, QColor(0x2b, 0x2e, 0x34));
    const QColor ink(0xee, 0xee, 0xe6);
    for (std::size_t i = 0; i < knobs.size(); ++i) {
        const QPointF c = knobs[i];
        std::vector<double> dots;
        for (int k = 0; k < 10; ++k)
            dots.push_back(36.0 * k);
        DialTicks(p, c, 13, 15.5, dots, ink, 1.1);
        Knob(p, c, 11, true, 36.0 * 9, colour::kBlack);
        Text(p, QRectF(c.x() - 24, c.y() - 27, 48, 10), captions[i], 8, ink);
    }
    Text(p, QRectF(6, 3, 40, 11), title, 8, QColor(0xc0, 0xc4, 0xcc), Qt::AlignLeft | Qt::AlignVCenter, true);
    EdgePost(p, w, h, Terminal(body, 0), Post::Red, 6);
    EdgePost(p, w, h, Terminal(body, 1), Post::Black, 6);
}

} // namespace

void PaintResistanceBox(QPainter& p, int w, int h) {
    DecadeBox(p, w, h, geometry::kResistanceBox,
              {{28, 44}, {76, 44}, {124, 44}, {28, 86}, {76, 86}, {124, 86}},
              {QStringLiteral("×1"), QStringLiteral("×10"), QStringLiteral("×100"), QStringLiteral("×1000"),
               QStringLiteral("×10000"), QStringLiteral("×100000")},
              QStringLiteral("电阻箱"));
}

void PaintCapacitanceBox(QPainter& p, int w, int h) {
    DecadeBox(
        p, w, h, geometry::kCapacitanceBox, {{40, 44}, {98, 44}, {40, 86}, {98, 86}},
        {QStringLiteral("×0.001"), QStringLiteral("×0.01"), QStringLiteral("×0.1"), QStringLiteral("×1")},
        QStringLiteral("电容箱"));
}

namespace {

// A single-pole knife switch: hinge on the left, clip on the right; the
// blade lies in the clip when closed and is lifted when open.
void SingleSwitch(QPainter& p, int w, int h, bool closed) {
    const double y = Terminal(geometry::kSingleSwitch, 0).y();
    SwitchBase(p, QRectF(1, 17, w - 2, h - 18));
    Strip(p, QPointF(0, y), QPointF(18, y));
    Strip(p, QPointF(w - 18.0, y), QPointF(w, y));
    const QPointF pivot(17, y - 6);
    Clamp(p, QRectF(9, y - 12, 16, 16));
    // Spring clip: two jaws the blade slides between.
    const double clipX = 92;
    Clamp(p, QRectF(clipX - 6, y - 6, 14, 10));
    p.save();
    p.setPen(QPen(QColor(0x6a, 0x50, 0x18), 1));
    p.setBrush(QColor(0xd8, 0xb8, 0x60));
    p.drawRect(QRectF(clipX - 4, y - 13, 3, 8));
    p.drawRect(QRectF(clipX + 3, y - 13, 3, 8));
    p.restore();
    Blade(p, pivot, clipX + 6 - pivot.x(), closed ? 0 : 14, 12);
}

// A double-throw knife switch: centre hinge joined to the lower terminal,
// clips left and right; neutral leaves the blade standing up.
void DoubleSwitch(QPainter& p, int w, int h, int state) {
    const QPointF t0 = Terminal(geometry::kDoubleSwitch, 0), t1 = Terminal(geometry::kDoubleSwitch, 1),
                  t2 = Terminal(geometry::kDoubleSwitch, 2);
    const double y = t0.y();
    SwitchBase(p, QRectF(1, 12, w - 2, h - 13));
    Strip(p, QPointF(0, y), QPointF(24, y));
    Strip(p, QPointF(w - 24.0, y), QPointF(w, y));
    Strip(p, QPointF(t2.x(), y), QPointF(t2.x(), h));
    const QPointF pivot(t2.x(), y - 6);
    Clamp(p, QRectF(pivot.x() - 7, y - 12, 14, 16));
    for (double cx : {22.0, w - 22.0}) {
        Clamp(p, QRectF(cx - 6, y - 6, 12, 10));
        p.save();
        p.setPen(QPen(QColor(0x6a, 0x50, 0x18), 1));
        p.setBrush(QColor(0xd8, 0xb8, 0x60));
        p.drawRect(QRectF(cx - 4.5, y - 13, 3, 8));
        p.drawRect(QRectF(cx + 1.5, y - 13, 3, 8));
        p.restore();
    }
    TextAt(p, QPointF(8, 19), QStringLiteral("1"), 7, colour::kInkSoft);
    TextAt(p, QPointF(w - 8.0, 19), QStringLiteral("2"), 7, colour::kInkSoft);
    (void)t1;
    const double reach = pivot.x() - 22;
    if (state == 0)
        Blade(p, pivot, 14, 90, 7); // standing up, seen foreshortened
    else if (state == 1)
        Blade(p, pivot, -reach - 2, 0, 10);
    else
        Blade(p, pivot, reach + 2, 0, 10);
}

} // namespace

void PaintSingleSwitchOpen(QPainter& p, int w, int h) {
    SingleSwitch(p, w, h, false);
}
void PaintSingleSwitchClosed(QPainter& p, int w, int h) {
    SingleSwitch(p, w, h, true);
}
void PaintDoubleSwitchOpen(QPainter& p, int w, int h) {
    DoubleSwitch(p, w, h, 0);
}
void PaintDoubleSwitchLeft(QPainter& p, int w, int h) {
    DoubleSwitch(p, w, h, 1);
}
void PaintDoubleSwitchRight(QPainter& p, int w, int h) {
    DoubleSwitch(p, w, h, 2);
}

void PaintPlugBoard(QPainter& p, int w, int h) {
    // A small board with two jacks where a digital ammeter's terminals land
    // when it is plugged in; a spring link joins them while no meter is in.
    const double y = Terminal(geometry::kPlugBoard, 0).y();
    p.save();
    p.setPen(QPen(QColor(0x10, 0x1a, 0x12), 0.8));
    QLinearGradient g(QPointF(0, 0), QPointF(0, h));
    g.setColorAt(0, QColor(0x3e, 0x6c, 0x4c));
    g.setColorAt(1, QColor(0x22, 0x42, 0x2c));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 3, 3);
    p.restore();
    const QPointF jackA(26, 7), jackB(95, 7);
    Strip(p, QPointF(0, y), QPointF(jackA.x(), y));
    Strip(p, QPointF(jackA.x(), y), jackA);
    Strip(p, QPointF(w, y), QPointF(jackB.x(), y));
    Strip(p, QPointF(jackB.x(), y), jackB);
    p.save();
    p.setPen(QPen(QColor(0xc0, 0xc4, 0xca), 1.2, Qt::DashLine));
    p.drawLine(jackA + QPointF(6, 0), jackB - QPointF(6, 0));
    p.restore();
    BindingPost(p, jackA, 5, Post::Red);
    BindingPost(p, jackB, 5, Post::Black);
    Text(p, QRectF(34, 9, 54, 12), QStringLiteral("电流表插口"), 8, QColor(0xf0, 0xf4, 0xf0));
}

void PaintResistanceWire(QPainter& p, int w, int h) {
    p.fillRect(QRectF(0, 0, w, h), Qt::white);
    p.save();
    p.setPen(QPen(QColor(0x8a, 0x8e, 0x94), 1.2));
    QPainterPath coil;
    coil.moveTo(6, h / 2.0);
    for (double x = 6; x <= w - 6; x += 2)
        coil.lineTo(x, h / 2.0 + (static_cast<int>(x) % 4 == 0 ? -3 : 3));
    p.drawPath(coil);
    p.restore();
    Clamp(p, QRectF(0, h / 2.0 - 5, 7, 10));
    Clamp(p, QRectF(w - 7.0, h / 2.0 - 5, 7, 10));
}

void PaintVerticalSwitch(QPainter& p, int w, int h) {
    p.fillRect(QRectF(0, 0, w, h), Qt::white);
    const QPointF t0 = Terminal(geometry::kVerticalSwitch, 0), t1 = Terminal(geometry::kVerticalSwitch, 1),
                  t2 = Terminal(geometry::kVerticalSwitch, 2);
    SwitchBase(p, QRectF(1, 1, w - 2, h - 2));
    Strip(p, QPointF(0, t0.y()), QPointF(16, t0.y()));
    Strip(p, QPointF(0, t1.y()), QPointF(16, t1.y()));
    Strip(p, QPointF(w, t2.y()), QPointF(w - 16.0, t2.y()));
    Clamp(p, QRectF(12, t0.y() - 5, 10, 10));
    Clamp(p, QRectF(12, t1.y() - 5, 10, 10));
    Clamp(p, QRectF(w - 20.0, t2.y() - 6, 12, 12));
    Blade(p, QPointF(w - 14.0, t2.y()), -(w - 34.0), 20, 9);
}

namespace {
// A small panel meter of the kinds only old files hold: the program draws
// its reading at half size (cells 8.5 x 15) ending 3 pixels from the right
// edge, 30 pixels down; the leads leave at the bottom edge.
void SmallMeter(QPainter& p, int w, int h, const geometry::CBodyGeometry& body, const QString& unit,
                const QString& name) {
    p.fillRect(QRectF(0, 0, w, h), Qt::white);
    InstrumentCase(p, QRectF(0, 0, w, h - 2), 2.5, 4);
    Text(p, QRectF(4, 3, 16, 20), unit, 15, colour::kAccent, Qt::AlignCenter, true);
    Text(p, QRectF(19, 5, 28, 16), name, 8, colour::kInk, Qt::AlignCenter, true);
    DisplayWindow(p, QRectF(4, 26, w - 8, 20));
    for (std::size_t i = 0; i < 2; ++i) {
        const double x = Terminal(body, i).x();
        p.setPen(Qt::NoPen);
        p.setBrush(i == 0 ? colour::kRed : colour::kBlack);
        p.drawRect(QRectF(x - 3, h - 4.0, 6, 4));
    }
}
} // namespace

void PaintSmallVoltmeter(QPainter& p, int w, int h) {
    SmallMeter(p, w, h, geometry::kFileVoltmeter, QStringLiteral("V"), QStringLiteral("电压表"));
}
void PaintSmallAmmeter(QPainter& p, int w, int h) {
    SmallMeter(p, w, h, geometry::kFileAmmeter, QStringLiteral("A"), QStringLiteral("电流表"));
}

} // namespace art
