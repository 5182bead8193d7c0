#pragma once

#include <string>
#include <string_view>

namespace nakva {

// A cell of a file made for a spreadsheet: a text beginning with "=", "+", "-", "@", a tab or a carriage
// return would be taken for a formula there (=HYPERLINK(...), =cmd|...), so it gets a leading
// apostrophe, as the guidance on spreadsheet injection recommends; a plain number ("-12.50", "-3,25",
// "+7") stays as it is.
std::string spreadsheetText(std::string_view cell);

} // namespace nakva
