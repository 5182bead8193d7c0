#include "reports/ReportCatalog.h"

#include "reports/SpKliSar.h"
#include "reports/SpPaslSar.h"

#include <array>

namespace nakva {

std::span<const ReportSpec* const> reportCatalog() {
    static const std::array reports{
        &SpPaslSar(),
        &SpKliSar(),
    };
    return reports;
}

const ReportSpec* findReport(std::string_view name) {
    for (const ReportSpec* report : reportCatalog()) {
        if (report->name == name) {
            return report;
        }
    }
    return nullptr;
}

} // namespace nakva
