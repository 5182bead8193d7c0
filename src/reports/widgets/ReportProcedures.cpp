#include "reports/widgets/ReportProcedures.h"

#include "data/Context.h"
#include "reports/ReportCatalog.h"
#include "reports/widgets/IsafWindow.h"
#include "reports/widgets/ReportWindow.h"
#include "shell/widgets/ProcedureRegistry.h"

#include <memory>
#include <string>

namespace nakva {

void registerReportProcedures(ProcedureRegistry& procedures, Database& database) {
    for (const ReportSpec* report : reportCatalog()) {
        // A report about a list's current record runs on that list's context (runCatalogReport).
        if (report->subject) {
            continue;
        }
        procedures.add(std::string(report->name), [&database, report]() -> QWidget* {
            return new ReportWindow(*report, std::make_unique<Context>(database));
        });
    }
    procedures.add("ISafRegistras",
                   [&database]() -> QWidget* { return new IsafWindow(std::make_unique<Context>(database)); });
}

} // namespace nakva
