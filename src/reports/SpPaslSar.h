#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The price list "PREKIŲ-PASLAUGŲ SĄRAŠAS": every service in name order with its unit, its prices
// without and with VAT and its VAT percentage. From the menu "Paslaugų sąrašas" and the services
// list's print menu; no parameters.
const ReportSpec& SpPaslSar();

} // namespace nakva
