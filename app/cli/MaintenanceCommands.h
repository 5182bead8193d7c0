#pragma once

#include <ostream>

namespace nakva {

class CommandLine;
class Database;

// nakva-cli remove-old --to DATE --code CODE and nakva-cli anonymise --code CODE: the program's
// maintenance processes behind the same access code, with their progress on `progress` (standard
// error) and the outcome on `out`.
int removeOldCommand(Database& database, const CommandLine& line, std::ostream& out, std::ostream& progress);
int anonymiseCommand(Database& database, const CommandLine& line, std::ostream& out, std::ostream& progress);

} // namespace nakva
