#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace nakva {

class Database;

// Backups of the data folder. Each backup is a working folder of its own,
// <backups>/2026-12-07_113254/DATA/<Table>.tps, so that `nakva-cli check --dir` and `export --dir` read
// it as they read the live data. A backup is made under a hidden name and gets its dated name only
// when every file is in it: a folder with a dated name is always whole.

inline constexpr int DailyBackupsKept = 14;

// DATA/atsargines below the working folder: the program's own backups.
std::filesystem::path defaultBackupFolder(const Database& database);

struct BackupOutcome {
    bool ok = false;
    std::filesystem::path folder; // the backup made
    std::string error;            // why it failed, in Lithuanian
};

// A copy of every table file that exists, all of them as of one moment: a read transaction is held
// on every file while SQLite's online backup copies them, so no other station's transaction is half
// in it. A station that commits meanwhile waits for the copy (it waits up to 2 seconds); when a file is
// busy the read transactions are let go and taken again, so a writer half-way through its commit goes
// first. `moment` names the folder.
BackupOutcome makeBackup(const Database& database, const std::filesystem::path& backups,
                         std::time_t moment = std::time(nullptr));

// The backups below `backups` (dated folders only), oldest first.
std::vector<std::filesystem::path> listBackups(const std::filesystem::path& backups);
// Removes all but the newest `keep` backups; other folders and files stay.
void removeOldBackups(const std::filesystem::path& backups, int keep);

// The program's first start on a day: when DATA/atsargines holds no backup of the day, one is made
// there and the newest 14 are kept. A failure shows its message and the program goes on.
enum class DailyBackup { AlreadyMade, Made, Failed };
DailyBackup makeDailyBackup(const Database& database, std::time_t moment = std::time(nullptr));

struct RestoreOutcome {
    bool ok = false;
    std::filesystem::path saved; // where the files replaced were put first
    std::string error;           // why nothing was restored, in Lithuanian
};

// Puts a backup (its folder, or its DATA folder) back in place of the database's files. The backup is
// checked first (every file's layout and keys), and the folder must be used by no station: while any
// program or nakva-cli works there nothing is changed. The files replaced are first copied as they
// are to DATA/atsargines/<moment>-pries-atkurima; a table without a file in the backup is left
// without one (it was empty then).
RestoreOutcome restoreBackup(const Database& database, const std::filesystem::path& backup,
                             std::time_t moment = std::time(nullptr));

} // namespace nakva
