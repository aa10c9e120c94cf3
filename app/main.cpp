// ampera [OPTION]... [FILE.vtx]: the bench. A file named on the command line
// is opened at start as Open opens it.
#include "core/solver.h"
#include "main_window.h"

#include <ampera_version.h>

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

constexpr int kExitUsage = 64;

const char* const kHelp =
    "Usage: ampera [OPTION]... [FILE.vtx]\n"
    "A simulated electrical laboratory bench for teaching circuit analysis: place devices, wire them,\n"
    "work the instruments' panels and read what they show. FILE.vtx is opened at start.\n"
    "\n"
    "Options:\n"
    "  --trace      print the solver's trace on standard output (also AMPERA_TRACE=1)\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "Qt's own options (-platform, -style, ...) are taken as well.\n"
    "\n"
    "Environment:\n"
    "  AMPERA_DATA   the folder holding the artwork, help and examples (found by itself otherwise)\n"
    "  AMPERA_TRACE  1: as --trace\n";

int UsageError(const std::string& message) {
    std::fprintf(stderr, "ampera: %s\nTry 'ampera --help' for more information.\n", message.c_str());
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    // These need no display, so they are answered before the window system starts.
    bool trace = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("ampera %s\n", AMPERA_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--trace") == 0) trace = true;
    }
    const char* traceVariable = std::getenv("AMPERA_TRACE");
    if (trace || (traceVariable && std::strcmp(traceVariable, "1") == 0))
        ampera::CCircuitSolver::SetDefaultTraceStream(&std::cout);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ampera"));
    QApplication::setApplicationVersion(QStringLiteral(AMPERA_VERSION));
    // The program speaks Simplified Chinese, and so do Qt's own dialogs,
    // buttons and edit-field menus, through Qt's translations where the
    // system has them (qt6-translations-l10n).
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    QTranslator qtTranslations;
    if (qtTranslations.load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);
    // What Qt left: our own options and at most one file.
    QStringList files;
    const QStringList arguments = QApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--trace")) continue;
        if (arguments[i].startsWith(QLatin1Char('-')))
            return UsageError("unknown option '" + arguments[i].toStdString() + "'");
        files << arguments[i];
    }
    if (files.size() > 1) return UsageError("more than one file given");

    ampera::CMainDlg window;
    window.show();
    window.OfferRecovery();
    if (files.size() == 1) window.OpenAtStart(QFileInfo(files[0]).absoluteFilePath().toStdString());
    return application.exec();
}
