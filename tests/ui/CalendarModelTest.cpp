#include "ui/CalendarModel.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "ui/Holidays.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <set>

namespace nakva {
namespace {

Date ymd(int year, int month, int day) {
    return dateFromYmd(year, month, day);
}

// The shortened rule the calendar used to apply: the paschal full moon from the golden number alone.
Date shortenedRuleEaster(int year) {
    const int golden = year % 19 + 1;
    const int c = (11 * golden - 6) % 30;
    const Date fullMoon = c <= 17 ? ymd(year, 4, 19 - c) : ymd(year, 3, 1) + (50 - c) - 1;
    return fullMoon + 7 - weekday(fullMoon);
}

struct EasterCase {
    int year;
    int month;
    int day;
};

void PrintTo(const EasterCase& c, std::ostream* out) {
    *out << c.year << '-' << c.month << '-' << c.day;
}

class EasterTest : public ::testing::TestWithParam<EasterCase> {};

TEST_P(EasterTest, SundayOfTheGregorianComputus) {
    const EasterCase c = GetParam();
    EXPECT_EQ(easterSunday(c.year), (YearMonthDay{c.year, c.month, c.day}));
    EXPECT_TRUE(isPublicHoliday(c.year, c.month, c.day));
    const YearMonthDay monday = ymdFromDate(ymd(c.year, c.month, c.day) + 1);
    EXPECT_TRUE(isPublicHoliday(monday.year, monday.month, monday.day));
}

INSTANTIATE_TEST_SUITE_P(Years, EasterTest,
                         ::testing::Values(EasterCase{2024, 3, 31}, EasterCase{2025, 4, 20},
                                           EasterCase{2049, 4, 18}, EasterCase{2076, 4, 19},
                                           EasterCase{1954, 4, 18}, EasterCase{1981, 4, 19},
                                           EasterCase{1818, 3, 22}, EasterCase{1943, 4, 25},
                                           EasterCase{2000, 4, 23}, EasterCase{2038, 4, 25},
                                           EasterCase{1801, 4, 5}, EasterCase{2099, 4, 12}),
                         nakva::testing::CaseName());

TEST(Easter, AgreesWithTheShortenedRuleExceptInItsSeventeenWrongYears) {
    std::set<int> differing;
    for (int year = MinYear; year <= MaxYear; ++year) {
        const Date exact = dateFromYmd(easterSunday(year));
        ASSERT_EQ(weekday(exact), 0) << year;
        if (exact != shortenedRuleEaster(year)) {
            differing.insert(year);
        }
    }
    EXPECT_EQ(differing.size(), 17U);
    int nineteenthCentury = 0;
    for (int year : differing) {
        nineteenthCentury += year < 1900 ? 1 : 0;
    }
    EXPECT_EQ(nineteenthCentury, 13);
    for (int year : {1954, 1981, 2049, 2076}) {
        EXPECT_TRUE(differing.count(year)) << year;
    }
}

TEST(Holidays, FixedDaysAndNothingElse) {
    struct Case {
        int month;
        int day;
        bool holiday;
    };
    const Case cases[] = {{1, 1, true},   {2, 16, true},  {3, 11, true},  {5, 1, true},    {7, 6, true},
                          {11, 1, true},  {12, 25, true}, {12, 26, true}, {12, 24, false}, {2, 17, false},
                          {4, 22, false}, {6, 24, false}, {8, 15, false}, {4, 19, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(isPublicHoliday(2025, c.month, c.day), c.holiday) << c.month << "-" << c.day;
    }
}

class CalendarModelTest : public ::testing::Test {
protected:
    ScriptedMessages messages;
    ScopedMessageSink guard{messages};
    const Date today = ymd(2026, 12, 7);
};

TEST_F(CalendarModelTest, MonthLayoutFromMondayWithBlankCells) {
    struct Case {
        int year;
        int month;
        int firstWeekday; // 1 = Monday
        int length;
    };
    const Case cases[] = {{2028, 2, 2, 29}, {1900, 2, 4, 28}, {2027, 2, 1, 28},
                          {2026, 3, 7, 31}, {2025, 4, 2, 30}, {2024, 9, 7, 30}};
    for (const Case& c : cases) {
        const CalendarModel model(ymd(c.year, c.month, 1), today);
        EXPECT_EQ(model.firstWeekday(), c.firstWeekday) << c.year << "-" << c.month;
        int shown = 0;
        for (int cell = 1; cell <= CalendarModel::CellCount; ++cell) {
            const int day = model.cellDay(cell);
            if (day != 0) {
                EXPECT_EQ(day, ++shown) << "cell " << cell;
                EXPECT_EQ(cell, day + c.firstWeekday - 1);
            }
        }
        EXPECT_EQ(shown, c.length) << c.year << "-" << c.month;
    }
    // A 31-day month starting on Sunday uses the 37th cell.
    EXPECT_EQ(CalendarModel(ymd(2026, 3, 1), today).cellDay(37), 31);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(CalendarModelTest, KeysMoveTheHighlightedDay) {
    struct Case {
        Date from;
        CalendarKey key;
        Date to;
    };
    const Case cases[] = {
        {ymd(2025, 1, 31), CalendarKey::Right, ymd(2025, 2, 1)},
        {ymd(2025, 3, 1), CalendarKey::Left, ymd(2025, 2, 28)},
        {ymd(2025, 1, 15), CalendarKey::Up, ymd(2024, 12, 15)},
        {ymd(2025, 12, 15), CalendarKey::Down, ymd(2026, 1, 15)},
        {ymd(2024, 3, 31), CalendarKey::Up, ymd(2024, 2, 29)},
        {ymd(2024, 2, 29), CalendarKey::PageUp, ymd(2025, 2, 28)},
        {ymd(2024, 5, 10), CalendarKey::PageDown, ymd(2023, 5, 10)},
        {ymd(1999, 5, 10), CalendarKey::Home, ymd(2026, 12, 7)},
    };
    for (const Case& c : cases) {
        CalendarModel model(c.from, today);
        model.press(c.key);
        EXPECT_EQ(formatDate(model.selected()), formatDate(c.to)) << formatDate(c.from);
        EXPECT_EQ(model.openedWith(), c.from);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(CalendarModelTest, YearOutsideTheRangeIsCorrectedWithItsMessage) {
    struct Case {
        Date from;
        CalendarKey key;
        Date to;
        const char* text;
    };
    const Case cases[] = {
        {ymd(1801, 6, 1), CalendarKey::PageDown, ymd(1801, 6, 1),
         "Data negali būti ankstesnė negu 1801 metai. \n"},
        {ymd(1801, 1, 10), CalendarKey::Up, ymd(1801, 12, 10),
         "Data negali būti ankstesnė negu 1801 metai. \n"},
        {ymd(2099, 6, 1), CalendarKey::PageUp, ymd(2099, 6, 1),
         "Data negali būti vėlesnė negu 2099 metai. \n"},
        {ymd(2099, 12, 31), CalendarKey::Right, ymd(2099, 1, 1),
         "Data negali būti vėlesnė negu 2099 metai. \n"},
    };
    for (const Case& c : cases) {
        messages.clear();
        CalendarModel model(c.from, today);
        model.press(c.key);
        EXPECT_EQ(formatDate(model.selected()), formatDate(c.to));
        ASSERT_EQ(messages.shown().size(), 1U);
        EXPECT_EQ(messages.shown()[0].text, c.text);
        EXPECT_EQ(messages.shown()[0].title, "Data už ribų.");
        EXPECT_EQ(messages.shown()[0].buttons, unsigned{ButtonOk});
    }
    CalendarModel typed(ymd(2000, 2, 29), today);
    typed.setYear(1700);
    EXPECT_EQ(formatDate(typed.selected()), "1801-02-28");
    typed.setYear(3000);
    EXPECT_EQ(formatDate(typed.selected()), "2099-02-28");
}

TEST_F(CalendarModelTest, OpensOnTodayWithoutADateAndPicksOnlyDayCells) {
    CalendarModel model(NoDate, today);
    EXPECT_EQ(model.selected(), today);
    EXPECT_EQ(model.openedWith(), NoDate);
    EXPECT_FALSE(model.pickCell(1)); // December 2026 starts on Tuesday: cell 1 is blank
    EXPECT_EQ(model.selected(), today);
    EXPECT_TRUE(model.pickCell(2));
    EXPECT_EQ(formatDate(model.selected()), "2026-12-01");
    model.setMonth(2);
    EXPECT_EQ(formatDate(model.selected()), "2026-02-01");
}

} // namespace
} // namespace nakva
