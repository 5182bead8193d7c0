#include "cli/IsafCommand.h"

#include "cli/CliCommands.h"
#include "cli/CommandLine.h"
#include "cli/ReportCommand.h"
#include "data/Context.h"
#include "data/Database.h"
#include "messages/Message.h"
#include "reports/IsafExport.h"
#include "shell/Globals.h"

#include <ctime>
#include <filesystem>

namespace nakva {

namespace {

void report(const std::string& text) {
    MessageRequest request;
    request.text = text;
    request.title = std::string(isaf::Title);
    showMessage(request);
}

// A date option into `date`; false after a message when it is not a date.
bool dateOption(const CommandLine& line, std::string_view name, Date& date) {
    const std::optional<std::string> value = line.option(name);
    if (!value) {
        return true;
    }
    std::string error;
    const std::optional<Date> parsed = parseDate(*value, &error);
    if (!parsed || *parsed == NoDate) {
        report("Parametro " + std::string(name) +
               " data netinka: " + (error.empty() ? "data nenurodyta." : error));
        return false;
    }
    date = *parsed;
    return true;
}

} // namespace

int isafCommand(Database& database, const CommandLine& line, std::ostream& out) {
    if (line.option("--from").has_value() != line.option("--to").has_value()) {
        report("Nurodykite abi laikotarpio datas, --from ir --to (be jų — praėjęs mėnuo).");
        return ExitUsage;
    }
    Globals period;
    period.EINDT = today();
    if (!dateOption(line, "--from", period.PrDt) || !dateOption(line, "--to", period.GalDt)) {
        return ExitUsage;
    }
    isaf::proposeLastMonth(period);
    if (!std::filesystem::is_directory(database.dataFolder())) {
        report("Aplanke „" + database.workingFolder().string() + "“ nėra duomenų aplanko DATA.");
        return ExitFailed;
    }
    Context context(database);
    readInstitution(context);
    const std::filesystem::path file = line.option("--out").value_or(
        (std::filesystem::current_path() / isaf::defaultFileName(context, period.PrDt)).string());
    const isaf::Outcome outcome =
        isaf::exportRegister(context, period.PrDt, period.GalDt, file, std::time(nullptr));
    if (outcome.kind == isaf::Outcome::Kind::Written) {
        out << file.string() << " (sąskaitų: " << outcome.invoices << ")\n";
        return ExitOk;
    }
    if (const std::string text = isaf::outcomeText(outcome, period.PrDt, period.GalDt, file); !text.empty()) {
        report(text);
    }
    return ExitFailed;
}

} // namespace nakva
