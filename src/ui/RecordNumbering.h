#pragma once

#include <cstdint>
#include <vector>

namespace nakva {

class Table;

// Numbers a new record and adds it at once, as a form does when it opens for an insert: the highest
// number in identity order plus one (1 for an empty table), with the values standing in the buffer.
// Another station taking the number meanwhile makes the add fail, and it is tried again, three times
// in all; then "Šio įrašo autonumeracija neįvykdyta" offers three more on Retry. A read error other
// than an empty table shows warning 35 naming the table.
//
// The fields named in `heldBlank` are added blank and put back into the buffer after the add (a
// payment's amount: nobody sees money until the form is saved).
//
// True with the new record current and in the buffer; false, after the messages, with the buffer
// holding the values it was given and no record current.
bool addNumberedRecord(Table& table, const std::vector<int>& heldBlank = {});

// The highest record number in `table` (the last record in identity-key order), 0 for an empty table,
// read through the handle (its buffer then holds that record). False on a read error, with the
// condition recorded and nothing shown.
bool highestRecordNumber(Table& table, std::int64_t& highest);

} // namespace nakva
