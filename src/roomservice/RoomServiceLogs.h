#pragma once

#include "data/Dictionary.h"
#include "ui/FormConfig.h"
#include "ui/ListConfig.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Context;

// The housekeeping logs of "Kambarių aptarnavimas": cleanings `SarKmbVal` / `RedKmbVal`, bedding
// changes `SarKmbPatal` / `RedKmbPatal` and towel changes `SarKmbRanks` / `RedKmbRanks`, and the room
// selection window that their forms, their one-room tabs and the occupied-room form pick rooms in.
// Only their data and their own logic; what the common list and form do with it is theirs.

// The room selection window "Pasirinkite kambarį:" (`SelectKamb`): the room list's tabs, orders, type
// filter and occupancy dots without its not-in-use column, "Pasirinkti" and no insert, change or
// delete. Its type filter is kept for the program run apart from the room list's; with no type to
// start from, it opens on the room-number tab.
ListConfig SelectKamb();
inline constexpr std::string_view SelectKambName = "SelectKamb";
// The window opened for a caller that passes a room (its ID in the room buffer on `context`): when a
// room has that ID, the buffer receives the whole room, where the window opens, and the type filter
// its type, so that an empty remembered type does not hide it. Otherwise as SelectKamb().
ListConfig SelectKambAt(Context& context);

// The three logs' lists. Cleanings: by date (with the date locator), one room (the room chosen on the
// tab, its building, floor and number beside), one cleaner (chosen on the tab). Bedding and towels: by
// date and one room (its floor, number and type beside); bedding's one room never shows the entries
// without a room, towels' shows them when room 0 is chosen. A new entry made on a filtered tab gets
// its room or cleaner.
ListConfig SarKmbVal();
ListConfig SarKmbPatal();
ListConfig SarKmbRanks();
inline constexpr std::string_view LogRoomVariable = "LOC:KambarioID";
inline constexpr std::string_view LogCleanerVariable = "LOC:ValytPav";
inline constexpr int LogRoomTab = 1;
inline constexpr int LogCleanerTab = 2;

// The three forms: the entry number given when the form opens, the date (the working date for a new
// entry), the room looked up through the room selection window with its building, floor, number and
// type beside, the cleaner looked up in the cleaners (cleanings only) and the quantity. Accepting a
// room sets the quantity to the room's planned residents; room 0 or a room not found leaves it.
FormConfig RedKmbVal();
FormConfig RedKmbPatal();
FormConfig RedKmbRanks();

// The room's building, floor (blank for 0), number and type, read through a handle of their own;
// blanks for 0 and for an ID no room has.
struct RoomTexts {
    std::string building;
    std::string floor;
    std::string number;
    std::string type;
};
RoomTexts roomTexts(Context& context, std::int32_t room);

} // namespace nakva
