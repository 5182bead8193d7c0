#pragma once

#include "data/Record.h"
#include "registration/InvoiceLine.h"
#include "ui/FormConfig.h"
#include "ui/ListConfig.h"
#include "ui/Requests.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace nakva {

class Context;
class Table;

// The day-by-day schedule of an invoice line (`Seilgraf`): a row for each day the service is
// provided, with that day's quantity. The line's days, quantity, period and amount follow its rows.
// Every operation here reads and writes through handles of its own on the context, so the buffers and
// current records of the windows on it stay as they were.

// The line's rows in schedule order (day, then row number). Nothing on a read error, after its message.
std::optional<std::vector<Record>> scheduleOf(Context& context, std::int32_t line);

// Builds the line's schedule afresh from its period and quantity a day: its rows are deleted and a row
// is added for each day from the first to the last, numbered on from the highest row number. One
// transaction: the whole schedule is replaced, or the old one stays. A period with a missing date is
// refused with a message (it would reach back to the year 1800). False after a message.
bool regenerateSchedule(Context& context, const Record& line);

// The days a schedule built afresh gives the line: each day from its first to its last, both
// included, with its quantity a day; none while either date is missing or the last is before the first.
std::vector<ScheduleDay> freshSchedule(const Record& line);
// Inside a transaction its caller holds over `Seilgraf`: replaces the rows of line `line` on `rows` by
// `days`, numbered on from the highest row number. False, with the condition recorded and nothing
// shown, when a read or a write failed: the caller rolls back.
bool writeSchedule(Table& rows, std::int32_t line, const std::vector<ScheduleDay>& days);

// The line's totals from its stored rows (scheduleTotals). False, with the line as it was, after a
// message.
bool totalsFromSchedule(Context& context, Record& line);

// Puts the line's schedule back as `rows` held it: its present rows are replaced in one transaction.
// A row whose number another line has taken meanwhile gets the next free one. False after a message.
bool restoreSchedule(Context& context, std::int32_t line, const std::vector<Record>& rows);

// Calls a line form (`call`) so that a changed line left without saving gets back the schedule it had
// when the form opened: its quantity and its schedule never disagree. (A new line left so is deleted,
// and its schedule with it.) The line stands in the `Saskeil` buffer of `context`; `call` answers
// through the FormDone it is given, and then `done` hears the form's answer.
void keepingSchedule(Context& context, Request request, const std::function<void(FormDone)>& call,
                     FormDone done);

// "Ar suformuoti grafiką?" under "Grafiko performavimas": true on Yes.
bool confirmRegeneration();

// The schedule on the line form: the rows of the line whose number stands in ScheduleLineVariable,
// with columns "Data" and "Kiekis"; an inserted row gets that line.
inline constexpr std::string_view ScheduleLineVariable = "LOC:SEILID";
ListConfig scheduleList();

// The schedule row form "TEIKIAMOS PASLAUGOS GRAFIKO EILUTĖ", called from the line form's schedule with
// the line as edited so far in the `Saskeil` buffer. A new row is numbered and written when the form
// opens, on the line's first day with its quantity a day and its price.
inline constexpr std::string_view ScheduleRowForm = "RedSEilGr";
FormConfig RedSEilGr();

} // namespace nakva
