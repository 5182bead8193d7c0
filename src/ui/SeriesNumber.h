#pragma once

#include "data/Dictionary.h"
#include "data/Position.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace nakva {

class Context;
class FormEngine;

// Documents numbered within a series (invoices by SAS:SaskSer, payment documents by MOK:MOKSER): the
// next number of `series` is one more than the highest number among the records whose series is
// exactly `series`, letter case included, or 1 when there is none. `key` orders the records by
// series, number and then numbers only (SAS:SASNRKEY); it ignores letter case, so the walk goes back
// from the end of the series over every series equal to it in any case ("k-7" does not continue "K").
// The record at `own` (the caller's own stored record) is left out. Read through a handle of its own:
// the context's buffers stay as they are. Nothing after a read error, which has been shown.
std::optional<std::int64_t> nextInSeries(Context& context, TableId table, int key, std::string_view series,
                                         const Position& own = {});

// A form's document number by that rule, its series and number being the first two components of
// `key` (SAS:SASNRKEY, MOK:MOKSERNRKEY): in change mode the series of the opening copy gets back its
// opening number; otherwise the next number of exactly the form's series, the form's own stored
// record left out. The number the rule gave, or nothing when it gave none (a read error, shown; no
// number left below the field's maximum): the number then stays as it was.
std::optional<std::int32_t> numberInSeries(FormEngine& form, int key);

} // namespace nakva
