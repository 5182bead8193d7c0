#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// The registration lists as the menu starts them ("SarSaskait" at start-up and from "Gyventojai",
// "SarSaskaitVisi" from "Archyvas"), each with a procedure context of its own, and the record forms
// other windows open by name (RecordForms.h): the registration form "RedSaskait" and the occupied-room
// form "UpdateSaskKmb".
void registerRegistrationProcedures(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
