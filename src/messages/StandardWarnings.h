#pragma once

#include "messages/Message.h"

#include <span>
#include <string>
#include <string_view>

namespace nakva {

// The numbered standard warnings 1..38. Each is called with up to two texts: first (usually a file,
// table, field or key name, or an operation name) and second (a value, a table name or a mode word).

enum class WarningPart {
    Text, // literal text
    First,
    FirstLower, // first in lower case ("Update" → "update")
    Second,
    Error, // the error text: "text (number)" of the saved or last condition
};

struct WarningTextPart {
    WarningPart kind = WarningPart::Text;
    std::string_view text;
};

struct StandardWarningDefinition {
    int number = 0;
    std::string_view title; // empty: the window's own title
    std::span<const WarningTextPart> text;
    unsigned buttons = ButtonOk;
    int defaultButton = ButtonOk;
    MessageIcon icon = MessageIcon::Information;
    std::string_view stopText; // not empty: the program stops after the message, showing this text
    int continueOn = 0;        // with a stop text: the answer that goes on instead of stopping
    // Warnings whose title and text depend on first: when first is not firstKeyword, otherTitle and
    // otherText apply (29: "Down"; 31: "Put").
    std::string_view firstKeyword;
    std::string_view otherTitle;
    std::span<const WarningTextPart> otherText;
};

inline constexpr int kStandardWarningCount = 38;

// The definition of warning 1..38, or nullptr for any other number.
const StandardWarningDefinition* standardWarningDefinition(int number);

// The request that standardWarning() shows, assembled from its parts (error from errorText()).
// Warning 15 reads "Šį įrašą jau pakeitė kitas vartotojas." when the current error condition is
// "record changed by another station". An unknown number gives a plain message naming it.
MessageRequest standardWarningRequest(int number, std::string_view first = {}, std::string_view second = {});

// Shows the warning and returns the pressed button's value. A warning that used the error condition
// clears the saved one afterwards. A warning with a stop throws ProgramStop{stop text} after the
// message (warning 2 only when the answer is not Yes).
int standardWarning(int number, std::string_view first = {}, std::string_view second = {});

} // namespace nakva
