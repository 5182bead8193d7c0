#pragma once

#include <string>
#include <string_view>

namespace nakva {

class Record;

// Who the register names as the seller and the buyers, each read through one accessor, so that the
// register does not care where the codes are kept.
namespace isaf {

// A party's codes: the company (or personal) code, the VAT code with its country's prefix, and the
// country (ISO 3166-1 alpha-2). Empty where not known.
struct PartyCodes {
    std::string code;
    std::string vatCode;
    std::string country;
};

// The seller's codes from the institution's record (IstgPar): those its line "Įmonės kodas, PVM
// kodas:" (IST:ISTG1) makes certain.
PartyCodes sellerCodes(const Record& institution);

// A payer's codes from its record (Klient): those the line under its name (KLI:PAV2) makes certain,
// the country from its VAT code's prefix.
PartyCodes buyerCodes(const Record& payer);

// The ISO code of a country of the country list (VAL:Valstybe) by its name: the program's own table
// of the countries' Lithuanian names. Empty when the name is none it knows.
std::string countryCode(std::string_view countryName);

} // namespace isaf

} // namespace nakva
