#pragma once

#include "data/Expression.h"
#include "data/Position.h"
#include "data/Record.h"
#include "data/StoreError.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Context;
class Table;
class Variables;

// The guarded delete and guarded change: how every record form and batch procedure deletes or rewrites
// a stored record, instead of plain writes. Driven by the dictionary's relations and child orders, for
// every table alike:
// - one transaction over the table, its child tables and theirs (begun within 2 seconds, or warning 34);
// - a delete is refused (warning 13 naming the child table) while a child holds the record's linking
//   value, or cascades to the children where the relation says so (a registration's payments, invoice
//   lines with their schedules, occupied rooms);
// - a change of a linking value rewrites every child that held the former value;
// - every failure is reported to the user before the operation returns, and nothing of it stays.
// A child is one whose linking value equals the parent's exactly, letter case and all (trailing blanks
// aside): a text that differs only in case links to another record.
//
// Both open the tables they need on the handle's context (counted) and close them after; the related
// tables are read through handles of their own, so the context's buffers and current records of those
// tables stay as they were.

// The system's own status numbers.
enum class GuardedResult : int {
    Done = 0,        // written and committed
    Failed = 1,      // refused or failed, already reported; nothing was written
    ReRead = 2,      // change only: another user had changed the record; the buffer now holds that version
    NotSelected = 3, // the record no longer meets the caller's condition (below); nothing was written
                     // and nothing shown: the caller tells it its own way
    Refused = 4,     // delete only: a child holds the record's linking value (warning 13 said which);
                     // nothing was written, and trying again changes nothing
};

// The condition a batch procedure selected its records by, tested again inside the operation's
// transaction on the record as stored there (re-read after the locks were taken), so that a record
// another station changed after the selection is not deleted or changed when it no longer meets it.
// `stored` is the stored record; the handle is one of the operation's own on the same context, so a
// condition that needs related records (a joined parent) reads them inside the same transaction.
// An empty condition passes every record.
//
//     const StillSelected selected = selectionCondition(context, "SAS:GyvenaIki < GLO:Riba", variables);
//     for (const Position& position : chosen) {            // chosen earlier by a view
//         table.regetByPosition(position);
//         switch (guardedDelete(table, selected)) {
//         case GuardedResult::NotSelected: ...               // changed meanwhile: left, told
//         ...
//
// selectionCondition() below makes one from a view's filter.
using StillSelected = std::function<bool(const Record& stored)>;

// Sets each linking value of `record` as its parent holds it (the parent found by its identity key,
// without regard to letter case where the key has none): "akvilė" becomes "AKVILĖ" when that payer
// is so written. A blank value is left blank. A value no parent holds is left as it is, or, with
// `parentRequired`, refused. With `unchangedFrom`, a linking value equal to that record's is taken as
// it stands, neither looked up nor respelled: a change checks the links it changes. The one check of
// every write that takes linking values from outside (an import, an update); the error (naming the
// field and the parent's table) is empty when none.
std::string linkToParents(Context& context, Record& record, bool parentRequired,
                          const Record* unchangedFrom = nullptr);

// A child whose linking value does not name its parent as the parent holds it:
// - only in another letter case ("akvilė" under the payer "AKVILĖ"): the views show it with that
//   parent, but a delete or rename of the parent leaves it behind; `parentValue` holds the parent's
//   spelling, which mendCaseMismatches() writes;
// - no parent at all (a payer "NERA", a registration number nobody holds, or, under the one
//   case-sensitive key, a service's name in another letter case): nothing here can mend it, only a
//   parent of that value or another value in the child; `parentValue` is empty.
struct LinkProblem {
    const RelationDef* relation = nullptr;
    Record child;                           // as stored
    Position position;                      // of the child, to mend it
    std::optional<std::string> parentValue; // the parent's spelling; none for an orphan

    bool orphan() const { return !parentValue; }
};
// Every such child in the data folder, relation by relation. Reads on `context`; false when a read
// failed.
bool findLinkProblems(Context& context, std::vector<LinkProblem>& found);
// Sets each child that names its parent in another letter case to the parent's spelling, all in one
// transaction per child table; orphans are left as they are. Done, or Failed (nothing of that table
// written; the condition says why).
StoreStatus mendCaseMismatches(Context& context, const std::vector<LinkProblem>& problems);

// A view's filter over `table` (its fields, the parents it joins, the variables' present values) as a
// condition on one record: the parents it names are read by their identity keys on the context (inside
// the operation's transaction when their files are in it). An error for a filter that cannot be read
// or bound, with the view's own message.
ExpressionResult<StillSelected> selectionCondition(Context& context, TableId table, std::string_view filter,
                                                   const Variables& variables);

// Who asks for a change: a record form or a batch procedure; they are told differently that another
// user changed the record meanwhile.
enum class ChangeCaller { Batch = 0, Form = 1 };

// Which children follow a changed linking value: those holding the former value exactly (the rule of
// every form), or also those spelling it in another letter case, where the parent's key ignores case
// and so no other parent can be meant ("a" under the payer "A": a batch renumbering payers must not
// leave it naming a code nobody holds).
enum class ChildrenFollow { Exact, AnyCase };

// Deletes the handle's current record with its relation rules. With a condition, a record that no
// longer meets it is left as it is: result NotSelected.
GuardedResult guardedDelete(Table& table, const StillSelected& stillSelected = {});

// Rewrites the handle's current record from its buffer with its relation rules. `former` holds the
// record as it stood when the caller read it (a form: when it opened); the children that still hold
// its linking values follow the new ones. A watched record that another user changed meanwhile is
// re-read and watched again: result ReRead. With a condition, the stored record is tested first
// (before the buffer is written): one that no longer meets it is left as it is, result NotSelected,
// and the buffer then holds the stored version.
GuardedResult guardedChange(Table& table, const Record& former, ChangeCaller caller,
                            const StillSelected& stillSelected = {},
                            ChildrenFollow follow = ChildrenFollow::Exact);

// A batch procedure's change of one record, made to the record as it is stored inside the operation's
// transaction. It gives why the changed record cannot be written ("" when it can: the values as a
// whole, the links it changed).
using BatchChange = std::function<std::string(Record& record)>;

// Changes the record at the handle's current position with its relation rules, for a batch procedure,
// which has no user who saw the old values: inside the transaction the record is read again, tested
// against the condition, and changed as it now stands, so that a change another station made since the
// record was selected stays, and is no conflict. The handle's buffer then holds the record as written.
// Done; NotSelected when the stored record no longer meets the condition or is gone (nothing written or
// shown); Failed after its message, also when `change` refuses (its text, titled "Įrašas nepakeistas").
GuardedResult guardedBatchChange(Table& table, const BatchChange& change,
                                 const StillSelected& stillSelected = {},
                                 ChildrenFollow follow = ChildrenFollow::Exact);

} // namespace nakva
