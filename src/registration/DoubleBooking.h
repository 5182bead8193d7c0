#pragma once

#include "data/Date.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace nakva {

class Context;
class FormEngine;
struct TakenNight;

// A stay put into a room that another stay already holds on some of its nights. The register allows
// it (a party may share a room, a booking may overlap a late departure), so it is never refused; but
// it is asked before it is written, when an occupied room is saved and when a registration's dates or
// its departure change, so that a second booking by mistake is seen at once and not only when the grid
// turns red:
//
//     Kambarys 101 2026-12-08 jau užimtas: Kazlauskas Jonas, 2026-12-07 – 2026-12-10. Vis tiek įrašyti?
//
// The room by its number as on the door, the first night taken, and the stay that holds it.
std::string roomTakenQuestion(std::string_view room, const TakenNight& taken);

// Asks when a night of the stay from `arrival` to `departure` in the room is held by another current
// registration than `registration` (takenNight). True when none is, or the user answers "Taip"; false
// on "Ne" and after a read failure (shown).
bool confirmRoomFree(Context& context, std::int32_t roomId, Date arrival, Date departure,
                     std::int32_t registration);
// The same for every room of the registration, in their order, until one is answered "Ne".
bool confirmRoomsFree(Context& context, std::int32_t registration, Date arrival, Date departure);

// The occupied-room form's question on saving a room it did not hold when it opened (a new row, or
// another room chosen): the registration's dates as the registration form holds them. False keeps the
// form open with the focus on the room.
bool confirmOccupiedRoom(FormEngine& form);

} // namespace nakva
