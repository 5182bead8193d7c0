#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The invoice register "SĄSKAITŲ SUVESTINĖ": the invoices dated in the period, in date, series and
// number order, each with its payer, its three amounts (the sums of its lines, as its invoice prints
// them) and whether it was sent and paid; at the end the sums and a "PVM suma ( N% ):" line per rate.
// From the menu "Sąskaitų žiniaraštis" and the registration lists, after the period dialog.
const ReportSpec& SpSaskSuvData();

} // namespace nakva
