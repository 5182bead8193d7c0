#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// The services list `SarPaslaug` as the "Paslaugos" menu item starts it (with a procedure context of its
// own) and as other windows call it for a selection, by name (the invoice lines, the report dialogs,
// the institution settings); both with the service form, the copy, the print menu and the group tab's
// group chooser.
void registerServiceWindows(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
