#include "reports/ReportParameters.h"

#include "data/Variables.h"
#include "shell/Globals.h"

namespace nakva {

void bindReportParameters(Variables& variables, const Globals& globals) {
    variables.set("GLO:PrDt", std::int64_t(globals.PrDt));
    variables.set("GLO:GalDt", std::int64_t(globals.GalDt));
    variables.set("GLO:EINDT", std::int64_t(globals.EINDT));
    variables.set("GLO:PERIODAS", globals.PERIODAS);
    variables.set("GLO:Grupe", globals.Grupe);
    variables.set("GLO:Pasl", globals.Pasl);
    variables.set("GLO:PaslGrpNr", std::int64_t(globals.PaslGrpNr));
    variables.set("GLO:SuIsvykusiais", std::int64_t(globals.SuIsvykusiais ? 1 : 0));
    variables.set("GLO:BEKAINU", std::int64_t(globals.BEKAINU ? 1 : 0));
    variables.set("GLO:SUMINESPASLAUGOSPAV", globals.SUMINESPASLAUGOSPAV);
}

std::string periodCaption(Date from, Date to) {
    // A date not set prints as blanks of a date's width, so the caption keeps its 35 characters.
    const auto shown = [](Date date) {
        return date == NoDate ? std::string(10, ' ') : formatDate(date);
    };
    return "Periodas:   " + shown(from) + " : " + shown(to);
}

} // namespace nakva
