// Drawable records: what a board object hands to the renderer each frame.
// Plain data; the renderer batches and draws them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ampera {

enum DrawFlag : std::uint32_t {
    DRAW_TINT = 0x0002,        // vertex colour = item colour instead of white
    DRAW_PULSE = 0x0004,       // alpha swings between alpha min and alpha max
    DRAW_RELOAD = 0x0008,      // look the texture up again from its name before drawing
    DRAW_ROTATE = 0x0020,      // turn the quad by `angle` about its centre
    DRAW_OWNER_40 = 0x0040,    // free for the owner
    DRAW_LINE = 0x0100,        // a line segment from (left, top) to (right, bottom)
    DRAW_GENERATION = 0x0800,  // set with RELOAD and SUBMITTED when the renderer generation changed
    DRAW_SUBMITTED = 0x1000,   // submitted this frame
    DRAW_PULSE_UP = 0x2000,    // pulse direction: alpha rising
    DRAW_HIDDEN = 0x4000,      // skipped while its generation equals the renderer's
};

inline constexpr std::uint32_t kDefaultDrawFlags = 0x1848;

struct CDrawItem {
    std::uint32_t flags = kDefaultDrawFlags;
    float left = 0, top = 0, right = 0, bottom = 0;
    std::string texture; // picture file relative to the base directory, e.g. "devpic\\node.tga"
    const void* handle = nullptr;
    std::uint32_t colour = 0; // 0x00RRGGBB
    float angle = 0;          // radians
    std::uint8_t alphaMin = 0, alphaMax = 0, alpha = 255;
    std::uint32_t generation = 0;
    float u[4] = {0, 1, 1, 0}; // top-left, top-right, bottom-right, bottom-left
    float v[4] = {0, 0, 1, 1};
    const void* renderer = nullptr;

    static CDrawItem Quad(float l, float t, float r, float b, std::string picture) {
        CDrawItem item;
        item.SetRect(l, t, r, b);
        item.texture = std::move(picture);
        return item;
    }
    void SetRect(float l, float t, float r, float b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    // Texture corners of an upright sub-rectangle of the picture.
    void SetUV(float u0, float v0, float u1, float v1) {
        u[0] = u0, u[1] = u1, u[2] = u1, u[3] = u0;
        v[0] = v0, v[1] = v0, v[2] = v1, v[3] = v1;
    }
    void Redraw() { flags |= DRAW_RELOAD; }
    bool Hidden() const { return (flags & DRAW_HIDDEN) != 0; }
    void SetHidden(bool hidden) { flags = hidden ? flags | DRAW_HIDDEN : flags & ~DRAW_HIDDEN; }
};

struct CWavePoint {
    float colour = 0;
    float x = 0, y = 0; // y upwards, relative to the waveform origin
};

struct CSpriteGroup {
    std::uint32_t hasWaveform = 0;
    std::int32_t originX = 0, originY = 0;
    std::int32_t span = 0;
    std::int32_t divisor = 1, phase = 0;
    std::int32_t period = 0;
    std::uint32_t thickness = 1;
    std::uint32_t flags = 0; // 0x2: every waveform point takes the group colour
    std::uint32_t colour = 0;
    std::vector<std::vector<CWavePoint>> polylines;
    std::vector<CDrawItem> itemsA; // drawn after items B (display characters)
    std::vector<CDrawItem> itemsB; // drawn first (body, controls)
};

} // namespace ampera
