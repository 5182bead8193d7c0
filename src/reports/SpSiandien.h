#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// "ATVYKSTANTYS IR IŠVYKSTANTYS GYVENTOJAI": the sheet of the working date's arrivals and departures,
// from the window "ŠIANDIEN" and `nakva-cli report SpSiandien`: under "Atvyksta" the registrations
// arriving that day, under "Išvyksta" those whose departure date it is (departed or not), each by
// surname with its count; a stay of that one day stands in both. No parameters.
const ReportSpec& SpSiandien();

} // namespace nakva
