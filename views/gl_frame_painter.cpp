#include "gl_frame_painter.h"

#include <limits>

#include "glyph_raster.h"

#include <QFont>

namespace ampera {

namespace {

// Texture modulated by the vertex colour; lines, strips and pictures that
// could not be read show the vertex colour alone.
const char* kVertexShader = R"(
attribute vec3 position;
attribute vec4 colour;
attribute vec2 texcoord;
uniform mat4 transform;
varying vec4 vColour;
varying vec2 vTexcoord;
void main() {
    gl_Position = transform * vec4(position, 1.0);
    vColour = colour.zyxw; // the vertex colour is 0xAARRGGBB: bytes B, G, R, A
    vTexcoord = texcoord;
}
)";

const char* kFragmentShader = R"(
#ifdef GL_ES
precision mediump float;
#endif
uniform bool textured;
uniform sampler2D picture;
varying vec4 vColour;
varying vec2 vTexcoord;
void main() {
    gl_FragColor = textured ? texture2D(picture, vTexcoord) * vColour : vColour;
}
)";

// 0xAARRGGBB pixels as RGBA bytes for glTexImage2D.
QImage AsRgba(const CTextureImage& image) {
    if (image.pixels.empty() || image.width <= 0 || image.height <= 0) return {};
    QImage view(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                image.width * 4, QImage::Format_ARGB32);
    return view.convertToFormat(QImage::Format_RGBA8888);
}

} // namespace

bool CFramePainter::Initialize() {
    initializeOpenGLFunctions();
    if (!m_program.addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) ||
        !m_program.addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader) || !m_program.link())
        return false;
    m_position = m_program.attributeLocation("position");
    m_colour = m_program.attributeLocation("colour");
    m_texcoord = m_program.attributeLocation("texcoord");
    m_transform = m_program.uniformLocation("transform");
    m_textured = m_program.uniformLocation("textured");
    m_sampler = m_program.uniformLocation("picture");
    if (!m_buffer.create()) return false;
    m_buffer.setUsagePattern(QOpenGLBuffer::StreamDraw);
    m_ready = true;
    return true;
}

void CFramePainter::Release() {
    for (auto& [key, texture] : m_textures)
        glDeleteTextures(1, &texture.id);
    for (auto& [key, page] : m_pages)
        glDeleteTextures(1, &page.id);
    m_textures.clear();
    m_pages.clear();
    m_buffer.destroy();
    m_program.removeAllShaders();
    m_ready = false;
}

GLuint CFramePainter::Upload(GLuint id, const QImage& rgba) {
    if (id == 0) glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    // Point sampling: board units are screen pixels, and glyph cells must
    // not bleed into their neighbours.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, rgba.width(), rgba.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.constBits());
    return id;
}

GLuint CFramePainter::TextureOf(const std::shared_ptr<const CTextureImage>& image) {
    if (!image) return 0;
    auto it = m_textures.find(image.get());
    if (it != m_textures.end()) return it->second.id;
    const QImage rgba = AsRgba(*image);
    if (rgba.isNull()) return 0;
    Texture& texture = m_textures[image.get()];
    texture.image = image;
    texture.id = Upload(0, rgba);
    return texture.id;
}

GLuint CFramePainter::PageOf(const CGlyphPage& page) {
    Page& cached = m_pages[page.id];
    if (cached.version == page.version) return cached.id;
    if (cached.image.isNull()) {
        cached.image = QImage(CGlyphPage::kPixels, CGlyphPage::kPixels, QImage::Format_ARGB32);
        cached.image.fill(Qt::transparent);
    }
    // Redraw only the cells whose character changed.
    const QFont font = GlyphFont(page);
    cached.cells.resize(page.cells.size(), 0);
    for (std::size_t cell = 0; cell < page.cells.size(); ++cell) {
        if (cached.cells[cell] == page.cells[cell]) continue;
        DrawGlyphCell(cached.image, font, page, static_cast<int>(cell));
        cached.cells[cell] = page.cells[cell];
    }
    cached.id = Upload(cached.id, cached.image.convertToFormat(QImage::Format_RGBA8888));
    cached.version = page.version;
    return cached.id;
}

void CFramePainter::DropUnusedTextures() {
    // A picture nobody else holds any more (the cache was emptied) goes.
    for (auto it = m_textures.begin(); it != m_textures.end();) {
        if (it->second.image.use_count() == 1) {
            glDeleteTextures(1, &it->second.id);
            it = m_textures.erase(it);
        } else {
            ++it;
        }
    }
}

void CFramePainter::SetTransform(const CFrame& frame, float dx, float dy) {
    const std::array<float, 16> m = frame.Transform(dx, dy);
    // Row-vector matrix in row-major order = its transpose in column-major order.
    glUniformMatrix4fv(m_transform, 1, GL_FALSE, m.data());
}

void CFramePainter::DrawBlock(GLenum mode, const CDrawBlock& block, GLuint texture) {
    if (block.primitives == 0 || block.count == 0) return;
    glBindTexture(GL_TEXTURE_2D, texture);
    m_program.setUniformValue(m_textured, texture != 0);
    glDrawArrays(mode, static_cast<GLint>(block.start), static_cast<GLsizei>(block.count));
}

void CFramePainter::Clear(std::uint32_t argb) {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

bool CFramePainter::Paint(const CFrame& frame, int targetWidth, int targetHeight, double scale) {
    (void)targetWidth;
    if (!m_ready || frame.viewportWidth <= 0 || frame.viewportHeight <= 0) return true;
    DropUnusedTextures();
    // The viewport counts from the target's top-left corner, OpenGL from its bottom-left.
    const int x = static_cast<int>(frame.viewportX * scale),
              w = static_cast<int>(frame.viewportWidth * scale);
    const int h = static_cast<int>(frame.viewportHeight * scale);
    const int y = targetHeight - static_cast<int>(frame.viewportY * scale) - h;
    glViewport(x, y, w, h);
    glScissor(x, y, w, h); // clearing clears the viewport only
    glEnable(GL_SCISSOR_TEST);
    const std::uint32_t c = frame.clearColour;
    // The clear colour's alpha byte is ignored (the symbol view's yellow has 0 there).
    glClearColor(((c >> 16) & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, (c & 0xFF) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    glDisable(GL_DEPTH_TEST);
    // Quads are wound clockwise on screen; counter-clockwise ones are culled.
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    if (frame.alphaBlend) {
        glEnable(GL_BLEND);
        // Colours blend by source alpha; the target itself stays opaque, as
        // a back buffer without an alpha channel would.
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }

    m_program.bind();
    m_program.setUniformValue(m_sampler, 0);
    glActiveTexture(GL_TEXTURE0);
    m_buffer.bind();
    // The storage takes the whole frame, however large; only the graphics
    // device itself can refuse it.
    const std::size_t bytes = frame.vertices.size() * sizeof(CVertex);
    while (glGetError() != GL_NO_ERROR) {
    }
    bool stored = bytes <= static_cast<std::size_t>(std::numeric_limits<int>::max());
    if (stored) {
        m_buffer.allocate(frame.vertices.data(), static_cast<int>(bytes));
        stored = glGetError() != GL_OUT_OF_MEMORY;
    }
    if (!stored) {
        m_buffer.release();
        m_program.release();
        glDisable(GL_SCISSOR_TEST);
        glDisable(GL_CULL_FACE);
        return false;
    }
    m_program.enableAttributeArray(m_position);
    m_program.enableAttributeArray(m_colour);
    m_program.enableAttributeArray(m_texcoord);
    glVertexAttribPointer(m_position, 3, GL_FLOAT, GL_FALSE, sizeof(CVertex),
                          reinterpret_cast<const void*>(offsetof(CVertex, x)));
    glVertexAttribPointer(m_colour, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(CVertex),
                          reinterpret_cast<const void*>(offsetof(CVertex, colour)));
    glVertexAttribPointer(m_texcoord, 2, GL_FLOAT, GL_FALSE, sizeof(CVertex),
                          reinterpret_cast<const void*>(offsetof(CVertex, u)));

    SetTransform(frame, 0, 0);
    for (const CSpriteBatch& batch : frame.sprites)
        DrawBlock(GL_TRIANGLES, batch.block, TextureOf(batch.texture));
    DrawBlock(GL_LINES, frame.lines, 0);
    for (const CStripBatch& strip : frame.strips) {
        for (const auto& offset : strip.offsets) {
            SetTransform(frame, offset[0], offset[1]);
            DrawBlock(GL_LINE_STRIP, strip.block, 0);
        }
    }
    SetTransform(frame, 0, 0);
    for (const COverlayBatch& batch : frame.overlays)
        if (batch.page) DrawBlock(GL_TRIANGLES, batch.block, PageOf(*batch.page));

    m_program.disableAttributeArray(m_position);
    m_program.disableAttributeArray(m_colour);
    m_program.disableAttributeArray(m_texcoord);
    m_buffer.release();
    m_program.release();
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_CULL_FACE);
    return true;
}

} // namespace ampera
