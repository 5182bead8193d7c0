#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The invoices of the period that concern one record highlighted in a list, with "Sudarė:" and the
// sums at the end. Each selects by the values of that record saved when the run starts, so the rows
// it reads (each joined to its own service or payer) never stand in for it.
//
// "PASLAUGOS KNYGA": the invoice lines of the current service (its name, letter case aside), each
// with its invoice's date, series and number, quantity, price and amount. From the services list's
// print menu "Paslaugos knygą", after the period dialog.
const ReportSpec& SpPaslKn();
// "KLIENTO SĄSKAITŲ SUVESTINĖ": the invoices of the current payer (its code, letter case aside) with
// their amounts without VAT, VAT and with VAT. From the payers list's print menu "Mokėtojo sąskaitų
// suvestinę", after the period dialog.
const ReportSpec& SpKlientKn();

} // namespace nakva
