#pragma once

#include "data/Dictionary.h"

#include <cstddef>
#include <istream>
#include <optional>
#include <string_view>

namespace nakva {

class Context;

// Adds the records of a CSV file, written as `nakva-cli export` writes it, to a table: the header names
// the fields ("SAS:IrasoNr" or "IrasoNr", any letter case; fields left out are blank or zero), each
// following line is one record. Every value is checked first against its field (a whole number, a
// date yyyy-mm-dd, a decimal within the field's digits and places, a text within its width and the
// Windows-1257 characters without NUL, a record number above zero), exactly as an update checks it:
// nothing is cut or rounded. A linking value must name a parent that exists (a registration's country,
// group and payer, a line's registration, a room's type ...), unless `checkParents` is false, and is
// stored as the parent spells it. Then all records are added in one transaction; into the settings
// (IstgPar), which hold one record, the one imported record replaces the record there. On the first bad
// value or refused record nothing is added, the table stays as it was, and a message names the file,
// line and field. `fileName` is the name the messages use. The number of records added; nullopt after
// the message.
std::optional<std::size_t> importTable(Context& context, TableId table, std::istream& in,
                                       std::string_view fileName, bool checkParents = true);

} // namespace nakva
