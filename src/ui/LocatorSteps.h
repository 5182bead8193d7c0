#pragma once

#include "data/Record.h"

#include <string>
#include <string_view>
#include <vector>

namespace nakva {

// The step table of a list's scroll bar: 100 values of the locator spread evenly from the first to
// the last record of the sort order. The thumb stands at the first step whose value is equal to or
// after the current record's locator value; dragging the thumb to step p positions the list at that
// step's value.
//
// Numbers: step i is first + (i − 1) × (last − first) / 99, step 100 exactly the last. Texts (compared
// upper-cased): after the common prefix of the two keys the next four characters of each are read as
// a number in base 48 (blank, the digits and the 36 capitals of the Lithuanian alphabet, in their
// order, as digits 1 to 47; a missing character as 0, any other as the alphabet's character that sorts
// next below it); the difference is cut into 99 equal steps (integer division) and each is written
// back after the prefix, kept between the two keys. Step 1 is the first key and step 100 the last.
class LocatorSteps {
public:
    static constexpr int Count = 100;

    LocatorSteps() = default; // none: the order has no locator or the list is empty
    static LocatorSteps numeric(double first, double last);
    static LocatorSteps text(std::string_view first, std::string_view last);

    bool empty() const { return numbers_.empty() && texts_.empty(); }
    bool isText() const { return !texts_.empty(); }
    // Step 1..100.
    double number(int step) const { return numbers_.at(std::size_t(step - 1)); }
    const std::string& text(int step) const { return texts_.at(std::size_t(step - 1)); }

    // The thumb for a locator value, 0..100: the first step at or past it, step 1 shown as 0.
    int thumb(const Value& value) const;

private:
    std::vector<double> numbers_;
    std::vector<std::string> texts_; // upper-cased
    bool descending_ = false;        // the order runs from the higher value to the lower
};

// The number a locator value holds, as the steps count it; 0 for a text or no value.
double numberOf(const Value& value);

} // namespace nakva
