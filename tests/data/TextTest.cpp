#include "data/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace nakva {
namespace {

int sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(Cp1257Test, EveryDefinedByteRoundTrips) {
    int undefined = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const auto ch = cp1257ToUnicode(static_cast<unsigned char>(byte));
        if (!ch) {
            ++undefined;
            continue;
        }
        EXPECT_EQ(unicodeToCp1257(*ch), byte) << byte;
    }
    EXPECT_EQ(undefined, 12);
    EXPECT_EQ(cp1257ToUnicode(0xC0), U'Ą');
    EXPECT_EQ(cp1257ToUnicode(0xFE), U'ž');
    EXPECT_EQ(cp1257ToUnicode(0x80), U'€');
    EXPECT_EQ(cp1257ToUnicode(0x84), U'„');
    EXPECT_EQ(cp1257ToUnicode(0x93), U'“');
}

TEST(Cp1257Test, ConversionBothWays) {
    EXPECT_EQ(toCp1257("Ąžuolas €5"), std::string("\xC0\xFEuolas \x80"
                                                  "5"));
    EXPECT_EQ(fromCp1257("\xC0\xFEuolas"), "Ąžuolas");
    std::string error;
    EXPECT_EQ(fromCp1257("a\x81", &error), std::nullopt);
    EXPECT_EQ(error, "Baitas 0x81 neturi simbolio Windows-1257 koduotėje.");
}

TEST(Cp1257Test, ForeignCharacterIsNamedNeverDropped) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"Ωmega", "Simbolio „Ω“ (U+03A9) nėra Windows-1257 koduotėje."},
        {"Škoda ŧ", "Simbolio „ŧ“ (U+0167) nėra Windows-1257 koduotėje."},
        {"Жук", "Simbolio „Ж“ (U+0416) nėra Windows-1257 koduotėje."},
        {"smile 😀", "Simbolio „😀“ (U+1F600) nėra Windows-1257 koduotėje."},
        {"bad \xFF", "Tekste yra neteisinga UTF-8 seka (baitas 0xFF)."},
        {"cut \xC4", "Tekste yra neteisinga UTF-8 seka (baitas 0xC4)."},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(toCp1257(c.text, &error), std::nullopt) << c.text;
        EXPECT_EQ(error, c.error);
        EXPECT_FALSE(isCp1257Text(c.text));
        EXPECT_EQ(forStringField(c.text, 50), std::nullopt);
    }
}

TEST(TextTest, FieldWidthsCountCharacters) {
    EXPECT_EQ(charCount("Ąžuolas"), 7u);
    EXPECT_EQ(cutToChars("Ąžuolas", 2), "Ąž");
    EXPECT_EQ(cutToChars("ab", 5), "ab");
    EXPECT_EQ(forStringField("Šiauliai ", 20), "Šiauliai");
    EXPECT_EQ(forStringField("Žemaičių Naumiestis", 7), "Žemaiči");
    EXPECT_EQ(forStringField("abc  def", 5), "abc");
    EXPECT_EQ(trimRight("abc  "), "abc");
    EXPECT_EQ(trimRight("   "), "");
    EXPECT_TRUE(equalIgnoringTrailingBlanks("abc  ", "abc"));
    EXPECT_FALSE(equalIgnoringTrailingBlanks(" abc", "abc"));
}

TEST(TextTest, CasePairs) {
    EXPECT_EQ(upper("žąsų"), "ŽĄSŲ");
    EXPECT_EQ(upper("ąčęėįšųūž abc xyz"), "ĄČĘĖĮŠŲŪŽ ABC XYZ");
    EXPECT_EQ(lower("ĄČĘĖĮŠŲŪŽ ABC"), "ąčęėįšųūž abc");
    EXPECT_EQ(upper("äöü ß Ω 1-2"), "äöü ß Ω 1-2"); // no case pair: unchanged
    EXPECT_EQ(upper("a\xFF"
                    "b"),
              "A\xFF"
              "B");
}

TEST(CollationTest, LithuanianAlphabeticalOrder) {
    const std::vector<std::string> sorted = {
        "A",       "Azija",   "a",        "Ą",      "Ąžuolas", "ą",       "Baltija", "Cezis",
        "Čekija",  "Dainava", "Egidijus", "Ęžeras", "Ėriukas", "Įvairus", "Yla",     "Jonas",
        "Šarūnas", "Tomas",   "Ūla",      "Zita",   "Žemė",    "Ä",       "Ω",
    };
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i) {
        EXPECT_LT(compareCase(sorted[i], sorted[i + 1]), 0) << sorted[i] << " < " << sorted[i + 1];
        EXPECT_GT(compareCase(sorted[i + 1], sorted[i]), 0) << sorted[i + 1] << " > " << sorted[i];
    }
}

TEST(CollationTest, CompareCases) {
    struct Case {
        const char* a;
        const char* b;
        int withCase;
        int withoutCase;
    };
    const Case cases[] = {
        {"abc  ", "abc", 0, 0},  {"ABC", "abc", -1, 0},
        {"ŽĄSŲ", "žąsų", -1, 0}, {"Azija", "azija ", -1, 0},
        {"a", "B", -1, -1},      {"ą", "B", -1, -1},
        {"Ab", "aB", -1, 0},     {"Ä", "ä", -1, -1},    // no case pair: compared as they are
        {"1", "A", -1, -1},                             // below 'A' in the code page
        {"[", "a", 1, 1},                               // above 'A' in the code page, not a listed letter
        {"", " ", 0, 0},         {"ab", "ab\t", 1, 1},  // as if padded: the blank is above the tab
        {"ab", "ab!", -1, -1},   {"Ω", "\xFF", -1, -1}, // bad UTF-8 after everything else
        {"Жук", "Ωmega", 1, 1},                         // outside the code page: by code point
        {"Ω", "ž", 1, 1},        {"\xC4", "\xC4\x85", 1, 1}, // a cut sequence stays comparable
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sign(compareCase(c.a, c.b)), c.withCase) << c.a << " ? " << c.b;
        EXPECT_EQ(sign(compareCase(c.b, c.a)), -c.withCase) << c.b << " ? " << c.a;
        EXPECT_EQ(sign(compareNoCase(c.a, c.b)), c.withoutCase) << c.a << " ? " << c.b;
        EXPECT_EQ(sign(compareNoCase(c.b, c.a)), -c.withoutCase) << c.b << " ? " << c.a;
    }
}

// Sorting needs a strict weak order: check transitivity over a mixed sample sorted both ways.
TEST(CollationTest, OrderIsConsistentForSorting) {
    std::vector<std::string> words = {"Ąžuolas", "azija", "AZIJA", "ąžuolas", "yla", "Įvairus", "jonas",
                                      "Ω",       "žąsų",  "ŽĄSŲ",  "Zita",    "z",   "1",       "abc ",
                                      "abc",     "\xFF",  "Ä",     "ä",       "[x",  "Šarūnas", "sąrašas"};
    for (auto compare : {compareCase, compareNoCase}) {
        std::sort(words.begin(), words.end(),
                  [&](const std::string& a, const std::string& b) { return compare(a, b) < 0; });
        for (std::size_t i = 0; i < words.size(); ++i) {
            for (std::size_t j = i + 1; j < words.size(); ++j) {
                EXPECT_LE(compare(words[i], words[j]), 0) << words[i] << " / " << words[j];
            }
        }
    }
}

} // namespace
} // namespace nakva
