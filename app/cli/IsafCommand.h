#pragma once

#include <ostream>

namespace nakva {

class CommandLine;
class Database;

// `nakva-cli isaf [--from DATE --to DATE] [--out FILE]`: the register of issued invoices for the tax
// authority, as the menu item makes it (reports/IsafExport.h): last month unless the dates are given,
// into iSAF_<įmonės kodas>_<yyyy-mm>.xml in the current folder unless --out names the file. Every
// problem that stops it goes to standard error, each on a line of its own.
int isafCommand(Database& database, const CommandLine& line, std::ostream& out);

} // namespace nakva
