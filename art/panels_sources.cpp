// Front panels of the decade boxes and the sources, as the property window
// shows them. Every control is drawn under its hit rectangle; knob dials are
// centred where the program turns the needle.
#include "device_tables.h"
#include "drawings.h"
#include "paint.h"

#include <QPainterPath>

#include <cmath>
#include <span>

namespace art {

namespace {

const QColor kInk = colour::kInk;

// A decade box panel: black bakelite with white dials 0-9 around each knob,
// centred where the knob's needle turns.
void DecadePanel(QPainter& p, int w, int h, std::span<const layout::decade_box::CDecade> decades,
                 const std::vector<QString>& captions, const QString& title, const QString& range) {
    namespace box = layout::decade_box;
    const QColor face(0x26, 0x29, 0x2e), ink(0xf0, 0xf0, 0xe8);
    PanelBase(p, w, h, face);
    const std::vector<double> ticks = Angles(box::kKnob);
    for (std::size_t i = 0; i < decades.size(); ++i) {
        const QPointF c(decades[i].hit.left + box::kNeedleLeft + box::kNeedleWidth / 2,
                        decades[i].needleTop + box::kNeedleHeight / 2);
        DialTicks(p, c, 30, 33, ticks, ink, 1.2);
        std::vector<QString> digits;
        for (int k = box::kKnob.minimum; k <= box::kKnob.maximum; ++k)
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
    DecadePanel(p, w, h, layout::resistance_box::kDecades,
                {QStringLiteral("×1 Ω"), QStringLiteral("×10 Ω"), QStringLiteral("×100 Ω"),
                 QStringLiteral("×1000 Ω"), QStringLiteral("×10000 Ω"), QStringLiteral("×100000 Ω")},
                QStringLiteral("电阻箱"), QStringLiteral("0～999999 Ω"));
}

void PaintCapacitanceBoxPanel(QPainter& p, int w, int h) {
    DecadePanel(
        p, w, h, layout::capacitance_box::kDecades,
        {QStringLiteral("×0.001"), QStringLiteral("×0.01"), QStringLiteral("×0.1"), QStringLiteral("×1")},
        QStringLiteral("电容箱"), QStringLiteral("0～9.999"));
}

namespace {

// DC and AC sources: display top right, title top left, coarse knob under
// the sheet's needle, fine knob whose face picture turns, power button,
// output posts bottom left.
void SourcePanel(QPainter& p, int w, int h, const QString& title, const QString& subtitle,
                 const QString& unitNote) {
    namespace source = layout::knob_source;
    PanelBase(p, w, h);
    // Digits: the board display shifted onto the panel.
    DisplayWindow(p, QRectF(98, 9, 76, 45));
    const QPointF digits = PanelDigits(source::kDisplay);
    GhostDigits(p, digits.x(), digits.y(), 3);
    Text(p, QRectF(176, 14, 36, 22), QStringLiteral("V"), 20, kInk, Qt::AlignCenter, true);
    Text(p, QRectF(176, 36, 36, 14), unitNote, 9, colour::kInkSoft);
    Text(p, QRectF(6, 10, 88, 18), title, 13, colour::kAccent, Qt::AlignCenter, true);
    Text(p, QRectF(6, 30, 88, 16), subtitle, 10, colour::kInkSoft);
    p.setPen(QPen(colour::kPanel.darker(125), 1));
    p.drawLine(QPointF(8, 60), QPointF(w - 8, 60));

    // Coarse knob: the sheet's needle spans the knob's height (its tip 35
    // pixels out); ticks start beyond it. Labels give the volts it adds.
    const QRectF coarseRect = Rect(source::kCoarseRect), fineRect = Rect(source::kFineRect);
    const QPointF coarse = coarseRect.center(), fine = fineRect.center();
    const ampera::CKnobTravel &coarseKnob = source::kCoarse, &fineKnob = source::kFine;
    NeedleDial(p, coarse, Angles(coarseKnob), 37);
    TextAt(p, Polar(coarse, 49, coarseKnob.DegreesAt(0)), QStringLiteral("0"), 9, kInk);
    TextAt(p, Polar(coarse, 49, coarseKnob.DegreesAt(5)), QStringLiteral("10"), 9, kInk);
    TextAt(p, Polar(coarse, 50, coarseKnob.DegreesAt(9)), QStringLiteral("18"), 9, kInk);
    Text(p, QRectF(coarseRect.left(), 63, coarseRect.width(), 14), QStringLiteral("电压粗调"), 11, kInk,
         Qt::AlignCenter, true);
    // Fine knob: its picture (70 x 70) turns as a whole in 30 degree steps,
    // reaching 40.4 pixels out along the tick directions: ticks from 42.
    Knob(p, fine, fineRect.width() * 0.46, false);
    DialTicks(p, fine, 42, 46, Angles(fineKnob), kInk, 1.5);
    TextAt(p, Polar(fine, 53, fineKnob.DegreesAt(0)), QStringLiteral("0"), 9, kInk);
    TextAt(p, Polar(fine, 53, fineKnob.DegreesAt(5)), QStringLiteral("1.0"), 9, kInk);
    TextAt(p, QPointF(166, 167), QStringLiteral("2.0"), 9,
           kInk); // beside the last tick, clear of the power key
    Text(p, QRectF(fineRect.left(), 63, fineRect.width(), 14), QStringLiteral("电压微调"), 11, kInk,
         Qt::AlignCenter, true);
    Text(p, QRectF(176, 104, 38, 34), QStringLiteral("粗调＋\n细调"), 9, colour::kInkSoft);

    const QRectF power = Rect(source::kPowerRect);
    ButtonWell(p, power);
    Text(p, QRectF(power.left(), power.bottom() + 1, power.width(), 10), QStringLiteral("电源"), 9, kInk,
         Qt::AlignCenter, true);
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

void FrequencyKnobs(QPainter& p) {
    const QRectF coarse = Rect(layout::frequency_knobs::kCoarseRect),
                 fine = Rect(layout::frequency_knobs::kFineRect);
    FaceStandIn(p, coarse.center());
    FaceStandIn(p, fine.center());
    Text(p, QRectF(coarse.left(), 76, coarse.width(), 13), QStringLiteral("频率粗调"), 11, kInk,
         Qt::AlignCenter, true);
    Text(p, QRectF(fine.left(), 76, fine.width(), 13), QStringLiteral("频率微调"), 11, kInk, Qt::AlignCenter,
         true);
}

void PaintSignalGeneratorPanel(QPainter& p, int w, int h) {
    namespace generator = layout::signal_generator;
    PanelBase(p, w, h);
    // Frequency display: the board display shifted onto the panel; the kHz
    // and Hz lamps at x 142..155 and 174..187, y 56..59.
    DisplayWindow(p, QRectF(66, 10, 138, 62));
    const QPointF digits = PanelDigits(generator::kDisplay);
    GhostDigits(p, digits.x(), digits.y(), 6);
    const QColor glassInk(0xb0, 0x90, 0x84);
    for (double x : {142.0, 174.0})
        p.fillRect(QRectF(x, 56, 13, 3), QColor(0x4a, 0x16, 0x10));
    Text(p, QRectF(136, 60, 25, 10), QStringLiteral("kHz"), 8, glassInk);
    Text(p, QRectF(168, 60, 25, 10), QStringLiteral("Hz"), 8, glassInk);
    Text(p, QRectF(6, 12, 56, 20), QStringLiteral("信号"), 14, colour::kAccent, Qt::AlignCenter, true);
    Text(p, QRectF(6, 32, 56, 20), QStringLiteral("发生器"), 14, colour::kAccent, Qt::AlignCenter, true);
    Text(p, QRectF(6, 54, 56, 14), QStringLiteral("频率显示"), 9, colour::kInkSoft);

    FrequencyKnobs(p);

    // Waveform keys with their names and a sketch of each wave.
    const QString names[3] = {QStringLiteral("正弦波"), QStringLiteral("方波"), QStringLiteral("三角波")};
    for (int i = 0; i < 3; ++i) {
        const QRectF key = Rect(generator::kWaveRects[i]);
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
        const QRectF key = Rect(generator::kBandRects[i]);
        ButtonWell(p, key);
        Text(p, QRectF(key.left() - 5, 143, key.width() + 10, 12), bands[i], 10, kInk, Qt::AlignCenter, true);
    }
    // A frame round the band keys and their names, the rule printed under it.
    const QRectF frame =
        Rect(generator::kBandRects[0]).united(Rect(generator::kBandRects[6])).adjusted(-5.5, -4.5, 5.5, 17.5);
    p.save();
    p.setPen(QPen(colour::kAccent, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 3, 3);
    p.restore();
    Text(p, QRectF(frame.left() - 0.5, frame.bottom() + 0.5, frame.width() + 1, 13),
         QStringLiteral("频段（Hz）：频率 = 旋钮读数 × 频段"), 9, colour::kAccent);

    // Amplitude knob under the sheet's needle, and the power key.
    const QRectF amplitude = Rect(generator::kAmplitudeRect);
    const QPointF amp = amplitude.center();
    DialTicks(p, amp, 36.5, 40, Angles(generator::kAmplitude), kInk, 1.3); // beyond the needle's tip
    Knob(p, amp, 20, false);
    Text(p, QRectF(amplitude.left(), amplitude.bottom(), amplitude.width(), 13), QStringLiteral("幅度调节"),
         11, kInk, Qt::AlignCenter, true);
    const QRectF power = Rect(generator::kPowerRect);
    ButtonWell(p, power);
    Text(p, QRectF(power.left(), power.top() - 16, power.width(), 14), QStringLiteral("电源"), 10, kInk,
         Qt::AlignCenter, true);
}

} // namespace art
