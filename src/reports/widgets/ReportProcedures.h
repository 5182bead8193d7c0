#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// Every report of the catalog as a menu procedure ("SpPaslSar" for "Paslaugų sąrašas", "SpKliSar" for
// "Mokėtojų sąrašas"): each start is a report window with a procedure context of its own.
void registerReportProcedures(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
