#pragma once

#include "data/Date.h"

namespace nakva {

enum class CalendarKey { Left, Right, Up, Down, PageUp, PageDown, Home };

// The calendar "Kalendorius" without its window: the shown month, the highlighted day, the 37 day
// cells of a Monday-to-Sunday layout and the keys. The shown year stays within 1801..2099: a change
// that leaves the range is corrected with the message "Data už ribų.".
class CalendarModel {
public:
    static constexpr int CellCount = 37;

    // Opens on `date`, or on `today` when the date is not set.
    CalendarModel(Date date, Date today);

    Date openedWith() const { return openedWith_; }
    Date selected() const { return dateFromYmd(year_, month_, day_); }
    int year() const { return year_; }
    int month() const { return month_; }
    int day() const { return day_; }

    // Weekday of the month's 1st: 1 = Monday .. 7 = Sunday.
    int firstWeekday() const;
    // The day of the month cell 1..37 shows, 0 when the cell is blank.
    int cellDay(int cell) const;
    int selectedCell() const { return day_ + firstWeekday() - 1; }
    bool isHoliday(int dayOfMonth) const;

    void press(CalendarKey key);
    void setYear(int year);   // a typed year
    void setMonth(int month); // chosen in the drop list, 1..12
    // A click on a cell: true and the cell's day highlighted when the cell is not blank.
    bool pickCell(int cell);

private:
    // Shows the given day; an out-of-range year is corrected with its message and the day kept
    // within the month.
    void show(int year, int month, int day);
    void showDate(Date date);

    Date openedWith_;
    Date today_;
    int year_ = MinYear;
    int month_ = 1;
    int day_ = 1;
};

} // namespace nakva
