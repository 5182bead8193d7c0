#include "ui/RecordNumbering.h"

#include "data/Table.h"
#include "messages/StandardWarnings.h"

#include <cstdint>
#include <limits>

namespace nakva {

namespace {

constexpr int WarningNumbering = 25;
constexpr int WarningRetrieval = 35;
constexpr int NumberingAttempts = 3;

} // namespace

bool addNumberedRecord(Table& table, const std::vector<int>& heldBlank) {
    const TableDef& def = table.def();
    const int field = def.recordNumberField;
    const Record primed = table.record();
    Record added = primed;
    for (const int held : heldBlank) {
        (void)added.setValue(held, std::monostate{});
    }
    for (;;) {
        for (int attempt = 0; attempt < NumberingAttempts; ++attempt) {
            std::int64_t number = 0;
            if (!highestRecordNumber(table, number)) {
                table.record() = primed;
                standardWarning(WarningRetrieval, def.messageName());
                return false;
            }
            ++number;
            table.clear();
            table.record() = primed;
            if (number > std::numeric_limits<std::int32_t>::max()) {
                setLastOperationError(StoreError::condition(StoreError::BadStoredValue));
                break;
            }
            table.record() = added;
            table.record().setStoredInteger(field, number);
            if (table.add() == StoreStatus::Ok) {
                for (const int held : heldBlank) {
                    (void)table.record().setValue(held, primed.value(held));
                }
                return true;
            }
        }
        saveErrorCondition();
        if (standardWarning(WarningNumbering) != ButtonRetry) {
            table.clear();
            table.record() = primed;
            return false;
        }
    }
}

bool highestRecordNumber(Table& table, std::int64_t& highest) {
    StoreStatus status = table.setToKeyStart(table.def().identityKey);
    if (status == StoreStatus::Ok) {
        status = table.previous();
    }
    highest = status == StoreStatus::Ok ? table.record().storedInteger(table.def().recordNumberField) : 0;
    return status == StoreStatus::Ok || status == StoreStatus::EndOfData;
}

} // namespace nakva
