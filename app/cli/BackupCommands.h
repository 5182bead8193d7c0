#pragma once

#include <ostream>

namespace nakva {

class CommandLine;
class Database;

// nakva-cli backup [--to FOLDER] [--keep N] and nakva-cli restore FOLDER (maintenance/Backup.h).
int backupCommand(const Database& database, const CommandLine& line, std::ostream& out);
int restoreCommand(const Database& database, const CommandLine& line, std::ostream& out);

} // namespace nakva
