#pragma once

#include "data/Date.h"
#include "data/Decimal.h"

#include <cstdint>

namespace nakva {

class Context;

// What the room service reports print for one room, computed from the occupancy operations
// (RoomOccupancy.h) and the housekeeping logs. Reads go through handles and views of their own: the
// caller's buffers of the rooms and its current records stay as they are.

// An unprepared room (`SpNepKmbSar`): free, vacated at least once, and not cleaned since its guest
// left: its latest cleaning is dated on or before its last departure (a cleaning on the departure day
// itself does not prepare it). A room never cleaned, never vacated, or occupied is not listed.
// The room's latest cleaning entry, read along KVAL:KEY_KMBDT through a handle of its own; found is
// false when the room has none.
struct LatestCleaning {
    Date date = NoDate;
    bool found = false;
    bool failed = false; // a read failed after its message
};
LatestCleaning latestCleaning(Context& context, std::int32_t roomId);

// The rule itself, on what was read: a room with a cleaning, not occupied, whose latest cleaning is
// dated on or before its last departure (NoDate when it was never vacated).
bool unpreparedRule(bool occupied, const LatestCleaning& cleaning, Date lastDeparture);

struct UnpreparedRoom {
    bool listed = false;
    Date lastDeparture = NoDate;
    Date lastCleaning = NoDate; // set when listed
    bool failed = false;        // a read failed after its message
};
UnpreparedRoom unpreparedRoom(Context& context, std::int32_t roomId);

// A room's line of the room service statistics (`SpKmbStat`) for the period [from, to]: the three
// logs' quantities, the residents, bed-days and records of its stays, and its income rounded to 2
// decimals, so that the sums of the printed lines are the printed totals.
struct RoomServiceLine {
    Decimal cleanings;
    Decimal bedding;
    Decimal towels;
    std::int64_t residents = 0;
    std::int64_t bedDays = 0;
    std::int64_t records = 0;
    Decimal income;
    bool failed = false;
};
RoomServiceLine roomServiceLine(Context& context, std::int32_t roomId, Date from, Date to);

} // namespace nakva
