// The cleaning log started from the "Kambarių aptarnavimas" menu, a cleaning entered with its room
// picked in the room selection window, on real files in a temporary folder.
#include "roomservice/widgets/RoomServiceWindows.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "reference/widgets/ReferenceProcedures.h"
#include "roomservice/RoomServiceLogs.h"
#include "shell/Globals.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "support/AddRecord.h"
#include "ui/ToolbarClient.h"
#include "ui/widgets/CalledWindow.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>
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

// The window named `name` that a call opens, once it is shown.
template <typename Window> void whenOpen(const QString& name, const std::function<void(Window&)>& act) {
    QTimer::singleShot(0, [name, act] {
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* window = qobject_cast<Window*>(widget);
                window != nullptr && window->isVisible() && window->objectName() == name) {
                act(*window);
                return;
            }
        }
        QFAIL(qPrintable(name + QStringLiteral(" did not open")));
    });
}

// The cleaning form's item that edits `field`.
int itemOf(int field) {
    const FormConfig config = RedKmbVal();
    for (std::size_t item = 0; item < config.fields.size(); ++item) {
        if (config.fields[item].field == field) {
            return int(item);
        }
    }
    return -1;
}

} // namespace

class RoomServiceWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aCleaningIsLoggedForARoomPickedInTheSelectionWindow();
    void theChangeListsButtonsNameTheirKeys();
    void aPickerOpenedFromTheKeyboardTakesTheKeyboard();
    void ctrlF4ClosesTheBeddingList();

private:
    void add(TableId id, const std::vector<std::pair<std::string, std::string>>& values);

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<Database> database_;
    ProcedureRegistry procedures_;
    std::unique_ptr<MainWindow> window_;
    ScriptedMessages messages_;
    std::unique_ptr<ScopedMessageSink> sink_;
};

void RoomServiceWindowsTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    database_ = std::make_unique<Database>(folder_->path().toStdString());
    procedures_ = ProcedureRegistry();
    registerReferenceProcedures(procedures_, *database_);
    registerRoomServiceWindows(procedures_, *database_);
    messages_.clear();
    sink_ = std::make_unique<ScopedMessageSink>(messages_);
    glo().EINDT = dateFromYmd(2026, 12, 7);
    window_ = std::make_unique<MainWindow>(procedures_, [] { return std::string(); });
    window_->resize(1100, 800);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    add(TableId::Kamb, {{"KMB:KambarioID", "1"},
                        {"KMB:KambarioTipas", "Dvivietis"},
                        {"KMB:KambarioNr", "101"},
                        {"KMB:KAMBARIOGYVENTOJUSKC", "2"}});
    add(TableId::Kamb, {{"KMB:KambarioID", "2"},
                        {"KMB:KambarioTipas", "Trivietis"},
                        {"KMB:KambarioNr", "102"},
                        {"KMB:KAMBARIOGYVENTOJUSKC", "3"}});
}

void RoomServiceWindowsTest::cleanup() {
    window_.reset();
    sink_.reset();
    database_.reset();
    folder_.reset();
}

void RoomServiceWindowsTest::add(TableId id, const std::vector<std::pair<std::string, std::string>>& values) {
    addRecord(*database_, id, values);
}

void RoomServiceWindowsTest::aCleaningIsLoggedForARoomPickedInTheSelectionWindow() {
    QAction* service = menuAction(window_->menuBar(), QStringLiteral("Kambarių aptarnavimas"));
    QVERIFY(service != nullptr);
    menuAction(service->menu(), QStringLiteral("Kambarių valymai"))->trigger();
    QMdiSubWindow* child = window_->mdiArea()->activeSubWindow();
    auto* list = child != nullptr ? qobject_cast<ListWindow*>(child->widget()) : nullptr;
    QVERIFY(list != nullptr);
    QCOMPARE(list->windowTitle(), QStringLiteral("KAMBARIŲ VALYMO ĮRAŠAI"));
    QCOMPARE(list->tabBar()->tabText(1), QStringLiteral("Vienas kambarys"));

    QString selection;
    QString quantity;
    whenOpen<FormWindow>(QStringLiteral("RedKmbVal"), [&](FormWindow& form) {
        const int room = itemOf(KVAL::KambarioID.index);
        // The room's look-up button: the selection window opens on the rooms of the remembered (empty)
        // type, and its "pagal kambario Nr" tab shows them all; the second is chosen.
        whenOpen<ListWindow>(QStringLiteral("SelectKamb"), [&](ListWindow& rooms) {
            selection = rooms.windowTitle();
            QVERIFY(!rooms.insertButton()->isVisible());
            rooms.tabBar()->setCurrentIndex(1);
            rooms.engine().move(ListMove::Bottom);
            rooms.selectButton()->click();
        });
        form.lookUpButton(room)->click();
        QTRY_VERIFY(!waitsForCalledWindow(&form)); // the rooms' list has answered
        quantity = qobject_cast<QLineEdit*>(form.itemWidget(itemOf(KVAL::KIEKIS.index)))->text();
        form.saveButton()->click();
    });
    list->insertButton()->click();
    QTRY_VERIFY(!waitsForCalledWindow(list));

    QCOMPARE(selection, QStringLiteral("Pasirinkite kambarį:"));
    QCOMPARE(quantity, QStringLiteral("3"));
    QCOMPARE(list->engine().rows().size(), std::size_t(1));
    const std::vector<std::string>& cells = list->engine().rows()[0].cells;
    QCOMPARE(cells.at(0), std::string("2026-12-07"));
    QCOMPARE(cells.at(2), std::string("2"));
    QCOMPARE(cells.at(5), std::string("102"));
    QVERIFY(messages_.shown().empty());
}

// The bedding and towel lists' buttons name their keys in the tips; the cleaning list's do not.
void RoomServiceWindowsTest::theChangeListsButtonsNameTheirKeys() {
    QAction* service = menuAction(window_->menuBar(), QStringLiteral("Kambarių aptarnavimas"));
    QVERIFY(service != nullptr);
    const struct {
        const char* item;
        const char* insert;
        const char* change;
        const char* remove;
    } lists[] = {
        {"Lovos patalynės keitimai", "Įvesti naują įrašą [Insert]", "Keisti pasirinktą įrašą [Enter]",
         "Pašalinti pasirinktą įrašą [Delete]"},
        {"Rankšluočių keitimai", "Įvesti naują įrašą [Insert]", "Keisti pasirinktą įrašą [Enter]",
         "Pašalinti pasirinktą įrašą [Delete]"},
        {"Kambarių valymai", "Įvesti naują įrašą", "Keisti pasirinktą įrašą", "Pašalinti pasirinktą įrašą"},
    };
    for (const auto& each : lists) {
        menuAction(service->menu(), QString::fromUtf8(each.item))->trigger();
        QMdiSubWindow* child = window_->mdiArea()->activeSubWindow();
        auto* list = child != nullptr ? qobject_cast<ListWindow*>(child->widget()) : nullptr;
        QVERIFY(list != nullptr);
        const auto tip = [list](const char* name) {
            auto* button = list->findChild<QPushButton*>(QString::fromLatin1(name));
            return button != nullptr ? button->toolTip() : QString();
        };
        QCOMPARE(tip("insertButton"), QString::fromUtf8(each.insert));
        QCOMPARE(tip("changeButton"), QString::fromUtf8(each.change));
        QCOMPARE(tip("deleteButton"), QString::fromUtf8(each.remove));
        child->close();
    }
}

// Ctrl+Down in the form's room field opens the room selection with the keyboard in it: Esc leaves it
// and the form has the keyboard back, its toolbar buttons the form's again. A room number typed that
// no room has opens it as the field is left.
void RoomServiceWindowsTest::aPickerOpenedFromTheKeyboardTakesTheKeyboard() {
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QMdiSubWindow* child = window_->startProcedure("SarKmbVal");
    auto* list = qobject_cast<ListWindow*>(child->widget());
    QVERIFY(list != nullptr);
    list->insertButton()->click();
    FormWindow* form = window_->mdiArea()->findChild<FormWindow*>(QStringLiteral("RedKmbVal"));
    QVERIFY(form != nullptr);
    auto* room = qobject_cast<QLineEdit*>(form->itemWidget(itemOf(KVAL::KambarioID.index)));
    QVERIFY(room != nullptr);
    room->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(room));
    QVERIFY(window_->toolbarAction(ToolbarButton::Select)->isEnabled());

    const auto shownPicker = [] {
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* picker = qobject_cast<ListWindow*>(widget);
                picker != nullptr && picker->isVisible() &&
                picker->objectName() == QStringLiteral("SelectKamb")) {
                return picker;
            }
        }
        return static_cast<ListWindow*>(nullptr);
    };
    QTest::keyClick(room, Qt::Key_Down, Qt::ControlModifier);
    ListWindow* picker = shownPicker();
    QVERIFY(picker != nullptr);
    QCOMPARE(picker->engine().tab(), 1); // no type to start from: the rooms by number
    QCOMPARE(picker->engine().rows().size(), std::size_t(2));
    QTRY_VERIFY(QApplication::focusWidget() != nullptr && picker->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!waitsForCalledWindow(form));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(room));
    QTRY_VERIFY(window_->toolbarAction(ToolbarButton::Select)->isEnabled());

    QTest::keyClicks(room, "9");
    QTest::keyClick(room, Qt::Key_Tab);
    picker = shownPicker();
    QVERIFY(picker != nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!waitsForCalledWindow(form));
    form->cancelButton()->click();
    QTRY_VERIFY(!waitsForCalledWindow(list));
}

// Ctrl+F4 closes the active window, whichever it is.
void RoomServiceWindowsTest::ctrlF4ClosesTheBeddingList() {
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    for (const char* name : {"SarKmbPatal", "SarKmbRanks", "SarKmbVal"}) {
        QMdiSubWindow* child = window_->startProcedure(name);
        QVERIFY(child != nullptr);
        QTRY_VERIFY(QApplication::focusWidget() != nullptr &&
                    child->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
        QTRY_VERIFY2(window_->mdiArea()->subWindowList().isEmpty(), name);
    }
}

QTEST_MAIN(RoomServiceWindowsTest)
#include "RoomServiceWindowsTest.moc"
