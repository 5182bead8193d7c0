#include "shell/widgets/Program.h"
#include "messages/MessageWindowSink.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"

#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace nakva {
namespace {

// A window whose event handling stops the program, as a table that cannot be opened does.
class StoppingWidget : public QWidget {
protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) {
            throw ProgramStop{"Failas sugadintas !"};
        }
        return QWidget::event(event);
    }
};

int argc = 1;
char name[] = "nakva_program_tests";
char* argv[] = {name, nullptr};

TEST(Program, SettingsAndAStopInsideAnEventHandler) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no screen needed
    }
    ProgramApplication application(argc, argv);
    applyProgramSettings(application);

    EXPECT_NE(dynamic_cast<MessageWindowSink*>(&messageSink()), nullptr);
    EXPECT_EQ(QApplication::font().family(), QStringLiteral("DejaVu Sans"));
    // Qt's standard buttons carry the program's button names.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("&Baigti"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("&Gerai"));
    // Qt's own translation is loaded too.
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));

    ScriptedMessages messages;
    ScopedMessageSink sink(messages);
    StoppingWidget window;
    QTimer::singleShot(0, [&window] { QCoreApplication::postEvent(&window, new QEvent(QEvent::User)); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(0); }); // the stop failed to end the program
    EXPECT_EQ(QApplication::exec(), 1);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Failas sugadintas !"});
}

} // namespace
} // namespace nakva
