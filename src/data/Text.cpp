#include "data/Text.h"

#include "data/Utf8.h"

namespace nakva {

std::size_t charCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) {
        utf8::decode(utf8, pos);
    }
    return count;
}

std::string_view cutToChars(std::string_view utf8, std::size_t n) {
    std::size_t pos = 0;
    for (std::size_t count = 0; count < n && pos < utf8.size(); ++count) {
        utf8::decode(utf8, pos);
    }
    return utf8.substr(0, pos);
}

std::string_view trimRight(std::string_view text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

bool equalIgnoringTrailingBlanks(std::string_view a, std::string_view b) {
    return trimRight(a) == trimRight(b);
}

bool isCp1257Text(std::string_view utf8, std::string* error) {
    return toCp1257(utf8, error).has_value();
}

std::optional<std::string> forStringField(std::string_view utf8, int width, std::string* error) {
    if (!isCp1257Text(utf8, error)) {
        return std::nullopt;
    }
    return std::string(trimRight(cutToChars(utf8, width > 0 ? static_cast<std::size_t>(width) : 0)));
}

} // namespace nakva
