#pragma once

#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nakva {

// The tables, in the order of the dictionary.
enum class TableId : int {
    IstgPar,
    Kamb,
    SaskKmb,
    Saskait,
    Grupes,
    Saskeil,
    Seilgraf,
    Mokej,
    PaslGrp,
    KmbTipai,
    MokBudai,
    Valyt,
    KmbPatal,
    KmbRanks,
    Paslaug,
    Klient,
    Valstyb,
    KmbVal,
    PvmTarif,
};
inline constexpr int TableCount = 19;

enum class FieldType { Long, Byte, String, Decimal, Group };

// Names as the dictionary compares them: ASCII letters without regard to case.
struct NameNoCaseHash {
    std::size_t operator()(std::string_view name) const;
};
struct NameNoCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const;
};
// Bare names (or prefixes) to their index; the views point into the dictionary's own strings.
using NameIndex = std::unordered_map<std::string_view, int, NameNoCaseHash, NameNoCaseEqual>;

struct FieldDef {
    std::string_view name; // with its prefix, as the system writes it: "SAS:GyvenaNuo"
    FieldType type = FieldType::Long;
    int size = 0;        // STRING: width in bytes; DECIMAL: digits in all; GROUP: member fields that follow
    int places = 0;      // DECIMAL: digits after the point
    bool isDate = false; // a LONG holding a day number

    std::string_view bareName() const; // "GyvenaNuo"
};

enum class DeleteRule { Refuse, Cascade };

struct KeyDef {
    std::string_view name;       // "SAS:GYVENTKEY"
    std::vector<int> components; // field indexes, all ascending
    bool unique = true;
    bool caseSensitive = false; // string components compare case-insensitively unless set
    bool primary = false;
};

struct TableDef {
    TableId id{};
    std::string_view name;         // "Saskait"
    std::string_view prefix;       // "SAS"
    std::string_view secondPrefix; // "SAS1", empty when the table has no second buffer
    std::vector<FieldDef> fields;  // record order, group fields included
    std::vector<KeyDef> keys;
    int identityKey = 0;        // the primary key, or the key that serves as identity
    int recordNumberField = -1; // the field numbered on insert, -1 when the table has none
    // The table came after the first release: a backup made before it came has no file of it, and
    // restoring such a backup leaves the table as it is.
    bool addedLater = false;

    std::string fileName() const;         // "DATA/Saskait.tps"
    std::string_view messageName() const; // the name used in messages ("SEilGraf" for Seilgraf)
    // Case-insensitive; accepts "GyvenaNuo", "SAS:GyvenaNuo" or the second prefix "SAS1:GyvenaNuo". -1 if
    // none.
    int fieldIndex(std::string_view name) const;
    int keyIndex(std::string_view name) const; // "SAS:GYVENTKEY" or "GYVENTKEY", case-insensitive; -1 if none

    NameIndex fieldsByName; // the fields' bare names, built with the dictionary: lists look fields up often
};

struct RelationDef {
    TableId parent{};
    TableId child{};
    int parentField = -1;                     // field of the parent holding the linking value
    int childField = -1;                      // field of the child that points to it
    int childKey = -1;                        // the child's key used to find the children
    DeleteRule onDelete = DeleteRule::Refuse; // every relation cascades on change
    int deleteOrder = 0;                      // place among the parent's children when a delete walks them
    int changeOrder = 0; // place among the parent's children when a change cascades to them
};

// A field named in an order or a filter: "SAS:GyvenaNuo" or, through the second buffer, "SAS1:GyvenaNuo".
struct FieldRef {
    const TableDef* table = nullptr;
    int field = -1;
    bool secondBuffer = false;
};

class Dictionary {
public:
    static const Dictionary& instance();

    std::span<const TableDef> tables() const;
    const TableDef& table(TableId id) const;
    const TableDef* findTable(std::string_view name) const;      // "Saskait", case-insensitive
    const TableDef* findByPrefix(std::string_view prefix) const; // "SAS" or "SAS1", case-insensitive
    std::optional<FieldRef> findField(std::string_view qualifiedName) const;

    std::span<const RelationDef> relations() const;
    // The child relations of a table in the order delete processes them, and in the order change does.
    std::vector<const RelationDef*> childrenForDelete(TableId parent) const;
    std::vector<const RelationDef*> childrenForChange(TableId parent) const;
    std::vector<const RelationDef*> parentsOf(TableId child) const;
    // The tables a guarded delete or change of a record of `table` writes in one transaction: the table
    // itself, its child tables and their child tables, each once.
    std::vector<TableId> transactionTables(TableId table) const;

private:
    Dictionary();
    std::deque<std::string> names_; // "SAS:GyvenaNuo", "SAS:GYVENTKEY": what the string_views point to
    std::vector<TableDef> tables_;
    std::vector<RelationDef> relations_;
    NameIndex prefixes_; // the first and the second prefix of every table, to its place in tables_
};

} // namespace nakva
