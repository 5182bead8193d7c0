#include "preview/PreviewWindow.h"

#include "preview/PageJumpDialog.h"
#include "preview/PagesShownDialog.h"
#include "preview/PreviewPages.h"
#include "preview/PrintPartDialog.h"
#include "preview/ReportSave.h"
#include "preview/WmfPlayer.h"
#include "reports/WmfFile.h"
#include "ui/Help.h"
#include "ui/widgets/CalledWindow.h"
#include "ui/widgets/FileDialogs.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

namespace nakva {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path pathOf(const QString& name) {
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

// The first page's height ÷ width; a first page that cannot be read is shown blank in A4's shape.
PreviewState openState(PageList pages) {
    double aspect = 297.0 / 210.0;
    if (const auto first = pages.empty() ? nullptr : WmfFile::load(pages.front())) {
        const QSizeF size = WmfPlayer(first).sizeInInches();
        if (size.width() > 0 && size.height() > 0) {
            aspect = size.height() / size.width();
        }
    }
    return PreviewState(std::move(pages), aspect);
}

// The frame's toolbar buttons that stand for the preview's own controls.
std::optional<PreviewControl> controlFor(ToolbarButton button) {
    switch (button) {
    case ToolbarButton::FirstPage:
        return PreviewControl::FirstPage;
    case ToolbarButton::PreviousPage:
        return PreviewControl::PreviousPage;
    case ToolbarButton::Locate:
        return PreviewControl::FindPage;
    case ToolbarButton::NextPage:
        return PreviewControl::NextPage;
    case ToolbarButton::LastPage:
        return PreviewControl::LastPage;
    default:
        return std::nullopt;
    }
}

QLabel* statusZone(const char* name, QWidget* parent) {
    auto* zone = new QLabel(parent);
    zone->setObjectName(name);
    zone->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    zone->setContentsMargins(4, 0, 4, 0);
    return zone;
}

} // namespace

PreviewWindow::PreviewWindow(PageList pages, QString title, QWidget* parent, bool printable)
    : QWidget(parent), state_(openState(std::move(pages))), title_(std::move(title)) {
    setObjectName("previewWindow");
    if (!printable) {
        state_.forbidPrinting();
    }
    setWindowTitle(QStringLiteral("ATASKAITOS PERŽIŪRA"));

    buildToolbar();
    pagesView_ = new PreviewPages(state_, this);

    auto* statusLine = new QWidget(this);
    statusLine->setObjectName("statusLine");
    statusLine->setFixedHeight(StatusLineHeight);
    pageZone_ = statusZone("pageZone", statusLine);
    totalZone_ = statusZone("totalZone", statusLine);
    zoomZone_ = statusZone("zoomZone", statusLine);
    auto* zones = new QHBoxLayout(statusLine);
    zones->setContentsMargins(0, 0, 0, 0);
    zones->setSpacing(2);
    zones->addWidget(pageZone_, 1);
    zones->addWidget(totalZone_, 1);
    zones->addWidget(zoomZone_, 2);
    totalZone_->setText(qt(state_.totalText()));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    layout->addWidget(pagesView_, 1);
    layout->addWidget(statusLine);

    resize(900, 700);
    refresh();
    pagesView_->setFocus();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildToolbar() {
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName("previewToolbar");
    toolbar_->setIconSize(QSize(20, 20));
    for (const PreviewControlDef& def : previewControls()) {
        auto* action =
            new QAction(QIcon(QStringLiteral(":/preview/%1.svg").arg(qt(def.name))), QString(), this);
        action->setObjectName(qt(def.name));
        action->setToolTip(qt(def.tooltip));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        const PreviewControl control = def.control;
        connect(action, &QAction::triggered, this, [this, control] { act(control); });
        actions_[static_cast<int>(control)] = action;
        toolbar_->addAction(action);
        addAction(action); // its keys work wherever the focus is in the window
        if (control == PreviewControl::LastPage || control == PreviewControl::ZoomOut ||
            control == PreviewControl::SeveralPages) {
            toolbar_->addSeparator();
        }
    }
    for (const PreviewControlDef& def : previewControls()) {
        action(def.control)->setShortcuts(QKeySequence::listFromString(qt(def.keys)));
    }
    // The numeric keypad's plus and minus zoom too.
    action(PreviewControl::ZoomIn)->setShortcuts({Qt::Key_Plus, Qt::KeypadModifier | Qt::Key_Plus});
    action(PreviewControl::ZoomOut)->setShortcuts({Qt::Key_Minus, Qt::KeypadModifier | Qt::Key_Minus});
    buildZoomMenu();
}

void PreviewWindow::buildZoomMenu() {
    zoomMenu_ = new QMenu(this);
    zoomMenu_->setObjectName("zoomMenu");
    auto* group = new QActionGroup(zoomMenu_);
    for (ZoomMode mode : zoomChain) {
        QAction* item = zoomMenu_->addAction(qt(zoomMenuText(mode)));
        item->setCheckable(true);
        item->setData(static_cast<int>(mode));
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, mode] {
            state_.setZoom(mode);
            refresh();
        });
        if (mode == ZoomMode::PageWidth) {
            zoomMenu_->addSeparator();
        }
    }
    QAction* zoom = action(PreviewControl::Zoom);
    zoom->setMenu(zoomMenu_);
    if (auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(zoom))) {
        button->setPopupMode(QToolButton::InstantPopup);
    }
}

void PreviewWindow::press(PreviewControl control) {
    if (state_.enabled(control)) {
        act(control);
    }
}

void PreviewWindow::act(PreviewControl control) {
    switch (control) {
    case PreviewControl::FirstPage:
        state_.firstPage();
        break;
    case PreviewControl::PreviousPortion:
        state_.previousPortion();
        break;
    case PreviewControl::PreviousPage:
        state_.previousPage();
        break;
    case PreviewControl::FindPage:
        findPage();
        break;
    case PreviewControl::NextPage:
        state_.nextPage();
        break;
    case PreviewControl::NextPortion:
        state_.nextPortion();
        break;
    case PreviewControl::LastPage:
        state_.lastPage();
        break;
    case PreviewControl::ZoomIn:
        state_.zoomIn();
        break;
    case PreviewControl::Zoom: {
        QWidget* button = toolbar_->widgetForAction(action(PreviewControl::Zoom));
        zoomMenu_->popup(button->mapToGlobal(QPoint(0, button->height())));
        return;
    }
    case PreviewControl::ZoomOut:
        state_.zoomOut();
        break;
    case PreviewControl::SeveralPages:
        choosePagesShown();
        break;
    case PreviewControl::PrintPart:
        printPart();
        return;
    case PreviewControl::SavePage:
        savePage();
        return;
    case PreviewControl::Print:
        state_.print();
        finish();
        return;
    case PreviewControl::Close:
        finish();
        return;
    case PreviewControl::SavePdf:
        savePdf();
        return;
    }
    refresh();
}

void PreviewWindow::refresh() {
    for (const PreviewControlDef& def : previewControls()) {
        action(def.control)->setEnabled(state_.enabled(def.control));
    }
    for (QAction* item : zoomMenu_->actions()) {
        item->setChecked(!item->isSeparator() && item->data().toInt() == static_cast<int>(state_.zoom()));
    }
    pageZone_->setText(qt(state_.pageText()));
    zoomZone_->setText(qt(zoomStatusText(state_.zoom())));
    pagesView_->relayout();
    toolbarChanged();
}

void PreviewWindow::findPage() {
    PageJumpDialog dialog(qt(state_.jumpTitle()), state_.current(), state_.total(), this);
    if (dialog.exec() == QDialog::Accepted) {
        state_.jumpTo(dialog.page());
    }
}

void PreviewWindow::choosePagesShown() {
    PagesShownDialog dialog(state_.across(), state_.down(), this);
    if (dialog.exec() == QDialog::Accepted && state_.setPagesShown(dialog.across(), dialog.down())) {
        state_.setZoom(ZoomMode::WholePage); // the cells are what the user asked to see
    }
}

void PreviewWindow::printPart() {
    PrintPartDialog dialog(state_.printOrder(), state_.total(), this);
    if (dialog.exec() == QDialog::Accepted) {
        state_.printPart(dialog.order());
        finish();
    }
}

void PreviewWindow::savePage() {
    const QString target =
        fileDialogs().saveFileName({.title = qt(state_.savePageTitle()),
                                    .defaultName = QStringLiteral("Be pavadinimo.wmf"),
                                    .filter = QStringLiteral("Windows MetaFile (*.WMF *.wmf)"),
                                    .defaultSuffix = QStringLiteral("wmf")},
                                   this);
    if (!target.isEmpty()) {
        savePageAsWmf(state_.currentPageFile(), pathOf(target));
    }
}

void PreviewWindow::savePdf() {
    const QString target =
        fileDialogs().saveFileName({.title = QStringLiteral("Išsaugoti ataskaitą PDF faile"),
                                    .defaultName = QStringLiteral("Be pavadinimo.pdf"),
                                    .filter = QStringLiteral("PDF - Portable Document Format (*.pdf)"),
                                    .defaultSuffix = QStringLiteral("pdf")},
                                   this);
    if (!target.isEmpty()) {
        saveReportAsPdf(state_.pages(), pathOf(target), title_);
    }
}

void PreviewWindow::finish() {
    if (auto* child = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        child->close();
    } else {
        close();
    }
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    if (!finished_) {
        finished_ = true;
        emit finished(state_.result());
    }
    event->accept();
}

bool PreviewWindow::toolbarEnabled(ToolbarButton button) const {
    if (button == ToolbarButton::Help) {
        return true;
    }
    const auto control = controlFor(button);
    return control && state_.enabled(*control);
}

std::string PreviewWindow::toolbarTooltip(ToolbarButton button) const {
    const auto control = controlFor(button);
    return control ? std::string(previewControls()[static_cast<int>(*control)].tooltip) : std::string();
}

void PreviewWindow::toolbarPressed(ToolbarButton button) {
    if (button == ToolbarButton::Help) {
        showHelp();
    } else if (const auto control = controlFor(button)) {
        press(*control);
    }
}

namespace {

QMdiArea* mdiAreaFor(QWidget* caller) {
    for (QWidget* widget = caller; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* area = qobject_cast<QMdiArea*>(widget)) {
            return area;
        }
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* frame = qobject_cast<QMainWindow*>(top); frame != nullptr && frame->isVisible()) {
            if (auto* area = qobject_cast<QMdiArea*>(frame->centralWidget())) {
                return area;
            }
        }
    }
    return nullptr;
}

QMdiSubWindow* childWindowOf(QWidget* caller) {
    for (QWidget* widget = caller; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* child = qobject_cast<QMdiSubWindow*>(widget)) {
            return child;
        }
    }
    return nullptr;
}

} // namespace

void previewReport(PageList pages, std::string_view title, QWidget* caller, PreviewDone done,
                   bool printable) {
    if (refuseEmptyReport(pages)) {
        done(PreviewNoPrint, pages);
        return;
    }
    auto* window = new PreviewWindow(std::move(pages), qt(title), nullptr, printable);
    if (QMdiArea* area = mdiAreaFor(caller)) {
        QMdiSubWindow* child = area->addSubWindow(window);
        child->setAttribute(Qt::WA_DeleteOnClose);
        // The whole area, but not maximised: after a maximised window every window opens maximised.
        child->setGeometry(QRect(QPoint(0, 0), area->viewport()->size()));
        showWindowInArea(child, window->pagesView(), caller);
    } else {
        window->setAttribute(Qt::WA_DeleteOnClose);
        showWindowInArea(window, window->pagesView());
    }
    // Its report run waits, and so does the window it was started from; every other window is free.
    const QPointer<QMdiSubWindow> blocked = childWindowOf(caller);
    if (blocked) {
        blocked->setEnabled(false);
    }
    const QPointer<QWidget> waiting = caller;
    const bool called = caller != nullptr;
    QObject::connect(window, &PreviewWindow::finished, window,
                     [window, blocked, waiting, called, done = std::move(done)](int answer) {
                         if (blocked) {
                             blocked->setEnabled(true);
                         }
                         if (called && !waiting) {
                             return; // the run went first
                         }
                         PageList back = window->takePages();
                         done(answer, back);
                     });
}

} // namespace nakva
