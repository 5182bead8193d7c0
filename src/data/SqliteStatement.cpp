#include "data/SqliteStatement.h"

#include "data/StoreError.h"

#include <sqlite3.h>

namespace nakva {

void throwSqliteFailure(sqlite3* db, int resultCode) {
    const int extended = db ? sqlite3_extended_errcode(db) : resultCode;
    if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY) {
        throw StoreFailure{StoreError::condition(StoreError::DuplicateKey)};
    }
    const char* message = db ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode);
    throw StoreFailure{StoreError::sqliteCondition(extended, message ? message : sqlite3_errstr(resultCode))};
}

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : db_(db) {
    const int rc =
        sqlite3_prepare_v3(db, sql.data(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement_);
        throwSqliteFailure(db, rc);
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

void SqliteStatement::bind(int index, std::int64_t value) {
    const int rc = sqlite3_bind_int64(statement_, index, value);
    if (rc != SQLITE_OK) {
        throwSqliteFailure(db_, rc);
    }
}

void SqliteStatement::bind(int index, std::string_view text) {
    // An empty view may have no data at all, which SQLite would take for NULL.
    const char* bytes = text.data() ? text.data() : "";
    const int rc = sqlite3_bind_text(statement_, index, bytes, int(text.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) {
        throwSqliteFailure(db_, rc);
    }
}

void SqliteStatement::bindNull(int index) {
    const int rc = sqlite3_bind_null(statement_, index);
    if (rc != SQLITE_OK) {
        throwSqliteFailure(db_, rc);
    }
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    // The error is read before the reset, which would report it again.
    const int extended = sqlite3_extended_errcode(db_);
    const std::string message = sqlite3_errmsg(db_);
    sqlite3_reset(statement_);
    if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY) {
        throw StoreFailure{StoreError::condition(StoreError::DuplicateKey)};
    }
    throw StoreFailure{StoreError::sqliteCondition(extended, message)};
}

void SqliteStatement::reset() {
    sqlite3_reset(statement_);
}

void SqliteStatement::execute() {
    StatementReset resetAfter(*this);
    while (step()) {
    }
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

bool SqliteStatement::isText(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_TEXT;
}

std::int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string_view SqliteStatement::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return bytes ? std::string_view(bytes, std::size_t(sqlite3_column_bytes(statement_, column)))
                 : std::string_view();
}

} // namespace nakva
