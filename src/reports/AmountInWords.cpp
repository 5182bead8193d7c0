#include "reports/AmountInWords.h"

#include "data/Collation.h"
#include "data/Text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace nakva {

namespace {

constexpr std::array<std::string_view, 10> UnitWords = {"",      "vienas", "du",      "trys",    "keturi",
                                                        "penki", "šeši",   "septyni", "aštuoni", "devyni"};
constexpr std::array<std::string_view, 10> TeenWords = {
    "",           "vienuolika", "dvylika",      "trylika",      "keturiolika",
    "penkiolika", "šešiolika",  "septyniolika", "aštuoniolika", "devyniolika"};
constexpr std::array<std::string_view, 10> TenWords = {"",
                                                       "dešimt",
                                                       "dvidešimt",
                                                       "trisdešimt",
                                                       "keturiasdešimt",
                                                       "penkiasdešimt",
                                                       "šešiasdešimt",
                                                       "septyniasdešimt",
                                                       "aštuoniasdešimt",
                                                       "devyniasdešimt"};

// The three grammatical forms a counted word takes after a number.
struct WordForms {
    std::string_view singular; // 1, 21, 31 ...
    std::string_view plural;   // 2 to 9, 22 to 29 ...
    std::string_view genitive; // 0, 10 to 20, 30 ...

    std::string_view after(int tens, int units) const {
        if (units == 0 || tens == 1) {
            return genitive;
        }
        return units == 1 ? singular : plural;
    }
};

// The scale words carry their own leading blank and are joined directly.
constexpr WordForms Millions{" milijonas", " milijonai", " milijonų"};
constexpr WordForms Thousands{" tūkstantis", " tūkstančiai", " tūkstančių"};
constexpr WordForms Euros{"euras", "eurai", "eurų"};
constexpr WordForms Cents{"centas", "centai", "centų"};

class Sentence {
public:
    // A word after the text so far, one blank between.
    void word(std::string_view word) {
        text_.erase(trimRight(text_).size());
        text_ += ' ';
        text_ += word;
    }
    // A word that brings its own blank.
    void joined(std::string_view word) { text_ += word; }

    // Three digits: hundreds, tens, units.
    void group(int hundreds, int tens, int units) {
        if (hundreds > 0) {
            word(UnitWords[hundreds]);
            joined(hundreds == 1 ? " šimtas" : " šimtai");
        }
        if (tens > 1 || (tens == 1 && units == 0)) {
            word(TenWords[tens]);
        } else if (tens == 1) {
            word(TeenWords[units]);
        }
        if (tens != 1 && units > 0) {
            word(UnitWords[units]);
        }
    }

    // Left-justified, the first letter upper-cased, a full stop at the end.
    std::string finished() const {
        std::string_view text = text_;
        text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
        std::string_view first = cutToChars(text, 1);
        std::string result = upper(first);
        result += text.substr(first.size());
        result += '.';
        return result;
    }

private:
    std::string text_;
};

} // namespace

std::string amountInWords(double amount) {
    const double magnitude = std::isfinite(amount) ? std::fabs(amount) : 0.0;

    // The integer part, truncated. The money fields stay far below the limit kept here; it only
    // keeps the conversion defined for any input.
    const double whole = std::min(std::trunc(magnitude), 1e17);
    std::int64_t number = static_cast<std::int64_t>(whole);

    std::array<int, 10> digit{}; // digit[0] is the units digit
    int significant = 0;
    do {
        if (significant < static_cast<int>(digit.size())) {
            digit[significant] = static_cast<int>(number % 10);
        }
        number /= 10;
        ++significant;
    } while (number > 0);

    Sentence sentence;
    auto scaledGroup = [&](int first, const WordForms& scale) {
        const int hundreds = digit[first + 2];
        const int tens = digit[first + 1];
        const int units = digit[first];
        sentence.group(hundreds, tens, units);
        if (hundreds != 0 || tens != 0 || units != 0) {
            sentence.joined(scale.after(tens, units));
        }
    };
    if (significant > 6) {
        scaledGroup(6, Millions);
    }
    if (significant > 3) {
        scaledGroup(3, Thousands);
    }
    sentence.group(digit[2], digit[1], digit[0]);
    if (magnitude > 0.999) {
        sentence.word(Euros.after(digit[1], digit[0]));
    }

    // The cents: the distance to the nearest whole amount, so 1234.56 gives -44 + 100.
    const double nearest = std::round(magnitude);
    int cents = static_cast<int>(std::round((magnitude - nearest) * 100.0));
    if (cents < 0) {
        cents += 100;
    }
    const int centTens = cents / 10;
    const int centUnits = cents % 10;
    const char centDigits[] = {static_cast<char>('0' + centTens), static_cast<char>('0' + centUnits), '\0'};
    sentence.word(centDigits);
    sentence.word(Cents.after(centTens, centUnits));

    return sentence.finished();
}

} // namespace nakva
