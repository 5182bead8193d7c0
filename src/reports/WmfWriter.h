#pragma once

#include <cstdint>
#include <vector>

namespace nakva {

class PageCanvas;

// A page as a Windows metafile that any WMF reader shows as it was drawn: a placeable header (page
// size in twips, 1440 to the inch), the window set to the page in twips, a transparent background
// and a hollow brush, fonts of the Baltic character set with the text in Windows-1257 bytes
// (a character that code page lacks is written as "?"), text anchored on its baseline.
std::vector<std::uint8_t> writeWmf(const PageCanvas& page);

} // namespace nakva
