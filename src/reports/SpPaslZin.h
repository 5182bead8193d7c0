#pragma once

#include "reports/ReportLayout.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace nakva {

// The services provided in a period, from the day-by-day schedules: a day's amount is its quantity
// times its line's price, and a price printed is the amount divided by the quantity (0 without a
// quantity). "Be kainų" prints the quantities alone. Only residents who have not departed count,
// unless "Įtraukti išvykusius" is asked for.
//
// The service ledger "EINAMASIS PASLAUGOS ŽINIARAŠTIS": the invoice lines of the one service named in
// its dialog (letter case significant), each with its resident, its first and last day in the period,
// quantity, price and amount. From the menu "Einamasis paslaugos žiniaraštis".
const ReportSpec& SpPaslZin();
// The service summary "EINAMOJI PASLAUGŲ SUVESTINĖ (PAGAL FAKTĄ)": one line per service of the chosen
// service group (every group for 0). From the menu "Einamoji paslaugų suvestinė".
const ReportSpec& SpPaslSuvF2();

// The summary's line under its heading saying what was chosen: "Paslaugų grupė: " and the group's name
// when a group was chosen (`group` not 0), then six blanks and "Be kainų", six blanks and "Su
// išvykusiais" as asked; at most 150 characters.
std::string serviceSummaryFilter(std::int32_t group, std::string_view groupName, bool withoutPrices,
                                 bool includeDeparted);

} // namespace nakva
