#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nakva {

// The codes a line of text names a party by, as invoices print it under the party's name ("Įm. k.
// 110053842, PVM k. LT100003842"): VAT codes, each a country's prefix (the European Union's, with
// Greece's EL and Northern Ireland's XI, and GB, NO, CH) with its digits (and the letters some
// countries use), a blank after the prefix allowed; and company or personal codes, 9 or 11 digits
// standing alone. Each found once, in the order met; a VAT code as it is written on an invoice:
// capitals, no blank ("LT100003842").
struct CodesInText {
    std::vector<std::string> vatCodes;
    std::vector<std::string> codes;
};
CodesInText findCodes(std::string_view text);

// The seller's codes that the institution's line "Įmonės kodas, PVM kodas:" (IST:ISTG1) makes
// certain: the company code (9 digits, or a person's 11-digit personal code) when the line holds
// exactly one, and the VAT code when it holds exactly one Lithuanian one ("LT" and 9 or 12 digits)
// and no other. Empty where the line is not certain.
struct SellerCodes {
    std::string code;
    std::string vatCode;
};
SellerCodes readSellerCodes(std::string_view text);

// The country a VAT code's prefix names, ISO 3166-1 alpha-2: "LT" for LT…, "GR" for Greece's EL…,
// "GB" for XI…; empty when the prefix is none the codes above use.
std::string vatCodeCountry(std::string_view vatCode);

} // namespace nakva
