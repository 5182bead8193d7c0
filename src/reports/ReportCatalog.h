#pragma once

#include "reports/ReportLayout.h"

#include <span>
#include <string_view>

namespace nakva {

// Every report the program can run, by its name ("SpPaslSar").
std::span<const ReportSpec* const> reportCatalog();
// nullptr for a name no report has.
const ReportSpec* findReport(std::string_view name);

} // namespace nakva
