#pragma once

#include "data/Date.h"
#include "data/Decimal.h"

#include <cstdint>
#include <string_view>

namespace nakva {

class Context;

// The figures the occupancy and income statistics count with, apart from their pages: a stay's
// nights in a period, the occupancy percentage, a stay's income attributed to a period, and the
// number of rooms.

// The nights of a stay that fall in the period [from, to]: the nights are the days from the arrival
// up to the day before the departure (a stay from the 3rd to the 5th has the nights of the 3rd and
// the 4th).
std::int64_t nightsInPeriod(Date from, Date to, Date arrival, Date departure);

// Used room-days as a percentage of the planned ones, with two decimals (halves away from zero); 0
// when nothing was planned (a type without rooms, an empty period). Rooms used by two stays on one
// night count twice, so it can pass 100.
Decimal occupancyPercent(std::int64_t used, std::int64_t planned);

// A stay's invoice amounts attributed to a period in proportion to its nights in it, N ÷ S of each
// amount (N its nights in the period, S all its nights). A stay that arrives and departs on one day
// has no night: the period holding that day takes its amounts whole.
//
// Each share is the difference of two rounded running parts: the part of the nights up to the
// period's end less the part of the nights before its start, each rounded to cents (halves away from
// zero). So the shares of consecutive periods (the months of a year) add up to the invoice exactly,
// to the cent. The VAT share is the share with VAT less the share without, so the columns add up.
struct IncomeShare {
    std::int64_t nights = 0; // N
    Decimal withoutVat;
    Decimal vat;
    Decimal withVat;
};
IncomeShare incomeShare(Date from, Date to, Date arrival, Date departure, const Decimal& withoutVat,
                        const Decimal& withVat);

// The rooms of one type (`KMB:KambarioTipas` compared as its key compares it, regardless of letter
// case), and all rooms whatever their type or use: the planned room-days of the occupancy summary.
// A blank type names no type: it counts 0 rooms (so the stays in rooms without a type show their
// room-days used against none planned). The counting reads through a handle of its own, so the
// rooms' buffer on the context keeps its record. A read that fails has shown its warning and says
// `failed`.
struct RoomCount {
    std::int64_t rooms = 0;
    bool failed = false;
};
RoomCount roomsOfType(Context& context, std::string_view type);
RoomCount allRooms(Context& context);

} // namespace nakva
