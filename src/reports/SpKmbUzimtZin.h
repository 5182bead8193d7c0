#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// "KAMBARIŲ UŽIMTUMO ŽINIARAŠTIS": every room in use, by type, with its places, the places taken on
// the chosen date (the end date GLO:GalDt) and the places free; sums by type and in all. From the
// menu "Kambarių užimtumo žiniaraštis detalus", after the end-date dialog.
const ReportSpec& SpKmbUzimtZin();

} // namespace nakva
