// Draws a finished frame with OpenGL: uploads the pictures and glyph pages it
// refers to, then draws its blocks in order. Every call needs the context
// current that Initialize ran in.
#pragma once

#include "frame.h"

#include <QImage>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

#include <map>
#include <memory>

namespace ampera {

class CFramePainter : protected QOpenGLFunctions {
  public:
    CFramePainter() = default;
    ~CFramePainter() = default;
    CFramePainter(const CFramePainter&) = delete;
    CFramePainter& operator=(const CFramePainter&) = delete;

    // Compiles the program and makes the vertex buffer; false on failure.
    bool Initialize();
    // Draws the frame into the bound framebuffer, whose size in device
    // pixels is targetWidth x targetHeight; `scale` turns the frame's
    // viewport (logical pixels) into device pixels. False when the graphics
    // device could not store the frame's vertices (nothing was drawn).
    bool Paint(const CFrame& frame, int targetWidth, int targetHeight, double scale = 1.0);
    // Clears the whole target (no frame has arrived yet).
    void Clear(std::uint32_t argb);
    // Deletes textures, buffer and program.
    void Release();

  private:
    struct Texture {
        std::shared_ptr<const CTextureImage> image; // kept so its address is not reused
        GLuint id = 0;
    };
    struct Page {
        GLuint id = 0;
        std::uint64_t version = ~0ull;
        std::vector<char32_t> cells; // what the image shows now
        QImage image;
    };
    GLuint TextureOf(const std::shared_ptr<const CTextureImage>& image);
    GLuint PageOf(const CGlyphPage& page);
    GLuint Upload(GLuint id, const QImage& rgba);
    void DrawBlock(GLenum mode, const CDrawBlock& block, GLuint texture);
    void SetTransform(const CFrame& frame, float dx, float dy);
    void DropUnusedTextures();

    bool m_ready = false;
    QOpenGLShaderProgram m_program;
    QOpenGLBuffer m_buffer{QOpenGLBuffer::VertexBuffer};
    int m_transform = -1, m_textured = -1, m_sampler = -1;
    int m_position = -1, m_colour = -1, m_texcoord = -1;
    std::map<const CTextureImage*, Texture> m_textures;
    std::map<std::uint64_t, Page> m_pages;
};

} // namespace ampera
