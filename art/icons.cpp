// Toolbar and menu icons, 24 x 24 with transparency, in one flat style: a
// dark outline, one or two fill colours, a light top edge. The application
// icon is a bench meter with its needle.
#include "drawings.h"
#include "paint.h"

#include <QPainterPath>

#include <cmath>

namespace art {

namespace {

const QColor kOutline(0x24, 0x30, 0x44);
const QColor kBlue(0x2f, 0x74, 0xc8), kYellow(0xf2, 0xc1, 0x3a), kRedIcon(0xd8, 0x32, 0x2a),
    kGreen(0x3c, 0xa0, 0x50), kPaper(0xfb, 0xfc, 0xfe);

void Outline(QPainter& p, double width = 1.2) {
    p.setPen(QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void Page(QPainter& p, const QRectF& r) {
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - 5, r.top());
    page.lineTo(r.right(), r.top() + 5);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    Outline(p);
    p.setBrush(kPaper);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(r.right() - 5, r.top());
    fold.lineTo(r.right() - 5, r.top() + 5);
    fold.lineTo(r.right(), r.top() + 5);
    p.setBrush(QColor(0xd8, 0xe0, 0xea));
    p.drawPath(fold);
}

void Floppy(QPainter& p, const QRectF& r) {
    Outline(p);
    p.setBrush(kBlue);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(r.left() + 3, r.top(), r.width() - 6, r.height() * 0.38));
    p.setBrush(QColor(0xd0, 0xd6, 0xde));
    p.drawRect(QRectF(r.left() + 4, r.bottom() - r.height() * 0.4, r.width() - 8, r.height() * 0.4));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawRect(QRectF(r.right() - 7, r.top() + 1.5, 2, r.height() * 0.28));
}

// A curved arrow round (12, 13): counter-clockwise when `left`.
void TurnArrow(QPainter& p, bool left, double sweep) {
    const QPointF c(12, 13);
    const double r = 7;
    p.setPen(QPen(kBlue, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const double start = left ? 0 : 180;
    const double span = left ? sweep : -sweep;
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), static_cast<int>(start * 16),
              static_cast<int>(span * 16));
    // Arrow head at the end of the arc.
    const double end = (start + span) * 3.14159265 / 180;
    const QPointF tip(c.x() + r * std::cos(end), c.y() - r * std::sin(end));
    const double dir = end + (left ? 3.14159265 / 2 : -3.14159265 / 2); // tangent, pointing along the sweep
    const QPointF t(std::cos(dir), -std::sin(dir)), n(-t.y(), t.x());
    QPainterPath head;
    head.moveTo(tip + t * 4.5);
    head.lineTo(tip - t * 1.5 + n * 4);
    head.lineTo(tip - t * 1.5 - n * 4);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPath(head);
}

void Cross(QPainter& p, QPointF c, double r) {
    p.setPen(QPen(kRedIcon, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
    p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
}

void Badge(QPainter& p, const QString& letter, const QColor& colour) {
    QRadialGradient g(QPointF(9, 8), 14);
    g.setColorAt(0, colour.lighter(140));
    g.setColorAt(1, colour);
    Outline(p);
    p.setBrush(g);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    TextAt(p, QPointF(12, 12.5), letter, 15, Qt::white, true);
}

} // namespace

void PaintIconNew(QPainter& p, int, int) {
    Page(p, QRectF(5, 2.5, 14, 19));
    p.setPen(QPen(kYellow.darker(120), 1.4));
    const QPointF s(17, 17);
    for (int i = 0; i < 4; ++i)
        p.drawLine(s, s + QPointF(4 * std::cos(i * 0.785), 4 * std::sin(i * 0.785)));
}

void PaintIconOpen(QPainter& p, int, int) {
    Outline(p);
    p.setBrush(kYellow.darker(115));
    QPainterPath back;
    back.moveTo(2.5, 19.5);
    back.lineTo(2.5, 5.5);
    back.lineTo(8.5, 5.5);
    back.lineTo(10.5, 7.5);
    back.lineTo(18.5, 7.5);
    back.lineTo(18.5, 10.5);
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(6.5, 10.5);
    front.lineTo(22.0, 10.5);
    front.lineTo(18.0, 19.5);
    front.closeSubpath();
    p.setBrush(kYellow);
    p.drawPath(front);
}

void PaintIconSave(QPainter& p, int, int) {
    Floppy(p, QRectF(3.5, 3.5, 17, 17));
}

void PaintIconSaveAs(QPainter& p, int, int) {
    Floppy(p, QRectF(2.5, 2.5, 15, 15));
    p.save();
    p.translate(17, 17);
    p.rotate(45);
    Outline(p, 1);
    p.setBrush(kYellow);
    p.drawRect(QRectF(-2, -8, 4, 11));
    p.setBrush(kOutline);
    QPainterPath tip;
    tip.moveTo(-2, 3);
    tip.lineTo(2, 3);
    tip.lineTo(0, 6);
    tip.closeSubpath();
    p.drawPath(tip);
    p.restore();
}

void PaintIconExit(QPainter& p, int, int) {
    Outline(p);
    p.setBrush(QColor(0x8a, 0x5a, 0x30));
    p.drawRect(QRectF(4.5, 3.5, 10, 17));
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(12, 12.5), 1, 1);
    p.setPen(QPen(kRedIcon, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13, 12), QPointF(21, 12));
    p.drawLine(QPointF(21, 12), QPointF(18, 9));
    p.drawLine(QPointF(21, 12), QPointF(18, 15));
}

void PaintIconUndo(QPainter& p, int, int) {
    TurnArrow(p, true, 200);
}
void PaintIconRedo(QPainter& p, int, int) {
    TurnArrow(p, false, 200);
}

void PaintIconRotateLeft(QPainter& p, int, int) {
    Outline(p, 1);
    p.setBrush(QColor(0xd6, 0xbf, 0x8c));
    p.drawRect(QRectF(9, 10, 6, 6));
    TurnArrow(p, true, 270);
}

void PaintIconRotateRight(QPainter& p, int, int) {
    Outline(p, 1);
    p.setBrush(QColor(0xd6, 0xbf, 0x8c));
    p.drawRect(QRectF(9, 10, 6, 6));
    TurnArrow(p, false, 270);
}

void PaintIconDelete(QPainter& p, int, int) {
    Cross(p, QPointF(12, 12), 7);
}

void PaintIconDeleteAll(QPainter& p, int, int) {
    // A waste bin.
    Outline(p);
    p.setBrush(QColor(0xb8, 0xc0, 0xca));
    QPainterPath bin;
    bin.moveTo(5.5, 7.5);
    bin.lineTo(18.5, 7.5);
    bin.lineTo(17, 21.5);
    bin.lineTo(7, 21.5);
    bin.closeSubpath();
    p.drawPath(bin);
    p.drawRect(QRectF(4, 5, 16, 2.5));
    p.drawRect(QRectF(9.5, 2.5, 5, 2.5));
    p.setPen(QPen(kOutline, 1));
    for (double x : {9.5, 12.0, 14.5})
        p.drawLine(QPointF(x, 10), QPointF(x, 19));
}

void PaintIconNames(QPainter& p, int, int) {
    // A name tag "R1" above a resistor.
    Outline(p);
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(3.5, 2.5, 17, 10), 2, 2);
    TextAt(p, QPointF(12, 7.8), QStringLiteral("R1"), 9, kBlue, true);
    p.setPen(QPen(QColor(0x70, 0x76, 0x80), 1.6));
    p.drawLine(QPointF(1, 18), QPointF(23, 18));
    Outline(p, 1);
    p.setBrush(QColor(0xd6, 0xbf, 0x8c));
    p.drawRoundedRect(QRectF(7, 15, 10, 6), 2, 2);
}

void PaintIconSchematic(QPainter& p, int, int) {
    Outline(p, 1);
    p.setBrush(QColor(0xff, 0xfb, 0xd0));
    p.drawRect(QRectF(2.5, 3.5, 19, 17));
    p.setPen(QPen(Qt::black, 1.4));
    p.setBrush(Qt::NoBrush);
    QPainterPath zig;
    zig.moveTo(4, 12);
    zig.lineTo(7, 12);
    for (int i = 0; i < 5; ++i)
        zig.lineTo(8 + 2 * i, i % 2 ? 15 : 9);
    zig.lineTo(17, 12);
    zig.lineTo(20, 12);
    p.drawPath(zig);
}

void PaintIconBoardView(QPainter& p, int, int) {
    InstrumentCase(p, QRectF(2, 4, 20, 16), 1.5, 2.5);
    p.fillRect(QRectF(5, 7, 10, 5), colour::kWindow);
    p.fillRect(QRectF(6, 8.5, 8, 2), colour::kLed);
    Knob(p, QPointF(17.5, 9.5), 2.8);
    BindingPost(p, QPointF(7, 16), 2.2, Post::Red);
    BindingPost(p, QPointF(13, 16), 2.2, Post::Black);
}

void PaintIconDeviceBar(QPainter& p, int, int) {
    Outline(p, 1);
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 2.5, 17, 19));
    p.setBrush(QColor(0xc8, 0xd6, 0xe8));
    p.drawRect(QRectF(3.5, 2.5, 17, 4));
    for (int i = 0; i < 3; ++i) {
        p.setBrush(i == 0 ? QColor(0xd6, 0xbf, 0x8c) : i == 1 ? kBlue : kYellow);
        p.drawRect(QRectF(6, 8.5 + 4.3 * i, 12, 3));
    }
}

void PaintIconToolbar(QPainter& p, int, int) {
    Outline(p, 1);
    p.setBrush(QColor(0xe4, 0xea, 0xf2));
    p.drawRect(QRectF(1.5, 7.5, 21, 9));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i % 2 ? kBlue : kYellow);
        p.drawRect(QRectF(3.5 + 4.8 * i, 9.5, 3.6, 5));
    }
}

void PaintIconColours(QPainter& p, int, int) {
    QPainterPath palette;
    palette.addEllipse(QPointF(12, 12), 10, 8.5);
    QPainterPath hole;
    hole.addEllipse(QPointF(16, 16), 2.2, 2.2);
    Outline(p);
    p.setBrush(QColor(0xf2, 0xe2, 0xc4));
    p.drawPath(palette.subtracted(hole));
    const QColor dots[4] = {kRedIcon, kBlue, kGreen, kYellow};
    const QPointF at[4] = {{7, 10}, {11, 6.5}, {16, 8}, {7.5, 15}};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(dots[i]);
        p.drawEllipse(at[i], 2, 2);
    }
}

void PaintIconHelp(QPainter& p, int, int) {
    Badge(p, QStringLiteral("?"), kBlue);
}
void PaintIconAbout(QPainter& p, int, int) {
    Badge(p, QStringLiteral("i"), kGreen);
}

void PaintIconApplication(QPainter& p, int w, int h) {
    // A bench meter: dark case, white scale, red needle, "A" for Ampera.
    InstrumentCase(p, QRectF(2, 4, w - 4, h - 8), 4, 10, QColor(0xf4, 0xf2, 0xea));
    const QPointF pivot(w / 2.0, h * 0.74);
    std::vector<double> ticks;
    for (int i = 0; i <= 10; ++i)
        ticks.push_back(-50 + 10.0 * i);
    DialArc(p, pivot, h * 0.42, -50, 50, colour::kInk, 2);
    DialTicks(p, pivot, h * 0.42, h * 0.5, ticks, colour::kInk, 1.6);
    p.setPen(QPen(colour::kRed, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pivot, Polar(pivot, h * 0.46, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kInk);
    p.drawEllipse(pivot, 3.5, 3.5);
    TextAt(p, QPointF(w * 0.32, h * 0.58), QStringLiteral("A"), h * 0.26, colour::kAccent, true);
}

void PaintDesktopApplication(QPainter& p, int w, int h) {
    p.scale(w / 64.0, h / 64.0);
    PaintIconApplication(p, 64, 64);
}

void PaintDesktopExperiment(QPainter& p, int w, int h) {
    p.scale(w / 64.0, h / 64.0);
    // A white page with a folded corner, the meter on its lower part.
    QPainterPath page;
    page.moveTo(10, 2);
    page.lineTo(42, 2);
    page.lineTo(54, 14);
    page.lineTo(54, 62);
    page.lineTo(10, 62);
    page.closeSubpath();
    p.setPen(QPen(colour::kInk, 1.5));
    p.setBrush(QColor(0xfc, 0xfc, 0xf8));
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(42, 2);
    fold.lineTo(42, 14);
    fold.lineTo(54, 14);
    p.setBrush(QColor(0xdc, 0xdc, 0xd4));
    p.drawPath(fold);
    p.setPen(QPen(QColor(0x9a, 0xa4, 0xb0), 1.2));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(16, 10 + 6 * i), QPointF(36, 10 + 6 * i));
    p.save();
    p.translate(14, 28);
    p.scale(36 / 64.0, 32 / 64.0);
    PaintIconApplication(p, 64, 64);
    p.restore();
}

} // namespace art
