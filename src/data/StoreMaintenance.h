#pragma once

#include "data/Database.h"
#include "data/StoreError.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

// The administrator's work on the table files (nakva-cli), outside any procedure context: nothing
// here shows a message or stops the program. `init` is opening every table on a Context.

struct FileCheck {
    enum class State {
        Ready,
        Missing,       // no file yet (it is created on first open)
        KeysDamaged,   // a key is missing, stale or misses entries: rebuild the keys
        LayoutDiffers, // the file holds another record layout
        Damaged,       // the records themselves are damaged
        Unreadable,    // not a table file, or cannot be read at all: see error
    };
    TableId table{};
    State state = State::Ready;
    ErrorCondition error;
    std::vector<std::string> problems; // what the full check found, in SQLite's words
};

// What a state means, in the administrator's words: "tvarkingas", "sugadinti raktai (pataisykite:
// nakva-cli rebuild-keys)" ...
std::string_view fileStateText(FileCheck::State state);

// Checks a file without changing it: its layout, the definitions of its keys and every key entry
// against the records (which reads the whole file).
FileCheck checkFile(const Database& database, TableId table);
std::vector<FileCheck> checkAllFiles(const Database& database);
// Builds every key of an existing file of the right layout again from its records.
StoreStatus rebuildFileKeys(const Database& database, TableId table);
StoreStatus countFileRecords(const Database& database, TableId table, std::int64_t& count);

} // namespace nakva
