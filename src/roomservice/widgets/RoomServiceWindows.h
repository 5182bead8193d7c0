#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// The logs of "Kambarių aptarnavimas" as menu procedures (`SarKmbVal`, `SarKmbPatal`, `SarKmbRanks`),
// each with its record form, and the room selection window as the selection list "SelectKamb".
void registerRoomServiceWindows(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
