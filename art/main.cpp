// ampera-art: draws every picture, the warning sound and the help page into
// an asset folder.
#include "image_io.h"
#include "manifest.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <map>

namespace {

int Generate(const QString& folder) {
    std::map<std::string, QImage> drawn; // 0-degree pictures, reused by their turned versions
    int failures = 0;
    for (const art::Asset& a : art::Manifest()) {
        QByteArray bytes;
        if (a.bytes) {
            bytes = a.bytes();
        } else {
            QImage image;
            if (!a.turnedFrom.empty()) {
                auto it = drawn.find(a.turnedFrom);
                image = it != drawn.end() ? art::TurnLeft(it->second, a.turn) : art::Render(a);
            } else {
                image = art::Render(a);
                drawn[a.name] = image;
            }
            switch (a.format) {
            case art::Format::Tga:
                bytes = art::EncodeTga(image);
                break;
            case art::Format::Bmp:
                bytes = art::EncodeBmp(image);
                break;
            default:
                bytes = art::EncodePng(image);
                break;
            }
        }
        const QString path = QDir(folder).filePath(QString::fromStdString(art::FilePath(a.name)));
        if (bytes.isEmpty() || !art::WriteFile(path, bytes)) {
            std::fprintf(stderr, "ampera-art: could not write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    // Pictures are drawn off screen; no display is needed at build time.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 2) return Generate(args[1]);
    std::fprintf(stderr, "usage: ampera-art ASSET_FOLDER\n");
    return 64;
}
