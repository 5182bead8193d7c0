#pragma once

#include "data/Date.h"
#include "data/Table.h"

#include <cstdint>
#include <string>
#include <vector>

namespace nakva {

class Context;

// The room grid `KmbUzimtumas` without its window: the rooms as rows, in the room list's order (type,
// building, floor, number, ID), the days from `first` as columns, and each stay of a room drawn across
// its nights. A stay occupies the nights from its arrival to the day before its departure; a stay that
// arrives and leaves on one day has no night and stands on its arrival day.
//
//     RoomGrid grid(context);
//     grid.build(glo().EINDT, 14);
//     for (int row = 0; row < grid.roomCount(); ++row)
//         for (int day = 0; day < grid.days(); ++day)
//             grid.cell(row, day) ... grid.stay(index)
//
// The stays are read by one query for the stays that touch the shown days (never the whole table):
// the rooms of registrations joined to their registrations, filtered by arrival and departure
// (forEachStayTouching, which the registration forms ask too). A room
// not in use stays a row (greyed by the window). A room is marked unprepared by the rule of the
// unprepared rooms' list: free, and its latest cleaning dated on or before its last departure.
struct GridRoom {
    std::int32_t id = 0;
    std::string type;
    std::string building;
    std::int32_t floor = 0;
    std::string number;
    bool inUse = true;
    bool unprepared = false;
    Date lastDeparture = NoDate; // as the rule read them: set for an unprepared room
    Date lastCleaning = NoDate;
};

struct GridStay {
    std::int32_t registration = 0;
    std::int32_t roomId = 0;
    int row = 0; // the room's row
    Date arrival = NoDate;
    Date departure = NoDate;
    std::string guest;
    std::int32_t residents = 0; // in the room (SKMB:KambarioGyventojuSkc)
    std::string invoice;        // series and number, "NKV 15"; empty without a number
    bool departed = false;
    bool sameDay = false; // arrival and departure on one day: no night
    // The columns its bar covers (inclusive), and whether it goes on beyond the first or last column.
    int firstColumn = 0;
    int lastColumn = 0;
    bool beforeFirst = false;
    bool afterLast = false;
};

class RoomGrid {
public:
    // The grid keeps the files it reads open on `context` while it lives, as a list keeps its tables:
    // reading it again (every time its window gets the focus) finds them open.
    explicit RoomGrid(Context& context);
    ~RoomGrid();
    RoomGrid(const RoomGrid&) = delete;
    RoomGrid& operator=(const RoomGrid&) = delete;

    // Reads the rooms and the stays for `days` days (at least one) from `first`. False when a read
    // failed (after its message); the grid then holds what was read before.
    bool build(Date first, int days);

    Date first() const { return first_; }
    int days() const { return days_; }
    Date day(int column) const { return first_ + column; }

    int roomCount() const { return int(roomRows_.size()); }
    const GridRoom& room(int row) const { return roomRows_.at(std::size_t(row)); }
    const std::vector<GridRoom>& rooms() const { return roomRows_; }
    int rowOfRoom(std::int32_t roomId) const; // -1 for none

    const std::vector<GridStay>& stays() const { return stays_; }
    const GridStay& stay(int index) const { return stays_.at(std::size_t(index)); }
    // The stays standing on a room's day, by their index: those that hold its night, in order of
    // arrival, then one arriving and leaving that day.
    const std::vector<int>& cell(int row, int column) const;
    // Two or more stays hold the room's night (the register allows it).
    bool overbooked(int row, int column) const;

private:
    bool readRooms();
    bool readStays();
    bool readReadiness();
    void place();

    Context& context_;
    Table rooms_;     // a handle of the grid's own: the context's room buffer stays as it was
    Table cleanings_; // kept open for the latest cleanings' reads

    Date first_ = NoDate;
    int days_ = 0;
    std::vector<GridRoom> roomRows_;
    std::vector<GridStay> stays_;
    std::vector<std::vector<int>> cells_; // row × days + column
};

} // namespace nakva
