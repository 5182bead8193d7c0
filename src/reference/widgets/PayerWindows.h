#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// The payers list `SarKlient` as the "Mokėtojai" menu item starts it (with a procedure context of its
// own) and as other windows call it for a selection, by name, with its copy and print menu; the
// smaller selection list `SelectKlient`; both with the payer form `UpdateKlient`.
void registerPayerWindows(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
