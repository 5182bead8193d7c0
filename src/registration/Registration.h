#pragma once

#include "data/Date.h"
#include "data/Decimal.h"
#include "ui/FormConfig.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Context;
class FormEngine;
class Record;

// A registration: one stay of one resident (or party) and the head of the invoice for it, a `Saskait`
// record with its occupied rooms (`SaskKmb`), invoice lines (`Saskeil`) and payments (`Mokej`). Here
// the registration form "REGISTRACIJOS ĮRAŠAS" and the computations it keeps.

// The nights of a stay: departure minus arrival, never below 0, and 0 while either date is not set.
std::int64_t stayNights(Date arrival, Date departure);
// Bed-days: nights × (residents + extra places); nothing when the product does not fit a LONG field.
std::optional<std::int32_t> bedDays(std::int64_t nights, std::int64_t residents, std::int64_t extraPlaces);

// The rooms' text of a registration (SAS:KAMBARIAI): for each room a blank, its building and its number
// joined by a hyphen (" A-101 B-12"); a text longer than the field's 80 characters is cut to 77,
// trailing blanks removed, and ends with "...".
struct RoomLabel {
    std::string building;
    std::string number;
};
std::string roomsText(const std::vector<RoomLabel>& rooms);

// Walks the occupied rooms of a registration in SKMB:INRKMBIDKEY order through a handle of its own,
// while `each` returns true. False when a read failed (shown) or `each` stopped the walk.
bool forEachRoom(Context& context, std::int32_t registration, const std::function<bool(const Record&)>& each);

// What the rooms of a registration add up to, walked in SKMB:INRKMBIDKEY order: their number, their
// residents, their prices per day, and their text. A row whose room is gone counts without text.
struct RoomTotals {
    std::int64_t rooms = 0;
    std::int64_t residents = 0;
    Decimal price;
    std::string text;
    bool failed = false; // a read failed (shown); the totals hold what was read before
};
RoomTotals roomTotals(Context& context, std::int32_t registration);

// What the invoice lines of a registration add up to: without VAT, VAT, with VAT, and the mean of the
// lines' VAT rates (none without lines).
struct InvoiceTotals {
    Decimal withoutVat;
    Decimal vat;
    Decimal withVat;
    std::optional<Decimal> meanVat;
    bool failed = false;
};
InvoiceTotals invoiceTotals(Context& context, std::int32_t registration);

// What the payments of a registration add up to (MOK:MOKSUMA of its `Mokej` rows).
struct PaymentsTotal {
    Decimal paid;
    bool failed = false; // a read failed (shown)
};
PaymentsTotal paymentsTotal(Context& context, std::int32_t registration);

// The name of the payer with code `code` (KLI:PAV), read through a handle of its own; blank for a blank
// code or one not found.
std::string payerName(Context& context, std::string_view code);

// The form's working values: the rooms' price per day, their number and their residents.
inline constexpr std::string_view RoomsPriceVariable = "LOC:SUMA";
inline constexpr std::string_view RoomsCountVariable = "LOC:KMBSKC";
inline constexpr std::string_view RoomsResidentsVariable = "LOC:GYVSKC";
// The invoice's balance beside its totals: the sum of its payments, and its total with VAT less it.
inline constexpr std::string_view PaidVariable = "LOC:SUMOKETA";
inline constexpr std::string_view DueVariable = "LOC:LIKOMOKETI";
// The registration number the child lists show the children of.
inline constexpr std::string_view RegistrationVariable = "LOC:IrasoNr";

// The next invoice number of the form's series (the numbering rule): in change mode the series of the
// opening copy gets back its opening number; otherwise the highest number of exactly that series + 1.
void numberInvoice(FormEngine& form);
// The form's room totals and SAS:KAMBARIAI from the stored rooms (as the form opens and after a room
// form), and its invoice totals from the stored lines (as it opens, after a line form and after the
// main service lines): values typed over on the invoice tab stand until the lines are read again.
void recomputeRooms(FormEngine& form);
void recomputeInvoice(FormEngine& form);
// The invoice's balance (PaidVariable, DueVariable) from the stored payments and the total as the form
// holds it: as it opens, after its invoice totals are read again and after a payment form.
void recomputeBalance(FormEngine& form);
// On saving a registration whose "Apmokėta" is not ticked while its payments cover its total with VAT:
// "Sumokėta visa sąskaitos suma. Pažymėti „Apmokėta“?", ticked on "Taip". The box stays the user's: it
// is only offered. Always true: the save goes on either way.
bool offerPaid(FormEngine& form);

// The registration form `RedSaskait`. Tabs: registration data, rooms, invoice, payment, notes; the
// rooms, invoice lines and payments as child lists opening `UpdateSaskKmb`, `UpdateSaskeil` and
// `RedMokej`; the guest's name after the title. Changing the dates of a current stay, or making it
// current again, asks when a night of it is taken in one of its rooms (DoubleBooking.h). Built once
// and shared; a caller that changes it works on its own copy.
std::shared_ptr<const FormConfig> RedSaskait();
enum RegistrationTab { DataTab, RoomsTab, InvoiceTab, PaymentsTab, NotesTab };

// A room chosen for an occupied-room row (SKMB:KambarioID set): the row takes the room's list price and
// one resident, which the user may type over. False, with the row unchanged, when no room has that ID.
bool takeRoomDefaults(Context& context, Record& row);

// The occupied-room form `UpdateSaskKmb` "UŽIMAMO KAMBARIO ĮRAŠAS": the room chosen in "SelectKamb"
// or typed; on the user's accept its list price and 1 resident. Saving a room that another current
// stay holds on a night of the registration asks first (DoubleBooking.h).
FormConfig UpdateSaskKmb();

} // namespace nakva
