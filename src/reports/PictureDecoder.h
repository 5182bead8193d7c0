#pragma once

#include <filesystem>
#include <functional>
#include <memory>

namespace nakva {

struct RasterPicture;

// Raster picture files (the invoice logo "Firma.gif" or "Firma.jpg") are decoded by a graphical
// toolkit, which the report core does not link: each entry point that prints (the program and
// nakva-cli) sets the decoder when it starts, e.g. setPictureDecoder(loadRasterPicture) from
// preview/PictureFile.h. Metafile pictures need no decoder (WmfFile::load).
using PictureDecoder = std::function<std::shared_ptr<const RasterPicture>(const std::filesystem::path&)>;

void setPictureDecoder(PictureDecoder decoder);
// The decoded picture; nullptr when no decoder is set or the file cannot be read.
std::shared_ptr<const RasterPicture> decodePicture(const std::filesystem::path& path);

} // namespace nakva
