#pragma once

#include "data/Position.h"

#include <functional>
#include <optional>
#include <string>

namespace nakva {

class Table;

// "Kopijuoti" of the rooms, services and payers lists: adds a copy of the handle's current record in a
// transaction on its table.
//
// `change` is called inside the transaction with the record to copy in the handle's buffer; it turns
// the buffer into the copy (a new name, code or number) and returns the text of the value that makes
// the copy new, which a duplicate names. Then:
// - a transaction that cannot begin (within 2 seconds) shows warning 34 for "kopijuojant" and the table;
// - a copy that collides with a stored record shows warning 24 with "<table> (kartojasi reikšmė
//   <value>)"; any other failure "Negaliu nukopijuoti įrašo: " with the error, titled
//   "Kopijavimo klaida";
// and nothing is written. On success the copy is committed, is the handle's current record, and its
// position is returned.
std::optional<Position> copyRecord(Table& table, const std::function<std::string(Table& table)>& change);

} // namespace nakva
