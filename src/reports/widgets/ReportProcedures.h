#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// Every report of the catalog as a menu procedure ("SpPaslSar" for "Paslaugų sąrašas", "SpKliSar" for
// "Mokėtojų sąrašas", "SpSaskSuvData" for "Sąskaitų žiniaraštis"): each start is a report window with a
// procedure context of its own. The reports about a list's current record (the invoices) are no menu
// procedures: a list runs them on its own context (runCatalogReport in ReportWindow.h). Beside them
// "ISafRegistras", the register of issued invoices for the tax authority (IsafWindow.h).
void registerReportProcedures(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
