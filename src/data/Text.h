#pragma once

#include "data/Collation.h"
#include "data/Cp1257.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace nakva {

// Text as the program holds it: UTF-8 std::string. A STRING(n) field holds n characters of the
// Windows-1257 code page (one byte each when stored), padded with blanks on the right; comparisons
// ignore the trailing blanks. Code page and collation: Cp1257.h, Collation.h.

// Characters (code points) in a UTF-8 text; a byte that is not valid UTF-8 counts as one.
std::size_t charCount(std::string_view utf8);
// The first n characters (never a cut inside a character).
std::string_view cutToChars(std::string_view utf8, std::size_t n);
// Without trailing blanks.
std::string_view trimRight(std::string_view text);
// Equal once trailing blanks are ignored: "abc  " equals "abc".
bool equalIgnoringTrailingBlanks(std::string_view a, std::string_view b);

// Checks that every character of a text is in Windows-1257 (and that the UTF-8 is valid); on failure
// false and a Lithuanian error text naming the first bad character.
bool isCp1257Text(std::string_view utf8, std::string* error = nullptr);
// The value a STRING(width) field receives: the text checked as above, cut to `width` characters
// and without trailing blanks. A bad character gives nullopt and the error text; nothing is dropped.
std::optional<std::string> forStringField(std::string_view utf8, int width, std::string* error = nullptr);

} // namespace nakva
