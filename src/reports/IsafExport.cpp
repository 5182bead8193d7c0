#include "reports/IsafExport.h"

#include "data/Context.h"
#include "data/Database.h"
#include "reference/VatRates.h"
#include "reports/IsafParties.h"
#include "shell/Globals.h"

#include <cstdint>
#include <span>

namespace nakva::isaf {

void proposeLastMonth(Globals& globals) {
    if (globals.PrDt != NoDate && globals.GalDt != NoDate) {
        return;
    }
    const YearMonthDay working = ymdFromDate(globals.EINDT);
    globals.GalDt = dateFromYmd(working.year, working.month, 1) - 1;
    const YearMonthDay last = ymdFromDate(globals.GalDt);
    globals.PrDt = dateFromYmd(last.year, last.month, 1);
}

std::string defaultFileName(Context& context, Date from) {
    const std::string code = sellerCodes(context.database().istgPar()).code;
    return "iSAF_" + (code.empty() ? std::string() : code + "_") + formatDate(from).substr(0, 7) + ".xml";
}

Outcome exportRegister(Context& context, Date from, Date to, const std::filesystem::path& file,
                       std::int64_t now) {
    Outcome outcome;
    if (!primeVatRates(context)) {
        return outcome;
    }
    const std::optional<Register> isafRegister = compose(context, from, to, momentText(now));
    if (!isafRegister) {
        return outcome;
    }
    outcome.invoices = isafRegister->invoices.size();
    if (isafRegister->invoices.empty()) {
        outcome.kind = Outcome::Kind::Nothing;
        return outcome;
    }
    outcome.problems = problems(*isafRegister);
    if (!outcome.problems.empty()) {
        outcome.kind = Outcome::Kind::Stopped;
        return outcome;
    }
    const std::string xml = document(*isafRegister);
    outcome.saved = writeFileAtomically(
        file, std::span(reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size()), Durability::Synced);
    outcome.kind = outcome.saved ? Outcome::Kind::Written : Outcome::Kind::Failed;
    return outcome;
}

std::string outcomeText(const Outcome& outcome, Date from, Date to, const std::filesystem::path& file,
                        std::size_t listed) {
    const std::string period = formatDate(from) + " – " + formatDate(to);
    switch (outcome.kind) {
    case Outcome::Kind::Written:
        return "i.SAF failas išsaugotas: " + file.string() +
               ". Jame sąskaitų: " + std::to_string(outcome.invoices) + " (" + period + ").";
    case Outcome::Kind::Nothing:
        return "Laikotarpiu " + period + " išrašytų PVM sąskaitų faktūrų nėra: i.SAF failas nesukurtas.";
    case Outcome::Kind::Stopped: {
        std::string text = "i.SAF failas nesukurtas: rasta klaidų — " +
                           std::to_string(outcome.problems.size()) +
                           ". Ištaisykite jas ir sudarykite failą iš naujo.";
        const std::size_t shown =
            listed == 0 ? outcome.problems.size() : std::min(listed, outcome.problems.size());
        for (std::size_t i = 0; i < shown; ++i) {
            text += "\n" + outcome.problems[i].text();
        }
        if (shown < outcome.problems.size()) {
            text += "\n... ir dar " + std::to_string(outcome.problems.size() - shown) +
                    " (visas sąrašas: nakva-cli isaf).";
        }
        return text;
    }
    case Outcome::Kind::Failed:
        break;
    }
    return outcome.saved ? std::string() : saveFailureText(file, outcome.saved);
}

} // namespace nakva::isaf
