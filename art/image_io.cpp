#include "image_io.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

namespace art {

QByteArray EncodeTga(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width(), h = argb.height();
    QByteArray out;
    out.reserve(18 + w * h * 4);
    const char header[18] = {0, // no image ID
                             0, // no colour map
                             2, // uncompressed true colour
                             0,
                             0,
                             0,
                             0,
                             0, // colour map description
                             0,
                             0,
                             0,
                             0, // x and y origin
                             static_cast<char>(w & 0xff),
                             static_cast<char>(w >> 8),
                             static_cast<char>(h & 0xff),
                             static_cast<char>(h >> 8),
                             32, // bits per pixel
                             8}; // 8 alpha bits, bottom-left origin
    out.append(header, 18);
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = row[x];
            const char px[4] = {static_cast<char>(qBlue(c)), static_cast<char>(qGreen(c)),
                                static_cast<char>(qRed(c)), static_cast<char>(qAlpha(c))};
            out.append(px, 4);
        }
    }
    // TGA 2.0 footer (no extension or developer area); Qt's reader insists on it.
    const char footer[26] = {0,   0,   0,   0,   0,   0,   0,   0,   'T', 'R', 'U', 'E', 'V',
                             'I', 'S', 'I', 'O', 'N', '-', 'X', 'F', 'I', 'L', 'E', '.', 0};
    out.append(footer, 26);
    return out;
}

namespace {
QByteArray Encode(const QImage& image, const char* format) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return out;
}
} // namespace

QByteArray EncodeBmp(const QImage& image) {
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, image);
    p.end();
    return Encode(flat.convertToFormat(QImage::Format_RGB888), "BMP");
}

QByteArray EncodePng(const QImage& image) {
    return Encode(image.convertToFormat(QImage::Format_ARGB32), "PNG");
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) return false;
    return file.commit();
}

} // namespace art
