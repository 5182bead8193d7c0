#pragma once

#include "ui/ListConfig.h"

#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Record;
class Table;

// The two registration lists: the current registrations `SarSaskait` "REGISTRACIJOS ĮRAŠAI:  NEIŠVYKĘ
// GYVENTOJAI" (opened at start-up, menu "Gyventojai") and all registrations `SarSaskaitVisi` "VISI
// REGISTRACIJOS ĮRAŠAI (SU ARCHYVU)" (menu "Archyvas"). Every row shows its payer's name; the
// all-registrations list marks a departed registration with a check in its first column.
ListConfig SarSaskait();
ListConfig SarSaskaitVisi();

// The all-registrations list's columns: the departed check "I" first, then the current list's columns
// without "ĮrašoNr". Every row needs its payer (join Klient).
std::vector<ListColumn> archiveColumns();

// The variables the tabs' filters name: the departure value the current list shows (0), the invoice
// number of the "Pagal sąsk. Nr" tab, the group of the group tabs and the payer of "1 mokėtojas".
inline constexpr std::string_view DepartedVariable = "LOC:Isvykes";
inline constexpr std::string_view InvoiceNumberVariable = "LOC:SaskNr";
inline constexpr std::string_view GroupVariable = "LOC:Grupe";
inline constexpr std::string_view PayerVariable = "LOC:KliKod";
inline constexpr int CurrentGroupTab = 2;
inline constexpr int CurrentInvoiceNumberTab = 3;
inline constexpr int AllPayerTab = 3;
inline constexpr int AllGroupTab = 5;

// The departure button "Išvyko" on the registration current in `registrations`: it is re-read, watched
// and written through the guarded change. A current registration becomes departed. A departed one
// becomes current again only when none of its rooms is held by a current registration: each such room
// is named ("Kambarys 101      jau užimtas. Negaliu atšaukti išvykimo.") and it stays departed.
enum class DepartureResult { Departed, Returned, RoomsOccupied, Failed };
DepartureResult switchDeparture(Table& registrations);
// What the status line says after "Išvyko" on `registration` (as written), so that a key pressed by
// accident is seen and can be undone in the archive: "Išvyko: Kazlauskas Jonas, įrašo Nr. 12" or
// "Išvykimas atšauktas: Kazlauskas Jonas, įrašo Nr. 12"; empty when nothing was written.
std::string departureStatus(DepartureResult result, const Record& registration);

// The print menu's items, in order; an empty text is a separator line, an empty report none.
struct RegistrationReport {
    std::string text;
    std::string report;
};
std::vector<RegistrationReport> registrationReports(bool archive);

} // namespace nakva
