#include "data/Collation.h"

#include "data/Cp1257.h"
#include "data/Text.h"
#include "data/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace nakva {

namespace {

using Weight = std::uint32_t;

// The collation sequence and the case pairs, as Windows-1257 bytes (one byte per letter).
constexpr std::string_view Sequence = "Aa\xC0\xE0"
                                      "BbCc\xC8\xE8"
                                      "DdEe\xC6\xE6\xCB\xEB"
                                      "FfGgHhIi\xC1\xE1YyJjKkLlMmNnOoPpQqRrSs\xD0\xF0"
                                      "TtUu\xD8\xF8\xDB\xFB"
                                      "VvWwXxZz\xDE\xFE";
constexpr std::string_view Capitals = "A\xC0"
                                      "BC\xC8"
                                      "DE\xC6\xCB"
                                      "FGHI\xC1YJKLMNOPQRS\xD0"
                                      "TU\xD8\xDB"
                                      "VWXZ\xDE";
constexpr std::string_view Smalls = "a\xE0"
                                    "bc\xE8"
                                    "de\xE6\xEB"
                                    "fghi\xE1yjklmnopqrs\xF0"
                                    "tu\xF8\xFB"
                                    "vwxz\xFE";
static_assert(Sequence.size() == 70 && Capitals.size() == 35 && Smalls.size() == 35);

constexpr unsigned char byteOf(char c) {
    return static_cast<unsigned char>(c);
}

// Weights of the Windows-1257 bytes: bytes below 'A' keep their value, the letters of the sequence
// follow from 'A' on, every other byte comes after them in code-page order. Characters outside the
// code page weigh more than any byte, by code point; bytes of bad UTF-8 weigh more still.
constexpr Weight LettersStart = 'A';
constexpr Weight OthersStart = 0x100;
constexpr Weight ForeignStart = 0x200;
constexpr Weight InvalidStart = ForeignStart + 0x110000;

constexpr auto caseWeights = [] {
    std::array<Weight, 256> weights{};
    for (int byte = 0; byte < 256; ++byte) {
        weights[byte] = byte < 'A' ? byte : OthersStart + byte;
    }
    for (std::size_t i = 0; i < Sequence.size(); ++i) {
        weights[byteOf(Sequence[i])] = LettersStart + static_cast<Weight>(i);
    }
    return weights;
}();

constexpr auto upperBytes = [] {
    std::array<unsigned char, 256> map{};
    for (int byte = 0; byte < 256; ++byte) {
        map[byte] = static_cast<unsigned char>(byte);
    }
    for (std::size_t i = 0; i < Smalls.size(); ++i) {
        map[byteOf(Smalls[i])] = byteOf(Capitals[i]);
    }
    return map;
}();

constexpr auto lowerBytes = [] {
    std::array<unsigned char, 256> map{};
    for (int byte = 0; byte < 256; ++byte) {
        map[byte] = static_cast<unsigned char>(byte);
    }
    for (std::size_t i = 0; i < Capitals.size(); ++i) {
        map[byteOf(Capitals[i])] = byteOf(Smalls[i]);
    }
    return map;
}();
// ASCII stays ASCII either way, which lets mapCase() skip the code page for ASCII texts.
static_assert([] {
    for (int byte = 0; byte < 0x80; ++byte) {
        if (upperBytes[byte] >= 0x80 || lowerBytes[byte] >= 0x80) {
            return false;
        }
    }
    return true;
}());

constexpr auto noCaseWeights = [] {
    std::array<Weight, 256> weights{};
    for (int byte = 0; byte < 256; ++byte) {
        weights[byte] = caseWeights[upperBytes[byte]];
    }
    return weights;
}();

// Characters below U+0180 (ASCII, Latin-1 and Latin Extended-A, where every letter of the sequence
// lies) map to their byte directly; -1 where the code page lacks the character.
constexpr char32_t DirectLimit = 0x180;
constexpr auto directBytes = [] {
    std::array<std::int16_t, DirectLimit> map{};
    for (auto& entry : map) {
        entry = -1;
    }
    for (int byte = 0; byte < 256; ++byte) {
        const char16_t ch = Cp1257Chars[byte];
        if (ch < DirectLimit) {
            map[ch] = static_cast<std::int16_t>(byte);
        }
    }
    return map;
}();

// The weight of the character at text[pos], advancing pos; `weights` is one of the byte tables.
inline Weight nextWeight(std::string_view text, std::size_t& pos, const std::array<Weight, 256>& weights) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return weights[lead];
    }
    const char32_t ch = utf8::decode(text, pos);
    if (ch & utf8::InvalidFlag) {
        return InvalidStart + (ch & 0xFFu);
    }
    if (ch < DirectLimit) {
        const std::int16_t byte = directBytes[ch];
        return byte >= 0 ? weights[byte] : ForeignStart + ch;
    }
    const auto byte = unicodeToCp1257(ch);
    return byte ? weights[*byte] : ForeignStart + ch;
}

// Compares as if both texts were padded with blanks to the same length.
int collate(std::string_view a, std::string_view b, const std::array<Weight, 256>& weights) {
    a = trimRight(a);
    b = trimRight(b);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if (ca == cb && ca < 0x80) {
            ++i, ++j;
            continue;
        }
        const Weight wa = nextWeight(a, i, weights);
        const Weight wb = nextWeight(b, j, weights);
        if (wa != wb) {
            return wa < wb ? -1 : 1;
        }
    }
    // The shorter text continues with blanks; the longer one ends with something else than a blank.
    const Weight blank = weights[' '];
    while (i < a.size()) {
        const Weight w = nextWeight(a, i, weights);
        if (w != blank) {
            return w < blank ? -1 : 1;
        }
    }
    while (j < b.size()) {
        const Weight w = nextWeight(b, j, weights);
        if (w != blank) {
            return w < blank ? 1 : -1;
        }
    }
    return 0;
}

std::string mapCase(std::string_view utf8, const std::array<unsigned char, 256>& byteMap) {
    // Names and most texts are plain ASCII, which the code page holds as it is: mapped byte by byte.
    if (std::ranges::all_of(utf8, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string out(utf8);
        for (char& c : out) {
            c = static_cast<char>(byteMap[static_cast<unsigned char>(c)]);
        }
        return out;
    }
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const char32_t ch = utf8::decode(utf8, pos);
        if (ch < DirectLimit && directBytes[ch] >= 0) {
            utf8::append(out, Cp1257Chars[byteMap[static_cast<unsigned char>(directBytes[ch])]]);
        } else {
            out.append(utf8.substr(start, pos - start)); // unchanged, bad bytes included
        }
    }
    return out;
}

} // namespace

std::string upper(std::string_view utf8) {
    return mapCase(utf8, upperBytes);
}

std::string lower(std::string_view utf8) {
    return mapCase(utf8, lowerBytes);
}

int compareCase(std::string_view a, std::string_view b) {
    return collate(a, b, caseWeights);
}

int compareNoCase(std::string_view a, std::string_view b) {
    return collate(a, b, noCaseWeights);
}

} // namespace nakva
