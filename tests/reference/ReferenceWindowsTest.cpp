// The reference lists started from the main window's menu and driven through keys, on real files in a
// temporary folder.
#include "data/Context.h"
#include "data/Database.h"
#include "data/Table.h"
#include "reference/widgets/ReferenceProcedures.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"

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

} // namespace

class ReferenceWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyListOpensTwiceFromTheMenuWithItsCaption_data();
    void everyListOpensTwiceFromTheMenuWithItsCaption();
    void insertTypingEnterAndDeleteWithCancelAsTheDefault();

private:
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

QTEST_MAIN(ReferenceWindowsTest)
#include "ReferenceWindowsTest.moc"
