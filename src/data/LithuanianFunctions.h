#pragma once

struct sqlite3;

namespace nakva {

// Registers on a connection what the table files' keys are built with: the collations LT_NOCASE
// (Lithuanian order, letter case ignored) and LT_CASE (Lithuanian order), and the function
// LT_UPPER(text) (upper case by the Lithuanian case pairs). Every connection that changes a table file
// needs them: the program's own, tests that open a file with the raw SQLite API, and the loadable
// extension for the sqlite3 tool (app/sqlite), which builds this same file against SQLite's extension
// interface. Gives SQLite's result code.
int registerLithuanianFunctions(sqlite3* db);

} // namespace nakva
