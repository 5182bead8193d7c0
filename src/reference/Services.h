#pragma once

#include "data/Decimal.h"
#include "data/Position.h"
#include "ui/FormConfig.h"
#include "ui/ListConfig.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Context;
class Table;

// The price list of services: the list "PASLAUGŲ SARAŠAS" (menu "Paslaugos"; the selection list of the
// invoice lines, the report dialogs and the institution settings) and the service form "PASLAUGA".
// Only their data and their own logic; what the common list and form do with it is theirs.

// The list's tabs in screen order: by name (letter case significant), by search code, and the services
// of one group, the group chosen on the tab with its name beside it (ServiceGroupVariable, 0 =
// services without a group, as each opening starts). A service inserted on the group tab gets the
// chosen group.
ListConfig SarPaslaug();
inline constexpr std::string_view ServiceGroupVariable = "PGRP:IrasoNr";
inline constexpr int ServiceGroupTab = 2;

// The name of the service group numbered `group`, read through a handle of its own (the context's
// buffers stay as they are); empty for 0 and for a number without a group.
std::string serviceGroupName(Context& context, std::int32_t group);

// The units of measure the form offers, in their order.
const std::vector<std::string>& serviceUnits();

// The price without VAT of a price with VAT, in decimals: price × (100 / (100 + VAT %)), rounded to
// the field's 4 places. VAT 21.00 and 12.1000 give 10.0000.
Decimal priceWithoutVat(const Decimal& priceWithVat, const Decimal& vatPercent);

// A copy's name: the name without trailing blanks and "~", cut to the field's 40 characters (so a full
// name stays as it was and the copy fails as a duplicate).
std::string copyName(std::string_view name);
// Copies the service in the buffer of `services` (its current record) under copyName, in a transaction
// on `Paslaug`. The copy's position, or nothing after the failure has been shown.
std::optional<Position> copyService(Table& services);

// The service form: name on two lines, search code, group (looked up in the service groups, its name
// shown beside), unit from the drop list, price with VAT and VAT %; the price without VAT is
// recomputed when either of those two is accepted, and shown. A new service starts with the
// institution's VAT % and the unit "LOVAD.".
FormConfig RedPaslaug();

} // namespace nakva
