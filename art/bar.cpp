// Device-bar pictures. A device button's picture holds four 120 x 65 state
// images side by side (normal, hover, pressed, disabled), each showing the
// device's board picture in miniature above room for the caption the bar
// writes under it. The group title buttons and the scroll arrows follow the
// same four-state layout.
#include "device_tables.h"
#include "drawings.h"
#include "manifest.h"
#include "paint.h"

#include <QPainterPath>

namespace art {

namespace {

constexpr int kStateWidth = 120, kStateHeight = 65;

QImage BoardPicture(const geometry::CBodyGeometry& body) {
    for (const Asset& a : Manifest()) {
        if (a.role != Role::Body || a.turn != 0 || a.body != &body) continue;
        QImage image = Render(a);
        if (&body == &geometry::kRheostat) {
            // The slider rides on the body where a new rheostat has it.
            QPainter p(&image);
            p.drawImage(QPointF(44, 5), Render(*Find("devpic\\resglideflip.tga")));
        }
        return image;
    }
    return {};
}

QImage Grey(const QImage& source) {
    QImage out = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int g = qGray(row[x]);
            const int light = 150 + g * 105 / 255;
            row[x] = qRgba(light, light, light, qAlpha(row[x]));
        }
    }
    return out;
}

void DeviceButton(QPainter& p, const geometry::CBodyGeometry& body) {
    const QImage picture = BoardPicture(body);
    const QRectF room(6, 4, kStateWidth - 12, kStateHeight - 22);
    QSizeF size = picture.size();
    size.scale(room.size(), Qt::KeepAspectRatio);
    if (size.width() > picture.width()) size = picture.size(); // never enlarge the small parts
    for (int state = 0; state < 4; ++state) {
        const QRectF cell(kStateWidth * state, 0, kStateWidth, kStateHeight);
        const QColor fill[4] = {Qt::white, QColor(0xe6, 0xf0, 0xfc), QColor(0xc8, 0xdc, 0xf4),
                                QColor(0xf4, 0xf4, 0xf4)};
        const QColor edge[4] = {QColor(0xd0, 0xd4, 0xda), QColor(0x4a, 0x7c, 0xc0), QColor(0x2c, 0x5a, 0x9c),
                                QColor(0xd8, 0xd8, 0xd8)};
        p.fillRect(cell, fill[state]);
        p.setPen(QPen(edge[state], state == 2 ? 2 : 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(cell.adjusted(1, 1, -1, -1), 4, 4);
        const QPointF shift = state == 2 ? QPointF(1, 1) : QPointF(0, 0);
        const QRectF target(cell.left() + room.left() + (room.width() - size.width()) / 2 + shift.x(),
                            room.top() + (room.height() - size.height()) / 2 + shift.y(), size.width(),
                            size.height());
        p.drawImage(target, state == 3 ? Grey(picture) : picture);
    }
}

} // namespace

void PaintBarResistor(QPainter& p, int, int) {
    DeviceButton(p, geometry::kResistor);
}
void PaintBarResistanceBox(QPainter& p, int, int) {
    DeviceButton(p, geometry::kResistanceBox);
}
void PaintBarRheostat(QPainter& p, int, int) {
    DeviceButton(p, geometry::kRheostat);
}
void PaintBarCapacitor(QPainter& p, int, int) {
    DeviceButton(p, geometry::kCapacitor);
}
void PaintBarCapacitanceBox(QPainter& p, int, int) {
    DeviceButton(p, geometry::kCapacitanceBox);
}
void PaintBarInductor(QPainter& p, int, int) {
    DeviceButton(p, geometry::kInductor);
}
void PaintBarDiode(QPainter& p, int, int) {
    DeviceButton(p, geometry::kDiode);
}
void PaintBarDCAmmeter(QPainter& p, int, int) {
    DeviceButton(p, geometry::kDCAmmeter);
}
void PaintBarDCVoltmeter(QPainter& p, int, int) {
    DeviceButton(p, geometry::kDCVoltmeter);
}
void PaintBarMillivoltmeter(QPainter& p, int, int) {
    DeviceButton(p, geometry::kMillivoltmeter);
}
void PaintBarGalvanometer(QPainter& p, int, int) {
    DeviceButton(p, geometry::kGalvanometer);
}
void PaintBarMultimeter(QPainter& p, int, int) {
    DeviceButton(p, geometry::kMultimeter);
}
void PaintBarOscilloscope(QPainter& p, int, int) {
    DeviceButton(p, geometry::kOscilloscope);
}
void PaintBarLevelMeter(QPainter& p, int, int) {
    DeviceButton(p, geometry::kLevelMeter);
}
void PaintBarDCSource(QPainter& p, int, int) {
    DeviceButton(p, geometry::kDCSource);
}
void PaintBarACSource(QPainter& p, int, int) {
    DeviceButton(p, geometry::kACSource);
}
void PaintBarSignalGenerator(QPainter& p, int, int) {
    DeviceButton(p, geometry::kSignalGenerator);
}
void PaintBarSingleSwitch(QPainter& p, int, int) {
    DeviceButton(p, geometry::kSingleSwitch);
}
void PaintBarDoubleSwitch(QPainter& p, int, int) {
    DeviceButton(p, geometry::kDoubleSwitch);
}
void PaintBarPlugBoard(QPainter& p, int, int) {
    DeviceButton(p, geometry::kPlugBoard);
}

void PaintBarTitleButton(QPainter& p, int w, int h) {
    const double cw = w / 4.0;
    const QColor top[4] = {QColor(0xf4, 0xf7, 0xfb), QColor(0xff, 0xff, 0xff), QColor(0xc2, 0xd2, 0xe8),
                           QColor(0xe6, 0xe6, 0xe6)};
    const QColor bottom[4] = {QColor(0xcf, 0xda, 0xe8), QColor(0xdc, 0xe8, 0xf8), QColor(0xdc, 0xe6, 0xf2),
                              QColor(0xe0, 0xe0, 0xe0)};
    const QColor edge[4] = {QColor(0x8d, 0xa2, 0xbd), QColor(0x4a, 0x7c, 0xc0), QColor(0x3a, 0x64, 0xa0),
                            QColor(0xb4, 0xb4, 0xb4)};
    for (int s = 0; s < 4; ++s) {
        const QRectF r(cw * s, 0, cw, h);
        p.fillRect(r, Qt::white);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, top[s]);
        g.setColorAt(1, bottom[s]);
        p.setPen(QPen(edge[s], 1));
        p.setBrush(g);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
}

void PaintBarScrollButtons(QPainter& p, int w, int h) {
    const double cw = w / 8.0;
    for (int i = 0; i < 8; ++i) {
        const int state = i % 4;
        const bool up = i < 4;
        const QRectF r(cw * i, 0, cw, h);
        const QColor face[4] = {QColor(0xe8, 0xec, 0xf2), QColor(0xf6, 0xfa, 0xff), QColor(0xc2, 0xd2, 0xe8),
                                QColor(0xec, 0xec, 0xec)};
        p.fillRect(r, face[state]);
        p.setPen(QPen(state == 3 ? QColor(0xb4, 0xb4, 0xb4) : QColor(0x6a, 0x80, 0xa0), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
        const QPointF c = r.center() + (state == 2 ? QPointF(0.5, 0.5) : QPointF(0, 0));
        QPainterPath tri;
        if (up) {
            tri.moveTo(c + QPointF(0, -4));
            tri.lineTo(c + QPointF(5, 3));
            tri.lineTo(c + QPointF(-5, 3));
        } else {
            tri.moveTo(c + QPointF(0, 4));
            tri.lineTo(c + QPointF(5, -3));
            tri.lineTo(c + QPointF(-5, -3));
        }
        tri.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(state == 3 ? QColor(0xa8, 0xa8, 0xa8) : QColor(0x1c, 0x2a, 0x48));
        p.drawPath(tri);
    }
}

} // namespace art
