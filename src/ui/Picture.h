#pragma once

#include "data/Record.h"

#include <string>

namespace nakva {

// How a value is shown in a list column or a form field: a text cut to its width, a number with its
// width and decimals (blank when zero if asked), or a date year-month-day with a four-digit year (blank
// when 0): a list's dates go into spreadsheets through its export, which read "26-12-07" as 2007. The default
// picture shows a value as it is, a date field's day number as a date.
class Picture {
public:
    enum class Kind { Plain, Text, Number, Date };

    Picture() = default;
    static Picture text(int width);
    // `width` counts every character shown: sign, digits and point. A value that does not fit shows
    // as a row of '#' rather than cut.
    static Picture number(int width, int places = 0, bool blankWhenZero = false);
    static Picture date(); // "2024-04-15"

    Kind kind() const { return kind_; }
    int width() const { return width_; }
    int places() const { return places_; }
    bool blankWhenZero() const { return blankWhenZero_; }

    // `isDate`: the value is a date field's day number (used by the plain picture).
    std::string format(const Value& value, bool isDate = false) const;

private:
    Picture(Kind kind, int width, int places, bool blankWhenZero)
        : kind_(kind), width_(width), places_(places), blankWhenZero_(blankWhenZero) {}

    Kind kind_ = Kind::Plain;
    int width_ = 0;
    int places_ = 0;
    bool blankWhenZero_ = false;
};

} // namespace nakva
