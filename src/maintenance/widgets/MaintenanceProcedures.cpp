#include "maintenance/widgets/MaintenanceProcedures.h"

#include "data/Context.h"
#include "maintenance/PayerAnonymisation.h"
#include "maintenance/widgets/ProcessWindow.h"
#include "maintenance/widgets/RemovalWindow.h"
#include "messages/Message.h"
#include "shell/widgets/ProcedureRegistry.h"

#include <memory>

namespace nakva {

void registerMaintenanceProcedures(ProcedureRegistry& procedures, Database& database) {
    procedures.add("SalintiSenus", [&database]() -> QWidget* {
        return new RemovalWindow(std::make_unique<Context>(database));
    });
    procedures.add("Nuasmeninti", [&database]() -> QWidget* {
        auto context = std::make_unique<Context>(database);
        auto anonymisation = std::make_unique<PayerAnonymisation>(*context);
        auto* window = new ProcessWindow(QStringLiteral("Apdorojamas failas Klient"), std::move(context),
                                         std::move(anonymisation));
        window->setOnEnd([](const BatchRun& run) {
            const auto& done = static_cast<const PayerAnonymisation&>(run.process());
            if (run.state() == BatchRun::State::Cancelled) {
                showMessage("Nuasmeninimas nutrauktas: mokėtojų duomenys liko nepakeisti.");
            } else if (done.skipped() > 0) {
                showMessage("Nuasmeninta mokėtojų: " + std::to_string(done.anonymised()) +
                            ".\nPraleista (kitoje darbo vietoje pakeisti ar pašalinti): " +
                            std::to_string(done.skipped()));
            } // done: the window just closes
        });
        return window;
    });
}

} // namespace nakva
