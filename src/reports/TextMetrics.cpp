#include "reports/TextMetrics.h"

#include "data/Cp1257.h"
#include "data/Utf8.h"

#include <array>
#include <cstdint>

namespace nakva {

namespace {

constexpr int UnitsPerEm = 2048;

// Advance widths of Liberation Sans at 2048 units to the em, by Windows-1257 byte; 0 where the code
// page has no character.
constexpr std::array<std::uint16_t, 256> RegularWidths = {
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    // 00
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    // 10
    569,  569,  727,  1139, 1139, 1821, 1366, 391,  682,  682,  797,  1196, 569,  682,  569,  569,  // 20
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 569,  569,  1196, 1196, 1196, 1139, // 30
    2079, 1366, 1366, 1479, 1479, 1366, 1251, 1593, 1479, 569,  1024, 1366, 1139, 1706, 1479, 1593, // 40
    1366, 1593, 1479, 1366, 1251, 1479, 1366, 1933, 1366, 1366, 1251, 569,  569,  569,  961,  1139, // 50
    682,  1139, 1139, 1024, 1139, 1139, 569,  1139, 1139, 455,  455,  1024, 455,  1706, 1139, 1139, // 60
    1139, 1139, 682,  1024, 569,  1139, 1024, 1479, 1024, 1024, 1024, 684,  532,  684,  1196, 1536, // 70
    1139, 0,    455,  0,    682,  2048, 1139, 1139, 0,    2048, 0,    682,  0,    682,  682,  682,  // 80
    0,    455,  455,  682,  682,  717,  1139, 2048, 0,    2048, 0,    682,  0,    1131, 682,  0,    // 90
    569,  0,    1139, 1139, 1139, 0,    532,  1139, 1593, 1509, 1479, 1139, 1196, 682,  1509, 2048, // A0
    819,  1124, 682,  682,  682,  1180, 1100, 682,  1251, 682,  682,  1139, 1708, 1708, 1708, 1821, // B0
    1366, 569,  1366, 1479, 1366, 1366, 1366, 1366, 1479, 1366, 1251, 1366, 1593, 1366, 569,  1139, // C0
    1366, 1479, 1479, 1593, 1593, 1593, 1593, 1196, 1479, 1139, 1366, 1479, 1479, 1251, 1251, 1251, // D0
    1139, 455,  1139, 1024, 1139, 1139, 1139, 1139, 1024, 1139, 1024, 1139, 1139, 1024, 569,  455,  // E0
    1024, 1139, 1139, 1139, 1139, 1139, 1139, 1124, 1139, 455,  1024, 1139, 1139, 1024, 1024, 682,  // F0
};

constexpr std::array<std::uint16_t, 256> BoldWidths = {
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    // 00
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    // 10
    569,  682,  971,  1139, 1139, 1821, 1479, 487,  682,  682,  797,  1196, 569,  682,  569,  569,  // 20
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 682,  682,  1196, 1196, 1196, 1251, // 30
    1997, 1479, 1479, 1479, 1479, 1366, 1251, 1593, 1479, 569,  1139, 1479, 1251, 1706, 1479, 1593, // 40
    1366, 1593, 1479, 1366, 1251, 1479, 1366, 1933, 1366, 1366, 1251, 682,  569,  682,  1196, 1139, // 50
    682,  1139, 1251, 1139, 1251, 1139, 682,  1251, 1251, 569,  569,  1139, 569,  1821, 1251, 1251, // 60
    1251, 1251, 797,  1139, 682,  1251, 1139, 1593, 1139, 1139, 1024, 797,  573,  797,  1196, 1536, // 70
    1139, 0,    569,  0,    1024, 2048, 1139, 1139, 0,    2048, 0,    682,  0,    682,  682,  682,  // 80
    0,    569,  569,  1024, 1024, 717,  1139, 2048, 0,    2048, 0,    682,  0,    1131, 682,  0,    // 90
    569,  0,    1139, 1139, 1139, 0,    573,  1139, 1593, 1509, 1479, 1139, 1196, 682,  1509, 2048, // A0
    819,  1124, 682,  682,  682,  1180, 1139, 682,  1251, 682,  797,  1139, 1708, 1708, 1708, 1821, // B0
    1479, 569,  1479, 1479, 1479, 1479, 1366, 1366, 1479, 1366, 1251, 1366, 1593, 1479, 569,  1251, // C0
    1366, 1479, 1479, 1593, 1593, 1593, 1593, 1196, 1479, 1251, 1366, 1479, 1479, 1251, 1251, 1251, // D0
    1139, 569,  1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1024, 1139, 1251, 1139, 569,  569,  // E0
    1139, 1251, 1251, 1251, 1251, 1251, 1251, 1124, 1251, 569,  1139, 1251, 1251, 1024, 1024, 682,  // F0
};

int units(char32_t ch, const std::array<std::uint16_t, 256>& widths) {
    const auto byte = unicodeToCp1257(ch);
    const int width = byte ? widths[*byte] : 0;
    return width > 0 ? width : widths['?'];
}

// Twips of a width in font units: size in points × 20 twips per point, per em.
int twips(long long fontUnits, const Font& font) {
    return static_cast<int>(fontUnits * font.size * 20 / UnitsPerEm + 0.5);
}

const std::array<std::uint16_t, 256>& widthsOf(const Font& font) {
    return font.bold ? BoldWidths : RegularWidths;
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

} // namespace

int textWidth(std::string_view utf8, const Font& font) {
    const auto& widths = widthsOf(font);
    long long sum = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        sum += units(utf8::decode(utf8, pos), widths);
    }
    return twips(sum, font);
}

std::string fitText(std::string_view utf8, const Font& font, int width) {
    const auto& widths = widthsOf(font);
    long long sum = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t next = pos;
        sum += units(utf8::decode(utf8, next), widths);
        if (twips(sum, font) > width) {
            break;
        }
        pos = next;
    }
    return std::string(utf8.substr(0, pos));
}

std::vector<std::string> wrapText(std::string_view utf8, const Font& font, int width) {
    std::vector<std::string> lines;
    std::string_view rest = utf8;
    while (!isBlank(rest)) {
        rest.remove_prefix(rest.find_first_not_of(' '));
        const std::string fits = fitText(rest, font, width);
        std::size_t take = fits.size();
        if (take < rest.size() && rest[take] != ' ') {
            // Break at the last blank of the part that fits; a single long word is cut.
            const std::size_t blank = fits.find_last_of(' ');
            if (blank != std::string::npos) {
                take = blank;
            }
        }
        if (take == 0) {
            // Not even one character fits: it takes a line of its own rather than none.
            std::size_t pos = 0;
            utf8::decode(rest, pos);
            take = pos;
        }
        std::string line(rest.substr(0, take));
        line.erase(line.find_last_not_of(' ') + 1);
        lines.push_back(std::move(line));
        rest.remove_prefix(take);
    }
    return lines;
}

} // namespace nakva
