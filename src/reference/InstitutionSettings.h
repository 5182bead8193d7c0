#pragma once

#include "data/StoreError.h"
#include "ui/FormConfig.h"
#include "ui/Requests.h"

namespace nakva {

class Table;

// The institution's particulars and the accounting defaults: the single IstgPar record, whose buffer
// every procedure context shares (Database::istgPar()), so that a saved change is what windows
// opened afterwards see: the seller and signatories on invoices, the VAT rate and end texts of new
// registrations, the names of the four main services.

// The form "ĮSTAIGOS DUOMENYS, NUSTATYMAI" on its two tabs. The four service names are looked up in
// the price list exactly, letter case and all (PAS:PASLKEY), when the user accepts them; they are
// chosen from the services list but not linked to it.
FormConfig RedIstgPar();

// The window title of the settings form.
inline constexpr const char* InstitutionSettingsTitle = "Bendrieji įstaigos parametrai";

// The form is opened only on the existing record: an insert shows warning 19 and a delete warning
// 21, and the call ends there (false).
bool institutionSettingsRequestAllowed(Request request);

// Reads the IstgPar record into the shared buffer and watches it, so that its save notices another
// station's change: the handle (open) makes it its current record. An empty table first receives the
// one blank record that the program always keeps.
StoreStatus readInstitutionSettings(Table& settings);

} // namespace nakva
