// The removal window and the progress window offscreen: the code check, the window's own limit handed
// to the process whatever the shared period says meanwhile, and the closing count.
#include "maintenance/widgets/RemovalWindow.h"
#include "maintenance/widgets/MaintenanceProcedures.h"
#include "maintenance/widgets/ProcessWindow.h"

#include "data/Context.h"
#include "data/Database.h"
#include "data/Table.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "shell/Globals.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/DateEntry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <filesystem>

namespace nakva {

namespace {

namespace fs = std::filesystem;

} // namespace

class RemovalWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    std::unique_ptr<Database> database;
    ScriptedMessages messages;
    std::unique_ptr<ScopedMessageSink> sink;
    ProcedureRegistry procedures;

    void registration(int number, Date entered, bool departed) {
        Context context(*database);
        Table& table = context.table(TableId::Saskait);
        table.open();
        table.clear();
        table.record().set(SAS::IrasoNr, number);
        table.record().set(SAS::IrasoDt, entered);
        QVERIFY(table.record().set(SAS::Isvykes, departed ? 1 : 0));
        QCOMPARE(table.add(), StoreStatus::Ok);
        table.close();
    }

    int registrations() {
        Context context(*database);
        Table& table = context.table(TableId::Saskait);
        table.open();
        std::int64_t count = 0;
        table.recordCount(count);
        table.close();
        return int(count);
    }

    // Waits, bounded, until the window is gone.
    static bool gone(QPointer<QWidget> window) {
        for (int i = 0; i < 500 && window; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QTest::qWait(5);
        }
        return !window;
    }

private slots:
    void init() {
        database =
            std::make_unique<Database>(fs::path(folder.path().toStdString()) / QTest::currentTestFunction());
        fs::create_directories(database->workingFolder());
        glo() = Globals{};
        glo().EINDT = dateFromYmd(2026, 12, 7);
        messages.clear();
        sink = std::make_unique<ScopedMessageSink>(messages);
        procedures = ProcedureRegistry{};
        registerMaintenanceProcedures(procedures, *database);
    }

    void cleanup() {
        sink.reset();
        database.reset();
    }

    void opensWithLastYearsEndAndAnEmptyCode() {
        auto* window = qobject_cast<RemovalWindow*>(procedures.create("SalintiSenus"));
        QVERIFY(window != nullptr);
        QCOMPARE(window->windowTitle(), QString("PAŠALINTI SENUS REGISTRACIJOS ĮRAŠUS"));
        QCOMPARE(window->dateEntry()->edit()->text(), QString("2025-12-31"));
        QVERIFY(window->codeEntry()->text().isEmpty());
        QCOMPARE(window->dateEntry()->calendarButton()->toolTip(),
                 QString("Pasirinkti datą iš kalendoriaus Ctrl-Down"));
        // The shared period is left alone until the removal runs.
        QCOMPARE(glo().GalDt, NoDate);
        delete window;
    }

    void aWrongCodeKeepsTheWindowAndRemovesNothing() {
        registration(1, dateFromYmd(2020, 1, 1), true);
        auto* window = qobject_cast<RemovalWindow*>(procedures.create("SalintiSenus"));
        window->show();
        window->codeEntry()->setText(" KT7315");
        window->findChild<QPushButton*>("removeButton")->click();
        QCOMPARE(messages.texts(), std::vector<std::string>{"Neteisingas apsaugos kodas."});
        QVERIFY(window->progress() == nullptr);
        QCOMPARE(registrations(), 1);
        QPointer<QWidget> closing(window);
        window->findChild<QPushButton*>("keepButton")->click();
        QVERIFY(gone(closing));
        QCOMPARE(registrations(), 1);
    }

    // The window's date goes to the process: a period dialog elsewhere setting the shared end far
    // ahead meanwhile does not widen the removal; the shared period is the removal's once it runs.
    void theWindowsOwnLimitIsRemovedUpTo() {
        registration(1, dateFromYmd(2024, 6, 30), true);
        registration(2, dateFromYmd(2024, 7, 1), true);
        registration(3, dateFromYmd(2010, 1, 1), false);
        auto* window = qobject_cast<RemovalWindow*>(procedures.create("SalintiSenus"));
        window->show();
        window->dateEntry()->setDate(dateFromYmd(2024, 6, 30));
        glo().PrDt = dateFromYmd(2026, 1, 1);
        glo().GalDt = dateFromYmd(2026, 12, 31);
        window->codeEntry()->setText("molbertas");
        QPointer<QWidget> closing(window);
        window->findChild<QPushButton*>("removeButton")->click();
        QVERIFY(window->progress() != nullptr);
        QCOMPARE(window->windowTitle(), QString("Processing Records"));
        QCOMPARE(window->progress()->findChild<QLabel*>("processText")->text(),
                 QString("Pašalinimai seni registracijos įrašai"));
        QCOMPARE(window->progress()->findChild<QLabel*>("progressLabel")->text(), QString("0% Completed"));
        QCOMPARE(glo().PrDt, NoDate);
        QCOMPARE(glo().GalDt, dateFromYmd(2024, 6, 30));
        QVERIFY(gone(closing));
        QCOMPARE(messages.texts(), std::vector<std::string>{"Baigta. Pašalinta įrašų:      1"});
        QCOMPARE(registrations(), 2);
    }

    // "Nuasmeninti duomenis" asks for the removal's code before it rewrites every payer, and says how
    // many it anonymised: started by mistake, it changes nothing.
    void anonymisationAsksForTheCodeAndSaysHowMany() {
        const auto firstPayer = [this] {
            Context context(*database);
            Table& payers = context.table(TableId::Klient);
            payers.open();
            std::string name;
            if (payers.setToKeyStart(KLI::KODKEY) == StoreStatus::Ok && payers.next() == StoreStatus::Ok) {
                name = payers.record().text(KLI::PAV.index);
            }
            payers.close();
            return QString::fromStdString(name);
        };
        {
            Context context(*database);
            Table& payers = context.table(TableId::Klient);
            payers.open();
            payers.clear();
            QVERIFY(payers.record().set(KLI::Kod, "Petraitis"));
            QVERIFY(payers.record().set(KLI::PAV, "Petraitis Petras"));
            QCOMPARE(payers.add(), StoreStatus::Ok);
            payers.close();
        }
        QPointer<QWidget> window(procedures.create("Nuasmeninti"));
        QCOMPARE(window->windowTitle(), QString("NUASMENINTI DUOMENIS"));
        window->show();
        QTest::qWait(20);
        QVERIFY(window->findChild<ProcessWindow*>() == nullptr); // nothing runs before the code
        auto* code = window->findChild<QLineEdit*>("codeEntry");
        auto* anonymise = window->findChild<QPushButton*>("anonymiseButton");
        QVERIFY(code != nullptr && anonymise != nullptr);
        QTest::keyClicks(code, "MOLBERTA");
        anonymise->click();
        QCOMPARE(messages.texts(), std::vector<std::string>{"Neteisingas apsaugos kodas."});
        QCOMPARE(firstPayer(), QString("Petraitis Petras"));

        messages.clear();
        code->setText("molbertas");
        anonymise->click();
        QCOMPARE(window->findChild<QLabel*>("processText")->text(), QString("Nuasmeninu klientus"));
        QCOMPARE(window->windowTitle(), QString("Apdorojamas failas Klient"));
        QVERIFY(gone(window));
        QCOMPARE(messages.texts(), std::vector<std::string>{"Baigta. Nuasmeninta mokėtojų: 1"});
        QCOMPARE(firstPayer(), QString("Klientas 1"));
    }
};

} // namespace nakva

QTEST_MAIN(nakva::RemovalWindowTest)
#include "RemovalWindowTest.moc"
