#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The income statistics: the stays with a night in the period, their people, bed-nights and invoice
// amounts attributed to the period in proportion to their nights in it, by the residents' country or
// by resident group; a summary line per country or group, or a detailed line per stay. From the menu
// items "Pajamų suvestinė pagal valstybes", "Pajamų žiniaraštis pagal valstybes", "Pajamų suvestinė
// pagal gyv. grupes" and "Pajamų žiniaraštis pagal gyv. grupes", after the period dialog.
const ReportSpec& SpStatPajValst();
const ReportSpec& SpStatPajValstDet();
const ReportSpec& SpStatPajGrup();
const ReportSpec& SpStatPajGrupDet();

} // namespace nakva
