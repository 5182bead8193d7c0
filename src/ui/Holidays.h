#pragma once

#include "data/Date.h"

namespace nakva {

// Easter Sunday of a Gregorian year by the full Gregorian computus (epact with the solar and lunar
// corrections), valid for every year the program supports.
YearMonthDay easterSunday(int year);

// The public holidays the calendar marks in red: 1 January, 16 February, 11 March, 1 May, 6 July,
// 1 November, 25 and 26 December, Easter Sunday and Easter Monday.
bool isPublicHoliday(int year, int month, int day);

} // namespace nakva
