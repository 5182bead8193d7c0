#pragma once

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Position.h"
#include "data/Record.h"
#include "data/RowCursor.h"
#include "data/StoreError.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace nakva {

class Context;
class SqlQuery;

// A table handle of a procedure context: its record buffer, its open counter, its current record and
// its sorted read in one of the table's keys. Keys are named by their index in the table's definition
// or by their typed handle (SAS::GYVENTKEY).
//
// Every operation records its outcome with setLastOperationError() and returns a status; nothing
// throws except open(), which stops the program (ProgramStop) when a file cannot be opened, created or
// repaired.
class Table {
public:
    Table(Context& context, TableId table, bool secondBuffer);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const TableDef& def() const { return def_; }
    TableId id() const { return def_.id; }
    bool isSecondBuffer() const { return secondBuffer_; }
    std::string_view prefix() const { return secondBuffer_ ? def_.secondPrefix : def_.prefix; }
    Context& context() const { return context_; }

    Record& record() { return *record_; }
    const Record& record() const { return *record_; }

    // Opening and closing, counted per handle: the first open opens the file, creating it when it is
    // missing and asking to rebuild damaged keys; the last close closes it.
    void open();
    void close();
    bool isOpen() const { return opens_ > 0; }

    // Blanks the buffer and forgets the current record (before composing a new record).
    void clear();

    // Sorted reads in a key's order: next reads from the first record (previous from the last), or
    // from the first record whose key is equal to or after the buffer's key fields (previous: the last
    // one equal to or before them), or from a position (the record at it, if it is still there).
    StoreStatus setToKeyStart(int key);
    StoreStatus setToKeyValue(int key);
    StoreStatus setToPosition(const Position& position);
    StoreStatus next();     // EndOfData past the last record
    StoreStatus previous(); // EndOfData before the first record

    // The record whose key fields equal the buffer's (the first in key order for a key that allows
    // duplicates); NotFound when there is none. Sorted reads go on from it in that key's order.
    StoreStatus getByKey(int key);

    // The current record's position in the order of the last sorted read or get (the identity key
    // before any); empty when there is no current record.
    Position position() const;
    StoreStatus regetByPosition(const Position& position);

    StoreStatus add();    // the new record becomes the current one
    StoreStatus put();    // rewrites the current record from the buffer
    StoreStatus remove(); // removes the current record
    // Whether the buffer's values would collide on a unique key with a record other than the current
    // one: Ok when not, DuplicateKey when they would.
    StoreStatus duplicateCheck(int key);
    StoreStatus recordCount(std::int64_t& count);

    // Watches the current record (and every record read after it): a later put or remove fails with
    // RecordChanged when another user changed or removed the record since it was read. A put or remove
    // ends the watch.
    void watch();
    StoreStatus rebuildKeys();
    // A long sequential read follows (on) or has ended (off): read ahead in larger batches.
    void scanHint(bool on);

    template <TableId T> StoreStatus setToKeyStart(Key<T> key) {
        return setToKeyStart(checkedKey(T, key.index));
    }
    template <TableId T> StoreStatus setToKeyValue(Key<T> key) {
        return setToKeyValue(checkedKey(T, key.index));
    }
    template <TableId T> StoreStatus getByKey(Key<T> key) { return getByKey(checkedKey(T, key.index)); }
    template <TableId T> StoreStatus duplicateCheck(Key<T> key) {
        return duplicateCheck(checkedKey(T, key.index));
    }

private:
    friend class Context;
    friend class View;

    int checkedKey(TableId table, int key) const;
    const SqlQuery& keyQuery(int key) const;
    std::vector<SqlValue> keyValues(int key, const Record& record) const;
    StoreStatus read(ReadDirection direction);
    void fetch(int key, const Seek& seek, ReadDirection direction, int limit,
               std::deque<RowCursor::Row>& rows);
    bool readByRowid(std::int64_t rowid, Record& into, std::int64_t& version);
    bool readByRowid(const Context::Route& route, std::int64_t rowid, Record& into, std::int64_t& version);
    void becomeCurrent(std::int64_t rowid, std::int64_t version);

    // Called by the context around a transaction over this table.
    void transactionBegins();
    void transactionRolledBack();

    Context& context_;
    const TableDef& def_;
    bool secondBuffer_;
    std::unique_ptr<Record> ownRecord_;
    Record* record_;
    int opens_ = 0;

    int key_ = 0;                           // the order of sorted reads and positions
    std::vector<std::string> fetchColumns_; // the version, then the record's columns
    RowCursor cursor_;

    std::int64_t currentRowid_ = 0; // 0: no current record
    std::int64_t currentVersion_ = 0;
    bool watching_ = false;
    std::int64_t savedRowid_ = 0; // the current record when a transaction began
    std::int64_t savedVersion_ = 0;
};

// A table handle opened for one operation and closed after it, so that the context's open counter
// returns to where it was.
class OpenedTable {
public:
    explicit OpenedTable(Table& table) : table_(table) { table_.open(); }
    ~OpenedTable() { table_.close(); }
    OpenedTable(const OpenedTable&) = delete;
    OpenedTable& operator=(const OpenedTable&) = delete;

    Table& table() const { return table_; }

private:
    Table& table_;
};

} // namespace nakva
