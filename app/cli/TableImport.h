#pragma once

#include "data/Dictionary.h"

#include <istream>
#include <string_view>

namespace nakva {

class Context;

// Adds the records of a CSV file, written as `nakva-cli export` writes it, to a table: the header names
// the fields ("SAS:IrasoNr" or "IrasoNr", any letter case; fields left out are blank or zero), each
// following line is one record. Every value is checked first against its field (a whole number, a
// date yyyy-mm-dd, a decimal within the field's digits and places, a text within its width and the
// Windows-1257 characters, a record number above zero); then all records are added in one
// transaction. On the first bad value or refused record nothing is added, the table stays as it was,
// and a message names the file, line and field. `fileName` is the name the messages use.
bool importTable(Context& context, TableId table, std::istream& in, std::string_view fileName);

} // namespace nakva
