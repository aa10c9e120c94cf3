// Writing the asset files: pictures in the format their name asks for (TGA
// written here, since Qt only reads it), sound and documents as bytes.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace art {

// Uncompressed 32-bit TGA (BGRA, origin bottom-left, 8 alpha bits) with the
// TGA 2.0 footer: the layout every TGA reader accepts.
QByteArray EncodeTga(const QImage& image);
// An opaque 24-bit BMP (transparent parts flattened onto white).
QByteArray EncodeBmp(const QImage& image);
QByteArray EncodePng(const QImage& image);

// Writes `bytes` to `path`, creating its folders; false when it could not.
bool WriteFile(const QString& path, const QByteArray& bytes);

} // namespace art
