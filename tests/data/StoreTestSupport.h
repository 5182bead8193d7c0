#pragma once

#include "data/Context.h"
#include "data/Database.h"
#include "data/Table.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nakva {

// Statuses as words in test failures, with the condition recorded last.
inline void PrintTo(StoreStatus status, std::ostream* out) {
    static const char* const names[] = {"Ok",           "EndOfData",     "NotFound",
                                        "DuplicateKey", "RecordChanged", "Failed"};
    *out << names[int(status)] << " [" << lastOperationError().text << " (" << lastOperationError().number
         << ")]";
}

} // namespace nakva

namespace nakva::testing {

// A working folder of its own for each test, removed afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The store's helper program (StoreHelper.cpp): another station working on the same files.
// Runs it to its end and gives its exit code.
int runHelper(const std::vector<std::string>& arguments);

// Starts the helper and waits until it writes a line to its standard output: the moment it has done
// its work up to the point it was asked to stop at. Gives its process id.
int startHelperUntilReady(const std::vector<std::string>& arguments);
// Kills a started helper with SIGKILL and reaps it.
void killHelper(int pid);
// Waits for a started helper to end by itself and gives its exit code.
int waitHelper(int pid);

// Whether another station would have to wait for the file now, tried without waiting: to begin a
// write when `toCommit` is false (some station writes), to commit one when true (some station reads).
bool fileHeld(const std::filesystem::path& file, bool toCommit);

// One field of every stored record of `id` in a working folder's data, in identity-key order, read on
// a context of its own.
std::vector<std::string> storedColumnOf(Database& database, TableId id, std::string_view field);

// Common ground of the store's fixtures: a fresh working folder, the store on it, and the messages
// shown recorded (answered from a script).
class StoreTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedMessages messages;
    ScopedMessageSink sink{messages};
    Database database{folder.path()};

    // Adds a record to `id` on a context of its own, each field set from its text.
    void addRecord(TableId id, const std::vector<std::pair<std::string, std::string>>& fields);
    // One field of every stored record of `id`, in identity-key order, read on a context of its own.
    std::vector<std::string> storedColumn(TableId id, std::string_view field);
};

} // namespace nakva::testing
