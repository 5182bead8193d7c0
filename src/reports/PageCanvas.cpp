#include "reports/PageCanvas.h"

#include <algorithm>
#include <utility>

namespace nakva {

namespace {

constexpr int A4Width = mm(210);
constexpr int A4Height = mm(297);

} // namespace

PageCanvas::PageCanvas(PageOrientation orientation)
    : orientation_(orientation), width_(orientation == PageOrientation::Portrait ? A4Width : A4Height),
      height_(orientation == PageOrientation::Portrait ? A4Height : A4Width), fonts_{Font{}} {}

void PageCanvas::setFont(const Font& font) {
    const auto found = std::find(fonts_.begin(), fonts_.end(), font);
    currentFont_ = static_cast<int>(found - fonts_.begin());
    if (found == fonts_.end()) {
        fonts_.push_back(font);
    }
}

void PageCanvas::text(Point anchor, std::string_view utf8, Align align) {
    if (!utf8.empty()) {
        items_.emplace_back(TextItem{placed(anchor), align, currentFont_, std::string(utf8)});
    }
}

void PageCanvas::line(Point from, Point to, int width) {
    items_.emplace_back(LineItem{placed(from), placed(to), width});
}

void PageCanvas::box(const Rect& rect, int penWidth) {
    items_.emplace_back(BoxItem{placed(rect), penWidth, false, White});
}

void PageCanvas::fillBox(const Rect& rect, Color fill, int penWidth) {
    items_.emplace_back(BoxItem{placed(rect), penWidth, true, fill});
}

void PageCanvas::picture(const Rect& rect, std::shared_ptr<const RasterPicture> picture) {
    if (picture && picture->width > 0 && picture->height > 0 &&
        picture->pixels.size() == static_cast<std::size_t>(picture->width) * picture->height) {
        items_.emplace_back(RasterItem{placed(rect), std::move(picture)});
    }
}

void PageCanvas::picture(const Rect& rect, std::shared_ptr<const WmfFile> picture) {
    if (picture) {
        items_.emplace_back(MetafileItem{placed(rect), std::move(picture)});
    }
}

} // namespace nakva
