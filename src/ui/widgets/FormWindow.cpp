#include "ui/widgets/FormWindow.h"

#include "data/Table.h"
#include "ui/Help.h"
#include "ui/widgets/CalledWindow.h"
#include "ui/widgets/ChildSignals.h"
#include "ui/widgets/DateEntry.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/RecordForms.h"
#include "ui/widgets/SelectionLists.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <optional>

namespace nakva {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The Qt key of a Windows virtual-key code as the history keys name them: letters, digits and the
// apostrophe key (222).
int qtKeyOf(int virtualKey) {
    if (virtualKey == 222) {
        return Qt::Key_Apostrophe;
    }
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return virtualKey; // Qt::Key_A.. and Qt::Key_0.. are the ASCII codes
    }
    return 0;
}

// How many characters an entry shows at least: what its field typically holds. A text its whole
// width up to 50 characters (a payer's address), a number its digits with the sign and the point.
int typicalCharacters(const FieldDef& def, const Picture& picture) {
    if (picture.kind() == Picture::Kind::Text || picture.kind() == Picture::Kind::Number) {
        return picture.width();
    }
    switch (def.type) {
    case FieldType::String:
        return std::min(def.size, 50);
    case FieldType::Decimal:
        return def.size + 2;
    case FieldType::Byte:
        return 4;
    case FieldType::Long:
    case FieldType::Group:
        break;
    }
    return 11;
}

// A tab's page that scrolls when the window is smaller than its fields, and otherwise asks for all the
// room they need (a plain scroll area asks for a fixed share of the screen).
class PageScroll : public QScrollArea {
public:
    explicit PageScroll(QWidget* parent) : QScrollArea(parent) {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    QSize sizeHint() const override {
        const QSize content = widget() != nullptr ? widget()->sizeHint() : QSize();
        const int frame = 2 * frameWidth();
        return content + QSize(frame, frame);
    }
    // As narrow as its fields allow with a scroll bar beside them: only the height scrolls.
    QSize minimumSizeHint() const override {
        const int fields = widget() != nullptr ? widget()->minimumSizeHint().width() : 0;
        return {fields + verticalScrollBar()->sizeHint().width() + 2 * frameWidth(),
                QScrollArea::minimumSizeHint().height()};
    }
};

// A field the user cannot change looks so: on the window's ground, as the texts beside the fields,
// instead of an entry's white.
void showReadOnly(QLineEdit& edit, bool readOnly) {
    QPalette palette;
    if (readOnly) {
        palette = edit.palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    }
    edit.setPalette(palette); // an empty palette: the window's own again
}

} // namespace

FormWindow::FormWindow(FormEngine& engine, QWidget* parent) : QWidget(parent), engine_(&engine) {
    setObjectName(qt(engine.config().name));
    setWindowTitle(qt(engine.title()));
    build();
    showRecord();
    focusItem(engine.focusItem());
    // A look-up's list answered: the record with the chosen value, the focus moved on.
    engine.setListener([this] { afterAction(true); });
}

FormWindow::~FormWindow() {
    // A look-up's list or a child's form open on the form's context goes first.
    dropCalledWindows(this);
    if (engine_ != nullptr) {
        engine_->setListener({});
    }
    // The fields lose the focus while the window goes: nothing of theirs may reach the window's members.
    engine_ = nullptr;
    detachChildren(this);
}

void FormWindow::build() {
    const FormConfig& config = engine_->config();
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("tabs");
    const int tabCount = std::max<int>(1, int(config.tabs.size()));
    for (int tab = 0; tab < tabCount; ++tab) {
        // Each tab's fields scroll when the window is smaller than they need; the buttons below stay.
        auto* scroll = new PageScroll(tabs_);
        auto* page = new QWidget(scroll);
        auto* layout = new QFormLayout(page);
        layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        scroll->setWidget(page);
        tabs_->addTab(scroll, tab < int(config.tabs.size()) ? qt(config.tabs[std::size_t(tab)]) : QString());
        pages_.push_back(page);
    }
    tabs_->setTabBarAutoHide(config.tabs.empty());
    // Fields of no tab stand below the tabs.
    auto* outside = new QWidget(this);
    auto* outsideLayout = new QFormLayout(outside);
    outsideLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < engine_->itemCount(); ++i) {
        const int tab = engine_->item(i).tab;
        items_.push_back(makeItem(i, tab < 0 ? outside : pages_[std::size_t(std::min(tab, tabCount - 1))]));
    }
    outside->setVisible(outsideLayout->rowCount() > 0);
    buildChildren();

    save_ = new QPushButton(QStringLiteral("Išsaugoti"), this);
    save_->setObjectName("saveButton");
    save_->setToolTip(qt(config.saveTooltip));
    save_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Nutraukti"), this);
    cancel_->setObjectName("cancelButton");
    cancel_->setToolTip(QStringLiteral("Baigti neišsaugant pakeitimų"));
    help_ = new QPushButton(QStringLiteral("Pagalba"), this);
    help_->setObjectName("helpButton");
    // The buttons leave the focus in the field: its typed text is accepted before they act.
    for (QPushButton* button : {save_, cancel_, help_}) {
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(save_, &QPushButton::clicked, this, [this] { save(Navigation::None); });
    connect(cancel_, &QPushButton::clicked, this, [this] { frame()->close(); });
    connect(help_, &QPushButton::clicked, this, [this] {
        if (engine_ != nullptr) {
            showHelp(engine_->config().helpTopic);
        }
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);
    buttons->addWidget(help_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(outside);
    layout->addLayout(buttons);
}

// The child lists on their tabs, each showing the children of the record on the form; their forms go
// through the engine, and the record is shown again after each.
void FormWindow::buildChildren() {
    const FormConfig& config = engine_->config();
    const auto pageOf = [this](int tab) {
        return pages_[std::size_t(std::clamp(tab, 0, int(pages_.size()) - 1))];
    };
    for (std::size_t index = 0; index < config.children.size(); ++index) {
        const FormChildList& child = config.children[index];
        QWidget* page = pageOf(child.tab);
        auto* window =
            new ListWindow(engine_->childList(index), engine_->context(), Request::None, page, true);
        window->setFormCall([this, index, form = child.form](Context& context, Request request,
                                                             QWidget* caller, FormDone done) {
            engine_->callChild(
                index,
                [form, &context, request, caller](FormDone answer) {
                    callRecordForm(form, context, request, caller, std::move(answer));
                },
                [this, done = std::move(done)](FormResult result) {
                    showRecord();
                    done(result);
                });
        });
        auto* layout = static_cast<QFormLayout*>(page->layout());
        if (child.row >= 0 && child.row <= layout->rowCount()) {
            layout->insertRow(child.row, window);
        } else {
            layout->addRow(window);
        }
        children_.push_back(window);
    }
    std::map<int, QWidget*> placedAfter; // by field: the last row placed after it
    for (const FormWorkingValue& value : config.workingValues) {
        QWidget* page = pageOf(value.tab);
        auto* layout = static_cast<QFormLayout*>(page->layout());
        auto* text = new QLabel(page);
        text->setObjectName(QStringLiteral("working-%1").arg(qt(value.variable)));
        text->setFrameShape(QFrame::StyledPanel);
        int row = -1;
        if (const int item = engine_->itemOfField(value.afterField); item >= 0) {
            QWidget* before = placedAfter.contains(value.afterField) ? placedAfter[value.afterField]
                                                                     : items_[std::size_t(item)].widget;
            QFormLayout::ItemRole role;
            layout->getWidgetPosition(before, &row, &role);
            if (row < 0 && before->parentWidget() != page) { // a field in a row of its own with its button
                layout->getWidgetPosition(before->parentWidget(), &row, &role);
            }
            placedAfter[value.afterField] = text;
        }
        if (row >= 0) {
            layout->insertRow(row + 1, qt(value.prompt), text);
        } else {
            layout->addRow(qt(value.prompt), text);
        }
        workingValues_.push_back(text);
    }
}

FormWindow::Item FormWindow::makeItem(int index, QWidget* page) {
    const FormField& field = engine_->item(index);
    const FieldDef& def = engine_->table().def().fields[std::size_t(field.field)];
    const QString tooltip = qt(engine_->itemTooltip(index));
    auto* layout = static_cast<QFormLayout*>(page->layout());
    Item item;

    if (field.control == FormControl::CheckBox) {
        item.check = new QCheckBox(qt(field.prompt), page);
        item.check->setToolTip(tooltip);
        item.widget = item.check;
        item.check->installEventFilter(this);
        connect(item.check, &QCheckBox::clicked, this, [this, index] { itemAccepted(index); });
        layout->addRow(QString(), item.check);
        return item;
    }

    if (field.control == FormControl::DropList) {
        item.combo = new QComboBox(page);
        item.combo->setEditable(true);
        for (const std::string& choice : field.choices) {
            item.combo->addItem(qt(choice));
        }
        item.edit = item.combo->lineEdit();
        item.widget = item.combo;
        connect(item.combo, &QComboBox::activated, this, [this, index] { itemAccepted(index); });
    } else if (def.isDate) {
        item.date = new DateEntry(page);
        item.date->setTip(tooltip);
        item.edit = item.date->edit();
        item.widget = item.date;
        connect(item.date, &DateEntry::accepted, this, [this, index] { itemAccepted(index); });
    } else {
        item.edit = new QLineEdit(page);
        item.widget = item.edit;
    }
    item.edit->setObjectName(QStringLiteral("field-%1").arg(qt(std::string(def.bareName()))));
    if (item.date == nullptr) {
        item.edit->setToolTip(tooltip);
        connect(item.edit, &QLineEdit::editingFinished, this, [this, index] {
            QLineEdit* edit = items_[std::size_t(index)].edit;
            if (edit->isModified()) {
                edit->setModified(false);
                itemAccepted(index);
            }
        });
    }
    if (def.type == FieldType::String) {
        item.edit->setMaxLength(def.size);
    }
    if (item.date == nullptr) {
        const QFontMetrics metrics = item.edit->fontMetrics();
        item.widget->setMinimumWidth(metrics.averageCharWidth() * typicalCharacters(def, field.picture) + 16);
    }
    item.edit->installEventFilter(this);

    QWidget* row = item.widget;
    const bool lookUpButton = field.lookUp && field.lookUp->button;
    if (lookUpButton || field.beside) {
        row = new QWidget(page);
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        rowLayout->setSpacing(1);
        item.widget->setParent(row);
        rowLayout->addWidget(item.widget, 1);
        if (lookUpButton) {
            item.lookUp = new QToolButton(row);
            item.lookUp->setObjectName("lookUpButton");
            item.lookUp->setText(QStringLiteral("…"));
            item.lookUp->setToolTip(QStringLiteral("Atverčia sarašą reikšmei pasirinkti"));
            item.lookUp->setFocusPolicy(Qt::NoFocus);
            rowLayout->addWidget(item.lookUp);
            connect(item.lookUp, &QToolButton::clicked, this, [this, index] { lookUp(index); });
        }
        if (field.beside) {
            item.beside = new QLabel(row);
            item.beside->setObjectName(QStringLiteral("beside-%1").arg(qt(std::string(def.bareName()))));
            item.beside->setFrameShape(QFrame::StyledPanel);
            rowLayout->addSpacing(6);
            rowLayout->addWidget(item.beside, 2);
        }
    }
    auto* label = new QLabel(qt(field.prompt), page);
    label->setBuddy(item.widget);
    layout->addRow(label, row);
    return item;
}

QWidget* FormWindow::itemWidget(int item) const {
    return items_[std::size_t(item)].widget;
}

QToolButton* FormWindow::lookUpButton(int item) const {
    return items_[std::size_t(item)].lookUp;
}

QLabel* FormWindow::besideText(int item) const {
    return items_[std::size_t(item)].beside;
}

QWidget* FormWindow::tabPage(int tab) const {
    return pages_[std::size_t(tab)];
}

void FormWindow::showRecord() {
    if (engine_ == nullptr) {
        return;
    }
    // The guest's name as typed so far tells this window from another of the same form.
    const QString title = qt(engine_->title());
    if (windowTitle() != title) {
        setWindowTitle(title);
        frame()->setWindowTitle(title);
    }
    for (int i = 0; i < int(items_.size()); ++i) {
        const Item& item = items_[std::size_t(i)];
        const QString text = qt(engine_->itemText(i));
        const bool editable = engine_->itemEditable(i);
        if (item.check != nullptr) {
            item.check->setChecked(text.toInt() != 0);
            item.check->setEnabled(editable);
            continue;
        }
        item.edit->setText(text);
        item.edit->setModified(false);
        item.edit->setReadOnly(!editable);
        showReadOnly(*item.edit, !editable);
        if (item.lookUp != nullptr) {
            item.lookUp->setEnabled(editable);
        }
        if (item.beside != nullptr) {
            item.beside->setText(qt(engine_->item(i).beside(*engine_)));
        }
        if (item.date != nullptr) {
            item.date->calendarButton()->setEnabled(editable);
        }
    }
    const std::vector<FormWorkingValue>& values = engine_->config().workingValues;
    for (std::size_t i = 0; i < workingValues_.size(); ++i) {
        const Value* value = engine_->variables().find(values[i].variable);
        workingValues_[i]->setText(value != nullptr ? qt(values[i].picture.format(*value)) : QString());
    }
    // The toolbar follows the form: after a look-up's list has answered, its buttons are the form's again.
    toolbarChanged();
    growToFit();
}

// A text shown beside a field may need more room than the window had when it opened (a room's
// building, floor, number and type once the room is chosen): the window grows to show it whole, as far
// as its area lets it.
void FormWindow::growToFit() {
    auto* scroll = qobject_cast<QScrollArea*>(tabs_->currentWidget());
    if (!isVisible() || scroll == nullptr || scroll->widget() == nullptr) {
        return;
    }
    QWidget* page = scroll->widget();
    page->layout()->activate();
    growFrame(this, QSize(page->minimumSizeHint().width() - scroll->viewport()->width(), 0));
}

int FormWindow::itemOf(const QObject* object) const {
    for (int i = 0; i < int(items_.size()); ++i) {
        const Item& item = items_[std::size_t(i)];
        if (object == item.edit || object == item.check) {
            return i;
        }
    }
    return -1;
}

QString FormWindow::typedText(int item) const {
    const Item& shown = items_[std::size_t(item)];
    if (shown.check != nullptr) {
        return shown.check->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    }
    return shown.edit->text();
}

bool FormWindow::pushText(int item) {
    return engine_->setItemText(item, typedText(item).toStdString());
}

void FormWindow::itemAccepted(int item) {
    if (engine_ == nullptr) {
        return;
    }
    if (!pushText(item) || !engine_->acceptItem(item)) {
        afterAction(true);
        return;
    }
    afterAction(false);
}

// Text typed and not yet accepted (the field still has the focus) is accepted now, before a button
// acts.
bool FormWindow::commitTyped() {
    for (int item = 0; item < int(items_.size()); ++item) {
        QLineEdit* edit = items_[std::size_t(item)].edit;
        if (edit == nullptr || !edit->isModified()) {
            continue;
        }
        edit->setModified(false);
        if (!pushText(item) || !engine_->acceptItem(item)) {
            afterAction(true);
            return false;
        }
    }
    return true;
}

void FormWindow::save(Navigation navigation) {
    if (engine_ == nullptr || !commitTyped()) {
        return;
    }
    engine_->save(navigation);
    afterAction(true);
}

void FormWindow::lookUp(int item) {
    if (engine_ == nullptr) {
        return;
    }
    engine_->setFocusItem(item);
    if (items_[std::size_t(item)].edit != nullptr && items_[std::size_t(item)].edit->isModified()) {
        items_[std::size_t(item)].edit->setModified(false);
        pushText(item);
    }
    engine_->lookUp(item);
    afterAction(true);
}

void FormWindow::afterAction(bool moveFocus) {
    if (engine_ == nullptr) {
        return;
    }
    if (engine_->finished()) {
        frame()->close();
        return;
    }
    showRecord();
    if (moveFocus) {
        focusItem(engine_->focusItem());
    }
}

QWidget* FormWindow::focusTarget(int item) const {
    if (item < 0 || item >= int(items_.size())) {
        return nullptr;
    }
    return items_[std::size_t(item)].check != nullptr ? static_cast<QWidget*>(items_[std::size_t(item)].check)
                                                      : items_[std::size_t(item)].edit;
}

void FormWindow::focusItem(int item) {
    if (item < 0 || item >= int(items_.size())) {
        return;
    }
    const int tab = std::clamp(engine_->item(item).tab, 0, int(pages_.size()) - 1);
    if (tab >= 0 && engine_->item(item).tab >= 0) {
        tabs_->setCurrentIndex(tab);
    }
    QWidget* target = focusTarget(item);
    target->setFocus();
    // On a page that scrolls, the field comes into view.
    if (auto* scroll = qobject_cast<QScrollArea*>(tabs_->currentWidget())) {
        scroll->ensureWidgetVisible(target);
    }
    if (items_[std::size_t(item)].edit != nullptr) {
        items_[std::size_t(item)].edit->selectAll();
    }
}

bool FormWindow::isHistoryKey(const QKeyEvent& event) const {
    if (!(event.modifiers() & Qt::ControlModifier)) {
        return false;
    }
    const int virtualKey = engine_->config().historyKey;
#ifdef Q_OS_WIN
    if (event.nativeVirtualKey() == quint32(virtualKey)) {
        return true;
    }
#endif
    const int key = qtKeyOf(virtualKey);
    return key != 0 && event.key() == key;
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    const int item = itemOf(watched);
    if (engine_ == nullptr || item < 0) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusIn) {
        engine_->enterItem(item);
        // A default the form filled in as the user reached the field.
        QLineEdit* edit = items_[std::size_t(item)].edit;
        const QString text = qt(engine_->itemText(item));
        if (edit != nullptr && !edit->isModified() && edit->text() != text) {
            edit->setText(text);
        }
    } else if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Down && (key.modifiers() & Qt::ControlModifier) &&
            engine_->item(item).lookUp) {
            lookUp(item);
            return true;
        }
        if (isHistoryKey(key)) {
            engine_->setFocusItem(item);
            engine_->restoreHistory();
            afterAction(true);
            return true;
        }
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
            save(Navigation::None);
            return true;
        }
        if (key.key() == Qt::Key_Escape) {
            frame()->close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* FormWindow::frame() const {
    if (auto* child = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        return child;
    }
    return const_cast<FormWindow*>(this);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (waitsForCalledWindow(this)) { // its look-up's list or a child's form answers first
        event->ignore();
        return;
    }
    if (engine_ != nullptr && !engine_->finished() && !engine_->cancel()) {
        event->ignore();
        afterAction(true);
        return;
    }
    if (engine_ != nullptr) {
        const QPoint where = frame()->pos();
        formMemory(engine_->config().name).position = FormMemory::Point{where.x(), where.y()};
        const FormResult result = engine_->result();
        engine_->setListener({});
        engine_ = nullptr;
        emit finished(result);
    }
    event->accept();
}

bool FormWindow::toolbarEnabled(ToolbarButton button) const {
    return engine_ != nullptr && engine_->toolbarEnabled(button);
}

std::string FormWindow::toolbarTooltip(ToolbarButton button) const {
    return engine_ != nullptr ? engine_->toolbarTooltip(button) : std::string();
}

void FormWindow::toolbarPressed(ToolbarButton button) {
    if (engine_ == nullptr || !engine_->toolbarEnabled(button)) {
        return;
    }
    switch (button) {
    case ToolbarButton::Close:
        frame()->close();
        return;
    case ToolbarButton::History:
    case ToolbarButton::Help:
        engine_->toolbarPressed(button);
        afterAction(true);
        return;
    default:
        // Every other enabled button saves: the text being typed is accepted first.
        if (commitTyped()) {
            engine_->toolbarPressed(button);
            afterAction(true);
        }
        return;
    }
}

void FormWindow::call(std::shared_ptr<const FormConfig> config, Context& context, Request request,
                      QWidget* caller, FormDone done, const std::function<void(FormWindow&)>& setUp) {
    auto shown = std::make_shared<QPointer<FormWindow>>();
    auto engine = std::make_unique<FormEngine>(
        std::move(config), context, [shown](const FormLookUp& lookUp, Context& on, SelectDone answer) {
            callSelectionList(lookUp.list, on, *shown, std::move(answer));
        });
    // The form and its child lists' first pages are read in one moment.
    auto moment = std::make_optional<Context::ReadMoment>(context);
    if (!engine->open(request)) {
        moment.reset();
        done(engine->result());
        return;
    }

    FormEngine& form = *engine;
    auto* window = new FormWindow(form);
    moment.reset();
    window->ownEngine_ = std::move(engine);
    *shown = window;
    if (setUp) {
        setUp(*window);
    }
    auto result = std::make_shared<FormResult>(form.result());
    connect(window, &FormWindow::finished, window, [result](FormResult finished) { *result = finished; });

    const std::optional<FormMemory::Point> remembered = formMemory(form.config().name).position;
    QWidget* frame = openCalledWindow(window, caller, [result, done = std::move(done)] { done(*result); });
    frame->adjustSize();
    std::optional<QPoint> position;
    if (remembered) {
        position = QPoint(remembered->x, remembered->y);
    }
    showWindowInArea(frame, window->focusTarget(form.focusItem()), caller, position);
    window->focusItem(form.focusItem());
}

} // namespace nakva
