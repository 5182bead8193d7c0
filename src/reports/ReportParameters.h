#pragma once

#include "data/Date.h"

#include <string>

namespace nakva {

struct Globals;
class Variables;

// The global report parameters bound by name, as the filters of the reports name them ("GLO:PrDt",
// "GLO:GalDt", "GLO:EINDT", "GLO:PERIODAS", "GLO:Grupe", "GLO:Pasl", "GLO:PaslGrpNr",
// "GLO:SuIsvykusiais", "GLO:BEKAINU", "GLO:SUMINESPASLAUGOSPAV"): dates and numbers as integers, the
// flags as 0 or 1, texts as they are. A view reads them when it opens.
void bindReportParameters(Variables& variables, const Globals& globals);

// The period caption of the page headers, 35 characters: "Periodas:   2026-12-01 : 2026-12-31".
std::string periodCaption(Date from, Date to);

} // namespace nakva
