#pragma once

#include "reports/PageCanvas.h"

#include <string>
#include <string_view>
#include <vector>

namespace nakva {

// Widths of report text, known without any font engine: the report font is Arial, which the pages
// get as its metric twin Liberation Sans, so one table of advance widths for the Windows-1257
// characters (regular and bold) measures every text exactly as it prints. Any face is measured as
// Arial. A character outside the code page is measured as "?", as the page writer writes it.

// In twips.
int textWidth(std::string_view utf8, const Font& font);

// The longest beginning of the text that is at most `width` wide (never cut inside a character).
std::string fitText(std::string_view utf8, const Font& font, int width);

// The text broken into lines of at most `width`: at blanks, a word longer than a line cut where it
// must. Trailing blanks of a line are dropped; an empty text gives no lines.
std::vector<std::string> wrapText(std::string_view utf8, const Font& font, int width);

} // namespace nakva
