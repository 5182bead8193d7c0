#pragma once

#include <ostream>

namespace nakva {

class CommandLine;
class Database;
struct TableDef;

// The administrator's way to remove records or correct a value everywhere at once:
//   delete TABLE --filter EXPR [--set NAME=VALUE ...] [--yes]
//   update TABLE --filter EXPR [--set NAME=VALUE ...] --field NAME=VALUE ... [--yes]
// The records the filter selects are read first; then each goes through the program's own guarded
// delete or change, as a batch procedure does, so refusals, cascades to the children and the check for
// another station's changes are exactly the program's. Each message the program would show goes to the
// message sink with its title; what is done to each record goes to `out`. Without --yes nothing is
// written: the records are only listed with what would happen to them. ExitOk when every record
// succeeded.
int deleteCommand(Database& database, const TableDef& table, const CommandLine& line, std::ostream& out);
int updateCommand(Database& database, const TableDef& table, const CommandLine& line, std::ostream& out);

} // namespace nakva
