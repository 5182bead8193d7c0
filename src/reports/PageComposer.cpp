#include "reports/PageComposer.h"

namespace nakva {

std::string pageCaption(PageNumbering numbering, int page) {
    return (numbering == PageNumbering::Layout ? "Lapas " : "Lapas: ") + std::to_string(page);
}

PageComposer::PageComposer(PageFrame frame, PageNumbering numbering, PageSink sink)
    : frame_(std::move(frame)), numbering_(numbering), sink_(std::move(sink)) {}

bool PageComposer::print(const Band& band, const BandContext& context) {
    if (!band || !fault_) {
        return static_cast<bool>(fault_);
    }
    const int height = band.heightNow();
    const int limit = frame_.bodyBottom - (frame_.pageFooter ? frame_.pageFooter.heightNow() : 0);
    if (canvas_ && y_ + height > limit && y_ > bodyStart_) {
        if (!endPage()) {
            return false;
        }
    }
    if (!canvas_ && !beginPage()) {
        return false;
    }
    draw(band, height, context);
    return true;
}

bool PageComposer::finish() {
    return canvas_ ? endPage() : static_cast<bool>(fault_);
}

bool PageComposer::beginPage() {
    canvas_ = std::make_unique<PageCanvas>(frame_.orientation);
    ++page_;
    caption_ = pageCaption(numbering_, page_);
    y_ = frame_.bodyTop;
    if (frame_.pageHeader) {
        draw(frame_.pageHeader, frame_.pageHeader.heightNow(), {});
    }
    bodyStart_ = y_;
    return true;
}

bool PageComposer::endPage() {
    if (frame_.pageFooter) {
        const int height = frame_.pageFooter.heightNow();
        y_ = frame_.bodyBottom - height;
        draw(frame_.pageFooter, height, {});
    }
    fault_ = sink_(*canvas_);
    canvas_.reset();
    if (!fault_) {
        return false;
    }
    ++done_;
    return true;
}

void PageComposer::draw(const Band& band, int height, BandContext context) {
    context.page = page_;
    context.pageCaption = caption_;
    canvas_->setOrigin({0, y_});
    band.draw(*canvas_, context);
    canvas_->setOrigin({0, 0});
    y_ += height;
}

} // namespace nakva
