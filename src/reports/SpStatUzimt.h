#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// "KAMBARIŲ UŽIMTUMO SUVESTINĖ (pagal tipus)": for each room type with stays in the period, its rooms,
// the period's days, the planned room-days (rooms × days), the room-days the stays used and the
// occupancy percentage; then the same for all rooms. From the menu "Kambarių užimtumo suvestinė pagal
// tipus", after the period dialog.
const ReportSpec& SpStatUzimt();

} // namespace nakva
