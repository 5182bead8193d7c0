#pragma once

#include "data/Decimal.h"
#include "reports/ReportLayout.h"

#include <cstdint>

namespace nakva {

class Context;

// The registration journal, one entry per registration of the period in registration date order
// ("Registracijos žurnalas"), the same with the payments received for each registration
// ("Registracijos žurnalas su apmokejimu"), and the resident list of the guests in the house in the
// period ("Gyventojų sąrašas"); all after the journal parameters dialog, restricted to the resident
// group chosen there.
const ReportSpec& SpZurnala();
const ReportSpec& SpZurnala2();
const ReportSpec& SpGyventSarasa();

// The payments of one registration added up (`MOK:MOKSUMA` of every `Mokej` record whose
// `MOK:SaskIrasoNr` is the registration), read through a handle of its own. A read that fails has
// shown its warning and says `failed`.
struct PaidSum {
    Decimal paid;
    bool failed = false;
};
PaidSum paidFor(Context& context, std::int32_t registration);

} // namespace nakva
