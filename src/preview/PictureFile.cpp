#include "preview/PictureFile.h"

#include "reports/PageCanvas.h"

#include <QImage>
#include <QPainter>
#include <QString>

namespace nakva {

std::shared_ptr<const RasterPicture> loadRasterPicture(const std::filesystem::path& path) {
    const QImage file(QString::fromStdString(path.string()));
    if (file.isNull()) {
        return nullptr;
    }
    QImage image(file.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).drawImage(0, 0, file);

    auto picture = std::make_shared<RasterPicture>();
    picture->width = image.width();
    picture->height = image.height();
    picture->pixels.reserve(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            picture->pixels.push_back(line[x] & 0xFFFFFF);
        }
    }
    return picture;
}

} // namespace nakva
