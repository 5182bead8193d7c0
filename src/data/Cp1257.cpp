#include "data/Cp1257.h"

#include "data/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace nakva {

namespace {

// The upper half of the code page sorted by character, for the look-up from character to byte.
constexpr auto upperHalfByChar = [] {
    std::array<std::pair<char16_t, unsigned char>, 128> pairs{};
    std::size_t count = 0;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        if (Cp1257Chars[byte] != Cp1257Undefined) {
            pairs[count++] = {Cp1257Chars[byte], static_cast<unsigned char>(byte)};
        }
    }
    for (; count < pairs.size(); ++count) {
        pairs[count] = {Cp1257Undefined, 0}; // the twelve undefined bytes fill the end
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}();

std::string invalidUtf8Text(unsigned char byte) {
    char text[96];
    std::snprintf(text, sizeof text, "Tekste yra neteisinga UTF-8 seka (baitas 0x%02X).", byte);
    return text;
}

} // namespace

std::optional<char32_t> cp1257ToUnicode(unsigned char byte) {
    const char16_t ch = Cp1257Chars[byte];
    if (ch == Cp1257Undefined) {
        return std::nullopt;
    }
    return ch;
}

std::optional<unsigned char> unicodeToCp1257(char32_t ch) {
    if (ch < 0x80) {
        return static_cast<unsigned char>(ch);
    }
    if (ch >= Cp1257Undefined) {
        return std::nullopt;
    }
    const auto wanted = static_cast<char16_t>(ch);
    const auto it = std::lower_bound(upperHalfByChar.begin(), upperHalfByChar.end(), wanted,
                                     [](const auto& entry, char16_t c) { return entry.first < c; });
    if (it == upperHalfByChar.end() || it->first != wanted) {
        return std::nullopt;
    }
    return it->second;
}

std::string notInCp1257Text(char32_t ch) {
    std::string text = "Simbolio „";
    utf8::append(text, ch);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(ch));
    text += "“ (";
    text += code;
    text += ") nėra Windows-1257 koduotėje.";
    return text;
}

std::optional<std::string> toCp1257(std::string_view utf8, std::string* error) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t ch = utf8::decode(utf8, pos);
        if (ch & utf8::InvalidFlag) {
            if (error) {
                *error = invalidUtf8Text(static_cast<unsigned char>(ch));
            }
            return std::nullopt;
        }
        const auto byte = unicodeToCp1257(ch);
        if (!byte) {
            if (error) {
                *error = notInCp1257Text(ch);
            }
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

std::optional<std::string> fromCp1257(std::string_view bytes, std::string* error) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t ch = Cp1257Chars[byte];
        if (ch == Cp1257Undefined) {
            if (error) {
                char message[96];
                std::snprintf(message, sizeof message,
                              "Baitas 0x%02X neturi simbolio Windows-1257 koduotėje.", byte);
                *error = message;
            }
            return std::nullopt;
        }
        utf8::append(text, ch);
    }
    return text;
}

} // namespace nakva
