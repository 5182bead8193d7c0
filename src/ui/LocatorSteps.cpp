#include "ui/LocatorSteps.h"

#include "data/Collation.h"
#include "data/Utf8.h"

#include <array>
#include <cstdint>
#include <utility>

namespace nakva {

namespace {

// The characters the steps are written in, in collation order: blank and digits (which sort before
// every letter) and the capitals of the Lithuanian alphabet.
constexpr std::string_view Alphabet = " 0123456789AĄBCČDEĘĖFGHIĮYJKLMNOPQRSŠTUŲŪVWXZŽ";
constexpr int Width = 4; // characters read after the common prefix

std::vector<char32_t> characters(std::string_view text) {
    std::vector<char32_t> result;
    for (std::size_t pos = 0; pos < text.size();) {
        result.push_back(utf8::decode(text, pos));
    }
    return result;
}

const std::vector<char32_t>& alphabet() {
    static const std::vector<char32_t> all = characters(Alphabet);
    return all;
}

int base() {
    return int(alphabet().size()) + 1;
}

// 1 + the place of the last alphabet character that sorts at or before `ch`; 0 when none does.
int digitOf(char32_t ch) {
    const auto& all = alphabet();
    std::string one;
    utf8::append(one, ch);
    int digit = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] == ch) {
            return int(i) + 1;
        }
        std::string letter;
        utf8::append(letter, all[i]);
        if (compareCase(letter, one) <= 0) {
            digit = int(i) + 1;
        }
    }
    return digit;
}

std::int64_t numberAfter(const std::vector<char32_t>& text, std::size_t prefix) {
    std::int64_t number = 0;
    for (std::size_t i = prefix; i < prefix + Width; ++i) {
        number = number * base() + (i < text.size() ? digitOf(text[i]) : 0);
    }
    return number;
}

std::string textOf(const std::vector<char32_t>& prefix, std::int64_t number) {
    std::array<int, Width> digits{};
    for (int i = Width - 1; i >= 0; --i) {
        digits[std::size_t(i)] = int(number % base());
        number /= base();
    }
    std::string text;
    for (char32_t ch : prefix) {
        utf8::append(text, ch);
    }
    for (int digit : digits) {
        utf8::append(text, digit == 0 ? U' ' : alphabet()[std::size_t(digit - 1)]);
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

} // namespace

LocatorSteps LocatorSteps::numeric(double first, double last) {
    LocatorSteps steps;
    steps.descending_ = last < first;
    for (int i = 1; i < Count; ++i) {
        steps.numbers_.push_back(first + (i - 1) * (last - first) / (Count - 1));
    }
    steps.numbers_.push_back(last);
    return steps;
}

LocatorSteps LocatorSteps::text(std::string_view first, std::string_view last) {
    LocatorSteps steps;
    const std::string low = upper(first);
    const std::string high = upper(last);
    steps.descending_ = compareCase(high, low) < 0;
    const auto a = characters(low);
    const auto b = characters(high);
    std::size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) {
        ++prefix;
    }
    const std::vector<char32_t> common(a.begin(), a.begin() + std::ptrdiff_t(prefix));
    const std::int64_t from = numberAfter(a, prefix);
    const std::int64_t step = (numberAfter(b, prefix) - from) / (Count - 1);
    steps.texts_.push_back(low);
    // Four characters cannot tell every pair of keys apart: a step is kept between the two keys.
    const auto& [lowest, highest] = steps.descending_ ? std::pair(high, low) : std::pair(low, high);
    for (int i = 2; i < Count; ++i) {
        std::string text = textOf(common, from + (i - 1) * step);
        if (compareCase(text, lowest) < 0) {
            text = lowest;
        } else if (compareCase(text, highest) > 0) {
            text = highest;
        }
        steps.texts_.push_back(std::move(text));
    }
    steps.texts_.push_back(high);
    return steps;
}

int LocatorSteps::thumb(const Value& value) const {
    if (empty()) {
        return 0;
    }
    const std::string key = isText() && std::holds_alternative<std::string>(value)
                                ? upper(std::get<std::string>(value))
                                : std::string();
    const double number = numberOf(value);
    for (int i = 1; i <= Count; ++i) {
        const int compared = isText() ? compareCase(text(i), key)
                                      : (this->number(i) < number   ? -1
                                         : this->number(i) > number ? 1
                                                                    : 0);
        if (descending_ ? compared <= 0 : compared >= 0) {
            return i == 1 ? 0 : i;
        }
    }
    return Count;
}

double numberOf(const Value& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return double(*integer);
    }
    if (const auto* decimal = std::get_if<Decimal>(&value)) {
        return decimal->toDouble();
    }
    return 0;
}

} // namespace nakva
