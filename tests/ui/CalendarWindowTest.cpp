#include "ui/widgets/CalendarWindow.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "ui/widgets/CalendarGrid.h"
#include "ui/widgets/DateEntry.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace nakva {

// Runs `action` on the calendar window once it is open (it is modal: the opener blocks meanwhile).
void whenCalendarOpens(std::function<void(CalendarWindow&)> action) {
    QTimer::singleShot(0, [action] {
        auto* calendar = qobject_cast<CalendarWindow*>(QApplication::activeModalWidget());
        QVERIFY(calendar != nullptr);
        action(*calendar);
    });
}

class CalendarWindowTest : public QObject {
    Q_OBJECT

private:
    ScriptedMessages messages;
    ScopedMessageSink guard{messages};

    static int cellOfDay(const CalendarWindow& window, int day) {
        return day + window.model().firstWeekday() - 1;
    }

private slots:
    void init() { messages.clear(); }

    void monthLengths_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("days");
        QTest::newRow("2028 leap") << 2028 << 29;
        QTest::newRow("1900 no leap") << 1900 << 28;
        QTest::newRow("2027") << 2027 << 28;
    }
    void monthLengths() {
        QFETCH(int, year);
        QFETCH(int, days);
        CalendarWindow window(dateFromYmd(year, 2, 10));
        QCOMPARE(window.findChild<QSpinBox*>("yearBox")->value(), year);
        QCOMPARE(window.findChild<QComboBox*>("monthBox")->currentText(), QStringLiteral("Vasaris"));
        int shown = 0;
        for (int cell = 1; cell <= CalendarModel::CellCount; ++cell) {
            shown += window.model().cellDay(cell) != 0 ? 1 : 0;
        }
        QCOMPARE(shown, days);
    }

    void easterInRed_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("sunday");
        QTest::addColumn<int>("monthOfMonday");
        QTest::addColumn<int>("monday");
        QTest::newRow("2024") << 2024 << 3 << 31 << 4 << 1;
        QTest::newRow("2025") << 2025 << 4 << 20 << 4 << 21;
        QTest::newRow("2049") << 2049 << 4 << 18 << 4 << 19;
        QTest::newRow("2076") << 2076 << 4 << 19 << 4 << 20;
    }
    void easterInRed() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, sunday);
        QFETCH(int, monthOfMonday);
        QFETCH(int, monday);
        CalendarWindow window(dateFromYmd(year, month, 1));
        window.show();
        const CalendarGrid* grid = window.grid();
        QCOMPARE(grid->cellColor(cellOfDay(window, sunday)), QColor(Qt::red));
        QVERIFY(grid->cellColor(cellOfDay(window, sunday - 1)) != QColor(Qt::red));
        // The shortened rule's Sunday a week later is an ordinary day.
        if (sunday + 7 <= monthLength(year, month)) {
            QVERIFY(grid->cellColor(cellOfDay(window, sunday + 7)) != QColor(Qt::red));
        }
        CalendarWindow mondayWindow(dateFromYmd(year, monthOfMonday, 1));
        QCOMPARE(mondayWindow.grid()->cellColor(cellOfDay(mondayWindow, monday)), QColor(Qt::red));
        QVERIFY(mondayWindow.grid()->cellColor(cellOfDay(mondayWindow, monday + 1)) != QColor(Qt::red));
    }

    void firstOfMayInRed() {
        CalendarWindow window(dateFromYmd(2025, 5, 20));
        QCOMPARE(window.grid()->cellColor(cellOfDay(window, 1)), QColor(Qt::red));
    }

    void keys_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("messageCount");
        QTest::newRow("Right on 31 January") << "2025-01-31" << int(Qt::Key_Right) << "2025-02-01" << 0;
        QTest::newRow("Up on January") << "2025-01-15" << int(Qt::Key_Up) << "2024-12-15" << 0;
        QTest::newRow("Down on December") << "2025-12-15" << int(Qt::Key_Down) << "2026-01-15" << 0;
        QTest::newRow("PageUp") << "2025-03-15" << int(Qt::Key_PageUp) << "2026-03-15" << 0;
        QTest::newRow("PageDown on 1801") << "1801-03-15" << int(Qt::Key_PageDown) << "1801-03-15" << 1;
    }
    void keys() {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        QFETCH(int, messageCount);
        CalendarWindow window(*parseDate(from.toStdString()));
        window.show();
        QTest::keyClick(window.focusWidget(), static_cast<Qt::Key>(key));
        QCOMPARE(QString::fromStdString(formatDate(window.model().selected())), to);
        QCOMPARE(window.findChild<QSpinBox*>("yearBox")->value(), window.model().year());
        QCOMPARE(static_cast<int>(messages.shown().size()), messageCount);
        if (messageCount > 0) {
            QCOMPARE(messages.shown()[0].title, std::string("Data už ribų."));
            QCOMPARE(messages.shown()[0].text, std::string("Data negali būti ankstesnė negu 1801 metai. \n"));
        }
    }

    void enterReturnsTheHighlightedDayAndEscTheOpenedOne() {
        const Date opened = dateFromYmd(2025, 6, 10);
        CalendarWindow picked(opened);
        picked.show();
        QTest::keyClick(picked.focusWidget(), Qt::Key_Right);
        QTest::keyClick(picked.focusWidget(), Qt::Key_Return);
        QCOMPARE(picked.result(), int(QDialog::Accepted));
        QCOMPARE(picked.picked(), opened + 1);

        CalendarWindow cancelled(opened);
        cancelled.show();
        QTest::keyClick(cancelled.focusWidget(), Qt::Key_Right);
        QTest::keyClick(cancelled.focusWidget(), Qt::Key_Escape);
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
        QCOMPARE(cancelled.picked(), opened);
    }

    void clickPicksADayAndRightClickCancels() {
        const Date opened = dateFromYmd(2025, 6, 10);
        CalendarWindow window(opened);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect blank = window.grid()->cellRect(1); // June 2025 starts on Sunday
        QTest::mouseClick(window.grid(), Qt::LeftButton, {}, blank.center());
        QVERIFY(window.isVisible());
        QTest::mouseClick(window.grid(), Qt::LeftButton, {},
                          window.grid()->cellRect(cellOfDay(window, 21)).center());
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(window.picked(), dateFromYmd(2025, 6, 21));

        CalendarWindow other(opened);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QTest::mouseClick(other.grid(), Qt::RightButton, {},
                          other.grid()->cellRect(cellOfDay(other, 21)).center());
        QCOMPARE(other.result(), int(QDialog::Rejected));
        QCOMPARE(other.picked(), opened);
    }

    void typedYearAndMonthList() {
        CalendarWindow window(dateFromYmd(2025, 6, 10));
        window.show();
        auto* year = window.findChild<QSpinBox*>("yearBox");
        year->setFocus();
        year->selectAll();
        QTest::keyClicks(year, "1750");
        QTest::keyClick(year, Qt::Key_Return);
        QCOMPARE(window.model().year(), 1801);
        QCOMPARE(year->value(), 1801);
        QCOMPARE(static_cast<int>(messages.shown().size()), 1);
        QVERIFY(window.isVisible()); // Enter after a typed year only shows the year

        auto* month = window.findChild<QComboBox*>("monthBox");
        month->setCurrentIndex(1);
        emit month->activated(1);
        QCOMPARE(window.model().month(), 2);
    }

    void dateEntryTips() {
        DateEntry entry;
        QCOMPARE(entry.edit()->toolTip(), QStringLiteral("Kalendoriaus iškvietimas su CtrlDown"));
        entry.setTip(QStringLiteral("Atvykimo data"));
        QCOMPARE(entry.edit()->toolTip(), QStringLiteral("Atvykimo data (pasirinkti kalendoriuje CtrlDown)"));
        QCOMPARE(entry.calendarButton()->toolTip(), QStringLiteral("Kalendorius datai pasirinkti"));
        entry.setDate(dateFromYmd(2024, 4, 15));
        QCOMPARE(entry.edit()->text(), QStringLiteral("2024-04-15"));
        entry.setDate(NoDate);
        QCOMPARE(entry.edit()->text(), QString());
    }

    void cancelOnAnEmptyFieldLeavesItEmpty() {
        DateEntry entry;
        entry.show();
        int accepted = 0;
        connect(&entry, &DateEntry::accepted, this, [&accepted] { ++accepted; });
        whenCalendarOpens([](CalendarWindow& calendar) {
            QCOMPARE(calendar.model().selected(), today());
            QTest::keyClick(calendar.focusWidget(), Qt::Key_Escape);
        });
        QTest::keyClick(entry.edit(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(entry.edit()->text(), QString());
        QCOMPARE(entry.date(), NoDate);
        QCOMPARE(accepted, 0);
    }

    void pickFromTheButtonStoresAndAccepts() {
        DateEntry entry;
        entry.setDate(dateFromYmd(2024, 2, 28));
        entry.show();
        int accepted = 0;
        connect(&entry, &DateEntry::accepted, this, [&accepted] { ++accepted; });
        whenCalendarOpens([](CalendarWindow& calendar) {
            QTest::keyClick(calendar.focusWidget(), Qt::Key_Right);
            QTest::keyClick(calendar.focusWidget(), Qt::Key_Enter);
        });
        entry.calendarButton()->click();
        QCOMPARE(entry.edit()->text(), QStringLiteral("2024-02-29"));
        QCOMPARE(entry.date(), dateFromYmd(2024, 2, 29));
        QCOMPARE(accepted, 1);
    }

    // An entry going with a date typed and not yet accepted: its field loses the focus on the way
    // out, when the entry is no longer there to accept anything.
    void anEntryBeingDestroyedAcceptsNothing() {
        QWidget window;
        auto* entry = new DateEntry(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        int accepted = 0;
        connect(entry, &DateEntry::accepted, this, [&accepted] { ++accepted; });
        entry->edit()->setFocus();
        QTest::keyClicks(entry->edit(), QStringLiteral("2024-03-01"));
        QVERIFY(entry->edit()->hasFocus() && entry->edit()->isModified());
        delete entry;
        QCOMPARE(accepted, 0);
    }
};

} // namespace nakva

QTEST_MAIN(nakva::CalendarWindowTest)
#include "CalendarWindowTest.moc"
