#include "preview/PreviewPages.h"

#include "preview/WmfPlayer.h"
#include "reports/WmfFile.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace nakva {

namespace {

const QColor Backdrop(0x80, 0x80, 0x80);

} // namespace

PreviewPages::PreviewPages(const PreviewState& state, QWidget* parent)
    : QAbstractScrollArea(parent), state_(state), files_(state.pages().size()),
      read_(state.pages().size(), false) {
    setObjectName("pages");
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
        bar->setRange(0, 0);
    }
    relayout();
}

PreviewPages::~PreviewPages() = default;

WholePageLayout PreviewPages::cells() const {
    return wholePageLayout(viewport()->width(), viewport()->height() + StatusLineHeight, state_.across(),
                           state_.down(), state_.aspect(), state_.current(), state_.total());
}

Extent PreviewPages::zoomedExtent() const {
    return zoomedPageExtent(state_.zoom(), viewport()->width(), state_.aspect());
}

int PreviewPages::verticalPosition() const {
    return verticalScrollBar()->value();
}

int PreviewPages::horizontalPosition() const {
    return horizontalScrollBar()->value();
}

void PreviewPages::relayout() {
    if (state_.current() != shownPage_ || state_.zoom() != shownZoom_) {
        // Another page or zoom starts at the page's top left.
        shownPage_ = state_.current();
        shownZoom_ = state_.zoom();
        verticalScrollBar()->setValue(0);
        horizontalScrollBar()->setValue(0);
    }
    const bool zoomed = state_.zoom() != ZoomMode::WholePage;
    // The vertical bar stays while zoomed: the page's width follows the window's, which the bar's
    // coming and going would change again.
    setVerticalScrollBarPolicy(zoomed ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(scrollsSideways(state_.zoom()) ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
    if (zoomed) {
        const Extent image = zoomedExtent();
        setScrollRange(verticalScrollBar(), viewport()->height(), image.height);
        setScrollRange(horizontalScrollBar(), viewport()->width(),
                       scrollsSideways(state_.zoom()) ? image.width : viewport()->width());
    } else {
        setScrollRange(verticalScrollBar(), 0, 0);
        setScrollRange(horizontalScrollBar(), 0, 0);
    }
    viewport()->update();
}

void PreviewPages::setScrollRange(QScrollBar* bar, int windowExtent, int imageExtent) {
    const int step = scrollStep(windowExtent, imageExtent);
    bar->setRange(0, imageExtent > windowExtent ? ScrollEnd : 0);
    bar->setSingleStep(std::max(1, step / 3)); // a wheel turn (three steps) as far as an arrow key
    bar->setPageStep(std::max(1, 2 * step));
}

void PreviewPages::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void PreviewPages::scrollContentsBy(int /*dx*/, int /*dy*/) {
    viewport()->update();
}

void PreviewPages::keyPressEvent(QKeyEvent* event) {
    if (state_.zoom() == ZoomMode::WholePage ||
        (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const Extent image = zoomedExtent();
    const auto move = [](QScrollBar* bar, int direction, int windowExtent, int imageExtent) {
        bar->setValue(scrolledPosition(bar->value(), direction, windowExtent, imageExtent));
    };
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        move(verticalScrollBar(), event->key() == Qt::Key_Up ? -1 : 1, viewport()->height(), image.height);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (scrollsSideways(state_.zoom())) {
            move(horizontalScrollBar(), event->key() == Qt::Key_Left ? -1 : 1, viewport()->width(),
                 image.width);
        }
        break;
    default:
        QWidget::keyPressEvent(event); // page keys are the window's
        return;
    }
    event->accept();
}

std::shared_ptr<const WmfFile> PreviewPages::file(int page) {
    const auto index = static_cast<std::size_t>(page - 1);
    if (index >= files_.size()) {
        return nullptr;
    }
    if (!read_[index]) {
        read_[index] = true;
        files_[index] = WmfFile::load(state_.pages()[index]);
    }
    return files_[index];
}

void PreviewPages::drawPage(QPainter& painter, int page, const QRect& box) {
    painter.fillRect(box, Qt::white);
    if (auto wmf = file(page)) {
        WmfPlayer(std::move(wmf)).play(painter, box);
    }
}

void PreviewPages::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.fillRect(viewport()->rect(), Backdrop);
    if (state_.zoom() == ZoomMode::WholePage) {
        const WholePageLayout layout = cells();
        for (const PageCell& cell : layout.cells) {
            const QRect box(cell.left, cell.top, layout.cellWidth, layout.cellHeight);
            painter.setClipRect(box);
            drawPage(painter, cell.page, box);
        }
        return;
    }
    const Extent image = zoomedExtent();
    const int x = scrollOffset(horizontalScrollBar()->value(), viewport()->width(), image.width);
    const int y = scrollOffset(verticalScrollBar()->value(), viewport()->height(), image.height);
    drawPage(painter, state_.current(), QRect(-x, -y, image.width, image.height));
}

} // namespace nakva
