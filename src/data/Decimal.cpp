#include "data/Decimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace nakva {

namespace {

__extension__ typedef unsigned __int128 U128;

constexpr auto Pow10 = [] {
    std::array<U128, 39> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) {
        powers[i] = powers[i - 1] * 10;
    }
    return powers;
}();

constexpr U128 Limit = Pow10[Decimal::MaxDigits]; // every magnitude stays below 10^37

const char* const TooLargeText = "Skaičius per didelis.";

// A 256-bit magnitude for exact intermediate results: products and aligned sums.
struct Wide {
    std::array<std::uint64_t, 4> limb{}; // least significant first

    explicit Wide(U128 value = 0) {
        limb[0] = static_cast<std::uint64_t>(value);
        limb[1] = static_cast<std::uint64_t>(value >> 64);
    }
    bool fitsBelowLimit() const { return limb[2] == 0 && limb[3] == 0 && low() < Limit; }
    U128 low() const { return (static_cast<U128>(limb[1]) << 64) | limb[0]; }

    void multiplyBy10AndAdd(unsigned digit) {
        U128 carry = digit;
        for (auto& part : limb) {
            const U128 current = static_cast<U128>(part) * 10 + carry;
            part = static_cast<std::uint64_t>(current);
            carry = current >> 64;
        }
    }
    bool isZero() const { return (limb[0] | limb[1] | limb[2] | limb[3]) == 0; }

    unsigned divideBy10() { // returns the remainder
        U128 remainder = 0;
        for (int i = 3; i >= 0; --i) {
            const U128 current = (remainder << 64) | limb[i];
            limb[i] = static_cast<std::uint64_t>(current / 10);
            remainder = current % 10;
        }
        return static_cast<unsigned>(remainder);
    }
};

Wide multiply(U128 a, U128 b) {
    const std::uint64_t x[2] = {static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(a >> 64)};
    const std::uint64_t y[2] = {static_cast<std::uint64_t>(b), static_cast<std::uint64_t>(b >> 64)};
    Wide result;
    for (int i = 0; i < 2; ++i) {
        U128 carry = 0;
        for (int j = 0; j < 2; ++j) {
            const U128 current = static_cast<U128>(x[i]) * y[j] + result.limb[i + j] + carry;
            result.limb[i + j] = static_cast<std::uint64_t>(current);
            carry = current >> 64;
        }
        result.limb[i + 2] = static_cast<std::uint64_t>(carry);
    }
    return result;
}

Wide add(const Wide& a, const Wide& b) {
    Wide sum;
    U128 carry = 0;
    for (int i = 0; i < 4; ++i) {
        const U128 current = static_cast<U128>(a.limb[i]) + b.limb[i] + carry;
        sum.limb[i] = static_cast<std::uint64_t>(current);
        carry = current >> 64;
    }
    return sum;
}

Wide subtract(const Wide& a, const Wide& b) { // a >= b
    Wide difference;
    std::uint64_t borrow = 0;
    for (int i = 0; i < 4; ++i) {
        const std::uint64_t part = a.limb[i] - b.limb[i] - borrow;
        borrow = (a.limb[i] < b.limb[i] || (a.limb[i] == b.limb[i] && borrow)) ? 1 : 0;
        difference.limb[i] = part;
    }
    return difference;
}

int compare(const Wide& a, const Wide& b) {
    for (int i = 3; i >= 0; --i) {
        if (a.limb[i] != b.limb[i]) {
            return a.limb[i] < b.limb[i] ? -1 : 1;
        }
    }
    return 0;
}

std::string digitsOf(U128 magnitude) {
    char buffer[40]; // 2^128 has 39 digits
    char* const end = buffer + sizeof buffer;
    char* digit = end;
    // Most values fit 64 bits, whose division is far cheaper than a 128-bit one.
    while (magnitude > std::numeric_limits<std::uint64_t>::max()) {
        *--digit = static_cast<char>('0' + static_cast<int>(magnitude % 10));
        magnitude /= 10;
    }
    auto small = static_cast<std::uint64_t>(magnitude);
    do {
        *--digit = static_cast<char>('0' + static_cast<int>(small % 10));
        small /= 10;
    } while (small != 0);
    return std::string(digit, end);
}

} // namespace

// Sign and magnitude of an exact result, brought within 37 digits and MaxScale places by rounding
// half away from zero: the first digit dropped decides.
struct DecimalBuilder {
    static Decimal make(bool negative, Wide magnitude, int scale) {
        unsigned firstDropped = 0;
        bool dropped = false;
        while (!magnitude.fitsBelowLimit() || scale > Decimal::MaxScale) {
            if (scale == 0) {
                throw std::overflow_error(TooLargeText);
            }
            firstDropped = magnitude.divideBy10();
            dropped = true;
            --scale;
        }
        U128 value = magnitude.low();
        if (dropped && firstDropped >= 5) {
            ++value;
            if (value == Limit) {
                if (scale == 0) {
                    throw std::overflow_error(TooLargeText);
                }
                value /= 10;
                --scale;
            }
        }
        const auto mantissa = static_cast<Decimal::Mantissa>(value);
        return Decimal(negative ? -mantissa : mantissa, scale);
    }

    static U128 magnitude(const Decimal& d) {
        return static_cast<U128>(d.mantissa_ < 0 ? -d.mantissa_ : d.mantissa_);
    }
    static bool negative(const Decimal& d) { return d.mantissa_ < 0; }

    static Decimal withoutTrailingZeros(Decimal d) {
        while (d.scale_ > 0 && d.mantissa_ % 10 == 0) {
            d.mantissa_ /= 10;
            --d.scale_;
        }
        return d;
    }

    // Compares magnitudes of a and b brought to the same scale.
    static int compareMagnitudes(const Decimal& a, const Decimal& b) {
        const int scale = std::max(a.scale_, b.scale_);
        return compare(multiply(magnitude(a), Pow10[scale - a.scale_]),
                       multiply(magnitude(b), Pow10[scale - b.scale_]));
    }

    static Decimal add(const Decimal& a, const Decimal& b, bool negateB) {
        const int scale = std::max(a.scale_, b.scale_);
        const Wide x = multiply(magnitude(a), Pow10[scale - a.scale_]);
        const Wide y = multiply(magnitude(b), Pow10[scale - b.scale_]);
        const bool xNegative = negative(a);
        const bool yNegative = negative(b) != negateB && !b.isZero();
        if (xNegative == yNegative) {
            return make(xNegative, nakva::add(x, y), scale);
        }
        const int order = compare(x, y);
        if (order == 0) {
            return Decimal(0, scale);
        }
        return order > 0 ? make(xNegative, subtract(x, y), scale) : make(yNegative, subtract(y, x), scale);
    }
};

Decimal::Decimal(std::int64_t whole) : mantissa_(whole) {}

Decimal Decimal::fromScaled(std::int64_t scaled, int places) {
    if (places < 0 || places > MaxScale) {
        throw std::invalid_argument("decimal places out of range");
    }
    return Decimal(scaled, places);
}

std::optional<Decimal> Decimal::parse(std::string_view text, std::string* error) {
    const std::string original(text);
    const auto fail = [&](std::string message) -> std::optional<Decimal> {
        if (error) {
            *error = std::move(message);
        }
        return std::nullopt;
    };
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return Decimal();
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    bool negative = false;
    if (text.front() == '-' || text.front() == '+') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    Wide magnitude;
    int scale = 0;
    int integerDigits = 0;
    int digits = 0;
    bool afterPoint = false;
    for (const char c : text) {
        if (c == '.' || c == ',') {
            if (afterPoint) {
                return fail("Neteisingas skaičius „" + original + "“.");
            }
            afterPoint = true;
        } else if (c >= '0' && c <= '9') {
            ++digits;
            if (afterPoint && scale > MaxScale) {
                continue; // beyond the first digit that decides the rounding
            }
            if (!afterPoint && magnitude.isZero() && c == '0') {
                continue; // leading zero
            }
            if (!afterPoint && ++integerDigits > MaxDigits) {
                return fail("Skaičius „" + original + "“ per didelis.");
            }
            magnitude.multiplyBy10AndAdd(static_cast<unsigned>(c - '0'));
            if (afterPoint) {
                ++scale;
            }
        } else {
            return fail("Neteisingas skaičius „" + original + "“.");
        }
    }
    if (digits == 0) {
        return fail("Neteisingas skaičius „" + original + "“.");
    }
    try {
        return DecimalBuilder::make(negative && !magnitude.isZero(), magnitude, scale);
    } catch (const std::overflow_error&) {
        return fail("Skaičius „" + original + "“ per didelis.");
    }
}

Decimal Decimal::fromDouble(double value, int places) {
    if (!std::isfinite(value)) {
        throw std::overflow_error(TooLargeText);
    }
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    const auto parsed = parse(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
    if (result.ec != std::errc() || !parsed) {
        throw std::overflow_error(TooLargeText);
    }
    return parsed->rounded(places);
}

std::optional<std::int64_t> Decimal::toScaled(int places) const {
    const Decimal value = rounded(places);
    if (value.scale_ != places || value.mantissa_ > std::numeric_limits<std::int64_t>::max() ||
        value.mantissa_ < std::numeric_limits<std::int64_t>::min()) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(value.mantissa_);
}

double Decimal::toDouble() const {
    const std::string text = toString();
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string Decimal::toString() const {
    std::string digits = digitsOf(DecimalBuilder::magnitude(*this));
    if (digits.size() <= static_cast<std::size_t>(scale_)) {
        digits.insert(0, static_cast<std::size_t>(scale_) + 1 - digits.size(), '0');
    }
    if (scale_ > 0) {
        digits.insert(digits.size() - static_cast<std::size_t>(scale_), 1, '.');
    }
    return mantissa_ < 0 ? "-" + digits : digits;
}

std::string Decimal::toString(int places) const {
    return rounded(places).toString();
}

int Decimal::sign() const {
    return mantissa_ < 0 ? -1 : (mantissa_ > 0 ? 1 : 0);
}

Decimal Decimal::rounded(int places) const {
    places = std::clamp(places, 0, MaxScale);
    const U128 magnitude = DecimalBuilder::magnitude(*this);
    if (places >= scale_) {
        if (magnitude >= Limit / Pow10[places - scale_]) {
            return *this; // 37 digits cannot hold the extra zeros
        }
        return Decimal(mantissa_ * static_cast<Mantissa>(Pow10[places - scale_]), places);
    }
    const U128 divisor = Pow10[scale_ - places];
    U128 quotient = magnitude / divisor;
    if ((magnitude % divisor) * 2 >= divisor) {
        ++quotient;
    }
    return DecimalBuilder::make(mantissa_ < 0 && quotient != 0, Wide(quotient), places);
}

bool Decimal::fits(int digits, int places) const {
    const U128 magnitude = DecimalBuilder::magnitude(*this);
    if (places < scale_ && magnitude % Pow10[scale_ - places] != 0) {
        return false;
    }
    const int wholeDigits = digits - std::max(places, 0);
    if (wholeDigits >= MaxDigits) {
        return true;
    }
    return wholeDigits >= 0 && magnitude / Pow10[scale_] < Pow10[wholeDigits];
}

Decimal Decimal::operator-() const {
    return Decimal(-mantissa_, scale_);
}

Decimal Decimal::abs() const {
    return mantissa_ < 0 ? -*this : *this;
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    return DecimalBuilder::add(a, b, false);
}

Decimal operator-(const Decimal& a, const Decimal& b) {
    return DecimalBuilder::add(a, b, true);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    const bool negative = (a.sign() * b.sign()) < 0;
    return DecimalBuilder::make(
        negative, multiply(DecimalBuilder::magnitude(a), DecimalBuilder::magnitude(b)), a.scale_ + b.scale_);
}

Decimal operator/(const Decimal& a, const Decimal& b) {
    if (b.isZero()) {
        throw std::domain_error("Dalyba iš nulio.");
    }
    // quotient × 10^scale = |a| × 10^(b.scale - a.scale + scale) / |b|, by long division
    const int scale = std::max(Decimal::DivisionPlaces, a.scale_ - b.scale_);
    const int digitsWanted = b.scale_ - a.scale_ + scale;
    const U128 divisor = DecimalBuilder::magnitude(b);
    const U128 dividend = DecimalBuilder::magnitude(a);
    U128 quotient = dividend / divisor;
    U128 remainder = dividend % divisor;
    int produced = 0;
    while (produced < digitsWanted && quotient < Limit / 10) {
        remainder *= 10; // remainder < divisor < 10^37: no wrap
        quotient = quotient * 10 + remainder / divisor;
        remainder %= divisor;
        ++produced;
    }
    const int missing = digitsWanted - produced;
    if (missing > scale) {
        throw std::overflow_error(TooLargeText);
    }
    if (remainder * 2 >= divisor) {
        ++quotient;
    }
    const bool negative = (a.sign() * b.sign()) < 0;
    return DecimalBuilder::withoutTrailingZeros(
        DecimalBuilder::make(negative, Wide(quotient), scale - missing));
}

bool operator==(const Decimal& a, const Decimal& b) {
    return (a <=> b) == 0;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    if (a.sign() != b.sign()) {
        return a.sign() <=> b.sign();
    }
    const int order = DecimalBuilder::compareMagnitudes(a, b);
    return (a.sign() < 0 ? -order : order) <=> 0;
}

std::optional<Decimal> forField(const Decimal& value, int digits, int places, std::string* error) {
    const Decimal result = value.rounded(places);
    if (!result.fits(digits, places)) {
        if (error) {
            const int whole = std::max(digits - places, 0);
            const int lastTwo = whole % 100;
            const char* const word = lastTwo % 10 == 1 && lastTwo != 11                    ? " skaitmuo."
                                     : lastTwo % 10 >= 2 && (lastTwo < 12 || lastTwo > 19) ? " skaitmenys."
                                                                                           : " skaitmenų.";
            *error = "Skaičius " + value.toString() +
                     " netelpa į lauką: prieš tašką leidžiama ne daugiau kaip " + std::to_string(whole) +
                     word;
        }
        return std::nullopt;
    }
    return result;
}

} // namespace nakva
