#include "data/Table.h"

#include "data/Context.h"
#include "data/Expression.h"
#include "data/SqlQuery.h"
#include "data/SqliteConnection.h"
#include "data/StoredRecord.h"
#include "data/TableFormat.h"
#include "data/Variables.h"

#include <array>
#include <stdexcept>

namespace nakva {

namespace {

// The statements of one table on one schema ("main" when the file is the connection's main database,
// otherwise the table's own name, under which its file is attached).
struct TableSql {
    std::string from;          // "schema"."Table"
    std::string selectByRowid; // ?1 rowid → _ver, fields
    std::string insert;        // fields
    std::string remove;        // rowid
    std::string removeWatched; // rowid, version
    std::string count;
    std::vector<std::string> getByKey;  // key components → _rowid, _ver, fields
    std::vector<std::string> duplicate; // key components, rowid of the record itself
};

std::string keyCondition(const TableDef& table, int key) {
    const KeyDef& def = table.keys[std::size_t(key)];
    std::string condition;
    for (std::size_t i = 0; i < def.components.size(); ++i) {
        const FieldDef& field = table.fields[std::size_t(def.components[i])];
        condition += (i ? " AND " : "") + TableFormat::columnName(field) + "=?" + std::to_string(i + 1);
        if (field.type == FieldType::String) {
            condition += def.caseSensitive ? " COLLATE LT_CASE" : " COLLATE LT_NOCASE";
        }
    }
    return condition;
}

std::string keyOrder(const TableDef& table, int key) {
    const KeyDef& def = table.keys[std::size_t(key)];
    std::string order;
    for (int component : def.components) {
        const FieldDef& field = table.fields[std::size_t(component)];
        order += TableFormat::columnName(field);
        if (field.type == FieldType::String) {
            order += def.caseSensitive ? " COLLATE LT_CASE" : " COLLATE LT_NOCASE";
        }
        order += ",";
    }
    return order + quoteName(TableFormat::RowidColumn);
}

TableSql makeTableSql(const TableDef& table, std::string_view schema) {
    const std::string from = quoteName(schema) + "." + quoteName(table.name);
    const std::string rowid = quoteName(TableFormat::RowidColumn);
    const std::string version = quoteName(TableFormat::VersionColumn);
    const std::string columns = StoredRecord::columnList(table);
    int fields = 0;
    std::string values;
    for (const FieldDef& field : table.fields) {
        if (field.type != FieldType::Group) {
            ++fields;
            values += (fields > 1 ? ",?" : "?") + std::to_string(fields);
        }
    }

    TableSql sql;
    sql.from = from;
    sql.selectByRowid = "SELECT " + version + "," + columns + " FROM " + from + " WHERE " + rowid + "=?1";
    // No RETURNING clause: it would make SQLite keep a statement journal for every write.
    sql.insert = "INSERT INTO " + from + "(" + columns + ") VALUES(" + values + ")";
    sql.remove = "DELETE FROM " + from + " WHERE " + rowid + "=?1";
    sql.removeWatched = sql.remove + " AND " + version + "=?2";
    sql.count = "SELECT count(*) FROM " + from;
    for (int key = 0; key < int(table.keys.size()); ++key) {
        const std::string where = keyCondition(table, key);
        sql.getByKey.push_back("SELECT " + rowid + "," + version + "," + columns + " FROM " + from +
                               " WHERE " + where + " ORDER BY " + keyOrder(table, key) + " LIMIT 1");
        sql.duplicate.push_back("SELECT 1 FROM " + from + " WHERE " + where + " AND " + rowid + "<>?" +
                                std::to_string(table.keys[std::size_t(key)].components.size() + 1) +
                                " LIMIT 1");
    }
    return sql;
}

const TableSql& tableSql(const TableDef& table, const std::string& schema) {
    static const auto all = [] {
        std::array<std::array<TableSql, 2>, TableCount> statements;
        for (const TableDef& def : Dictionary::instance().tables()) {
            statements[std::size_t(def.id)][0] = makeTableSql(def, "main");
            statements[std::size_t(def.id)][1] = makeTableSql(def, def.name);
        }
        return statements;
    }();
    return all[std::size_t(table.id)][schema == "main" ? 0 : 1];
}

// Runs a statement that returns one row (or none) to its end; whether there was a row and its first
// column.
bool stepOnce(SqliteStatement& statement, std::int64_t& first) {
    StatementReset reset(statement);
    if (!statement.step()) {
        return false;
    }
    first = statement.integer(0);
    return true;
}

std::uint32_t keySignature(const TableDef& table, int key) {
    return Position::orderSignature(table.keys[std::size_t(key)].name);
}

} // namespace

Table::Table(Context& context, TableId table, bool secondBuffer)
    : context_(context), def_(Dictionary::instance().table(table)), secondBuffer_(secondBuffer) {
    if (table == TableId::IstgPar) {
        record_ = &context.database().istgPar();
    } else {
        ownRecord_ = std::make_unique<Record>(def_);
        record_ = ownRecord_.get();
    }
    key_ = def_.identityKey;
    // Sorted reads by a handle mostly walk the few children of one parent: the first batch is small,
    // and the following ones grow as the walk goes on.
    cursor_.setFirstBatch(4);
    context_.handles_.push_back(this);
}

Table::~Table() {
    std::erase(context_.handles_, this);
    if (opens_ > 0) {
        context_.releaseFile(def_.id);
    }
}

int Table::checkedKey(TableId table, int key) const {
    if (table != def_.id || key < 0 || key >= int(def_.keys.size())) {
        throw std::logic_error("raktas ne lentelės " + std::string(def_.name));
    }
    return key;
}

void Table::open() {
    if (opens_ == 0) {
        context_.useFile(def_.id);
        key_ = def_.identityKey;
        cursor_.start();
        currentRowid_ = 0;
        watching_ = false;
    }
    ++opens_;
}

void Table::close() {
    if (opens_ == 0) {
        return;
    }
    if (--opens_ == 0) {
        currentRowid_ = 0;
        watching_ = false;
        cursor_.start();
        context_.releaseFile(def_.id);
    }
}

void Table::clear() {
    record_->clear();
    currentRowid_ = 0;
    watching_ = false;
}

const SqlQuery& Table::keyQuery(int key) const {
    return context_.keyQuery(def_, key, secondBuffer_);
}

std::vector<SqlValue> Table::keyValues(int key, const Record& record) const {
    return keyQuery(key).orderValues([&](const FieldRef& field) { return record.value(field.field); });
}

void Table::becomeCurrent(std::int64_t rowid, std::int64_t version) {
    currentRowid_ = rowid;
    currentVersion_ = version;
}

StoreStatus Table::setToKeyStart(int key) {
    return runStoreOperation([&] {
        key_ = checkedKey(def_.id, key);
        cursor_.start();
        return 0;
    });
}

StoreStatus Table::setToKeyValue(int key) {
    return runStoreOperation([&] {
        key_ = checkedKey(def_.id, key);
        cursor_.startAtValues(keyValues(key_, *record_));
        return 0;
    });
}

StoreStatus Table::setToPosition(const Position& position) {
    return runStoreOperation([&] {
        const auto parts = position.parts();
        if (!parts || parts->table != def_.id) {
            return StoreError::BadPosition;
        }
        for (int key = 0; key < int(def_.keys.size()); ++key) {
            if (keySignature(def_, key) == parts->order &&
                int(parts->values.size()) == keyQuery(key).orderCount()) {
                key_ = key;
                cursor_.startAtPosition(parts->values, parts->rowid, true);
                return 0;
            }
        }
        // A position taken in another order: the record's place in the present key.
        Record stored(def_);
        std::int64_t version = 0;
        if (!readByRowid(parts->rowid, stored, version)) {
            return StoreError::BadPosition;
        }
        cursor_.startAtPosition(keyValues(key_, stored), parts->rowid, true);
        return 0;
    });
}

StoreStatus Table::next() {
    return read(ReadDirection::Forward);
}

StoreStatus Table::previous() {
    return read(ReadDirection::Backward);
}

StoreStatus Table::read(ReadDirection direction) {
    return runStoreOperation([&] {
        RowCursor::Row row;
        const int key = key_;
        const RowCursor::Fetch fetch = [&](const Seek& seek, ReadDirection way, int limit,
                                           std::deque<RowCursor::Row>& rows) {
            this->fetch(key, seek, way, limit, rows);
        };
        if (!cursor_.step(direction, context_.database().writeCount(def_.id), fetch, row)) {
            return StoreError::EndOfData;
        }
        *record_ = std::move(row.records.front());
        becomeCurrent(row.rowid, row.versions.front());
        return 0;
    });
}

void Table::fetch(int key, const Seek& seek, ReadDirection direction, int limit,
                  std::deque<RowCursor::Row>& rows) {
    const Context::Route route = context_.readRoute(def_.id);
    const std::string schema = context_.schemaOn(route, def_.id);
    const std::string alias = quoteName(def_.name);
    const SqlSpelling spelling{
        [&](const TableDef&) { return quoteName(schema) + "." + alias + " AS " + alias; },
        [&](const TableDef&, int field) {
            return alias + "." +
                   (field < 0 ? quoteName(TableFormat::RowidColumn)
                              : TableFormat::columnName(def_.fields[std::size_t(field)]));
        }};
    if (fetchColumns_.empty()) {
        fetchColumns_.push_back(alias + "." + quoteName(TableFormat::VersionColumn));
        const std::vector<std::string>& stored = StoredRecord::columns(def_);
        fetchColumns_.insert(fetchColumns_.end(), stored.begin(), stored.end());
    }
    const SqlStatement sql =
        keyQuery(key).select(spelling, fetchColumns_, seek, direction, limit, &context_.selectTexts());
    SqliteStatement& statement = route.connection->prepare(sql.text);
    StatementReset reset(statement);
    StoredRecord::bindParameters(statement, sql.parameters);
    while (statement.step()) {
        RowCursor::Row row;
        row.records.emplace_back(def_);
        StoredRecord::read(statement, 1, row.records.front());
        row.versions.push_back(statement.integer(0));
        row.rowid = statement.integer(sql.orderColumn + sql.orderCount);
        row.rowids.push_back(row.rowid);
        for (int i = 0; i < sql.orderCount; ++i) {
            row.order.push_back(StoredRecord::columnValue(statement, sql.orderColumn + i));
        }
        rows.push_back(std::move(row));
    }
}

bool Table::readByRowid(std::int64_t rowid, Record& into, std::int64_t& version) {
    return readByRowid(context_.readRoute(def_.id), rowid, into, version);
}

bool Table::readByRowid(const Context::Route& route, std::int64_t rowid, Record& into,
                        std::int64_t& version) {
    const std::string schema = context_.schemaOn(route, def_.id);
    SqliteStatement& statement = route.connection->prepare(tableSql(def_, schema).selectByRowid);
    StatementReset reset(statement);
    statement.bind(1, rowid);
    if (!statement.step()) {
        return false;
    }
    version = statement.integer(0);
    StoredRecord::read(statement, 1, into);
    return true;
}

StoreStatus Table::getByKey(int key) {
    return runStoreOperation([&] {
        key = checkedKey(def_.id, key);
        const Context::Route route = context_.readRoute(def_.id);
        const std::string schema = context_.schemaOn(route, def_.id);
        SqliteStatement& statement =
            route.connection->prepare(tableSql(def_, schema).getByKey[std::size_t(key)]);
        StatementReset reset(statement);
        const std::vector<int>& components = def_.keys[std::size_t(key)].components;
        for (std::size_t i = 0; i < components.size(); ++i) {
            StoredRecord::bindField(statement, int(i) + 1, *record_, components[i]);
        }
        if (!statement.step()) {
            return StoreError::RecordNotFound;
        }
        Record found(def_);
        StoredRecord::read(statement, 2, found);
        *record_ = std::move(found);
        becomeCurrent(statement.integer(0), statement.integer(1));
        key_ = key;
        cursor_.setCurrent(keyValues(key_, *record_), currentRowid_);
        return 0;
    });
}

Position Table::position() const {
    if (currentRowid_ == 0) {
        return {};
    }
    try {
        return Position::make({def_.id, keySignature(def_, key_), currentRowid_, keyValues(key_, *record_)});
    } catch (const StoreFailure&) {
        return {};
    }
}

StoreStatus Table::regetByPosition(const Position& position) {
    return runStoreOperation([&] {
        const auto parts = position.parts();
        if (!parts || parts->table != def_.id) {
            return StoreError::BadPosition;
        }
        Record stored(def_);
        std::int64_t version = 0;
        if (!readByRowid(parts->rowid, stored, version)) {
            return StoreError::RecordNotFound;
        }
        *record_ = std::move(stored);
        becomeCurrent(parts->rowid, version);
        for (int key = 0; key < int(def_.keys.size()); ++key) {
            if (keySignature(def_, key) == parts->order) {
                key_ = key;
            }
        }
        cursor_.setCurrent(keyValues(key_, *record_), currentRowid_);
        return 0;
    });
}

StoreStatus Table::add() {
    return runStoreOperation([&] {
        const Context::Route route = context_.writeRoute(def_.id);
        const std::string schema = context_.schemaOn(route, def_.id);
        SqliteStatement& statement = route.connection->prepare(tableSql(def_, schema).insert);
        StoredRecord::bind(statement, 1, *record_);
        statement.execute();
        context_.database().noteWrite(def_.id);
        becomeCurrent(route.connection->lastInsertRowid(), 1);
        return 0;
    });
}

StoreStatus Table::put() {
    return runStoreOperation([&] {
        if (currentRowid_ == 0) {
            return StoreError::NoCurrentRecord;
        }
        const Context::Route route = context_.writeRoute(def_.id);
        const TableSql& sql = tableSql(def_, context_.schemaOn(route, def_.id));
        // Only the fields that differ from the stored record are written, so that only the keys holding
        // them are touched; the record ends up as the buffer all the same. Without a watch, a change
        // another user makes between the read and the write is tried again.
        for (int attempt = 0;; ++attempt) {
            Record stored(def_);
            std::int64_t version = 0;
            if (!readByRowid(route, currentRowid_, stored, version)) {
                return watching_ ? StoreError::RecordChanged : StoreError::RecordNotFound;
            }
            if (watching_ && version != currentVersion_) {
                return StoreError::RecordChanged;
            }
            std::vector<int> changed;
            std::string update = "UPDATE " + sql.from + " SET ";
            for (int i = 0; i < int(def_.fields.size()); ++i) {
                if (def_.fields[std::size_t(i)].type != FieldType::Group && !record_->sameValue(stored, i)) {
                    changed.push_back(i);
                    update += TableFormat::columnName(def_.fields[std::size_t(i)]) + "=?" +
                              std::to_string(changed.size()) + ",";
                }
            }
            if (changed.empty()) {
                currentVersion_ = version;
                watching_ = false;
                return 0;
            }
            const std::string versionColumn = quoteName(TableFormat::VersionColumn);
            const int next = int(changed.size()) + 1;
            update += versionColumn + "=" + versionColumn + "+1 WHERE " +
                      quoteName(TableFormat::RowidColumn) + "=?" + std::to_string(next) + " AND " +
                      versionColumn + "=?" + std::to_string(next + 1);
            SqliteStatement& statement = route.connection->prepare(update);
            for (std::size_t i = 0; i < changed.size(); ++i) {
                StoredRecord::bindField(statement, int(i) + 1, *record_, changed[i]);
            }
            statement.bind(next, currentRowid_);
            statement.bind(next + 1, version);
            statement.execute();
            if (route.connection->changes() == 1) {
                context_.database().noteWrite(def_.id);
                currentVersion_ = version + 1;
                watching_ = false;
                return 0;
            }
            if (watching_ || attempt == 2) {
                return StoreError::RecordChanged;
            }
        }
    });
}

StoreStatus Table::remove() {
    return runStoreOperation([&] {
        if (currentRowid_ == 0) {
            return StoreError::NoCurrentRecord;
        }
        const Context::Route route = context_.writeRoute(def_.id);
        const TableSql& sql = tableSql(def_, context_.schemaOn(route, def_.id));
        SqliteStatement& statement = route.connection->prepare(watching_ ? sql.removeWatched : sql.remove);
        statement.bind(1, currentRowid_);
        if (watching_) {
            statement.bind(2, currentVersion_);
        }
        statement.execute();
        if (route.connection->changes() == 0) {
            return watching_ ? StoreError::RecordChanged : StoreError::RecordNotFound;
        }
        context_.database().noteWrite(def_.id);
        currentRowid_ = 0;
        watching_ = false;
        return 0;
    });
}

StoreStatus Table::duplicateCheck(int key) {
    return runStoreOperation([&] {
        key = checkedKey(def_.id, key);
        if (!def_.keys[std::size_t(key)].unique) {
            return 0;
        }
        const Context::Route route = context_.readRoute(def_.id);
        const std::string schema = context_.schemaOn(route, def_.id);
        SqliteStatement& statement =
            route.connection->prepare(tableSql(def_, schema).duplicate[std::size_t(key)]);
        StatementReset reset(statement);
        const std::vector<int>& components = def_.keys[std::size_t(key)].components;
        for (std::size_t i = 0; i < components.size(); ++i) {
            StoredRecord::bindField(statement, int(i) + 1, *record_, components[i]);
        }
        statement.bind(int(components.size()) + 1, currentRowid_);
        return statement.step() ? StoreError::DuplicateKey : 0;
    });
}

StoreStatus Table::recordCount(std::int64_t& count) {
    return runStoreOperation([&] {
        const Context::Route route = context_.readRoute(def_.id);
        const std::string schema = context_.schemaOn(route, def_.id);
        stepOnce(route.connection->prepare(tableSql(def_, schema).count), count);
        return 0;
    });
}

void Table::watch() {
    watching_ = true;
}

StoreStatus Table::rebuildKeys() {
    return runStoreOperation([&] {
        if (context_.inTransaction()) {
            return StoreError::TransactionRefused;
        }
        const Context::Route route = context_.writeRoute(def_.id);
        TableFormat::rebuildKeys(*route.connection, def_);
        context_.database().noteWrite(def_.id);
        return 0;
    });
}

void Table::scanHint(bool on) {
    cursor_.setLongScan(on);
}

void Table::transactionBegins() {
    savedRowid_ = currentRowid_;
    savedVersion_ = currentVersion_;
}

void Table::transactionRolledBack() {
    currentRowid_ = savedRowid_;
    currentVersion_ = savedVersion_;
    cursor_.dropReadAhead();
}

} // namespace nakva
