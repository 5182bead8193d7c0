#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace nakva {

class Database;

// Backups of the data folder. Each backup is a working folder of its own,
// <backups>/2026-12-07_113254/DATA/<Table>.tps, so that `nakva-cli check --dir` and `export --dir` read
// it as they read the live data. What a backup that reports success guarantees:
// - it holds a file for every table (an empty table for one that has no file yet), all of them as of
//   one moment: another station's transaction is wholly in it or not at all;
// - every file was checked whole as it was copied (its layout, its keys, every page): a damaged table
//   file stops the backup, naming the file, and nothing of that backup is kept, so an older good
//   backup is never pushed out by a bad new one;
// - it is made in a hidden folder of its own and takes its dated name only when whole: two backups
//   in the same second get two folders (the second "…-2"), and a dated folder is never half made.

inline constexpr int DailyBackupsKept = 14;

// DATA/atsargines below the working folder: the program's own backups.
std::filesystem::path defaultBackupFolder(const Database& database);

struct BackupOutcome {
    bool ok = false;
    std::filesystem::path folder; // the backup made
    int files = 0;                // the table files it holds: every table's
    std::string error;            // why it failed, in Lithuanian
};

// A copy of every table file, all of them as of one moment: a read transaction is held on every file
// while SQLite's online backup copies them, so no other station's transaction is half in it. A station
// that commits meanwhile waits for the copy (it waits up to 2 seconds); when a file is busy the read
// transactions are let go and taken again, so a writer half-way through its commit goes first. The
// copies are checked once the files are let go. `moment` names the folder. The hidden folders that
// interrupted backups left below `backups` are removed first (never one that a backup still makes).
BackupOutcome makeBackup(const Database& database, const std::filesystem::path& backups,
                         std::time_t moment = std::time(nullptr));

// Whether a folder's name is a backup's ("2026-12-07_113254", "2026-12-07_113254-2"): `check --dir` asks
// a folder so named for every table file.
bool isBackupFolder(const std::filesystem::path& folder);
// The whole backups this program made below `backups`, oldest first: folders with a backup's name
// holding nothing but their DATA folder with every table's file.
std::vector<std::filesystem::path> listBackups(const std::filesystem::path& backups);
// Removes all but the newest `keep` of them; every other folder and file stays: a folder merely named
// like a backup, one that lacks a table file or holds other files too.
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

// Puts a backup (its folder, or its DATA folder) back in place of the database's files. The backup must
// hold every table file, each checked first (layout and keys): a backup that lacks one is refused
// naming what it lacks. The folder must be used by no station: while any program or nakva-cli works
// there nothing is changed. The files replaced are first copied as they are to
// DATA/atsargines/<moment>-pries-atkurima.
RestoreOutcome restoreBackup(const Database& database, const std::filesystem::path& backup,
                             std::time_t moment = std::time(nullptr));

} // namespace nakva
