#pragma once

#include "data/Dictionary.h"
#include "data/StoreError.h"

#include <initializer_list>
#include <span>

namespace nakva {

class Context;

// A transaction over several tables of a context: every write between begin and commit takes effect
// together or not at all, across all their files. It rolls back when it ends without a commit.
//
//     Transaction transaction(context);
//     if (transaction.begin({TableId::Saskait, TableId::Mokej, TableId::Saskeil}) != StoreStatus::Ok)
//         ...;                       // the condition is recorded
//     ... writes through the context's table handles ...
//     transaction.commit();
//
// The first table heads the transaction (its file carries the journal that binds the others); every
// table must be open on the context. Begin waits up to 2 seconds for other users' writes to end.
class Transaction {
public:
    explicit Transaction(Context& context);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    StoreStatus begin(std::span<const TableId> tables);
    StoreStatus begin(std::initializer_list<TableId> tables) {
        return begin(std::span(tables.begin(), tables.size()));
    }
    StoreStatus commit();
    void rollback();
    bool active() const { return active_; }

private:
    friend class Context;

    Context& context_;
    bool active_ = false;
};

} // namespace nakva
