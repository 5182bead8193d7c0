// The front desk's windows offscreen on real files: the grid opens a stay's registration or a new one
// on a free night (Enter and double click), follows the days it is moved to, and reads again when it
// gets the focus back; "ŠIANDIEN" marks a departure with Ctrl+I and every list follows.
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "frontdesk/widgets/RoomGridWindow.h"
#include "frontdesk/widgets/TodayWindow.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "shell/Globals.h"
#include "support/AddRecord.h"
#include "ui/widgets/DateEntry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace nakva;

class FrontDeskWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void theGridOpensAStayOrANewOneOnAFreeNight();
    void theGridMovesByDaysWeeksAndMonthsAndReadsAgainOnFocus();
    void todaysDepartureByCtrlIMovesTheGuestFromTheHouse();

private:
    void add(TableId id, const std::vector<std::pair<std::string, std::string>>& values);
    void addStay(int number, const std::string& guest, int from, int to, int room);
    // Puts the grid's cursor on a room's day.
    static void point(RoomGridWindow& grid, int roomRow, int column);

    const Date D = dateFromYmd(2026, 12, 7);
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<Database> database_;
    ScriptedMessages messages_;
    std::unique_ptr<ScopedMessageSink> sink_;
};

void FrontDeskWindowsTest::init() {
    QStandardPaths::setTestModeEnabled(true);
    folder_ = std::make_unique<QTemporaryDir>();
    database_ = std::make_unique<Database>(folder_->path().toStdString());
    glo().EINDT = D;
    messages_.clear();
    sink_ = std::make_unique<ScopedMessageSink>(messages_);
    add(TableId::Kamb,
        {{"KMB:KambarioID", "1"}, {"KMB:KambarioTipas", "Dvivietis"}, {"KMB:KambarioNr", "101"}});
    add(TableId::Kamb,
        {{"KMB:KambarioID", "2"}, {"KMB:KambarioTipas", "Dvivietis"}, {"KMB:KambarioNr", "102"}});
    addStay(1, "Ona", -2, 2, 1);
    addStay(2, "Jonas", 0, 3, 2);
}

void FrontDeskWindowsTest::cleanup() {
    sink_.reset();
    database_.reset();
    folder_.reset();
}

void FrontDeskWindowsTest::add(TableId id, const std::vector<std::pair<std::string, std::string>>& values) {
    addRecord(*database_, id, values);
}

void FrontDeskWindowsTest::addStay(int number, const std::string& guest, int from, int to, int room) {
    add(TableId::Saskait, {{"SAS:IrasoNr", std::to_string(number)},
                           {"SAS:Gyventojas", guest},
                           {"SAS:GyvenaNuo", formatDate(D + from)},
                           {"SAS:GyvenaIki", formatDate(D + to)}});
    add(TableId::SaskKmb,
        {{"SKMB:IrasoNr", std::to_string(number)}, {"SKMB:KambarioID", std::to_string(room)}});
}

void FrontDeskWindowsTest::point(RoomGridWindow& grid, int roomRow, int column) {
    // Row 0 heads the rooms' type.
    grid.table()->setCurrentIndex(grid.table()->model()->index(roomRow + 1, column + 1));
}

void FrontDeskWindowsTest::theGridOpensAStayOrANewOneOnAFreeNight() {
    std::vector<std::int32_t> opened;
    std::vector<std::pair<Date, std::int32_t>> created;
    RoomGridWindow grid(
        std::make_unique<Context>(*database_),
        [&opened](Context& context, QWidget*, FormDone done) {
            opened.push_back(context.table(TableId::Saskait).record().get(SAS::IrasoNr));
            done(FormResult{});
        },
        [&created](Context&, Date arrival, std::int32_t room, QWidget*, FormDone done) {
            created.emplace_back(arrival, room);
            done(FormResult{});
        });
    grid.resize(1200, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.grid().days(), 14);
    QCOMPARE(grid.grid().first(), D);
    QCOMPARE(grid.table()->model()->rowCount(), 3);
    QCOMPARE(grid.table()->model()->index(1, 1).data().toString(), QStringLiteral("Ona"));

    point(grid, 1, 1); // Jonas's second night
    QTest::keyClick(grid.table(), Qt::Key_Return);
    QCOMPARE(opened, std::vector<std::int32_t>{2});

    point(grid, 0, 5); // room 101 is free from D+2
    QTest::keyClick(grid.table(), Qt::Key_Enter);
    QCOMPARE(created.size(), std::size_t(1));
    QCOMPARE(created[0].first, D + 5);
    QCOMPARE(created[0].second, 1);

    const QModelIndex free = grid.table()->model()->index(2, 10);
    const QPoint at = grid.table()->visualRect(free).center();
    QTest::mouseClick(grid.table()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid.table()->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(created.size(), std::size_t(2));
    QCOMPARE(created[1].first, D + 9);
    QCOMPARE(created[1].second, 2);
    QVERIFY(messages_.shown().empty());
}

void FrontDeskWindowsTest::theGridMovesByDaysWeeksAndMonthsAndReadsAgainOnFocus() {
    RoomGridWindow grid(
        std::make_unique<Context>(*database_), [](Context&, QWidget*, FormDone done) { done(FormResult{}); },
        [](Context&, Date, std::int32_t, QWidget*, FormDone done) { done(FormResult{}); });
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    // button, first day afterwards
    const std::vector<std::pair<QString, int>> steps = {{"dayOn", 1},     {"weekOn", 8},   {"monthOn", 39},
                                                        {"monthBack", 8}, {"weekBack", 1}, {"dayBack", 0}};
    for (const auto& [button, first] : steps) {
        auto* step = grid.findChild<QToolButton*>(button);
        QVERIFY(step != nullptr);
        step->click();
        QCOMPARE(grid.grid().first(), D + first);
        QCOMPARE(grid.firstDayEntry()->date(), D + first);
    }
    // The arrows past the last day move the days on, the cursor staying on its room and last day.
    point(grid, 1, 13);
    QTest::keyClick(grid.table(), Qt::Key_Right);
    QCOMPARE(grid.grid().first(), D + 1);
    QCOMPARE(grid.currentDayColumn(), 13);
    QCOMPARE(grid.currentRoomRow(), 1);
    point(grid, 1, 0);
    QTest::keyClick(grid.table(), Qt::Key_Left);
    QCOMPARE(grid.grid().first(), D);
    QCOMPARE(grid.currentDayColumn(), 0);

    grid.spanChoice()->setCurrentIndex(2);
    emit grid.spanChoice()->activated(2);
    QCOMPARE(grid.grid().days(), 31);

    // Another station registers a guest; the grid shows it once it has the focus again.
    addStay(3, "Petras", 20, 22, 1);
    QCOMPARE(grid.grid().stays().size(), std::size_t(2));
    grid.findChild<QPushButton*>(QStringLiteral("todayButton"))->setFocus();
    grid.table()->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(grid.grid().stays().size(), std::size_t(3));
}

void FrontDeskWindowsTest::todaysDepartureByCtrlIMovesTheGuestFromTheHouse() {
    addStay(3, "Algis", -3, 0, 2);
    std::vector<Request> calls;
    TodayWindow today(*database_, [&calls](Context&, Request request, QWidget*, FormDone done) {
        calls.push_back(request);
        done(FormResult{});
    });
    today.resize(1000, 1000);
    today.show();
    QVERIFY(QTest::qWaitForWindowExposed(&today));
    QCOMPARE(today.list(TodayWindow::Arrivals)->engine().rows().size(), std::size_t(1));
    QCOMPARE(today.list(TodayWindow::Departures)->engine().rows().size(), std::size_t(1));
    ListWindow* house = today.list(TodayWindow::InHouse);
    QCOMPARE(house->engine().rows().size(), std::size_t(3)); // Algis, Jonas, Ona

    house->table()->setFocus();
    house->engine().setCurrentRow(1);
    QTest::keyClick(house->table(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(house->engine().rows().size(), std::size_t(2));
    QCOMPARE(today.list(TodayWindow::Departures)->engine().rows().front().icons.front(),
             std::string("check"));
    QVERIFY(calls.empty());

    // Enter opens the highlighted registration's form.
    QTest::keyClick(house->table(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(calls, std::vector<Request>{Request::Change});

    // The station's own choice to open the window at start-up.
    QVERIFY(!openTodayAtStart());
    today.atStartBox()->click();
    QVERIFY(openTodayAtStart());
    setOpenTodayAtStart(false);
}

QTEST_MAIN(FrontDeskWindowsTest)
#include "FrontDeskWindowsTest.moc"
