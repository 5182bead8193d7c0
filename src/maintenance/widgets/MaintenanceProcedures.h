#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// The menu's maintenance procedures, each behind the access code: "SalintiSenus" (the removal of old
// registrations) and "Nuasmeninti" (the anonymisation of payers).
void registerMaintenanceProcedures(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
