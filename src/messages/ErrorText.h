#pragma once

#include <string>

namespace nakva {

// The outcome of a record store operation as messages show it: the store's own text and number.
struct ErrorCondition {
    int number = 0; // 0: no error
    std::string text;
};

// The record store reports a put or delete of a watched record that another user changed meanwhile
// with this number (its text is the store's own). The standard warnings recognise the condition by
// the number alone: the rewrite warning then reads "Šį įrašą jau pakeitė kitas vartotojas.".
inline constexpr int kRecordChangedByAnotherStation = 89;

inline bool isRecordChangedByAnotherStation(const ErrorCondition& condition) {
    return condition.number == kRecordChangedByAnotherStation;
}

// The error text rule of the standard warnings, kept per procedure context (here: per thread).
// Every store operation records its outcome as the last operation's condition; a failing procedure
// saves the condition at the moment of failure (before a roll-back overwrites the last one).
// errorText() gives "text (number)" (the text without its trailing blanks) from the saved condition,
// or from the last operation when none was saved; the standard warning that used it clears the saved
// condition.
void setLastOperationError(ErrorCondition condition);
const ErrorCondition& lastOperationError();
void saveErrorCondition(); // saves the last operation's condition
void saveErrorCondition(ErrorCondition condition);
void clearSavedErrorCondition();
const ErrorCondition& currentErrorCondition(); // the saved one, else the last operation's
std::string errorText();                       // "text (number)"

} // namespace nakva
