#include "ui/CalendarModel.h"

#include "messages/Message.h"
#include "ui/Holidays.h"

#include <algorithm>

namespace nakva {

namespace {

int clampYear(int year) {
    if (year >= MinYear && year <= MaxYear) {
        return year;
    }
    const bool early = year < MinYear;
    MessageRequest request;
    request.text = early ? "Data negali būti ankstesnė negu 1801 metai. \n"
                         : "Data negali būti vėlesnė negu 2099 metai. \n";
    request.title = "Data už ribų.";
    request.buttons = ButtonOk;
    showMessage(request);
    return early ? MinYear : MaxYear;
}

} // namespace

CalendarModel::CalendarModel(Date date, Date today) : openedWith_(date), today_(today) {
    showDate(date == NoDate ? today : date);
}

int CalendarModel::firstWeekday() const {
    const int w = weekday(dateFromYmd(year_, month_, 1));
    return w == 0 ? 7 : w;
}

int CalendarModel::cellDay(int cell) const {
    const int day = cell - firstWeekday() + 1;
    return cell >= 1 && cell <= CellCount && day >= 1 && day <= monthLength(year_, month_) ? day : 0;
}

bool CalendarModel::isHoliday(int dayOfMonth) const {
    return isPublicHoliday(year_, month_, dayOfMonth);
}

void CalendarModel::press(CalendarKey key) {
    switch (key) {
    case CalendarKey::Left:
        showDate(selected() - 1);
        break;
    case CalendarKey::Right:
        showDate(selected() + 1);
        break;
    case CalendarKey::Up:
        month_ == 1 ? show(year_ - 1, 12, day_) : show(year_, month_ - 1, day_);
        break;
    case CalendarKey::Down:
        month_ == 12 ? show(year_ + 1, 1, day_) : show(year_, month_ + 1, day_);
        break;
    case CalendarKey::PageUp:
        show(year_ + 1, month_, day_);
        break;
    case CalendarKey::PageDown:
        show(year_ - 1, month_, day_);
        break;
    case CalendarKey::Home:
        showDate(today_);
        break;
    }
}

void CalendarModel::setYear(int year) {
    show(year, month_, day_);
}

void CalendarModel::setMonth(int month) {
    show(year_, std::clamp(month, 1, 12), day_);
}

bool CalendarModel::pickCell(int cell) {
    const int day = cellDay(cell);
    if (day == 0) {
        return false;
    }
    day_ = day;
    return true;
}

void CalendarModel::show(int year, int month, int day) {
    year_ = clampYear(year);
    month_ = month;
    day_ = std::min(day, monthLength(year_, month_));
}

void CalendarModel::showDate(Date date) {
    const YearMonthDay ymd = ymdFromDate(date);
    show(ymd.year, ymd.month, ymd.day);
}

} // namespace nakva
