#include "reports/TextMetrics.h"

#include "data/Text.h"

#include <gtest/gtest.h>

namespace nakva {

namespace {

const Font Regular{"Arial", 10};
const Font Bold{"Arial", 10, true};

} // namespace

TEST(TextMetricsTest, WidthsAreLiberationSansAdvancesInTwips) {
    struct Case {
        const char* text;
        Font font;
        int twips;
    };
    // 10 pt = 200 twips to the em of 2048 units.
    const Case cases[] = {
        {"", Regular, 0},
        {"A", Regular, 133},                                 // 1366 units
        {"iiii", Regular, 178},                              // 4 × 455
        {"Ąžuolas", Regular, textWidth("Azuolas", Regular)}, // the marks do not widen a letter
        {"Šiauliai", Bold, textWidth("Siauliai", Bold)},
        {"mmmm", Bold, 711},                     // 4 × 1821
        {"Ω", Regular, textWidth("?", Regular)}, // outside the code page: written and measured as "?"
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textWidth(c.text, c.font), c.twips) << c.text;
    }
    EXPECT_EQ(textWidth("Kaina", Regular), 512);        // 5238 units: 511.5 rounded
    EXPECT_EQ(textWidth("Kaina", {"Arial", 20}), 1023); // measured whole, not twice the rounded
    EXPECT_GT(textWidth("PREKIŲ-PASLAUGŲ SĄRAŠAS", Bold), textWidth("PREKIŲ-PASLAUGŲ SĄRAŠAS", Regular));
}

TEST(TextMetricsTest, FitKeepsWholeCharactersWithinTheWidth) {
    const std::string text = "Čiurlionio gatvė ąčęėįšųūž";
    for (int width : {0, 50, 300, 1000, 2000, 100000}) {
        const std::string fitted = fitText(text, Regular, width);
        EXPECT_LE(textWidth(fitted, Regular), width);
        EXPECT_TRUE(text.starts_with(fitted));
        EXPECT_TRUE(isCp1257Text(fitted)) << "cut inside a character at " << width;
        if (fitted.size() < text.size()) {
            EXPECT_GT(
                textWidth(text.substr(0, fitted.size() + (charCount(text.substr(fitted.size(), 2)) ? 2 : 1)),
                          Regular),
                width - textWidth("ž", Regular));
        }
    }
    EXPECT_EQ(fitText(text, Regular, 100000), text);
}

TEST(TextMetricsTest, WrapBreaksAtBlanksAndCutsOnlyAWordLongerThanALine) {
    struct Case {
        const char* text;
        int width;
        std::vector<std::string> lines;
    };
    const int word = textWidth("Gedimino", Regular);
    const Case cases[] = {
        {"", 1000, {}},
        {"   ", 1000, {}},
        {"Gedimino pr. 1", 100000, {"Gedimino pr. 1"}},
        {"Gedimino pr. 1, Vilnius", word + 10, {"Gedimino", "pr. 1,", "Vilnius"}},
        {"  Gedimino   pr.", word, {"Gedimino", "pr."}},
        {"Gedimino", textWidth("Gedim", Regular), {"Gedim", "ino"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wrapText(c.text, Regular, c.width), c.lines) << c.text;
        for (const std::string& line : wrapText(c.text, Regular, c.width)) {
            EXPECT_LE(textWidth(line, Regular), c.width) << line;
        }
    }
    // Not even one letter fits: each letter on a line of its own, none lost.
    EXPECT_EQ(wrapText("ab", Regular, 1), (std::vector<std::string>{"a", "b"}));
}

} // namespace nakva
