#include "ui/FormEngine.h"

#include "data/Context.h"
#include "data/Integrity.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/Transaction.h"
#include "messages/StandardWarnings.h"
#include "ui/Help.h"
#include "ui/RecordNumbering.h"

#include <cstdint>

namespace nakva {

namespace {

// The standard warnings a form shows.
constexpr int WarningOutOfRangeHigh = 8;
constexpr int WarningOutOfRangeLow = 9;
constexpr int WarningOutOfRange = 10;
constexpr int WarningAddFailed = 14;
constexpr int WarningRewriteFailed = 15;
constexpr int WarningRetryChange = 16;
constexpr int WarningRetryDelete = 18;
constexpr int WarningConfirmCancel = 23;
constexpr int WarningDuplicateKey = 24;
constexpr int WarningConfirmDelete = 32;
constexpr int WarningSaveChanges = 33;
constexpr int WarningTransaction = 34;
constexpr int WarningRetrieval = 35;
constexpr int WarningInsertAnother = 37;

std::optional<Decimal> asNumber(const Value& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return Decimal(*integer);
    }
    if (const auto* decimal = std::get_if<Decimal>(&value)) {
        return *decimal;
    }
    return std::nullopt;
}

// A prompt as a message names its field: "Įrašo Nr.* :" → "Įrašo Nr.".
std::string fieldName(const FormField& field) {
    std::string_view name = field.prompt;
    while (!name.empty() && (name.back() == ':' || name.back() == '*' || name.back() == ' ')) {
        name.remove_suffix(1);
    }
    return std::string(name);
}

// Whether two values of a key component are the same under the key's letter-case rule.
bool sameComponent(const Value& a, const Value& b, bool caseSensitive) {
    const auto* textA = std::get_if<std::string>(&a);
    const auto* textB = std::get_if<std::string>(&b);
    if (textA != nullptr && textB != nullptr) {
        return (caseSensitive ? compareCase(*textA, *textB) : compareNoCase(*textA, *textB)) == 0;
    }
    return a == b;
}

} // namespace

void showFieldMessage(const std::string& text) {
    MessageRequest request;
    request.text = text;
    request.title = "Negeras lauko turinys";
    request.icon = MessageIcon::Information;
    showMessage(request);
}

FormMemory& formMemory(std::string_view formName) {
    static std::map<std::string, FormMemory, std::less<>> memories;
    auto found = memories.find(formName);
    if (found == memories.end()) {
        found = memories.emplace(std::string(formName), FormMemory{}).first;
    }
    return found->second;
}

FormEngine::FormEngine(FormConfig config, Context& context, SelectList selectList)
    : FormEngine(std::make_shared<const FormConfig>(std::move(config)), context, std::move(selectList)) {}

FormEngine::FormEngine(std::shared_ptr<const FormConfig> config, Context& context, SelectList selectList)
    : config_(std::move(config)), context_(context), table_(context.table(config_->table)),
      selectList_(std::move(selectList)), memory_(formMemory(config_->name)), edited_(config_->table),
      former_(config_->table), followed_(config_->table) {}

FormEngine::~FormEngine() {
    *alive_ = false;
    for (Table* table : opened_) {
        table->close();
    }
}

bool FormEngine::open(Request request) {
    // The record with what its opening reads (totals, look-ups' names) in one moment.
    Context::ReadMoment moment(context_);
    request_ = request;
    table_.open();
    opened_.push_back(&table_);
    for (const FormField& field : config_->fields) {
        if (field.lookUp) {
            Table& other = context_.table(field.lookUp->table);
            other.open();
            opened_.push_back(&other);
        }
    }

    if (request == Request::Delete) {
        deleteRecord();
        return false;
    }
    if (request == Request::Insert) {
        edited_ = table_.record();
        if (config_->hooks.prime) {
            config_->hooks.prime(*this);
        }
        table_.record() = edited_;
        if (config_->numbering && table_.def().recordNumberField >= 0) {
            if (!numberRecord()) {
                finish(Response::Cancelled);
                return false;
            }
        } else {
            // A new record: no stored record is current, so a duplicate check compares with all of them.
            table_.clear();
            table_.record() = edited_;
        }
    }
    edited_ = table_.record();
    former_ = edited_;
    followed_ = former_;
    position_ = table_.position();
    focus_ = 0;
    for (int i = 0; i < itemCount(); ++i) {
        if (itemEditable(i)) {
            focus_ = i;
            break;
        }
    }
    if (config_->hooks.opened) {
        config_->hooks.opened(*this);
    }
    return true;
}

std::string FormEngine::title() const {
    std::string title;
    switch (request_) {
    case Request::Insert:
        title = config_->insertTitle;
        break;
    case Request::Change:
        title = config_->changeTitle;
        break;
    case Request::View:
        title = config_->viewTitle;
        break;
    default:
        title = config_->caption;
        break;
    }
    if (config_->titleDetail) {
        if (const std::string detail(trimRight(config_->titleDetail(*this))); !detail.empty()) {
            title += " – " + detail;
        }
    }
    return title;
}

// Numbering at opening: the record is added at once with the primed values.
bool FormEngine::numberRecord() {
    numbered_ = addNumberedRecord(table_, config_->heldUntilSave);
    return numbered_;
}

// Delete mode: confirmed, then the guarded delete, offered again while it fails.
void FormEngine::deleteRecord() {
    if (standardWarning(WarningConfirmDelete) != ButtonOk) {
        finish(Response::Cancelled);
        return;
    }
    for (;;) {
        const GuardedResult result = guardedDelete(table_);
        if (result == GuardedResult::Done) {
            finish(Response::Completed);
            return;
        }
        // A child that forbids the delete has been named: trying again would change nothing.
        if (result == GuardedResult::Refused || standardWarning(WarningRetryDelete) != ButtonYes) {
            finish(Response::Cancelled);
            return;
        }
    }
}

int FormEngine::itemOfField(int field) const {
    for (int i = 0; i < itemCount(); ++i) {
        if (item(i).field == field) {
            return i;
        }
    }
    return -1;
}

void FormEngine::enterItem(int item) {
    if (item < 0 || item >= itemCount()) {
        return;
    }
    focus_ = item;
    if (config_->hooks.focused && itemEditable(item)) {
        config_->hooks.focused(*this, this->item(item).field);
    }
}

void FormEngine::focusField(int field) {
    if (const int found = itemOfField(field); found >= 0) {
        focus_ = found;
    }
}

bool FormEngine::itemEditable(int index) const {
    return (request_ == Request::Insert || request_ == Request::Change) && !item(index).readOnly &&
           !(request_ == Request::Insert && item(index).fixedOnInsert);
}

bool FormEngine::itemRequired(int index) const {
    const FormField& field = item(index);
    if (field.required) {
        return true;
    }
    for (const RelationDef& relation : Dictionary::instance().relations()) {
        if (relation.parent == config_->table && relation.parentField == field.field) {
            return true;
        }
    }
    return false;
}

std::string FormEngine::itemTooltip(int index) const {
    const FormField& field = item(index);
    if (!field.lookUp) {
        return field.tooltip;
    }
    return field.tooltip.empty() ? "Pasirinkti iš sąrašo CtrlDown" : field.tooltip + " (pasirinkti CtrlDown)";
}

std::string FormEngine::itemText(int index) const {
    if (const auto refused = refused_.find(index); refused != refused_.end()) {
        return refused->second;
    }
    const FormField& field = item(index);
    return field.picture.format(edited_.value(field.field),
                                table_.def().fields[std::size_t(field.field)].isDate);
}

bool FormEngine::setItemText(int index, std::string_view text) {
    if (!itemEditable(index)) {
        return true;
    }
    const FormField& field = item(index);
    const SetResult result = edited_.setText(field.field, text);
    if (result) {
        refused_.erase(index);
        return true;
    }
    refused_[index] = std::string(text);
    focus_ = index;
    showFieldMessage(fieldName(field) + ": " + result.error);
    return false;
}

bool FormEngine::acceptItem(int index) {
    if (!itemEditable(index) || waiting_) {
        return !waiting_;
    }
    const int field = item(index).field;
    // A value chosen from the look-up's list is accepted again, and the focus moves on.
    const auto acceptChosen = [this, index] {
        if (acceptItem(index)) {
            focusNext(index);
        }
    };
    if (!checkItem(index, false, acceptChosen) ||
        (config_->hooks.accepted && !config_->hooks.accepted(*this, field))) {
        focus_ = index;
        return false;
    }
    return true;
}

// One item's rules: by the user accepting it, or in the final check of all items on save, which
// also tests required items and repeats a refused text's message.
bool FormEngine::checkItem(int index, bool finalCheck, const std::function<void()>& chosen) {
    const FormField& field = item(index);
    if (const auto refused = refused_.find(index); refused != refused_.end()) {
        if (finalCheck) {
            setItemText(index, std::string(refused->second));
        }
        return false;
    }
    if (finalCheck && itemRequired(index) && isBlankValue(edited_.value(field.field))) {
        MessageRequest request;
        request.text = "Laukas „" + fieldName(field) + "“ turi būti užpildytas.";
        request.title = "Neužpildytas laukas";
        request.icon = MessageIcon::Information;
        showMessage(request);
        return false;
    }
    if (!inRange(index)) {
        return false;
    }
    if (field.lookUp && (!finalCheck || field.lookUp->onSave) && !lookUpValue(index, chosen)) {
        return false;
    }
    return !config_->hooks.check || config_->hooks.check(*this, field.field);
}

bool FormEngine::inRange(int index) {
    const FormField& field = item(index);
    const std::optional<Decimal> value = asNumber(edited_.value(field.field));
    if (!value || (!field.minimum && !field.maximum)) {
        return true;
    }
    const bool low = field.minimum && *value < *field.minimum;
    const bool high = field.maximum && *value > *field.maximum;
    if (!low && !high) {
        return true;
    }
    if (field.minimum && field.maximum) {
        standardWarning(WarningOutOfRange, fieldName(field),
                        field.minimum->toString() + " ir " + field.maximum->toString());
        return false;
    }
    // "… mažesnė negu" and "… didesnė negu" are strict: they name the nearest value the field can
    // hold beyond its bound, so that they hold for the bound itself (lowest 1: "didesnė negu 0").
    const FieldDef& def = table_.def().fields[std::size_t(field.field)];
    const int places = def.type == FieldType::Decimal ? def.places : 0;
    const Decimal step = Decimal::fromScaled(1, places);
    if (high) {
        standardWarning(WarningOutOfRangeHigh, fieldName(field), (*field.maximum + step).toString(places));
    } else {
        standardWarning(WarningOutOfRangeLow, fieldName(field), (*field.minimum - step).toString(places));
    }
    return false;
}

// A look-up item's value must be found in the other table; when it is not, the selection list opens
// and the item waits for its choice (false). A value found under a key that ignores letter case is
// taken as stored, so that the record links to it exactly.
bool FormEngine::lookUpValue(int index, const std::function<void()>& chosen) {
    const FormField& field = item(index);
    const FormLookUp& lookUp = *field.lookUp;
    const Value& value = edited_.value(field.field);
    if (isBlankValue(value) && !field.required) {
        return true;
    }
    Table& other = context_.table(lookUp.table);
    other.clear();
    if (other.record().setValue(lookUp.field, value)) {
        const StoreStatus status = other.getByKey(lookUp.key);
        if (status == StoreStatus::Ok) {
            (void)edited_.setValue(field.field, other.record().value(lookUp.field));
            return true;
        }
        if (status != StoreStatus::NotFound) {
            standardWarning(WarningRetrieval, other.def().messageName());
            return false;
        }
    }
    return chooseFromList(index, chosen);
}

// True when the list answered at once with a choice. A later answer runs `chosen` after a choice,
// then the listener.
bool FormEngine::chooseFromList(int index, const std::function<void()>& chosen) {
    const FormField& field = item(index);
    const FormLookUp& lookUp = *field.lookUp;
    Table& other = context_.table(lookUp.table);
    other.clear();
    (void)other.record().setValue(lookUp.field, edited_.value(field.field));
    focus_ = index;
    if (!selectList_) {
        return false;
    }
    struct Answer {
        bool later = false;
        bool chosen = false;
    };
    const auto answer = std::make_shared<Answer>();
    waiting_ = true;
    selectList_(lookUp, context_, [this, index, chosen, answer, alive = alive_](Response response) {
        if (!*alive) {
            return;
        }
        waiting_ = false;
        const FormField& answered = item(index);
        Table& list = context_.table(answered.lookUp->table);
        focus_ = index;
        answer->chosen = response == Response::Completed &&
                         edited_.setValue(answered.field, list.record().value(answered.lookUp->field));
        if (answer->chosen) {
            refused_.erase(index);
        }
        if (!answer->later) {
            return;
        }
        if (answer->chosen && chosen) {
            chosen();
        }
        if (listener_) {
            listener_();
        }
    });
    answer->later = true;
    return answer->chosen;
}

void FormEngine::lookUp(int index) {
    if (!itemEditable(index) || !item(index).lookUp || waiting_) {
        return;
    }
    const auto acceptChosen = [this, index] {
        if (acceptItem(index)) {
            focusNext(index);
        }
    };
    if (chooseFromList(index, acceptChosen)) {
        acceptChosen();
    }
}

// After a value was chosen the focus moves on, the way the user was going: to the next item that
// can be edited, in tab order (the item itself when there is none).
void FormEngine::focusNext(int index) {
    focus_ = index;
    for (int next = index + 1; next < itemCount(); ++next) {
        if (itemEditable(next)) {
            focus_ = next;
            return;
        }
    }
}

void FormEngine::restoreHistory() {
    if (focus_ < 0 || focus_ >= itemCount() || !memory_.history || !itemEditable(focus_) ||
        !item(focus_).history) {
        return;
    }
    const int field = item(focus_).field;
    if (edited_.setValue(field, memory_.history->value(field))) {
        refused_.erase(focus_);
    }
}

void FormEngine::save(Navigation navigation) {
    if (finished_ || waiting_) {
        return;
    }
    navigation_ = navigation;
    if (request_ == Request::View) {
        navigation_ = Navigation::None;
        finish(Response::Cancelled);
        return;
    }
    for (int i = 0; i < itemCount(); ++i) {
        if (itemEditable(i) && !checkItem(i, true, [this, navigation] { save(navigation); })) {
            focus_ = i;
            navigation_ = Navigation::None;
            return;
        }
    }
    if (config_->hooks.confirm && !config_->hooks.confirm(*this)) {
        navigation_ = Navigation::None;
        return;
    }
    memory_.history = edited_;
    if (request_ == Request::Insert) {
        saveInsert();
    } else {
        saveChange();
    }
}

void FormEngine::saveInsert() {
    int clash = -1;
    if (!unique(clash)) {
        standardWarning(WarningDuplicateKey, keyName(clash));
        failedSave(true);
        return;
    }
    if (!makeCurrent()) {
        saveErrorCondition();
        standardWarning(WarningAddFailed);
        failedSave(false);
        return;
    }
    table_.record() = edited_;
    const std::optional<StoreStatus> written = numbered_ ? writeNumbered() : table_.add();
    if (!written) {
        failedSave(false);
        return;
    }
    const StoreStatus status = *written;
    if (status == StoreStatus::Ok) {
        numbered_ = false;
        position_ = table_.position();
        if (config_->askInsertAnother && navigation_ == Navigation::None &&
            standardWarning(WarningInsertAnother) == ButtonYes) {
            navigation_ = Navigation::InsertAnother;
        }
        finish(Response::Completed);
        return;
    }
    if (status == StoreStatus::DuplicateKey) {
        standardWarning(WarningDuplicateKey, keyName(duplicateKey()));
        failedSave(true);
        return;
    }
    saveErrorCondition();
    standardWarning(WarningAddFailed);
    failedSave(false);
}

// The numbered record rewritten with the form's record; with a writing hook, inside a transaction
// that the hook's reads share. Nothing when the transaction or the hook failed, after its message.
std::optional<StoreStatus> FormEngine::writeNumbered() {
    if (!config_->hooks.writing) {
        return table_.put();
    }
    Transaction transaction(context_);
    if (transaction.begin({config_->table}) != StoreStatus::Ok) {
        saveErrorCondition();
        standardWarning(WarningTransaction, "Update", table_.def().messageName());
        return std::nullopt;
    }
    if (!config_->hooks.writing(*this)) {
        return std::nullopt;
    }
    table_.record() = edited_;
    StoreStatus status = table_.put();
    if (status == StoreStatus::Ok) {
        status = transaction.commit();
    }
    return status;
}

void FormEngine::saveChange() {
    if (edited_ == former_) {
        table_.record() = edited_;
        finish(navigation_ == Navigation::None ? Response::Completed : Response::Cancelled);
        return;
    }
    int clash = -1;
    if (!unique(clash)) {
        standardWarning(WarningDuplicateKey, keyName(clash));
        failedSave(true);
        return;
    }
    for (;;) {
        GuardedResult result = GuardedResult::Failed;
        if (makeCurrent()) {
            table_.record() = edited_;
            // The writing hook runs inside the change's transaction, where the stored record is
            // tested; what it adjusts is what is written.
            StillSelected writing;
            if (config_->hooks.writing) {
                writing = [this](const Record&) {
                    if (!config_->hooks.writing(*this)) {
                        return false;
                    }
                    table_.record() = edited_;
                    return true;
                };
            }
            result = guardedChange(table_, former_, ChangeCaller::Form, writing);
        } else {
            saveErrorCondition();
            standardWarning(WarningRewriteFailed, table_.def().messageName());
        }
        if (result == GuardedResult::Done) {
            finish(Response::Completed);
            return;
        }
        if (result == GuardedResult::NotSelected) {
            // The writing hook refused, after its message: the input stays for the user to mend.
            failedSave(false);
            return;
        }
        if (result == GuardedResult::ReRead) {
            // The other user's version replaces the input; it is the one a next save compares with.
            edited_ = table_.record();
            former_ = edited_;
            followed_ = former_;
            refused_.clear();
            navigation_ = Navigation::None;
            return;
        }
        const int answer = standardWarning(WarningRetryChange);
        if (answer == ButtonYes) {
            continue;
        }
        if (answer == ButtonNo) {
            navigation_ = Navigation::None;
            table_.record() = former_;
            finish(Response::Cancelled);
            return;
        }
        failedSave(true);
        return;
    }
}

// Makes the form's record the handle's current one again when the form's own logic read another
// record through the handle meanwhile. A record that cannot be re-read is not written over another.
bool FormEngine::makeCurrent() {
    if (position_.empty() || table_.position().sameRecord(position_)) {
        return true;
    }
    return table_.regetByPosition(position_) == StoreStatus::Ok;
}

// The configured uniqueness beyond the store's keys: reads, through a handle of its own so the form's
// buffer and current record stay, the records whose leading key components equal the form's.
bool FormEngine::unique(int& clashingKey) {
    for (const FormUniqueness& rule : config_->uniqueness) {
        const KeyDef& key = table_.def().keys[std::size_t(rule.key)];
        Table probe(context_, config_->table, false);
        probe.open();
        probe.clear();
        for (int i = 0; i < rule.components && i < int(key.components.size()); ++i) {
            (void)probe.record().setValue(key.components[std::size_t(i)],
                                          edited_.value(key.components[std::size_t(i)]));
        }
        bool clash = false;
        if (probe.setToKeyValue(rule.key) == StoreStatus::Ok) {
            while (!clash && probe.next() == StoreStatus::Ok) {
                bool same = true;
                for (int i = 0; i < rule.components && i < int(key.components.size()); ++i) {
                    const int component = key.components[std::size_t(i)];
                    same = same && sameComponent(probe.record().value(component), edited_.value(component),
                                                 key.caseSensitive);
                }
                if (!same) {
                    break;
                }
                clash = position_.empty() || !probe.position().sameRecord(position_);
            }
        }
        probe.close();
        if (clash) {
            clashingKey = rule.key;
            return false;
        }
    }
    return true;
}

// The unique key on which the buffer's values collide with another stored record.
int FormEngine::duplicateKey() {
    const TableDef& def = table_.def();
    for (int key = 0; key < int(def.keys.size()); ++key) {
        if (def.keys[std::size_t(key)].unique && table_.duplicateCheck(key) == StoreStatus::DuplicateKey) {
            return key;
        }
    }
    return def.identityKey;
}

std::string FormEngine::keyName(int key) const {
    if (const auto named = config_->keyNames.find(key); named != config_->keyNames.end()) {
        return named->second;
    }
    return std::string(table_.def().keys[std::size_t(key)].name);
}

void FormEngine::failedSave(bool focusFirst) {
    navigation_ = Navigation::None;
    if (focusFirst) {
        for (int i = 0; i < itemCount(); ++i) {
            if (itemEditable(i)) {
                focus_ = i;
                return;
            }
        }
    }
}

bool FormEngine::changed() const {
    return childrenChanged_ || !(edited_ == former_);
}

bool FormEngine::ownChanges() const {
    return !(edited_ == followed_);
}

ListConfig FormEngine::childList(std::size_t child) const {
    const FormChildList& config = config_->children.at(child);
    ListConfig list = config.list;
    list.bind = [variable = config.variable,
                 value = edited_.value(config.parentField)](Variables& variables) {
        variables.set(variable, value);
    };
    return list;
}

void FormEngine::callChild(std::size_t child, const std::function<void(FormDone)>& call, FormDone done) {
    table_.record() = edited_;
    call([this, child, alive = alive_, done = std::move(done)](FormResult result) {
        if (!*alive) {
            return;
        }
        if (result.response == Response::Completed) {
            childrenChanged_ = true;
        }
        // The child form may have read other records of this table through the handle.
        table_.record() = edited_;
        if (const auto& closed = config_->children.at(child).closed) {
            const Record before = edited_;
            closed(*this);
            // What the children gave the derived fields is theirs, not the user's change; a value the
            // user typed into one they left as it was stays the user's.
            for (const int field : config_->derived) {
                if (!before.sameValue(edited_, field)) {
                    (void)followed_.setValue(field, edited_.value(field));
                }
            }
        }
        if (done) {
            done(result);
        }
    });
}

bool FormEngine::cancel() {
    if (finished_) {
        return true;
    }
    if (waiting_) {
        return false;
    }
    // A new record is removed on leaving, with its children: any change is worth the question. A stored
    // record keeps what its children saved: only its own changes are.
    if ((request_ == Request::Insert && changed()) || (request_ == Request::Change && ownChanges())) {
        if (config_->cancelQuestion == CancelQuestion::Confirm &&
            standardWarning(WarningConfirmCancel) != ButtonYes) {
            return false;
        }
        if (config_->cancelQuestion == CancelQuestion::SaveChanges) {
            const int answer = standardWarning(WarningSaveChanges);
            if (answer == ButtonYes) {
                save();
                return finished_;
            }
            if (answer != ButtonNo) {
                return false;
            }
        }
    }
    if (!discard()) {
        return false;
    }
    navigation_ = Navigation::None;
    finish(Response::Cancelled);
    return true;
}

// Leaving without saving. The record numbered at opening leaves no trace, together with the children
// added to it meanwhile (one guarded delete): the next insert receives its number again and adopts
// nothing. When that delete fails the form stays open with its message. A stored record whose children
// changed keeps its derived fields in step with them: it receives the values the children gave them,
// not what the user typed over them since.
bool FormEngine::discard() {
    if (numbered_) {
        if (makeCurrent() && guardedDelete(table_) != GuardedResult::Done) {
            return false;
        }
        numbered_ = false;
        table_.clear();
        return true;
    }
    if (request_ == Request::Change && childrenChanged_ && !(followed_ == former_) && makeCurrent()) {
        table_.record() = followed_;
        if (guardedChange(table_, former_, ChangeCaller::Batch) == GuardedResult::Done) {
            return true;
        }
    }
    table_.record() = former_;
    return true;
}

void FormEngine::finish(Response response) {
    result_ = {response, navigation_};
    finished_ = true;
}

bool FormEngine::toolbarEnabled(ToolbarButton button) const {
    if (waiting_) { // a look-up's list is open: the form answers nothing until it has chosen
        return false;
    }
    const bool editing = request_ == Request::Insert || request_ == Request::Change;
    switch (button) {
    case ToolbarButton::Select:
    case ToolbarButton::Close:
    case ToolbarButton::Help:
        return true;
    case ToolbarButton::History:
    case ToolbarButton::Insert:
    case ToolbarButton::NextRecord:
        return editing;
    case ToolbarButton::PreviousRecord:
    case ToolbarButton::NextPage:
    case ToolbarButton::PreviousPage:
    case ToolbarButton::FirstPage:
    case ToolbarButton::LastPage:
        return request_ == Request::Change;
    default:
        return false;
    }
}

std::string FormEngine::toolbarTooltip(ToolbarButton button) const {
    if (!toolbarEnabled(button)) {
        return {};
    }
    const bool inserting = request_ == Request::Insert;
    switch (button) {
    case ToolbarButton::Select:
        return "Išsaugoti pakeitimus ir uždaryti langą";
    case ToolbarButton::Close:
        return "Uždaryti langą neišsaugant pakeitimų";
    case ToolbarButton::History:
        return "Įstatyti ankstesnio įrašo reikšmę";
    case ToolbarButton::Insert:
        return inserting ? "Išsaugoti redaguojamą įrašą ir atversti paskutinį įrašą"
                         : "Išsaugoti redaguojamą įrašą ir kurti naują";
    case ToolbarButton::NextRecord:
        return inserting ? "Išsaugoti redaguojamą įrašą ir atversti paskutinį įrašą"
                         : "Išsaugoti redaguojamą įrašą ir atversti kitą įrašą";
    case ToolbarButton::PreviousRecord:
        return "Išsaugoti redaguojamą įrašą ir atversti ankstesnį įrašą";
    case ToolbarButton::NextPage:
        return "Išsaugoti redaguojamą įrašą ir atversti kito lapo įrašą";
    case ToolbarButton::PreviousPage:
        return "Išsaugoti redaguojamą įrašą ir atversti ankstesnio lapo įrašą";
    case ToolbarButton::FirstPage:
        return "Išsaugoti redaguojamą įrašą ir atversti pirmą įrašą";
    case ToolbarButton::LastPage:
        return "Išsaugoti redaguojamą įrašą ir atversti paskutinį įrašą";
    default:
        return {};
    }
}

void FormEngine::toolbarPressed(ToolbarButton button) {
    if (!toolbarEnabled(button)) {
        return;
    }
    switch (button) {
    case ToolbarButton::Select:
        save();
        break;
    case ToolbarButton::Close:
        cancel();
        break;
    case ToolbarButton::History:
        restoreHistory();
        break;
    case ToolbarButton::Help:
        showHelp(config_->helpTopic);
        break;
    case ToolbarButton::Insert:
        save(Navigation::InsertAnother);
        break;
    case ToolbarButton::NextRecord:
        save(request_ == Request::Insert ? Navigation::InsertAnother : Navigation::Next);
        break;
    case ToolbarButton::PreviousRecord:
        save(Navigation::Previous);
        break;
    case ToolbarButton::NextPage:
        save(Navigation::NextPage);
        break;
    case ToolbarButton::PreviousPage:
        save(Navigation::PreviousPage);
        break;
    case ToolbarButton::FirstPage:
        save(Navigation::First);
        break;
    case ToolbarButton::LastPage:
        save(Navigation::Last);
        break;
    default:
        break;
    }
}

} // namespace nakva
