#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The residents departing in the period ("Išvykstančių gyventojų sąrašas"), a line for each room of
// each stay, in room order (building, floor, number), after the period dialog.
const ReportSpec& SpSarIsvykst();

} // namespace nakva
