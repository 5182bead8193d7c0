// The program's windows together in the main window of a small screen, offscreen: every window the
// menu opens, the record form of every list that inserts, and every form other windows open by name,
// lie inside the main window's area, their title bars and their "Išsaugoti" and "Nutraukti" in view.
#include "data/Context.h"
#include "data/Database.h"
#include "data/Table.h"
#include "frontdesk/widgets/FrontDeskProcedures.h"
#include "maintenance/widgets/MaintenanceProcedures.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "reference/widgets/ReferenceProcedures.h"
#include "registration/widgets/RegistrationWindows.h"
#include "reports/widgets/ReportProcedures.h"
#include "roomservice/widgets/RoomServiceWindows.h"
#include "shell/Globals.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/RecordForms.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <set>
#include <string>

namespace nakva {

class WindowsFitTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    std::unique_ptr<Database> database;
    ScriptedMessages messages;
    ScopedMessageSink guard{messages};
    ProcedureRegistry procedures;

    static FormWindow* shownForm() {
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* form = qobject_cast<FormWindow*>(widget); form != nullptr && form->isVisible()) {
                return form;
            }
        }
        return nullptr;
    }

    static void settle() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
    }

    // The window's frame lies in the area's view, its title bar included.
    static bool inside(const QWidget* frame, const QMdiArea* area, const QString& name) {
        const QRect room = area->viewport()->rect();
        if (!room.contains(frame->geometry())) {
            qWarning("%s: %d,%d %dx%d outside %dx%d", qPrintable(name), frame->x(), frame->y(),
                     frame->width(), frame->height(), room.width(), room.height());
            return false;
        }
        return true;
    }

    // The form's frame in the area, and its buttons shown whole inside it.
    static void checkForm(FormWindow* form, const QMdiArea* area) {
        const QString name = form->objectName();
        auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget());
        QVERIFY2(frame != nullptr, qPrintable(name));
        QVERIFY(inside(frame, area, name));
        // The form has the room it needs inside its frame, and its buttons lie whole inside the form.
        qWarning("%s frame %dx%d form %dx%d hint %dx%d min %dx%d", qPrintable(name), frame->width(),
                 frame->height(), form->width(), form->height(), form->sizeHint().width(),
                 form->sizeHint().height(), form->minimumSizeHint().width(),
                 form->minimumSizeHint().height());
        QVERIFY2(form->height() >= form->minimumSizeHint().height(), qPrintable(name));
        QVERIFY2(form->width() >= form->minimumSizeHint().width(), qPrintable(name));
        for (QPushButton* button : {form->saveButton(), form->cancelButton()}) {
            QVERIFY2(button->isVisible(), qPrintable(name));
            const QRect inForm(button->mapTo(form, QPoint(0, 0)), button->size());
            QVERIFY2(form->rect().contains(inForm), qPrintable(name + " " + button->text()));
            const QRect shown(button->mapTo(area->viewport(), QPoint(0, 0)), button->size());
            QVERIFY2(frame->geometry().contains(shown), qPrintable(name + " " + button->text()));
        }
    }

    static void closeForm(FormWindow* form) {
        form->cancelButton()->click();
        settle();
    }

private slots:
    void initTestCase() {
        database = std::make_unique<Database>(folder.path().toStdString());
        glo().EINDT = dateFromYmd(2026, 12, 7);
        registerReferenceProcedures(procedures, *database);
        registerRoomServiceWindows(procedures, *database);
        registerRegistrationProcedures(procedures, *database);
        registerReportProcedures(procedures, *database);
        registerMaintenanceProcedures(procedures, *database);
        registerFrontDeskProcedures(procedures, *database);
    }

    void everyWindowAndFormFitsTheMainWindow_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("1000x700") << QSize(1000, 700);
    }

    void everyWindowAndFormFitsTheMainWindow() {
        QFETCH(QSize, size);
        MainWindow window(procedures, {});
        window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QMdiArea* area = window.mdiArea();
        std::set<QString> forms;
        for (const std::string& name : procedures.names()) {
            QMdiSubWindow* child = window.startProcedure(name);
            QVERIFY2(child != nullptr, name.c_str());
            QVERIFY(inside(child, area, QString::fromStdString(name)));
            if (auto* list = qobject_cast<ListWindow*>(child->widget());
                list != nullptr && list->insertButton()->isVisible() && list->insertButton()->isEnabled()) {
                list->insertButton()->click();
                FormWindow* form = shownForm();
                QVERIFY2(form != nullptr, name.c_str());
                checkForm(form, area);
                forms.insert(form->objectName());
                closeForm(form);
            }
            if (auto* form = qobject_cast<FormWindow*>(child->widget())) {
                checkForm(form, area);
                forms.insert(form->objectName());
            }
            child->close();
            settle();
        }
        // The forms other windows open by name, from the current registrations list.
        QMdiSubWindow* caller = window.startProcedure("SarSaskait");
        auto* list = qobject_cast<ListWindow*>(caller->widget());
        QVERIFY(list != nullptr);
        for (const std::string& name : recordFormNames()) {
            list->engine().context().table(TableId::Saskait).clear();
            callRecordForm(name, list->engine().context(), Request::Insert, list, [](FormResult) {});
            FormWindow* form = shownForm();
            QVERIFY2(form != nullptr, name.c_str());
            checkForm(form, area);
            forms.insert(form->objectName());
            closeForm(form);
        }
        caller->close();
        settle();
        // Among them the tallest and the widest: the invoice line form with its schedule, the
        // registration form, the settings.
        for (const char* tall : {"UpdateSaskeil", "RedSaskait", "RedIstgPar", "RedKmbVal", "UpdateSaskKmb"}) {
            QVERIFY2(forms.contains(QString::fromLatin1(tall)), tall);
        }
    }
};

} // namespace nakva

QTEST_MAIN(nakva::WindowsFitTest)
#include "WindowsFitTest.moc"
