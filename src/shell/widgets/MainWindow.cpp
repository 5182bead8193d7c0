#include "shell/widgets/MainWindow.h"

#include "messages/Message.h"
#include "messages/StandardWarnings.h"
#include "shell/MainMenu.h"
#include "shell/ToolbarButtons.h"
#include "shell/widgets/AboutWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "shell/widgets/ProgramPrinter.h"
#include "ui/Help.h"
#include "ui/widgets/CalledWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QStatusBar>
#include <QToolBar>

namespace nakva {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

MainWindow::MainWindow(const ProcedureRegistry& procedures, std::function<std::string()> institutionName,
                       QWidget* parent)
    : QMainWindow(parent), procedures_(procedures), institutionName_(std::move(institutionName)) {
    setObjectName("mainWindow");
    setWindowTitle(
        QStringLiteral("Viešbučio paslaugų registras NAKVA %1").arg(QStringLiteral(NAKVA_VERSION)));
    setWindowIcon(QIcon(QStringLiteral(":/shell/program.svg")));

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("mdiArea");
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setBackground(QColor(0x8a, 0x9b, 0xb4));
    setCentralWidget(mdi_);

    buildToolbar();
    addMenuEntries(menuBar(), mainMenu());

    auto* status = new QLabel(QStringLiteral("Sąskaitų išrašymo apskaita"), this);
    status->setObjectName("statusText");
    statusBar()->addWidget(status, 1);

    auto* help = new QAction(this);
    help->setShortcut(QKeySequence::HelpContents);
    help->setShortcutContext(Qt::ApplicationShortcut);
    connect(help, &QAction::triggered, this, [] { showHelp(); });
    addAction(help);

    connect(mdi_, &QMdiArea::subWindowActivated, this, &MainWindow::childActivated);
    resize(1000, 700);
    updateToolbar();
}

MainWindow::~MainWindow() {
    // The children outlive the frame's own members for a moment: neither the area's signals nor a
    // child's listener may call back into it.
    disconnect(mdi_, nullptr, this, nullptr);
    if (ToolbarClient* client = activeClient()) {
        client->setToolbarListener({});
    }
}

void MainWindow::addMenuEntries(QWidget* menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.action == MenuAction::Separator) {
            if (auto* popup = qobject_cast<QMenu*>(menu)) {
                popup->addSeparator();
            }
            continue;
        }
        if (entry.action == MenuAction::Submenu) {
            auto* submenu = new QMenu(qt(entry.text), menu);
            submenu->menuAction()->setStatusTip(qt(entry.hint));
            menu->addAction(submenu->menuAction());
            addMenuEntries(submenu, entry.children);
            continue;
        }
        if (entry.action == MenuAction::WindowList) {
            if (auto* popup = qobject_cast<QMenu*>(menu)) {
                connect(popup, &QMenu::aboutToShow, this, [this, popup] { listWindows(popup); });
            }
            continue;
        }
        auto* action = new QAction(qt(entry.text), menu);
        action->setStatusTip(qt(entry.hint));
        if (entry.action == MenuAction::ToolbarShown) {
            // Checked while the toolbar shows: it brings back a toolbar its own popup menu hid.
            action->setCheckable(true);
            action->setChecked(true);
            connect(action, &QAction::toggled, toolbar_, &QWidget::setVisible);
            connect(toolbar_, &QToolBar::visibilityChanged, action, &QAction::setChecked);
            menu->addAction(action);
            continue;
        }
        connect(action, &QAction::triggered, this, [this, &entry] { runMenuEntry(entry); });
        menu->addAction(action);
    }
}

// "Langai" as it opens: after its own entries, one entry for each open window, the active one checked;
// choosing one brings that window to the front (restored when it was minimised).
void MainWindow::listWindows(QMenu* menu) {
    qDeleteAll(windowEntries_);
    windowEntries_.clear();
    const QList<QMdiSubWindow*> children = mdi_->subWindowList(QMdiArea::CreationOrder);
    if (children.isEmpty()) {
        return;
    }
    windowEntries_.append(menu->addSeparator());
    int number = 0;
    for (QMdiSubWindow* child : children) {
        ++number;
        const QString title = child->windowTitle().isEmpty() && child->widget() != nullptr
                                  ? child->widget()->windowTitle()
                                  : child->windowTitle();
        auto* entry = menu->addAction(
            (number < 10 ? QStringLiteral("&%1 ") : QStringLiteral("%1 ")).arg(number) + title);
        entry->setCheckable(true);
        entry->setChecked(child == mdi_->activeSubWindow());
        entry->setEnabled(child->isEnabled());
        connect(entry, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(child)] {
            if (window) {
                if (window->isMinimized()) {
                    window->showNormal();
                }
                mdi_->setActiveSubWindow(window);
            }
        });
        windowEntries_.append(entry);
    }
}

void MainWindow::runMenuEntry(const MenuEntry& entry) {
    switch (entry.action) {
    case MenuAction::Procedure:
        startProcedure(entry.procedure);
        break;
    case MenuAction::PrinterSetup:
        setupPrinter();
        break;
    case MenuAction::About:
        showAbout();
        break;
    case MenuAction::Tile:
        mdi_->tileSubWindows();
        break;
    case MenuAction::Cascade:
        mdi_->cascadeSubWindows();
        break;
    case MenuAction::ArrangeIcons:
        arrangeIcons();
        break;
    case MenuAction::Quit:
        close();
        break;
    case MenuAction::Submenu:
    case MenuAction::Separator:
    case MenuAction::ToolbarShown:
    case MenuAction::WindowList:
        break;
    }
}

QMdiSubWindow* MainWindow::startProcedure(std::string_view name) {
    QWidget* window = procedures_.create(name);
    if (window == nullptr) {
        standardWarning(6, name);
        return nullptr;
    }
    QMdiSubWindow* child = mdi_->addSubWindow(window);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setWindowIcon(window->windowIcon().isNull() ? windowIcon() : window->windowIcon());
    // A window that closes itself (a list after "Pasirinkti", a finished process) takes its frame along.
    connect(window, &QObject::destroyed, child, [child] { child->close(); });
    // As large as it asks to be (a list: its columns), as far as the area has room.
    child->adjustSize();
    showWindowInArea(child, window);
    return child;
}

void MainWindow::arrangeIcons() {
    // Minimised windows in rows along the bottom of the area, left to right, the next row above.
    const int areaWidth = mdi_->viewport()->width();
    int x = 0;
    int y = mdi_->viewport()->height();
    int rowHeight = 0;
    for (QMdiSubWindow* child : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        if (!child->isMinimized()) {
            continue;
        }
        const QSize size = child->size();
        if (rowHeight == 0 || (x > 0 && x + size.width() > areaWidth)) {
            x = 0;
            y -= rowHeight == 0 ? size.height() : rowHeight;
            rowHeight = size.height();
        }
        child->move(x, y);
        x += size.width();
    }
}

void MainWindow::showAbout() {
    AboutWindow about(QString::fromStdString(institutionName_ ? institutionName_() : std::string()), this);
    about.exec();
}

void MainWindow::setupPrinter() {
    QPrintDialog dialog(&programPrinter(), this);
    dialog.setWindowTitle(QStringLiteral("Printerio nustatymas"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
}

void MainWindow::buildToolbar() {
    auto* toolbar = addToolBar(QStringLiteral("Įrankiai"));
    toolbar_ = toolbar;
    toolbar->setObjectName("toolbar");
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(20, 20));
    for (const ToolbarButtonDef& def : toolbarButtons()) {
        auto* action =
            toolbar->addAction(QIcon(QStringLiteral(":/shell/%1.svg").arg(qt(def.icon))), QString());
        action->setObjectName(QStringLiteral("toolbar-%1").arg(qt(def.icon)));
        const ToolbarButton button = def.button;
        connect(action, &QAction::triggered, this, [this, button] { toolbarPressed(button); });
        toolbarActions_[static_cast<int>(button)] = action;
        if (button == ToolbarButton::LastPage || button == ToolbarButton::Delete ||
            button == ToolbarButton::Select) {
            toolbar->addSeparator();
        }
    }
    toolbar->addSeparator();
    for (const ToolbarProcedure& procedure : toolbarProcedures()) {
        auto* action =
            toolbar->addAction(QIcon(QStringLiteral(":/shell/%1.svg").arg(qt(procedure.icon))), QString());
        action->setObjectName(QStringLiteral("toolbar-%1").arg(qt(procedure.icon)));
        action->setToolTip(qt(procedure.tooltip));
        const std::string name(procedure.procedure);
        connect(action, &QAction::triggered, this, [this, name] { startProcedure(name); });
    }
}

ToolbarClient* MainWindow::activeClient() const {
    return activeChild_ ? dynamic_cast<ToolbarClient*>(activeChild_->widget()) : nullptr;
}

void MainWindow::childActivated() {
    // The current child, not the active one: a dialog or another program taking the focus leaves the
    // frame's current child as it was.
    QMdiSubWindow* child = mdi_->currentSubWindow();
    if (child != activeChild_) {
        if (ToolbarClient* previous = activeClient()) {
            previous->setToolbarListener({});
        }
        activeChild_ = child;
        if (ToolbarClient* client = activeClient()) {
            client->setToolbarListener([this] { updateToolbar(); });
        }
    }
    updateToolbar();
}

void MainWindow::updateToolbar() {
    const ToolbarClient* client = activeClient();
    for (const ToolbarButtonDef& def : toolbarButtons()) {
        QAction* action = toolbarAction(def.button);
        const bool frameButton = def.button == ToolbarButton::Close || def.button == ToolbarButton::Help;
        action->setEnabled(client != nullptr
                               ? (def.button == ToolbarButton::Close || client->toolbarEnabled(def.button))
                               : frameButton);
        const std::string own = client != nullptr ? client->toolbarTooltip(def.button) : std::string();
        action->setToolTip(own.empty() ? qt(def.tooltip) : QString::fromStdString(own));
    }
}

void MainWindow::toolbarPressed(ToolbarButton button) {
    if (button == ToolbarButton::Close) {
        if (activeChild_) {
            activeChild_->close();
            return;
        }
        MessageRequest question;
        question.text = "Ar tikrai baigti darbą ?";
        question.title = "Darbo pabaiga";
        question.icon = MessageIcon::Exclamation;
        question.buttons = ButtonYes | ButtonNo;
        if (showMessage(question) == ButtonYes) {
            close();
        }
        return;
    }
    if (ToolbarClient* client = activeClient()) {
        if (client->toolbarEnabled(button)) {
            client->toolbarPressed(button);
        }
        return;
    }
    if (button == ToolbarButton::Help) {
        showHelp();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The newest first: a window called from another answers before its caller closes.
    const QList<QMdiSubWindow*> children = mdi_->subWindowList(QMdiArea::CreationOrder);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        if (!(*child)->close()) {
            break;
        }
        // The window goes, then its caller hears of it (CalledWindow.h) and may close in turn.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents();
    }
    if (!mdi_->subWindowList().isEmpty()) {
        event->ignore(); // a child window stayed open (its user chose to go on editing)
        return;
    }
    event->accept();
}

} // namespace nakva
