#include "data/Transaction.h"

#include "data/Context.h"

namespace nakva {

Transaction::Transaction(Context& context) : context_(context) {}

Transaction::~Transaction() {
    rollback();
}

StoreStatus Transaction::begin(std::span<const TableId> tables) {
    try {
        context_.beginTransaction(*this, tables);
    } catch (const StoreFailure& failure) {
        setLastOperationError(failure.condition);
        return StoreError::statusOf(failure.condition.number);
    }
    active_ = true;
    setLastOperationError({});
    return StoreStatus::Ok;
}

StoreStatus Transaction::commit() {
    if (!active_) {
        setLastOperationError(StoreError::condition(StoreError::TransactionRefused, "tranzakcija nepradėta"));
        return StoreStatus::Failed;
    }
    active_ = false;
    try {
        context_.endTransaction(true);
    } catch (const StoreFailure& failure) {
        setLastOperationError(failure.condition);
        return StoreStatus::Failed;
    }
    setLastOperationError({});
    return StoreStatus::Ok;
}

void Transaction::rollback() {
    if (active_) {
        active_ = false;
        context_.endTransaction(false);
    }
}

} // namespace nakva
