#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nakva::utf8 {

// Marks a byte that does not start a valid UTF-8 sequence; the byte itself is in the low bits.
inline constexpr char32_t InvalidFlag = 0x80000000u;

// Decodes the character at text[pos] and advances pos past it. A byte that does not begin a valid,
// shortest-form sequence of a scalar value comes back as InvalidFlag | byte and advances one byte.
inline char32_t decode(std::string_view text, std::size_t& pos) {
    const auto byteAt = [&](std::size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    const unsigned char lead = byteAt(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t ch = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, ch = lead & 0x1Fu, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, ch = lead & 0x0Fu, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, ch = lead & 0x07u, minimum = 0x10000;
    } else {
        ++pos;
        return InvalidFlag | lead;
    }
    if (pos + length > text.size()) {
        ++pos;
        return InvalidFlag | lead;
    }
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byteAt(pos + k);
        if ((next & 0xC0u) != 0x80u) {
            ++pos;
            return InvalidFlag | lead;
        }
        ch = (ch << 6) | (next & 0x3Fu);
    }
    if (ch < minimum || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
        ++pos;
        return InvalidFlag | lead;
    }
    pos += length;
    return ch;
}

inline void append(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

} // namespace nakva::utf8
