#include "ui/Holidays.h"

namespace nakva {

YearMonthDay easterSunday(int year) {
    const int golden = year % 19;
    const int century = year / 100;
    const int yearInCentury = year % 100;
    const int solar = century / 4;        // leap days skipped by the Gregorian reform
    const int lunar = (century + 8) / 25; // the moon's drift against the mean cycle
    const int lunarCorrection = (century - lunar + 1) / 3;
    const int epact = (19 * golden + century - solar - lunarCorrection + 15) % 30;
    const int weekdayOffset =
        (32 + 2 * (century % 4) + 2 * (yearInCentury / 4) - epact - yearInCentury % 4) % 7;
    const int exception = (golden + 11 * epact + 22 * weekdayOffset) / 451;
    const int daysFromMarch = epact + weekdayOffset - 7 * exception + 114;
    return {year, daysFromMarch / 31, daysFromMarch % 31 + 1};
}

bool isPublicHoliday(int year, int month, int day) {
    struct MonthDay {
        int month;
        int day;
    };
    static constexpr MonthDay fixed[] = {{1, 1}, {2, 16}, {3, 11},  {5, 1},
                                         {7, 6}, {11, 1}, {12, 25}, {12, 26}};
    for (const MonthDay& holiday : fixed) {
        if (holiday.month == month && holiday.day == day) {
            return true;
        }
    }
    const Date easter = dateFromYmd(easterSunday(year));
    const Date date = dateFromYmd(year, month, day);
    return date != NoDate && (date == easter || date == easter + 1);
}

} // namespace nakva
