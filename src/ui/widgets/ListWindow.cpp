#include "ui/widgets/ListWindow.h"

#include "data/Context.h"
#include "messages/Message.h"
#include "ui/Help.h"
#include "ui/widgets/CalledWindow.h"
#include "ui/widgets/ChildSignals.h"
#include "ui/widgets/DateEntry.h"
#include "ui/widgets/ListExportRun.h"
#include "ui/widgets/TabSelectorField.h"

#include <QAbstractTableModel>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <map>

namespace nakva {

namespace {

constexpr int InitialRows = 15;
constexpr int WheelRows = 3;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The list's buttons wear the pictures of the same-named toolbar buttons, which the program's frame
// brings along; without the frame (in tests) they show their text alone.
QIcon buttonIcon(std::string_view name) {
    const QString path =
        QStringLiteral(":/shell/%1.svg").arg(QString::fromUtf8(name.data(), qsizetype(name.size())));
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

Qt::Alignment alignmentOf(ColumnAlign align) {
    switch (align) {
    case ColumnAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case ColumnAlign::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case ColumnAlign::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

// The page of rows as the table view shows it.
class ListWindow::Model : public QAbstractTableModel {
public:
    Model(const ListEngine& engine, QObject* parent) : QAbstractTableModel(parent), engine_(engine) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(engine_.rows().size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(engine_.config().columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount({})) {
            return {};
        }
        if (role == Qt::DisplayRole) {
            return qt(engine_.rows()[std::size_t(index.row())].cells.at(std::size_t(index.column())));
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(
                alignmentOf(engine_.config().columns.at(std::size_t(index.column())).align));
        }
        if (role == Qt::DecorationRole) {
            const std::vector<std::string>& icons = engine_.rows()[std::size_t(index.row())].icons;
            if (std::size_t(index.column()) < icons.size() && !icons[std::size_t(index.column())].empty()) {
                return icon(icons[std::size_t(index.column())]);
            }
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            return qt(engine_.config().columns.at(std::size_t(section)).heading);
        }
        return {};
    }
    void reload() {
        beginResetModel();
        endResetModel();
    }

private:
    // A cell's picture by its name, read once.
    QIcon icon(const std::string& name) const {
        auto found = icons_.find(name);
        if (found == icons_.end()) {
            found = icons_.emplace(name, QIcon(QStringLiteral(":/icons/%1.svg").arg(qt(name)))).first;
        }
        return found->second;
    }

    const ListEngine& engine_;
    mutable std::map<std::string, QIcon> icons_;
};

ListWindow::ListWindow(const ListConfig& config, Context& context, Request request, QWidget* parent,
                       bool embedded)
    : QWidget(parent), engine_(std::make_unique<ListEngine>(config, context, request)) {
    setObjectName(qt(config.name));
    setWindowTitle(qt(config.title));
    build(embedded);
    engine_->setListener([this] { update(); });
    engine_->setPageSize(InitialRows);
    engine_->open();
    for (const auto& [tab, header] : tabHeaders_) {
        if (auto* selector = dynamic_cast<TabSelectorField*>(header)) {
            selector->showValue();
        }
    }
    update();
}

ListWindow::ListWindow(const ListConfig& config, std::unique_ptr<Context> context, QWidget* parent)
    : ListWindow(config, *context, Request::None, parent) {
    ownContext_ = std::move(context);
}

ListWindow::~ListWindow() {
    // A form or list it called works on its context: it goes first.
    dropCalledWindows(this);
    detachChildren(this);
    // The view lets go of the rows before the engine that holds them goes.
    table_->setModel(nullptr);
    engine_->setListener({});
}

void ListWindow::build(bool embedded) {
    const ListConfig& config = engine_->config();
    auto* layout = new QVBoxLayout(this);

    tabs_ = new QTabBar(this);
    tabs_->setObjectName("tabs");
    for (const SortTab& tab : config.tabs) {
        tabs_->addTab(qt(tab.text));
    }
    tabs_->setVisible(config.tabs.size() > 1 || !config.tabs.front().text.empty());
    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
        engine_->selectTab(tab);
        showLocator();
    });
    layout->addWidget(tabs_);

    auto* locator = new QHBoxLayout;
    locatorPrompt_ = new QLabel(this);
    locatorText_ = new QLineEdit(this);
    locatorText_->setObjectName("locator");
    locatorDate_ = new DateEntry(this);
    locatorDate_->setObjectName("locatorDate");
    locator->addWidget(locatorPrompt_);
    locator->addWidget(locatorText_);
    locator->addWidget(locatorDate_);
    locator->addStretch();
    layout->addLayout(locator);
    connect(locatorText_, &QLineEdit::returnPressed, this, &ListWindow::locateTyped);
    connect(locatorDate_, &DateEntry::accepted, this, &ListWindow::locateTyped);

    model_ = new Model(*engine_, this);
    table_ = new QTableView(this);
    table_->setObjectName("list");
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->setWordWrap(false);
    table_->setTabKeyNavigation(false);
    bool headings = false;
    int width = 0;
    const int unit = fontMetrics().averageCharWidth();
    for (int column = 0; column < int(config.columns.size()); ++column) {
        const ListColumn& each = config.columns[std::size_t(column)];
        headings = headings || !each.heading.empty();
        // Widths are given in dialog units: a quarter of the average character; a heading fits, in
        // the header's own font and margins.
        const int pixels =
            std::max(each.width * unit / 4, table_->horizontalHeader()->sectionSizeHint(column));
        table_->setColumnWidth(column, pixels);
        width += pixels;
    }
    table_->horizontalHeader()->setVisible(headings);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->installEventFilter(this);
    table_->viewport()->installEventFilter(this);
    setFocusProxy(table_);

    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName("scrollBar");
    scrollBar_->setRange(0, LocatorSteps::Count);
    scrollBar_->setPageStep(LocatorSteps::Count / 10);
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    connect(scrollBar_, &QScrollBar::actionTriggered, this, [this](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            engine_->move(ListMove::RowDown);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            engine_->move(ListMove::RowUp);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            engine_->move(ListMove::PageDown);
            break;
        case QAbstractSlider::SliderPageStepSub:
            engine_->move(ListMove::PageUp);
            break;
        case QAbstractSlider::SliderToMinimum:
            engine_->move(ListMove::Top);
            break;
        case QAbstractSlider::SliderToMaximum:
            engine_->move(ListMove::Bottom);
            break;
        default:
            break;
        }
    });
    connect(scrollBar_, &QScrollBar::sliderReleased, this,
            [this] { engine_->dragThumb(std::max(scrollBar_->sliderPosition(), 1)); });
    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(table_);
    middle->addWidget(scrollBar_);
    layout->addLayout(middle, 1);

    const auto button = [this](const char* name, const QString& text, const char* icon, const QString& tip) {
        auto* made = new QPushButton(buttonIcon(icon), text, this);
        made->setObjectName(name);
        made->setToolTip(tip);
        made->setAutoDefault(false);
        return made;
    };
    select_ =
        button("selectButton", QStringLiteral("Pasirinkti"), "select", QStringLiteral("Pasirinkti įrašą"));
    insert_ = button("insertButton", QStringLiteral("Naujas"), "insert", qt(config.insertTooltip));
    change_ = button("changeButton", QStringLiteral("Keisti"), "change", qt(config.changeTooltip));
    delete_ = button("deleteButton", QStringLiteral("Pašalinti"), "delete", qt(config.deleteTooltip));
    close_ = button("closeButton", QStringLiteral("Baigti"), "close", QStringLiteral("Uždaryti langą"));
    help_ = button("helpButton", QStringLiteral("Pagalba"), "help", QStringLiteral("Pagalba"));
    select_->setDefault(engine_->selectMode());
    const auto pressed = [this](ListAction action) {
        return [this, action] {
            engine_->press(action);
            table_->setFocus();
        };
    };
    connect(select_, &QPushButton::clicked, this, pressed(ListAction::Select));
    connect(insert_, &QPushButton::clicked, this, pressed(ListAction::Insert));
    connect(change_, &QPushButton::clicked, this, pressed(ListAction::Change));
    connect(delete_, &QPushButton::clicked, this, pressed(ListAction::Delete));
    connect(close_, &QPushButton::clicked, this, [this] { engine_->close(); });
    connect(help_, &QPushButton::clicked, this, [this] { showHelp(engine_->config().name); });
    buttons_ = new QHBoxLayout;
    for (QPushButton* each : {select_, insert_, change_, delete_}) {
        buttons_->addWidget(each);
    }
    buttons_->addStretch();
    buttons_->addWidget(close_);
    buttons_->addWidget(help_);
    close_->setVisible(!embedded);
    help_->setVisible(!embedded);
    layout->addLayout(buttons_);

    for (int tab = 0; tab < int(config.tabs.size()); ++tab) {
        if (config.tabs[std::size_t(tab)].selector) {
            setTabHeader(tab, new TabSelectorField(*this, tab));
        }
    }
    showLocator();
    const int rowHeight = table_->verticalHeader()->defaultSectionSize();
    const QSize whole(width + scrollBar_->sizeHint().width() + 40, rowHeight * (InitialRows + 1) + 120);
    resize(whole);
    // A window of its own asks for its columns' width, which its frame then gets where the main window
    // has room; a list inside a form takes the room the form gives it.
    if (!embedded) {
        preferred_ = whole;
    }
}

QSize ListWindow::sizeHint() const {
    return preferred_.isValid() ? preferred_ : QWidget::sizeHint();
}

QWidget* ListWindow::locatorEntry() const {
    if (locatorDate_->isVisibleTo(this)) {
        return locatorDate_;
    }
    return locatorText_->isVisibleTo(this) ? locatorText_ : nullptr;
}

void ListWindow::showLocator() {
    const SortTab& tab = engine_->config().tabs.at(std::size_t(engine_->tab()));
    const auto field = Dictionary::instance().findField(tab.locator);
    const bool shown = !tab.locatorPrompt.empty() && field.has_value();
    const bool date = shown && field->table->fields[std::size_t(field->field)].isDate;
    locatorPrompt_->setText(qt(tab.locatorPrompt));
    locatorPrompt_->setVisible(shown);
    locatorText_->setVisible(shown && !date);
    locatorDate_->setVisible(date);
    for (const auto& [own, header] : tabHeaders_) {
        header->setVisible(own == engine_->tab());
    }
    showWhole();
}

// A chooser shown above the rows, and the texts beside it, are shown whole: the window grows to them.
void ListWindow::showWhole() {
    if (!isVisible() || !close_->isVisibleTo(this)) { // a list inside a form takes what the form gives
        return;
    }
    layout()->activate();
    growFrame(this, QSize(minimumSizeHint().width() - width(), 0));
}

void ListWindow::setTabHeader(int tab, QWidget* header) {
    if (const auto old = tabHeaders_.find(tab); old != tabHeaders_.end()) {
        delete old->second;
    }
    tabHeaders_[tab] = header;
    // Below the tabs, above the locator and the rows.
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, header);
    showLocator();
}

void ListWindow::locateTyped() {
    const SortTab& tab = engine_->config().tabs.at(std::size_t(engine_->tab()));
    const auto field = Dictionary::instance().findField(tab.locator);
    if (!field) {
        return;
    }
    Record typed(*field->table);
    SetResult result;
    if (locatorDate_->isVisibleTo(this)) {
        if (!locatorDate_->isValid()) {
            result.error = locatorDate_->errorText();
        } else {
            result = typed.setValue(field->field, std::int64_t(locatorDate_->date()));
        }
    } else {
        result = typed.setText(field->field, locatorText_->text().toStdString());
    }
    if (!result) {
        MessageRequest request;
        request.text = result.error;
        request.icon = MessageIcon::Exclamation;
        showMessage(request);
        return;
    }
    engine_->locate(typed.value(field->field));
    table_->setFocus();
}

void ListWindow::setFormCall(WidgetFormCall form) {
    engine_->setFormCall([this, form = std::move(form)](Context& context, Request request, FormDone done) {
        form(context, request, this, std::move(done));
    });
    update();
}

namespace {

// A command's items as a menu (the button's, or a submenu of the popup).
void addItems(QMenu& menu, const std::vector<ListCommandItem>& items) {
    for (const ListCommandItem& item : items) {
        if (item.text.empty()) {
            menu.addSeparator();
            continue;
        }
        if (!item.items.empty()) {
            addItems(*menu.addMenu(qt(item.text)), item.items);
            continue;
        }
        QObject::connect(menu.addAction(qt(item.text)), &QAction::triggered, &menu, [run = item.run] {
            if (run) {
                run();
            }
        });
    }
}

} // namespace

void ListWindow::addCommand(ListCommand command) {
    auto* button = new QPushButton(qt(command.text), this);
    button->setObjectName(qt(command.name));
    button->setToolTip(qt(command.tooltip));
    button->setAutoDefault(false);
    if (command.menu.empty()) {
        connect(button, &QPushButton::clicked, this, [this, run = command.run] {
            if (run) {
                run();
            }
            table_->setFocus();
        });
    } else {
        auto* menu = new QMenu(button);
        addItems(*menu, command.menu);
        button->setMenu(menu);
    }
    // After "Pašalinti" and the commands added before it.
    buttons_->insertWidget(4 + int(commands_.size()), button);
    if (!command.toolbarIcon.empty()) {
        if (commandBar_ == nullptr) {
            commandBar_ = new QToolBar(this);
            commandBar_->setObjectName("commandBar");
            static_cast<QVBoxLayout*>(layout())->insertWidget(0, commandBar_);
        }
        QAction* action = commandBar_->addAction(QIcon(qt(command.toolbarIcon)), qt(command.text));
        action->setObjectName(qt(command.name));
        action->setToolTip(qt(command.toolbarTooltip));
        connect(action, &QAction::triggered, button, [button] {
            if (button->isEnabled()) {
                button->menu() != nullptr ? button->showMenu() : button->click();
            }
        });
        connect(button, &QPushButton::destroyed, action, &QObject::deleteLater);
    }
    if (!command.shortcut.empty()) {
        auto* shortcut = new QShortcut(QKeySequence(qt(command.shortcut)), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled()) {
                button->menu() != nullptr ? button->showMenu() : button->click();
            }
        });
    }
    commands_.emplace_back(std::move(command), button);
    update();
}

QPushButton* ListWindow::commandButton(std::string_view name) const {
    for (const auto& [command, button] : commands_) {
        if (command.name == name) {
            return button;
        }
    }
    return nullptr;
}

QWidget* ListWindow::frame() {
    if (auto* child = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        return child;
    }
    return this;
}

void ListWindow::update() {
    model_->reload();
    const int current = engine_->currentRow();
    if (current > 0) {
        table_->selectRow(current - 1);
        table_->setCurrentIndex(model_->index(current - 1, 0));
    } else {
        table_->clearSelection();
    }
    scrollBar_->setVisible(engine_->scrollBarVisible());
    {
        const QSignalBlocker blocker(scrollBar_);
        scrollBar_->setValue(engine_->thumb());
    }
    const std::pair<QPushButton*, ListAction> buttons[] = {{select_, ListAction::Select},
                                                           {insert_, ListAction::Insert},
                                                           {change_, ListAction::Change},
                                                           {delete_, ListAction::Delete}};
    for (const auto& [button, action] : buttons) {
        button->setVisible(engine_->visible(action));
        button->setEnabled(engine_->enabled(action));
    }
    for (const auto& [command, button] : commands_) {
        button->setEnabled(!engine_->closing() && (!command.needsRow || !engine_->rows().empty()));
        if (commandBar_ != nullptr) {
            if (auto* action = commandBar_->findChild<QAction*>(qt(command.name))) {
                action->setEnabled(button->isEnabled());
            }
        }
    }
    for (const auto& [tab, header] : tabHeaders_) {
        if (auto* selector = dynamic_cast<TabSelectorField*>(header)) {
            selector->followValue();
        }
    }
    showWhole();
    toolbarChanged();
    if (engine_->closing()) {
        closeFrame();
    }
}

void ListWindow::closeFrame() {
    if (finished_) {
        return;
    }
    if (!close_->isVisibleTo(this)) { // inside a form: the list empties and waits for its form
        setEnabled(false);
        finished_ = true;
        emit finished(engine_->response());
        return;
    }
    // Later, so that whatever called the engine has returned before the window goes.
    QTimer::singleShot(0, this, [this] { frame()->close(); });
}

void ListWindow::fitPage() {
    const int rowHeight = std::max(table_->verticalHeader()->defaultSectionSize(), 1);
    engine_->setPageSize(std::max(table_->viewport()->height() / rowHeight, 1));
}

void ListWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!frameWatched_) {
        frameWatched_ = true;
        // The rows' room is settled only once the window's layout has placed it after the first show:
        // the resize it makes then reaches no event of the rows' own.
        QTimer::singleShot(0, this, &ListWindow::fitPage);
        if (auto* child = qobject_cast<QMdiSubWindow*>(parentWidget())) {
            connect(child, &QMdiSubWindow::windowStateChanged, this,
                    [this](Qt::WindowStates, Qt::WindowStates now) {
                        engine_->setMinimised(now.testFlag(Qt::WindowMinimized));
                    });
        }
    }
    if (engine_->closing()) {
        closeFrame();
    }
}

void ListWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isWindow()) {
        engine_->setMinimised(isMinimized());
    }
}

void ListWindow::closeEvent(QCloseEvent* event) {
    if (waitsForCalledWindow(this)) { // the window it called answers first
        event->ignore();
        return;
    }
    engine_->close();
    if (!finished_) {
        finished_ = true;
        emit finished(engine_->response());
    }
    event->accept();
}

bool ListWindow::listKey(const QKeyEvent& key) {
    const bool control = key.modifiers().testFlag(Qt::ControlModifier);
    switch (key.key()) {
    case Qt::Key_Down:
        engine_->move(ListMove::RowDown);
        return true;
    case Qt::Key_Up:
        engine_->move(ListMove::RowUp);
        return true;
    case Qt::Key_PageDown:
        engine_->move(ListMove::PageDown);
        return true;
    case Qt::Key_PageUp:
        engine_->move(ListMove::PageUp);
        return true;
    case Qt::Key_Home:
        engine_->move(ListMove::Top);
        return true;
    case Qt::Key_End:
        engine_->move(ListMove::Bottom);
        return true;
    case Qt::Key_Insert:
        engine_->press(ListAction::Insert);
        table_->setFocus();
        return true;
    case Qt::Key_Delete:
        engine_->press(ListAction::Delete);
        table_->setFocus();
        return true;
    case Qt::Key_Menu:
        showPopupAtCurrentRow();
        return true;
    case Qt::Key_Escape: // as "Baigti"
        if (close_->isVisibleTo(this)) {
            engine_->close();
            return true;
        }
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (control) {
            engine_->press(ListAction::Change);
        } else if (engine_->selectMode()) {
            engine_->press(ListAction::Select);
        } else {
            return false;
        }
        table_->setFocus();
        return true;
    default:
        break;
    }
    const QString text = key.text();
    if (!text.isEmpty() && text.front().isPrint() &&
        !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        engine_->typeCharacter(text.toStdString());
        return true;
    }
    return false;
}

void ListWindow::showPopup(const QPoint& where) {
    const std::vector<PopupItem> items = engine_->popupMenu();
    QMenu menu(this);
    menu.setObjectName("popup");
    for (const PopupItem& item : items) {
        if (item.text.empty()) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(buttonIcon(item.icon), qt(item.text));
        action->setEnabled(item.enabled);
        connect(action, &QAction::triggered, this, [this, choice = item.action] { engine_->press(choice); });
    }
    if (!engine_->rows().empty()) {
        for (const auto& [command, button] : commands_) {
            if (!command.inPopup) {
                continue;
            }
            // Enabled as its button is.
            if (command.menu.empty()) {
                QAction* action = menu.addAction(qt(command.text));
                action->setEnabled(button->isEnabled());
                connect(action, &QAction::triggered, this, [run = command.run] {
                    if (run) {
                        run();
                    }
                });
            } else {
                QMenu* submenu = menu.addMenu(qt(command.text));
                submenu->setEnabled(button->isEnabled());
                addItems(*submenu, command.menu);
            }
        }
    }
    // Every list exports, a selection-only one too.
    if (!items.empty()) {
        menu.addSeparator();
    }
    QAction* exportItem = menu.addAction(buttonIcon("export"), QStringLiteral("Eksportuoti…"));
    exportItem->setEnabled(engine_->toolbarEnabled(ToolbarButton::Export));
    connect(exportItem, &QAction::triggered, this, &ListWindow::exportRows);
    menu.exec(where);
    table_->setFocus();
}

void ListWindow::exportRows() {
    if (engine_->toolbarEnabled(ToolbarButton::Export)) {
        ListExportRun::start(*engine_, this);
    }
}

void ListWindow::showPopupAtCurrentRow() {
    const QRect row = table_->visualRect(model_->index(std::max(engine_->currentRow() - 1, 0), 0));
    showPopup(table_->viewport()->mapToGlobal(row.center()));
}

bool ListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_) {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (listKey(*static_cast<QKeyEvent*>(event))) {
                return true;
            }
            break;
        case QEvent::ContextMenu: // from the keyboard
            showPopupAtCurrentRow();
            return true;
        case QEvent::FocusIn:
            // Back in the list: what other windows changed meanwhile shows.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
                engine_->refresh();
            }
            break;
        default:
            break;
        }
        return QWidget::eventFilter(watched, event);
    }
    if (watched == table_->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            table_->setFocus(Qt::MouseFocusReason);
            if (mouse->button() == Qt::LeftButton) {
                engine_->setCurrentRow(table_->rowAt(mouse->position().toPoint().y()) + 1);
            }
            return true;
        }
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const int row = table_->rowAt(mouse->position().toPoint().y());
            if (mouse->button() == Qt::LeftButton && row >= 0) {
                engine_->setCurrentRow(row + 1);
                engine_->activate();
                table_->setFocus();
            }
            return true;
        }
        case QEvent::ContextMenu: {
            const auto* menu = static_cast<QContextMenuEvent*>(event);
            if (menu->reason() == QContextMenuEvent::Mouse) {
                engine_->setCurrentRow(table_->rowAt(menu->pos().y()) + 1);
                showPopup(menu->globalPos());
            } else {
                showPopupAtCurrentRow();
            }
            return true;
        }
        case QEvent::Wheel: {
            const int steps = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
            for (int i = 0; i < std::abs(steps) * WheelRows; ++i) {
                engine_->move(steps > 0 ? ListMove::RowUp : ListMove::RowDown);
            }
            return true;
        }
        case QEvent::Resize:
            fitPage();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool ListWindow::toolbarEnabled(ToolbarButton button) const {
    return engine_->toolbarEnabled(button);
}

std::string ListWindow::toolbarTooltip(ToolbarButton button) const {
    return engine_->toolbarTooltip(button);
}

void ListWindow::toolbarPressed(ToolbarButton button) {
    if (button == ToolbarButton::Locate) {
        if (QWidget* entry = locatorEntry()) {
            entry->setFocus(Qt::ShortcutFocusReason);
        }
        return;
    }
    if (button == ToolbarButton::Export) {
        exportRows();
        return;
    }
    engine_->toolbarPressed(button);
}

void ListWindow::call(const ListConfig& config, Context& context, QWidget* caller, SelectDone done,
                      WidgetFormCall form, const std::function<void(ListWindow&)>& setUp) {
    auto* window = new ListWindow(config, context, Request::Select);
    if (form) {
        window->setFormCall(std::move(form));
    }
    if (setUp) {
        setUp(*window);
    }
    if (window->engine().closing()) {
        const Response response = window->engine().response();
        delete window;
        done(response);
        return;
    }
    auto response = std::make_shared<Response>(Response::Cancelled);
    connect(window, &ListWindow::finished, window, [response](Response finished) { *response = finished; });
    QWidget* frame =
        openCalledWindow(window, caller, [response, done = std::move(done)] { done(*response); });
    showWindowInArea(frame, window->table(), caller);
}

} // namespace nakva
