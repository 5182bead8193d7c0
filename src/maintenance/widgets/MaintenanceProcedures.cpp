#include "maintenance/widgets/MaintenanceProcedures.h"

#include "data/Context.h"
#include "maintenance/widgets/AccessCodeWindow.h"
#include "maintenance/widgets/RemovalWindow.h"
#include "shell/widgets/ProcedureRegistry.h"

#include <memory>

namespace nakva {

void registerMaintenanceProcedures(ProcedureRegistry& procedures, Database& database) {
    procedures.add("SalintiSenus", [&database]() -> QWidget* {
        return new RemovalWindow(std::make_unique<Context>(database));
    });
    procedures.add("Nuasmeninti", [&database]() -> QWidget* {
        return anonymisationWindow(std::make_unique<Context>(database));
    });
}

} // namespace nakva
