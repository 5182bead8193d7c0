#pragma once

#include "data/Expression.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

namespace nakva {

class SqlQuery;
class Variables;

// The one place where a view becomes SQL (the SQLite dialect). Every constant and variable of a
// filter, and every seek value, goes in as a bound parameter, never into the text.

// A bound parameter or a stored value: NULL, INTEGER (longs, bytes, dates, decimals scaled by their
// places) or TEXT (UTF-8 without trailing blanks).
using SqlValue = std::variant<std::monostate, std::int64_t, std::string>;

// How the database reaches a table: `source` gives the FROM or JOIN item with the alias that `field`
// then uses (`"a2"."Kamb" AS "Kamb"`); `field` gives a column (`"Kamb"."KambarioID"`), or the rowid
// for field -1.
struct SqlSpelling {
    std::function<std::string(const TableDef&)> source;
    std::function<std::string(const TableDef&, int field)> field;
};

// The text and its parameters, ?1 .. ?n in order. The result holds the requested columns, then
// `orderCount` order values (the stored values that seeks compare), then the main table's rowid.
struct SqlStatement {
    std::string text;
    std::vector<SqlValue> parameters;
    int orderColumn = 0;
    int orderCount = 0;
};

enum class ReadDirection { Forward, Backward };

// Where a read starts, in its direction: Backward with AfterPosition reads the records before the
// position, nearest first. The *Values kinds take values of the first order components (at least
// one); the *Position kinds take all order values and the rowid.
struct Seek {
    enum class Kind { None, AtOrAfterValues, AfterValues, AtOrAfterPosition, AfterPosition };
    Kind kind = Kind::None;
    std::vector<SqlValue> values;
    std::int64_t rowid = 0;
};

// The stored form of a field's value, as order values and parameters carry it.
SqlValue storedValue(const FieldDef& field, const Value& value);

// The select texts written on one procedure context, for every query of it to reuse: a list or a loop
// over children reads through the same few shapes again and again, and writing a select costs more
// than running it. A text is found by everything it depends on except the values, which stay
// parameters; a value that changes the text (a decimal constant that no stored value can equal) changes
// what it is found by too.
//
// The queries that the context's views were built into are kept here as well: a form's sub-lists and a
// list read again open the same views over and over, and parsing and binding their orders and filters
// costs more than reading their pages.
class SelectTexts {
public:
    // The query of a view on `tables` with this order and filter, as SqlQuery::build makes it: taken
    // again when the same view was built before with the same values of the names its filter holds
    // (a name bound then and not now, or the other way round, counts as another value). A view shares
    // the query it got, so the cache may drop it meanwhile. Errors are not kept: each open reports them.
    ExpressionResult<std::shared_ptr<const SqlQuery>> query(const ViewTables& tables,
                                                            const std::string& order,
                                                            const std::string& filter,
                                                            const Variables& variables);

    struct Written {
        std::vector<std::string> columns;
        std::string text;
        int orderColumn = 0;
        int orderCount = 0;
    };
    const Written* find(const std::string& key) const;
    void keep(std::string key, Written written);

private:
    static constexpr std::size_t Kept = 256;
    std::unordered_map<std::string, Written> written_;

    // A filter parsed once, with the names it holds (variables or fields, decided when it is bound).
    struct ParsedFilter {
        Filter filter;
        std::vector<std::string> names;
    };
    // One query built, with the values its filter's names had: nullopt for a name nobody bound.
    struct Built {
        std::vector<std::optional<Value>> values;
        std::shared_ptr<const SqlQuery> query;
    };
    static constexpr std::size_t KeptPerView = 8;
    std::unordered_map<std::string, ParsedFilter> filters_;
    std::unordered_map<std::string, std::vector<Built>> queries_; // by tables, order and filter
    std::size_t builtCount_ = 0;
};

class SqlQuery {
public:
    // Resolves the order's and the filter's names in the view (joining the parents they name) with
    // the variables' present values; an unknown name, a type clash or an unreachable table is an
    // error. The rowid of the main table always ends the order.
    static ExpressionResult<SqlQuery> build(ViewTables tables, const Order& order, const Filter& filter,
                                            const Variables& variables);

    const ViewTables& tables() const { return tables_; }
    int orderCount() const { return int(order_.size()); }
    std::vector<FieldRef> orderFields() const; // the order's fields, in its order

    // A sorted read of at most `limit` rows (no limit when 0). A seek reads along the index: one
    // range per order component (k1 = v1 AND k2 > v2 ...), merged in order as far as the page
    // needs; the records of the page are then read by rowid.
    SqlStatement select(const SqlSpelling& spelling, std::span<const std::string> columns, const Seek& seek,
                        ReadDirection direction, int limit, SelectTexts* texts = nullptr) const;
    // One row of aggregates (`what`: "COUNT(*), SUM(...)") over the rows the filter passes.
    SqlStatement aggregate(const SqlSpelling& spelling, std::string_view what) const;

    // The order values of the current row (a select-mode value, a locator), from the record buffers.
    std::vector<SqlValue> orderValues(const FieldValues& values) const;
    // The filter evaluated on the record buffers.
    bool matches(const FieldValues& values) const;

private:
    SqlQuery(ViewTables tables) : tables_(std::move(tables)) {}
    void limitSearch();
    SqlStatement writeSelect(const SqlSpelling& spelling, std::span<const std::string> columns,
                             const Seek& seek, ReadDirection direction, int limit) const;
    void describeStructure();
    // Whether a filter's condition on this field of the main table may choose the index.
    bool searchable(int field) const;

    friend class SqlWriter;

    ViewTables tables_;
    std::vector<BoundOrderComponent> order_;
    std::optional<BoundExpr> filter_;
    bool limited_ = false;
    std::vector<int> searchable_;

    std::string
        structure_; // the view's tables and the order, as the cache of written selects tells queries apart
    // The filter's skeleton and its parameters, the same for every select of the query: its values were
    // bound when it was built.
    std::string filterSkeleton_;
    std::vector<SqlValue> filterParameters_;
};

} // namespace nakva
