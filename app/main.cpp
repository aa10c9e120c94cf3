// ampera [FILE]: the bench. A file named on the command line is opened at
// start as Open opens it.
#include "main_window.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ampera"));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 2 || (arguments.size() == 2 && arguments[1].startsWith(QLatin1Char('-')))) {
        std::fprintf(stderr, "usage: ampera [FILE.vtx]\n");
        return 64;
    }

    ampera::CMainDlg window;
    window.show();
    window.OfferRecovery();
    if (arguments.size() == 2) window.OpenAtStart(QFileInfo(arguments[1]).absoluteFilePath().toStdString());
    return application.exec();
}
