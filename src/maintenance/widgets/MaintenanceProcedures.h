#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// The menu's maintenance procedures: "SalintiSenus" (the removal of old registrations, with its
// confirmation) and "Nuasmeninti" (the anonymisation of payers, at once with its progress).
void registerMaintenanceProcedures(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
