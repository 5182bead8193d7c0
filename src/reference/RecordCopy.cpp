#include "reference/RecordCopy.h"

#include "data/Table.h"
#include "data/Transaction.h"
#include "messages/ErrorText.h"
#include "messages/StandardWarnings.h"

namespace nakva {

namespace {

constexpr int WarningDuplicateKey = 24;
constexpr int WarningTransaction = 34;

// The copy failed for a reason other than its key; the condition was saved before the roll-back.
void copyFailed() {
    MessageRequest request;
    request.text = "Negaliu nukopijuoti įrašo: " + errorText();
    request.title = "Kopijavimo klaida";
    request.icon = MessageIcon::Information;
    showMessage(request);
    clearSavedErrorCondition();
}

} // namespace

std::optional<Position> copyRecord(Table& table, const std::function<std::string(Table& table)>& change) {
    const std::string tableName(table.def().messageName());
    Transaction transaction(table.context());
    if (transaction.begin({table.id()}) != StoreStatus::Ok) {
        saveErrorCondition();
        standardWarning(WarningTransaction, "kopijuojant", tableName);
        return std::nullopt;
    }
    const std::string value = change(table);
    // A record of its own: the copied one is no longer current, so every stored record counts in the
    // duplicate check.
    const Record copy = table.record();
    table.clear();
    table.record() = copy;

    StoreStatus status = table.add();
    if (status == StoreStatus::Ok) {
        status = transaction.commit();
    }
    if (status == StoreStatus::Ok) {
        return table.position();
    }
    saveErrorCondition();
    transaction.rollback();
    if (status == StoreStatus::DuplicateKey) {
        clearSavedErrorCondition();
        standardWarning(WarningDuplicateKey, tableName + " (kartojasi reikšmė " + value + ")");
    } else {
        copyFailed();
    }
    return std::nullopt;
}

} // namespace nakva
