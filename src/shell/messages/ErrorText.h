#pragma once

#include <string>

namespace nakva {

// The outcome of a record store operation as messages show it: the store's own text and number.
struct ErrorCondition {
    int number = 0; // 0: no error
    std::string text;
};

// The error text rule of the standard warnings, kept per procedure context (here: per thread).
// Every store operation records its outcome as the last operation's condition; a failing procedure
// saves the condition at the moment of failure (before a roll-back overwrites the last one).
// errorText() gives "text (number)" from the saved condition, or from the last operation when none
// was saved; the message that used it clears the saved condition.
void setLastOperationError(ErrorCondition condition);
const ErrorCondition& lastOperationError();
void saveErrorCondition();                       // saves the last operation's condition
void saveErrorCondition(ErrorCondition condition);
void clearSavedErrorCondition();
const ErrorCondition& currentErrorCondition();   // the saved one, else the last operation's
std::string errorText();                         // "text (number)"

} // namespace nakva
