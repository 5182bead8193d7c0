#pragma once

#include "data/Date.h"
#include "data/Decimal.h"

#include <cstdint>
#include <functional>
#include <string>

namespace nakva {

class Context;
class Record;

// The room-level questions answered from registrations and housekeeping logs: is a room occupied, when
// did its last guest leave, how many days a stay shares with a period, and what each room held in a
// period. The room lists, the registration lists, the room service reports and the occupancy
// statistics all ask here.
//
// Each operation opens the tables it reads on the caller's context (counted, closed again before it
// returns), reads through a view of its own and closes it, so it may run while other views of the same
// tables are open on that context. Registrations are read through the second buffers SKMB1 and SAS1,
// which belong to these operations and hold the last row read afterwards; the main buffers and their
// current records are never touched. The housekeeping logs, having no second buffer, are read through
// handles of their own.
//
// A read that fails is reported to the user where it happens (warning 36 for a view that cannot be
// opened, 26 for a read that breaks off); the result then says `failed` and holds what was read
// before the failure.

// `KmbUzimtas`: whether the room is occupied now, that is whether a registration that is not departed
// holds it. Dates of stay play no part: a registration occupies its rooms from the moment it is
// entered until it is marked departed. A room row whose registration no longer exists occupies
// nothing.
struct RoomOccupied {
    bool occupied = false;
    bool failed = false;
};
RoomOccupied KmbUzimtas(Context& context, std::int32_t roomId);

// `KmbPaskIsvykimas`: the latest departure date among the departed registrations of the room; NoDate
// when it has none.
struct RoomLastDeparture {
    Date departure = NoDate;
    bool failed = false;
};
RoomLastDeparture KmbPaskIsvykimas(Context& context, std::int32_t roomId);

// `DienuSankirta`: the number of days that the inclusive day ranges [from1, to1] and [from2, to2]
// share; 0 when they share none or either range is empty. Applied to a stay, the second range is its
// nights: arrival to departure - 1 (the departure day is never a night).
std::int64_t DienuSankirta(std::int64_t from1, std::int64_t to1, std::int64_t from2, std::int64_t to2);

// `KmbGyvStat`: the residence of a room in the period [from, to]. Every stay in the room that ends in
// the period, starts in it or spans it counts, departed or not: one record each, its residents in the
// room, and its nights in the period times those residents as bed-days. The income adds each stay's
// room price times its nights in the period (an exact decimal product) as a floating-point number.
// A stay departing on the period's first day counts as a record with its residents but has no night
// in the period.
struct RoomResidence {
    std::int64_t records = 0;
    std::int64_t residents = 0;
    std::int64_t bedDays = 0;
    double income = 0;
    bool failed = false;
};
RoomResidence KmbGyvStat(Context& context, std::int32_t roomId, Date from, Date to);

// `KmbValKiekis`, `KmbPatKiekis`, `KmbRankKiekis`: the sum of the quantities that the room's cleaning,
// bedding-change and towel-change logs hold for the days from `from` to `to` inclusive; 0 when none.
// The quantities are summed exactly.
struct RoomServiceQuantity {
    Decimal quantity;
    bool failed = false;
};
RoomServiceQuantity KmbValKiekis(Context& context, std::int32_t roomId, Date from, Date to);
RoomServiceQuantity KmbPatKiekis(Context& context, std::int32_t roomId, Date from, Date to);
RoomServiceQuantity KmbRankKiekis(Context& context, std::int32_t roomId, Date from, Date to);

// The stays that touch the days from `first` to `last` (inclusive): every room of a registration (the
// SKMB1 row) with its registration (SAS1), departed or not, arriving on or before `last` and leaving on
// or after `first`. One query, read along the registrations' departure key from `first` on, so that the
// years of stays that left before it are never read. The room grid draws its days from it; the
// registration forms ask it whether a stay's nights are taken.
inline constexpr const char* StaysTouchingFilter =
    "SAS1:GyvenaIki >= LOC:PrDt AND SAS1:GyvenaNuo <= LOC:GalDt";
inline constexpr const char* StaysTouchingOrder = "+SAS1:GyvenaIki";
using StayRowEach = std::function<void(const Record& room, const Record& registration)>;
// False after a read failure (shown); `each` has then seen the rows read before it.
bool forEachStayTouching(Context& context, Date first, Date last, const StayRowEach& each);
// The same reader on a filter and order of the caller's over the same join, LOC:PrDt and LOC:GalDt
// bound to `from` and `to`: the grid's readiness reads the departed stays since a day by it.
bool forEachStay(Context& context, const char* filter, const char* order, Date from, Date to,
                 const StayRowEach& each);

// A night a room is already taken: of the nights from `arrival` to `departure` - 1, the first that a
// stay of the room holds under a registration other than `registration` and not departed (a stay that
// arrives and leaves on one day holds none). Read by the stays that touch those nights; nothing to find
// for a stay without a night. `failed` after a read failure (shown).
struct TakenNight {
    bool found = false;
    bool failed = false;
    Date night = NoDate;
    // The stay that holds it.
    std::int32_t registration = 0;
    std::string guest;
    Date arrival = NoDate;
    Date departure = NoDate;
};
TakenNight takenNight(Context& context, std::int32_t roomId, Date arrival, Date departure,
                      std::int32_t registration);

} // namespace nakva
