#pragma once

#include "data/Dictionary.h"

#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class SqliteConnection;

// The physical form of a table in its file DATA/<Table>.tps, an SQLite database:
// - one table named as the table ("Saskait") with an explicit `_rowid` (INTEGER PRIMARY KEY
//   AUTOINCREMENT, so a removed record's rowid never comes back), a column per field that is not a group,
//   named by the bare field name ("GyvenaNuo"): LONG, BYTE and dates as INTEGER, DECIMAL(d,p) as the
//   INTEGER value × 10^p, STRING as UTF-8 TEXT without trailing blanks, all NOT NULL; and `_ver`, the
//   record's version, raised by every write, which the watch compares;
// - one index per key, named as the key ("SAS:GYVENTKEY"), string components under LT_NOCASE (LT_CASE
//   for a case-sensitive key), UNIQUE where the key is unique, `_rowid` last on the others;
// - the table `nakva_meta` (name, value): the format, the table's name, its layout (fields with their
//   types and sizes) and the version of the collation the keys were built with.
namespace TableFormat {

inline constexpr int FormatVersion = 1;
// Raised whenever the Lithuanian collation changes its order: keys built before then are stale.
inline constexpr int CollationVersion = 1;
inline constexpr std::string_view RowidColumn = "_rowid";
inline constexpr std::string_view VersionColumn = "_ver";

enum class State {
    Ready,
    Empty,         // a new or empty file: the table is still to be created
    KeysDamaged,   // a key index is missing, differs from its definition or was built with another collation
    LayoutDiffers, // the file holds another record layout or something else entirely
};

// "Saskait|IrasoNr LONG|IrasoDt LONG|SaskSer STRING(5)|...": what the meta table records.
std::string layoutText(const TableDef& table);
std::string columnName(const FieldDef& field); // quoted bare name
std::string indexSql(const TableDef& table, int key);

// The state of the file that is the connection's main database. Its first read recovers a file left
// by an interrupted transaction, waiting for other users as long as the connection's busy timeout.
State inspect(SqliteConnection& connection, const TableDef& table);
// What tells, in one read, that a file found ready is still as it was: the counter SQLite raises
// with every change of the file's layout, while the keys' collation is the program's own; -1 when it
// is not. Equal stamps: the layout need not be checked again.
std::int64_t readyStamp(SqliteConnection& connection);
// Rollback journal (never WAL, which does not work across computers) and full synchronous writes.
void useRollbackJournal(SqliteConnection& connection);
// Creates the table, its keys and the meta table in an empty file; nothing when another user was first.
void create(SqliteConnection& connection, const TableDef& table);
// Builds every key of the table again from its records, in one transaction.
void rebuildKeys(SqliteConnection& connection, const TableDef& table);

// The administrator's full check of a ready file (every page, every key entry).
struct IntegrityReport {
    bool keysDamaged = false; // a key misses records or holds entries it should not
    bool fileDamaged = false; // anything else
    std::vector<std::string> problems;
};
IntegrityReport checkIntegrity(SqliteConnection& connection);

} // namespace TableFormat
} // namespace nakva
