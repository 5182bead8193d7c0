#pragma once

#include "data/Position.h"
#include "ui/FormConfig.h"
#include "ui/ListConfig.h"

#include <optional>
#include <string>
#include <vector>

namespace nakva {

class Table;

// Payers: the companies or persons invoiced instead of the resident, by their search code KLI:Kod,
// which registrations (SAS:KliKod) and payments (MOK:MokKod) store. A payer they name cannot be
// deleted; a change of its code is carried into them (the guarded delete and change do both).

// The payers list "MOKĖTOJAI": from the menu, and the selection list of the registration form, the
// payment forms and the all-registrations list. Its "Kopijuoti" and "Spausdinti..." are the window's.
ListConfig SarKlient();

// The smaller selection list of the payments list and of the invoice selection list.
ListConfig SelectKlient();

// The payer form "MOKĖTOJO DUOMENYS"; Ctrl+K is its history key.
FormConfig UpdateKlient();

// An item of the payers list's print menu: its text and the report it runs.
struct PayerReport {
    std::string text;
    std::string report;
};
std::vector<PayerReport> payerReports();

// "Kopijuoti": adds a copy of the handle's current payer whose code is the payer's code without
// trailing blanks followed by "~", cut to the code's 20 characters (so a full-width code copies onto
// itself and fails as a duplicate); every other field is copied unchanged. In one transaction on
// Klient, with the copy's messages; the copy's position on success, the handle's current record.
std::optional<Position> copyKlient(Table& klient);

} // namespace nakva
