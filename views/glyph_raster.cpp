#include "glyph_raster.h"

#include <QPainter>
#include <QString>

namespace ampera {

QFont GlyphFont(const CGlyphPage& page) {
    QFont font(QString::fromStdString(page.face));
    font.setPixelSize(page.size);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void DrawGlyphCell(QImage& pageImage, const QFont& font, const CGlyphPage& page, int cell) {
    const int size = page.size, perRow = page.CellsPerRow();
    if (perRow <= 0 || cell < 0 || cell >= static_cast<int>(page.cells.size())) return;
    const int left = (cell % perRow) * size, top = (cell / perRow) * size;
    const char32_t c = page.cells[cell];

    QImage glyph(size, size, QImage::Format_RGB32);
    glyph.fill(Qt::black);
    if (c != 0) {
        QPainter painter(&glyph);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, size, size), Qt::AlignLeft | Qt::AlignTop, QString::fromUcs4(&c, 1));
    }
    const QRgb ink = page.colour | 0xFF000000u;
    for (int y = 0; y < size; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(glyph.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(pageImage.scanLine(top + y)) + left;
        for (int x = 0; x < size; ++x)
            to[x] = (from[x] & 0xFFFFFFu) != 0 ? ink : 0u;
    }
}

QImage DrawGlyphPage(const CGlyphPage& page) {
    QImage image(CGlyphPage::kPixels, CGlyphPage::kPixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QFont font = GlyphFont(page);
    for (int cell = 0; cell < static_cast<int>(page.cells.size()); ++cell)
        if (page.cells[cell] != 0) DrawGlyphCell(image, font, page, cell);
    return image;
}

} // namespace ampera
