// The drawing kit every picture is made with: one palette for the whole
// bench, text in the CJK face, and the parts real instruments are built from
// (cases, panel faces, display windows, knobs, dials, push buttons, binding
// posts, wire leads).
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

namespace art {

// One palette, so that every instrument looks as if it came from the same lab.
namespace colour {
inline const QColor kPanel{0xd7, 0xdb, 0xdf};     // front panel, light grey with a blue cast
inline const QColor kPanelDeep{0xc4, 0xc9, 0xcf}; // recessed areas of a panel
inline const QColor kCase{0x3b, 0x41, 0x4a};      // instrument case and frame
inline const QColor kCaseLight{0x5c, 0x64, 0x70};
inline const QColor kInk{0x1c, 0x2a, 0x48}; // printed legends
inline const QColor kInkSoft{0x4a, 0x55, 0x6a};
inline const QColor kAccent{0x1f, 0x5f, 0xa8}; // group lines, titles
inline const QColor kWindow{0x16, 0x0b, 0x0b}; // display glass behind the red digits
inline const QColor kLed{0xff, 0x3a, 0x24};    // lit display segments
inline const QColor kRed{0xc8, 0x1e, 0x1e};    // + binding post, positive marks
inline const QColor kBlack{0x1d, 0x1d, 0x20};  // - binding post, knobs
inline const QColor kBrass{0xc9, 0xa2, 0x48};
inline const QColor kMetal{0xb8, 0xbd, 0xc4};
inline const QColor kCopper{0xb8, 0x6a, 0x2c};
inline const QColor kWhite{0xff, 0xff, 0xff};
} // namespace colour

// The face used for every printed legend (Chinese and Latin alike).
QFont Font(double pixels, bool bold = false);

// Text centred (or aligned) in a rectangle.
void Text(QPainter& p, const QRectF& box, const QString& text, double pixels, const QColor& colour,
          int align = Qt::AlignCenter, bool bold = false);
// Text centred on a point.
void TextAt(QPainter& p, QPointF centre, const QString& text, double pixels, const QColor& colour,
            bool bold = false);
// Text centred on a point and turned by `degrees` (clockwise) about it.
void TextTurned(QPainter& p, QPointF centre, const QString& text, double pixels, const QColor& colour,
                double degrees, bool bold = false);

// A unit letter followed by the direct-current mark (a bar over dashes),
// centred on a point; the CJK face has no glyph for the mark.
void DcLabel(QPainter& p, QPointF centre, const QString& letter, double pixels, const QColor& colour);
// Chinese text set vertically, one upright character under the other,
// starting at `top` (the centre of the first character's top edge).
void StackedText(QPainter& p, QPointF top, const QString& text, double pixels, const QColor& colour,
                 bool bold = false);

// The point at `radius` from `centre` in the direction `degrees` clockwise
// from 12 o'clock (the way panel knobs turn: positive angles clockwise).
QPointF Polar(QPointF centre, double radius, double degrees);

// A fresh transparent picture to paint on, and the painter set up for it.
QImage Canvas(int width, int height, const QColor& fill = Qt::transparent);
void Prepare(QPainter& p);

// --- Instrument bodies -------------------------------------------------
// A case seen from the front: dark frame with rounded corners and a front
// panel inset by `frame` pixels.
void InstrumentCase(QPainter& p, const QRectF& r, double frame = 3, double radius = 6,
                    const QColor& face = colour::kPanel);
// A flat panel face with a light top edge and a darker bottom edge.
void PanelFace(QPainter& p, const QRectF& r, const QColor& base = colour::kPanel, double radius = 0);
// A countersunk screw head.
void Screw(QPainter& p, QPointF centre, double radius);
// A recessed display window (dark glass in a bezel).
void DisplayWindow(QPainter& p, const QRectF& r);
// Faint unlit seven-segment cells behind the glass: `cells` digit cells of
// 17 x 30 whose rightmost ends at `right`, 18 pixels apart, from `top`.
void GhostDigits(QPainter& p, double right, double top, int cells);
// A thin group frame with its caption broken into the top line.
void GroupFrame(QPainter& p, const QRectF& r, const QString& caption, double pixels);

// --- Controls ----------------------------------------------------------
// A round knob seen from the front: skirt, grip and cap; `pointer` draws a
// white index line at `degrees` (clockwise from top).
void Knob(QPainter& p, QPointF centre, double radius, bool pointer = false, double degrees = 0,
          const QColor& cap = colour::kBlack);
// Tick marks around a dial at the given angles.
void DialTicks(QPainter& p, QPointF centre, double inner, double outer, const std::vector<double>& degrees,
               const QColor& colour = colour::kInk, double width = 1.2);
// Labels around a dial, each centred at `radius` in its direction.
void DialLabels(QPainter& p, QPointF centre, double radius, const std::vector<double>& degrees,
                const std::vector<QString>& labels, double pixels, const QColor& colour = colour::kInk);
// An arc of the dial between two angles (clockwise from top).
void DialArc(QPainter& p, QPointF centre, double radius, double fromDegrees, double toDegrees,
             const QColor& colour = colour::kInk, double width = 1.2);
// The angles of positions lo..hi of a knob turning `step` degrees per
// position, upright at position `zero`.
std::vector<double> KnobAngles(int lo, int hi, int zero, double step);
// A rectangular push button, released (raised) or pressed (sunk, lit).
void PushButton(QPainter& p, const QRectF& r, bool pressed, const QColor& body = QColor(0xe9, 0xea, 0xec),
                const QColor& lamp = QColor());
// A rocker power switch; on shows the lit side.
void PowerRocker(QPainter& p, const QRectF& r, bool on);
// A small slide-switch slot.
void SlideSlot(QPainter& p, const QRectF& r);

// --- Terminals ---------------------------------------------------------
enum class Post { Red, Black, Brass };
// A binding post seen from the front: a knurled coloured cap round a metal
// screw.
void BindingPost(QPainter& p, QPointF centre, double radius, Post kind);
// Where a terminal point lies relative to a body of size w x h: the point on
// the body edge nearest to it (terminals may lie outside the body).
QPointF EdgePoint(double w, double h, QPointF terminal);
// A tinned wire lead from `from` to `to`.
void Lead(QPainter& p, QPointF from, QPointF to, double width = 2.2);
// A short metal tab reaching from inside the body to its edge point nearest
// to `terminal` (where the board draws the terminal's node).
void TerminalTab(QPainter& p, double w, double h, QPointF terminal, double length = 6, double width = 5);
// A binding post standing on the body edge nearest to `terminal`.
void EdgePost(QPainter& p, double w, double h, QPointF terminal, Post kind, double radius = 6);

// --- Front panels ------------------------------------------------------
// A flat panel with a thin bevelled rim. Flat, so that the separate knob-face
// pictures laid over it match it exactly.
void PanelBase(QPainter& p, int w, int h, const QColor& face = colour::kPanel);
// The dial under a needle knob: a knob body with the needle turning over it
// and position ticks from `tickRadius` out (beyond the needle's tip).
void NeedleDial(QPainter& p, QPointF centre, const std::vector<double>& ticks, double tickRadius,
                double body = 21, const QColor& ink = colour::kInk);
// A recess round a push button's hit rectangle.
void ButtonWell(QPainter& p, const QRectF& r);
// What a separate knob-face picture shows (a flat black knob of radius 30.5),
// drawn on the panel under the place the face picture covers.
void FaceStandIn(QPainter& p, QPointF centre);

} // namespace art
