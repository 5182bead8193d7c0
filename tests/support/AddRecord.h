// Adds a record to a table, each field set from its text, on a context of its own: the data a widget
// test starts from.
#pragma once

#include "data/Context.h"
#include "data/Database.h"
#include "data/Table.h"

#include <QtTest>

#include <string>
#include <utility>
#include <vector>

namespace nakva {

inline void addRecord(Database& database, TableId id,
                      const std::vector<std::pair<std::string, std::string>>& values) {
    Context context(database);
    Table& table = context.table(id);
    table.open();
    table.clear();
    for (const auto& [field, value] : values) {
        QVERIFY(table.record().setText(field, value).ok());
    }
    QCOMPARE(table.add(), StoreStatus::Ok);
    table.close();
}

} // namespace nakva
