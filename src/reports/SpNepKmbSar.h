#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// "NEPARUOŠTŲ KAMBARIŲ SĄRAŠAS": the rooms in use that are free and not cleaned since their last guest
// left (unpreparedRoom), by type, with the last departure and the last cleaning; the count of each
// type and of all. From the room service menu and the room list's print menu; no parameters.
const ReportSpec& SpNepKmbSar();

} // namespace nakva
