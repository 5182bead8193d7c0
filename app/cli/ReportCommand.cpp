#include "cli/ReportCommand.h"

#include "cli/CliCommands.h"
#include "cli/CommandLine.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "reports/ParameterDialogs.h"
#include "reports/ReportCatalog.h"
#include "reports/ReportRun.h"
#include "shell/Globals.h"
#include "messages/Message.h"

namespace nakva {

namespace {

PdfWriter& pdfWriter() {
    static PdfWriter writer;
    return writer;
}

void report(const std::string& text) {
    MessageRequest request;
    request.text = text;
    request.title = "nakva-cli";
    showMessage(request);
}

// The institution's record for the page headers, read as the program reads it at start-up but
// without writing anything: an empty table leaves the record blank.
void readInstitution(Context& context) {
    Table& settings = context.table(IST::table);
    settings.open();
    settings.clear();
    if (settings.setToKeyStart(IST::RA) == StoreStatus::Ok && settings.next() == StoreStatus::Ok) {
        context.database().istgPar() = settings.record();
    }
    settings.close();
}

// --from and --to into the parameters as the report's dialog would leave them; false after a message.
bool periodOptions(const ReportSpec& definition, const CommandLine& line, Globals& globals) {
    const auto from = line.option("--from");
    const auto to = line.option("--to");
    if (definition.dialog == ParameterDialog::None) {
        if (from || to) {
            report("Ataskaita " + std::string(definition.name) + " neturi periodo: --from ir --to jai netinka.");
            return false;
        }
        return true;
    }
    openParameterDialog(definition.dialog, globals);
    for (const auto& [option, value, date] :
         {std::tuple{"--from", from, &globals.PrDt}, std::tuple{"--to", to, &globals.GalDt}}) {
        if (!value) {
            continue;
        }
        std::string error;
        const std::optional<Date> parsed = parseDate(*value, &error);
        if (!parsed || *parsed == NoDate) {
            report(std::string("Parametro ") + option +
                   " data netinka: " + (error.empty() ? "data nenurodyta." : error));
            return false;
        }
        *date = *parsed;
    }
    acceptParameterDialog(definition.dialog, globals);
    return true;
}

std::string reportNames() {
    std::string names;
    for (const ReportSpec* known : reportCatalog()) {
        names += (names.empty() ? "" : ", ") + std::string(known->name);
    }
    return names;
}

} // namespace

void setPdfWriter(PdfWriter writer) {
    pdfWriter() = std::move(writer);
}

int reportCommand(Database& database, const CommandLine& line, std::ostream& out) {
    const std::string& name = line.operands().front();
    const ReportSpec* definition = findReport(name);
    if (definition == nullptr) {
        report("Nėra ataskaitos „" + name + "“. Ataskaitos: " + reportNames() + ".");
        return ExitUsage;
    }
    const auto pdf = line.option("--pdf");
    const auto wmfFolder = line.option("--wmf-dir");
    if (!pdf && !wmfFolder) {
        report("Nurodykite, kur rašyti ataskaitą: --pdf FAILAS ir (ar) --wmf-dir APLANKAS.");
        return ExitUsage;
    }
    Globals globals;
    globals.EINDT = today();
    if (!periodOptions(*definition, line, globals)) {
        return ExitUsage;
    }

    Context context(database);
    readInstitution(context);
    ReportRun run(*definition, context);
    run.start(globals);
    while (run.advance()) {
    }
    if (run.state() == ReportRun::State::Failed) {
        return ExitFailed;
    }
    if (!run.showsPreview() || run.pages().empty()) {
        report("Nėra duomenų, tenkinančių ataskaitos sąlygas: niekas neįrašyta.");
        return ExitFailed;
    }
    const std::vector<std::filesystem::path>& pages = run.pages();

    if (wmfFolder) {
        std::error_code error;
        std::filesystem::create_directories(*wmfFolder, error);
        for (const auto& page : pages) {
            const std::filesystem::path target =
                std::filesystem::path(*wmfFolder) / (page.filename().string() + ".wmf");
            if (const SaveResult saved = copyFileAtomically(page, target); !saved) {
                report(saveFailureText(target, saved));
                return ExitFailed;
            }
        }
        out << *wmfFolder << " (lapų: " << pages.size() << ")\n";
    }
    if (pdf) {
        if (!pdfWriter()) {
            report("PDF dokumentų ši programa nerašo.");
            return ExitFailed;
        }
        if (const SaveResult saved = pdfWriter()(pages, *pdf, std::string(definition->title)); !saved) {
            report(saveFailureText(*pdf, saved));
            return ExitFailed;
        }
        out << *pdf << " (lapų: " << pages.size() << ")\n";
    }
    return ExitOk;
}

} // namespace nakva
