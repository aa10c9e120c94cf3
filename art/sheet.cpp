// The shared panel sheet "above" (digit glyphs, needle, step buttons, button
// looks, power looks, unit bar) and the separate panel parts: knob faces,
// pointers, the oscilloscope's slide, position knob and screen, the range
// legends, the terminal node and the blank glyph page.
#include "device_tables.h"
#include "drawings.h"
#include "paint.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace art {

namespace {

// The digit cells, in sheet pixels.
constexpr double kDigitCell = static_cast<double>(sheet::kPixels) / sheet::kDigitCells;
constexpr double kDigitHeight = static_cast<double>(sheet::kDigitV) * sheet::kPixels;

// One seven-segment digit inside the cell at x0: slanted a little like LED
// displays, lit segments with a soft glow kept inside the cell.
void SevenSegment(QPainter& p, double x0, int digit) {
    // Segments a..g lit per digit.
    static const char* const kLit[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                         "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    const double l = x0 + 3.2, r = x0 + kDigitCell - 3.2; // outer edges of the vertical segments
    const double t = 2.2, b = kDigitHeight - 2.4, m = (t + b) / 2, w = 2.6, s = 0.085; // s: slant
    auto X = [&](double x, double y) { return x + (m - y) * s; };
    auto Horizontal = [&](double y) {
        QPainterPath seg;
        const double a = l + w * 0.55, c = r - w * 0.55;
        seg.moveTo(X(a, y), y);
        seg.lineTo(X(a + w / 2, y - w / 2), y - w / 2);
        seg.lineTo(X(c - w / 2, y - w / 2), y - w / 2);
        seg.lineTo(X(c, y), y);
        seg.lineTo(X(c - w / 2, y + w / 2), y + w / 2);
        seg.lineTo(X(a + w / 2, y + w / 2), y + w / 2);
        seg.closeSubpath();
        return seg;
    };
    auto Vertical = [&](double x, double y0, double y1) {
        QPainterPath seg;
        const double a = y0 + w * 0.55, c = y1 - w * 0.55;
        seg.moveTo(X(x, a), a);
        seg.lineTo(X(x + w / 2, a + w / 2), a + w / 2);
        seg.lineTo(X(x + w / 2, c - w / 2), c - w / 2);
        seg.lineTo(X(x, c), c);
        seg.lineTo(X(x - w / 2, c - w / 2), c - w / 2);
        seg.lineTo(X(x - w / 2, a + w / 2), a + w / 2);
        seg.closeSubpath();
        return seg;
    };
    const double vl = l + w / 2, vr = r - w / 2;
    const double ht = t + w / 2, hb = b - w / 2;
    QPainterPath segs[7] = {Horizontal(ht),      Vertical(vr, ht, m), Vertical(vr, m, hb), Horizontal(hb),
                            Vertical(vl, m, hb), Vertical(vl, ht, m), Horizontal(m)};
    QPainterPath lit;
    for (const char* c = kLit[digit]; *c; ++c)
        lit.addPath(segs[*c - 'a']);
    p.save();
    // Whole pixels only, leaving each cell's edge columns clear: the program
    // samples right up to the cell edge, and a neighbour's glow must not show.
    const int first = static_cast<int>(std::ceil(x0)) + 1,
              last = static_cast<int>(std::floor(x0 + kDigitCell)) - 1;
    p.setClipRect(QRect(first, 0, last - first, static_cast<int>(kDigitHeight)));
    p.setPen(QPen(QColor(0xff, 0x50, 0x30, 70), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(lit); // glow
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kLed);
    p.drawPath(lit);
    p.restore();
}

void StepButton(QPainter& p, const QRectF& r, bool pressed, bool plus) {
    p.save();
    p.setPen(QPen(QColor(0x30, 0x34, 0x3a), 0.8));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, pressed ? QColor(0x9a, 0xa6, 0xb4) : QColor(0xf4, 0xf6, 0xf8));
    g.setColorAt(1, pressed ? QColor(0xb8, 0xc2, 0xcc) : QColor(0xb4, 0xbc, 0xc6));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    const QPointF c = r.center() + (pressed ? QPointF(0.5, 0.5) : QPointF(0, 0));
    p.setPen(QPen(QColor(0x16, 0x2a, 0x50), 1.8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(c - QPointF(4, 0), c + QPointF(4, 0));
    if (plus) p.drawLine(c - QPointF(0, 4), c + QPointF(0, 4));
    p.restore();
}

// A knob needle on transparency: a white pointer from the middle up to the
// tip, outlined so it shows on black knobs and light panels alike.
void Needle(QPainter& p, const QRectF& r) {
    p.save();
    const double cx = r.center().x(), cy = r.center().y();
    QPainterPath tip;
    tip.moveTo(cx, r.top() + 0.8);
    tip.lineTo(cx + 2.6, r.top() + 7);
    tip.lineTo(cx + 1.9, cy + 1);
    tip.lineTo(cx - 1.9, cy + 1);
    tip.lineTo(cx - 2.6, r.top() + 7);
    tip.closeSubpath();
    p.setPen(QPen(QColor(0x10, 0x12, 0x16, 220), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xf6, 0xf4, 0xec));
    p.drawPath(tip);
    // A red tip like an index mark.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe0, 0x30, 0x20));
    QPainterPath red;
    red.moveTo(cx, r.top() + 1.6);
    red.lineTo(cx + 2.0, r.top() + 6.5);
    red.lineTo(cx - 2.0, r.top() + 6.5);
    red.closeSubpath();
    p.drawPath(red);
    // Short dark tail below the hub.
    p.setPen(QPen(QColor(0x10, 0x12, 0x16, 200), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx, cy + 2), QPointF(cx, cy + 9));
    p.restore();
}

// The dial plate of a knob face picture: panel background, tick ring, and a
// solid black knob body wide enough to hide the separate pointer picture.
void KnobFace(QPainter& p, int w, int h, const std::vector<double>& ticks) {
    p.fillRect(QRectF(0, 0, w, h), colour::kPanel);
    const QPointF c(w / 2.0, h / 2.0);
    DialTicks(p, c, 31, 34.5, ticks, colour::kInk, 1.4);
    // Body: flat black up to radius 29.5 so the pointer strip blends in.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(c + QPointF(0.8, 1.2), 30.2, 30.2);
    QRadialGradient rim(c, 30.5);
    rim.setColorAt(0, colour::kBlack);
    rim.setColorAt(0.965, colour::kBlack);
    rim.setColorAt(1, QColor(0x70, 0x74, 0x7a));
    p.setBrush(rim);
    p.drawEllipse(c, 30.5, 30.5);
}

void Legend(QPainter& p, int w, int h, const QString& text) {
    // Drawn at half size beside the digits, on the display glass.
    p.fillRect(QRectF(0, 0, w, h), colour::kWindow);
    Text(p, QRectF(0, 0, w, h), text, h * 0.72, QColor(0xe0, 0x48, 0x34), Qt::AlignCenter, true);
}

} // namespace

void PaintPanelSheet(QPainter& p, int, int) {
    for (int d = 0; d < 10; ++d)
        SevenSegment(p, d * kDigitCell, d);
    // Decimal point and unit bar share one small solid patch (the unit bar's
    // region). Its first column is half covered so that the "9" cell beside
    // it, which ends a little inside that column, picks up no visible edge.
    const QRectF patch = SheetPixels(sheet::kUnitBar);
    p.fillRect(QRectF(patch.left(), patch.top(), 1, patch.height()), QColor(0xff, 0x3a, 0x24, 110));
    p.fillRect(patch.adjusted(1, 0, 0, 0), colour::kLed);
    Needle(p, SheetPixels(sheet::kNeedle));
    StepButton(p, SheetPixels(sheet::kStepDownReleased), false, false);
    StepButton(p, SheetPixels(sheet::kStepDownPressed), true, false);
    StepButton(p, SheetPixels(sheet::kStepUpReleased), false, true);
    StepButton(p, SheetPixels(sheet::kStepUpPressed), true, true);
    // Waveform buttons: tall keys with a green lamp that lights when pressed.
    PushButton(p, SheetPixels(sheet::kWaveReleased), false, QColor(0xe9, 0xea, 0xec),
               QColor(0x40, 0xe0, 0x60));
    PushButton(p, SheetPixels(sheet::kWavePressed), true, QColor(0xe9, 0xea, 0xec), QColor(0x40, 0xe0, 0x60));
    // Band buttons: blue-grey keys with an amber lamp.
    PushButton(p, SheetPixels(sheet::kBandReleased), false, QColor(0xc9, 0xd6, 0xe6),
               QColor(0xff, 0xb0, 0x20));
    PushButton(p, SheetPixels(sheet::kBandPressed), true, QColor(0xc9, 0xd6, 0xe6), QColor(0xff, 0xb0, 0x20));
    PowerRocker(p, SheetPixels(sheet::kPowerOn), true);
    PowerRocker(p, SheetPixels(sheet::kPowerOff), false);
}

void PaintNode(QPainter& p, int w, int h) {
    // A brass ring terminal seen from above: the node wires attach to.
    const QPointF c(w / 2.0, h / 2.0);
    QRadialGradient g(c - QPointF(1.5, 1.5), 7);
    g.setColorAt(0, QColor(0xff, 0xf0, 0xb8));
    g.setColorAt(0.6, colour::kBrass);
    g.setColorAt(1, QColor(0x7a, 0x5a, 0x18));
    p.setPen(QPen(QColor(0x5a, 0x40, 0x10), 0.8));
    p.setBrush(g);
    p.drawEllipse(c, 5.4, 5.4);
    p.setPen(QPen(QColor(0x4a, 0x36, 0x10), 0.7));
    p.setBrush(QColor(0x3a, 0x2c, 0x10));
    p.drawEllipse(c, 1.8, 1.8);
}

void PaintGlyphPage(QPainter&, int, int) {
    // Left fully transparent: the renderer writes glyphs into it at run time.
}

void PaintSourceFineFace(QPainter& p, int w, int h) {
    // Under the turning pointer picture, which covers it: the same knob on
    // bare panel, so that nothing shows at its corners while the pointer turns.
    p.fillRect(QRectF(0, 0, w, h), colour::kPanel);
    Knob(p, QPointF(w / 2.0, h / 2.0), std::min(w, h) * 0.46, false);
}

void PaintCoarseFrequencyFace(QPainter& p, int w, int h) {
    KnobFace(p, w, h, Angles(layout::frequency_knobs::kCoarse));
}

void PaintFineFrequencyFace(QPainter& p, int w, int h) {
    KnobFace(p, w, h, Angles(layout::frequency_knobs::kFine));
}

void PaintPowerOn(QPainter& p, int w, int h) {
    p.fillRect(QRectF(0, 0, w, h), colour::kPanel);
    PowerRocker(p, QRectF(0, 0, w, h), true);
}

void PaintPointer(QPainter& p, int w, int h) {
    // The fine knob of the sources as a whole: the program lays this picture
    // over the knob's square and turns it, so it is the knob itself with its
    // index line; the corners are bare panel. Nothing else is drawn within the
    // square's reach on the panel.
    p.fillRect(QRectF(0, 0, w, h), colour::kPanel);
    const QPointF c(w / 2.0, h / 2.0);
    const double r = std::min(w, h) * 0.46;
    Knob(p, c, r, false);
    p.setPen(QPen(QColor(0xf6, 0xf4, 0xec), std::max(2.0, r * 0.09), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(Polar(c, r * 0.2, 0), Polar(c, r * 0.86, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe0, 0x30, 0x20));
    p.drawEllipse(Polar(c, r * 0.9, 0), r * 0.07, r * 0.07);
}

void PaintModeSlide(QPainter& p, int w, int h) {
    // A slide-switch cap, used both for the tall display-mode slide and the
    // small coupling slides: a dark ribbed cap on bare panel, with a white
    // index notch at 12 % of its height (level with the position legend at
    // the first position of the mode slide).
    p.fillRect(QRectF(0, 0, w, h), colour::kPanel);
    const QRectF cap(w * 0.15, h * 0.03, w * 0.7, h * 0.94);
    QLinearGradient g(cap.topLeft(), cap.topRight());
    g.setColorAt(0, QColor(0x5a, 0x60, 0x6a));
    g.setColorAt(0.5, QColor(0x3a, 0x3e, 0x46));
    g.setColorAt(1, QColor(0x1e, 0x20, 0x24));
    p.setPen(QPen(QColor(0x10, 0x12, 0x14), 1));
    p.setBrush(g);
    p.drawRoundedRect(cap, w * 0.12, w * 0.12);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    const int ribs = std::max(3, h / 9);
    for (int i = 1; i < ribs; ++i) {
        const double y = cap.top() + cap.height() * i / ribs;
        p.drawLine(QPointF(cap.left() + 3, y), QPointF(cap.right() - 3, y));
    }
    const double mark = h * 0.122;
    p.setPen(QPen(QColor(0xf4, 0xf4, 0xf0), std::max(1.5, h * 0.025)));
    p.drawLine(QPointF(0, mark), QPointF(cap.right() - 2, mark));
}

void PaintPositionKnob(QPainter& p, int w, int h) {
    // The oscilloscope's knobs: the program turns this picture as a whole, so
    // the knob fills it and its index line turns with it; the corners are
    // bare panel.
    p.fillRect(QRectF(0, 0, w, h), colour::kPanel);
    const QPointF c(w / 2.0, h / 2.0);
    const double r = std::min(w, h) * 0.47;
    Knob(p, c, r, false);
    p.setPen(QPen(QColor(0xf6, 0xf4, 0xec), std::max(2.0, r * 0.1), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(Polar(c, r * 0.15, 0), Polar(c, r * 0.88, 0));
}

void PaintKnobBezel(QPainter& p, int w, int h) {
    // Laid over the oscilloscope's knobs (at the full knob square, the knob
    // picture turning at 0.8 of it): a dark bezel ring seating the knob in
    // the panel; transparent inside and outside.
    const QPointF c(w / 2.0, h / 2.0);
    const double outer = std::min(w, h) * 0.49, inner = std::min(w, h) * 0.405;
    QPainterPath ring;
    ring.addEllipse(c, outer, outer);
    QPainterPath hole;
    hole.addEllipse(c, inner, inner);
    QRadialGradient g(c, outer);
    g.setColorAt(inner / outer, QColor(0x14, 0x16, 0x1a, 230));
    g.setColorAt(0.93, QColor(0x5c, 0x62, 0x6c, 220));
    g.setColorAt(1, QColor(0x9a, 0xa0, 0xa8, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(ring.subtracted(hole));
}

void PaintLegend2(QPainter& p, int w, int h) {
    Legend(p, w, h, QStringLiteral("2"));
}
void PaintLegend20(QPainter& p, int w, int h) {
    Legend(p, w, h, QStringLiteral("20"));
}
void PaintLegend200(QPainter& p, int w, int h) {
    Legend(p, w, h, QStringLiteral("200"));
}

void PaintScopeScreen(QPainter& p, int w, int h) {
    // A green phosphor tube: the traces' divisions, the centre axes
    // subdivided in fifths. The traces are laid from the bottom-left corner
    // with the channels' zero level and time zero on the centre lines, so the
    // horizontal axis lies that far above the bottom edge.
    namespace scope = layout::oscilloscope;
    QRadialGradient g(QPointF(w / 2.0, h / 2.0), w * 0.7);
    g.setColorAt(0, QColor(0x0c, 0x2a, 0x1a));
    g.setColorAt(1, QColor(0x03, 0x0d, 0x08));
    p.fillRect(QRectF(0, 0, w, h), g);
    const double axisX = scope::kScreenCentreX, axisY = h - scope::kScreenCentreY;
    const double division = scope::kPixelsPerDivision, tick = division / 5;
    const QColor grid(0x3a, 0x7a, 0x55), fine(0x2c, 0x60, 0x44);
    p.setPen(QPen(grid, 1, Qt::DotLine));
    for (double x = std::fmod(axisX, division); x < w; x += division)
        p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, h));
    for (double y = std::fmod(axisY, division); y < h; y += division)
        p.drawLine(QPointF(0, y + 0.5), QPointF(w, y + 0.5));
    p.setPen(QPen(grid, 1));
    p.drawLine(QPointF(axisX + 0.5, 0), QPointF(axisX + 0.5, h));
    p.drawLine(QPointF(0, axisY + 0.5), QPointF(w, axisY + 0.5));
    p.setPen(QPen(fine, 1));
    for (double x = std::fmod(axisX, tick); x <= w; x += tick)
        p.drawLine(QPointF(x + 0.5, axisY - 2.5), QPointF(x + 0.5, axisY + 3.5));
    for (double y = std::fmod(axisY, tick); y <= h; y += tick)
        p.drawLine(QPointF(axisX - 2.5, y + 0.5), QPointF(axisX + 3.5, y + 0.5));
    p.setPen(QPen(QColor(0x1a, 0x1d, 0x22), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, w - 2, h - 2));
}

} // namespace art
