#include "data/Vat.h"

namespace nakva::vat {

namespace {

const Decimal Hundred(100);

// `rate` itself unless a rounder rate near it (whole, then tenths) fits the split as well.
Decimal roundest(const Decimal& rate, const Decimal& withVat, const Decimal& vat) {
    for (const int places : {0, 1}) {
        if (const Decimal rounder = rate.rounded(places); rateFits(rounder, withVat, vat)) {
            return rounder.rounded(2);
        }
    }
    return rate;
}

// vat ÷ (withVat − vat) × 100 to the hundredth; nothing without an amount without VAT.
std::optional<Decimal> ratio(const Decimal& withVat, const Decimal& vat) {
    const Decimal without = withVat - vat;
    if (without.isZero()) {
        return std::nullopt;
    }
    return (vat / without * Hundred).rounded(2);
}

} // namespace

std::optional<Decimal> withoutVat(const Decimal& withVat, const Decimal& rate) {
    const Decimal divisor = Hundred + rate;
    if (divisor.isZero()) {
        return std::nullopt;
    }
    return (withVat / divisor * Hundred).rounded(2);
}

bool rateFits(const Decimal& rate, const Decimal& withVat, const Decimal& vat) {
    const Decimal cents = vat.rounded(2);
    if (const std::optional<Decimal> without = withoutVat(withVat, rate);
        without && (withVat - *without).rounded(2) == cents) {
        return true;
    }
    return ((withVat - vat) * rate / Hundred).rounded(2) == cents;
}

std::optional<Decimal> impliedRate(const Decimal& withVat, const Decimal& vat) {
    const std::optional<Decimal> implied = ratio(withVat, vat);
    if (!implied) {
        return std::nullopt;
    }
    return roundest(*implied, withVat, vat);
}

Decimal invoicedRate(const Decimal& rate, const Decimal& withVat, const Decimal& vat) {
    const std::optional<Decimal> implied = ratio(withVat, vat);
    return implied && *implied == rate ? roundest(rate, withVat, vat) : rate;
}

} // namespace nakva::vat
