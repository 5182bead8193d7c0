#pragma once

#include <string>
#include <string_view>

namespace nakva {

// The program's Lithuanian case pairs and collation over UTF-8 text.
//
// Case pairs: the capitals "AĄBCČDEĘĖFGHIĮYJKLMNOPQRSŠTUŲŪVWXZŽ" correspond one by one to the small
// letters "aąbcčdeęėfghiįyjklmnopqrsštuųūvwxzž"; every other character keeps its case.
//
// Collation: "AaĄąBbCcČčDdEeĘęĖėFfGgHhIiĮįYyJjKkLlMmNnOoPpQqRrSsŠšTtUuŲųŪūVvWwXxZzŽž", each capital
// just before its small letter and Y between Į and J. These letters form one block standing where
// 'A' stands in the code page: characters below 'A' sort before every letter, the remaining
// characters of Windows-1257 after them, in code-page order. Characters outside Windows-1257 sort
// after all others by code point; bytes that are not valid UTF-8 sort after those, by byte value.
//
// Both compares ignore trailing blanks and return <0, 0 or >0. They are called by the database for
// every key comparison: they allocate nothing.

std::string upper(std::string_view utf8);
std::string lower(std::string_view utf8);

int compareCase(std::string_view a, std::string_view b);   // the collation as it is
int compareNoCase(std::string_view a, std::string_view b); // upper-cased by the case pairs, then collated

} // namespace nakva
