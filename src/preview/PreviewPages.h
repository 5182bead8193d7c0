#pragma once

#include "preview/PreviewState.h"

#include <QAbstractScrollArea>

#include <memory>
#include <vector>

namespace nakva {

class WmfFile;

// The preview's page area: in whole-page mode the cells of the pages shown at once, in the zoomed
// modes the current page at the zoom's size with scroll bars. Scroll positions run from 0 to 256;
// the arrow keys move them by half a window.
class PreviewPages : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The window's status line, below this area, is part of the window the cells are fitted into.
    PreviewPages(const PreviewState& state, QWidget* parent = nullptr);
    ~PreviewPages() override;

    // Lays the pages out again after a move, a zoom or a change of the pages shown.
    void relayout();

    WholePageLayout cells() const;
    Extent zoomedExtent() const;
    int verticalPosition() const;
    int horizontalPosition() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void setScrollRange(QScrollBar* bar, int windowExtent, int imageExtent);
    void drawPage(QPainter& painter, int page, const QRect& box);
    std::shared_ptr<const WmfFile> file(int page);

    const PreviewState& state_;
    // Page files read on first sight, by page number − 1; a file that cannot be read stays blank.
    std::vector<std::shared_ptr<const WmfFile>> files_;
    std::vector<bool> read_;
    int shownPage_ = 0;
    ZoomMode shownZoom_ = ZoomMode::WholePage;
};

} // namespace nakva
