#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The payer list "KLIENTŲ SĄRAŠAS": every payer in code order with its name, telephones and address.
// From the menu "Mokėtojų sąrašas" and the payers list's print menu; no parameters.
const ReportSpec& SpKliSar();

} // namespace nakva
