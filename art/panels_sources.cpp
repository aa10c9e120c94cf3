// Front panels of the decade boxes and the sources, as the property window
// shows them. Every control is drawn under its hit rectangle; knob dials are
// centred where the program turns the needle.
#include "drawings.h"
#include "paint.h"

#include <QPainterPath>

#include <cmath>

namespace art {

namespace {

const QColor kInk = colour::kInk;

// A decade box panel: black bakelite with white dials 0-9 around each knob.
void DecadePanel(QPainter& p, int w, int h, const std::vector<QPointF>& centres,
                 const std::vector<QString>& captions, const QString& title, const QString& range) {
    const QColor face(0x26, 0x29, 0x2e), ink(0xf0, 0xf0, 0xe8);
    PanelBase(p, w, h, face);
    std::vector<double> ticks;
    for (int k = 0; k < 10; ++k)
        ticks.push_back(36.0 * k);
    for (std::size_t i = 0; i < centres.size(); ++i) {
        const QPointF c = centres[i];
        DialTicks(p, c, 30, 33, ticks, ink, 1.2);
        std::vector<QString> digits;
        for (int k = 0; k < 10; ++k)
            digits.push_back(QString::number(k));
        DialLabels(p, c, 38, ticks, digits, 10, ink);
        Knob(p, c, 22, false, 0, QColor(0x14, 0x15, 0x18));
        Text(p, QRectF(c.x() - 40, c.y() - 57, 80, 13), captions[i], 11, QColor(0xff, 0xd8, 0x60),
             Qt::AlignCenter, true);
    }
    const double x = w - 13;
    StackedText(p, QPointF(x, 12), title, 13, ink, true);
    TextTurned(p, QPointF(x, h * 0.7), range, 9, QColor(0xb8, 0xbc, 0xc4), 90);
}

} // namespace

void PaintResistanceBoxPanel(QPainter& p, int w, int h) {
    // Knobs (0,0,80,80) ... in two rows; needles turn about (left + 40.5, 57)
    // in the top row and (left + 40.5, 158) in the bottom row.
    DecadePanel(p, w, h, {{40.5, 57}, {140.5, 57}, {240.5, 57}, {40.5, 158}, {140.5, 158}, {240.5, 158}},
                {QStringLiteral("×1 Ω"), QStringLiteral("×10 Ω"), QStringLiteral("×100 Ω"),
                 QStringLiteral("×1000 Ω"), QStringLiteral("×10000 Ω"), QStringLiteral("×100000 Ω")},
                QStringLiteral("电阻箱"), QStringLiteral("0～999999 Ω"));
}

void PaintCapacitanceBoxPanel(QPainter& p, int w, int h) {
    DecadePanel(
        p, w, h, {{40.5, 57}, {140.5, 57}, {40.5, 158}, {140.5, 158}},
        {QStringLiteral("×0.001"), QStringLiteral("×0.01"), QStringLiteral("×0.1"), QStringLiteral("×1")},
        QStringLiteral("电容箱"), QStringLiteral("0～9.999"));
}

namespace {

// DC and AC sources: display top right, title top left, coarse knob with
// the sheet needle at (0,100,70,170), fine knob face at (90,100,160,170),
// power button at (120,175,180,200), output posts bottom left.
void SourcePanel(QPainter& p, int w, int h, const QString& title, const QString& subtitle,
                 const QString& unitNote) {
    PanelBase(p, w, h);
    // Digits: the board display shifted so the body's top-right corner lands
    // at (175, 5): cells end at x 163.5, from y 16.5 to 46.5.
    DisplayWindow(p, QRectF(98, 9, 76, 45));
    GhostDigits(p, 163.5, 16.5, 3);
    Text(p, QRectF(176, 14, 36, 22), QStringLiteral("V"), 20, kInk, Qt::AlignCenter, true);
    Text(p, QRectF(176, 36, 36, 14), unitNote, 9, colour::kInkSoft);
    Text(p, QRectF(6, 10, 88, 18), title, 13, colour::kAccent, Qt::AlignCenter, true);
    Text(p, QRectF(6, 30, 88, 16), subtitle, 10, colour::kInkSoft);
    p.setPen(QPen(colour::kPanel.darker(125), 1));
    p.drawLine(QPointF(8, 60), QPointF(w - 8, 60));

    // Coarse knob: the sheet's needle spans the knob's height (its tip 35
    // pixels out); ticks start beyond it. Labels give the volts it adds.
    const QPointF coarse(35, 135), fine(125, 135);
    NeedleDial(p, coarse, KnobAngles(0, 9, 5, 36), 37);
    TextAt(p, Polar(coarse, 49, -180), QStringLiteral("0"), 9, kInk);
    TextAt(p, Polar(coarse, 49, 0), QStringLiteral("10"), 9, kInk);
    TextAt(p, Polar(coarse, 50, 144), QStringLiteral("18"), 9, kInk);
    Text(p, QRectF(0, 63, 70, 14), QStringLiteral("电压粗调"), 11, kInk, Qt::AlignCenter, true);
    // Fine knob: its picture (70 x 70) turns as a whole in 30 degree steps,
    // reaching 40.4 pixels out along the tick directions: ticks from 42.
    Knob(p, fine, 70 * 0.46, false);
    DialTicks(p, fine, 42, 46, KnobAngles(0, 10, 5, 30), kInk, 1.5);
    TextAt(p, Polar(fine, 53, -150), QStringLiteral("0"), 9, kInk);
    TextAt(p, Polar(fine, 53, 0), QStringLiteral("1.0"), 9, kInk);
    TextAt(p, QPointF(166, 167), QStringLiteral("2.0"), 9,
           kInk); // beside the last tick, clear of the power key
    Text(p, QRectF(90, 63, 70, 14), QStringLiteral("电压微调"), 11, kInk, Qt::AlignCenter, true);
    Text(p, QRectF(176, 104, 38, 34), QStringLiteral("粗调＋\n细调"), 9, colour::kInkSoft);

    ButtonWell(p, QRectF(120, 175, 60, 25));
    Text(p, QRectF(120, 201, 60, 10), QStringLiteral("电源"), 9, kInk, Qt::AlignCenter, true);
    BindingPost(p, QPointF(16, 196), 8, Post::Red);
    BindingPost(p, QPointF(48, 196), 8, Post::Black);
    TextAt(p, QPointF(10, 181), QStringLiteral("+"), 11, colour::kRed, true);
    TextAt(p, QPointF(56, 181), QStringLiteral("−"), 11, colour::kBlack, true);
    Text(p, QRectF(62, 188, 40, 16), QStringLiteral("输出"), 10, kInk, Qt::AlignCenter, true);
}

} // namespace

void PaintDCSourcePanel(QPainter& p, int w, int h) {
    SourcePanel(p, w, h, QStringLiteral("直流稳压电源"), QStringLiteral("0～20 V 连续可调"),
                QStringLiteral("直流"));
}

void PaintACSourcePanel(QPainter& p, int w, int h) {
    SourcePanel(p, w, h, QStringLiteral("交流电压源"), QStringLiteral("50 Hz 正弦 0～20 V"),
                QStringLiteral("幅值"));
}

void PaintSignalGeneratorPanel(QPainter& p, int w, int h) {
    PanelBase(p, w, h);
    // Frequency display: the board display shifted so the body's top-right
    // corner lands at (225, 5): cells end at 189.5, y 18.5..48.5; the kHz and
    // Hz lamps at x 142..155 and 174..187, y 56..59.
    DisplayWindow(p, QRectF(66, 10, 138, 62));
    GhostDigits(p, 189.5, 18.5, 6);
    const QColor glassInk(0xb0, 0x90, 0x84);
    for (double x : {142.0, 174.0})
        p.fillRect(QRectF(x, 56, 13, 3), QColor(0x4a, 0x16, 0x10));
    Text(p, QRectF(136, 60, 25, 10), QStringLiteral("kHz"), 8, glassInk);
    Text(p, QRectF(168, 60, 25, 10), QStringLiteral("Hz"), 8, glassInk);
    Text(p, QRectF(6, 12, 56, 20), QStringLiteral("信号"), 14, colour::kAccent, Qt::AlignCenter, true);
    Text(p, QRectF(6, 32, 56, 20), QStringLiteral("发生器"), 14, colour::kAccent, Qt::AlignCenter, true);
    Text(p, QRectF(6, 54, 56, 14), QStringLiteral("频率显示"), 9, colour::kInkSoft);

    // Frequency knobs: faces are separate pictures over their hit rectangles.
    FaceStandIn(p, QPointF(55, 125));
    FaceStandIn(p, QPointF(145, 125));
    Text(p, QRectF(20, 76, 70, 13), QStringLiteral("频率粗调"), 11, kInk, Qt::AlignCenter, true);
    Text(p, QRectF(110, 76, 70, 13), QStringLiteral("频率微调"), 11, kInk, Qt::AlignCenter, true);

    // Waveform keys with their names and a sketch of each wave.
    const QString names[3] = {QStringLiteral("正弦波"), QStringLiteral("方波"), QStringLiteral("三角波")};
    for (int i = 0; i < 3; ++i) {
        const QRectF key(225 + 45.0 * i, 10, 35, 55);
        ButtonWell(p, key);
        Text(p, QRectF(key.left() - 8, 78, key.width() + 16, 12), names[i], 10, kInk, Qt::AlignCenter, true);
        p.save();
        p.setPen(QPen(colour::kAccent, 1.4));
        p.setBrush(Qt::NoBrush);
        QPainterPath wave;
        const double x0 = key.left() + 6, x1 = key.right() - 6, yc = 71.5, a = 3.5;
        for (int k = 0; k <= 24; ++k) {
            const double t = k / 24.0, x = x0 + (x1 - x0) * t;
            double y = 0;
            if (i == 0)
                y = -std::sin(t * 2 * 3.14159265);
            else if (i == 1)
                y = t < 0.5 ? -1 : 1;
            else
                y = t < 0.25 ? -4 * t : (t < 0.75 ? -1 + 4 * (t - 0.25) : 1 - 4 * (t - 0.75));
            if (k == 0)
                wave.moveTo(x, yc + a * y);
            else if (i == 1 && k == 12) {
                wave.lineTo(x, yc - a);
                wave.lineTo(x, yc + a);
            } else
                wave.lineTo(x, yc + a * y);
        }
        p.drawPath(wave);
        p.restore();
    }
    // Band keys 1M ... 1: the frequency is the knob reading times the band.
    const QString bands[7] = {QStringLiteral("1M"), QStringLiteral("100K"), QStringLiteral("10K"),
                              QStringLiteral("1K"), QStringLiteral("100"),  QStringLiteral("10"),
                              QStringLiteral("1")};
    for (int i = 0; i < 7; ++i) {
        const QRectF key(210 + 40.0 * i, 100, 30, 40);
        ButtonWell(p, key);
        Text(p, QRectF(key.left() - 5, 143, key.width() + 10, 12), bands[i], 10, kInk, Qt::AlignCenter, true);
    }
    p.save();
    p.setPen(QPen(colour::kAccent, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(204.5, 95.5, 281, 62), 3, 3);
    p.restore();
    Text(p, QRectF(204, 158, 282, 13), QStringLiteral("频段（Hz）：频率 = 旋钮读数 × 频段"), 9,
         colour::kAccent);

    // Amplitude knob (sheet needle) at (360,10,430,80) and the power key.
    const QPointF amp(395, 45);
    DialTicks(p, amp, 36.5, 40, KnobAngles(0, 11, 6, 30), kInk, 1.3); // beyond the needle's tip
    Knob(p, amp, 20, false);
    Text(p, QRectF(360, 80, 70, 13), QStringLiteral("幅度调节"), 11, kInk, Qt::AlignCenter, true);
    ButtonWell(p, QRectF(425, 50, 50, 30));
    Text(p, QRectF(425, 34, 50, 14), QStringLiteral("电源"), 10, kInk, Qt::AlignCenter, true);
}

} // namespace art
