#include "reports/PictureDecoder.h"

#include "reports/PageCanvas.h"

namespace nakva {

namespace {

PictureDecoder& decoder() {
    static PictureDecoder installed;
    return installed;
}

} // namespace

void setPictureDecoder(PictureDecoder decoder) {
    nakva::decoder() = std::move(decoder);
}

std::shared_ptr<const RasterPicture> decodePicture(const std::filesystem::path& path) {
    return decoder() ? decoder()(path) : nullptr;
}

} // namespace nakva
