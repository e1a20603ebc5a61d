// Vapomet: the properties of water and steam, on three pages.
//   vapomet [--quit-after-start] [Qt options]
// --quit-after-start ends the program through Exit, status 0, once the main window is up: a
// check that an installed copy starts.
#include <QApplication>
#include <QTimer>

#include "ui/look.h"
#include "ui/module1.h"
#include "vapomet/version.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vapomet"));
    QApplication::setApplicationVersion(QStringLiteral(VAPOMET_VERSION));
    // The program ends with "Exit", not when its last page window is closed.
    QApplication::setQuitOnLastWindowClosed(false);
    vapomet::ui::RegisterFontSubstitutes();
    const bool quitAfterStart =
        QCoreApplication::arguments().contains(QStringLiteral("--quit-after-start"));

    vapomet::ui::Module1 program;
    program.startUp();
    if (quitAfterStart) QTimer::singleShot(0, &program, &vapomet::ui::Module1::exitProgram);
    return QApplication::exec();
}
