#include "shell/widgets/AboutWindow.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "shell/widgets/Program.h"
#include "ui/Help.h"
#include "ui/widgets/CalendarWindow.h"

#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include <cstdio>

// Takes the pictures of the user guide and the README from the running frame, under a virtual display
// (scripts/screenshots.sh): the main window with a menu open, the calendar, the About window and the
// help viewer. Usage: nakva-screenshots <folder>
namespace {

void pause(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(const QDir& folder, const QString& name, const QRect& area) {
    pause(400);
    const QPixmap shot =
        QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const QString path = folder.filePath(name);
    if (!shot.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

QAction* menuAction(QWidget* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    nakva::ProgramApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: nakva-screenshots <folder>\n");
        return 2;
    }
    nakva::applyProgramSettings(application);
    QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = folder.mkpath(QStringLiteral("."));

    nakva::ProcedureRegistry procedures;
    nakva::MainWindow window(procedures, [] { return std::string("UAB „Pajūrio svečių namai“"); });
    window.move(0, 0);
    window.resize(1000, 640);
    window.show();
    pause(300);

    // The main window with "Žinynai" open and "Paslaugos" highlighted: its hint in the status line.
    QAction* references = menuAction(window.menuBar(), QStringLiteral("Žinynai"));
    window.menuBar()->setActiveAction(references);
    pause(300);
    QMenu* menu = references->menu();
    menu->setActiveAction(menuAction(menu, QStringLiteral("Paslaugos")));
    ok = save(folder, QStringLiteral("main-window.png"), window.frameGeometry()) && ok;
    menu->close();
    pause(200);

    QTimer::singleShot(0, [&] {
        QWidget* calendar = QApplication::activeModalWidget();
        ok = save(folder, QStringLiteral("calendar.png"), calendar->frameGeometry()) && ok;
        calendar->close();
    });
    nakva::pickDate(nakva::dateFromYmd(2025, 4, 20), &window);

    nakva::AboutWindow about(QStringLiteral("UAB „Pajūrio svečių namai“"), &window);
    QTimer::singleShot(0,
                       [&] { ok = save(folder, QStringLiteral("about.png"), about.frameGeometry()) && ok; });
    about.exec();

    nakva::showHelp();
    QWidget* help = nullptr;
    for (QWidget* candidate : QApplication::topLevelWidgets()) {
        if (candidate->objectName() == QStringLiteral("helpViewer") && candidate->isVisible()) {
            help = candidate;
        }
    }
    ok = help != nullptr && save(folder, QStringLiteral("help.png"), help->frameGeometry()) && ok;
    return ok ? 0 : 1;
}
