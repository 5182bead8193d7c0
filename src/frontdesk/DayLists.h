#pragma once

#include "ui/ListConfig.h"

#include <string_view>

namespace nakva {

// The three lists of the window "ŠIANDIEN" (`SarSiandien`), each a registrations list on the list
// engine with the all-registrations list's columns, for the day bound as LOC:Diena (the working date
// GLO:EINDT when the list opens):
// - `SarAtvyksta` "Atvyksta": the registrations arriving that day, by registration number;
// - `SarIsvyksta` "Išvyksta": those whose departure date is that day, departed or not, by surname;
// - `SarGyvena` "Gyvena": the guests in the house, that is not departed and arrived on or before the
//   day (one whose departure date has passed stays until the departure is marked), by surname.
// Each reads along a key of its own (ATVDTKEY, ISVDATAKEY, ISVYKESPAVKEY), so only the day's rows are
// read however many registrations the table holds.
ListConfig SarAtvyksta();
ListConfig SarIsvyksta();
ListConfig SarGyvena();

inline constexpr std::string_view DayVariable = "LOC:Diena";

} // namespace nakva
