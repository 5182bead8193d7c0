// The services list started from the main window's menu and driven through keys and its buttons, on
// real files in a temporary folder.
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "reference/widgets/ReferenceProcedures.h"
#include "reports/widgets/ParameterDialogWindow.h"
#include "shell/Globals.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "support/AddRecord.h"
#include "support/AnswerOf.h"
#include "support/PreviewAnswers.h"
#include "ui/widgets/CalledWindow.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <map>
#include <memory>
#include <optional>

using namespace nakva;

namespace {

QAction* menuAction(QWidget* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

QLineEdit* edit(FormWindow& form, int item) {
    if (auto* combo = qobject_cast<QComboBox*>(form.itemWidget(item))) {
        return combo->lineEdit();
    }
    return qobject_cast<QLineEdit*>(form.itemWidget(item));
}

// The form's items by what they edit.
enum Item { Name = 0, Group = 3, Unit = 4, PriceWithVat = 5, Vat = 6, PriceWithoutVat = 7 };

} // namespace

class ServiceWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void theMenuItemOpensTheListWithItsTabsAndCommands();
    void aNewServiceIsTypedWithItsGroupsNameAndItsPriceWithoutVatShown();
    void theCopyOpensTheFormOnItAndCancellingRemovesIt();
    void theGroupTabShowsTheTypedGroupWithItsName();
    void theNameLocatorIgnoresLetterCase();
    void theServiceBookIsTheHighlightedServices();
    void aCallerChoosesAServiceFromTheListOpenedAtItsValue();

private:
    ListWindow* openList();
    FormWindow* openForm() const;
    void add(TableId id, const std::map<std::string, std::string>& values);

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<Database> database_;
    ProcedureRegistry procedures_;
    std::unique_ptr<MainWindow> window_;
    ScriptedMessages messages_;
    std::unique_ptr<ScopedMessageSink> sink_;
};

void ServiceWindowsTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    database_ = std::make_unique<Database>(folder_->path().toStdString());
    QVERIFY(database_->istgPar().setText("IST:PVMPROC", "21").ok());
    procedures_ = ProcedureRegistry();
    registerReferenceProcedures(procedures_, *database_);
    messages_.clear();
    sink_ = std::make_unique<ScopedMessageSink>(messages_);
    add(TableId::PaslGrp, {{"PGRP:IrasoNr", "1"}, {"PGRP:GrpPav", "Maitinimas"}});
    add(TableId::PaslGrp, {{"PGRP:IrasoNr", "2"}, {"PGRP:GrpPav", "Pramogos"}});
    window_ = std::make_unique<MainWindow>(procedures_, [] { return std::string(); });
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void ServiceWindowsTest::cleanup() {
    window_.reset();
    sink_.reset();
    database_.reset();
    folder_.reset();
}

void ServiceWindowsTest::add(TableId id, const std::map<std::string, std::string>& values) {
    addRecord(*database_, id, {values.begin(), values.end()});
}

ListWindow* ServiceWindowsTest::openList() {
    QMdiSubWindow* child = window_->startProcedure("SarPaslaug");
    auto* list = child != nullptr ? qobject_cast<ListWindow*>(child->widget()) : nullptr;
    if (list != nullptr) {
        list->table()->setFocus();
    }
    return list;
}

FormWindow* ServiceWindowsTest::openForm() const {
    return window_->mdiArea()->findChild<FormWindow*>();
}

namespace {

// Closes the form when a check inside its call has failed and left it open, so that the test fails
// rather than waits.
auto closingAfterwards(FormWindow* form) {
    return qScopeGuard([window = QPointer<FormWindow>(form)] {
        if (window) {
            window->cancelButton()->click();
        }
    });
}

} // namespace

void ServiceWindowsTest::theMenuItemOpensTheListWithItsTabsAndCommands() {
    QAction* references = menuAction(window_->menuBar(), QStringLiteral("Žinynai"));
    QVERIFY(references != nullptr);
    QAction* services = menuAction(references->menu(), QStringLiteral("Paslaugos"));
    QVERIFY(services != nullptr);
    services->trigger();

    const QList<QMdiSubWindow*> children = window_->mdiArea()->subWindowList();
    QCOMPARE(children.size(), 1);
    QCOMPARE(children[0]->windowTitle(), QStringLiteral("PASLAUGŲ SARAŠAS"));
    auto* list = qobject_cast<ListWindow*>(children[0]->widget());
    QVERIFY(list != nullptr);
    QCOMPARE(list->tabBar()->count(), 3);
    QCOMPARE(list->tabBar()->tabText(0), QStringLiteral("Pagal pavadinimą"));
    QCOMPARE(list->tabBar()->tabText(1), QStringLiteral("Pagal P-kodą"));
    QCOMPARE(list->tabBar()->tabText(2), QStringLiteral("Pagal grupę"));
    QPushButton* copy = list->commandButton("copyButton");
    QVERIFY(copy != nullptr);
    QCOMPARE(copy->text(), QStringLiteral("Kopijuoti"));
    QCOMPARE(copy->toolTip(), QStringLiteral("Kopijuoti įrašą"));
    QVERIFY(!copy->isEnabled()); // nothing to copy yet
    QPushButton* print = list->commandButton("printButton");
    QVERIFY(print != nullptr && print->menu() != nullptr);
    QCOMPARE(print->text(), QStringLiteral("Spausdinti..."));
    QCOMPARE(print->menu()->actions().size(), 2);
    QCOMPARE(print->menu()->actions()[0]->text(), QStringLiteral("Paslaugų sąrašą kainoraštį"));
    QCOMPARE(print->menu()->actions()[1]->text(), QStringLiteral("Paslaugos knygą"));
    QVERIFY(!list->selectButton()->isVisible()); // maintenance, not a selection
    QVERIFY(messages_.shown().empty());
}

void ServiceWindowsTest::aNewServiceIsTypedWithItsGroupsNameAndItsPriceWithoutVatShown() {
    ListWindow* list = openList();
    QVERIFY(list != nullptr);
    std::map<std::string, QString> seen;
    QTimer::singleShot(0, [&] {
        FormWindow* form = openForm();
        QVERIFY(form != nullptr);
        const auto closing = closingAfterwards(form);
        seen["title"] = form->windowTitle();
        seen["vat"] = edit(*form, Vat)->text();
        seen["unit"] = edit(*form, Unit)->text();
        QVERIFY(edit(*form, PriceWithoutVat)->isReadOnly());
        QTest::keyClicks(edit(*form, Name), QStringLiteral("Pusryciai"));
        edit(*form, Group)->setFocus();
        edit(*form, Group)->selectAll();
        QTest::keyClicks(edit(*form, Group), QStringLiteral("1"));
        QTest::keyClick(edit(*form, Group), Qt::Key_Tab);
        seen["group"] = form->besideText(Group)->text();
        edit(*form, PriceWithVat)->setFocus();
        edit(*form, PriceWithVat)->selectAll(); // as Tab into the field does
        QTest::keyClicks(edit(*form, PriceWithVat), QStringLiteral("12,1"));
        QTest::keyClick(edit(*form, PriceWithVat), Qt::Key_Tab);
        seen["without"] = edit(*form, PriceWithoutVat)->text();
        QTest::keyClick(edit(*form, Vat), Qt::Key_Return);
    });
    QTest::keyClick(list->table(), Qt::Key_Insert);
    QTRY_VERIFY(!waitsForCalledWindow(list)); // the form has answered

    QCOMPARE(seen["title"], QStringLiteral("Kuriamas naujas įrašas"));
    QCOMPARE(seen["vat"], QStringLiteral("21.00"));
    QCOMPARE(seen["unit"], QStringLiteral("LOVAD."));
    QCOMPARE(seen["group"], QStringLiteral("Maitinimas"));
    QCOMPARE(seen["without"], QStringLiteral("10.0000"));
    QVERIFY(messages_.shown().empty());
    QCOMPARE(list->engine().rows().size(), std::size_t(1));
    QCOMPARE(list->engine().rows()[0].cells,
             (std::vector<std::string>{"", "Pusryciai", "1", "LOVAD.", "12.1000", "21", "10.0000"}));
}

void ServiceWindowsTest::theCopyOpensTheFormOnItAndCancellingRemovesIt() {
    add(TableId::Paslaug, {{"PAS:Pav", "Pirtis"}, {"PAS:KAINSUPVM", "30"}});
    ListWindow* list = openList();
    QVERIFY(list != nullptr);
    std::map<std::string, QString> seen;
    QTimer::singleShot(0, [&] {
        FormWindow* form = openForm();
        QVERIFY(form != nullptr);
        const auto closing = closingAfterwards(form);
        seen["title"] = form->windowTitle();
        seen["name"] = edit(*form, Name)->text();
        QTest::keyClick(edit(*form, Name), Qt::Key_Escape);
    });
    list->commandButton("copyButton")->click();
    QTRY_VERIFY(!waitsForCalledWindow(list));

    QCOMPARE(seen["title"], QStringLiteral("Įrašas taisomas"));
    QCOMPARE(seen["name"], QStringLiteral("Pirtis~"));
    QCOMPARE(list->engine().rows().size(), std::size_t(1));
    QCOMPARE(list->engine().rows()[0].cells.at(1), std::string("Pirtis"));
}

// "Rasti pav.:" on the name order, which keeps letter case: a typed name is looked for as the letter
// locator looks, whatever its case.
void ServiceWindowsTest::theNameLocatorIgnoresLetterCase() {
    for (const char* name : {"Pirtis", "Sauna", "Skalbimas"}) {
        add(TableId::Paslaug, {{"PAS:Pav", name}});
    }
    ListWindow* list = openList();
    QVERIFY(list != nullptr);
    QCOMPARE(list->tabBar()->currentIndex(), 0);
    auto* entry = qobject_cast<QLineEdit*>(list->locatorEntry());
    QVERIFY(entry != nullptr);
    const struct {
        const char* typed;
        const char* found;
    } cases[] = {{"pir", "Pirtis"}, {"SKAL", "Skalbimas"}, {"sAu", "Sauna"}, {"Pi", "Pirtis"}};
    for (const auto& each : cases) {
        entry->setFocus();
        entry->selectAll();
        QTest::keyClicks(entry, QString::fromUtf8(each.typed));
        QTest::keyClick(entry, Qt::Key_Return);
        const ListEngine& engine = list->engine();
        const std::string found = engine.rows().at(std::size_t(engine.currentRow() - 1)).cells.at(1);
        QCOMPARE(QString::fromStdString(found + " for " + each.typed),
                 QString::fromStdString(std::string(each.found) + " for " + each.typed));
    }
}

void ServiceWindowsTest::theGroupTabShowsTheTypedGroupWithItsName() {
    add(TableId::Paslaug, {{"PAS:Pav", "Biliardas"}, {"PAS:PaslGrpNr", "2"}});
    add(TableId::Paslaug, {{"PAS:Pav", "Skalbimas"}});
    ListWindow* list = openList();
    QVERIFY(list != nullptr);
    auto* number = list->findChild<QLineEdit*>("groupFilter");
    QVERIFY(number != nullptr);
    QVERIFY(!number->isVisible()); // the first tab has none

    list->tabBar()->setCurrentIndex(2);
    QVERIFY(number->isVisible());
    QCOMPARE(number->text(), QStringLiteral("0"));
    QCOMPARE(list->engine().rows().size(), std::size_t(1)); // the services without a group
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, QStringLiteral("2"));
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(list->findChild<QLabel*>("groupName")->text(), QStringLiteral("Pramogos"));
    QCOMPARE(list->engine().rows().size(), std::size_t(1));
    QCOMPARE(list->engine().rows()[0].cells.at(1), std::string("Biliardas"));
}

void ServiceWindowsTest::theServiceBookIsTheHighlightedServices() {
    add(TableId::Paslaug, {{"PAS:Pav", "Biliardas"}});
    add(TableId::Paslaug, {{"PAS:Pav", "Pirtis"}});
    add(TableId::Saskait, {{"SAS:IrasoNr", "1"}, {"SAS:SaskDt", "2026-12-03"}});
    add(TableId::Saskeil, {{"SEI:SEILID", "1"}, {"SEI:IrasoNr", "1"}, {"SEI:PasPav", "pirtis"}});
    glo() = Globals{};
    glo().EINDT = dateFromYmd(2026, 12, 7);
    ListWindow* list = openList();
    QVERIFY(list != nullptr);
    QMenu* print = list->commandButton("printButton")->menu();
    print->actions()[0]->trigger();
    QCOMPARE(messages_.texts(), (std::vector<std::string>{"Procedūra SpPaslSar neapibrėžta."}));

    // The period dialog once it opens, run as proposed (December); a preview expected has its pages
    // noted and is closed.
    const auto runThrough = [](PageList* shown) {
        const auto answer = [shown](const auto& again, int turns) -> void {
            QTimer::singleShot(0, [shown, again, turns] {
                ParameterDialogWindow* dialog = nullptr;
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    if (auto* shown = qobject_cast<ParameterDialogWindow*>(widget);
                        shown != nullptr && shown->isVisible()) {
                        dialog = shown;
                    }
                }
                if (dialog == nullptr) {
                    QVERIFY2(turns > 0, "no parameter dialog");
                    again(again, turns - 1);
                    return;
                }
                QCOMPARE(dialog->windowTitle(), QStringLiteral("NURODYKITE PERIODĄ:"));
                if (shown != nullptr) {
                    closePreviewWhenItOpens(*shown);
                }
                dialog->runButton()->click();
            });
        };
        answer(answer, 10000);
    };
    // "Biliardas" is highlighted: it was never invoiced, so nothing is shown.
    runThrough(nullptr);
    print->actions()[1]->trigger();
    QTRY_VERIFY(!waitsForCalledWindow(list)); // the run is over
    QCOMPARE(list->engine().context().table(PAS::table).record().get(PAS::Pav), std::string("Biliardas"));

    // "Pirtis": its line, named in small letters.
    QTest::keyClick(list->table(), Qt::Key_Down);
    PageList shown;
    runThrough(&shown);
    print->actions()[1]->trigger();
    QTRY_VERIFY(!waitsForCalledWindow(list));
    QCOMPARE(shown.size(), std::size_t(1));
    QCOMPARE(messages_.texts().size(), std::size_t(1));
    QVERIFY(list->isEnabled());
}

void ServiceWindowsTest::aCallerChoosesAServiceFromTheListOpenedAtItsValue() {
    for (const char* name : {"Biliardas", "Pirtis", "Skalbimas", "Vakarienė"}) {
        add(TableId::Paslaug, {{"PAS:Pav", name}});
    }
    Context caller(*database_);
    Table& services = caller.table(TableId::Paslaug);
    services.open();
    services.clear();
    QVERIFY(services.record().setText("PAS:Pav", "Pi").ok());
    std::string openedAt;
    bool selectShown = false;
    QTimer::singleShot(0, [&] {
        ListWindow* list = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            list = list != nullptr ? list : qobject_cast<ListWindow*>(widget);
        }
        QVERIFY(list != nullptr);
        openedAt = list->engine().rows().at(std::size_t(list->engine().currentRow() - 1)).cells.at(1);
        selectShown = list->selectButton()->isVisible() && list->commandButton("copyButton") != nullptr;
        QTest::keyClick(list->table(), Qt::Key_Down);
        QTest::keyClick(list->table(), Qt::Key_Return);
    });
    QCOMPARE(nakva::testing::answerOf([&caller](SelectDone done) {
                 callSelectionList("SarPaslaug", caller, nullptr, std::move(done));
             }),
             std::optional<Response>(Response::Completed));
    QCOMPARE(openedAt, std::string("Pirtis"));
    QVERIFY(selectShown);
    QCOMPARE(services.record().get(PAS::Pav), std::string("Skalbimas"));
    services.close();
}

QTEST_MAIN(ServiceWindowsTest)
#include "ServiceWindowsTest.moc"
