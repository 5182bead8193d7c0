#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The guest statistics of the registrations made in the period, by the residents' country or by
// resident group: their people, bed-days and invoice amounts, a line per country or group, or a line
// per registration under each. From the menu items "Gyventojų statistika pagal valstybes",
// "... pagal valstybes detali", "... pagal grupes" and "... pagal grupes detali", after the period
// dialog. A registration counts whole by its registration date, wherever its stay lies.
const ReportSpec& SpStatValst();
const ReportSpec& SpStatValstDet();
const ReportSpec& SpStatGrup();
const ReportSpec& SpStatGrupDet();

} // namespace nakva
