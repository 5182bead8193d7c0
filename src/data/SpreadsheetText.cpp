#include "data/SpreadsheetText.h"

namespace nakva {

namespace {

// An optional sign, digits, and at most one decimal point or comma between digits.
bool isPlainNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    const auto digits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    const std::size_t separator = text.find_first_of(".,");
    return separator == std::string_view::npos
               ? digits(text)
               : digits(text.substr(0, separator)) && digits(text.substr(separator + 1));
}

} // namespace

std::string spreadsheetText(std::string_view cell) {
    if (cell.empty() || std::string_view("=+-@\t\r").find(cell.front()) == std::string_view::npos ||
        isPlainNumber(cell)) {
        return std::string(cell);
    }
    return "'" + std::string(cell);
}

} // namespace nakva
