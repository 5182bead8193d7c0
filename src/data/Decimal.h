#pragma once

#include <compare>
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nakva {

// An exact decimal number: a signed integer mantissa of up to 37 digits and a scale (digits after
// the point). Arithmetic never passes through floating point. Money has 2 places, unit prices 4,
// quantities 3, VAT rates 2; a value stored into a DECIMAL(d,p) field goes through forField().
//
// Sums and products are exact; a quotient is carried to 20 places (more when the dividend has
// more), rounded half away from zero at the last place. A result beyond 37 significant digits or
// 30 places keeps its integer part and is rounded (half away from zero) at its last place that
// fits; a result whose integer part cannot be held at all throws std::overflow_error (never a
// silent wrap). Division by zero throws std::domain_error.
class Decimal {
public:
    static constexpr int MaxDigits = 37;
    static constexpr int MaxScale = 30;
    static constexpr int DivisionPlaces = 20;

    constexpr Decimal() = default;
    Decimal(std::int64_t whole); // implicit, so that `amount * 2` and `x == 0` read naturally
    template <std::floating_point F>
    Decimal(F) = delete; // a double never slips in: use fromDouble() or parse()

    // From the stored form: `scaled` = value × 10^places (places 0..MaxScale, else
    // std::invalid_argument).
    static Decimal fromScaled(std::int64_t scaled, int places);
    // "12.50", "-3,5", "+7", ".5": optional sign, a point or a comma as separator, no thousands
    // separators, blanks around ignored; an empty text is zero. Bad text gives nullopt and a
    // Lithuanian error text.
    static std::optional<Decimal> parse(std::string_view text, std::string* error = nullptr);
    // For the few computations that pass through a double: the shortest decimal that reads back as
    // the same double, rounded to `places` half away from zero (so 8.255 gives 8.26). NaN, infinities
    // and values beyond the range throw std::overflow_error.
    static Decimal fromDouble(double value, int places);

    // value × 10^places after rounding to `places`; nullopt when that does not fit 64 bits.
    std::optional<std::int64_t> toScaled(int places) const;
    double toDouble() const;
    std::string toString() const;           // at the value's own scale: "12.50", "-0.005", "7"
    std::string toString(int places) const; // rounded to `places`: toString(2) of 8.255 is "8.26"

    int scale() const { return scale_; }
    int sign() const; // -1, 0, 1
    bool isZero() const { return mantissa_ == 0; }

    // At `places` decimals (0..MaxScale; fewer only where 37 digits cannot hold them), half away
    // from zero: 0.005 → 0.01, -0.005 → -0.01, 8.5 → 8.50.
    Decimal rounded(int places) const;
    // True when the value has at most `places` decimals that are not zero and at most
    // `digits - places` digits before the point (the DECIMAL(digits, places) field type).
    bool fits(int digits, int places) const;

    Decimal operator-() const;
    Decimal abs() const;

    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    friend Decimal operator/(const Decimal& a, const Decimal& b);
    Decimal& operator+=(const Decimal& b) { return *this = *this + b; }
    Decimal& operator-=(const Decimal& b) { return *this = *this - b; }
    Decimal& operator*=(const Decimal& b) { return *this = *this * b; }
    Decimal& operator/=(const Decimal& b) { return *this = *this / b; }

    // Compare values regardless of scale: 1.50 == 1.5.
    friend bool operator==(const Decimal& a, const Decimal& b);
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

private:
    friend struct DecimalBuilder;
    __extension__ typedef __int128 Mantissa;

    Decimal(Mantissa mantissa, int scale) : mantissa_(mantissa), scale_(scale) {}

    Mantissa mantissa_ = 0;
    int scale_ = 0;
};

// Prepares a value for a DECIMAL(digits, places) field: rounds it to `places`, then checks that it
// fits `digits`. An overflow gives nullopt and a Lithuanian error text; the caller keeps its value.
std::optional<Decimal> forField(const Decimal& value, int digits, int places, std::string* error = nullptr);

} // namespace nakva
