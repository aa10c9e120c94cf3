#include "paint.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace art {

namespace {
constexpr double kPi = 3.14159265358979323846;

} // namespace

QFont Font(double pixels, bool bold) {
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void Text(QPainter& p, const QRectF& box, const QString& text, double pixels, const QColor& colour, int align,
          bool bold) {
    p.save();
    p.setFont(Font(pixels, bold));
    p.setPen(colour);
    p.drawText(box, align, text);
    p.restore();
}

void TextAt(QPainter& p, QPointF centre, const QString& text, double pixels, const QColor& colour,
            bool bold) {
    const double w = pixels * (text.size() + 2), h = pixels * 2;
    Text(p, QRectF(centre.x() - w / 2, centre.y() - h / 2, w, h), text, pixels, colour, Qt::AlignCenter,
         bold);
}

void TextTurned(QPainter& p, QPointF centre, const QString& text, double pixels, const QColor& colour,
                double degrees, bool bold) {
    p.save();
    p.translate(centre);
    p.rotate(degrees);
    TextAt(p, QPointF(0, 0), text, pixels, colour, bold);
    p.restore();
}

void DcLabel(QPainter& p, QPointF centre, const QString& letter, double pixels, const QColor& colour) {
    // The letter, then the direct-current mark: a bar over three dashes.
    p.save();
    p.setFont(Font(pixels, true));
    const double lw = p.fontMetrics().horizontalAdvance(letter);
    const double mw = pixels * 0.8, gap = pixels * 0.15, total = lw + gap + mw;
    const double left = centre.x() - total / 2;
    p.restore();
    Text(p, QRectF(left, centre.y() - pixels, lw + 1, pixels * 2), letter, pixels, colour,
         Qt::AlignLeft | Qt::AlignVCenter, true);
    p.save();
    const double x0 = left + lw + gap, y0 = centre.y() - pixels * 0.12, w = std::max(1.0, pixels * 0.11);
    p.setPen(QPen(colour, w, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x0, y0), QPointF(x0 + mw, y0));
    const double dash = mw / 5;
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(x0 + dash * 2 * i, y0 + pixels * 0.3),
                   QPointF(x0 + dash * (2 * i + 1), y0 + pixels * 0.3));
    p.restore();
}

void StackedText(QPainter& p, QPointF top, const QString& text, double pixels, const QColor& colour,
                 bool bold) {
    for (int i = 0; i < text.size(); ++i)
        TextAt(p, QPointF(top.x(), top.y() + pixels * (0.55 + 1.1 * i)), text.mid(i, 1), pixels, colour,
               bold);
}

QPointF Polar(QPointF centre, double radius, double degrees) {
    const double a = degrees * kPi / 180;
    return {centre.x() + radius * std::sin(a), centre.y() - radius * std::cos(a)};
}

QImage Canvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void Prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void InstrumentCase(QPainter& p, const QRectF& r, double frame, double radius, const QColor& face) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, colour::kCaseLight);
    g.setColorAt(0.15, colour::kCase);
    g.setColorAt(1, colour::kCase.darker(130));
    p.setPen(QPen(QColor(0x1a, 0x1d, 0x22), 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    PanelFace(p, r.adjusted(frame, frame, -frame, -frame), face, std::max(0.0, radius - frame));
    p.restore();
}

void PanelFace(QPainter& p, const QRectF& r, const QColor& base, double radius) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, base.lighter(106));
    g.setColorAt(1, base.darker(104));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    // Light catches the top and left edges, shadow the bottom and right ones.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.drawLine(QPointF(r.left() + radius, r.top() + 0.5), QPointF(r.right() - radius, r.top() + 0.5));
    p.drawLine(QPointF(r.left() + 0.5, r.top() + radius), QPointF(r.left() + 0.5, r.bottom() - radius));
    p.setPen(QPen(QColor(0, 0, 0, 60), 1));
    p.drawLine(QPointF(r.left() + radius, r.bottom() - 0.5), QPointF(r.right() - radius, r.bottom() - 0.5));
    p.drawLine(QPointF(r.right() - 0.5, r.top() + radius), QPointF(r.right() - 0.5, r.bottom() - radius));
    p.restore();
}

void Screw(QPainter& p, QPointF c, double radius) {
    p.save();
    QRadialGradient g(c - QPointF(radius * 0.3, radius * 0.3), radius * 1.3);
    g.setColorAt(0, QColor(0xf0, 0xf2, 0xf4));
    g.setColorAt(1, QColor(0x80, 0x86, 0x8e));
    p.setPen(QPen(QColor(0x55, 0x5a, 0x62), 0.8));
    p.setBrush(g);
    p.drawEllipse(c, radius, radius);
    p.setPen(QPen(QColor(0x4a, 0x4e, 0x55), std::max(0.8, radius * 0.3)));
    p.drawLine(c + QPointF(-radius * 0.6, radius * 0.25), c + QPointF(radius * 0.6, -radius * 0.25));
    p.restore();
}

void DisplayWindow(QPainter& p, const QRectF& r) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x2d, 0x33));
    p.drawRoundedRect(r, 2.5, 2.5);
    const QRectF glass = r.adjusted(2, 2, -2, -2);
    QLinearGradient g(glass.topLeft(), glass.bottomLeft());
    g.setColorAt(0, colour::kWindow.lighter(160));
    g.setColorAt(0.35, colour::kWindow);
    g.setColorAt(1, colour::kWindow.darker(120));
    p.setBrush(g);
    p.drawRect(glass);
    // A faint reflection across the upper part of the glass.
    p.setBrush(QColor(255, 255, 255, 14));
    QPainterPath sheen;
    sheen.moveTo(glass.topLeft());
    sheen.lineTo(glass.right(), glass.top());
    sheen.lineTo(glass.right(), glass.top() + glass.height() * 0.18);
    sheen.lineTo(glass.left(), glass.top() + glass.height() * 0.42);
    sheen.closeSubpath();
    p.drawPath(sheen);
    p.restore();
}

void GhostDigits(QPainter& p, double right, double top, int cells) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5a, 0x16, 0x10, 70));
    for (int i = 0; i < cells; ++i) {
        const double x = right - 17 - 18.0 * i;
        // Seven thin segments of an unlit "8".
        const double l = x + 3, rr = x + 14, t = top + 2, m = top + 15, b = top + 28, w = 2.2;
        p.drawRect(QRectF(l + 1, t, rr - l - 2, w));
        p.drawRect(QRectF(l + 1, m - w / 2, rr - l - 2, w));
        p.drawRect(QRectF(l + 1, b - w, rr - l - 2, w));
        p.drawRect(QRectF(l - 0.5, t + 1, w, m - t - 2));
        p.drawRect(QRectF(rr - w + 0.5, t + 1, w, m - t - 2));
        p.drawRect(QRectF(l - 0.5, m + 1, w, b - m - 2));
        p.drawRect(QRectF(rr - w + 0.5, m + 1, w, b - m - 2));
    }
    p.restore();
}

void GroupFrame(QPainter& p, const QRectF& r, const QString& caption, double pixels) {
    p.save();
    p.setFont(Font(pixels));
    const double tw = p.fontMetrics().horizontalAdvance(caption) + 6;
    const double cx = r.center().x();
    p.setPen(QPen(colour::kAccent, 1));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(cx - tw / 2, r.top());
    path.lineTo(r.left() + 3, r.top());
    path.quadTo(r.topLeft(), QPointF(r.left(), r.top() + 3));
    path.lineTo(r.left(), r.bottom() - 3);
    path.quadTo(r.bottomLeft(), QPointF(r.left() + 3, r.bottom()));
    path.lineTo(r.right() - 3, r.bottom());
    path.quadTo(r.bottomRight(), QPointF(r.right(), r.bottom() - 3));
    path.lineTo(r.right(), r.top() + 3);
    path.quadTo(r.topRight(), QPointF(r.right() - 3, r.top()));
    path.lineTo(cx + tw / 2, r.top());
    p.drawPath(path);
    p.restore();
    Text(p, QRectF(cx - tw / 2, r.top() - pixels, tw, pixels * 2), caption, pixels, colour::kAccent);
}

void Knob(QPainter& p, QPointF c, double radius, bool pointer, double degrees, const QColor& cap) {
    p.save();
    // Soft shadow below and right of the knob.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 55));
    p.drawEllipse(c + QPointF(radius * 0.08 + 0.6, radius * 0.12 + 0.8), radius, radius);
    // Skirt: brushed metal ring.
    QRadialGradient skirt(c - QPointF(radius * 0.4, radius * 0.5), radius * 1.6);
    skirt.setColorAt(0, QColor(0xf4, 0xf5, 0xf7));
    skirt.setColorAt(0.6, QColor(0xa8, 0xae, 0xb6));
    skirt.setColorAt(1, QColor(0x6b, 0x71, 0x7a));
    p.setBrush(skirt);
    p.setPen(QPen(QColor(0x3c, 0x40, 0x46), 0.8));
    p.drawEllipse(c, radius, radius);
    // Grip: the ribbed body of the knob.
    const double grip = radius * 0.8;
    QRadialGradient body(c - QPointF(grip * 0.35, grip * 0.45), grip * 1.5);
    body.setColorAt(0, cap.lighter(260));
    body.setColorAt(0.45, cap.lighter(130));
    body.setColorAt(1, cap);
    p.setBrush(body);
    p.setPen(QPen(cap.darker(150), 0.8));
    p.drawEllipse(c, grip, grip);
    if (radius >= 9) {
        p.setPen(QPen(QColor(255, 255, 255, 28), 1));
        const int ribs = radius > 20 ? 36 : 20;
        for (int i = 0; i < ribs; ++i)
            p.drawLine(Polar(c, grip * 0.86, 360.0 * i / ribs), Polar(c, grip * 0.98, 360.0 * i / ribs));
    }
    // Cap: a slightly raised disc.
    const double top = grip * 0.72;
    QRadialGradient capG(c - QPointF(top * 0.3, top * 0.4), top * 1.4);
    capG.setColorAt(0, cap.lighter(220));
    capG.setColorAt(1, cap.lighter(110));
    p.setBrush(capG);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, top, top);
    if (pointer) {
        p.setPen(QPen(QColor(0xf8, 0xf8, 0xf2), std::max(1.2, radius * 0.12), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(Polar(c, grip * 0.2, degrees), Polar(c, grip * 0.95, degrees));
    }
    p.restore();
}

void DialTicks(QPainter& p, QPointF c, double inner, double outer, const std::vector<double>& degrees,
               const QColor& col, double width) {
    p.save();
    p.setPen(QPen(col, width, Qt::SolidLine, Qt::FlatCap));
    for (double d : degrees)
        p.drawLine(Polar(c, inner, d), Polar(c, outer, d));
    p.restore();
}

void DialLabels(QPainter& p, QPointF c, double radius, const std::vector<double>& degrees,
                const std::vector<QString>& labels, double pixels, const QColor& col) {
    for (std::size_t i = 0; i < degrees.size() && i < labels.size(); ++i)
        TextAt(p, Polar(c, radius, degrees[i]), labels[i], pixels, col);
}

void DialArc(QPainter& p, QPointF c, double radius, double fromDegrees, double toDegrees, const QColor& col,
             double width) {
    p.save();
    p.setPen(QPen(col, width, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    // Qt angles: counter-clockwise from 3 o'clock, in 1/16 degree.
    const double start = 90 - fromDegrees, span = -(toDegrees - fromDegrees);
    p.drawArc(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), static_cast<int>(start * 16),
              static_cast<int>(span * 16));
    p.restore();
}

std::vector<double> KnobAngles(int lo, int hi, int zero, double step) {
    std::vector<double> out;
    for (int i = lo; i <= hi; ++i)
        out.push_back((i - zero) * step);
    return out;
}

void PushButton(QPainter& p, const QRectF& r, bool pressed, const QColor& body, const QColor& lamp) {
    p.save();
    p.setPen(Qt::NoPen);
    // The dark hole in the panel the button sits in.
    p.setBrush(QColor(0x2b, 0x2e, 0x33));
    p.drawRoundedRect(r, 2, 2);
    const double inset = pressed ? 2.2 : 1.2;
    QRectF face = r.adjusted(inset, inset, -inset, -inset);
    if (!pressed) face.adjust(0, 0, 0, -1.5);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    const QColor top = pressed ? body.darker(118) : body.lighter(108);
    const QColor bottom = pressed ? body.darker(104) : body.darker(118);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(body.darker(160), 0.8));
    p.drawRoundedRect(face, 1.8, 1.8);
    if (!pressed) {
        // The front lip of a raised key.
        p.setPen(Qt::NoPen);
        p.setBrush(body.darker(150));
        p.drawRect(QRectF(face.left() + 1, face.bottom(), face.width() - 2, 1.5));
    }
    if (lamp.isValid()) {
        const double lw = std::max(3.0, face.width() * 0.5), lh = std::max(2.0, face.height() * 0.1);
        const QRectF l(face.center().x() - lw / 2, face.top() + face.height() * 0.16, lw, lh);
        p.setPen(Qt::NoPen);
        p.setBrush(pressed ? lamp : lamp.darker(320));
        p.drawRoundedRect(l, lh / 2, lh / 2);
        if (pressed) {
            p.setBrush(QColor(lamp.red(), lamp.green(), lamp.blue(), 70));
            p.drawRoundedRect(l.adjusted(-1.5, -1.5, 1.5, 1.5), lh, lh);
        }
    }
    p.restore();
}

void PowerRocker(QPainter& p, const QRectF& r, bool on) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x20, 0x24));
    p.drawRoundedRect(r, 2.5, 2.5);
    const QRectF inner = r.adjusted(1.5, 1.5, -1.5, -1.5);
    const double half = inner.width() / 2;
    // The rocker tilts: the pressed half is low and dark, the other half high.
    QRectF left(inner.left(), inner.top(), half, inner.height());
    QRectF right(inner.left() + half, inner.top(), half, inner.height());
    const QColor hi(0x4a, 0x4f, 0x57), lo(0x2c, 0x2f, 0x34);
    QLinearGradient gl(left.topLeft(), left.topRight());
    gl.setColorAt(0, on ? lo : hi.lighter(130));
    gl.setColorAt(1, on ? lo.lighter(110) : hi);
    QLinearGradient gr(right.topLeft(), right.topRight());
    gr.setColorAt(0, on ? hi : lo.lighter(110));
    gr.setColorAt(1, on ? hi.lighter(130) : lo);
    p.setBrush(gl);
    p.drawRoundedRect(left, 1.5, 1.5);
    p.setBrush(gr);
    p.drawRoundedRect(right, 1.5, 1.5);
    // Printed marks: "O" on the off half, "I" on the on half.
    p.setPen(QPen(QColor(0xe8, 0xe8, 0xe8), std::max(1.0, inner.height() * 0.08)));
    p.setBrush(Qt::NoBrush);
    const double m = std::min(half, inner.height()) * 0.22;
    p.drawEllipse(left.center(), m, m);
    p.drawLine(right.center() - QPointF(0, m), right.center() + QPointF(0, m));
    // The pilot lamp glows red while on.
    const QPointF lampAt(right.center().x() + half * 0.32, right.top() + inner.height() * 0.22);
    const double lr = std::max(1.2, inner.height() * 0.08);
    p.setPen(Qt::NoPen);
    p.setBrush(on ? QColor(0xff, 0x40, 0x30) : QColor(0x55, 0x1c, 0x18));
    p.drawEllipse(lampAt, lr, lr);
    if (on) {
        p.setBrush(QColor(0xff, 0x50, 0x30, 80));
        p.drawEllipse(lampAt, lr * 2.2, lr * 2.2);
    }
    p.restore();
}

void SlideSlot(QPainter& p, const QRectF& r) {
    p.save();
    p.setPen(QPen(QColor(0x8a, 0x90, 0x98), 0.8));
    p.setBrush(QColor(0x24, 0x27, 0x2c));
    const double rad = std::min(r.width(), r.height()) / 2;
    p.drawRoundedRect(r, rad, rad);
    p.restore();
}

void BindingPost(QPainter& p, QPointF c, double radius, Post kind) {
    p.save();
    const QColor collar = kind == Post::Red     ? colour::kRed
                          : kind == Post::Black ? colour::kBlack
                                                : colour::kBrass;
    // Front view of a binding post: a knurled insulating cap with the metal
    // terminal screw in its middle.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(c + QPointF(0.6, 0.9), radius, radius);
    QRadialGradient g(c - QPointF(radius * 0.35, radius * 0.4), radius * 1.5);
    g.setColorAt(0, collar.lighter(kind == Post::Black ? 330 : 175));
    g.setColorAt(0.5, collar);
    g.setColorAt(1, collar.darker(170));
    p.setBrush(g);
    p.setPen(QPen(collar.darker(200), 0.8));
    p.drawEllipse(c, radius, radius);
    if (radius >= 5) {
        p.setPen(QPen(QColor(0, 0, 0, 70), 0.7));
        for (int i = 0; i < 16; ++i)
            p.drawLine(Polar(c, radius * 0.78, i * 22.5), Polar(c, radius * 0.97, i * 22.5));
    }
    const double hole = radius * 0.42;
    QRadialGradient s(c - QPointF(hole * 0.3, hole * 0.3), hole * 1.4);
    s.setColorAt(0, QColor(0xfb, 0xee, 0xc4));
    s.setColorAt(1, QColor(0x8c, 0x6c, 0x28));
    p.setBrush(s);
    p.setPen(QPen(QColor(0x5a, 0x46, 0x18), 0.6));
    p.drawEllipse(c, hole, hole);
    p.restore();
}

QPointF EdgePoint(double w, double h, QPointF t) {
    const double x = std::clamp(t.x(), 0.0, w), y = std::clamp(t.y(), 0.0, h);
    if (t.x() >= 0 && t.x() <= w && t.y() >= 0 && t.y() <= h) {
        // Inside: the nearest edge.
        const double dl = t.x(), dr = w - t.x(), dt = t.y(), db = h - t.y();
        const double m = std::min({dl, dr, dt, db});
        if (m == dl) return {0, t.y()};
        if (m == dr) return {w, t.y()};
        if (m == dt) return {t.x(), 0};
        return {t.x(), h};
    }
    return {x, y};
}

void Lead(QPainter& p, QPointF from, QPointF to, double width) {
    p.save();
    p.setPen(QPen(QColor(0x6e, 0x73, 0x7a), width + 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(QColor(0xd4, 0xd8, 0xdd), std::max(0.6, width - 1.0), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.restore();
}

void TerminalTab(QPainter& p, double w, double h, QPointF terminal, double length, double width) {
    const QPointF e = EdgePoint(w, h, terminal);
    QPointF inward(0, 0);
    if (e.y() <= 0)
        inward = {0, 1};
    else if (e.y() >= h)
        inward = {0, -1};
    else if (e.x() <= 0)
        inward = {1, 0};
    else
        inward = {-1, 0};
    const QPointF a = e, b = e + inward * length;
    p.save();
    QRectF tab = QRectF(a, b).normalized();
    if (inward.x() == 0)
        tab.adjust(-width / 2, 0, width / 2, 0);
    else
        tab.adjust(0, -width / 2, 0, width / 2);
    QLinearGradient g(tab.topLeft(), inward.x() == 0 ? tab.topRight() : tab.bottomLeft());
    g.setColorAt(0, QColor(0xf2, 0xe3, 0xb0));
    g.setColorAt(1, QColor(0x9c, 0x7c, 0x34));
    p.setPen(QPen(QColor(0x6a, 0x55, 0x20), 0.7));
    p.setBrush(g);
    p.drawRect(tab);
    p.restore();
}

void EdgePost(QPainter& p, double w, double h, QPointF terminal, Post kind, double radius) {
    const QPointF e = EdgePoint(w, h, terminal);
    QPointF c = e;
    const double inset = radius + 1.5;
    if (e.y() >= h)
        c.ry() = h - inset;
    else if (e.y() <= 0)
        c.ry() = inset;
    else if (e.x() <= 0)
        c.rx() = inset;
    else
        c.rx() = w - inset;
    // The metal strap from the post to the body edge, where the node sits.
    Lead(p, c, e, 2.4);
    BindingPost(p, c, radius, kind);
}

// A flat panel with a thin bevelled rim. Flat, so that the separate knob-face
// pictures laid over it match it exactly.
void PanelBase(QPainter& p, int w, int h, const QColor& face) {
    p.fillRect(QRectF(0, 0, w, h), face);
    p.setPen(QPen(face.darker(150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    p.setPen(QPen(face.lighter(125), 1));
    p.drawLine(QPointF(1.5, 1.5), QPointF(w - 2, 1.5));
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, h - 2));
}

// The dial under a needle knob: a black knob body with the needle turning
// over it, position ticks from `tickRadius` out, beyond the needle's tip.
void NeedleDial(QPainter& p, QPointF c, const std::vector<double>& ticks, double tickRadius, double body,
                const QColor& ink) {
    DialTicks(p, c, tickRadius, tickRadius + 4, ticks, ink, 1.5);
    Knob(p, c, body, false);
}

// A recess round a push button's hit rectangle (the button picture itself is
// cut from the shared sheet by the program).
void ButtonWell(QPainter& p, const QRectF& r) {
    p.save();
    p.setPen(QPen(QColor(0x8a, 0x90, 0x98), 1));
    p.setBrush(QColor(0x2b, 0x2e, 0x33));
    p.drawRoundedRect(r.adjusted(-1.5, -1.5, 1.5, 1.5), 3, 3);
    p.restore();
}

// A stand-in for a knob face picture, drawn on the panel under the place the
// face picture covers (so the panel reads right even before it is laid on).
void FaceStandIn(QPainter& p, QPointF c) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(c + QPointF(0.8, 1.2), 30.2, 30.2);
    p.setBrush(colour::kBlack);
    p.drawEllipse(c, 30.5, 30.5);
    p.restore();
}

} // namespace art
