// The reference lists started from the main window's menu and driven through keys, on real files in a
// temporary folder.
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "reference/Payers.h"
#include "reference/Services.h"
#include "reference/widgets/ReferenceProcedures.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/CalledWindow.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

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

// The record form open in the main window now (a form that has finished may linger until it goes).
FormWindow* openForm(MainWindow& window) {
    for (FormWindow* form : window.mdiArea()->findChildren<FormWindow*>()) {
        if (form->engine() != nullptr && !form->engine()->finished() && form->isVisible()) {
            return form;
        }
    }
    return nullptr;
}

// How many whole rows the list's window has room for.
int rowsInRoom(ListWindow& list) {
    return list.table()->viewport()->height() / list.table()->verticalHeader()->defaultSectionSize();
}

} // namespace

class ReferenceWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyListOpensTwiceFromTheMenuWithItsCaption_data();
    void everyListOpensTwiceFromTheMenuWithItsCaption();
    void insertTypingEnterAndDeleteWithCancelAsTheDefault();
    void aNumberBelowItsLowestIsRefusedNamingABoundThatHolds();
    void aListFillsItsRowsAndFitsItsHeadingsOnFirstOpening();
    void aListResizedWhileItsFormIsOpenTakesItsNewRowCountWhenTheFormCloses();
    void theListFollowsTheFormWhenItSavesAndMoves();
    void entriesShowWhatTheirFieldsHoldAndReadOnlyFieldsLookSo();

private:
    void addRecords(TableId id, int field, const std::vector<std::string>& values);

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<Database> database_;
    ProcedureRegistry procedures_;
    std::unique_ptr<MainWindow> window_;
    ScriptedMessages messages_;
    std::unique_ptr<ScopedMessageSink> sink_;
};

void ReferenceWindowsTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    database_ = std::make_unique<Database>(folder_->path().toStdString());
    procedures_ = ProcedureRegistry();
    registerReferenceProcedures(procedures_, *database_);
    messages_.clear();
    sink_ = std::make_unique<ScopedMessageSink>(messages_);
    window_ = std::make_unique<MainWindow>(procedures_, [] { return std::string(); });
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void ReferenceWindowsTest::cleanup() {
    window_.reset();
    sink_.reset();
    database_.reset();
    folder_.reset();
}

void ReferenceWindowsTest::everyListOpensTwiceFromTheMenuWithItsCaption_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::newRow("countries") << "Valstybės"
                               << "VALSTYBĖS";
    QTest::newRow("groups") << "Gyventojų grupės"
                            << "GYV. GRUPĖS";
    QTest::newRow("payment methods") << "Mokėjimo būdai"
                                     << "MOKĖJIMO BŪDAI";
    QTest::newRow("cleaners") << "Valytojai"
                              << "VALYTOJAI (OS)";
    QTest::newRow("room types") << "Kambarių tipai"
                                << "KAMBARIŲ TIPAI";
    QTest::newRow("service groups") << "Paslaugų grupės"
                                    << "Paslaugų grupės";
}

void ReferenceWindowsTest::everyListOpensTwiceFromTheMenuWithItsCaption() {
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QAction* references = menuAction(window_->menuBar(), QStringLiteral("Žinynai"));
    QVERIFY(references != nullptr);
    QAction* entry = menuAction(references->menu(), item);
    QVERIFY(entry != nullptr);
    entry->trigger();
    entry->trigger();

    const QList<QMdiSubWindow*> children = window_->mdiArea()->subWindowList();
    QCOMPARE(children.size(), 2);
    QVERIFY(children[0]->widget() != children[1]->widget());
    for (QMdiSubWindow* child : children) {
        QCOMPARE(child->windowTitle(), caption);
        QVERIFY(qobject_cast<ListWindow*>(child->widget()) != nullptr);
    }
    QVERIFY(messages_.shown().empty()); // no "Procedūra neapibrėžta"
}

void ReferenceWindowsTest::insertTypingEnterAndDeleteWithCancelAsTheDefault() {
    QMdiSubWindow* child = window_->startProcedure("BrowsePaslGrp");
    QVERIFY(child != nullptr);
    auto* list = qobject_cast<ListWindow*>(child->widget());
    QVERIFY(list != nullptr);
    list->table()->setFocus();

    QString title;
    QString saveTip;
    QTimer::singleShot(0, [&] {
        auto* form = window_->mdiArea()->findChild<FormWindow*>();
        QVERIFY(form != nullptr);
        title = form->windowTitle();
        saveTip = form->saveButton()->toolTip();
        auto* name = qobject_cast<QLineEdit*>(form->itemWidget(1));
        QVERIFY(name != nullptr);
        QCOMPARE(qobject_cast<QLineEdit*>(form->itemWidget(0))->text(), QStringLiteral("1"));
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("Pirtis"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QTest::keyClick(list->table(), Qt::Key_Insert);
    QTRY_VERIFY(!waitsForCalledWindow(list)); // the form has answered
    QCOMPARE(title, QStringLiteral("Kuriamas naujas įrašas"));
    QCOMPARE(saveTip, QStringLiteral("Išsaugoti pakeitimus ir baigti"));
    QCOMPARE(list->engine().rows().size(), std::size_t(1));
    QCOMPARE(list->engine().rows()[0].cells, (std::vector<std::string>{"1", "Pirtis"}));

    list->table()->setFocus();
    QTest::keyClick(list->table(), Qt::Key_Delete);
    QCOMPARE(messages_.shown().size(), std::size_t(1));
    QCOMPARE(messages_.shown()[0].title, std::string("Pašalinti įrašą"));
    QCOMPARE(messages_.answers(), std::vector<int>{ButtonCancel}); // Enter at once: the default
    QCOMPARE(list->engine().rows().size(), std::size_t(1));
}

void ReferenceWindowsTest::addRecords(TableId id, int field, const std::vector<std::string>& values) {
    Context other(*database_);
    Table& table = other.table(id);
    table.open();
    for (const std::string& value : values) {
        table.clear();
        QVERIFY(table.record().setText(field, value).ok());
        QCOMPARE(table.add(), StoreStatus::Ok);
    }
    table.close();
}

// A whole number whose lowest value is 1: the warning says "greater than 0", which 1 is.
void ReferenceWindowsTest::aNumberBelowItsLowestIsRefusedNamingABoundThatHolds() {
    QMdiSubWindow* child = window_->startProcedure("BrowsePaslGrp");
    QVERIFY(child != nullptr);
    auto* list = qobject_cast<ListWindow*>(child->widget());
    list->table()->setFocus();
    bool stayed = false;
    QTimer::singleShot(0, [&] {
        FormWindow* form = openForm(*window_);
        QVERIFY(form != nullptr);
        auto* number = qobject_cast<QLineEdit*>(form->itemWidget(0));
        number->setFocus();
        number->selectAll();
        QTest::keyClicks(number, QStringLiteral("0"));
        QTest::keyClick(number, Qt::Key_Tab);
        stayed = number->hasFocus();
        form->cancelButton()->click();
    });
    QTest::keyClick(list->table(), Qt::Key_Insert);
    QTRY_VERIFY(openForm(*window_) == nullptr);
    QVERIFY(stayed);
    QCOMPARE(messages_.texts(), std::vector<std::string>{"Grupės Nr reikšmė turi būti didesnė negu 0."});
    QVERIFY(list->engine().rows().empty()); // the numbered record went with the cancel
}

// Valstybės opens with as many rows as its window has room for, the last one whole.
void ReferenceWindowsTest::aListFillsItsRowsAndFitsItsHeadingsOnFirstOpening() {
    std::vector<std::string> countries;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        countries.push_back(std::string(1, letter) + "valstybė");
    }
    addRecords(TableId::Valstyb, VAL::Valstybe.index, countries);
    QMdiSubWindow* child = window_->startProcedure("BrowseValstyb");
    QVERIFY(child != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(child));
    auto* list = qobject_cast<ListWindow*>(child->widget());
    const int room = rowsInRoom(*list);
    QVERIFY(room > 1);
    QTRY_COMPARE(list->engine().pageSize(), room);
    QCOMPARE(int(list->engine().rows().size()), room);
    const int rowHeight = list->table()->verticalHeader()->defaultSectionSize();
    QVERIFY(list->table()->rowViewportPosition(room - 1) + rowHeight <= list->table()->viewport()->height());

    // Every column is at least as wide as its heading needs in the header's font and margins, the
    // services' "Paieškos kodas" more than its configured width.
    QMdiSubWindow* services = window_->startProcedure("SarPaslaug");
    QVERIFY(QTest::qWaitForWindowExposed(services));
    QHeaderView* header = qobject_cast<ListWindow*>(services->widget())->table()->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        QVERIFY(header->sectionSize(column) >= header->sectionSizeHint(column));
    }
}

void ReferenceWindowsTest::aListResizedWhileItsFormIsOpenTakesItsNewRowCountWhenTheFormCloses() {
    std::vector<std::string> numbers;
    for (int i = 1; i <= 60; ++i) {
        numbers.push_back(std::to_string(i));
    }
    addRecords(TableId::PaslGrp, PGRP::IrasoNr.index, numbers);
    QMdiSubWindow* child = window_->startProcedure("BrowsePaslGrp");
    QVERIFY(QTest::qWaitForWindowExposed(child));
    auto* list = qobject_cast<ListWindow*>(child->widget());
    QTRY_COMPARE(list->engine().pageSize(), rowsInRoom(*list));
    const int before = list->engine().pageSize();
    const int rowHeight = list->table()->verticalHeader()->defaultSectionSize();
    list->table()->setFocus();
    QTimer::singleShot(0, [&] {
        FormWindow* form = openForm(*window_);
        QVERIFY(form != nullptr);
        child->resize(child->width(), child->height() + 5 * rowHeight);
        form->cancelButton()->click();
    });
    QTest::keyClick(list->table(), Qt::Key_Return, Qt::ControlModifier);
    QTRY_VERIFY(openForm(*window_) == nullptr);
    QTRY_COMPARE(list->engine().pageSize(), rowsInRoom(*list));
    QCOMPARE(list->engine().pageSize(), before + 5);
    QCOMPARE(int(list->engine().rows().size()), before + 5);
}

// Saved and moved on to the next record: while the form is open on it, the list shows it current.
void ReferenceWindowsTest::theListFollowsTheFormWhenItSavesAndMoves() {
    addRecords(TableId::PaslGrp, PGRP::IrasoNr.index, {"1", "2", "3"});
    QMdiSubWindow* child = window_->startProcedure("BrowsePaslGrp");
    QVERIFY(QTest::qWaitForWindowExposed(child));
    auto* list = qobject_cast<ListWindow*>(child->widget());
    list->table()->setFocus();
    const auto openOn = [this] {
        FormWindow* form = openForm(*window_);
        return form != nullptr ? qobject_cast<QLineEdit*>(form->itemWidget(0))->text() : QString();
    };
    QTest::keyClick(list->table(), Qt::Key_Return, Qt::ControlModifier);
    QTRY_COMPARE(openOn(), QStringLiteral("1"));
    openForm(*window_)->toolbarPressed(ToolbarButton::NextRecord);
    // The form again, once the first has gone, on the next record, which the list shows current.
    QTRY_COMPARE(openOn(), QStringLiteral("2"));
    QCOMPARE(list->table()->currentIndex().siblingAtColumn(0).data().toString(), QStringLiteral("2"));
    openForm(*window_)->cancelButton()->click();
    QTRY_VERIFY(openForm(*window_) == nullptr);
}

namespace {

// A new record's form, shown.
struct ShownForm {
    std::unique_ptr<FormEngine> engine;
    std::unique_ptr<FormWindow> window;

    QLineEdit* entry(int field) const {
        return qobject_cast<QLineEdit*>(window->itemWidget(engine->itemOfField(field)));
    }
};

ShownForm showNewRecordForm(const FormConfig& config, Context& context) {
    context.table(config.table).open();
    context.table(config.table).clear();
    ShownForm form{std::make_unique<FormEngine>(config, context, FormEngine::SelectList{}), nullptr};
    if (form.engine->open(Request::Insert)) {
        form.window = std::make_unique<FormWindow>(*form.engine);
        form.window->show();
        (void)QTest::qWaitForWindowExposed(form.window.get());
    }
    return form;
}

} // namespace

// A payer's 50-character address shows whole, not as its last characters; the service's price without
// VAT, which the form computes, looks as read-only as it is.
void ReferenceWindowsTest::entriesShowWhatTheirFieldsHoldAndReadOnlyFieldsLookSo() {
    Context context(*database_);
    const ShownForm payer = showNewRecordForm(UpdateKlient(), context);
    QVERIFY(payer.window != nullptr);
    QLineEdit* address = payer.entry(KLI::ADR.index);
    const QString fifty = QStringLiteral("Žalgirio g. 135-12, LT-08217 Vilnius, Lietuvos Res");
    QCOMPARE(fifty.size(), 50);
    address->setText(fifty);
    address->grab(); // painted: the line scrolls as far as it must to show the cursor at the end
    QCOMPARE(address->cursorPosition(), int(fifty.size()));
    QCOMPARE(address->cursorPositionAt(QPoint(1, address->height() / 2)), 0);

    const ShownForm service = showNewRecordForm(RedPaslaug(), context);
    QVERIFY(service.window != nullptr);
    const auto looksReadOnly = [&service](int field) {
        const QPalette& palette = service.entry(field)->palette();
        return palette.color(QPalette::Base) == palette.color(QPalette::Window);
    };
    QVERIFY(service.entry(PAS::KAINBEPVM.index)->isReadOnly());
    QVERIFY(looksReadOnly(PAS::KAINBEPVM.index));
    QVERIFY(!looksReadOnly(PAS::PVMPROC.index));
}

QTEST_MAIN(ReferenceWindowsTest)
#include "ReferenceWindowsTest.moc"
