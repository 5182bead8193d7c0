#pragma once

#include "data/Decimal.h"
#include "data/Dictionary.h"
#include "data/Record.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nakva {

class Variables;

// The sort orders and filters that list windows and reports hand to their views.
//
// Order: a comma-separated list of components, each optionally `+` (ascending, the default) or `-`
// followed by a field name or `UPPER(` field name `)`: "+UPPER(KMB:KambarioTipas),+KMB:KambarioID",
// "SAS:GyventojoValstybe,SAS:IrasoNr", "-SAS1:GyvenaIki".
//
// Filter: comparisons `=`, `<>`, `<`, `>`, `<=` (also `=<`), `>=` between fields, variables and
// constants ('text' with '' for a quote inside, 12, 12.50, -3); `AND` binds tighter than `OR` (either
// letter case); `~` negates the comparison or the parenthesised condition that follows it; `UPPER()`;
// a field or variable alone is a condition: a number is true when it is not zero, a text when it is
// not blank. Dates and longs are whole numbers, decimals compare exactly; texts compare ignoring
// trailing blanks, `=` and `<>` exactly by letter case, `<` and `>` by the Lithuanian collation.

// What went wrong and where: `position` is the byte offset in the expression's text; `message` is the
// complete text for the user ("Filtro klaida ties 14 ženklu: laukiama „)“, rasta „AND“").
struct ExpressionError {
    int position = 0;
    std::string message;
};

// A value or the error that kept it from being made.
template <typename T> class ExpressionResult {
public:
    ExpressionResult(T value) : value_(std::move(value)) {}
    ExpressionResult(ExpressionError error) : error(std::move(error)) {}

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }

    ExpressionError error; // meaningful only when there is no value

private:
    std::optional<T> value_;
};

// How a text component of an order compares. Auto: as the key that the order follows compares the
// field (see bindOrder); numbers ignore it.
enum class TextOrder { Auto, NoCase, Case };

struct OrderComponent {
    std::string name; // as written: "SAS1:GyvenaIki"
    bool descending = false;
    TextOrder text = TextOrder::Auto; // NoCase for UPPER(...)
    int position = 0;
};

struct Order {
    std::vector<OrderComponent> components;
};

ExpressionResult<Order> parseOrder(std::string_view text);
// The order of a key: its components ascending, text components as the key compares them.
Order orderForKey(const TableDef& table, int key, bool secondBuffer = false);

enum class CompareOp { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

// The parsed filter before its names are known to be fields or variables.
struct FilterNode {
    enum class Kind {
        Or,      // operands: two or more conditions
        And,     // operands: two or more conditions
        Not,     // operand: a condition
        Compare, // operands: two values
        Truth,   // operand: a value used as a condition
        Name,    // text: the name as written
        Text,    // text: the constant's characters
        Number,  // number
        Upper,   // operand: a value
    };
    Kind kind = Kind::Truth;
    CompareOp op = CompareOp::Equal;
    std::string text;
    Decimal number;
    int position = 0;
    std::vector<FilterNode> operands;
};

struct Filter {
    std::optional<FilterNode> root; // none: every record passes
};

// A blank text is the filter that passes every record.
ExpressionResult<Filter> parseFilter(std::string_view text);

// The record buffers a view reads: its main buffer and the parents joined to it along the relations
// (LEFT JOIN: a child without its parent still shows, the parent's fields blank).
struct ViewTable {
    const TableDef* table = nullptr;
    bool secondBuffer = false;
    const RelationDef* relation = nullptr; // by which it is joined; none for the main table
    int child = -1;                        // the view table holding the relation's child field
    // A child without this parent is not read: the parent is joined inner and its fields are read as
    // stored, so that a filter on them can choose the parent's index.
    bool required = false;

    FieldRef field(int index) const { return {table, index, secondBuffer}; }
};

class ViewTables {
public:
    explicit ViewTables(const TableDef& main, bool secondBuffer = false);

    // Joins a parent reachable from the main table along the relations, with the tables in between
    // (Seilgraf → Saskeil → Saskait). Returns its index, or -1 when no relation leads there or the
    // table already stands in the view under its other buffer.
    int join(const TableDef& parent, bool secondBuffer = false, bool required = false);
    int indexOf(const TableDef& table, bool secondBuffer) const; // -1 when not in the view

    std::span<const ViewTable> tables() const { return tables_; }
    const ViewTable& main() const { return tables_.front(); }

private:
    std::vector<ViewTable> tables_;
};

// An order whose fields are found in the view.
struct BoundOrderComponent {
    int view = 0; // index into ViewTables::tables()
    int field = -1;
    bool descending = false;
    TextOrder text = TextOrder::Auto; // resolved for texts: NoCase or Case; Auto for numbers
};

// Finds the order's fields in the view, joining the parents that they name. A plain text component
// compares as the key that the order follows does: the first key of its table whose leading
// components are the order's components of that table; failing that, the first key holding the field;
// failing that, without regard to letter case. So "+PAS:Pav" is case-sensitive (the services' name
// key is) and "SAS:GyventojoValstybe,SAS:IrasoNr" is not, and both are read along their index.
ExpressionResult<std::vector<BoundOrderComponent>> bindOrder(const Order& order, ViewTables& tables);

// How the keys compare a text field: as the first key of its table that holds it; Auto when none does.
TextOrder fieldKeyOrder(const TableDef& table, int field);

enum class ValueType { Number, Text };

// A filter whose names are resolved: fields of the view, or the values that the variables held
// when it was bound.
struct BoundExpr {
    enum class Kind { Or, And, Not, Compare, Truth, Field, Constant };
    Kind kind = Kind::Constant;
    CompareOp op = CompareOp::Equal;
    ValueType type = ValueType::Number; // of a Field or Constant
    bool upper = false;                 // a Field read through UPPER(); a Constant is upper-cased already
    int view = 0;                       // Field: index into ViewTables::tables()
    int field = -1;                     // Field: index in its table
    Decimal number;                     // Constant number
    std::string text;                   // Constant text, trailing blanks removed
    std::vector<BoundExpr> operands;

    bool hasField() const; // whether it reads any record
};

// Resolves the filter's names: a name bound in `variables` is a variable; otherwise a field of the
// view; otherwise a field of a parent that the relations reach, which is joined. Checks that
// comparisons compare like with like and that UPPER() is given a text.
ExpressionResult<std::optional<BoundExpr>> bindFilter(const Filter& filter, ViewTables& tables,
                                                      const Variables& variables);

// A field's value in the record buffers of the view's current row (a missing parent's fields blank).
using FieldValues = std::function<Value(const FieldRef&)>;

bool evaluate(const BoundExpr& condition, const ViewTables& tables, const FieldValues& values);

} // namespace nakva
