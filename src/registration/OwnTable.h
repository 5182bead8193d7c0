#pragma once

#include "data/Fields.h"
#include "data/Table.h"

#include <cstdint>

namespace nakva {

// A table's handle of a procedure's own on a context, open while it lives: what it reads and writes
// leaves the buffers and current records of the windows on that context as they were.
class OwnTable {
public:
    OwnTable(Context& context, TableId id) : table_(context, id, false) { table_.open(); }
    ~OwnTable() { table_.close(); }
    OwnTable(const OwnTable&) = delete;
    OwnTable& operator=(const OwnTable&) = delete;

    Table& operator*() { return table_; }
    Table* operator->() { return &table_; }

private:
    Table table_;
};

// Reads, in the order of `key`, the records whose `link` (the key's first field) holds `value`: the
// children of one parent. Each is passed on in the buffer to `each`, which returns false to stop.
// False on a read error (not shown).
template <TableId T, typename Each>
bool eachChild(Table& table, Key<T> key, LongField<T> link, std::int32_t value, Each&& each) {
    table.clear();
    table.record().set(link, value);
    StoreStatus status = table.setToKeyValue(key);
    while (status == StoreStatus::Ok) {
        status = table.next();
        if (status != StoreStatus::Ok || table.record().get(link) != value || !each()) {
            return status == StoreStatus::Ok || status == StoreStatus::EndOfData;
        }
    }
    return status == StoreStatus::EndOfData;
}

} // namespace nakva
