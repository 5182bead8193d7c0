#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The address label of the payer highlighted in the payers list: the person responsible, the name,
// the codes and the address, one under the other. From the print menu "Mokėtojo adresą"; no
// parameters.
const ReportSpec& SpKlientAdr();

} // namespace nakva
