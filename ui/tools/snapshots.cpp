// Renders every window of Vapomet to PNG files: after start-up (start-*.png) and after a press
// of "Calculate" (press-*.png; at P = 1 MPa and T = 300 K, or the texts of --press), plus the
// splash, help and About windows. With --pages FILE it also writes the three pages after the
// press as one picture. With --diagram it draws one chart to a PNG or SVG file instead, with the
// states given as pairs of values marked on it.
//   vapomet-snapshots OUTPUT_FOLDER [--pages FILE] [--press P T]
//   vapomet-snapshots --diagram h-s|T-s|p-h|p-T|p-v FILE.png|FILE.svg [--state A,B,VALUE_A,VALUE_B
//   ...]
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QStringList>
#include <cstdio>

#include "ui/diagram_window.h"
#include "ui/look.h"
#include "ui/module1.h"

namespace {

class MessageList : public vapomet::MessageSink {
  public:
    void showMessage(const QString& text) override { texts.append(text); }
    QStringList texts;
};

bool Save(QWidget* window, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    const bool ok = window->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// The three pages one below the other, each window with a title bar under a strip with its
// caption (page 1 has none, as on the screen).
QImage PagesPicture(const QList<QWidget*>& windows) {
    constexpr int kStrip = 22;
    constexpr int kGap = 8;
    const auto strip = [](const QWidget* window) {
        return window->windowFlags().testFlag(Qt::FramelessWindowHint) ? 0 : kStrip;
    };
    QList<QPixmap> shots;
    int width = 0;
    int height = 0;
    for (QWidget* window : windows) {
        shots.append(window->grab());
        width = std::max(width, shots.back().width());
        height += strip(window) + shots.back().height() + kGap;
    }
    QImage image(width + 2 * kGap, height + kGap, QImage::Format_RGB32);
    image.fill(QColor(96, 112, 128));
    QPainter painter(&image);
    painter.setFont(vapomet::ui::Verdana());
    int y = kGap;
    for (int i = 0; i < windows.size(); ++i) {
        const int above = strip(windows[i]);
        if (above > 0) {
            const QRect bar(kGap, y, shots[i].width(), above);
            painter.fillRect(bar, QColor(40, 70, 130));
            painter.setPen(Qt::white);
            painter.drawText(bar.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                             windows[i]->windowTitle());
        }
        painter.drawPixmap(kGap, y + above, shots[i]);
        y += above + shots[i].height() + kGap;
    }
    return image;
}

// The chart with the states of "A,B,VALUE_A,VALUE_B" marked; 2 for a usage error.
int DrawDiagram(const QStringList& args) {
    const std::optional<vapomet::ChartKind> kind =
        args.size() >= 4 ? vapomet::ChartNamed(args[2]) : std::nullopt;
    std::vector<vapomet::ChartState> states;
    bool usage = !kind;
    for (qsizetype i = 4; !usage && i < args.size(); i += 2) {
        const QStringList parts = i + 1 < args.size() ? args[i + 1].split(',') : QStringList();
        const auto a =
            parts.size() == 4 ? vapomet::VariableNamed(parts[0].toStdString()) : std::nullopt;
        const auto b =
            parts.size() == 4 ? vapomet::VariableNamed(parts[1].toStdString()) : std::nullopt;
        bool readA = false, readB = false;
        const double valueA = parts.value(2).toDouble(&readA),
                     valueB = parts.value(3).toDouble(&readB);
        usage = args[i] != QStringLiteral("--state") || !a || !b || !readA || !readB;
        if (usage) break;
        try {
            for (const vapomet::State& state : vapomet::StatesFrom(*a, valueA, *b, valueB))
                states.push_back({args[i + 1], state});
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(args[i + 1]), error.what());
            return 1;
        }
    }
    if (usage) {
        std::fprintf(stderr,
                     "usage: vapomet-snapshots --diagram h-s|T-s|p-h|p-T|p-v FILE.png|FILE.svg "
                     "[--state A,B,VALUE_A,VALUE_B ...]\n");
        return 2;
    }
    vapomet::ui::RegisterFontSubstitutes();
    const bool ok = vapomet::ui::WriteDiagram(*kind, states, args[3]);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(args[3]));
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList args = QApplication::arguments();
    if (args.size() > 1 && args[1] == QStringLiteral("--diagram")) return DrawDiagram(args);
    QString pagesFile, pressure = QStringLiteral("1"), temperature = QStringLiteral("300");
    for (qsizetype i = 2; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--pages") && i + 1 < args.size()) {
            pagesFile = args[++i];
        } else if (args[i] == QStringLiteral("--press") && i + 2 < args.size()) {
            pressure = args[++i];
            temperature = args[++i];
        } else {
            args.clear();
        }
    }
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: vapomet-snapshots OUTPUT_FOLDER [--pages FILE] [--press P T]\n");
        return 2;
    }
    vapomet::ui::RegisterFontSubstitutes();
    const QDir folder(args[1]);
    if (!folder.mkpath(QStringLiteral("."))) return 1;

    bool ok = true;
    {
        vapomet::ui::FrmSplash splash;
        splash.show();
        ok &= Save(&splash, folder, QStringLiteral("splash"));
    }

    MessageList messages;
    vapomet::ui::Module1 program(QLocale(QLocale::English, QLocale::UnitedStates));
    program.setMessageSink(&messages);
    program.setEndProgram([] {});
    program.startUp(std::chrono::milliseconds(0));
    ok &= Save(program.frmMain(), folder, QStringLiteral("start-frmMain"));
    ok &= Save(program.steam2(), folder, QStringLiteral("start-Steam2"));
    ok &= Save(program.steam3(), folder, QStringLiteral("start-Steam3"));

    program.frmMain()->Text1->setText(pressure);
    program.frmMain()->Text2->setText(temperature);
    program.frmMain()->Calbtn->click();
    ok &= messages.texts.isEmpty();
    ok &= Save(program.frmMain(), folder, QStringLiteral("press-frmMain"));
    ok &= Save(program.steam2(), folder, QStringLiteral("press-Steam2"));
    ok &= Save(program.steam3(), folder, QStringLiteral("press-Steam3"));

    program.showHelp();
    ok &= Save(program.frmHelp(), folder, QStringLiteral("frmHelp"));
    program.showAbout();
    ok &= Save(program.frmAbout(), folder, QStringLiteral("frmAbout"));

    if (!pagesFile.isEmpty()) {
        const QImage pages = PagesPicture({program.frmMain(), program.steam2(), program.steam3()});
        const bool saved = pages.save(pagesFile);
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(pagesFile));
        ok &= saved;
    }
    if (!messages.texts.isEmpty()) {
        std::fprintf(stderr, "the press showed: %s\n", qPrintable(messages.texts.join(" / ")));
    }
    return ok ? 0 : 1;
}
