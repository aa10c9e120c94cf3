#include "frame.h"

#include <cstring>

#include <cmath>

namespace ampera {

namespace {

using Matrix = std::array<float, 16>;

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a[i * 4 + k] * b[k * 4 + j];
            r[i * 4 + j] = sum;
        }
    return r;
}

struct Vec3 {
    double x, y, z;
};
Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Normalise(Vec3 a) {
    const double n = std::sqrt(Dot(a, a));
    return {a.x / n, a.y / n, a.z / n};
}

// Left-handed look-at, row-vector convention.
Matrix LookAt(Vec3 eye, Vec3 at, Vec3 up) {
    const Vec3 z = Normalise({at.x - eye.x, at.y - eye.y, at.z - eye.z});
    const Vec3 x = Normalise(Cross(up, z));
    const Vec3 y = Cross(z, x);
    auto f = [](double v) { return static_cast<float>(v); };
    return {f(x.x),          f(y.x),          f(z.x),          0, //
            f(x.y),          f(y.y),          f(z.y),          0, //
            f(x.z),          f(y.z),          f(z.z),          0, //
            f(-Dot(x, eye)), f(-Dot(y, eye)), f(-Dot(z, eye)), 1};
}

// Left-handed orthographic projection, depth mapped to 0..1.
Matrix Ortho(float w, float h, float zn, float zf) {
    return {2 / w, 0, 0, 0, 0, 2 / h, 0, 0, 0, 0, 1 / (zf - zn), 0, 0, 0, zn / (zn - zf), 1};
}

} // namespace

void CFrame::Clear() {
    vertices.clear();
    sprites.clear();
    lines = {};
    strips.clear();
    overlays.clear();
}

bool SameDrawing(const CFrame& a, const CFrame& b) {
    if (a.viewportX != b.viewportX || a.viewportY != b.viewportY || a.viewportWidth != b.viewportWidth ||
        a.viewportHeight != b.viewportHeight || a.worldX != b.worldX || a.worldY != b.worldY ||
        a.viewProjection != b.viewProjection || a.clearColour != b.clearColour || a.alphaBlend != b.alphaBlend)
        return false;
    if (a.vertices.size() != b.vertices.size() || !(a.lines == b.lines) || a.sprites.size() != b.sprites.size() ||
        a.strips.size() != b.strips.size() || a.overlays.size() != b.overlays.size())
        return false;
    // Vertices are six plain 4-byte fields with no padding: byte equality is
    // value equality (and tells -0 from 0, which draws the same but is rare).
    if (!a.vertices.empty() &&
        std::memcmp(a.vertices.data(), b.vertices.data(), a.vertices.size() * sizeof(CVertex)) != 0)
        return false;
    for (std::size_t i = 0; i < a.sprites.size(); ++i)
        if (a.sprites[i].texture != b.sprites[i].texture || !(a.sprites[i].block == b.sprites[i].block))
            return false;
    for (std::size_t i = 0; i < a.strips.size(); ++i)
        if (!(a.strips[i].block == b.strips[i].block) || a.strips[i].offsets != b.strips[i].offsets) return false;
    for (std::size_t i = 0; i < a.overlays.size(); ++i)
        if (a.overlays[i].page != b.overlays[i].page || !(a.overlays[i].block == b.overlays[i].block))
            return false;
    return true;
}

std::array<float, 16> ViewProjection(int width, int height) {
    // The camera sits a little above the board's axis; over a view a few
    // hundred pixels high the tilt moves nothing by more than a hundredth of
    // a pixel, so board units stay screen pixels.
    const Matrix view = LookAt({0, 3, -500}, {0, 0, 0}, {0, 1, 0});
    const Matrix projection = Ortho(static_cast<float>(width > 0 ? width : 1),
                                    static_cast<float>(height > 0 ? height : 1), -5000, 5000);
    return Multiply(view, projection);
}

std::array<float, 16> CFrame::Transform(float dx, float dy) const {
    const Matrix world{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, worldX + dx, worldY + dy, 0, 1};
    return Multiply(world, viewProjection);
}

} // namespace ampera
