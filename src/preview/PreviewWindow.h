#pragma once

#include "preview/PreviewState.h"
#include "ui/ToolbarClient.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string_view>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace nakva {

class PreviewPages;

// The report preview "ATASKAITOS PERŽIŪRA": pages through a composed report, one page zoomed or
// several side by side, and lets the user print all of it, print a range in several copies, save the
// current page as a metafile or the whole report as PDF. It never prints itself: it ends with the
// answer print (1, the page list as it now stands) or do not print (2), and its report run prints.
// As a child window of the main window it answers the frame's toolbar: the page buttons and locate
// (find page) act on it.
class PreviewWindow : public QWidget, public ToolbarClient {
    Q_OBJECT
public:
    // `pages` must not be empty (see previewReport); the report's title names its PDF document. Pages
    // that are not `printable` (a cancelled run's) are shown with the print controls disabled.
    PreviewWindow(PageList pages, QString title, QWidget* parent = nullptr, bool printable = true);
    ~PreviewWindow() override;

    const PreviewState& state() const { return state_; }
    PageList takePages() { return state_.takePages(); }
    QAction* action(PreviewControl control) const { return actions_[static_cast<int>(control)]; }
    QMenu* zoomMenu() const { return zoomMenu_; }
    PreviewPages* pagesView() const { return pagesView_; }

    // As if the control had been pressed; a disabled control does nothing.
    void press(PreviewControl control);

    bool toolbarEnabled(ToolbarButton button) const override;
    std::string toolbarTooltip(ToolbarButton button) const override;
    void toolbarPressed(ToolbarButton button) override;

signals:
    // Sent once, when the window closes: PreviewPrint or PreviewNoPrint.
    void finished(int result);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolbar();
    void buildZoomMenu();
    void act(PreviewControl control);
    void refresh();
    void findPage();
    void choosePagesShown();
    void printPart();
    void savePage();
    void savePdf();
    void finish();

    PreviewState state_;
    QString title_;
    QToolBar* toolbar_ = nullptr;
    std::array<QAction*, PreviewControlCount> actions_{};
    QMenu* zoomMenu_ = nullptr;
    PreviewPages* pagesView_ = nullptr;
    QLabel* pageZone_ = nullptr;
    QLabel* totalZone_ = nullptr;
    QLabel* zoomZone_ = nullptr;
    bool finished_ = false;
};

// The preview call of a report run: an empty list shows "Nėra duomenų, tenkinančių ataskaitos
// sąlygas" and answers 2 at once; otherwise the preview opens, as a child of the main window when
// there is one, and returns: the caller's own window is disabled until the preview closes, every other
// window stays free. Then `done` hears PreviewPrint or PreviewNoPrint and the pages as the run is to
// print them (a range print removes and deletes pages, copies repeat the list); never when the caller
// went first. The window shows neither the report's name nor its title; the run names its print job
// with printJobName(). Pages that are not `printable` (a cancelled run's) cannot be printed from it: it
// answers PreviewNoPrint.
using PreviewDone = std::function<void(int answer, PageList& pages)>;
void previewReport(PageList pages, std::string_view title, QWidget* caller, PreviewDone done,
                   bool printable = true);

} // namespace nakva
