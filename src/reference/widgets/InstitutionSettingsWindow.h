#pragma once

#include "ui/Requests.h"

class QWidget;

namespace nakva {

class Database;
class ProcedureRegistry;

// The institution settings form "ĮSTAIGOS DUOMENYS, NUSTATYMAI" in a window of its own, with a
// procedure context of its own, on the single IstgPar record: what the menu item "Nustatymai, įstaigos
// duomenys" starts (request change). Insert and delete show warnings 19 and 21, and the window closes
// at once, as it does when the record cannot be read. After the form the shared buffer holds the
// stored record again.
QWidget* openInstitutionSettings(Database& database, Request request);

// Registers the menu's "RedIstgPar".
void registerInstitutionSettings(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
