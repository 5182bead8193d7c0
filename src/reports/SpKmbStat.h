#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// "KAMBARIŲ APTARNAVIMO IR PAJAMŲ STATISTIKA": every room, in use or not, by type, with its cleanings,
// residents, bed-days, bedding and towel changes, income and records of the period (roomServiceLine);
// each type's sums and the report's. The period is asked first. From the room service menu and the
// room list's print menu.
const ReportSpec& SpKmbStat();

} // namespace nakva
