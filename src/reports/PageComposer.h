#pragma once

#include "reports/Band.h"
#include "reports/FileSave.h"
#include "reports/PageCanvas.h"

#include <functional>
#include <memory>
#include <string>

namespace nakva {

// How a page is captioned with its number: "Lapas " + number where the layout paginates, "Lapas: " +
// number where the report places its bands itself.
enum class PageNumbering { Layout, Report };
std::string pageCaption(PageNumbering numbering, int page);

// The page geometry and the bands every page carries.
struct PageFrame {
    PageOrientation orientation = PageOrientation::Portrait;
    int bodyTop = mm(10);     // where the page header begins
    int bodyBottom = mm(287); // no band passes it (the page footer ends here)
    Band pageHeader;
    Band pageFooter;
};

// Composes bands into pages: it keeps the present position on the page, and before a band that would
// pass the body's end (above the page footer) it ends the page with its footer, begins the next one
// and prints the page header there. The first band begins the first page, so a report that prints
// nothing has no page. A band higher than a whole page body is printed on a page of its own and runs
// over its end rather than being lost.
class PageComposer {
public:
    // Takes each finished page; a failure ends the composition (the run reports it).
    using PageSink = std::function<SaveResult(const PageCanvas&)>;

    PageComposer(PageFrame frame, PageNumbering numbering, PageSink sink);

    // False when a page could not be handed on: see fault().
    bool print(const Band& band, const BandContext& context = {});
    // Ends the last page, when there is one.
    bool finish();

    int pageNumber() const { return page_; } // the page being composed; 0 before the first
    int pagesDone() const { return done_; }
    int position() const { return y_; } // on the page being composed
    const SaveResult& fault() const { return fault_; }

private:
    bool beginPage();
    bool endPage();
    void draw(const Band& band, int height, BandContext context);

    PageFrame frame_;
    PageNumbering numbering_;
    PageSink sink_;
    std::unique_ptr<PageCanvas> canvas_;
    std::string caption_;
    int page_ = 0;
    int done_ = 0;
    int y_ = 0;
    int bodyStart_ = 0; // below the page header
    SaveResult fault_;
};

} // namespace nakva
