#pragma once

#include "data/Date.h"

#include <string>

namespace nakva {

// The program-wide variables (GLO:), one instance for the program run, shared by every window. The
// working date is set at start-up; the report dialogs write the report parameters and the report
// they serve reads them.
struct Globals {
    Date EINDT = NoDate;             // GLO:EINDT, the working date: today, set at start-up
    Date PrDt = NoDate;              // GLO:PrDt, first day of the report period
    Date GalDt = NoDate;             // GLO:GalDt, last day of the report period
    std::string PERIODAS;            // GLO:PERIODAS, 35 characters: the period caption
    std::string Grupe;               // GLO:Grupe, 20: resident group of the journals; empty = all
    std::string Pasl;                // GLO:Pasl, 40: service of the service ledger
    int PaslGrpNr = 0;               // GLO:PaslGrpNr: service group of the summary; 0 = all
    bool SuIsvykusiais = false;      // GLO:SuIsvykusiais: include departed residents
    bool BEKAINU = false;            // GLO:BEKAINU: print without prices
    std::string SUMINESPASLAUGOSPAV; // GLO:SUMINESPASLAUGOSPAV, 60: the summary invoice's line
};

Globals& glo();

} // namespace nakva
