// ampera-contact-sheet: lays the pictures of an asset folder out on one PNG,
// boards and panels put together by the devices' own drawing records.
#include "contact_sheet.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 && args.size() != 4) {
        std::fprintf(stderr, "usage: ampera-contact-sheet ASSET_FOLDER OUT.png [SCALE]\n");
        return 64;
    }
    return art::ContactSheet(args[1], args[2], args.size() == 4 ? args[3].toDouble() : 1.0);
}
