// The list of every picture, sound and document the program loads from its
// asset folder: the name the program asks for, the size and the file format.
// It is the one place these names are written down; the generator draws
// exactly this list and the tests check the program's names against it.
#pragma once

#include "devices/kind_geometry.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>

#include <string>
#include <string_view>
#include <vector>

namespace art {

enum class Format { Tga, Bmp, Png, Wav, Html };

// What a picture is for (the contact sheet and the tests pick by it).
enum class Role {
    Body,      // a device's board picture (and its turned versions)
    BodyState, // another board picture of a device: switch states, the rheostat slider
    Panel,     // a front panel in the property window
    PanelPart, // knob faces, needles, legends and the shared panel sheet
    Board,     // the node and the glyph page
    Symbol,    // schematic symbols
    Bar,       // device-bar pictures
    Icon,      // toolbar and menu icons
    Sound,
    Document,
};

using PaintFn = void (*)(QPainter& p, int width, int height);
using BytesFn = QByteArray (*)();

struct Asset {
    std::string name; // as the program asks for it, with backslashes: "devpic\\comres90.tga"
    int width = 0, height = 0;
    Format format = Format::Png;
    Role role = Role::Body;
    PaintFn paint = nullptr; // pictures drawn from scratch
    BytesFn bytes = nullptr; // sound and documents
    std::string turnedFrom;  // a turned picture: the name of its 0 degree picture
    int turn = 0;            // counter-clockwise degrees: 90, 180 or 270
    // Role::Body: the board geometry of the kind the picture shows.
    const ampera::geometry::CBodyGeometry* body = nullptr;
};

const std::vector<Asset>& Manifest();
// The entry of a name, or null.
const Asset* Find(std::string_view name);
// The file path of a name below the asset folder ('\\' becomes '/').
std::string FilePath(std::string_view name);
// Whether the format keeps an alpha channel.
bool HasAlpha(Format format);

// Draws a picture entry (turned entries are their base picture turned).
QImage Render(const Asset& asset);
// Turns a picture counter-clockwise by a multiple of 90 degrees.
QImage TurnLeft(const QImage& image, int degrees);

} // namespace art
