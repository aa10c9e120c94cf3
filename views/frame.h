// A finished frame: everything one view shows, as plain data built on the
// frame-loop thread and drawn by the graphics backend on the user-interface
// thread. Nothing in it refers to renderer state that may change afterwards:
// pictures and glyph pages are immutable snapshots held by shared pointers.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ampera {

// 24 bytes: position, diffuse colour (0xAARRGGBB) and one texture coordinate.
struct CVertex {
    float x = 0, y = 0, z = 0;
    std::uint32_t colour = 0;
    float u = 0, v = 0;
};
static_assert(sizeof(CVertex) == 24);

// The vertex storage a frame starts with; it grows as a frame needs.
inline constexpr std::uint32_t kInitialVertices = 6144;

// A decoded picture. Once in the texture cache it never changes.
struct CTextureImage {
    std::string name;     // as asked for: "devpic\\node.tga"
    std::uint64_t id = 0; // load order; batches of ordinary pictures sort by it
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB, rows from the top; may be empty (size only)
};

// The glyphs a font has placed on its 256 x 256 page: one character (Unicode
// code point, 0 = free) per cell, cells in row-major order. The backend draws
// each character into its cell in the font colour, transparent elsewhere.
struct CGlyphPage {
    static constexpr int kPixels = 256;
    std::uint64_t id = 0;      // stable for the life of the font
    std::uint64_t version = 0; // changes whenever a cell changes
    std::string face;
    int size = 16;            // cell width and height in pixels
    std::uint32_t colour = 0; // 0xAARRGGBB
    std::vector<char32_t> cells;

    int CellsPerRow() const { return size > 0 ? kPixels / size : 0; }
};

// A run of vertices in the frame's vertex buffer.
struct CDrawBlock {
    std::uint32_t start = 0;
    std::uint32_t count = 0;      // vertices the block holds
    std::uint32_t primitives = 0;
    bool operator==(const CDrawBlock&) const = default;
};

struct CSpriteBatch {
    std::shared_ptr<const CTextureImage> texture; // null: untextured
    CDrawBlock block;                             // triangle list
};

struct CStripBatch {
    CDrawBlock block;                          // line strip
    std::vector<std::array<float, 2>> offsets; // drawn once per offset, added to the world translation
};

struct COverlayBatch {
    std::shared_ptr<const CGlyphPage> page;
    CDrawBlock block; // triangle list, textured with the page
};

struct CFrame {
    long long time = 0;
    // Viewport inside the target, in target pixels from its top-left corner.
    int viewportX = 0, viewportY = 0, viewportWidth = 0, viewportHeight = 0;
    // The default world translation (-(w div 2), +(h div 2)) and the view x
    // projection product, both as row-vector matrices (v' = v M).
    float worldX = 0, worldY = 0;
    std::array<float, 16> viewProjection{};
    std::uint32_t clearColour = 0xFFFFFFFF;
    bool alphaBlend = true;

    std::vector<CVertex> vertices;     // the filled vertex buffer
    std::vector<CSpriteBatch> sprites; // in drawing order
    CDrawBlock lines;                  // line list
    std::vector<CStripBatch> strips;
    std::vector<COverlayBatch> overlays;

    void Clear();
    // The whole transform for a draw with the world translated by (dx, dy)
    // more, as a row-vector matrix: clip = (x, y, z, 1) M. Row-major storage,
    // which is also the column-major layout OpenGL expects for M transposed.
    std::array<float, 16> Transform(float dx = 0, float dy = 0) const;
};

// Whether two frames draw the same picture (their times aside): the same
// target, transform, clear colour and blending, the same vertices and the
// same batches of the same pictures and glyph pages (both never change once
// made, so the same pointer is the same picture).
bool SameDrawing(const CFrame& a, const CFrame& b);

// Matrices of the fixed camera: the left-handed look-at from (0, 3, -500)
// towards the origin with y up, and the left-handed orthographic projection
// of width w and height h between depths -5000 and 5000.
std::array<float, 16> ViewProjection(int width, int height);

} // namespace ampera
