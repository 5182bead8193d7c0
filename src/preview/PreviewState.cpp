#include "preview/PreviewState.h"

#include "messages/Message.h"

#include <algorithm>
#include <system_error>

namespace nakva {

const std::array<PreviewControlDef, PreviewControlCount>& previewControls() {
    static constexpr std::array<PreviewControlDef, PreviewControlCount> controls{{
        {PreviewControl::FirstPage, "Pirmas lapas", "first-page", ""},
        {PreviewControl::PreviousPortion, "Ankstesnė porcija", "previous-portion", ""},
        {PreviewControl::PreviousPage, "Ankstesnis lapas [PgUp]", "previous-page", "PgUp"},
        {PreviewControl::FindPage, "Rasti lapą [Ctrl]+[G]", "find-page", "Ctrl+G"},
        {PreviewControl::NextPage, "Kitas lapas [PgDn]", "next-page", "PgDown"},
        {PreviewControl::NextPortion, "Kita porcija", "next-portion", ""},
        {PreviewControl::LastPage, "Paskutinis lapas", "last-page", ""},
        {PreviewControl::ZoomIn, "Didinti [+]", "zoom-in", "+"},
        {PreviewControl::Zoom, "Nustatyti mastelį [Ctrl]+[M]", "zoom", "Ctrl+M"},
        {PreviewControl::ZoomOut, "Mažinti [-]", "zoom-out", "-"},
        {PreviewControl::SeveralPages, "Rodyti ekrane keletą lapų [Ctrl]+[L]", "several-pages", "Ctrl+L"},
        {PreviewControl::PrintPart, "Spausdinti ataskaitos dalį, keletą kopijų [Ctrl]+[Shift]+[P]",
         "print-part", "Ctrl+Shift+P"},
        {PreviewControl::SavePage, "Išsaugoti atverstąjį lapą WMF faile [Ctrl]+[Shift]+[S]", "save-page",
         "Ctrl+Shift+S"},
        {PreviewControl::Print, "Spausdinti visą ataskaitą [Ctrl]+[P]", "print", "Ctrl+P"},
        {PreviewControl::Close, "Užverti peržiūrą nespausdinant [Esc]", "close", "Esc"},
        {PreviewControl::SavePdf, "Išsaugoti ataskaitą PDF faile [Ctrl]+[S]", "save-pdf", "Ctrl+S"},
    }};
    return controls;
}

std::string_view zoomMenuText(ZoomMode mode) {
    switch (mode) {
    case ZoomMode::WholePage:
        return "Visas lapas";
    case ZoomMode::PageWidth:
        return "Lapo plotis";
    case ZoomMode::Percent100:
        return "100%";
    case ZoomMode::Percent150:
        return "150%";
    case ZoomMode::Percent200:
        return "200%";
    case ZoomMode::Percent300:
        return "300%";
    }
    return {};
}

std::string_view zoomStatusText(ZoomMode mode) {
    switch (mode) {
    case ZoomMode::WholePage:
        return "Mastelis: Visas lapas";
    case ZoomMode::PageWidth:
        return "Mastelis: Lapo plotis";
    case ZoomMode::Percent100:
        return "Mastelis: (100%)";
    case ZoomMode::Percent150:
        return "Mastelis: (150%)";
    case ZoomMode::Percent200:
        return "Mastelis: (200%)";
    case ZoomMode::Percent300:
        return "Mastelis: (300%)";
    }
    return {};
}

double zoomFactor(ZoomMode mode) {
    switch (mode) {
    case ZoomMode::Percent150:
        return 1.5;
    case ZoomMode::Percent200:
        return 2;
    case ZoomMode::Percent300:
        return 3;
    default:
        return 1;
    }
}

bool scrollsSideways(ZoomMode mode) {
    return mode != ZoomMode::WholePage && mode != ZoomMode::PageWidth;
}

WholePageLayout wholePageLayout(int windowWidth, int windowHeight, int across, int down, double aspect,
                                int firstPage, int totalPages) {
    WholePageLayout layout;
    int w = (windowWidth - (across * CellGap - 1)) / across;
    int h = (windowHeight - StatusLineHeight - (down * CellGap - 1)) / down;
    if (w <= 0 || h <= 0) {
        return layout; // a window too small for the cells shows none
    }
    if (aspect > static_cast<double>(h) / w) {
        w = static_cast<int>(h / aspect);
    } else {
        h = static_cast<int>(w * aspect);
    }
    layout.cellWidth = w;
    layout.cellHeight = h;
    for (int k = 0; k < across * down && firstPage + k <= totalPages; ++k) {
        layout.cells.push_back(
            {1 + (k % across) * (w + CellGap), 1 + (k / across) * (h + CellGap), firstPage + k});
    }
    return layout;
}

Extent zoomedPageExtent(ZoomMode mode, int windowWidth, double aspect) {
    const double width = windowWidth * zoomFactor(mode);
    return {static_cast<int>(width), static_cast<int>(width * aspect)};
}

int scrollStep(int windowExtent, int imageExtent) {
    if (imageExtent <= windowExtent) {
        return 0; // the image fits: nothing to scroll
    }
    return 127 * windowExtent / (imageExtent - windowExtent);
}

int scrolledPosition(int position, int direction, int windowExtent, int imageExtent) {
    if (imageExtent <= windowExtent) {
        return 0;
    }
    const int moved = position + direction * scrollStep(windowExtent, imageExtent);
    if (moved < 1) {
        return 0;
    }
    return std::min(moved, ScrollEnd);
}

int scrollOffset(int position, int windowExtent, int imageExtent) {
    if (imageExtent <= windowExtent) {
        return 0;
    }
    return static_cast<int>(static_cast<long long>(position) * (imageExtent - windowExtent) / ScrollEnd);
}

PreviewState::PreviewState(PageList pages, double aspect)
    : pages_(std::move(pages)), aspect_(aspect), total_(static_cast<int>(pages_.size())) {}

int PreviewState::shown() const {
    return zoom_ == ZoomMode::WholePage ? across_ * down_ : 1;
}

bool PreviewState::atEnd() const {
    return current_ + shown() - 1 >= total_;
}

bool PreviewState::enabled(PreviewControl control) const {
    const bool paging = total_ >= 2;
    switch (control) {
    case PreviewControl::FirstPage:
    case PreviewControl::PreviousPage:
        return paging && current_ > 1;
    case PreviewControl::PreviousPortion:
        return paging && current_ > 1 && shown() >= 2;
    case PreviewControl::NextPage:
    case PreviewControl::LastPage:
        return paging && !atEnd();
    case PreviewControl::NextPortion:
        return paging && !atEnd() && shown() >= 2;
    case PreviewControl::FindPage:
    case PreviewControl::SeveralPages:
        return paging;
    case PreviewControl::PrintPart:
    case PreviewControl::Print:
        return printable_;
    default:
        return true;
    }
}

void PreviewState::firstPage() {
    current_ = 1;
}

void PreviewState::previousPortion() {
    current_ = zoom_ == ZoomMode::WholePage ? std::max(1, current_ - shown()) : std::max(1, current_ - 1);
}

void PreviewState::previousPage() {
    if (current_ > 1) {
        --current_;
    }
}

void PreviewState::nextPage() {
    if (current_ < total_) {
        ++current_;
    }
}

void PreviewState::nextPortion() {
    const int step = zoom_ == ZoomMode::WholePage ? shown() : 1;
    if (current_ + step <= total_) {
        current_ += step;
    }
}

void PreviewState::lastPage() {
    current_ = zoom_ == ZoomMode::WholePage ? std::max(1, total_ - shown() + 1) : total_;
}

void PreviewState::jumpTo(int page) {
    current_ = std::clamp(page, 1, std::max(1, total_));
}

void PreviewState::zoomIn() {
    const auto at = std::find(zoomChain.begin(), zoomChain.end(), zoom_);
    if (at + 1 != zoomChain.end()) {
        zoom_ = *(at + 1);
    }
}

void PreviewState::zoomOut() {
    const auto at = std::find(zoomChain.begin(), zoomChain.end(), zoom_);
    if (at != zoomChain.begin()) {
        zoom_ = *(at - 1);
    }
}

void PreviewState::setZoom(ZoomMode mode) {
    zoom_ = mode;
}

bool PreviewState::setPagesShown(int across, int down) {
    across = std::clamp(across, 1, MaxPagesAcross);
    down = std::clamp(down, 1, MaxPagesDown);
    const bool changed = across != across_ || down != down_;
    across_ = across;
    down_ = down;
    return changed;
}

void PreviewState::printPart(const PrintOrder& order) {
    if (!printable_) {
        return;
    }
    printOrder_ = order;
    printOrder_.copies = std::clamp(order.copies, 1, MaxCopies);
    if (order.range) {
        for (int page = static_cast<int>(pages_.size()); page >= 1; --page) {
            if (page < order.from || page > order.to) {
                std::error_code ignored; // a page file already gone is no reason to stop printing
                std::filesystem::remove(pages_[page - 1], ignored);
                pages_.erase(pages_.begin() + (page - 1));
            }
        }
    }
    const std::size_t pageCount = pages_.size();
    pages_.reserve(pageCount * printOrder_.copies);
    for (int copy = 1; copy < printOrder_.copies; ++copy) {
        pages_.insert(pages_.end(), pages_.begin(), pages_.begin() + static_cast<std::ptrdiff_t>(pageCount));
    }
    result_ = PreviewPrint;
}

std::string PreviewState::pageText() const {
    return "Lapas " + std::to_string(current_);
}

std::string PreviewState::totalText() const {
    return "Iš viso lapų: " + std::to_string(total_) + (printable_ ? "" : " (ataskaita nutraukta)");
}

std::string PreviewState::jumpTitle() const {
    return "Atversti lapą (iš viso lapų: " + std::to_string(total_) + ")";
}

std::string PreviewState::savePageTitle() const {
    return "Išsaugoti lapą Nr." + std::to_string(current_) + " WMF faile";
}

bool refuseEmptyReport(const PageList& pages) {
    if (!pages.empty()) {
        return false;
    }
    MessageRequest message;
    message.text = "Nėra duomenų, tenkinančių ataskaitos sąlygas";
    message.title = "Pranešimas";
    showMessage(message);
    return true;
}

std::string printJobName(std::string_view reportName, std::string_view title) {
    struct OwnName {
        std::string_view report;
        std::string_view job;
    };
    static constexpr std::array<OwnName, 6> ownNames{{
        {"SpPaslSuvF2", "Paslaugų suvestinė F2"},
        {"SpApmZin", "Ataskaita: Apmokėjimo suvestinė (pagal datą)"},
        {"SpApmZin2", "Ataskaita: Apmokėjimo suvestinė (pagal datą)"},
        {"SpEinRegStatistika", "Ataskaita: Einamoji registracijos statistika"},
        {"SpEinRegSarasa", "Ataskaita: Einamoji registracijos statistika"},
        {"SpKlientKn", "Sąskaitų suvestinė klientui"},
    }};
    for (const OwnName& own : ownNames) {
        if (own.report == reportName) {
            return std::string(own.job);
        }
    }
    return std::string(title);
}

} // namespace nakva
