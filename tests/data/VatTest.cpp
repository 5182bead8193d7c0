// VAT on exact decimals: whether a rate fits a line's split, the rate a typed VAT implies, and the
// rate a stored line is invoiced under. Decimal texts in and out, a row per case.
#include "data/Vat.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace nakva {
namespace {

Decimal d(const char* text) {
    return *Decimal::parse(text);
}

struct FitCase {
    const char* withVat;
    const char* vat;
    const char* rate;
    bool fits;
};

TEST(VatTest, ARateFitsWhenItsVatFromTheAmountWithOrWithoutVatIsTheLinesToTheCent) {
    const FitCase cases[] = {
        {"50.00", "8.68", "21", true},    // 41.32 × 21 % = 8.6772; 50.00 − 50.00 ÷ 1.21 = 8.68
        {"10.00", "1.74", "21", true},    // from the amount with VAT only: 8.26 × 21 % = 1.73
        {"41.32", "7.17", "21", true},    // priced without VAT: 34.15 + 21 % of it
        {"10.00", "1.73", "21", false},   // neither way
        {"36.00", "2.97", "9", true},     // 33.03 + 2.97
        {"12.34", "0.00", "21", false},   // no VAT at all: no rate of 21
        {"12.34", "0.00", "0", true},     //
        {"0.00", "0.00", "21", true},     // a free line fits every rate
        {"-10.00", "-1.74", "21", true},  // a credit splits as its amount does
        {"50.00", "8.68", "21.01", true}, // so does a rate its rounded amounts imply
        {"100.00", "5.00", "5", false},   // 4.75 or 4.76
        {"1.00", "0.09", "10", true},     // a cent is a wide margin on a small amount
    };
    for (const FitCase& c : cases) {
        EXPECT_EQ(vat::rateFits(d(c.rate), d(c.withVat), d(c.vat)), c.fits)
            << c.withVat << " " << c.vat << " at " << c.rate;
    }
}

struct RateCase {
    const char* withVat;
    const char* vat;
    const char* rate;    // the line's (invoicedRate)
    const char* implied; // "" for none
    const char* invoiced;
};

TEST(VatTest, ATypedVatImpliesTheRoundestRateThatFitsAndAStoredImpliedRateIsInvoicedSo) {
    const RateCase cases[] = {
        {"50.00", "8.68", "21.01", "21.00", "21.00"}, // 8.68 ÷ 41.32 = 21.007
        {"10.00", "1.74", "21.07", "21.00", "21.00"}, // 1.74 ÷ 8.26 = 21.065
        {"36.00", "2.97", "8.99", "9.00", "9.00"},    // 2.97 ÷ 33.03 = 8.992
        {"12.34", "0.00", "21.00", "0.00", "21.00"},  // a rate priced, not implied, is the line's
        {"100.00", "5.00", "5.26", "5.26", "5.26"},   // 5.263: neither 5 nor 5.3 gives 5.00
        {"1.00", "0.09", "9.50", "10.00", "9.50"},    // 9.5 % priced on a small amount stays 9.5
        {"5.00", "5.00", "9.00", "", "9.00"},         // nothing without VAT implies no rate
        {"0.00", "0.00", "21.00", "", "21.00"},       {"-10.00", "-1.74", "21.07", "21.00", "21.00"},
    };
    for (const RateCase& c : cases) {
        const std::optional<Decimal> implied = vat::impliedRate(d(c.withVat), d(c.vat));
        EXPECT_EQ(implied ? implied->toString(2) : std::string(), c.implied) << c.withVat << " " << c.vat;
        EXPECT_EQ(vat::invoicedRate(d(c.rate), d(c.withVat), d(c.vat)).toString(2), c.invoiced)
            << c.withVat << " " << c.vat << " at " << c.rate;
    }
}

TEST(VatTest, TheSplitRoundsTheAmountWithoutVatToTheCentAndHasNoneAtMinusHundred) {
    EXPECT_EQ(vat::withoutVat(d("10"), d("21"))->toString(), "8.26");
    EXPECT_EQ(vat::withoutVat(d("1.01"), d("100"))->toString(), "0.51"); // 0.505: away from zero
    EXPECT_EQ(vat::withoutVat(d("-1.01"), d("100"))->toString(), "-0.51");
    EXPECT_FALSE(vat::withoutVat(d("10"), d("-100")));
}

} // namespace
} // namespace nakva
