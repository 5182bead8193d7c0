#include "cli/MaintenanceCommands.h"

#include "cli/CliCommands.h"
#include "cli/CommandLine.h"
#include "data/Context.h"
#include "data/Database.h"
#include "maintenance/OldRegistrations.h"
#include "maintenance/PayerAnonymisation.h"
#include "messages/Message.h"

#include <string>

namespace nakva {

namespace {

int exitCode(BatchRun::State state) {
    return state == BatchRun::State::Done ? ExitOk : ExitFailed;
}

} // namespace

int removeOldCommand(Database& database, const CommandLine& line, std::ostream& out, std::ostream& progress) {
    // The same code as on the window: a script without it removes nothing.
    if (!accessCodeAccepted(line.option("--code").value_or(""))) {
        showMessage("Neteisingas apsaugos kodas.", "Pašalinimas");
        return ExitFailed;
    }
    Date limit = NoDate;
    if (const auto to = line.option("--to")) {
        std::string error;
        const std::optional<Date> parsed = parseDate(*to, &error);
        if (!parsed) {
            showMessage("Parametro --to data netinka: " + error, "Pašalinimas");
            return ExitUsage;
        }
        limit = *parsed;
    }
    Context context(database);
    OldRegistrationRemoval removal(context, limit, today());
    progress << "Pašalinami registracijos įrašai iki " << formatDate(removal.limit()) << " (imtinai)\n";
    const BatchRun::State state = runBatch(removal, progress);
    out << removalDoneText(removal.removed()) << '\n';
    if (removal.skipped() > 0) {
        out << "Praleista (kitoje darbo vietoje pakeisti ar pašalinti): " << removal.skipped() << '\n';
    }
    return exitCode(state);
}

int anonymiseCommand(Database& database, const CommandLine& line, std::ostream& out, std::ostream& progress) {
    // The same code as on the window: the payers' particulars cannot be brought back.
    if (!accessCodeAccepted(line.option("--code").value_or(""))) {
        showMessage("Neteisingas apsaugos kodas.", "Nuasmeninimas");
        return ExitFailed;
    }
    Context context(database);
    PayerAnonymisation anonymisation(context);
    const BatchRun::State state = runBatch(anonymisation, progress);
    out << anonymisationDoneText(anonymisation.anonymised(), anonymisation.skipped()) << '\n';
    return exitCode(state);
}

} // namespace nakva
