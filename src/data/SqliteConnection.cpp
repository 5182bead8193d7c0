#include "data/SqliteConnection.h"

#include "data/LithuanianFunctions.h"
#include "data/StoreError.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>

namespace nakva {

std::string quoteName(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

SqliteConnection::SqliteConnection(const std::filesystem::path& file, Mode mode) {
    // A connection is used by one thread at a time (its context's, or none while it is kept idle):
    // SQLite need not lock it at every call.
    const int flags =
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(file.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const ErrorCondition condition = StoreError::sqliteCondition(
            db_ ? sqlite3_extended_errcode(db_) : rc, db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw StoreFailure{condition};
    }
    sqlite3_extended_result_codes(db_, 1);
    if (auto identity = identify(file)) {
        files_.push_back(std::move(*identity));
    }
    registerLithuanianFunctions(db_);
    setBusyTimeout(DefaultBusyTimeout);
}

SqliteConnection::~SqliteConnection() {
    statements_.clear();
    sqlite3_close_v2(db_);
}

void SqliteConnection::execute(std::string_view sql) {
    const std::string text(sql);
    const int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        throwSqliteFailure(db_, rc);
    }
}

SqliteStatement& SqliteConnection::prepare(const std::string& sql) {
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        found = statements_.emplace(sql, std::make_unique<SqliteStatement>(db_, sql)).first;
    }
    return *found->second;
}

void SqliteConnection::attach(const std::filesystem::path& file, const std::string& schema) {
    SqliteStatement attach(db_, "ATTACH DATABASE ?1 AS " + quoteName(schema));
    attach.bind(1, std::string_view(file.native()));
    attach.execute();
    attached_.emplace(schema, file);
    if (auto identity = identify(file)) {
        files_.push_back(std::move(*identity));
    }
    execute("PRAGMA " + quoteName(schema) + ".synchronous=FULL");
}

bool SqliteConnection::isAttached(const std::string& schema) const {
    return attached_.contains(schema);
}

void SqliteConnection::setBusyTimeout(int milliseconds) {
    sqlite3_busy_timeout(db_, milliseconds);
}

std::int64_t SqliteConnection::changes() const {
    return sqlite3_changes64(db_);
}

std::int64_t SqliteConnection::lastInsertRowid() const {
    return sqlite3_last_insert_rowid(db_);
}

bool SqliteConnection::inTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

void SqliteConnection::resetStatements() {
    for (sqlite3_stmt* statement = sqlite3_next_stmt(db_, nullptr); statement;
         statement = sqlite3_next_stmt(db_, statement)) {
        sqlite3_reset(statement);
    }
}

std::optional<SqliteConnection::FileIdentity> SqliteConnection::identify(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || status.st_size == 0) {
        return std::nullopt;
    }
    return FileIdentity{file, std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)};
}

bool SqliteConnection::filesUnchanged() const {
    if (files_.size() != attached_.size() + 1) {
        return false; // a file that could not be identified when it was opened
    }
    return std::ranges::all_of(files_, [](const FileIdentity& opened) {
        const auto now = identify(opened.path);
        return now && now->device == opened.device && now->inode == opened.inode;
    });
}

} // namespace nakva
