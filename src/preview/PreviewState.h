#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

// What the preview answers its report run.
enum PreviewResult { PreviewPrint = 1, PreviewNoPrint = 2 };

// The page files of a composed report, in page order (page N is entry N - 1).
using PageList = std::vector<std::filesystem::path>;

// The preview's controls, in toolbar order.
enum class PreviewControl {
    FirstPage,
    PreviousPortion,
    PreviousPage,
    FindPage,
    NextPage,
    NextPortion,
    LastPage,
    ZoomIn,
    Zoom,
    ZoomOut,
    SeveralPages,
    PrintPart,
    SavePage,
    Print,
    Close,
    SavePdf,
};
inline constexpr int PreviewControlCount = 16;

// A control of the preview: its tooltip, which names its keys, and the keys themselves as key sequences
// are written ("Ctrl+G"; several separated by "; "), empty for none.
struct PreviewControlDef {
    PreviewControl control;
    std::string_view tooltip;
    std::string_view name; // the widget's name, and its picture's
    std::string_view keys;
};
const std::array<PreviewControlDef, PreviewControlCount>& previewControls();

// The zoom chain, smallest first: zoom in walks it forwards, zoom out backwards, neither past its end.
enum class ZoomMode { WholePage, PageWidth, Percent100, Percent150, Percent200, Percent300 };
inline constexpr std::array<ZoomMode, 6> zoomChain{ZoomMode::WholePage,  ZoomMode::PageWidth,
                                                   ZoomMode::Percent100, ZoomMode::Percent150,
                                                   ZoomMode::Percent200, ZoomMode::Percent300};

std::string_view zoomMenuText(ZoomMode mode);   // "Visas lapas", "Lapo plotis", "100%", ...
std::string_view zoomStatusText(ZoomMode mode); // "Mastelis: Visas lapas", "Mastelis: (150%)", ...
double zoomFactor(ZoomMode mode);               // times the window's width: 1, 1.5, 2 or 3
bool scrollsSideways(ZoomMode mode);            // the percentage modes

inline constexpr int MaxPagesAcross = 10;
inline constexpr int MaxPagesDown = 10;

// Whole-page mode: pages across × down in cells of one size that keeps the page's shape, 3 units
// apart, from (1, 1). The window's bottom 18 units hold the status line.
struct PageCell {
    int left = 0;
    int top = 0;
    int page = 0; // page number shown in the cell
};
struct WholePageLayout {
    int cellWidth = 0;
    int cellHeight = 0;
    std::vector<PageCell> cells; // only the cells that show a page, row by row
};
inline constexpr int CellGap = 3;
inline constexpr int StatusLineHeight = 18;
WholePageLayout wholePageLayout(int windowWidth, int windowHeight, int across, int down, double aspect,
                                int firstPage, int totalPages);

// A zoomed page's image: the window's width times the zoom factor, the height keeping the page's shape.
struct Extent {
    int width = 0;
    int height = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};
Extent zoomedPageExtent(ZoomMode mode, int windowWidth, double aspect);

// A scroll position runs from 0 (start) to 256 (end). One arrow key press moves it by
// 127 × window ÷ (image − window) in the key's direction (-1 up or left, +1 down or right).
inline constexpr int ScrollEnd = 256;
int scrollStep(int windowExtent, int imageExtent);
int scrolledPosition(int position, int direction, int windowExtent, int imageExtent);
// The image's offset in the window at a scroll position.
int scrollOffset(int position, int windowExtent, int imageExtent);

// The print window's order: all pages or the range from..to, in so many copies.
struct PrintOrder {
    bool range = false;
    int from = 1;
    int to = 1;
    int copies = 1;
};
inline constexpr int MaxCopies = 99;

// The preview's state for one report: the page list, the page shown first, the pages shown at once,
// the zoom, the print window's last values and the answer to the report run. Page numbers count from 1.
class PreviewState {
public:
    // `aspect` is the first page's height ÷ width.
    PreviewState(PageList pages, double aspect);

    const PageList& pages() const { return pages_; }
    PageList takePages() { return std::move(pages_); }
    int total() const { return total_; }
    int current() const { return current_; }
    int across() const { return across_; }
    int down() const { return down_; }
    ZoomMode zoom() const { return zoom_; }
    double aspect() const { return aspect_; }
    int result() const { return result_; }
    const PrintOrder& printOrder() const { return printOrder_; }

    // Pages shown at once: across × down in whole-page mode, else one.
    int shown() const;
    bool enabled(PreviewControl control) const;

    void firstPage();
    void previousPortion();
    void previousPage();
    void nextPage();
    void nextPortion();
    void lastPage();
    void jumpTo(int page); // held within 1..total

    void zoomIn();
    void zoomOut();
    void setZoom(ZoomMode mode);
    // Pages across and down, each held within 1..10. Returns whether either changed.
    bool setPagesShown(int across, int down);

    // "Spausdinti": a range drops every page outside it from the list and deletes its file; copies
    // repeat the whole list, collated. The answer becomes print. Neither does anything once printing
    // is forbidden.
    void printPart(const PrintOrder& order);
    void print() {
        if (printable_) {
            result_ = PreviewPrint;
        }
    }
    // The pages are not the whole report (its run was cancelled): they can be looked at and saved, but
    // the two print controls are disabled and the total says why.
    void forbidPrinting() { printable_ = false; }
    bool printable() const { return printable_; }

    std::string pageText() const;      // "Lapas 3"
    std::string totalText() const;     // "Iš viso lapų: 12", "Iš viso lapų: 3 (ataskaita nutraukta)"
    std::string jumpTitle() const;     // "Atversti lapą (iš viso lapų: 12)"
    std::string savePageTitle() const; // "Išsaugoti lapą Nr.3 WMF faile"
    const std::filesystem::path& currentPageFile() const { return pages_[current_ - 1]; }

private:
    bool atEnd() const;

    PageList pages_;
    double aspect_;
    int total_;
    int current_ = 1;
    int across_ = 1;
    int down_ = 1;
    ZoomMode zoom_ = ZoomMode::WholePage;
    PrintOrder printOrder_;
    int result_ = PreviewNoPrint;
    bool printable_ = true;
};

// An empty report opens no preview: the message "Nėra duomenų, tenkinančių ataskaitos sąlygas" is
// shown and the run is told not to print. Returns true when it refused.
bool refuseEmptyReport(const PageList& pages);

// The name of a report's print job: a few reports have their own, every other one its title.
std::string printJobName(std::string_view reportName, std::string_view title);

} // namespace nakva
