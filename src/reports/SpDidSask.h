#pragma once

#include "reports/ReportLayout.h"

namespace nakva {

// The VAT invoice "PVM sąskaita faktūra" of the registration current in the calling list, in its
// four forms. One invoice is its date, series (letter case aside) and number: every registration
// carrying them prints on the one invoice, whose totals, VAT lines (one per rate) and amount in words
// are the sums of the lines it prints. An invoice without lines says so instead of printing nothing.
const ReportSpec& SpDidSask();       // F1 detailed, with the logo: "Didžioji sąskaita F1"
const ReportSpec& SpDidSask2();      // F2 detailed: "Didžioji sąskaita F2"
const ReportSpec& SpDidSaskSum();    // F1 summary, one line per registration, after the service name dialog
const ReportSpec& SpDidSaskSumInt(); // F2 summary integrated: the series and number whatever the dates

// The message of an invoice whose registrations have no invoice lines.
inline constexpr std::string_view NoInvoiceLines = "Sąskaitoje nėra nė vienos eilutės: nėra ką spausdinti.";

} // namespace nakva
