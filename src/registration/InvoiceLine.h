#pragma once

#include "data/Date.h"
#include "data/Decimal.h"
#include "data/Record.h"
#include "ui/FormConfig.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nakva {

class Context;

// An invoice line (`Saskeil`): one service charged to a registration, its period, quantities, price
// and amount with VAT split into the part without VAT and the VAT. Its arithmetic works on a line's
// record and the values of its registration, given explicitly, so that the line form, the main service
// lines and the registration form share it. Every step computes exactly in decimals and rounds a result
// to the places of the field that receives it, halves away from zero; a later step works with the
// stored value.
//
// A step either sets all of its fields or none: a result that does not fit its field (or a division
// by zero) leaves the line as it was and says why (an empty text for a step that quietly does
// nothing).

// The values of the registration that a line reads.
struct StayValues {
    Date arrival = NoDate;   // SAS:GyvenaNuo
    Date departure = NoDate; // SAS:GyvenaIki
    std::int32_t residents = 0;
};
StayValues stayOf(const Record& registration);

// The line's period when either date is missing: the nights of the stay, from the arrival to the day
// before the departure (not before the arrival, so a stay that ends on its first day gives that day).
void defaultPeriod(Record& line, const StayValues& stay);

// The quantity a day: the residents for a unit of persons ("ŽMN.") or bed-days ("LOVAD."), written
// exactly so (trailing blanks aside); 1 for any other unit.
std::int32_t quantityPerDay(std::string_view unit, std::int32_t residents);

// The VAT split of the amount: without VAT = amount ÷ (100 + rate) × 100, the VAT the remainder, so
// the two always add up to the amount. Refused (nothing changed) at a rate of -100.
SetResult splitVat(Record& line);
// The price or the quantity accepted: amount = price × quantity and its split, when neither is 0;
// otherwise nothing.
SetResult amountFromQuantity(Record& line);
// The amount typed: price = amount ÷ quantity and the split. At a quantity of 0 the price stays and
// only the split follows the amount.
SetResult priceFromAmount(Record& line);
// The VAT amount typed (and again on every save): without VAT = amount − VAT. The line keeps the rate
// it was priced at while the VAT is that rate's VAT to the cent, computed from the amount with or
// without VAT (vat::rateFits): 10.00 at 21 % stays at 21 with 1.74 VAT, not 21.07. Only a VAT amount
// that no such rate gives sets the rate it implies (vat::impliedRate). With nothing left without VAT
// the rate stays as it was (a 0 there would count in the registration's mean rate); a rate outside
// 0–999.99 is refused.
SetResult rateFromVat(Record& line);

// One day of a line's schedule as the line's totals read it.
struct ScheduleDay {
    Date day = NoDate;
    Decimal quantity;
};
// The line's totals from its schedule rows (in schedule order): days = the rows, quantity = their
// sum, per day = quantity ÷ days, bed-days = days × the line's residents, the period from the earliest
// to the latest row (both 0 without rows), then amount = price × quantity and its split.
SetResult scheduleTotals(Record& line, const std::vector<ScheduleDay>& rows);

// A service chosen for the line (from the price list, or its name typed and found): its second name
// and unit, the residents and days of the stay, the quantity a day by the unit. The caller then
// builds the schedule (the totals follow) and calls applyServicePrice.
SetResult takeService(Record& line, const Record& service, const StayValues& stay);
// The service's price and VAT rate, and the amount at that price: price × quantity, 0 for a free
// service, with its split.
SetResult applyServicePrice(Record& line, const Record& service);

// A refused step's message: "<what>: <why>" under "Negeras lauko turinys". An empty text shows nothing.
void showRefusal(std::string_view what, const SetResult& result);

// The invoice line form "SĄSKAITOS EILUTĖ: PASLAUGOS KAINOS SKAIČIAVIMAS", called from the
// registration's lines with the registration (as edited so far) in its buffer and, for an insert, the
// line's registration number primed. The line is numbered and written when the form opens; its
// schedule is kept on the same context (Schedule.h).
inline constexpr std::string_view InvoiceLineForm = "UpdateSaskeil";
FormConfig UpdateSaskeil();

} // namespace nakva
