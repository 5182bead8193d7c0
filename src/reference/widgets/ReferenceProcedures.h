#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// The reference lists as the menu starts them (each with a procedure context of its own) and as other
// windows call them for a selection, by name (SelectionLists.h): the six simple lists with their forms,
// the selection-only payment methods and the VAT rates with their i.SAF codes.
void registerReferenceProcedures(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
