#pragma once

#include "data/Decimal.h"
#include "ui/FormConfig.h"
#include "ui/ListConfig.h"

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace nakva {

class Context;

// "PVM tarifai ir i.SAF kodai": the VAT rates the invoice lines charge, each with the code the tax
// authority's register of issued invoices names it by (PVM1 for the standard rate ...) and what it is
// for. Rates and their codes change with the law, so they are the user's to keep; the list starts with
// those in force when it is made.

ListConfig BrowsePvmTarif();
FormConfig UpdatePvmTarif();

struct VatRateCode {
    Decimal rate;
    std::string_view code;
    std::string_view description;
};
// The rates and codes in force, which a new list starts with.
std::span<const VatRateCode> ratesInForce();

// The list's file made, when it has none yet, and the rates in force put into it in one transaction
// (another station making it at the same moment puts them there once). Nothing when the file exists,
// even empty: what is in the list is the user's. False after a message when it could not be done.
bool primeVatRates(Context& context);

// Whether a code is one the register takes: "PVM" and one to three digits ("PVM1", "PVM25").
bool isTaxCode(std::string_view code);

// The list as the register reads it: each rate's code (blank when the user has given none). Nothing
// after a message when it could not be read.
std::optional<std::map<Decimal, std::string>> vatRateCodes(Context& context);

} // namespace nakva
