// Vapomet: the properties of water and steam, on three pages.
#include <QApplication>

#include "ui/look.h"
#include "ui/module1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vapomet"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    // The program ends with "Exit", not when its last page window is closed.
    QApplication::setQuitOnLastWindowClosed(false);
    vapomet::ui::RegisterFontSubstitutes();

    vapomet::ui::Module1 program;
    program.startUp();
    return QApplication::exec();
}
