#pragma once

#include "data/Position.h"
#include "data/Record.h"
#include "ui/FormConfig.h"
#include "ui/ListConfig.h"

#include <optional>
#include <string_view>

namespace nakva {

class ListEngine;
class Table;

// The room register: the room list `SarKamb` ("Kambarių sąrašas") and the room form `RedKamb`
// ("KAMBARYS"). Only their data and their own logic; what the common list and form do with it is theirs.

// The list's three tabs in screen order: by type (filtered by the type in RoomTypeVariable), by
// building, floor and number, by ID. Each row's number carries the occupancy dot: "dotfull" for a room
// that a registration not yet departed holds, "dotempty" otherwise. An insert on the type tab gets the
// filter's type.
ListConfig SarKamb();
inline constexpr std::string_view RoomTypeVariable = "LOC:KambarioTipas";
inline constexpr int RoomTypeTab = 0;

// The type filter's value for the program run: blank when the list first opens, then whatever it was
// last set to, in every room list opened afterwards.
const std::string& roomTypeFilter();

// The type filter field accepted with `typed`. A blank value shows the rooms without a type; a type is
// looked up in the room types and taken as stored; a type not found opens the room type list (`choose`,
// on the list's context, at the typed value) and takes the chosen one. The list is read again from the
// top. False, with nothing changed, when the typed text is refused or the choice is cancelled: the
// cursor stays in the field.
bool acceptRoomType(ListEngine& list, std::string_view typed, const SelectCall& choose);
// The look-up button (or Ctrl+Down) of the field: the room type list at the present value; a chosen
// type replaces it and the list is read again. False when cancelled.
bool chooseRoomType(ListEngine& list, const SelectCall& choose);

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
