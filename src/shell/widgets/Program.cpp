#include "shell/widgets/Program.h"

#include "messages/Message.h"
#include "messages/MessageWindowSink.h"
#include "shell/widgets/HelpViewer.h"
#include "shell/widgets/KeypadPeriodFilter.h"
#include "ui/Help.h"

#include <QFont>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace nakva {

ProgramApplication::ProgramApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("NAKVA"));
    setApplicationVersion(QStringLiteral(NAKVA_VERSION));
}

bool ProgramApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const ProgramStop& stop) {
        stopProgram(stop);
        return true;
    }
}

void applyProgramSettings(QApplication& application) {
    // 1. Help: the guide in one viewer for the whole program.
    setHelpHandler([](std::string_view topic) {
        static QPointer<HelpViewer> viewer;
        if (!viewer) {
            viewer = new HelpViewer;
            viewer->setAttribute(Qt::WA_DeleteOnClose);
        }
        viewer->showTopic(topic);
    });

    // 2. Qt's own dialogs in Lithuanian: Qt's translation, then the program's own for what it lacks.
    auto* qtTranslation = new QTranslator(&application);
    if (qtTranslation->load(QStringLiteral("qt_lt"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qtTranslation);
    }
    auto* ownTranslation = new QTranslator(&application);
    if (ownTranslation->load(QStringLiteral(":/i18n/nakva_lt.qm"))) {
        QCoreApplication::installTranslator(ownTranslation);
    }

    // 3. Window text: a font with every Lithuanian letter.
    QFont font(QStringLiteral("DejaVu Sans"), 9);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);

    // 4. The keypad's decimal key types a period.
    application.installEventFilter(new KeypadPeriodFilter(&application));

    // 5. Every message through the program's own message window.
    static MessageWindowSink messageWindow;
    setMessageSink(&messageWindow);
}

int stopProgram(const ProgramStop& stop) {
    MessageRequest request;
    request.text = stop.text;
    request.icon = MessageIcon::Information;
    showMessage(request);
    QCoreApplication::exit(1);
    return 1;
}

} // namespace nakva
