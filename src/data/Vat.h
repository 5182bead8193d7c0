#pragma once

#include "data/Decimal.h"

#include <optional>

namespace nakva::vat {

// VAT as the invoice lines charge it, on exact decimals: prices are kept with VAT, and an amount with
// VAT is split into the part without VAT and the VAT, each to the cent (halves away from zero), the
// VAT being the remainder so that the two always add up to the amount.

// The part without VAT of `withVat` at `rate` percent: withVat ÷ (100 + rate) × 100 to the cent.
// Nothing at a rate of -100.
std::optional<Decimal> withoutVat(const Decimal& withVat, const Decimal& rate);

// Whether `vat` is the VAT at `rate` of an amount of `withVat` split into `withVat` − `vat` and `vat`,
// to within the cent's rounding, computed either way an accountant may: from the amount with VAT (the
// remainder of its split, so 10.00 at 21 % holds 1.74) or from the amount without VAT (rate percent of
// it to the cent, so 41.32 without VAT holds 8.68 at 21 %). A line whose amounts are both 0 fits every
// rate.
bool rateFits(const Decimal& rate, const Decimal& withVat, const Decimal& vat);

// The rate that `vat` implies on `withVat`: the roundest rate that fits the split (a whole percentage
// before one with tenths, that before one with hundredths) near vat ÷ (withVat − vat) × 100. Nothing
// when nothing remains without VAT.
std::optional<Decimal> impliedRate(const Decimal& withVat, const Decimal& vat);

// The rate a stored line is invoiced under. A rate its amounts imply to the hundredth (as earlier
// versions of this program stored it when a line was saved: 21.07 for 10.00 at 21 %) is taken for the
// roundest rate that fits the same amounts (21); any other rate is the line's own.
Decimal invoicedRate(const Decimal& rate, const Decimal& withVat, const Decimal& vat);

} // namespace nakva::vat
