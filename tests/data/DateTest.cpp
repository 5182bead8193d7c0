#include "data/Date.h"

#include <gtest/gtest.h>

namespace nakva {
namespace {

TEST(DateTest, DayNumbersOfKnownDays) {
    struct Case {
        int year, month, day;
        Date number;
        int weekday;
    };
    const Case cases[] = {
        {1801, 1, 1, 4, 4},                           // a Thursday
        {1801, 1, 2, 5, 5},      {1801, 3, 1, 63, 0}, // 1801 is no leap year: January 31 + February 28 days
        {2024, 4, 14, 81557, 0},                      // a Sunday
        {2024, 4, 15, 81558, 1}, {2099, 12, 31, 109211, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(dateFromYmd(c.year, c.month, c.day), c.number);
        EXPECT_EQ(ymdFromDate(c.number), (YearMonthDay{c.year, c.month, c.day}));
        EXPECT_EQ(weekday(c.number), c.weekday);
    }
}

TEST(DateTest, EveryDayOfTheSupportedYearsRoundTrips) {
    const Date first = dateFromYmd(MinYear, 1, 1);
    const Date last = dateFromYmd(MaxYear, 12, 31);
    YearMonthDay previous{MinYear - 1, 12, 31};
    for (Date d = first; d <= last; ++d) {
        const YearMonthDay ymd = ymdFromDate(d);
        ASSERT_EQ(dateFromYmd(ymd), d);
        ASSERT_EQ(parseDate(formatDate(d)), d);
        const bool nextDay =
            ymd.year == previous.year && ymd.month == previous.month && ymd.day == previous.day + 1;
        const bool nextMonth = ymd.day == 1 && previous.day == monthLength(previous.year, previous.month);
        ASSERT_TRUE(nextDay || nextMonth) << formatDate(d);
        previous = ymd;
    }
}

TEST(DateTest, LeapYearsAndMonthLengths) {
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_TRUE(isLeapYear(2028));
    EXPECT_FALSE(isLeapYear(2027));
    EXPECT_EQ(monthLength(1900, 2), 28);
    EXPECT_EQ(monthLength(2028, 2), 29);
    EXPECT_EQ(monthLength(2024, 4), 30);
    EXPECT_EQ(monthLength(2024, 12), 31);
    EXPECT_EQ(monthLength(2024, 13), 0);
    EXPECT_EQ(dateFromYmd(2023, 2, 29), NoDate);
    EXPECT_EQ(dateFromYmd(2024, 13, 1), NoDate);
    EXPECT_EQ(monthStart(dateFromYmd(2024, 2, 17)), dateFromYmd(2024, 2, 1));
    EXPECT_EQ(monthEnd(dateFromYmd(2024, 2, 17)), dateFromYmd(2024, 2, 29));
    EXPECT_EQ(monthEnd(NoDate), NoDate);
}

TEST(DateTest, Formatting) {
    const Date d = dateFromYmd(2024, 4, 5);
    EXPECT_EQ(formatDate(d), "2024-04-05");
    EXPECT_EQ(formatDateNarrow(d), "24-04-05");
    EXPECT_EQ(formatDateNarrow(dateFromYmd(1801, 1, 1)), "01-01-01");
    EXPECT_EQ(writtenDate(dateFromYmd(2024, 4, 15)), "2024 m. balandžio 15 d.");
    EXPECT_EQ(writtenDate(dateFromYmd(2023, 1, 1)), "2023 m. sausio 1 d.");
    EXPECT_EQ(formatDate(NoDate), "");
    EXPECT_EQ(formatDateNarrow(NoDate), "");
    EXPECT_EQ(writtenDate(NoDate), "");
    EXPECT_EQ(genitiveMonthNames().front(), "sausio");
    EXPECT_EQ(genitiveMonthName(8), "rugpjūčio");
    EXPECT_EQ(genitiveMonthName(12), "gruodžio");
    EXPECT_EQ(genitiveMonthName(13), "");
}

TEST(DateTest, ParsingWhatUsersType) {
    struct Case {
        const char* text;
        Date expected;
    };
    const Date april15 = dateFromYmd(2024, 4, 15);
    const Case cases[] = {
        {"2024-04-15", april15},   {"2024.04.15", april15},
        {"2024/04/15", april15},   {"20240415", april15},
        {"  2024-4-15 ", april15}, {"", NoDate},
        {"   ", NoDate},           {"2024-02-29", dateFromYmd(2024, 2, 29)},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(parseDate(c.text, &error), c.expected) << c.text << ": " << error;
    }
}

TEST(DateTest, ParsingRefusesWithAReason) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"2023-02-29", "Tokios datos nėra: „2023-02-29“."},
        {"2024-13-01", "Tokios datos nėra: „2024-13-01“."},
        {"2024-04-31", "Tokios datos nėra: „2024-04-31“."},
        {"1800-12-31", "Data negali būti ankstesnė negu 1801 metai."},
        {"2100-01-01", "Data negali būti vėlesnė negu 2099 metai."},
        {"2024-04.15", "Neteisinga data „2024-04.15“: rašykite metus, mėnesį ir dieną, pvz. 2024-04-15."},
        {"15.04.2024", "Neteisinga data „15.04.2024“: rašykite metus, mėnesį ir dieną, pvz. 2024-04-15."},
        {"24-04-15", "Neteisinga data „24-04-15“: rašykite metus, mėnesį ir dieną, pvz. 2024-04-15."},
        {"2024-04-15x", "Neteisinga data „2024-04-15x“: rašykite metus, mėnesį ir dieną, pvz. 2024-04-15."},
        {"abc", "Neteisinga data „abc“: rašykite metus, mėnesį ir dieną, pvz. 2024-04-15."},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(parseDate(c.text, &error), std::nullopt) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

TEST(DateTest, TodayIsWithinTheSupportedYears) {
    const YearMonthDay ymd = ymdFromDate(today());
    EXPECT_GE(ymd.year, 2024);
    EXPECT_LE(ymd.year, MaxYear);
}

} // namespace
} // namespace nakva
