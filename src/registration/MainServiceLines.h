#pragma once

#include "data/Decimal.h"
#include "data/Record.h"

#include <optional>

namespace nakva {

class Context;

// The main service lines of a registration ("Automatiškai sukurti pagrindinių paslaugų eilutes"):
// accommodation, meals, children's meals and extra places, from the four service names of the
// institution settings and their prices in the price list, each created once: a service that already
// has a line on the registration, is missing from the price list or is not ordered (no residents,
// breakfasts, children's breakfasts or extra places) is passed over.
//
// Each line covers the nights of the stay, from the arrival to the last night (the day before the
// departure; the arrival itself for a stay that ends on its first day), is numbered after the highest
// line number, and gets its schedule at once: a row a day with the quantity a day (1 room, the
// breakfasts, the children's breakfasts, the extra places), from which its quantity, days, amount and
// VAT follow. Accommodation is charged at `roomsPerDay`, the price a day of the registration's rooms.
// The lines, their schedules and their amounts are written in one transaction: all of them, or
// nothing.
//
// `registration` holds the registration as edited so far. Refused with a message when its nights
// are 0 while its dates differ (the dates were never accepted) or no arrival is set. The number of
// lines created; nothing after a failure's message (and no line written).
std::optional<int> createMainServiceLines(Context& context, const Record& registration,
                                          const Decimal& roomsPerDay);

} // namespace nakva
