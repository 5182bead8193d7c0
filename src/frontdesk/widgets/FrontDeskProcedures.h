#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// The front desk's windows as the menu and the toolbar start them, each with procedure contexts of
// its own: the room grid "KmbUzimtumas" and the day's lists "SarSiandien".
void registerFrontDeskProcedures(ProcedureRegistry& procedures, Database& database);

inline constexpr const char* RoomGridProcedure = "KmbUzimtumas";
inline constexpr const char* TodayProcedure = "SarSiandien";

} // namespace nakva
