#pragma once

#include <span>
#include <string_view>

namespace nakva {

// A country's Lithuanian name and its ISO 3166-1 alpha-2 code.
struct CountryName {
    std::string_view name; // "Jungtinė Karalystė"
    std::string_view code; // "GB"
};

// Every country and territory with an ISO 3166-1 alpha-2 code (and Kosovo's XK, which the European
// Union uses), under its Lithuanian short name, followed by the other names a hotel's country list
// commonly holds ("Didžioji Britanija", "JAV", "Baltarusija" beside "Gudija").
std::span<const CountryName> countryNames();

// The code of a country by its name as the country list holds it (VAL:Valstybe): letter case and
// trailing blanks aside, and a long name also when it is cut to the list's 20 characters ("Jungtinės
// Amerikos V"); a name that is itself a known code ("LT") gives that code. Empty when the name is
// unknown.
std::string_view countryCodeOfName(std::string_view name);

// Whether a text is a known ISO 3166-1 alpha-2 code, in capitals: "LT", "XK".
bool isCountryCode(std::string_view code);

} // namespace nakva
