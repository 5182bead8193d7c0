#include "reference/CodesInText.h"

#include <algorithm>
#include <array>

namespace nakva {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLatin(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char capital(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// A letter or digit of a word: Latin ones, digits, and every byte of a character beyond ASCII
// ("Į" of "Įm."), so that a code is found only where a word begins and ends.
bool inWord(char c) {
    return isDigit(c) || isLatin(c) || static_cast<unsigned char>(c) >= 0x80;
}

// The prefixes of VAT codes: the European Union's (Greece's EL, Northern Ireland's XI) and the
// neighbours' whose codes hotels meet most (GB, NO, CH).
constexpr std::array<std::string_view, 31> VatPrefixes = {
    "AT", "BE", "BG", "CY", "CZ", "DE", "DK", "EE", "EL", "ES", "FI", "FR", "HR", "HU", "IE", "IT",
    "LT", "LU", "LV", "MT", "NL", "PL", "PT", "RO", "SE", "SI", "SK", "XI", "GB", "NO", "CH"};

bool isVatPrefix(std::string_view letters) {
    return std::ranges::find(VatPrefixes, letters) != VatPrefixes.end();
}

// Whether 11 digits are a Lithuanian personal code: its first digit 1 to 6 and its check digit right.
bool isPersonalCode(std::string_view digits) {
    if (digits.size() != 11 || digits[0] < '1' || digits[0] > '6') {
        return false;
    }
    const auto remainder = [digits](int firstWeight) {
        int sum = 0;
        for (int i = 0; i < 10; ++i) {
            sum += (digits[std::size_t(i)] - '0') * ((firstWeight - 1 + i) % 9 + 1);
        }
        return sum % 11;
    };
    int check = remainder(1);
    if (check == 10) {
        check = remainder(3) % 10;
    }
    return check == digits[10] - '0';
}

void addOnce(std::vector<std::string>& found, std::string code) {
    if (std::ranges::find(found, code) == found.end()) {
        found.push_back(std::move(code));
    }
}

// The end of the run of Latin letters and digits from `at`.
std::size_t runEnd(std::string_view text, std::size_t at) {
    while (at < text.size() && (isDigit(text[at]) || isLatin(text[at]))) {
        ++at;
    }
    return at;
}

} // namespace

CodesInText findCodes(std::string_view text) {
    CodesInText found;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!inWord(text[i]) || (i > 0 && inWord(text[i - 1]))) {
            ++i;
            continue;
        }
        // A VAT code: its prefix, perhaps a blank or a hyphen, then letters and digits up to the word's
        // end, at least seven of them digits (a postal code "LT-01103" is none).
        if (i + 2 < text.size() && isLatin(text[i]) && isLatin(text[i + 1])) {
            const std::string prefix{capital(text[i]), capital(text[i + 1])};
            std::size_t start = i + 2;
            if (text[start] == ' ' || text[start] == '-') {
                ++start;
            }
            const std::size_t end = runEnd(text, start);
            const auto digits = std::count_if(text.begin() + std::ptrdiff_t(start),
                                              text.begin() + std::ptrdiff_t(end), isDigit);
            if (isVatPrefix(prefix) && digits >= 7 && end - start <= 14 &&
                (end == text.size() || !inWord(text[end]))) {
                std::string code = prefix;
                for (std::size_t j = start; j < end; ++j) {
                    code += capital(text[j]);
                }
                addOnce(found.vatCodes, std::move(code));
                i = end;
                continue;
            }
        }
        // A company or personal code: 9 or 11 digits standing alone.
        std::size_t end = i;
        while (end < text.size() && isDigit(text[end])) {
            ++end;
        }
        const std::size_t length = end - i;
        if ((length == 9 || length == 11) && (end == text.size() || !inWord(text[end]))) {
            const std::string_view digits = text.substr(i, length);
            if (length == 9 || isPersonalCode(digits)) {
                addOnce(found.codes, std::string(digits));
            }
        }
        i = std::max(end, i + 1);
    }
    return found;
}

SellerCodes readSellerCodes(std::string_view text) {
    const CodesInText found = findCodes(text);
    SellerCodes codes;
    if (found.codes.size() == 1) {
        codes.code = found.codes.front();
    }
    if (found.vatCodes.size() == 1) {
        const std::string& vat = found.vatCodes.front();
        const std::string_view digits = std::string_view(vat).substr(2);
        if (vat.starts_with("LT") && (digits.size() == 9 || digits.size() == 12) &&
            std::ranges::all_of(digits, isDigit)) {
            codes.vatCode = vat;
        }
    }
    return codes;
}

std::string vatCodeCountry(std::string_view vatCode) {
    if (vatCode.size() < 2) {
        return {};
    }
    const std::string prefix{capital(vatCode[0]), capital(vatCode[1])};
    if (!isVatPrefix(prefix)) {
        return {};
    }
    if (prefix == "EL") {
        return "GR";
    }
    if (prefix == "XI") {
        return "GB";
    }
    return prefix;
}

} // namespace nakva
