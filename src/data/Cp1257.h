#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nakva {

// The Windows-1257 (Baltic) code page: the repertoire and byte form of every stored text.
// Twelve byte values (0x81, 0x83, 0x88, 0x8A, 0x8C, 0x90, 0x98, 0x9A, 0x9C, 0x9F, 0xA1, 0xA5) have
// no character; they are never produced and are refused when read.

// The character of a byte; nullopt for an undefined byte.
std::optional<char32_t> cp1257ToUnicode(unsigned char byte);
// The byte of a character; nullopt when the code page does not hold it.
std::optional<unsigned char> unicodeToCp1257(char32_t ch);

// UTF-8 → Windows-1257 bytes. A character outside the code page (or bad UTF-8) gives nullopt and a
// Lithuanian error text naming the character; nothing is dropped.
std::optional<std::string> toCp1257(std::string_view utf8, std::string* error = nullptr);
// Windows-1257 bytes → UTF-8. An undefined byte gives nullopt and an error text naming it.
std::optional<std::string> fromCp1257(std::string_view bytes, std::string* error = nullptr);

// The error text for a character that Windows-1257 does not hold, e.g. for "Ω":
// "Simbolio „Ω“ (U+03A9) nėra Windows-1257 koduotėje."
std::string notInCp1257Text(char32_t ch);

} // namespace nakva
