#pragma once

#include "messages/ErrorText.h"

#include <string_view>

namespace nakva {

// What an operation of the record store came to. The condition behind it (the store's own text and
// number, or SQLite's text and code for a driver error) is recorded with setLastOperationError(), so
// the standard warnings can show it.
enum class StoreStatus {
    Ok,
    EndOfData,     // next or previous ran past the end of the order: the normal end of a read
    NotFound,      // get by key or re-get by position found no record
    DuplicateKey,  // add or put would give a unique key twice; a duplicate check found a collision
    RecordChanged, // put or delete of a watched record that another user changed or removed meanwhile
    Failed,        // anything else: the condition says what
};

// The store's own error numbers. SQLite's codes (1 to 28, and the extended codes from 256 on) reach
// the messages unchanged, so these stay clear of them.
namespace StoreError {
inline constexpr int EndOfData = 61;
inline constexpr int RecordNotFound = 62;
inline constexpr int FileNotFound = 63;
inline constexpr int FileNotOpen = 64;
inline constexpr int KeysMustBeRebuilt = 65;
inline constexpr int LayoutDiffers = 66;
inline constexpr int DuplicateKey = 67;
inline constexpr int NoCurrentRecord = 68;
inline constexpr int BadPosition = 69;
inline constexpr int ViewNotOpened = 70;
inline constexpr int TransactionRefused = 71;
inline constexpr int BadStoredValue = 72;
inline constexpr int FileDamaged = 73; // the file exists but holds no database (zero bytes)
inline constexpr int RecordChanged = kRecordChangedByAnotherStation;

// The condition with the store's own text for one of the numbers above; `detail`, when given, is
// added after a colon ("Netinkamas filtras: ...").
ErrorCondition condition(int number, std::string_view detail = {});
StoreStatus statusOf(int number);
// A condition SQLite reported: its (extended) code kept as the number, its English text replaced by
// a Lithuanian one that says what happened and what to do, for the failures a user meets (another
// station writing, a read-only folder, a damaged file, a full disk, a filter too deep); other texts
// stay SQLite's own.
ErrorCondition sqliteCondition(int code, std::string_view sqliteText);
} // namespace StoreError

// A failure inside the store on its way to the operation that reports it. It never leaves the store:
// every public operation turns it into a status and the recorded condition.
struct StoreFailure {
    ErrorCondition condition;
};

// Runs a store operation that returns 0 or one of the store's numbers (or throws StoreFailure), records
// its outcome with setLastOperationError() and gives its status.
template <typename Operation> StoreStatus runStoreOperation(Operation operation) {
    try {
        const int number = operation();
        setLastOperationError(number == 0 ? ErrorCondition{} : StoreError::condition(number));
        return StoreError::statusOf(number);
    } catch (const StoreFailure& failure) {
        setLastOperationError(failure.condition);
        return StoreError::statusOf(failure.condition.number);
    }
}

} // namespace nakva
