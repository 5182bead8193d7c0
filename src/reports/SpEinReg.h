#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The residents not yet departed, by resident group: their number and days a line per group
// ("Neišvykusių gyventojų statistika"), or each registration listed under its group ("Neišvykusių
// gyventojų sarašas"); both end with the rooms of the house, those occupied and those free. A
// registration holding two rooms counts its residents and days once, and occupies both rooms; a room
// holding registrations of two groups counts as occupied under each group.
const ReportSpec& SpEinRegStatistika();
const ReportSpec& SpEinRegSarasa();

} // namespace nakva
