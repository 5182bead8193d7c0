#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// The room list `SarKamb` as the "Kambariai" menu item starts it (with a procedure context of its own)
// and as other windows call it for a selection, by name; both with the room form `RedKamb`, the copy,
// the print menu and the type filter field.
void registerRoomWindows(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
