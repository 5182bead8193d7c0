#pragma once

#include "data/Record.h"

namespace nakva {

class Table;

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
    Done = 0,   // written and committed
    Failed = 1, // refused or failed, already reported; nothing was written
    ReRead = 2, // change only: another user had changed the record; the buffer now holds that version
};

// Who asks for a change: a record form or a batch procedure; they are told differently that another
// user changed the record meanwhile.
enum class ChangeCaller { Batch = 0, Form = 1 };

// Deletes the handle's current record with its relation rules.
GuardedResult guardedDelete(Table& table);

// Rewrites the handle's current record from its buffer with its relation rules. `former` holds the
// record as it stood when the caller read it (a form: when it opened); the children that still hold
// its linking values follow the new ones. A watched record that another user changed meanwhile is
// re-read and watched again: result ReRead.
GuardedResult guardedChange(Table& table, const Record& former, ChangeCaller caller);

} // namespace nakva
