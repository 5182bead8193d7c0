#pragma once

#include "data/Position.h"
#include "data/Record.h"
#include "ui/FormConfig.h"
#include "ui/ListConfig.h"

#include <optional>
#include <string_view>

namespace nakva {

class Table;

// The room register: the room list `SarKamb` ("Kambarių sąrašas") and the room form `RedKamb`
// ("KAMBARYS"). Only their data and their own logic; what the common list and form do with it is theirs.

// The list's three tabs in screen order: by type (filtered by the type in RoomTypeVariable, chosen on
// the tab and kept for the program run: blank when the list first opens, then whatever it was last set
// to), by building, floor and number, by ID. Each row's number carries the occupancy dot: "dotfull" for
// a room that a registration not yet departed holds, "dotempty" otherwise. An insert on the type tab
// gets the filter's type.
ListConfig SarKamb();
inline constexpr std::string_view RoomTypeVariable = "LOC:KambarioTipas";
inline constexpr int RoomTypeTab = 0;

// Copies the room in the buffer of `rooms` (its current record) as the room with the highest ID + 1
// (the copied room's ID + 1 when the highest cannot be read), in a transaction on `Kamb`. The copy's
// position, or nothing after the failure has been shown.
std::optional<Position> copyRoom(Table& rooms);

// The room form: the room's data on its first tab, the ID numbered when the form opens, the type
// looked up in the room types, the "not in use" flag as a check box; the four further tabs hold the
// room's history (RoomHistory), which the form's window shows.
FormConfig RedKamb();
inline constexpr int RoomHistoryTabs = 4;

// The view-only history lists on the form's tabs 1..4: the registrations that held the room, its
// cleanings, bedding changes and towel changes. Each shows the rows of the room bound as
// RoomHistoryVariable.
enum class RoomHistory { Residents, Cleanings, Bedding, Towels };
ListConfig roomHistory(RoomHistory history);
inline constexpr std::string_view RoomHistoryVariable = "LOC:KambarioID";

} // namespace nakva
