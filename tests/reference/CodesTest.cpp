#include "reference/CodesInText.h"
#include "reference/CountryCodes.h"
#include "support/CaseName.h"

#include "data/Collation.h"
#include "data/Text.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace nakva {
namespace {

// ---- The countries' Lithuanian names ----------------------------------------------------------------

struct CountryCase {
    const char* name; // as a hotel's country list holds it
    const char* code; // "" when unknown
};

void PrintTo(const CountryCase& country, std::ostream* out) {
    *out << country.name << " " << country.code;
}

class CountryCodeOfName : public ::testing::TestWithParam<CountryCase> {};

TEST_P(CountryCodeOfName, IsFoundAsTheListHoldsIt) {
    EXPECT_EQ(countryCodeOfName(GetParam().name), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CountryCodeOfName,
    ::testing::Values(
        CountryCase{"Lietuva", "LT"}, CountryCase{"LIETUVA", "LT"}, CountryCase{"lietuva  ", "LT"},
        CountryCase{"Latvija", "LV"}, CountryCase{"Vokietija", "DE"}, CountryCase{"Jungtinė Karalystė", "GB"},
        CountryCase{"Didžioji Britanija", "GB"}, CountryCase{"Anglija", "GB"}, CountryCase{"Graikija", "GR"},
        // Names longer than the list's 20 characters, as it stores them.
        CountryCase{"Jungtinės Amerikos V", "US"}, CountryCase{"JAV", "US"},
        CountryCase{"Jungtiniai Arabų Emy", "AE"}, CountryCase{"Kongo Demokratinė Re", "CD"},
        CountryCase{"Kongo Respublika", "CG"}, CountryCase{"Herdo ir Makdonaldo", "HM"},
        CountryCase{"Baltarusija", "BY"}, CountryCase{"Gudija", "BY"}, CountryCase{"Šveicarija", "CH"},
        CountryCase{"ŠVEDIJA", "SE"}, CountryCase{"Sakartvelas", "GE"}, CountryCase{"Gruzija", "GE"},
        CountryCase{"Čekija", "CZ"}, CountryCase{"Norvegija", "NO"}, CountryCase{"Kosovas", "XK"},
        CountryCase{"Ukraina", "UA"},
        // A code typed as the name is that code.
        CountryCase{"LT", "LT"}, CountryCase{"pl", "PL"},
        // Unknown: nothing guessed.
        CountryCase{"", ""}, CountryCase{"Atlantida", ""}, CountryCase{"ZZ", ""}, CountryCase{"Lietuv", ""},
        CountryCase{"Europa", ""}),
    testing::CaseName());

TEST(CountryNames, EveryCodeHasOneShortNameAndNoTwoCodesShareAStoredName) {
    std::map<std::string, std::string> codeOfStored;
    std::set<std::string_view> codes;
    for (const CountryName& country : countryNames()) {
        ASSERT_EQ(country.code.size(), 2u) << country.name;
        EXPECT_TRUE(isCountryCode(country.code));
        codes.insert(country.code);
        const std::string stored = upper(trimRight(cutToChars(country.name, 20)));
        const auto [at, added] = codeOfStored.emplace(stored, std::string(country.code));
        EXPECT_TRUE(added || at->second == country.code)
            << country.name << " is stored as " << stored << ", which " << at->second << " has too";
        EXPECT_EQ(countryCodeOfName(country.name), country.code) << country.name;
    }
    // The 249 codes of ISO 3166-1 and Kosovo's.
    EXPECT_EQ(codes.size(), 250u);
}

// ---- The codes in a party's line ----------------------------------------------------------------------

struct CodesCase {
    const char* text;
    std::vector<std::string> vatCodes;
    std::vector<std::string> codes;
};

void PrintTo(const CodesCase& line, std::ostream* out) {
    *out << line.text;
}

class FindCodes : public ::testing::TestWithParam<CodesCase> {};

TEST_P(FindCodes, FindsTheVatCodesAndTheCodesStandingAlone) {
    const CodesInText found = findCodes(GetParam().text);
    EXPECT_EQ(found.vatCodes, GetParam().vatCodes);
    EXPECT_EQ(found.codes, GetParam().codes);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FindCodes,
    ::testing::Values(
        CodesCase{"Įm. k. 110053842, PVM k. LT100003842", {"LT100003842"}, {"110053842"}},
        CodesCase{
            "Įmonės kodas 302345678, PVM mokėtojo kodas LT100004567890", {"LT100004567890"}, {"302345678"}},
        CodesCase{"Į.k.302345678 PVM LT 100004567890", {"LT100004567890"}, {"302345678"}},
        CodesCase{"kodas 302345678; pvm kodas lt100004567890", {"LT100004567890"}, {"302345678"}},
        CodesCase{"Reg. Nr. 40003009497, PVN LV40003009497", {"LV40003009497"}, {}},
        CodesCase{"USt-IdNr. DE123456789", {"DE123456789"}, {}},
        CodesCase{"VAT NO923609016MVA", {"NO923609016MVA"}, {}},
        CodesCase{"ATU12345678", {"ATU12345678"}, {}}, CodesCase{"EL094259216", {"EL094259216"}, {}},
        // An 11-digit personal code counts only with its check digit right.
        CodesCase{"a. k. 38703181745", {}, {"38703181745"}}, CodesCase{"a. k. 38703181746", {}, {}},
        // Neither a postal code, a phone number of another length, a date nor a code inside a word.
        CodesCase{"Vilnius, LT-01103, tel. 852123456", {}, {"852123456"}},
        CodesCase{"tel. +370 612 34567, 2024-05-01", {}, {}}, CodesCase{"Kodas AB302345678X", {}, {}},
        // Each code once, in the order met.
        CodesCase{"302345678 LT100004567890 302345678 LT100004567890", {"LT100004567890"}, {"302345678"}},
        CodesCase{"", {}, {}}),
    testing::CaseName());

struct SellerCase {
    const char* text;
    const char* code;
    const char* vatCode;
};

void PrintTo(const SellerCase& line, std::ostream* out) {
    *out << line.text;
}

class ReadSellerCodes : public ::testing::TestWithParam<SellerCase> {};

TEST_P(ReadSellerCodes, TakesOnlyWhatTheLineMakesCertain) {
    const SellerCodes codes = readSellerCodes(GetParam().text);
    EXPECT_EQ(codes.code, GetParam().code);
    EXPECT_EQ(codes.vatCode, GetParam().vatCode);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadSellerCodes,
    ::testing::Values(SellerCase{"Įmonės kodas 302345678, PVM mokėtojo kodas LT100004567890", "302345678",
                                 "LT100004567890"},
                      SellerCase{"Įm. k. 110053842  PVM k. LT100003842", "110053842", "LT100003842"},
                      SellerCase{"302345678 / LT 100004567890", "302345678", "LT100004567890"},
                      SellerCase{"Įmonės kodas 302345678 (ne PVM mokėtojas)", "302345678", ""},
                      SellerCase{"PVM kodas LT100004567890", "", "LT100004567890"},
                      // A guest house run by a person: the personal code is the seller's code.
                      SellerCase{"Individuali veikla, a. k. 38703181745", "38703181745", ""},
                      // Not certain: two codes, a VAT code of another country or of no Lithuanian length, a
                      // code written in groups.
                      SellerCase{"Įm. k. 302345678, filialo k. 302345679", "", ""},
                      SellerCase{"Įm. k. 302345678, PVM k. LV40003009497", "302345678", ""},
                      SellerCase{"PVM k. LT1000045678", "", ""},
                      SellerCase{"PVM k. LT100003842, LT100004567890", "", ""},
                      SellerCase{"Įm. k. 302 345 678", "", ""}, SellerCase{"", "", ""}),
    testing::CaseName());

TEST(VatCodeCountry, IsThePrefixButForGreeceAndNorthernIreland) {
    EXPECT_EQ(vatCodeCountry("LT100003842"), "LT");
    EXPECT_EQ(vatCodeCountry("NO923609016MVA"), "NO");
    EXPECT_EQ(vatCodeCountry("EL094259216"), "GR");
    EXPECT_EQ(vatCodeCountry("XI123456789"), "GB");
    EXPECT_EQ(vatCodeCountry("ZZ123456789"), "");
    EXPECT_EQ(vatCodeCountry(""), "");
}

} // namespace
} // namespace nakva
