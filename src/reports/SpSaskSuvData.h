#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The invoice register "SĄSKAITŲ SUVESTINĖ": the invoices dated in the period, in date, series and
// number order, each with its payer, its three amounts and whether it was sent and paid; the sums at
// the end. From the menu "Sąskaitų žiniaraštis" and the registration lists, after the period dialog.
const ReportSpec& SpSaskSuvData();

} // namespace nakva
