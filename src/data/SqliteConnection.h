#pragma once

#include "data/LithuanianFunctions.h"
#include "data/SqliteStatement.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;

namespace nakva {

// One SQLite connection on a table file, with the program's collations and functions registered:
// LT_NOCASE (Lithuanian order, letter case ignored), LT_CASE (Lithuanian order) and LT_UPPER(text)
// (upper case by the Lithuanian case pairs). Rollback journal, full synchronous writes. Failures throw
// StoreFailure.
class SqliteConnection {
public:
    enum class Mode { Existing, Create };

    // Default wait for a file another user holds locked, in milliseconds.
    static constexpr int DefaultBusyTimeout = 2000;

    SqliteConnection(const std::filesystem::path& file, Mode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* handle() const { return db_; }

    // One or more statements without parameters.
    void execute(std::string_view sql);
    // A statement prepared once and kept for the connection's life.
    SqliteStatement& prepare(const std::string& sql);

    // Attaches another table file under the schema name `schema` (the file must exist).
    void attach(const std::filesystem::path& file, const std::string& schema);
    bool isAttached(const std::string& schema) const;

    void setBusyTimeout(int milliseconds);
    std::int64_t changes() const;
    std::int64_t lastInsertRowid() const;
    bool inTransaction() const;

    // Resets every statement of the connection, so that none holds a read lock on its files.
    void resetStatements();
    // Whether the main file and every attached file are still the files the connection opened: not
    // removed, emptied or replaced by others under their names.
    bool filesUnchanged() const;

private:
    struct FileIdentity {
        std::filesystem::path path;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
    };
    static std::optional<FileIdentity> identify(const std::filesystem::path& file);

    sqlite3* db_ = nullptr;
    std::vector<FileIdentity> files_; // the main file first, then the attached ones
    std::unordered_map<std::string, std::unique_ptr<SqliteStatement>> statements_;
    std::unordered_map<std::string, std::filesystem::path> attached_;
};

// Quotes an SQL name: "SAS:GYVENTKEY" → "\"SAS:GYVENTKEY\"".
std::string quoteName(std::string_view name);

} // namespace nakva
