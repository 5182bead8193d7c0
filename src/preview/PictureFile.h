#pragma once

#include <filesystem>
#include <memory>

namespace nakva {

struct RasterPicture;

// A raster picture file for a page (the invoice logo "Firma.gif" or "Firma.jpg"; any format Qt reads),
// decoded for the page canvas; transparent parts become white, as on paper. nullptr when the file
// is missing or cannot be read: the logo's place then stays empty.
std::shared_ptr<const RasterPicture> loadRasterPicture(const std::filesystem::path& path);

} // namespace nakva
