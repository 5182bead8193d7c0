#include "ui/ListEngine.h"

#include "data/Collation.h"
#include "data/Context.h"
#include "data/Integrity.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/View.h"
#include "messages/ErrorText.h"
#include "messages/StandardWarnings.h"
#include "ui/Help.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <memory>
#include <utility>

namespace nakva {

namespace {

constexpr int WarningRecordRetrieval = 35;

bool sameField(const FieldRef& a, const FieldRef& b) {
    return a.table == b.table && a.field == b.field && a.secondBuffer == b.secondBuffer;
}

const FieldDef& definition(const FieldRef& field) {
    return field.table->fields[std::size_t(field.field)];
}

bool isBlank(std::string_view text) {
    return trimRight(text).empty();
}

// The selectors' values kept for the program run, by list and variable.
std::map<std::string, Value>& rememberedSelectors() {
    static std::map<std::string, Value> remembered;
    return remembered;
}

std::string memoryKey(const ListConfig& config, const TabSelector& selector) {
    return config.name + "|" + upper(selector.variable);
}

std::string digitsOf(const Value& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*integer);
    }
    if (const auto* decimal = std::get_if<Decimal>(&value)) {
        return decimal->toString();
    }
    return {};
}

// The first character of a UTF-8 text, or an empty view.
std::string_view firstCharacter(std::string_view text) {
    if (text.empty()) {
        return text;
    }
    std::size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0u) == 0x80u) {
        ++length;
    }
    return text.substr(0, length);
}

// Marks the engine busy for the length of a call, so that a window event arriving while a message or
// a form is shown (a focus change, say) does not start a read in the middle of another.
class BusyGuard {
public:
    explicit BusyGuard(bool& busy) : busy_(busy), was_(busy) { busy_ = true; }
    ~BusyGuard() { busy_ = was_; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& busy_;
    bool was_;
};

} // namespace

ListEngine::ListEngine(ListConfig config, Context& context, Request request, const Variables* globals)
    : config_(std::move(config)), context_(context), table_(context.table(config_.table)),
      select_(request == Request::Select), variables_(globals), form_(config_.form) {
    handles_.push_back(&table_);
    for (TableId join : config_.joins) {
        handles_.push_back(&context_.table(join));
    }
    for (const ListColumn& column : config_.columns) {
        columns_.push_back(column.compute ? std::nullopt : Dictionary::instance().findField(column.field));
    }
}

ListEngine::~ListEngine() {
    *alive_ = false;
    view_.reset();
    for (auto table = opened_.rbegin(); table != opened_.rend(); ++table) {
        (*table)->close();
    }
}

void ListEngine::notify() {
    // The window was resized during a call (its form open): the page takes its size now.
    if (pendingPageSize_ != 0 && !busy_) {
        (void)resizePage(std::exchange(pendingPageSize_, 0));
    }
    if (listener_) {
        listener_();
    }
}

const std::string& ListEngine::locatorField() const {
    return config_.tabs.at(std::size_t(tab_)).locator;
}

// --- opening ---

void ListEngine::open() {
    if (open_ || busy_) {
        return;
    }
    {
        BusyGuard busy(busy_);
        for (Table* table : handles_) {
            table->open();
            opened_.push_back(table);
        }
        for (const auto& [id, secondBuffer] : config_.opens) {
            Table* table = context_.handle(id, secondBuffer);
            table->open();
            opened_.push_back(table);
        }
        open_ = true;
        bindSelectors();
        if (config_.bind) {
            config_.bind(variables_);
        }
        skipBlankFirstTab();
        openView();
        fill(Start{select_ ? StartKind::KeyValue : StartKind::First, {}}, 0, {});
    }
    notify();
}

void ListEngine::reload() {
    if (!open_ || closing_ || busy_) {
        return;
    }
    {
        BusyGuard busy(busy_);
        openView();
        fill(Start{}, 0, {});
    }
    notify();
}

std::string ListEngine::combinedFilter() const {
    const std::string& own = config_.tabs.at(std::size_t(tab_)).filter;
    if (isBlank(config_.filter)) {
        return own;
    }
    if (isBlank(own)) {
        return config_.filter;
    }
    return "(" + config_.filter + ") AND (" + own + ")";
}

std::unique_ptr<View> ListEngine::makeView() const {
    auto view = std::make_unique<View>(table_, &variables_);
    for (TableId join : config_.joins) {
        view->join(join);
    }
    view->setOrder(config_.tabs.at(std::size_t(tab_)).order);
    view->setFilter(combinedFilter());
    return view;
}

void ListEngine::openView() {
    const SortTab& tab = config_.tabs.at(std::size_t(tab_));
    view_ = makeView();
    view_->setPageSize(pageSize_);

    // A view that cannot be opened has shown its warning and yields no rows: the list stays empty.
    view_->open();

    orderFields_ = view_->orderFields();
    locator_.reset();
    locatorComponent_ = -1;
    if (const auto locator = Dictionary::instance().findField(tab.locator)) {
        for (std::size_t i = 0; i < orderFields_.size(); ++i) {
            if (sameField(orderFields_[i], *locator)) {
                locator_ = *locator;
                locatorComponent_ = int(i);
                break;
            }
        }
    }
    steps_ = {};
}

// --- reading ---

bool ListEngine::ok(StoreStatus status) {
    if (status == StoreStatus::Ok) {
        return true;
    }
    fail();
    return false;
}

void ListEngine::fail() {
    if (closing_) {
        return;
    }
    // Closing first: the message may hand the focus back to the window, whose refresh must not read.
    closing_ = true;
    response_ = Response::Cancelled;
    standardWarning(WarningRecordRetrieval, table_.def().messageName());
}

Table& ListEngine::handle(const FieldRef& field) const {
    return *context_.handle(field.table->id, field.secondBuffer);
}

const Value& ListEngine::fieldValue(const FieldRef& field) const {
    return handle(field).record().value(field.field);
}

bool ListEngine::readRow(bool forward, ListRow& row) {
    const StoreStatus status = forward ? view_->next() : view_->previous();
    if (status == StoreStatus::EndOfData || !ok(status)) {
        return false;
    }
    row.position = view_->position();
    row.cells = bufferCells();
    row.icons.clear();
    for (const ListColumn& column : config_.columns) {
        row.icons.push_back(column.icon ? column.icon(context_) : std::string());
    }
    row.locator = std::monostate{};
    if (locator_) {
        row.locator = fieldValue(*locator_);
        if (auto* text = std::get_if<std::string>(&row.locator)) {
            *text = upper(*text);
        }
    }
    row.records.clear();
    for (const Table* table : handles_) {
        row.records.push_back(table->record());
    }
    return true;
}

std::vector<std::string> ListEngine::bufferCells() const {
    std::vector<std::string> cells;
    cells.reserve(config_.columns.size());
    for (std::size_t i = 0; i < config_.columns.size(); ++i) {
        const ListColumn& column = config_.columns[i];
        if (column.compute) {
            cells.push_back(column.compute(context_));
        } else if (const auto& field = columns_[i]) {
            cells.push_back(column.picture.format(fieldValue(*field), definition(*field).isDate));
        } else {
            cells.emplace_back();
        }
    }
    return cells;
}

std::unique_ptr<View> ListEngine::readAllRows() {
    if (!open_ || closing_ || busy_) {
        return nullptr;
    }
    auto view = makeView();
    view->scanHint(true);
    if (view->open() != StoreStatus::Ok || view->setToStart() != StoreStatus::Ok) {
        endReadingAllRows();
        return nullptr;
    }
    return view;
}

void ListEngine::endReadingAllRows() {
    if (!closing_) {
        syncBuffers();
    }
}

ListEngine::ReadEnd ListEngine::readRows(bool forward, int limit, std::vector<ListRow>& read) {
    while (int(read.size()) < limit) {
        ListRow row;
        if (!readRow(forward, row)) {
            return closing_ ? ReadEnd::Closing : ReadEnd::Edge;
        }
        read.push_back(std::move(row));
    }
    return ReadEnd::Full;
}

bool ListEngine::fill(const Start& requested, int above, const Position& target) {
    // The page, its edges and the thumb's ends are read in one moment.
    Context::ReadMoment moment(context_);
    return fillRows(requested, above, target);
}

bool ListEngine::fillRows(const Start& requested, int above, const Position& target) {
    Start start = requested;
    // A position taken in another order is found by its record; a record gone meanwhile is looked
    // for by the key values still standing in the buffers.
    const auto seek = [&](bool including) {
        if (start.kind == StartKind::KeyValue) {
            return view_->setToKeyValue();
        }
        const StoreStatus status = view_->setToPosition(start.position, including);
        if (status == StoreStatus::Failed && lastOperationError().number == StoreError::BadPosition) {
            start.kind = StartKind::KeyValue;
            return view_->setToKeyValue();
        }
        return status;
    };
    if (start.kind == StartKind::Position && start.position.empty()) {
        start.kind = StartKind::KeyValue;
    }

    std::vector<ListRow> page;
    bool hitStart = start.kind == StartKind::First;
    bool hitEnd = start.kind == StartKind::Last;
    if (start.kind == StartKind::Position && above > 0) {
        if (!ok(seek(false))) {
            return false;
        }
        const ReadEnd end = readRows(false, above, page);
        if (end == ReadEnd::Closing) {
            return false;
        }
        hitStart = end == ReadEnd::Edge;
        std::reverse(page.begin(), page.end());
    }
    int anchor = -1; // the first row read from the start point
    if (start.kind != StartKind::Last) {
        const StoreStatus status = start.kind == StartKind::First ? view_->setToStart() : seek(true);
        if (!ok(status)) {
            return false;
        }
        const int before = int(page.size());
        const ReadEnd end = readRows(true, pageSize_, page);
        if (end == ReadEnd::Closing) {
            return false;
        }
        hitEnd = hitEnd || end == ReadEnd::Edge;
        anchor = int(page.size()) > before ? before : -1;
    }
    if (int(page.size()) < pageSize_ && !hitStart) {
        StoreStatus status = StoreStatus::Ok;
        if (!page.empty()) {
            status = view_->setToPosition(page.front().position, false);
        } else if (start.kind == StartKind::Last) {
            status = view_->setToStart();
        } else {
            // Nothing at or after the start point, so nothing was read and the buffers still hold the
            // key values: read the records before it.
            status = seek(false);
        }
        if (!ok(status)) {
            return false;
        }
        std::vector<ListRow> before; // nearest first
        const ReadEnd end = readRows(false, pageSize_ - int(page.size()), before);
        if (end == ReadEnd::Closing) {
            return false;
        }
        hitStart = end == ReadEnd::Edge;
        anchor += anchor >= 0 ? int(before.size()) : 0;
        page.insert(page.begin(), std::make_move_iterator(before.rbegin()),
                    std::make_move_iterator(before.rend()));
    }

    rows_ = std::move(page);
    atStart_ = hitStart;
    atEnd_ = hitEnd;
    current_ = 0;
    if (!target.empty()) {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (rows_[i].position.sameRecord(target)) {
                current_ = int(i) + 1;
            }
        }
    }
    if (current_ == 0 && !rows_.empty()) {
        current_ = anchor >= 0 ? anchor + 1 : int(rows_.size());
    }
    afterRebuild();
    return !closing_;
}

bool ListEngine::fillCurrentAt(int row, const Start& start) {
    if (!fill(start, 0, {})) {
        return false;
    }
    current_ = rows_.empty() ? 0 : std::clamp(row, 1, int(rows_.size()));
    syncBuffers();
    return true;
}

void ListEngine::afterRebuild() {
    buildSteps();
    if (!closing_) {
        syncBuffers();
    }
}

void ListEngine::buildSteps() {
    steps_ = {};
    if (!locator_ || int(rows_.size()) < pageSize_) {
        return;
    }
    // Only the edge rows' values are wanted: read alone, not with their records.
    const auto edge = [&](bool first, Value& value) {
        if (first ? atStart_ : atEnd_) {
            value = (first ? rows_.front() : rows_.back()).locator;
            return true;
        }
        const StoreStatus status = view_->edgeValue(!first, *locator_, value);
        return status != StoreStatus::EndOfData && ok(status);
    };
    Value first;
    Value last;
    if (!edge(true, first) || !edge(false, last)) {
        return;
    }
    if (definition(*locator_).type == FieldType::String) {
        steps_ = LocatorSteps::text(std::get<std::string>(first), std::get<std::string>(last));
    } else {
        steps_ = LocatorSteps::numeric(numberOf(first), numberOf(last));
    }
}

void ListEngine::syncBuffers() {
    if (rows_.empty()) {
        table_.clear();
        return;
    }
    const ListRow& row = rows_[std::size_t(current_ - 1)];
    for (std::size_t i = 0; i < handles_.size(); ++i) {
        handles_[i]->record() = row.records[i];
    }
}

// --- scrolling ---

void ListEngine::setPageSize(int rows) {
    if (busy_) {
        pendingPageSize_ = std::max(rows, 1); // taken when the call ends
        return;
    }
    pendingPageSize_ = 0;
    if (resizePage(rows)) {
        notify();
    }
}

bool ListEngine::resizePage(int rows) {
    rows = std::max(rows, 1);
    if (rows == pageSize_) {
        return false;
    }
    pageSize_ = rows;
    if (view_) {
        view_->setPageSize(rows);
    }
    if (!open_ || closing_ || minimised_) {
        if (open_) {
            refreshPending_ = true;
        }
        return false;
    }
    BusyGuard busy(busy_);
    if (rows_.empty()) {
        fill(Start{}, 0, {});
    } else {
        const Position current = rows_[std::size_t(current_ - 1)].position;
        fill(Start{StartKind::Position, current}, std::min(current_, pageSize_) - 1, current);
    }
    return true;
}

void ListEngine::setCurrentRow(int row) {
    if (busy_ || closing_ || row < 1 || row > int(rows_.size()) || row == current_) {
        return;
    }
    current_ = row;
    syncBuffers();
    notify();
}

bool ListEngine::rowDown() {
    if (rows_.empty()) {
        return false;
    }
    if (current_ < int(rows_.size())) {
        ++current_;
        syncBuffers();
        return true;
    }
    ListRow row;
    if (!ok(view_->setToPosition(rows_.back().position, false)) || !readRow(true, row)) {
        atEnd_ = !closing_;
        return false;
    }
    rows_.erase(rows_.begin());
    rows_.push_back(std::move(row));
    atStart_ = false;
    syncBuffers();
    return true;
}

bool ListEngine::rowUp() {
    if (rows_.empty()) {
        return false;
    }
    if (current_ > 1) {
        --current_;
        syncBuffers();
        return true;
    }
    ListRow row;
    if (!ok(view_->setToPosition(rows_.front().position, false)) || !readRow(false, row)) {
        atStart_ = !closing_;
        return false;
    }
    rows_.pop_back();
    rows_.insert(rows_.begin(), std::move(row));
    atEnd_ = false;
    syncBuffers();
    return true;
}

bool ListEngine::readPage(bool forward, std::vector<ListRow>& read) {
    if (int(rows_.size()) < pageSize_ ||
        !ok(view_->setToPosition((forward ? rows_.back() : rows_.front()).position, false))) {
        return false;
    }
    const ReadEnd end = readRows(forward, pageSize_, read);
    if (end == ReadEnd::Closing) {
        return false;
    }
    if (end == ReadEnd::Edge) {
        (forward ? atEnd_ : atStart_) = true;
    }
    return !read.empty();
}

void ListEngine::pageDown() {
    std::vector<ListRow> read;
    if (!readPage(true, read)) {
        return;
    }
    const int count = int(read.size());
    rows_.erase(rows_.begin(), rows_.begin() + count);
    std::move(read.begin(), read.end(), std::back_inserter(rows_));
    atStart_ = false;
    current_ = std::min(current_ + count, int(rows_.size()));
    syncBuffers();
}

void ListEngine::pageUp() {
    std::vector<ListRow> read; // nearest first
    if (!readPage(false, read)) {
        return;
    }
    const int count = int(read.size());
    rows_.erase(rows_.end() - count, rows_.end());
    std::move(read.rbegin(), read.rend(), std::inserter(rows_, rows_.begin()));
    atEnd_ = false;
    current_ = std::max(current_ - count, 1);
    syncBuffers();
}

void ListEngine::move(ListMove move) {
    if (!open_ || closing_ || busy_) {
        return;
    }
    {
        BusyGuard busy(busy_);
        switch (move) {
        case ListMove::RowDown:
            rowDown();
            break;
        case ListMove::RowUp:
            rowUp();
            break;
        case ListMove::PageDown:
            pageDown();
            break;
        case ListMove::PageUp:
            pageUp();
            break;
        case ListMove::Top:
            fill(Start{StartKind::First, {}}, 0, {});
            break;
        case ListMove::Bottom:
            fill(Start{StartKind::Last, {}}, 0, {});
            break;
        }
    }
    notify();
}

bool ListEngine::scrollBarVisible() const {
    return open_ && !rows_.empty() && int(rows_.size()) == pageSize_;
}

int ListEngine::thumb() const {
    if (!steps_.empty() && current_ > 0) {
        return steps_.thumb(rows_[std::size_t(current_ - 1)].locator);
    }
    return atStart_ ? 0 : atEnd_ ? LocatorSteps::Count : LocatorSteps::Count / 2;
}

void ListEngine::dragThumb(int p) {
    if (p <= 1) {
        move(ListMove::Top);
        return;
    }
    if (p >= LocatorSteps::Count) {
        move(ListMove::Bottom);
        return;
    }
    if (!open_ || closing_ || busy_ || steps_.empty()) {
        return;
    }
    {
        BusyGuard busy(busy_);
        const FieldDef& field = definition(*locator_);
        if (steps_.isText()) {
            setLocatorValue(steps_.text(p));
        } else if (field.type == FieldType::Decimal) {
            setLocatorValue(Decimal::fromDouble(steps_.number(p), field.places));
        } else {
            setLocatorValue(std::int64_t(std::floor(steps_.number(p) + 1e-9)));
        }
        fill(Start{StartKind::KeyValue, {}}, 0, {});
    }
    notify();
}

// --- locating ---

void ListEngine::setLocatorValue(const Value& value) {
    (void)handle(*locator_).record().setValue(locator_->field, value);
    for (std::size_t i = std::size_t(locatorComponent_) + 1; i < orderFields_.size(); ++i) {
        (void)handle(orderFields_[i]).record().setValue(orderFields_[i].field, std::monostate{});
    }
}

bool ListEngine::startsWith(const Value& locator, std::string_view character) const {
    if (const auto* text = std::get_if<std::string>(&locator)) {
        return firstCharacter(*text) == upper(character);
    }
    return firstCharacter(digitsOf(locator)) == character;
}

void ListEngine::typeCharacter(std::string_view typed) {
    const std::string_view character = firstCharacter(typed);
    if (!open_ || closing_ || busy_ || !locator_ || rows_.empty() || character.empty() ||
        static_cast<unsigned char>(character.front()) < 0x20 || !isCp1257Text(character)) {
        return;
    }
    {
        BusyGuard busy(busy_);
        bool done = false;
        if (startsWith(rows_[std::size_t(current_ - 1)].locator, character)) {
            // At the last record of the order the walk goes back to the first of the letter.
            done = rowDown() && startsWith(rows_[std::size_t(current_ - 1)].locator, character);
        }
        if (!done && !closing_) {
            const FieldDef& field = definition(*locator_);
            const char digit =
                character.size() == 1 && character[0] >= '0' && character[0] <= '9' ? character[0] : '0';
            if (field.type == FieldType::String) {
                setLocatorValue(upper(character));
            } else {
                setLocatorValue(std::int64_t(digit - '0'));
            }
            fill(Start{StartKind::KeyValue, {}}, 0, {});
        }
    }
    notify();
}

void ListEngine::locate(const Value& value) {
    if (!open_ || closing_ || busy_ || !locator_) {
        return;
    }
    {
        BusyGuard busy(busy_);
        // A text is looked for by its capitals, as the letter locator does: on a key with letter case
        // they come first among the same letters.
        const auto* text = std::get_if<std::string>(&value);
        setLocatorValue(text != nullptr ? Value(upper(*text)) : value);
        fill(Start{StartKind::KeyValue, {}}, 0, {});
    }
    notify();
}

// --- tabs, refresh, closing ---

void ListEngine::selectTab(int tab) {
    if (!open_ || closing_ || busy_ || tab == tab_ || tab < 0 || tab >= int(config_.tabs.size())) {
        return;
    }
    {
        BusyGuard busy(busy_);
        const Position current = rows_.empty() ? Position() : rows_[std::size_t(current_ - 1)].position;
        tab_ = tab;
        openView();
        if (current.empty()) {
            fill(Start{}, 0, {});
        } else {
            fill(Start{StartKind::Position, current}, 0, current);
        }
    }
    notify();
}

// --- tab selectors ---

// Every selector's variable bound before the first read: its remembered value, or blank, so that a
// filter means the chosen value and never a joined record's field of the same name.
void ListEngine::bindSelectors() {
    for (const SortTab& tab : config_.tabs) {
        if (!tab.selector) {
            continue;
        }
        const TabSelector& selector = *tab.selector;
        const auto remembered = rememberedSelectors().find(memoryKey(config_, selector));
        if (selector.remembered && remembered != rememberedSelectors().end()) {
            variables_.set(selector.variable, remembered->second);
        } else {
            variables_.set(selector.variable, Record(selector.lookUp.table).value(selector.lookUp.field));
        }
    }
}

// A picker whose first tab would show an empty filter opens on the next tab.
void ListEngine::skipBlankFirstTab() {
    const std::optional<TabSelector>& first = config_.tabs.front().selector;
    if (tab_ != 0 || config_.tabs.size() < 2 || !first || !first->skippedWhenBlank) {
        return;
    }
    const Value* value = variables_.find(first->variable);
    if (value == nullptr || isBlankValue(*value)) {
        tab_ = 1;
    }
}

// A record just saved that the shown tab's chosen value hides: the tab takes the value the record holds
// in the field the tab primes, and the view is read again with it. False when nothing changed.
bool ListEngine::followSavedRecord(const Record& saved) {
    const SortTab& shown = config_.tabs.at(std::size_t(tab_));
    if (!shown.selector) {
        return false;
    }
    for (const InsertPrime& prime : shown.primes) {
        if (upper(prime.variable) != upper(shown.selector->variable)) {
            continue;
        }
        const auto field = Dictionary::instance().findField(prime.field);
        if (!field || field->table->id != config_.table) {
            continue;
        }
        const Value& value = saved.value(field->field);
        const Value* chosen = variables_.find(shown.selector->variable);
        if (chosen != nullptr && *chosen == value) {
            return false;
        }
        if (shown.selector->remembered) {
            rememberedSelectors()[memoryKey(config_, *shown.selector)] = value;
        }
        variables_.set(shown.selector->variable, value);
        openView();
        return true;
    }
    return false;
}

const TabSelector* ListEngine::selector() const {
    const std::optional<TabSelector>& selector = config_.tabs.at(std::size_t(tab_)).selector;
    return selector ? &*selector : nullptr;
}

std::string ListEngine::selectorText(int tab) const {
    const std::optional<TabSelector>& shown = config_.tabs.at(std::size_t(tab)).selector;
    const Value* value = shown ? variables_.find(shown->variable) : nullptr;
    if (value == nullptr) {
        return {};
    }
    if (const auto* text = std::get_if<std::string>(value)) {
        return std::string(trimRight(*text));
    }
    return digitsOf(*value);
}

std::vector<std::string> ListEngine::selectorBeside(int tab) const {
    const std::optional<TabSelector>& shown = config_.tabs.at(std::size_t(tab)).selector;
    const Value* value = shown ? variables_.find(shown->variable) : nullptr;
    if (value == nullptr || !shown->beside) {
        return {};
    }
    return shown->beside(context_, *value);
}

// The look-up's list at the value standing in its table's buffer, which stays open until the list has
// answered; a chosen value is taken. The list is busy meanwhile.
void ListEngine::chooseSelectorValue(std::shared_ptr<OpenedTable> opened, const SelectCall& choose,
                                     std::function<void(bool)> done) {
    if (!choose) {
        syncBuffers();
        done(false);
        return;
    }
    busy_ = true;
    choose(context_, [this, opened, done = std::move(done), alive = alive_](Response response) {
        if (!*alive) {
            return;
        }
        busy_ = false;
        std::optional<Value> chosen;
        if (response == Response::Completed) {
            chosen = opened->table().record().value(selector()->lookUp.field);
        }
        // The look-up used the buffers the current row stands in.
        syncBuffers();
        if (chosen) {
            takeSelectorValue(*chosen);
        }
        done(chosen.has_value());
    });
}

void ListEngine::takeSelectorValue(const Value& value) {
    const TabSelector& shown = *selector();
    if (shown.remembered) {
        rememberedSelectors()[memoryKey(config_, shown)] = value;
    }
    variables_.set(shown.variable, value);
    reload();
}

void ListEngine::acceptSelector(std::string_view typed, const SelectCall& choose,
                                std::function<void(bool)> done) {
    const TabSelector* shown = selector();
    if (shown == nullptr || !open_ || closing_ || busy_) {
        done(false);
        return;
    }
    const FormLookUp& lookUp = shown->lookUp;
    const auto opened = std::make_shared<OpenedTable>(context_.table(lookUp.table));
    Table& other = opened->table();
    other.clear();
    if (const SetResult set = other.record().setText(lookUp.field, typed); !set) {
        syncBuffers();
        std::string_view name = shown->prompt;
        while (!name.empty() && (name.back() == ':' || name.back() == ' ')) {
            name.remove_suffix(1);
        }
        MessageRequest request;
        request.text = std::string(name) + ": " + set.error;
        request.title = "Negeras lauko turinys";
        request.icon = MessageIcon::Information;
        showMessage(request);
        done(false);
        return;
    }
    Value value = other.record().value(lookUp.field);
    if (!isBlankValue(value)) {
        const StoreStatus found = other.getByKey(lookUp.key);
        if (found == StoreStatus::NotFound) {
            chooseSelectorValue(opened, choose, std::move(done));
            return;
        }
        if (found != StoreStatus::Ok) {
            syncBuffers();
            standardWarning(WarningRecordRetrieval, other.def().messageName());
            done(false);
            return;
        }
        value = other.record().value(lookUp.field); // as stored: the filter compares exactly
        syncBuffers();
    }
    takeSelectorValue(value);
    done(true);
}

void ListEngine::chooseSelector(const SelectCall& choose, std::function<void(bool)> done) {
    const TabSelector* shown = selector();
    if (shown == nullptr || !open_ || closing_ || busy_) {
        done(false);
        return;
    }
    const auto opened = std::make_shared<OpenedTable>(context_.table(shown->lookUp.table));
    Table& other = opened->table();
    other.clear();
    if (const Value* value = variables_.find(shown->variable)) {
        (void)other.record().setValue(shown->lookUp.field, *value);
    }
    chooseSelectorValue(opened, choose, std::move(done));
}

void ListEngine::rebuildAround(const Position& record) {
    fill(Start{StartKind::Position, record}, current_ > 0 ? current_ - 1 : 0, record);
}

void ListEngine::refresh() {
    if (!open_ || closing_ || busy_) {
        return;
    }
    if (minimised_) {
        refreshPending_ = true;
        return;
    }
    refreshPending_ = false;
    {
        BusyGuard busy(busy_);
        if (rows_.empty()) {
            fill(Start{}, 0, {});
        } else {
            // The current record as it is stored now, at its present key value; a record removed
            // meanwhile leaves its place to the next one.
            const Position old = rows_[std::size_t(current_ - 1)].position;
            const StoreStatus status = table_.regetByPosition(old);
            if (status == StoreStatus::Ok) {
                rebuildAround(table_.position());
            } else if (status == StoreStatus::NotFound) {
                fill(Start{StartKind::Position, old}, current_ - 1, {});
            } else {
                fail();
            }
        }
    }
    notify();
}

void ListEngine::setMinimised(bool minimised) {
    minimised_ = minimised;
    if (!minimised && refreshPending_) {
        refresh();
    }
}

void ListEngine::close() {
    if (closing_ || busy_) {
        return;
    }
    closing_ = true;
    response_ = select_ ? Response::Cancelled : Response::Completed;
    notify();
}

// --- buttons ---

bool ListEngine::visible(ListAction action) const {
    return action == ListAction::Select ? select_ : bool(form_);
}

bool ListEngine::enabled(ListAction action) const {
    if (!open_ || closing_ || !visible(action)) {
        return false;
    }
    return action == ListAction::Insert || !rows_.empty();
}

void ListEngine::activate() {
    press(select_ ? ListAction::Select : ListAction::Change);
}

std::vector<PopupItem> ListEngine::popupMenu() const {
    if (!form_) {
        return {};
    }
    return {
        {"Naujas", "insert", ListAction::Insert, enabled(ListAction::Insert)},
        {"Keisti", "change", ListAction::Change, enabled(ListAction::Change)},
        {"Pašalinti", "delete", ListAction::Delete, enabled(ListAction::Delete)},
        {},
        {"Pasirinkti", "select", ListAction::Select, enabled(ListAction::Select)},
    };
}

StoreStatus ListEngine::regetCurrent() {
    if (rows_.empty()) {
        return StoreStatus::NotFound;
    }
    const ListRow& row = rows_[std::size_t(current_ - 1)];
    const Position position = row.position;
    const StoreStatus status = table_.regetByPosition(position);
    if (status == StoreStatus::Ok) {
        for (std::size_t i = 1; i < handles_.size(); ++i) {
            handles_[i]->record() = row.records[i];
        }
    } else if (status == StoreStatus::NotFound) {
        // Another user removed it: the page shows that instead.
        fill(Start{StartKind::Position, position}, current_ - 1, {});
    } else {
        fail();
    }
    return status;
}

void ListEngine::showCurrentRecord() {
    if (!open_ || closing_ || busy_) {
        return;
    }
    {
        BusyGuard busy(busy_);
        const Position current = table_.position();
        if (current.empty()) {
            fill(Start{}, 0, {});
        } else {
            rebuildOnRecord(current, 0);
        }
    }
    notify();
}

void ListEngine::press(ListAction action) {
    if (busy_ || !enabled(action)) {
        return;
    }
    if (action == ListAction::Select) {
        {
            BusyGuard busy(busy_);
            if (regetCurrent() == StoreStatus::Ok) {
                response_ = Response::Completed;
                closing_ = true;
            }
        }
        notify();
        return;
    }
    // Busy until the form has answered: the list reads nothing while its form is open.
    busy_ = true;
    runForm(action == ListAction::Insert   ? Request::Insert
            : action == ListAction::Change ? Request::Change
                                           : Request::Delete);
}

void ListEngine::endCall() {
    busy_ = false;
    notify();
}

void ListEngine::applyPrimes() {
    const auto prime = [&](const std::vector<InsertPrime>& primes) {
        for (const InsertPrime& each : primes) {
            if (const Value* value = variables_.find(each.variable)) {
                (void)table_.record().setValue(each.field, *value);
            }
        }
    };
    prime(config_.primes);
    prime(config_.tabs.at(std::size_t(tab_)).primes);
}

Position ListEngine::savedPosition() const {
    return table_.position();
}

bool ListEngine::showsRecord(const Position& record) const {
    return current_ > 0 && rows_[std::size_t(current_ - 1)].position.sameRecord(record);
}

bool ListEngine::rebuildOnRecord(const Position& record, int above) {
    return fill(Start{StartKind::Position, record}, above, record);
}

void ListEngine::runForm(Request request) {
    if (request == Request::Insert) {
        table_.clear();
        applyPrimes();
    } else {
        if (regetCurrent() != StoreStatus::Ok) {
            endCall();
            return;
        }
        table_.watch();
    }
    form_(context_, request, [this, request, alive = alive_](FormResult result) {
        if (*alive) {
            formAnswered(request, result);
        }
    });
}

void ListEngine::formAnswered(Request request, FormResult result) {
    const Navigation navigation = result.navigation;
    if (navigation != Navigation::None && request != Request::Delete) {
        if (navigation == Navigation::InsertAnother ||
            (request == Request::Insert && navigation == Navigation::Next)) {
            runForm(Request::Insert);
            return;
        }
        // Save and move: the page on the saved record, then the move, then the record now current.
        if (!rebuildOnRecord(savedPosition(), current_ > 0 ? current_ - 1 : 0)) {
            endCall();
            return;
        }
        switch (navigation) {
        case Navigation::Next:
            rowDown();
            break;
        case Navigation::Previous:
            rowUp();
            break;
        case Navigation::NextPage:
            pageDown();
            break;
        case Navigation::PreviousPage:
            pageUp();
            break;
        case Navigation::First:
            fill(Start{StartKind::First, {}}, 0, {});
            break;
        case Navigation::Last:
            fill(Start{StartKind::Last, {}}, 0, {});
            break;
        case Navigation::None:
        case Navigation::InsertAnother:
            break;
        }
        if (closing_ || rows_.empty()) {
            endCall();
            return;
        }
        notify(); // the page follows the form from record to record
        runForm(Request::Change);
        return;
    }

    if (result.response == Response::Completed && request != Request::Delete) {
        const Position saved = savedPosition();
        const Record record = table_.record();
        if (rebuildOnRecord(saved, 0) && !showsRecord(saved) && followSavedRecord(record)) {
            rebuildOnRecord(saved, 0);
        }
    } else if (rows_.empty()) {
        fill(Start{}, 0, {});
    } else if (result.response == Response::Completed) {
        // The deleted row's place goes to the row that now stands there.
        fillCurrentAt(current_, Start{StartKind::Position, rows_.front().position});
    } else {
        const Position current = rows_[std::size_t(current_ - 1)].position;
        fill(Start{StartKind::Position, rows_.front().position}, 0, current);
    }
    endCall();
}

void ListEngine::copyCurrent(const std::function<std::optional<Position>(Table& table)>& copy,
                             bool openForm) {
    if (!open_ || closing_ || busy_ || rows_.empty() || (openForm && !form_)) {
        return;
    }
    busy_ = true;
    if (regetCurrent() == StoreStatus::Ok) {
        if (const std::optional<Position> added = copy(table_)) {
            if (rebuildOnRecord(*added, 0) && openForm && !rows_.empty()) {
                changeCopy();
                return;
            }
        } else if (!rows_.empty()) {
            // Nothing was added: the page as it stands, the buffers back on the current row.
            const Position current = rows_[std::size_t(current_ - 1)].position;
            fill(Start{StartKind::Position, rows_.front().position}, 0, current);
        }
    }
    endCall();
}

// The form on the copy, which is the current row.
void ListEngine::changeCopy() {
    if (regetCurrent() != StoreStatus::Ok) {
        endCall();
        return;
    }
    const Position copy = rows_[std::size_t(current_ - 1)].position;
    table_.watch();
    form_(context_, Request::Change, [this, copy, alive = alive_](FormResult result) {
        if (!*alive) {
            return;
        }
        if (result.response == Response::Completed) {
            rebuildOnRecord(savedPosition(), 0);
        } else {
            // A refused delete has shown why, and the copy stays.
            if (table_.regetByPosition(copy) == StoreStatus::Ok) {
                (void)guardedDelete(table_);
            }
            fill(Start{StartKind::Position, copy}, current_ > 0 ? current_ - 1 : 0, {});
        }
        endCall();
    });
}

// --- toolbar ---

bool ListEngine::toolbarEnabled(ToolbarButton button) const {
    switch (button) {
    case ToolbarButton::FirstPage:
    case ToolbarButton::PreviousPage:
    case ToolbarButton::PreviousRecord:
    case ToolbarButton::Locate:
    case ToolbarButton::NextRecord:
    case ToolbarButton::NextPage:
    case ToolbarButton::LastPage:
    case ToolbarButton::Export:
        return open_ && !closing_;
    case ToolbarButton::Insert:
        return enabled(ListAction::Insert);
    case ToolbarButton::Change:
        return enabled(ListAction::Change);
    case ToolbarButton::Delete:
        return enabled(ListAction::Delete);
    case ToolbarButton::Select:
        return enabled(ListAction::Select);
    case ToolbarButton::History:
        return false;
    case ToolbarButton::Close:
    case ToolbarButton::Help:
        return true;
    }
    return false;
}

std::string ListEngine::toolbarTooltip(ToolbarButton button) const {
    switch (button) {
    case ToolbarButton::Close:
        return "Uždaryti aktyvų langą";
    case ToolbarButton::LastPage:
        return "Atversti paskutinį sąrašo lapą";
    case ToolbarButton::FirstPage:
        return "Atversti pirmą sąrašo lapą";
    case ToolbarButton::NextPage:
        return "Atversti kitą sąrašo lapą";
    case ToolbarButton::PreviousPage:
        return "Atversti ankstesnį sąrašo lapą";
    case ToolbarButton::NextRecord:
        return "Pereiti prie kito įrašo";
    case ToolbarButton::PreviousRecord:
        return "Pereiti prie ankstesnio įrašo";
    case ToolbarButton::Insert:
        return "Sukurti naują įrašą [Insert]";
    case ToolbarButton::Export:
        return "Eksportuoti sąrašą į CSV failą";
    default:
        return {};
    }
}

void ListEngine::toolbarPressed(ToolbarButton button) {
    switch (button) {
    case ToolbarButton::FirstPage:
        move(ListMove::Top);
        break;
    case ToolbarButton::PreviousPage:
        move(ListMove::PageUp);
        break;
    case ToolbarButton::PreviousRecord:
        move(ListMove::RowUp);
        break;
    case ToolbarButton::NextRecord:
        move(ListMove::RowDown);
        break;
    case ToolbarButton::NextPage:
        move(ListMove::PageDown);
        break;
    case ToolbarButton::LastPage:
        move(ListMove::Bottom);
        break;
    case ToolbarButton::Insert:
        press(ListAction::Insert);
        break;
    case ToolbarButton::Change:
        press(ListAction::Change);
        break;
    case ToolbarButton::Delete:
        press(ListAction::Delete);
        break;
    case ToolbarButton::Select:
        press(ListAction::Select);
        break;
    case ToolbarButton::Close:
        close();
        break;
    case ToolbarButton::Help:
        showHelp(config_.name);
        break;
    case ToolbarButton::Locate: // a list with a locator entry takes the focus there (its window does)
    case ToolbarButton::Export: // the window asks for the file
    case ToolbarButton::History:
        break;
    }
}

} // namespace nakva
