#include "qt_texture_loader.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstring>

namespace ampera {

std::shared_ptr<CTextureImage> CQtTextureLoader::Load(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    QImage image = reader.read();
    if (image.isNull()) return nullptr;
    image = image.convertToFormat(QImage::Format_ARGB32);
    auto texture = std::make_shared<CTextureImage>();
    texture->width = image.width();
    texture->height = image.height();
    texture->pixels.resize(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(texture->pixels.data() + static_cast<std::size_t>(y) * image.width(),
                    image.constScanLine(y), static_cast<std::size_t>(image.width()) * 4);
    return texture;
}

} // namespace ampera
