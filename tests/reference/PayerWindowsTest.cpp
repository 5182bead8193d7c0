// The payers list and the institution settings started from the main window's menu, on real files in
// a temporary folder.
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "reference/widgets/InstitutionSettingsWindow.h"
#include "reference/widgets/ReferenceProcedures.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "support/AnswerOf.h"
#include "support/PreviewAnswers.h"
#include "ui/widgets/CalledWindow.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

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

template <typename T> T* activeWindow(MainWindow& main) {
    QMdiSubWindow* child = main.mdiArea()->activeSubWindow();
    return child != nullptr ? qobject_cast<T*>(child->widget()) : nullptr;
}

} // namespace

class PayerWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void thePayersListCopiesAndPrintsFromItsMenuStart();
    void theSmallSelectionListNamesItsButtonsItsOwnWay();
    void theSettingsFormSavesIntoTheSharedRecord();
    void theSettingsFormRefusesInsertAndDelete_data();
    void theSettingsFormRefusesInsertAndDelete();

private:
    void startFromMenu(const QString& submenu, const QString& item);
    void addPayer(const std::string& code);

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<Database> database_;
    std::unique_ptr<Context> context_;
    ProcedureRegistry procedures_;
    std::unique_ptr<MainWindow> window_;
    ScriptedMessages messages_;
    std::unique_ptr<ScopedMessageSink> sink_;
    int payerListsRun_ = 0;
};

void PayerWindowsTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    database_ = std::make_unique<Database>(folder_->path().toStdString());
    context_ = std::make_unique<Context>(*database_);
    procedures_ = ProcedureRegistry();
    registerReferenceProcedures(procedures_, *database_);
    payerListsRun_ = 0;
    procedures_.add("SpKliSar", [this]() -> QWidget* {
        ++payerListsRun_;
        return new QWidget;
    });
    messages_.clear();
    sink_ = std::make_unique<ScopedMessageSink>(messages_);
    window_ = std::make_unique<MainWindow>(procedures_, [] { return std::string(); });
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void PayerWindowsTest::cleanup() {
    window_.reset();
    sink_.reset();
    context_.reset();
    database_.reset();
    folder_.reset();
}

void PayerWindowsTest::startFromMenu(const QString& submenu, const QString& item) {
    QAction* top = menuAction(window_->menuBar(), submenu);
    QVERIFY(top != nullptr);
    QAction* entry = menuAction(top->menu(), item);
    QVERIFY(entry != nullptr);
    entry->trigger();
}

void PayerWindowsTest::addPayer(const std::string& code) {
    Table& payers = context_->table(TableId::Klient);
    payers.open();
    payers.clear();
    payers.record().set(KLI::Kod, code);
    QCOMPARE(payers.add(), StoreStatus::Ok);
    payers.close();
}

void PayerWindowsTest::thePayersListCopiesAndPrintsFromItsMenuStart() {
    addPayer("UAB");
    startFromMenu("Žinynai", "Mokėtojai");
    auto* list = activeWindow<ListWindow>(*window_);
    QVERIFY(list != nullptr);
    QCOMPARE(list->windowTitle(), QStringLiteral("MOKĖTOJAI"));
    QVERIFY(list->locatorEntry() != nullptr);

    QPushButton* copy = list->commandButton("copyButton");
    QVERIFY(copy != nullptr && copy->isEnabled());
    QCOMPARE(copy->toolTip(), QStringLiteral("Kopijuoti įrašą"));
    copy->click();
    const ListEngine& engine = list->engine();
    QCOMPARE(engine.rows().at(std::size_t(engine.currentRow() - 1)).cells.at(0), std::string("UAB~"));

    QPushButton* print = list->commandButton("printButton");
    QVERIFY(print != nullptr && print->menu() != nullptr);
    QStringList items;
    for (QAction* action : print->menu()->actions()) {
        items << action->text();
    }
    QCOMPARE(items, (QStringList{"Mokėtojų sąrašą", "Mokėtojo sąskaitų suvestinę", "Mokėtojo adresą"}));
    // The address of the highlighted payer, the copy: a page, and the list's buffer holds its row again.
    PageList shown;
    closePreviewWhenItOpens(shown);
    print->menu()->actions().at(2)->trigger();
    QTRY_VERIFY(!waitsForCalledWindow(list)); // the run is over
    QCOMPARE(shown.size(), std::size_t(1));
    QVERIFY(messages_.texts().empty());
    QCOMPARE(list->engine().context().table(KLI::table).record().get(KLI::Kod), std::string("UAB~"));
    print->menu()->actions().at(0)->trigger();
    QCOMPARE(payerListsRun_, 1);
}

void PayerWindowsTest::theSmallSelectionListNamesItsButtonsItsOwnWay() {
    addPayer("UAB");
    QStringList captions;
    QTimer::singleShot(0, [&captions] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* list = qobject_cast<ListWindow*>(widget); list != nullptr && list->isVisible()) {
                captions << list->selectButton()->text() << list->insertButton()->text()
                         << list->changeButton()->text() << list->deleteButton()->text();
                QTest::keyClick(list->table(), Qt::Key_Return);
            }
        }
    });
    QCOMPARE(nakva::testing::answerOf([this](SelectDone done) {
                 callSelectionList("SelectKlient", *context_, nullptr, std::move(done));
             }),
             std::optional<Response>(Response::Completed));
    QCOMPARE(captions, (QStringList{"Pasirinkti", "Sukurti", "Taisyti", "Naikinti"}));
    QCOMPARE(context_->table(TableId::Klient).record().get(KLI::Kod), std::string("UAB"));
}

void PayerWindowsTest::theSettingsFormSavesIntoTheSharedRecord() {
    startFromMenu("Žinynai", "Nustatymai, įstaigos duomenys");
    auto* form = activeWindow<FormWindow>(*window_);
    QVERIFY(form != nullptr);
    QCOMPARE(form->windowTitle(), QStringLiteral("Bendrieji įstaigos parametrai"));
    QCOMPARE(form->tabs()->tabText(0), QStringLiteral("Įstaigos duomenys"));
    QCOMPARE(form->tabs()->tabText(1), QStringLiteral("Apskaitos nustatymai"));
    QStringList captions;
    for (QLabel* label : form->tabPage(1)->findChildren<QLabel*>()) {
        captions << label->text();
    }
    QVERIFY(captions.contains("Pagrindinės paslaugos (nustatytosios):"));
    QVERIFY(captions.contains("Parašai sąskaitoje-faktūroje:"));

    auto* name = form->findChild<QLineEdit*>("field-ISTAIGA");
    QVERIFY(name != nullptr);
    name->setFocus();
    QTest::keyClicks(name, "Pajurio namai");
    form->saveButton()->click();
    QTRY_VERIFY(window_->mdiArea()->subWindowList().isEmpty());
    QCOMPARE(context_->table(TableId::IstgPar).record().get(IST::ISTAIGA), std::string("Pajurio namai"));
}

void PayerWindowsTest::theSettingsFormRefusesInsertAndDelete_data() {
    QTest::addColumn<int>("request");
    QTest::addColumn<QString>("text");
    QTest::newRow("insert")
        << int(Request::Insert)
        << "Šios procedūros pagalba negalima sukurti įrašo. Paspauskite GERAI ir grįžkite į "
           "prieš tai buvusią procedūrą";
    QTest::newRow("delete")
        << int(Request::Delete)
        << "Šios procedūros pagalba negalima pašalinti įrašo. Paspauskite GERAI ir grįžkite "
           "į prieš tai buvusią procedūrą";
}

void PayerWindowsTest::theSettingsFormRefusesInsertAndDelete() {
    QFETCH(int, request);
    QFETCH(QString, text);
    QPointer<QWidget> window = openInstitutionSettings(*database_, Request(request));
    QCOMPARE(messages_.texts(), std::vector<std::string>{text.toStdString()});
    QVERIFY(qobject_cast<FormWindow*>(window.data()) == nullptr);
    QTRY_VERIFY(window.isNull());
}

QTEST_MAIN(PayerWindowsTest)
#include "PayerWindowsTest.moc"
