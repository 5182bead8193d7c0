#include "data/Integrity.h"

#include "data/Collation.h"
#include "data/Context.h"
#include "data/Dictionary.h"
#include "data/SqlQuery.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/Transaction.h"
#include "messages/ErrorText.h"
#include "messages/Message.h"
#include "messages/StandardWarnings.h"

#include <limits>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

namespace nakva {

namespace {

constexpr int WarningRelated = 13;
constexpr int WarningRewrite = 15;
constexpr int WarningDelete = 17;
constexpr int WarningTransaction = 34;
constexpr int WarningRetrieval = 35;
constexpr int WarningChangedByOther = 38;

// A table handle opened for the length of an operation.
class OpenHandle {
public:
    explicit OpenHandle(Table& table) : table_(table) { table_.open(); }
    explicit OpenHandle(std::unique_ptr<Table> owned) : owned_(std::move(owned)), table_(*owned_) {
        table_.open();
    }
    ~OpenHandle() { table_.close(); }
    OpenHandle(const OpenHandle&) = delete;
    OpenHandle& operator=(const OpenHandle&) = delete;

    Table& table() { return table_; }

private:
    std::unique_ptr<Table> owned_;
    Table& table_;
};

// One guarded operation: the caller's handle on the table, a handle of its own on every related table
// (so the caller's buffers of those tables are left alone), all open while it runs, and its transaction.
class Operation {
public:
    explicit Operation(Table& table)
        : table_(table), tables_(Dictionary::instance().transactionTables(table.id())),
          transaction_(table.context()) {
        handles_.push_back(std::make_unique<OpenHandle>(table));
        for (std::size_t i = 1; i < tables_.size(); ++i) {
            handles_.push_back(
                std::make_unique<OpenHandle>(std::make_unique<Table>(table.context(), tables_[i], false)));
        }
    }

    // The handle through which the operation reaches a table.
    Table& operator[](TableId id) {
        for (std::size_t i = 0; i < tables_.size(); ++i) {
            if (tables_[i] == id) {
                return handles_[i]->table();
            }
        }
        throw std::logic_error("lentelė " + std::string(Dictionary::instance().table(id).name) +
                               " nepatenka į tranzakciją");
    }

    // "Delete" or "Update": the operation's name in the transaction warning.
    bool begin(std::string_view operationName) {
        if (transaction_.begin(tables_) == StoreStatus::Ok) {
            return true;
        }
        saveErrorCondition();
        standardWarning(WarningTransaction, operationName, table_.def().messageName());
        return false;
    }

    StoreStatus commit() { return transaction_.commit(); }

    // The record no longer meets the caller's condition: undo, silently.
    GuardedResult notSelected() {
        transaction_.rollback();
        return GuardedResult::NotSelected;
    }

    // The failure of the last store operation: its condition is kept for the warning, the transaction
    // rolled back, the warning shown.
    GuardedResult fail(int warning, const Table& table) {
        saveErrorCondition();
        transaction_.rollback();
        standardWarning(warning, table.def().messageName());
        return GuardedResult::Failed;
    }

    // A delete that a child forbids.
    GuardedResult refuse(const Table& child) {
        transaction_.rollback();
        standardWarning(WarningRelated, child.def().messageName());
        return GuardedResult::Refused;
    }

    // A batch change refused the record as it would be written: undo, tell why.
    GuardedResult refuseChange(const std::string& why) {
        transaction_.rollback();
        MessageRequest request;
        request.title = "Įrašas nepakeistas";
        request.text = why;
        showMessage(request);
        return GuardedResult::Failed;
    }

    // Another user changed the record since the caller read it: undo, tell, show the other version.
    GuardedResult changedByAnother(const Position& position, ChangeCaller caller) {
        if (caller == ChangeCaller::Batch) {
            saveErrorCondition(); // the rewrite warning words this condition itself
        }
        transaction_.rollback();
        if (caller == ChangeCaller::Form) {
            standardWarning(WarningChangedByOther);
        } else {
            standardWarning(WarningRewrite, table_.def().messageName());
        }
        table_.watch();
        if (table_.regetByPosition(position) != StoreStatus::Ok) {
            // Removed rather than changed: there is no other version to show.
            saveErrorCondition();
            standardWarning(WarningRetrieval, table_.def().messageName());
            return GuardedResult::Failed;
        }
        return GuardedResult::ReRead;
    }

private:
    Table& table_;
    std::vector<TableId> tables_;
    std::vector<std::unique_ptr<OpenHandle>> handles_;
    Transaction transaction_;
};

// Linking values are the same exactly: texts by letter case too, trailing blanks aside.
bool sameLink(const Value& a, const Value& b) {
    const auto* textA = std::get_if<std::string>(&a);
    const auto* textB = std::get_if<std::string>(&b);
    if (textA && textB) {
        return equalIgnoringTrailingBlanks(*textA, *textB);
    }
    return a == b;
}

// Linking values are the same in a key's order (texts without regard to case unless the key is
// case-sensitive).
bool sameInKey(const Value& a, const Value& b, const KeyDef& key) {
    const auto* textA = std::get_if<std::string>(&a);
    const auto* textB = std::get_if<std::string>(&b);
    if (textA && textB) {
        return (key.caseSensitive ? compareCase(*textA, *textB) : compareNoCase(*textA, *textB)) == 0;
    }
    return a == b;
}

// The positions of the children of `relation` that hold `value`, in the child key's order: the read
// starts at the linking value with the key's other components at their lowest and runs while the key
// still holds that value. A case-insensitive key also brings children whose text differs only in
// case: they link to another record and are read past, unless `anyCase` takes them too.
// `firstOnly`: stop at the first child.
StoreStatus findChildren(Table& child, const RelationDef& relation, const Value& value, bool firstOnly,
                         std::vector<Position>& found, bool anyCase = false) {
    const TableDef& def = child.def();
    const KeyDef& key = def.keys[std::size_t(relation.childKey)];
    child.clear();
    for (int component : key.components) {
        if (def.fields[std::size_t(component)].type == FieldType::Long) {
            child.record().setStoredInteger(component, std::numeric_limits<std::int32_t>::min());
        }
    }
    if (!child.record().setValue(relation.childField, value)) {
        throw std::logic_error("ryšio laukai nesuderinti: " +
                               std::string(def.fields[std::size_t(relation.childField)].name));
    }
    if (const StoreStatus status = child.setToKeyValue(relation.childKey); status != StoreStatus::Ok) {
        return status;
    }
    for (;;) {
        const StoreStatus status = child.next();
        if (status == StoreStatus::EndOfData) {
            return StoreStatus::Ok;
        }
        if (status != StoreStatus::Ok) {
            return status;
        }
        const Value& held = child.record().value(relation.childField);
        if (!sameInKey(held, value, key)) {
            return StoreStatus::Ok;
        }
        if (anyCase || sameLink(held, value)) {
            found.push_back(child.position());
            if (firstOnly) {
                return StoreStatus::Ok;
            }
        }
    }
}

// Walks the child relations of `parent` in delete order: refuses while a child exists, or deletes the
// children, each with its own children first.
GuardedResult removeChildren(Operation& operation, const Record& parent) {
    for (const RelationDef* relation : Dictionary::instance().childrenForDelete(parent.table().id)) {
        if (isBlankLink(parent.value(relation->parentField))) {
            continue; // a blank value links nothing
        }
        Table& child = operation[relation->child];
        const bool refuse = relation->onDelete == DeleteRule::Refuse;
        std::vector<Position> children;
        if (findChildren(child, *relation, parent.value(relation->parentField), refuse, children) !=
            StoreStatus::Ok) {
            return operation.fail(WarningRetrieval, child);
        }
        if (refuse) {
            if (!children.empty()) {
                return operation.refuse(child);
            }
            continue;
        }
        for (const Position& position : children) {
            if (child.regetByPosition(position) != StoreStatus::Ok) {
                return operation.fail(WarningRetrieval, child);
            }
            const Record record = child.record();
            if (const GuardedResult removed = removeChildren(operation, record);
                removed != GuardedResult::Done) {
                return removed;
            }
            if (child.remove() != StoreStatus::Ok) {
                return operation.fail(WarningDelete, child);
            }
        }
    }
    return GuardedResult::Done;
}

// Rewrites, in change order, every child that holds a linking value of `former` that `changed` no
// longer holds.
GuardedResult followChange(Operation& operation, const Record& former, const Record& changed,
                           ChildrenFollow follow) {
    const TableDef& parent = changed.table();
    // Another spelling can only mean this parent where the parent's key ignores case.
    const bool anyCase =
        follow == ChildrenFollow::AnyCase && !parent.keys[std::size_t(parent.identityKey)].caseSensitive;
    for (const RelationDef* relation : Dictionary::instance().childrenForChange(changed.table().id)) {
        const Value& before = former.value(relation->parentField);
        const Value& after = changed.value(relation->parentField);
        if (sameLink(before, after) || isBlankLink(before)) {
            continue; // unchanged, or a blank value, which linked nothing
        }
        Table& child = operation[relation->child];
        std::vector<Position> children;
        if (findChildren(child, *relation, before, false, children, anyCase) != StoreStatus::Ok) {
            return operation.fail(WarningRetrieval, child);
        }
        for (const Position& position : children) {
            if (child.regetByPosition(position) != StoreStatus::Ok) {
                return operation.fail(WarningRetrieval, child);
            }
            if (!child.record().setValue(relation->childField, after)) {
                throw std::logic_error(
                    "ryšio laukai nesuderinti: " +
                    std::string(child.def().fields[std::size_t(relation->childField)].name));
            }
            if (child.put() != StoreStatus::Ok) {
                return operation.fail(WarningRewrite, child);
            }
        }
    }
    return GuardedResult::Done;
}

// The record on `table` is rewritten: its children follow the linking values it changed from
// `former`, and the operation commits.
GuardedResult followAndCommit(Operation& operation, Table& table, const Record& former,
                              ChildrenFollow follow) {
    if (followChange(operation, former, table.record(), follow) != GuardedResult::Done) {
        return GuardedResult::Failed;
    }
    if (operation.commit() != StoreStatus::Ok) {
        return operation.fail(WarningRewrite, table);
    }
    return GuardedResult::Done;
}

} // namespace

std::string linkToParents(Context& context, Record& record, bool parentRequired,
                          const Record* unchangedFrom) {
    for (const RelationDef* relation : Dictionary::instance().parentsOf(record.table().id)) {
        const Value& link = record.value(relation->childField);
        if (isBlankLink(link) ||
            (unchangedFrom && sameLink(link, unchangedFrom->value(relation->childField)))) {
            continue;
        }
        const TableDef& def = Dictionary::instance().table(relation->parent);
        Table parent(context, relation->parent, false);
        OpenHandle open(parent);
        parent.clear();
        const StoreStatus status = parent.record().setValue(relation->parentField, link)
                                       ? parent.getByKey(def.identityKey)
                                       : StoreStatus::NotFound;
        const std::string field(record.table().fields[std::size_t(relation->childField)].name);
        if (status == StoreStatus::Ok) {
            // As the parent spells it: a child differing in letter case would link to nothing.
            [[maybe_unused]] const SetResult same =
                record.setValue(relation->childField, parent.record().value(relation->parentField));
        } else if (status != StoreStatus::NotFound) {
            return field + ": nepavyko perskaityti failo " + std::string(def.name) + ": " + errorText() + ".";
        } else if (parentRequired) {
            return field + ": reikšmės „" + record.text(relation->childField) + "“ nėra faile " +
                   std::string(def.name) + ".";
        }
    }
    return {};
}

bool findLinkProblems(Context& context, std::vector<LinkProblem>& found) {
    for (const RelationDef& relation : Dictionary::instance().relations()) {
        const TableDef& parentDef = Dictionary::instance().table(relation.parent);
        const bool text = parentDef.fields[std::size_t(relation.parentField)].type == FieldType::String;
        // Another letter case names the same parent only where the parent's key ignores case.
        const bool anyCase = text && !parentDef.keys[std::size_t(parentDef.identityKey)].caseSensitive;
        // The parents' values: texts by their capitals where case is ignored, with their spelling.
        std::map<std::string, std::string> spelling;
        std::set<std::int64_t> numbers;
        {
            Table parents(context, relation.parent, false);
            OpenHandle open(parents);
            parents.setToKeyStart(parentDef.identityKey);
            StoreStatus status;
            while ((status = parents.next()) == StoreStatus::Ok) {
                const Value& value = parents.record().value(relation.parentField);
                if (const auto* held = std::get_if<std::string>(&value)) {
                    spelling.emplace(anyCase ? upper(*held) : *held, *held);
                } else if (const auto* number = std::get_if<std::int64_t>(&value)) {
                    numbers.insert(*number);
                }
            }
            if (status != StoreStatus::EndOfData) {
                return false;
            }
        }
        Table children(context, relation.child, false);
        OpenHandle open(children);
        children.setToKeyStart(relation.childKey);
        StoreStatus status;
        while ((status = children.next()) == StoreStatus::Ok) {
            const Value& value = children.record().value(relation.childField);
            if (isBlankLink(value)) {
                continue; // links nothing
            }
            std::optional<std::string> parent;
            if (const auto* held = std::get_if<std::string>(&value)) {
                const auto match = spelling.find(anyCase ? upper(*held) : *held);
                if (match != spelling.end() && match->second == *held) {
                    continue;
                }
                if (match != spelling.end()) {
                    parent = match->second;
                }
            } else if (const auto* number = std::get_if<std::int64_t>(&value);
                       number && numbers.contains(*number)) {
                continue;
            }
            found.push_back({&relation, children.record(), children.position(), parent});
        }
        if (status != StoreStatus::EndOfData) {
            return false;
        }
    }
    return true;
}

StoreStatus mendCaseMismatches(Context& context, const std::vector<LinkProblem>& problems) {
    for (const TableDef& def : Dictionary::instance().tables()) {
        Table child(context, def.id, false);
        OpenHandle open(child);
        Transaction transaction(context);
        bool begun = false;
        for (const LinkProblem& mismatch : problems) {
            if (mismatch.relation->child != def.id || mismatch.orphan()) {
                continue;
            }
            if (!begun && transaction.begin({def.id}) != StoreStatus::Ok) {
                return StoreStatus::Failed;
            }
            begun = true;
            if (const StoreStatus status = child.regetByPosition(mismatch.position);
                status != StoreStatus::Ok) {
                return status == StoreStatus::NotFound ? StoreStatus::Failed : status;
            }
            [[maybe_unused]] const SetResult set =
                child.record().setValue(mismatch.relation->childField, *mismatch.parentValue);
            if (child.put() != StoreStatus::Ok) {
                return StoreStatus::Failed;
            }
        }
        if (begun && transaction.commit() != StoreStatus::Ok) {
            return StoreStatus::Failed;
        }
    }
    return StoreStatus::Ok;
}

ExpressionResult<StillSelected> selectionCondition(Context& context, TableId table, std::string_view filter,
                                                   const Variables& variables) {
    const TableDef& def = Dictionary::instance().table(table);
    const auto parsed = parseFilter(filter);
    if (!parsed) {
        return parsed.error;
    }
    auto query = SqlQuery::build(ViewTables(def), orderForKey(def, def.identityKey), *parsed, variables);
    if (!query) {
        return query.error;
    }
    auto shared = std::make_shared<const SqlQuery>(std::move(*query));
    return StillSelected([&context, shared](const Record& stored) {
        const auto views = shared->tables().tables();
        // The record of each view table: the stored one, then each joined parent found by the linking
        // value of the view table it hangs on (blank when there is none, as the view's join gives it).
        std::vector<Record> records{stored};
        for (std::size_t i = 1; i < views.size(); ++i) {
            const ViewTable& view = views[i];
            Table parent(context, view.table->id, false);
            OpenHandle open(parent);
            parent.clear();
            const Value& link = records[std::size_t(view.child)].value(view.relation->childField);
            if (!parent.record().setValue(view.relation->parentField, link) ||
                parent.getByKey(view.table->identityKey) != StoreStatus::Ok) {
                parent.clear();
            }
            records.push_back(parent.record());
        }
        return shared->matches([&](const FieldRef& field) {
            for (std::size_t i = 0; i < views.size(); ++i) {
                if (views[i].table == field.table && views[i].secondBuffer == field.secondBuffer) {
                    return records[i].value(field.field);
                }
            }
            return Value();
        });
    });
}

GuardedResult guardedDelete(Table& table, const StillSelected& stillSelected) {
    Operation operation(table);
    const Position position = table.position();
    if (!operation.begin("Delete")) {
        return GuardedResult::Failed;
    }
    if (table.regetByPosition(position) != StoreStatus::Ok) {
        return operation.fail(WarningRetrieval, table);
    }
    const Record record = table.record();
    if (stillSelected && !stillSelected(record)) {
        return operation.notSelected();
    }
    if (const GuardedResult removed = removeChildren(operation, record); removed != GuardedResult::Done) {
        return removed;
    }
    if (table.remove() != StoreStatus::Ok) {
        return operation.fail(WarningDelete, table);
    }
    if (operation.commit() != StoreStatus::Ok) {
        return operation.fail(WarningDelete, table);
    }
    return GuardedResult::Done;
}

GuardedResult guardedChange(Table& table, const Record& former, ChangeCaller caller,
                            const StillSelected& stillSelected, ChildrenFollow follow) {
    if (&former.table() != &table.def()) {
        throw std::logic_error("ankstesnis įrašas ne lentelės " + std::string(table.def().name));
    }
    Operation operation(table);
    if (!operation.begin("Update")) {
        return GuardedResult::Failed;
    }
    const Position position = table.position();
    if (stillSelected) {
        // Read on a handle of its own, so that the caller's watch stays on the version it read. The
        // settings have one buffer for every handle: what the caller put there is put back.
        const Record changed = table.record();
        std::optional<Record> stored;
        {
            Table reader(table.context(), table.id(), table.isSecondBuffer());
            OpenHandle open(reader);
            if (reader.regetByPosition(position) != StoreStatus::Ok) {
                table.record() = changed;
                return operation.fail(WarningRetrieval, table);
            }
            stored = reader.record();
        }
        table.record() = changed;
        if (!stillSelected(*stored)) {
            table.record() = *stored;
            return operation.notSelected();
        }
    }
    switch (table.put()) {
    case StoreStatus::Ok:
        break;
    case StoreStatus::RecordChanged:
        return operation.changedByAnother(position, caller);
    default:
        return operation.fail(WarningRewrite, table);
    }
    return followAndCommit(operation, table, former, follow);
}

GuardedResult guardedBatchChange(Table& table, const BatchChange& change, const StillSelected& stillSelected,
                                 ChildrenFollow follow) {
    const Position position = table.position();
    Operation operation(table);
    if (!operation.begin("Update")) {
        return GuardedResult::Failed;
    }
    // As stored now, under the operation's locks: no other station changes it before it is written.
    switch (table.regetByPosition(position)) {
    case StoreStatus::Ok:
        break;
    case StoreStatus::NotFound:
        return operation.notSelected(); // removed by another station meanwhile
    default:
        return operation.fail(WarningRetrieval, table);
    }
    const Record former = table.record();
    if (stillSelected && !stillSelected(former)) {
        return operation.notSelected();
    }
    if (const std::string refusal = change(table.record()); !refusal.empty()) {
        table.record() = former;
        return operation.refuseChange(refusal);
    }
    if (table.put() != StoreStatus::Ok) {
        return operation.fail(WarningRewrite, table);
    }
    return followAndCommit(operation, table, former, follow);
}

} // namespace nakva
