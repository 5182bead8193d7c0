#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace nakva {

// One prepared SQLite statement. Failures throw StoreFailure with SQLite's text and extended code
// (a unique key violation as the store's duplicate key). A statement that has started stepping holds
// a read lock on its files until it is reset: use StatementReset around every run.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters count from 1.
    void bind(int index, std::int64_t value);
    void bind(int index, std::string_view text);
    void bindNull(int index);

    bool step(); // true: a row is there; false: done
    void reset();
    // Runs a statement that returns no rows (or ignores them) and resets it.
    void execute();

    bool isNull(int column) const;
    bool isText(int column) const;
    std::int64_t integer(int column) const;
    std::string_view text(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

// Resets a statement when the scope ends, whichever way it ends, so that no read stays open.
class StatementReset {
public:
    explicit StatementReset(SqliteStatement& statement) : statement_(statement) {}
    ~StatementReset() { statement_.reset(); }
    StatementReset(const StatementReset&) = delete;
    StatementReset& operator=(const StatementReset&) = delete;

private:
    SqliteStatement& statement_;
};

// The failure for an SQLite result code: SQLite's message and extended code; a unique constraint as
// the store's duplicate key.
[[noreturn]] void throwSqliteFailure(sqlite3* db, int resultCode);

} // namespace nakva
