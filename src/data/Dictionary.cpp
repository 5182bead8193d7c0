#include "data/Dictionary.h"

#include "data/Fields.h"

#include <algorithm>
#include <cassert>

namespace nakva {

namespace {

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return upperAscii(x) == upperAscii(y); });
}

// "SAS1:GyvenaNuo" → {"SAS1", "GyvenaNuo"}; a name without a prefix gives an empty prefix.
std::pair<std::string_view, std::string_view> splitPrefix(std::string_view name) {
    const auto colon = name.find(':');
    if (colon == std::string_view::npos) {
        return {{}, name};
    }
    return {name.substr(0, colon), name.substr(colon + 1)};
}

struct FieldSpec {
    FieldType type = FieldType::Long;
    int size = 0;
    int places = 0;
    bool isDate = false;
    bool numbersRecords = false;
};

constexpr FieldSpec asLong() {
    return {};
}
constexpr FieldSpec asNumber() {
    return {.numbersRecords = true};
}
constexpr FieldSpec asDate() {
    return {.isDate = true};
}
constexpr FieldSpec asByte() {
    return {.type = FieldType::Byte};
}
constexpr FieldSpec asString(int width) {
    return {.type = FieldType::String, .size = width};
}
constexpr FieldSpec asDecimal(int digits, int places) {
    return {.type = FieldType::Decimal, .size = digits, .places = places};
}
constexpr FieldSpec asGroup(int members) {
    return {.type = FieldType::Group, .size = members};
}

enum class KeyKind { Primary, Identity, CaseSensitiveIdentity, Unique, Duplicates };

// Builds one table's definition from its list in Tables.h.
class TableBuilder {
public:
    TableBuilder(std::deque<std::string>& names, TableId id, std::string_view name, std::string_view prefix)
        : names_(names) {
        def_.id = id;
        def_.name = name;
        def_.prefix = prefix;
    }

    void field(std::string_view bareName, const FieldSpec& form) {
        if (form.numbersRecords) {
            def_.recordNumberField = int(def_.fields.size());
        }
        def_.fields.push_back({.name = qualified(bareName),
                               .type = form.type,
                               .size = form.size,
                               .places = form.places,
                               .isDate = form.isDate});
    }

    void key(std::string_view bareName, KeyKind kind, std::vector<int> components) {
        const bool identity =
            kind == KeyKind::Primary || kind == KeyKind::Identity || kind == KeyKind::CaseSensitiveIdentity;
        if (identity && !hasIdentity_) {
            def_.identityKey = int(def_.keys.size());
            hasIdentity_ = true;
        }
        def_.keys.push_back({.name = qualified(bareName),
                             .components = std::move(components),
                             .unique = kind != KeyKind::Duplicates,
                             .caseSensitive = kind == KeyKind::CaseSensitiveIdentity,
                             .primary = kind == KeyKind::Primary});
    }

    TableDef finish() {
        for (int i = 0; i < int(def_.fields.size()); ++i) {
            // The first of two names equal but for case is the one found, as a search from the start
            // would find it.
            def_.fieldsByName.emplace(def_.fields[std::size_t(i)].bareName(), i);
        }
        return std::move(def_);
    }

private:
    std::string_view qualified(std::string_view bareName) {
        std::string name(def_.prefix);
        name += ':';
        name += bareName;
        return names_.emplace_back(std::move(name));
    }

    std::deque<std::string>& names_;
    TableDef def_;
    bool hasIdentity_ = false;
};

// A relation from typed handles: the linking fields must hold values of one type, and the key must be
// the child's.
template <TableId Parent, TableId Child, typename V>
RelationDef relation(Field<Parent, V> parentField, Field<Child, V> childField, Key<Child> childKey,
                     DeleteRule onDelete, int deleteOrder, int changeOrder) {
    return {.parent = Parent,
            .child = Child,
            .parentField = parentField.index,
            .childField = childField.index,
            .childKey = childKey.index,
            .onDelete = onDelete,
            .deleteOrder = deleteOrder,
            .changeOrder = changeOrder};
}

std::vector<RelationDef> relationDefinitions() {
    using enum DeleteRule;
    // Children of each parent in the order a delete walks them, then the place a change gives them.
    return {
        relation(VAL::Valstybe, SAS::GYVENTOJOVALSTYBE, SAS::VALSTKEY, Refuse, 0, 0),
        relation(VALYT::ValytPav, KVAL::ValytPav, KVAL::KEY_VALDT, Refuse, 0, 0),
        relation(SEI::SEILID, SEIG::SEILID, SEIG::EILID_KEY, Cascade, 0, 0),
        relation(SAS::IrasoNr, MOK::SaskIrasoNr, MOK::SASKIDMOKIDKEY, Cascade, 0, 2),
        relation(SAS::IrasoNr, SEI::IrasoNr, SEI::INRKEY, Cascade, 1, 1),
        relation(SAS::IrasoNr, SKMB::IrasoNr, SKMB::INRKMBIDKEY, Cascade, 2, 0),
        relation(PGRP::IrasoNr, PAS::PaslGrpNr, PAS::PASLGRP_KEY, Refuse, 0, 0),
        relation(PAS::Pav, SEI::PasPav, SEI::PASLKEY, Refuse, 0, 0),
        relation(MOK1::MokBudoID, MOK::MokejimoBudas, MOK::APMBUDAMOKDTKEY, Refuse, 0, 0),
        relation(KTIP::KambarioTipas, KMB::KambarioTipas, KMB::TIPASNRKEY, Refuse, 0, 0),
        relation(KLI::Kod, MOK::MokKod, MOK::KLIKODKEY, Refuse, 0, 1),
        relation(KLI::Kod, SAS::KliKod, SAS::KLIKODKEY, Refuse, 1, 0),
        relation(KMB::KambarioID, KPAT::KambarioID, KPAT::KEY_KMBDT, Refuse, 0, 3),
        relation(KMB::KambarioID, KRANK::KambarioID, KRANK::KEY_KMBDT, Refuse, 1, 2),
        relation(KMB::KambarioID, KVAL::KambarioID, KVAL::KEY_KMBDT, Refuse, 2, 1),
        relation(KMB::KambarioID, SKMB::KambarioID, SKMB::KMBIDINRKEY, Refuse, 3, 0),
        relation(GRP::Grupe, SAS::GyventojoGrupe, SAS::GRUPKEY, Refuse, 0, 0),
    };
}

std::vector<const RelationDef*> childrenInOrder(std::span<const RelationDef> relations, TableId parent,
                                                int RelationDef::*order) {
    std::vector<const RelationDef*> children;
    for (const auto& relation : relations) {
        if (relation.parent == parent) {
            children.push_back(&relation);
        }
    }
    std::ranges::sort(children, {}, [order](const RelationDef* r) { return r->*order; });
    return children;
}

} // namespace

// Each table's definition is built inside the namespace of its field indexes, so that the key
// components of Tables.h name the fields directly.
#define NAKVA_DICTIONARY_ADD_FIELD(name, kind, ...) builder.field(#name, as##kind(__VA_ARGS__));
#define NAKVA_DICTIONARY_ADD_KEY(name, kind, ...) builder.key(#name, KeyKind::kind, {__VA_ARGS__});
#define NAKVA_DICTIONARY_BUILDER(id, prefix)                                                                 \
    namespace prefix::field {                                                                                \
    static TableDef definition(std::deque<std::string>& names) {                                             \
        TableBuilder builder(names, TableId::id, #id, #prefix);                                              \
        NAKVA_TABLE_##prefix(NAKVA_DICTIONARY_ADD_FIELD, NAKVA_DICTIONARY_ADD_KEY) return builder.finish();  \
    }                                                                                                        \
    }
NAKVA_TABLES(NAKVA_DICTIONARY_BUILDER)

std::size_t NameNoCaseHash::operator()(std::string_view name) const {
    std::size_t hash = 14695981039346656037ull;
    for (char c : name) {
        hash = (hash ^ static_cast<unsigned char>(upperAscii(c))) * 1099511628211ull;
    }
    return hash;
}

bool NameNoCaseEqual::operator()(std::string_view a, std::string_view b) const {
    return equalNoCase(a, b);
}

std::string_view FieldDef::bareName() const {
    return splitPrefix(name).second;
}

std::string TableDef::fileName() const {
    return "DATA/" + std::string(name) + ".tps";
}

std::string_view TableDef::messageName() const {
    return id == TableId::Seilgraf ? "SEilGraf" : name;
}

int TableDef::fieldIndex(std::string_view fieldName) const {
    const auto [givenPrefix, bare] = splitPrefix(fieldName);
    if (!givenPrefix.empty() && !equalNoCase(givenPrefix, prefix) &&
        (secondPrefix.empty() || !equalNoCase(givenPrefix, secondPrefix))) {
        return -1;
    }
    const auto found = fieldsByName.find(bare);
    return found == fieldsByName.end() ? -1 : found->second;
}

int TableDef::keyIndex(std::string_view keyName) const {
    const auto [givenPrefix, bare] = splitPrefix(keyName);
    if (!givenPrefix.empty() && !equalNoCase(givenPrefix, prefix) &&
        (secondPrefix.empty() || !equalNoCase(givenPrefix, secondPrefix))) {
        return -1;
    }
    for (int i = 0; i < int(keys.size()); ++i) {
        if (equalNoCase(splitPrefix(keys[i].name).second, bare)) {
            return i;
        }
    }
    return -1;
}

Dictionary::Dictionary() {
#define NAKVA_DICTIONARY_DEFINE(id, prefix) tables_.push_back(prefix::field::definition(names_));
    NAKVA_TABLES(NAKVA_DICTIONARY_DEFINE)
#undef NAKVA_DICTIONARY_DEFINE
#define NAKVA_DICTIONARY_SECOND(prefix, second) tables_[int(prefix::table)].secondPrefix = #second;
    NAKVA_SECOND_BUFFERS(NAKVA_DICTIONARY_SECOND)
#undef NAKVA_DICTIONARY_SECOND
#define NAKVA_DICTIONARY_LATER(prefix) tables_[int(prefix::table)].addedLater = true;
    NAKVA_LATER_TABLES(NAKVA_DICTIONARY_LATER)
#undef NAKVA_DICTIONARY_LATER
    assert(int(tables_.size()) == TableCount);
    for (int i = 0; i < TableCount; ++i) {
        prefixes_.emplace(tables_[std::size_t(i)].prefix, i);
        if (!tables_[std::size_t(i)].secondPrefix.empty()) {
            prefixes_.emplace(tables_[std::size_t(i)].secondPrefix, i);
        }
    }
    relations_ = relationDefinitions();
}

const Dictionary& Dictionary::instance() {
    static const Dictionary dictionary;
    return dictionary;
}

std::span<const TableDef> Dictionary::tables() const {
    return tables_;
}

const TableDef& Dictionary::table(TableId id) const {
    return tables_.at(std::size_t(id));
}

const TableDef* Dictionary::findTable(std::string_view name) const {
    for (const auto& table : tables_) {
        if (equalNoCase(table.name, name)) {
            return &table;
        }
    }
    return nullptr;
}

const TableDef* Dictionary::findByPrefix(std::string_view prefix) const {
    const auto found = prefixes_.find(prefix);
    return found == prefixes_.end() ? nullptr : &tables_[std::size_t(found->second)];
}

std::optional<FieldRef> Dictionary::findField(std::string_view qualifiedName) const {
    const auto [prefix, bare] = splitPrefix(qualifiedName);
    const TableDef* table = prefix.empty() ? nullptr : findByPrefix(prefix);
    if (!table) {
        return std::nullopt;
    }
    const int field = table->fieldIndex(bare);
    if (field < 0) {
        return std::nullopt;
    }
    return FieldRef{.table = table, .field = field, .secondBuffer = !equalNoCase(prefix, table->prefix)};
}

std::span<const RelationDef> Dictionary::relations() const {
    return relations_;
}

std::vector<const RelationDef*> Dictionary::childrenForDelete(TableId parent) const {
    return childrenInOrder(relations_, parent, &RelationDef::deleteOrder);
}

std::vector<const RelationDef*> Dictionary::childrenForChange(TableId parent) const {
    return childrenInOrder(relations_, parent, &RelationDef::changeOrder);
}

std::vector<const RelationDef*> Dictionary::parentsOf(TableId child) const {
    std::vector<const RelationDef*> parents;
    for (const auto& relation : relations_) {
        if (relation.child == child) {
            parents.push_back(&relation);
        }
    }
    return parents;
}

std::vector<TableId> Dictionary::transactionTables(TableId table) const {
    std::vector<TableId> tables{table};
    auto addOnce = [&tables](TableId id) {
        if (std::ranges::find(tables, id) == tables.end()) {
            tables.push_back(id);
        }
    };
    for (const RelationDef* child : childrenForDelete(table)) {
        addOnce(child->child);
    }
    for (const RelationDef* child : childrenForDelete(table)) {
        for (const RelationDef* grandchild : childrenForDelete(child->child)) {
            addOnce(grandchild->child);
        }
    }
    return tables;
}

} // namespace nakva
