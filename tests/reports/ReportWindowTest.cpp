#include "reports/widgets/ReportWindow.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Transaction.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "preview/PreviewWindow.h"
#include "reports/ReportLayout.h"
#include "reports/ReportRun.h"
#include "reports/SpPaslSar.h"
#include "reports/widgets/ParameterDialogWindow.h"
#include "reports/widgets/ReportProcedures.h"
#include "shell/Globals.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "support/AnswerOf.h"
#include "support/PreviewAnswers.h"
#include "ui/widgets/DateEntry.h"
#include "ui/widgets/FileDialogs.h"
#include "ui/widgets/SelectionLists.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <functional>

namespace nakva {

namespace {

namespace fs = std::filesystem;

// Runs `action` on the parameter dialog once it is open (it opens as its call returns).
void whenDialogOpens(std::function<void(ParameterDialogWindow&)> action) {
    QTimer::singleShot(0, [action] {
        ParameterDialogWindow* dialog = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* shown = qobject_cast<ParameterDialogWindow*>(widget);
                shown != nullptr && shown->isVisible()) {
                dialog = shown;
            }
        }
        QVERIFY(dialog != nullptr);
        action(*dialog);
    });
}

DateEntry& dateEntry(ParameterDialogWindow& dialog, DialogField field) {
    return *static_cast<DateEntry*>(dialog.fieldWidget(field));
}

QLineEdit& lineEdit(ParameterDialogWindow& dialog, DialogField field) {
    return *static_cast<QLineEdit*>(dialog.fieldWidget(field));
}

void type(QLineEdit& edit, const QString& text) {
    edit.setText(text);
    edit.setModified(true);
}

// A report window still there (its run not over).
bool reportWindowLeft() {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (qobject_cast<ReportWindow*>(widget) != nullptr) {
            return true;
        }
    }
    return false;
}

// The services one a line, a report-style run: a cancel hands what it composed to the preview.
const ReportSpec& serviceLines() {
    static const ReportSpec definition{
        .name = "SpTestPasl",
        .title = "Paslaugos",
        .style = RunStyle::Report,
        .dialog = ParameterDialog::None,
        .table = PAS::table,
        .joins = {},
        .related = {},
        .filter = {},
        .order = "+PAS:Pav",
        .layout =
            [](ReportScope& scope) {
                const Record& service = scope.record(PAS::table);
                ReportLayout layout;
                layout.detail = {pt(12), {}, [&service](PageCanvas& canvas, const BandContext&) {
                                     canvas.text({mm(15), pt(10)}, service.get(PAS::Pav));
                                 }};
                return layout;
            },
    };
    return definition;
}

} // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    std::unique_ptr<Database> database;
    std::unique_ptr<Context> context;
    ScriptedMessages messages;
    std::unique_ptr<ScopedMessageSink> sink;

    void addService(const char* name) {
        Table& table = context->table(PAS::table);
        table.open();
        table.clear();
        QVERIFY(table.record().set(PAS::Pav, name));
        QCOMPARE(table.add(), StoreStatus::Ok);
        table.close();
    }

private slots:
    void init() {
        database =
            std::make_unique<Database>(fs::path(folder.path().toStdString()) / QTest::currentTestFunction());
        fs::create_directories(database->workingFolder());
        context = std::make_unique<Context>(*database);
        glo() = Globals{};
        glo().EINDT = dateFromYmd(2026, 12, 7);
        messages.clear();
        sink = std::make_unique<ScopedMessageSink>(messages);
    }

    void cleanup() {
        sink.reset();
        context.reset();
        database.reset();
    }

    void periodDialogProposesTheWorkingMonthAndBuildsTheCaption() {
        whenDialogOpens([](ParameterDialogWindow& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("NURODYKITE PERIODĄ:"));
            QCOMPARE(dateEntry(dialog, DialogField::StartDate).edit()->text(), QString("2026-12-01"));
            QCOMPARE(dateEntry(dialog, DialogField::EndDate).edit()->text(), QString("2026-12-31"));
            QCOMPARE(dialog.runButton()->text(), QString("&Vykdyti"));
            QCOMPARE(dialog.runButton()->toolTip(), QString("Išsaugoti pakeitimus ir uždaryti langą"));
            QCOMPARE(dialog.cancelButton()->text(), QString("&Nereikia"));
            QCOMPARE(dialog.cancelButton()->toolTip(), QString("Uždaryti langą neišsaugant pakeitimų"));
            QCOMPARE(dateEntry(dialog, DialogField::StartDate).edit()->toolTip(),
                     QString("Kalendoriaus iškvietimas su CtrlDown"));
            dialog.runButton()->click();
        });
        QCOMPARE(nakva::testing::answerOf([this](SelectDone done) {
                     askReportParameters(ParameterDialog::Period, *context, nullptr, std::move(done));
                 }),
                 std::make_optional(Response::Completed));
        QCOMPARE(QString::fromStdString(glo().PERIODAS), QString("Periodas:   2026-12-01 : 2026-12-31"));

        // March typed and run: the next dialog proposes March again.
        whenDialogOpens([](ParameterDialogWindow& dialog) {
            dateEntry(dialog, DialogField::StartDate).edit()->setText("2026-03-01");
            dateEntry(dialog, DialogField::EndDate).edit()->setText("2026-03-31");
            dialog.runButton()->click();
        });
        QCOMPARE(nakva::testing::answerOf([this](SelectDone done) {
                     askReportParameters(ParameterDialog::Period, *context, nullptr, std::move(done));
                 }),
                 std::make_optional(Response::Completed));
        whenDialogOpens([](ParameterDialogWindow& dialog) {
            QCOMPARE(dateEntry(dialog, DialogField::StartDate).edit()->text(), QString("2026-03-01"));
            QCOMPARE(dateEntry(dialog, DialogField::EndDate).edit()->text(), QString("2026-03-31"));
            dateEntry(dialog, DialogField::EndDate).edit()->setText("2026-02-01");
            dialog.cancelButton()->click();
        });
        QCOMPARE(nakva::testing::answerOf([this](SelectDone done) {
                     askReportParameters(ParameterDialog::Period, *context, nullptr, std::move(done));
                 }),
                 std::make_optional(Response::Cancelled));
        QCOMPARE(glo().GalDt, dateFromYmd(2026, 3, 31)); // nothing typed is kept
        QCOMPARE(QString::fromStdString(glo().PERIODAS), QString("Periodas:   2026-03-01 : 2026-03-31"));
    }

    void aDateThatIsNoDateKeepsTheDialogOpen() {
        whenDialogOpens([this](ParameterDialogWindow& dialog) {
            dateEntry(dialog, DialogField::EndDate).edit()->setText("2026-02-30");
            dialog.runButton()->click();
            QVERIFY(dialog.isVisible());
            QCOMPARE(messages.shown().size(), std::size_t(1));
            dateEntry(dialog, DialogField::EndDate).edit()->setText("2026-02-28");
            dialog.runButton()->click();
        });
        QCOMPARE(nakva::testing::answerOf([this](SelectDone done) {
                     askReportParameters(ParameterDialog::EndDate, *context, nullptr, std::move(done));
                 }),
                 std::make_optional(Response::Completed));
        QCOMPARE(glo().PrDt, NoDate); // the end-date dialog proposes no start
        QCOMPARE(glo().GalDt, dateFromYmd(2026, 2, 28));
        QCOMPARE(glo().PERIODAS, std::string()); // the end-date dialog builds no caption
    }

    void aGroupNotInItsTableOpensTheListAndTakesTheChoice() {
        int calls = 0;
        Response answer = Response::Cancelled;
        addSelectionList("SarGrup", [&](Context& on, QWidget*, SelectDone done) {
            ++calls;
            if (answer == Response::Completed) {
                (void)on.table(GRP::table).record().set(GRP::Grupe, "Sportininkai");
            }
            done(answer);
        });
        glo().Grupe = "Ankstesnė";
        whenDialogOpens([&](ParameterDialogWindow& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("NURODYKITE PARAMETRUS:"));
            QLineEdit& group = lineEdit(dialog, DialogField::Group);
            QCOMPARE(group.text(), QString()); // emptied on opening
            QCOMPARE(dialog.lookUpButton(DialogField::Group)->toolTip(),
                     QString("Atverčia sarašą reikšmei pasirinkti"));
            type(group, "Nėra tokios");
            dialog.runButton()->click(); // the list opens and is cancelled: the field as before
            QCOMPARE(calls, 1);
            QVERIFY(dialog.isVisible());
            QCOMPARE(group.text(), QString());
            answer = Response::Completed;
            type(group, "Nėra tokios");
            dialog.runButton()->click();
        });
        QCOMPARE(nakva::testing::answerOf([this](SelectDone done) {
                     askReportParameters(ParameterDialog::Journal, *context, nullptr, std::move(done));
                 }),
                 std::make_optional(Response::Completed));
        QCOMPARE(calls, 2);
        QCOMPARE(QString::fromStdString(glo().Grupe), QString("Sportininkai"));
    }

    void serviceNameDialogPresetsItsNameAndCancelsWithNutraukti() {
        whenDialogOpens([](ParameterDialogWindow& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("NURODYKITE PASLAUGOS PAVADINIMĄ:"));
            QCOMPARE(lineEdit(dialog, DialogField::SummaryServiceName).text(),
                     QString("Viešbučio paslaugos"));
            QCOMPARE(dialog.cancelButton()->text(), QString("Nutraukti"));
            QCOMPARE(dialog.cancelButton()->toolTip(), QString("Nutraukti veiksmą ir uždaryti langą"));
            dialog.cancelButton()->click();
        });
        QCOMPARE(nakva::testing::answerOf([this](SelectDone done) {
                     askReportParameters(ParameterDialog::ServiceName, *context, nullptr, std::move(done));
                 }),
                 std::make_optional(Response::Cancelled));
    }

    void serviceLedgerHasItsFlagsAndServiceLookUp() {
        whenDialogOpens([](ParameterDialogWindow& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("NURODYKITE ATASKAITOS PARAMETRUS"));
            QVERIFY(dialog.lookUpButton(DialogField::Service) != nullptr);
            auto* departed = static_cast<QCheckBox*>(dialog.fieldWidget(DialogField::IncludeDeparted));
            QCOMPARE(departed->text(), QString("Įtraukti išvykusius"));
            departed->setChecked(true);
            static_cast<QCheckBox*>(dialog.fieldWidget(DialogField::WithoutPrices))->setChecked(true);
            dialog.runButton()->click();
        });
        QCOMPARE(nakva::testing::answerOf([this](SelectDone done) {
                     askReportParameters(ParameterDialog::ServiceLedger, *context, nullptr, std::move(done));
                 }),
                 std::make_optional(Response::Completed));
        QVERIFY(glo().SuIsvykusiais);
        QVERIFY(glo().BEKAINU);
    }

    void runFromAListShowsProgressThenThePreviewAndLeavesNoPageFiles() {
        addService("Pirtis");
        addService("Ąžuolo kubilas");
        PageList shown;
        closePreviewWhenItOpens(shown);
        QString caption;
        QTimer::singleShot(0, [&caption] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* window = qobject_cast<ReportWindow*>(widget)) {
                    caption = window->windowTitle();
                    QCOMPARE(window->cancelButton()->text(), QString("Nutraukti"));
                }
            }
        });
        runReport(SpPaslSar(), *context, nullptr);
        QTRY_VERIFY(!reportWindowLeft());
        QCOMPARE(caption, QString("Formuojama ataskaita"));
        QCOMPARE(shown.size(), std::size_t(1));
        QVERIFY(messages.shown().empty());
        // The run discards its page files once the preview has closed.
        QVERIFY(!fs::exists(shown[0]));
        QVERIFY(!fs::exists(shown[0].parent_path()));
    }

    // A long run started from a list comes to the front with "Nutraukti" at hand once its parameters
    // are given; the button or Esc stops it at once: no preview, the list free again.
    void nutrauktiStopsALongRunFromTheFront() {
        Table& services = context->table(PAS::table);
        services.open();
        for (const bool escape : {false, true}) {
            {
                Transaction adding(*context);
                QCOMPARE(adding.begin({PAS::table}), StoreStatus::Ok);
                for (int i = 0; i < 1500; ++i) {
                    services.clear();
                    QVERIFY(services.record().set(PAS::Pav, "Paslauga " + std::to_string(escape) +
                                                                std::to_string(10000 + i)));
                    QCOMPARE(services.add(), StoreStatus::Ok);
                }
                QCOMPARE(adding.commit(), StoreStatus::Ok);
            }
            ProcedureRegistry procedures;
            procedures.add("Sarasas", [] { return new QWidget; });
            MainWindow frame(procedures, [] { return std::string(); });
            frame.resize(1000, 700);
            frame.show();
            QVERIFY(QTest::qWaitForWindowActive(&frame));
            QMdiSubWindow* list = frame.startProcedure("Sarasas");
            runReport(SpPaslSar(), *context, list->widget());
            ReportWindow* report = frame.findChild<ReportWindow*>();
            QVERIFY(report != nullptr);
            while (report->run().recordsRead() == 0) {
                QCoreApplication::processEvents(QEventLoop::AllEvents);
            }
            QCOMPARE(frame.mdiArea()->activeSubWindow()->widget(), static_cast<QWidget*>(report));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(report->cancelButton()));
            if (escape) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            } else {
                report->cancelButton()->click();
            }
            QTRY_VERIFY(!reportWindowLeft());
            QVERIFY(frame.findChild<PreviewWindow*>() == nullptr);
            QTRY_VERIFY(list->isEnabled());
        }
        services.close();
    }

    // A process-style run that selects nothing says so in the status line: no message, no preview.
    void aProcessRunThatSelectsNothingSaysSoInTheStatusLine() {
        ProcedureRegistry procedures;
        MainWindow frame(procedures, [] { return std::string(); });
        frame.show();
        runReport(SpPaslSar(), *context, &frame);
        QTRY_VERIFY(!reportWindowLeft());
        QVERIFY(messages.shown().empty());
        QCOMPARE(frame.statusBar()->currentMessage(),
                 QString::fromUtf8(SpPaslSar().title.data(), qsizetype(SpPaslSar().title.size())) +
                     QStringLiteral(": nėra duomenų, tenkinančių ataskaitos sąlygas."));
    }

    // "Nutraukti" part-way: the preview shows the pages composed so far, and neither of its print
    // controls prints them.
    void aCancelledRunsPreviewShowsItsPagesButCannotPrintThem() {
        addService("Masažas");
        addService("Pirtis");
        auto* window = new ReportWindow(serviceLines(), *context);
        window->run().start(glo());
        QVERIFY(window->run().advance(1)); // one of the two read
        bool printEnabled = true;
        bool partEnabled = true;
        int result = 0;
        int total = 0;
        QString totalText;
        std::function<void()> answer = [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* preview = qobject_cast<PreviewWindow*>(widget); preview && preview->isVisible()) {
                    printEnabled = preview->action(PreviewControl::Print)->isEnabled();
                    partEnabled = preview->action(PreviewControl::PrintPart)->isEnabled();
                    preview->press(PreviewControl::Print);
                    result = preview->state().result();
                    total = preview->state().total();
                    totalText = preview->findChild<QLabel*>("totalZone")->text();
                    preview->press(PreviewControl::Close);
                    return;
                }
            }
            QTimer::singleShot(10, answer);
        };
        QTimer::singleShot(0, answer);
        window->cancelButton()->click();
        QTRY_VERIFY(!reportWindowLeft());
        QCOMPARE(total, 1);
        QVERIFY(!printEnabled);
        QVERIFY(!partEnabled);
        QCOMPARE(result, int(PreviewNoPrint));
        QCOMPARE(totalText, QString("Iš viso lapų: 1 (ataskaita nutraukta)"));
    }

    void aProcessRunThatSelectsNothingOpensNoPreview() {
        runReport(SpPaslSar(), *context, nullptr);
        QTRY_VERIFY(!reportWindowLeft());
        QVERIFY(messages.shown().empty());
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            QVERIFY(qobject_cast<PreviewWindow*>(widget) == nullptr || !widget->isVisible());
        }
    }

    // The main window itself runs a report (as the screenshots' invoice does): the progress opens
    // inside it, and it stays free.
    void aReportTheMainWindowRunsOpensInsideItAndLeavesItFree() {
        ProcedureRegistry procedures;
        MainWindow frame(procedures, [] { return std::string(); });
        frame.show();
        runReport(SpPaslSar(), *context, &frame);
        QCOMPARE(frame.mdiArea()->subWindowList().size(), 1);
        QVERIFY(frame.isEnabled());
        QTRY_VERIFY(!reportWindowLeft());
        QVERIFY(frame.isEnabled());
        QTRY_COMPARE(frame.mdiArea()->subWindowList().size(), 0);
    }

    void aListRunsAnInvoiceByNameOnItsHighlightedRegistration() {
        Table& registrations = context->table(SAS::table);
        registrations.open();
        for (const int number : {1, 2}) {
            registrations.clear();
            registrations.record().set(SAS::IrasoNr, number);
            registrations.record().set(SAS::SaskNr, number);
            QCOMPARE(registrations.add(), StoreStatus::Ok);
        }
        Table& lines = context->table(SEI::table);
        lines.open();
        lines.clear();
        lines.record().set(SEI::SEILID, 1);
        lines.record().set(SEI::IrasoNr, 2);
        QCOMPARE(lines.add(), StoreStatus::Ok);
        lines.close();

        // The list's current row in the buffer: registration 2, whose invoice has a line.
        PageList shown;
        closePreviewWhenItOpens(shown);
        runCatalogReport("SpDidSask", *context, nullptr);
        QTRY_VERIFY(!reportWindowLeft());
        QCOMPARE(shown.size(), std::size_t(1));
        QVERIFY(messages.shown().empty());

        // Registration 1 has none: a message, and no preview.
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, 1);
        QCOMPARE(registrations.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
        runCatalogReport("SpDidSask", *context, nullptr);
        QTRY_VERIFY(!reportWindowLeft());
        registrations.close();
        QCOMPARE(messages.shown().size(), std::size_t(1));
        QVERIFY(QString::fromStdString(messages.shown()[0].text).startsWith("Sąskaitoje nėra"));

        runCatalogReport("SpNera", *context, nullptr);
        QCOMPARE(messages.shown().size(), std::size_t(2));
        QVERIFY(QString::fromStdString(messages.shown()[1].text).contains("SpNera"));
    }

    void theMenuStartsEachReportInAChildWindowThatGoesWithItsPreview() {
        Table& payers = context->table(KLI::table);
        payers.open();
        payers.clear();
        QVERIFY(payers.record().set(KLI::Kod, "UAB1"));
        QCOMPARE(payers.add(), StoreStatus::Ok);
        payers.close();

        ProcedureRegistry procedures;
        registerReportProcedures(procedures, *database);
        QVERIFY(procedures.contains("SpPaslSar"));
        QVERIFY(procedures.contains("SpSaskSuvData")); // "Sąskaitų žiniaraštis"
        QVERIFY(!procedures.contains("SpDidSask"));    // only on a list's current registration
        MainWindow frame(procedures, [] { return std::string(); });
        frame.show();
        // The preview is answered once it has opened.
        bool progressHidden = false;
        int total = 0;
        QPointer<QMdiSubWindow> report;
        std::function<void()> answer = [&] {
            auto* preview = frame.findChild<PreviewWindow*>();
            if (preview == nullptr) {
                QTimer::singleShot(10, answer);
                return;
            }
            progressHidden = report && !report->isVisible();
            total = preview->state().total();
            preview->press(PreviewControl::Close);
        };
        QTimer::singleShot(0, answer);
        report = frame.startProcedure("SpKliSar");
        QVERIFY(report);
        QTRY_VERIFY(report.isNull());
        QVERIFY(progressHidden); // the progress window closed before the preview opened
        QCOMPARE(total, 1);
        QTRY_COMPARE(frame.mdiArea()->subWindowList().size(), 0);
    }

    // "Ataskaitos → i.SAF išrašytų sąskaitų registras": last month proposed, the file named by the
    // seller and the month, the register written and told of; then the window goes.
    void theIsafMenuItemAsksForThePeriodAndTheFileAndTellsWhatItWrote() {
        database->istgPar().set(IST::ISTG1, "Įm. k. 302345678, PVM k. LT100004567890");
        Table& registrations = context->table(SAS::table);
        registrations.open();
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, 1);
        QVERIFY(registrations.record().set(SAS::SaskSer, "AB"));
        registrations.record().set(SAS::SaskNr, 7);
        registrations.record().set(SAS::SaskDt, dateFromYmd(2026, 11, 20));
        QVERIFY(registrations.record().set(SAS::Gyventojas, "Ona Petraitienė"));
        QCOMPARE(registrations.add(), StoreStatus::Ok);
        registrations.close();
        Table& lines = context->table(SEI::table);
        lines.open();
        lines.clear();
        lines.record().set(SEI::SEILID, 1);
        lines.record().set(SEI::IrasoNr, 1);
        QVERIFY(lines.record().set(SEI::PVMPROC, Decimal(21)));
        QVERIFY(lines.record().set(SEI::SUMA, *Decimal::parse("12.10")));
        QVERIFY(lines.record().set(SEI::PVMSUMA, *Decimal::parse("2.10")));
        QVERIFY(lines.record().set(SEI::SUMABEPVM, Decimal(10)));
        QCOMPARE(lines.add(), StoreStatus::Ok);
        lines.close();

        const QString target = QString::fromStdString((database->workingFolder() / "lapkritis.xml").string());
        ScriptedFileDialogs files;
        files.answerNext(target);
        const ScopedFileDialogs scopedFiles(files);
        ProcedureRegistry procedures;
        registerReportProcedures(procedures, *database);
        MainWindow frame(procedures, [] { return std::string(); });
        frame.show();
        Date proposedFrom = NoDate;
        Date proposedTo = NoDate;
        // The dialog is answered once the window has opened it.
        std::function<void()> answer = [&] {
            ParameterDialogWindow* dialog = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* shown = qobject_cast<ParameterDialogWindow*>(widget); shown && shown->isVisible()) {
                    dialog = shown;
                }
            }
            if (dialog == nullptr) {
                QTimer::singleShot(10, answer);
                return;
            }
            proposedFrom = dateEntry(*dialog, DialogField::StartDate).date();
            proposedTo = dateEntry(*dialog, DialogField::EndDate).date();
            dialog->runButton()->click();
        };
        QTimer::singleShot(0, answer);
        QPointer<QMdiSubWindow> window = frame.startProcedure("ISafRegistras");
        QVERIFY(window);
        QTRY_VERIFY(window.isNull());
        QCOMPARE(proposedFrom, dateFromYmd(2026, 11, 1));
        QCOMPARE(proposedTo, dateFromYmd(2026, 11, 30));
        QCOMPARE(files.requests().size(), 1);
        QCOMPARE(files.requests()[0].defaultName, QString("iSAF_302345678_2026-11.xml"));
        QCOMPARE(messages.shown().size(), std::size_t(1));
        QCOMPARE(messages.shown()[0].title, std::string("i.SAF išrašytų sąskaitų registras"));
        QCOMPARE(QString::fromStdString(messages.shown()[0].text),
                 "i.SAF failas išsaugotas: " + target + ". Jame sąskaitų: 1 (2026-11-01 – 2026-11-30).");
        QVERIFY(fs::exists(target.toStdString()));
        QTRY_COMPARE(frame.mdiArea()->subWindowList().size(), 0);
    }
};

} // namespace nakva

QTEST_MAIN(nakva::ReportWindowTest)
#include "ReportWindowTest.moc"
