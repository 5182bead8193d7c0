#include "cli/ReportCommand.h"

#include "cli/CliCommands.h"
#include "cli/CommandLine.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "messages/Message.h"
#include "reports/ParameterDialogs.h"
#include "reports/ReportCatalog.h"
#include "reports/ReportRun.h"
#include "shell/Globals.h"

#include <algorithm>

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

// A report parameter on the command line: the dialog field it fills, or the record a report is about.
struct ParameterOption {
    std::string_view option;
    std::string_view value; // empty for a flag
    std::string_view meaning;
};

struct DialogOption {
    DialogField field;
    ParameterOption option;
};

const DialogOption DialogOptions[] = {
    {DialogField::StartDate,
     {"--from", "DATA", "periodo pradžia yyyy-mm-dd (numatyta: šio mėnesio pirma diena)"}},
    {DialogField::EndDate,
     {"--to", "DATA", "periodo pabaiga yyyy-mm-dd (numatyta: šio mėnesio paskutinė diena)"}},
    {DialogField::Group, {"--group", "GRUPĖ", "gyventojų grupė (numatyta: visos grupės)"}},
    {DialogField::Service, {"--service", "PAVADINIMAS", "paslauga"}},
    {DialogField::ServiceGroup,
     {"--service-group", "NR", "paslaugų grupės numeris (numatyta 0: visos grupės)"}},
    {DialogField::IncludeDeparted, {"--include-departed", "", "įtraukti išvykusius"}},
    {DialogField::WithoutPrices, {"--without-prices", "", "be kainų"}},
    {DialogField::SummaryServiceName,
     {"--service-name", "TEKSTAS",
      "paslaugos pavadinimas suminėje eilutėje (numatyta „Viešbučio paslaugos“)"}},
};

struct SubjectOption {
    TableId table;
    std::string_view field; // found by the table's identity key
    ParameterOption option;
};

const SubjectOption SubjectOptions[] = {
    {SAS::table, "SAS:IrasoNr", {"--registration", "NR", "registracijos numeris: spausdinama jos sąskaita"}},
    {PAS::table, "PAS:Pav", {"--service", "PAVADINIMAS", "paslauga, apie kurią ataskaita"}},
    {KLI::table, "KLI:Kod", {"--payer", "KODAS", "mokėtojo kodas"}},
};

const SubjectOption* subjectOption(const ReportSpec& definition) {
    for (const SubjectOption& subject : SubjectOptions) {
        if (definition.subject && definition.subject->table == subject.table) {
            return &subject;
        }
    }
    return nullptr;
}

// The options a report takes, in the order its dialog asks.
std::vector<ParameterOption> reportOptions(const ReportSpec& definition) {
    std::vector<ParameterOption> options;
    if (const SubjectOption* subject = subjectOption(definition)) {
        options.push_back(subject->option);
    }
    for (const DialogFieldDef& field : parameterDialogDef(definition.dialog).fields) {
        for (const DialogOption& known : DialogOptions) {
            if (known.field == field.field) {
                options.push_back(known.option);
            }
        }
    }
    return options;
}

bool takes(const std::vector<ParameterOption>& options, std::string_view name) {
    return std::ranges::any_of(options,
                               [name](const ParameterOption& option) { return option.option == name; });
}

// The report options given into the parameters as the report's dialog would leave them: the dialog's
// proposals first, then what was given; a looked-up value must stand in its table. False after a
// message, with the exit code.
bool dialogOptions(const ReportSpec& definition, const CommandLine& line, Context& context, Globals& globals,
                   int& exitCode) {
    exitCode = ExitUsage;
    const std::vector<ParameterOption> options = reportOptions(definition);
    for (const DialogOption& known : DialogOptions) {
        if (line.option(known.option.option) && !takes(options, known.option.option)) {
            report("Ataskaita " + std::string(definition.name) + " neturi parametro " +
                   std::string(known.option.option) + ". Jos parametrai: nakva-cli report " +
                   std::string(definition.name) + " --help");
            return false;
        }
    }
    if (definition.dialog == ParameterDialog::None) {
        return true;
    }
    openParameterDialog(definition.dialog, globals);
    for (const DialogFieldDef& field : parameterDialogDef(definition.dialog).fields) {
        const auto known = std::ranges::find_if(
            DialogOptions, [&](const DialogOption& option) { return option.field == field.field; });
        const std::optional<std::string> value = line.option(known->option.option);
        if (!value) {
            continue;
        }
        const std::string name(known->option.option);
        if (isDateField(field.field)) {
            std::string error;
            const std::optional<Date> parsed = parseDate(*value, &error);
            if (!parsed || *parsed == NoDate) {
                report("Parametro " + name +
                       " data netinka: " + (error.empty() ? "data nenurodyta." : error));
                return false;
            }
            dialogDate(globals, field.field) = *parsed;
        } else if (isFlagField(field.field)) {
            dialogFlag(globals, field.field) = true;
        } else if (field.field == DialogField::ServiceGroup &&
                   (value->empty() || value->size() > 9 ||
                    value->find_first_not_of("0123456789") != std::string::npos)) {
            report("Parametro " + name + " reikšmė turi būti grupės numeris, o ne „" + *value + "“.");
            return false;
        } else {
            setDialogText(globals, field.field, *value);
        }
        if (isLookUpField(field.field)) {
            const DialogLookUp& lookUp = dialogLookUp(field.field);
            Table& table = context.table(lookUp.table);
            table.open();
            const bool found = lookUpFound(field.field, context, globals);
            table.close();
            if (!found) {
                report("Parametro " + name + " reikšmės „" + *value + "“ nėra faile " +
                       Database::fileName(lookUp.table) + ".");
                exitCode = ExitFailed;
                return false;
            }
        }
    }
    acceptParameterDialog(definition.dialog, globals);
    return true;
}

// The record the report is about, read by the option that names it into the run. False after a
// message, with the exit code.
bool subjectOption(const ReportSpec& definition, const CommandLine& line, Context& context, ReportRun& run,
                   int& exitCode) {
    exitCode = ExitUsage;
    for (const SubjectOption& subject : SubjectOptions) {
        if (subject.table != PAS::table && line.option(subject.option.option) &&
            (!definition.subject || definition.subject->table != subject.table)) {
            report("Ataskaita " + std::string(definition.name) + " neturi parametro " +
                   std::string(subject.option.option) + ". Jos parametrai: nakva-cli report " +
                   std::string(definition.name) + " --help");
            return false;
        }
    }
    const SubjectOption* subject = subjectOption(definition);
    if (subject == nullptr) {
        return true;
    }
    const std::string name(subject->option.option);
    const std::optional<std::string> value = line.option(name);
    if (!value) {
        report("Ataskaitai " + std::string(definition.name) + " reikia parametro " + name + " " +
               std::string(subject->option.value) + ".");
        return false;
    }
    Table& table = context.table(subject->table);
    table.open();
    table.clear();
    if (const SetResult set = table.record().setText(subject->field, *value); !set) {
        table.close();
        report("Parametro " + name + " reikšmė „" + *value + "“ netinka: " + set.error);
        return false;
    }
    const StoreStatus found = table.getByKey(table.def().identityKey);
    if (found == StoreStatus::Ok) {
        run.setSubject(table.record());
    }
    table.close();
    if (found != StoreStatus::Ok) {
        report("Faile " + Database::fileName(subject->table) + " nėra įrašo " + std::string(subject->field) +
               " = " + *value + ".");
        exitCode = ExitFailed;
        return false;
    }
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

void readInstitution(Context& context) {
    Table& settings = context.table(IST::table);
    settings.open();
    settings.clear();
    if (settings.setToKeyStart(IST::RA) == StoreStatus::Ok && settings.next() == StoreStatus::Ok) {
        context.database().istgPar() = settings.record();
    }
    settings.close();
}

void setPdfWriter(PdfWriter writer) {
    pdfWriter() = std::move(writer);
}

int reportHelp(const std::vector<std::string>& operands, std::string_view commandHelp, std::ostream& out) {
    if (operands.empty()) {
        out << commandHelp << "\nAtaskaitos:\n";
        for (const ReportSpec* known : reportCatalog()) {
            out << "  " << known->name << std::string(std::max<std::size_t>(1, 18 - known->name.size()), ' ')
                << known->title << '\n';
        }
        return ExitOk;
    }
    const ReportSpec* definition = findReport(operands.front());
    if (definition == nullptr) {
        report("Nėra ataskaitos „" + operands.front() + "“. Ataskaitos: " + reportNames() + ".");
        return ExitUsage;
    }
    const std::vector<ParameterOption> options = reportOptions(*definition);
    out << "Ataskaita " << definition->name << ": „" << definition->title
        << "“.\n\nNaudojimas: nakva-cli report " << definition->name;
    for (const ParameterOption& option : options) {
        const bool required =
            definition->subject && subjectOption(*definition)->option.option == option.option;
        out << (required ? " " : " [") << option.option << (option.value.empty() ? "" : " ") << option.value
            << (required ? "" : "]");
    }
    out << " [--pdf FAILAS] [--wmf-dir APLANKAS] [--dir APLANKAS]\n\n";
    if (options.empty()) {
        out << "Ataskaita parametrų neturi.\n";
    }
    for (const ParameterOption& option : options) {
        const std::string head =
            std::string(option.option) + (option.value.empty() ? "" : " ") + std::string(option.value);
        out << "  " << head << std::string(std::max<std::size_t>(2, 26 - head.size()), ' ') << option.meaning
            << '\n';
    }
    return ExitOk;
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
    Context context(database);
    Globals globals;
    globals.EINDT = today();
    int exitCode = ExitOk;
    if (!dialogOptions(*definition, line, context, globals, exitCode)) {
        return exitCode;
    }
    readInstitution(context);
    ReportRun run(*definition, context);
    if (!subjectOption(*definition, line, context, run, exitCode)) {
        return exitCode;
    }
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
