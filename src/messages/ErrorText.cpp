#include "messages/ErrorText.h"

#include <optional>

namespace nakva {

namespace {

// Each procedure context runs on its own thread, so the conditions are kept per thread.
struct ErrorConditions {
    ErrorCondition last;
    std::optional<ErrorCondition> saved;
};

ErrorConditions& conditions() {
    thread_local ErrorConditions perThread;
    return perThread;
}

} // namespace

void setLastOperationError(ErrorCondition condition) {
    conditions().last = std::move(condition);
}

const ErrorCondition& lastOperationError() {
    return conditions().last;
}

void saveErrorCondition() {
    conditions().saved = conditions().last;
}

void saveErrorCondition(ErrorCondition condition) {
    conditions().saved = std::move(condition);
}

void clearSavedErrorCondition() {
    conditions().saved.reset();
}

const ErrorCondition& currentErrorCondition() {
    const ErrorConditions& current = conditions();
    return current.saved ? *current.saved : current.last;
}

std::string errorText() {
    const ErrorCondition& condition = currentErrorCondition();
    const std::size_t end = condition.text.find_last_not_of(' ');
    std::string text = end == std::string::npos ? std::string() : condition.text.substr(0, end + 1);
    return text + " (" + std::to_string(condition.number) + ")";
}

} // namespace nakva
