#include "ui/Picture.h"

#include "data/Date.h"
#include "data/Text.h"

namespace nakva {

Picture Picture::text(int width) {
    return Picture(Kind::Text, width, 0, false);
}

Picture Picture::number(int width, int places, bool blankWhenZero) {
    return Picture(Kind::Number, width, places, blankWhenZero);
}

Picture Picture::date() {
    return Picture(Kind::Date, 10, 0, true);
}

namespace {

Decimal asDecimal(const Value& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return Decimal(*integer);
    }
    if (const auto* decimal = std::get_if<Decimal>(&value)) {
        return *decimal;
    }
    return Decimal();
}

std::string plain(const Value& value, bool isDate) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return isDate ? formatDate(Date(*integer)) : std::to_string(*integer);
    }
    if (const auto* decimal = std::get_if<Decimal>(&value)) {
        return decimal->toString();
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    return {};
}

} // namespace

std::string Picture::format(const Value& value, bool isDate) const {
    switch (kind_) {
    case Kind::Plain:
        return plain(value, isDate);
    case Kind::Text:
        if (const auto* text = std::get_if<std::string>(&value)) {
            return std::string(cutToChars(*text, std::size_t(width_)));
        }
        return std::string(cutToChars(plain(value, isDate), std::size_t(width_)));
    case Kind::Date: {
        const auto* day = std::get_if<std::int64_t>(&value);
        if (day == nullptr || *day == 0) {
            return {};
        }
        return formatDate(Date(*day));
    }
    case Kind::Number:
        break;
    }
    if (std::holds_alternative<std::string>(value) || std::holds_alternative<std::monostate>(value)) {
        return plain(value, false);
    }
    const Decimal number = asDecimal(value);
    if (blankWhenZero_ && number.isZero()) {
        return {};
    }
    std::string shown = number.toString(places_);
    if (int(shown.size()) > width_) {
        shown.assign(std::size_t(width_), '#');
    }
    return shown;
}

} // namespace nakva
