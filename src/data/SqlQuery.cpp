#include "data/SqlQuery.h"

#include "data/Text.h"
#include "data/Variables.h"

#include <algorithm>

namespace nakva {

namespace {

// Beyond any stored value (at most 13 digits, scaled by at most 4 places): a constant outside it
// compares with every field as this bound does, and stays within 64 bits.
constexpr std::int64_t BeyondWhole = 1'000'000'000'000'000'000;
const Decimal Beyond = Decimal(BeyondWhole);

int placesOf(const FieldDef& field) {
    return field.type == FieldType::Decimal ? field.places : 0;
}

std::string collationName(TextOrder order) {
    return order == TextOrder::Case ? "LT_CASE" : "LT_NOCASE";
}

CompareOp mirrored(CompareOp op) {
    switch (op) {
    case CompareOp::Less:
        return CompareOp::Greater;
    case CompareOp::LessEqual:
        return CompareOp::GreaterEqual;
    case CompareOp::Greater:
        return CompareOp::Less;
    case CompareOp::GreaterEqual:
        return CompareOp::LessEqual;
    default:
        return op;
    }
}

std::string_view opText(CompareOp op) {
    switch (op) {
    case CompareOp::Equal:
        return " = ";
    case CompareOp::NotEqual:
        return " <> ";
    case CompareOp::Less:
        return " < ";
    case CompareOp::LessEqual:
        return " <= ";
    case CompareOp::Greater:
        return " > ";
    case CompareOp::GreaterEqual:
        return " >= ";
    }
    return " = ";
}

std::int64_t wholeOf(const Decimal& value) {
    return *std::clamp(value, -Beyond, Beyond).toScaled(0);
}

// value × 10^places, rounded, kept within the range that stored values can have.
std::int64_t scaledOf(const Decimal& value, int places) {
    Decimal scaled = value;
    for (int i = 0; i < places; ++i) {
        scaled *= 10;
    }
    return wholeOf(scaled.rounded(0));
}

} // namespace

// Writes the SQL of one statement, collecting its parameters.
class SqlWriter {
public:
    SqlWriter(const SqlQuery& query, const SqlSpelling& spelling, std::vector<SqlValue>& parameters)
        : query_(query), tables_(query.tables_.tables()), spelling_(spelling), parameters_(parameters) {}
    // A writer of the skeleton only: fields as "#view.field" tokens, the parameters as the full text
    // would have them. A condition's skeleton differs wherever its text would.
    SqlWriter(const SqlQuery& query, std::vector<SqlValue>& parameters)
        : query_(query), tables_(query.tables_.tables()), spelling_(NoSpelling), parameters_(parameters),
          skeleton_(true) {}

    std::string parameter(SqlValue value) {
        parameters_.push_back(std::move(value));
        return "?" + std::to_string(parameters_.size());
    }

    // A field as filters, orders and seeks read it: a joined parent's field is 0 or blank when the
    // parent is missing, as its cleared record buffer would be; a required parent is never missing.
    std::string column(int view, int field) const {
        if (skeleton_) {
            return "#" + std::to_string(view) + "." + std::to_string(field);
        }
        const ViewTable& table = tables_[view];
        const std::string spelled = spelling_.field(*table.table, field);
        if (view == 0 || table.required) {
            return spelled;
        }
        const bool text = table.table->fields[field].type == FieldType::String;
        return "COALESCE(" + spelled + (text ? ", '')" : ", 0)");
    }

    // A field as a filter reads it. A field of the main table that may not steer the choice of index
    // is written `+field`: SQLite then reads along the order's index and checks it on the way.
    std::string filterColumn(int view, int field) const {
        return view == 0 && !query_.searchable(field) ? "+" + column(view, field) : column(view, field);
    }

    std::string rowid() const {
        return skeleton_ ? column(0, -1) : spelling_.field(*tables_.front().table, -1);
    }

    std::string from() const { return " FROM " + spelling_.source(*tables_.front().table) + parents(); }

    // The main table's row of each rowid that `page` (a subquery naming it "_kr") yields, in the
    // page's rows' order, with its parents.
    std::string fromRowids(const std::string& page) const {
        return " FROM (" + page + ") AS \"_page\" CROSS JOIN " + spelling_.source(*tables_.front().table) +
               " ON " + rowid() + " = \"_page\".\"_kr\"" + parents();
    }

    // The joined parents, each found from its child.
    std::string parents() const {
        std::string sql;
        for (std::size_t i = 1; i < tables_.size(); ++i) {
            const ViewTable& parent = tables_[i];
            const ViewTable& child = tables_[parent.child];
            const RelationDef& relation = *parent.relation;
            sql += (parent.required ? " JOIN " : " LEFT JOIN ") + spelling_.source(*parent.table) + " ON " +
                   spelling_.field(*parent.table, relation.parentField);
            if (parent.table->fields[relation.parentField].type == FieldType::String) {
                // The parent is found as its key finds it.
                const TextOrder order = fieldKeyOrder(*parent.table, relation.parentField);
                sql += " COLLATE " + collationName(order == TextOrder::Auto ? TextOrder::NoCase : order);
            }
            sql += " = " + spelling_.field(*child.table, relation.childField);
        }
        return sql;
    }

    std::string condition(const BoundExpr& node) {
        using K = BoundExpr::Kind;
        if (!node.hasField()) {
            // Variables and constants alone: decided now, passed in as a parameter.
            const bool holds = evaluate(node, query_.tables_, [](const FieldRef&) { return Value(); });
            return parameter(std::int64_t(holds ? 1 : 0));
        }
        switch (node.kind) {
        case K::Or:
        case K::And: {
            std::string sql = "(";
            for (const auto& operand : node.operands) {
                if (sql.size() > 1) {
                    sql += node.kind == K::Or ? " OR " : " AND ";
                }
                sql += condition(operand);
            }
            return sql + ")";
        }
        case K::Not: {
            const auto& operand = node.operands.front();
            if (operand.kind == K::Truth) {
                // Blank or zero, written so that a key can find it.
                const auto& value = operand.operands.front();
                return "(" + filterColumn(value.view, value.field) +
                       (value.type == ValueType::Text ? " = '')" : " = 0)");
            }
            return "NOT (" + condition(operand) + ")";
        }
        case K::Truth: {
            const auto& operand = node.operands.front();
            return "(" + filterColumn(operand.view, operand.field) +
                   (operand.type == ValueType::Text ? " <> '')" : " <> 0)");
        }
        case K::Compare:
            return node.operands[0].type == ValueType::Number ? numberComparison(node) : textComparison(node);
        case K::Field:
        case K::Constant:
            break;
        }
        return parameter(std::int64_t(0));
    }

    std::string orderTerm(const BoundOrderComponent& component, bool backward) const {
        std::string sql = column(component.view, component.field);
        if (component.text != TextOrder::Auto) {
            sql += " COLLATE " + collationName(component.text);
        }
        return sql + (component.descending != backward ? " DESC" : "");
    }

private:
    const FieldDef& fieldDef(const BoundExpr& node) const {
        return tables_[node.view].table->fields[node.field];
    }

    std::string numberComparison(const BoundExpr& node) {
        const BoundExpr* left = &node.operands[0];
        const BoundExpr* right = &node.operands[1];
        CompareOp op = node.op;
        if (left->kind == BoundExpr::Kind::Constant) {
            std::swap(left, right);
            op = mirrored(op);
        }
        const int leftPlaces = placesOf(fieldDef(*left));
        std::string leftSql = filterColumn(left->view, left->field);
        if (right->kind == BoundExpr::Kind::Field) {
            const int rightPlaces = placesOf(fieldDef(*right));
            std::string rightSql = filterColumn(right->view, right->field);
            if (leftPlaces < rightPlaces) {
                leftSql = "(" + leftSql + " * 1" + std::string(rightPlaces - leftPlaces, '0') + ")";
            } else if (rightPlaces < leftPlaces) {
                rightSql = "(" + rightSql + " * 1" + std::string(leftPlaces - rightPlaces, '0') + ")";
            }
            return "(" + leftSql + std::string(opText(op)) + rightSql + ")";
        }
        // The constant in the field's units; one with more places than the field lies between two
        // stored values `below` and `above`, and the comparison moves to the nearer of them.
        Decimal scaled = right->number;
        for (int i = 0; i < leftPlaces; ++i) {
            scaled *= 10;
        }
        const Decimal whole = scaled.rounded(0);
        const bool exact = whole == scaled;
        const Decimal below = exact || whole < scaled ? whole : whole - 1;
        const Decimal above = exact || whole > scaled ? whole : whole + 1;
        switch (op) {
        case CompareOp::Equal:
        case CompareOp::NotEqual:
            if (!exact) {
                return parameter(std::int64_t(op == CompareOp::NotEqual ? 1 : 0));
            }
            return "(" + leftSql + std::string(opText(op)) + parameter(wholeOf(whole)) + ")";
        case CompareOp::Less:
        case CompareOp::GreaterEqual:
            return "(" + leftSql + std::string(opText(op)) + parameter(wholeOf(above)) + ")";
        case CompareOp::LessEqual:
        case CompareOp::Greater:
            return "(" + leftSql + std::string(opText(op)) + parameter(wholeOf(below)) + ")";
        }
        return parameter(std::int64_t(0));
    }

    std::string textComparison(const BoundExpr& node) {
        const BoundExpr* left = &node.operands[0];
        const BoundExpr* right = &node.operands[1];
        CompareOp op = node.op;
        if (left->kind == BoundExpr::Kind::Constant) {
            std::swap(left, right);
            op = mirrored(op);
        }
        const auto operand = [&](const BoundExpr& side, bool raw) {
            if (side.kind == BoundExpr::Kind::Constant) {
                return parameter(side.text);
            }
            const std::string sql = filterColumn(side.view, side.field);
            return side.upper && !raw ? "LT_UPPER(" + sql + ")" : sql;
        };
        const bool equality = op == CompareOp::Equal || op == CompareOp::NotEqual;
        if (left->upper && right->upper) {
            // UPPER(a) against UPPER(b) is a against b without regard to letter case.
            const std::string leftSql = operand(*left, true);
            return "(" + leftSql + " COLLATE LT_NOCASE" + std::string(opText(op)) + operand(*right, true) +
                   ")";
        }
        const std::string leftSql = operand(*left, false);
        const std::string rightSql = operand(*right, false);
        std::string sql = "(" + leftSql + (equality ? " COLLATE BINARY" : " COLLATE LT_CASE") +
                          std::string(opText(op)) + rightSql + ")";
        if (op != CompareOp::Equal || right->kind != BoundExpr::Kind::Constant) {
            return sql;
        }
        // An equal text is equal under the key's collation too: saying so lets the key's index find it.
        const TextOrder keyOrder = fieldKeyOrder(*tables_[left->view].table, left->field);
        if (keyOrder == TextOrder::Auto || (left->upper && keyOrder == TextOrder::Case) || left->view != 0 ||
            !query_.searchable(left->field)) {
            return sql;
        }
        return "(" + column(left->view, left->field) + " COLLATE " + collationName(keyOrder) + " = " +
               rightSql + " AND " + sql + ")";
    }

    static inline const SqlSpelling NoSpelling{};

    const SqlQuery& query_;
    std::span<const ViewTable> tables_;
    const SqlSpelling& spelling_;
    std::vector<SqlValue>& parameters_;
    bool skeleton_ = false;
};

SqlValue storedValue(const FieldDef& field, const Value& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        // Most order values are longs of fields without places: no decimal arithmetic for them.
        const int places = placesOf(field);
        if (places == 0) {
            return std::clamp(*integer, -BeyondWhole, BeyondWhole);
        }
        return scaledOf(Decimal(*integer), places);
    }
    if (const auto* decimal = std::get_if<Decimal>(&value)) {
        return scaledOf(*decimal, placesOf(field));
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return std::string(trimRight(*text));
    }
    return field.type == FieldType::String ? SqlValue(std::string()) : SqlValue(std::int64_t(0));
}

ExpressionResult<SqlQuery> SqlQuery::build(ViewTables tables, const Order& order, const Filter& filter,
                                           const Variables& variables) {
    SqlQuery query(std::move(tables));
    auto boundOrder = bindOrder(order, query.tables_);
    if (!boundOrder) {
        return boundOrder.error;
    }
    auto boundFilter = bindFilter(filter, query.tables_, variables);
    if (!boundFilter) {
        return boundFilter.error;
    }
    query.order_ = std::move(*boundOrder);
    query.filter_ = std::move(*boundFilter);
    query.limitSearch();
    query.describeStructure();
    if (query.filter_) {
        SqlWriter skeleton(query, query.filterParameters_);
        query.filterSkeleton_ = skeleton.condition(*query.filter_);
    }
    return query;
}

void SqlQuery::describeStructure() {
    for (const ViewTable& table : tables_.tables()) {
        structure_ += std::string(table.table->name) + (table.secondBuffer ? "'" : "") +
                      (table.required ? "!" : "") + "<" + std::to_string(table.child) + ":" +
                      (table.relation ? std::to_string(table.relation->childField) + ">" +
                                            std::to_string(table.relation->parentField)
                                      : std::string()) +
                      " ";
    }
    for (const BoundOrderComponent& component : order_) {
        structure_ += (component.descending ? "-" : "+") + std::to_string(component.view) + "." +
                      std::to_string(component.field) + "/" + std::to_string(int(component.text)) + " ";
    }
}

const SelectTexts::Written* SelectTexts::find(const std::string& key) const {
    const auto found = written_.find(key);
    return found == written_.end() ? nullptr : &found->second;
}

void SelectTexts::keep(std::string key, Written written) {
    if (written_.size() >= Kept) {
        written_.clear();
    }
    written_.insert_or_assign(std::move(key), std::move(written));
}

namespace {

void collectNames(const FilterNode& node, std::vector<std::string>& names) {
    if (node.kind == FilterNode::Kind::Name) {
        names.push_back(node.text);
    }
    for (const FilterNode& operand : node.operands) {
        collectNames(operand, names);
    }
}

// What a view's query is found by besides its values: its tables as they are joined, its order and its
// filter.
std::string viewKey(const ViewTables& tables, const std::string& order, const std::string& filter) {
    const RelationDef* relations = Dictionary::instance().relations().data();
    std::string key;
    for (const ViewTable& table : tables.tables()) {
        key += std::to_string(int(table.table->id)) + (table.secondBuffer ? "'" : "") +
               (table.required ? "!" : "") + "<" + std::to_string(table.child) + ":" +
               (table.relation ? std::to_string(table.relation - relations) : std::string()) + " ";
    }
    key += '\n';
    key += order;
    key += '\n';
    key += filter;
    return key;
}

} // namespace

ExpressionResult<std::shared_ptr<const SqlQuery>> SelectTexts::query(const ViewTables& tables,
                                                                     const std::string& order,
                                                                     const std::string& filter,
                                                                     const Variables& variables) {
    auto parsed = filters_.find(filter);
    if (parsed == filters_.end()) {
        auto filterResult = parseFilter(filter);
        if (!filterResult) {
            // An order that cannot be read is told first, as when both are read in turn.
            if (const auto orderResult = parseOrder(order); !orderResult) {
                return orderResult.error;
            }
            return filterResult.error;
        }
        if (filters_.size() >= Kept) {
            filters_.clear();
        }
        ParsedFilter entry{std::move(*filterResult), {}};
        if (entry.filter.root) {
            collectNames(*entry.filter.root, entry.names);
        }
        parsed = filters_.emplace(filter, std::move(entry)).first;
    }
    std::vector<std::optional<Value>> values;
    for (const std::string& name : parsed->second.names) {
        const Value* value = variables.find(name);
        values.push_back(value ? std::optional<Value>(*value) : std::nullopt);
    }

    std::string key = viewKey(tables, order, filter);
    if (const auto found = queries_.find(key); found != queries_.end()) {
        for (const Built& built : found->second) {
            if (built.values == values) {
                return built.query;
            }
        }
    }
    const auto parsedOrder = parseOrder(order);
    if (!parsedOrder) {
        return parsedOrder.error;
    }
    auto built = SqlQuery::build(tables, *parsedOrder, parsed->second.filter, variables);
    if (!built) {
        return built.error;
    }
    auto query = std::make_shared<const SqlQuery>(std::move(*built));
    if (builtCount_ >= Kept) {
        queries_.clear();
        builtCount_ = 0;
    }
    std::vector<Built>& kept = queries_[std::move(key)];
    if (kept.size() >= KeptPerView) {
        kept.erase(kept.begin()); // the oldest values go first
        --builtCount_;
    }
    kept.push_back({std::move(values), query});
    ++builtCount_;
    return std::shared_ptr<const SqlQuery>(std::move(query));
}

void SqlQuery::limitSearch() {
    // A first page must come along the order's index without sorting the table. A condition on
    // another field would tempt SQLite to search another index and sort what it finds, so only the
    // order's leading components that the filter fixes, and the one after them, may steer it. An
    // order that no index of the main table can give leaves every field free.
    if (order_.empty() || order_.front().view != 0 || !filter_) {
        return;
    }
    std::vector<int> fixed;
    const auto conjuncts =
        filter_->kind == BoundExpr::Kind::And ? std::span(filter_->operands) : std::span(&*filter_, 1);
    for (const auto& condition : conjuncts) {
        const auto& operands = condition.operands;
        if (condition.kind == BoundExpr::Kind::Compare && condition.op == CompareOp::Equal) {
            const bool fieldLeft = operands[0].kind == BoundExpr::Kind::Field;
            const auto& field = fieldLeft ? operands[0] : operands[1];
            const auto& other = fieldLeft ? operands[1] : operands[0];
            if (field.kind == BoundExpr::Kind::Field && other.kind == BoundExpr::Kind::Constant &&
                field.view == 0 && field.upper == other.upper) {
                fixed.push_back(field.field);
            }
        } else if (condition.kind == BoundExpr::Kind::Not &&
                   operands.front().kind == BoundExpr::Kind::Truth &&
                   operands.front().operands.front().view == 0) {
            fixed.push_back(operands.front().operands.front().field);
        }
    }
    searchable_.clear();
    for (const auto& component : order_) {
        if (component.view != 0) {
            break;
        }
        searchable_.push_back(component.field);
        if (std::ranges::find(fixed, component.field) == fixed.end()) {
            break;
        }
    }
    limited_ = true;
}

bool SqlQuery::searchable(int field) const {
    return !limited_ || std::ranges::find(searchable_, field) != searchable_.end();
}

namespace {

// The parameters a seek adds after the filter's, in the order the select names them.
void addSeekParameters(std::vector<SqlValue>& parameters, const Seek& seek, int orderCount) {
    if (seek.kind == Seek::Kind::AtOrAfterValues || seek.kind == Seek::Kind::AfterValues) {
        for (std::size_t i = 0; i < seek.values.size() && int(i) < orderCount; ++i) {
            parameters.push_back(seek.values[i]);
        }
    } else if (seek.kind != Seek::Kind::None) {
        for (int i = 0; i < orderCount; ++i) {
            parameters.push_back(i < int(seek.values.size()) ? seek.values[i] : SqlValue());
        }
        parameters.push_back(seek.rowid);
    }
}

} // namespace

SqlStatement SqlQuery::select(const SqlSpelling& spelling, std::span<const std::string> columns,
                              const Seek& seek, ReadDirection direction, int limit,
                              SelectTexts* texts) const {
    if (!texts) {
        return writeSelect(spelling, columns, seek, direction, limit);
    }
    SqlStatement statement;
    std::string key;
    for (const ViewTable& table : tables_.tables()) {
        key += spelling.source(*table.table);
        key += '\n';
    }
    key += structure_;
    key += filterSkeleton_;
    statement.parameters = filterParameters_;
    key += " " + std::to_string(int(seek.kind)) + " " + std::to_string(seek.values.size()) + " " +
           std::to_string(int(direction)) + " " + std::to_string(limit);
    const SelectTexts::Written* written = texts->find(key);
    if (written && std::ranges::equal(written->columns, columns)) {
        statement.text = written->text;
        statement.orderColumn = written->orderColumn;
        statement.orderCount = written->orderCount;
        addSeekParameters(statement.parameters, seek, orderCount());
        return statement;
    }
    statement = writeSelect(spelling, columns, seek, direction, limit);
    texts->keep(std::move(key), {std::vector<std::string>(columns.begin(), columns.end()), statement.text,
                                 statement.orderColumn, statement.orderCount});
    return statement;
}

SqlStatement SqlQuery::writeSelect(const SqlSpelling& spelling, std::span<const std::string> columns,
                                   const Seek& seek, ReadDirection direction, int limit) const {
    SqlStatement statement;
    SqlWriter writer(*this, spelling, statement.parameters);
    const bool backward = direction == ReadDirection::Backward;
    const int count = orderCount();
    statement.orderColumn = int(columns.size());
    statement.orderCount = count;

    std::string requested;
    for (const auto& column : columns) {
        requested += column + ", ";
    }
    std::string orderValues;
    for (int i = 0; i < count; ++i) {
        orderValues +=
            writer.column(order_[i].view, order_[i].field) + " AS \"_k" + std::to_string(i + 1) + "\", ";
    }
    orderValues += writer.rowid() + " AS \"_kr\"";
    const std::string from = writer.from();

    std::string where = filter_ ? writer.condition(*filter_) : std::string();
    std::string orderBy = " ORDER BY ";
    for (const auto& component : order_) {
        orderBy += writer.orderTerm(component, backward) + ", ";
    }
    orderBy += writer.rowid() + (backward ? " DESC" : "");
    const std::string limitSql = limit > 0 ? " LIMIT " + std::to_string(limit) : std::string();

    // The seek as ranges along the order: with values v1..vp, the rows whose first i-1 components
    // equal v1..v(i-1) and whose i-th follows vi, for i = p down to 1, come one after another.
    std::vector<std::string> keys; // the compared expressions, rowid last
    std::vector<bool> descending;  // in the read direction
    for (const auto& component : order_) {
        std::string key = writer.column(component.view, component.field);
        if (component.text != TextOrder::Auto) {
            key += " COLLATE " + collationName(component.text);
        }
        keys.push_back(std::move(key));
        descending.push_back(component.descending != backward);
    }
    keys.push_back(writer.rowid());
    descending.push_back(backward);

    std::vector<std::string> values;
    const bool inclusive =
        seek.kind == Seek::Kind::AtOrAfterValues || seek.kind == Seek::Kind::AtOrAfterPosition;
    if (seek.kind == Seek::Kind::AtOrAfterValues || seek.kind == Seek::Kind::AfterValues) {
        for (std::size_t i = 0; i < seek.values.size() && int(i) < count; ++i) {
            values.push_back(writer.parameter(seek.values[i]));
        }
    } else if (seek.kind != Seek::Kind::None) {
        for (int i = 0; i < count; ++i) {
            values.push_back(writer.parameter(i < int(seek.values.size()) ? seek.values[i] : SqlValue()));
        }
        values.push_back(writer.parameter(seek.rowid));
    }

    // The filter and the range that ends with component `last`.
    const auto range = [&](std::size_t last) {
        std::string conditions = where;
        for (std::size_t j = 0; j <= last; ++j) {
            std::string op = " = ";
            if (j == last) {
                op = descending[j] ? " <" : " >";
                op += inclusive && last + 1 == values.size() ? "= " : " ";
            }
            conditions += (conditions.empty() ? "" : " AND ") + keys[j] + op + values[j];
        }
        return conditions;
    };
    // The order of a page's rows by their "_k" and "_kr" columns.
    const auto pageOrder = [&](const std::string& page) {
        std::string sql = " ORDER BY ";
        for (int i = 0; i < count; ++i) {
            sql += page + "\"_k" + std::to_string(i + 1) + "\"";
            if (order_[i].text != TextOrder::Auto) {
                sql += " COLLATE " + collationName(order_[i].text);
            }
            sql += descending[i] ? " DESC, " : ", ";
        }
        return sql + page + "\"_kr\"" + (backward ? " DESC" : "");
    };

    if (values.size() <= 1) {
        const std::string conditions = values.empty() ? where : range(0);
        statement.text = "SELECT " + requested + orderValues + from +
                         (conditions.empty() ? "" : " WHERE " + conditions) + orderBy + limitSql;
    } else {
        // The merge asks each range for its rows in the order, so each reads along the index only as
        // far as the page needs, and only what the index holds; the records of the page are then
        // read once, by rowid, and not those of every range's rows that the limit drops.
        std::string page;
        for (std::size_t last = values.size(); last-- > 0;) {
            page += (page.empty() ? "SELECT " : " UNION ALL SELECT ") + orderValues + from + " WHERE " +
                    range(last);
        }
        page += pageOrder("") + limitSql;
        std::string pageValues;
        for (int i = 0; i < count; ++i) {
            pageValues += "\"_page\".\"_k" + std::to_string(i + 1) + "\", ";
        }
        statement.text = "SELECT " + requested + pageValues + "\"_page\".\"_kr\"" + writer.fromRowids(page) +
                         pageOrder("\"_page\".");
    }
    return statement;
}

SqlStatement SqlQuery::aggregate(const SqlSpelling& spelling, std::string_view what) const {
    SqlStatement statement;
    SqlWriter writer(*this, spelling, statement.parameters);
    statement.text = "SELECT " + std::string(what) + writer.from();
    if (filter_) {
        statement.text += " WHERE " + writer.condition(*filter_);
    }
    return statement;
}

std::vector<FieldRef> SqlQuery::orderFields() const {
    std::vector<FieldRef> fields;
    for (const auto& component : order_) {
        fields.push_back(tables_.tables()[component.view].field(component.field));
    }
    return fields;
}

std::vector<SqlValue> SqlQuery::orderValues(const FieldValues& values) const {
    std::vector<SqlValue> result;
    for (const auto& component : order_) {
        const ViewTable& table = tables_.tables()[component.view];
        result.push_back(
            storedValue(table.table->fields[component.field], values(table.field(component.field))));
    }
    return result;
}

bool SqlQuery::matches(const FieldValues& values) const {
    return !filter_ || evaluate(*filter_, tables_, values);
}

} // namespace nakva
