#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The payment ledgers "APMOKĖJIMO ŽINIARAŠTIS A1" and "A2": the payments dated in the period, by
// payment method (a method without payments prints nothing), within a method by date and number, each
// with its registration; "Iš viso:" after each method and "Iš viso :" at the end. A1 shows the
// registration's resident group, A2 also the resident. From the menu items "Einamasis apmokėjimo
// žiniaraštis A1" and "A2", after the period dialog.
const ReportSpec& SpApmZin();
const ReportSpec& SpApmZin2();

} // namespace nakva
