#pragma once

#include <functional>

namespace nakva {

class Context;

// What one window asks of another that it calls on its own procedure context. The called window
// blocks its caller until it returns its answer, and only its caller: the answer comes back through a
// continuation (`done`), which may run at once (a form that does not open its window) or later, once
// the called window has gone. The record to work on (or the value to open at) stands in the table's
// record buffer on that context.
enum class Request {
    None = 0, // started from the menu: maintenance
    Insert = 1,
    Change = 2,
    Delete = 3, // the form asks for confirmation and does not open its window
    Select = 4,
    View = 6,
};

enum class Response {
    Completed = 1, // the form saved (or deleted) the record; the list chose a record
    Cancelled = 2, // nothing was saved or chosen
};

// What a record form asks of its calling list after it closed: the save-and-move toolbar buttons.
// The list carries it out by calling the form again.
enum class Navigation {
    None,
    InsertAnother,
    Next,
    Previous,
    NextPage,
    PreviousPage,
    First,
    Last,
};

struct FormResult {
    Response response = Response::Cancelled;
    Navigation navigation = Navigation::None;
};

// A table's record form as its callers call it. Insert: the buffer has been cleared (and primed by a
// caller that creates a child record or shows a filtered tab). Change, delete, view: the buffer holds
// the record, re-read by its position and watched by the caller. Afterwards the saved record stays in
// the buffer as the table handle's current record. The caller goes on in `done`, called exactly once.
using FormDone = std::function<void(FormResult result)>;
using FormCall = std::function<void(Context& context, Request request, FormDone done)>;

// A list opened for a selection: it opens at the value standing in the table's buffer (or the next
// one, or the last record past the end) and, on Completed, leaves the chosen record there. The caller
// goes on in `done`, called exactly once.
using SelectDone = std::function<void(Response response)>;
using SelectCall = std::function<void(Context& context, SelectDone done)>;

} // namespace nakva
