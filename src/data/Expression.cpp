#include "data/Expression.h"

#include "data/Collation.h"
#include "data/Text.h"
#include "data/Variables.h"

#include <algorithm>
#include <map>
#include <queue>

namespace nakva {

namespace {

// Deeper nesting than any real filter: the limit keeps a hostile text from exhausting the stack.
constexpr int MaxNesting = 100;
// Digits of a numeric constant: more than any field holds, and within what a stored value can be.
constexpr int MaxNumberDigits = 18;

enum class Tok { End, Name, Text, Number, LParen, RParen, Comma, Plus, Minus, Tilde, Compare, And, Or };

struct Token {
    Tok kind = Tok::End;
    int position = 0;
    std::string text; // Name, Text: the characters; others: as written
    CompareOp op = CompareOp::Equal;
};

bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == ':';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Keywords are ASCII upper case: only ASCII letters can match them.
bool isKeyword(std::string_view name, std::string_view keyword) {
    return std::ranges::equal(
        name, keyword, [](char a, char b) { return (a >= 'a' && a <= 'z' ? char(a - 'a' + 'A') : a) == b; });
}

// "Filtro klaida ties ženklu Nr. 14: laukiama „)“, rasta „AND“."
ExpressionError makeError(std::string_view kind, int position, std::string_view what) {
    return {position, std::string(kind) + " klaida ties ženklu Nr. " + std::to_string(position + 1) + ": " +
                          std::string(what) + "."};
}

std::string quoted(std::string_view text) {
    return "„" + std::string(text) + "“";
}

class Tokenizer {
public:
    Tokenizer(std::string_view text, std::string_view kind) : text_(text), kind_(kind) {}

    // The next token, or an error for a character that no token starts with.
    ExpressionResult<Token> next() {
        while (pos_ < text_.size() && isBlank(text_[pos_])) {
            ++pos_;
        }
        Token token;
        token.position = int(pos_);
        if (pos_ >= text_.size()) {
            return token;
        }
        const char c = text_[pos_];
        const auto single = [&](Tok kind) {
            token.kind = kind;
            token.text = std::string(1, c);
            ++pos_;
            return token;
        };
        switch (c) {
        case '(':
            return single(Tok::LParen);
        case ')':
            return single(Tok::RParen);
        case ',':
            return single(Tok::Comma);
        case '+':
            return single(Tok::Plus);
        case '-':
            return single(Tok::Minus);
        case '~':
            return single(Tok::Tilde);
        case '=':
        case '<':
        case '>':
            return comparison(token);
        case '\'':
            return textConstant(token);
        default:
            break;
        }
        if (isDigit(c)) {
            return number(token);
        }
        if (isNameStart(c)) {
            const auto start = pos_;
            while (pos_ < text_.size() && isNameChar(text_[pos_])) {
                ++pos_;
            }
            token.text = std::string(text_.substr(start, pos_ - start));
            token.kind = Tok::Name;
            if (isKeyword(token.text, "AND")) {
                token.kind = Tok::And;
            } else if (isKeyword(token.text, "OR")) {
                token.kind = Tok::Or;
            }
            return token;
        }
        std::size_t end = pos_ + 1;
        while (end < text_.size() && (static_cast<unsigned char>(text_[end]) & 0xC0u) == 0x80u) {
            ++end; // the whole UTF-8 character, for the message
        }
        return makeError(kind_, token.position,
                         "netikėtas ženklas " + quoted(text_.substr(pos_, end - pos_)));
    }

    // Whether the character right after the last token is a digit (a minus sign glued to a number).
    bool digitFollows() const { return pos_ < text_.size() && isDigit(text_[pos_]); }

private:
    ExpressionResult<Token> comparison(Token& token) {
        const char c = text_[pos_];
        const char n = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
        token.kind = Tok::Compare;
        int length = 1;
        if (c == '=') {
            token.op = CompareOp::Equal;
            if (n == '<') {
                token.op = CompareOp::LessEqual, length = 2;
            }
        } else if (c == '<') {
            token.op = CompareOp::Less;
            if (n == '=') {
                token.op = CompareOp::LessEqual, length = 2;
            } else if (n == '>') {
                token.op = CompareOp::NotEqual, length = 2;
            }
        } else {
            token.op = CompareOp::Greater;
            if (n == '=') {
                token.op = CompareOp::GreaterEqual, length = 2;
            }
        }
        token.text = std::string(text_.substr(pos_, length));
        pos_ += length;
        return token;
    }

    ExpressionResult<Token> textConstant(Token& token) {
        ++pos_;
        while (pos_ < text_.size()) {
            if (text_[pos_] == '\'') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                    token.text += '\'';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                token.kind = Tok::Text;
                return token;
            }
            token.text += text_[pos_++];
        }
        return makeError(kind_, token.position, "neuždaryta teksto konstanta (trūksta apostrofo ')");
    }

    ExpressionResult<Token> number(Token& token) {
        const auto start = pos_;
        int digits = 0;
        while (pos_ < text_.size() && isDigit(text_[pos_])) {
            ++pos_, ++digits;
        }
        if (pos_ + 1 < text_.size() && text_[pos_] == '.' && isDigit(text_[pos_ + 1])) {
            ++pos_;
            while (pos_ < text_.size() && isDigit(text_[pos_])) {
                ++pos_, ++digits;
            }
        }
        if (digits > MaxNumberDigits) {
            return makeError(kind_, token.position, "per ilgas skaičius");
        }
        token.kind = Tok::Number;
        token.text = std::string(text_.substr(start, pos_ - start));
        return token;
    }

    std::string_view text_;
    std::string_view kind_;
    std::size_t pos_ = 0;
};

std::string describe(const Token& token) {
    switch (token.kind) {
    case Tok::End:
        return "išraiškos pabaiga";
    case Tok::Text:
        return quoted("'" + token.text + "'");
    default:
        return quoted(token.text);
    }
}

// A recursive-descent reader over the tokens, one token of look-ahead.
class Reader {
public:
    Reader(std::string_view text, std::string_view kind) : tokens_(text, kind), kind_(kind) {}

    std::optional<ExpressionError> advance() {
        auto token = tokens_.next();
        if (!token) {
            return token.error;
        }
        current_ = std::move(*token);
        return std::nullopt;
    }

    const Token& current() const { return current_; }
    bool digitFollows() const { return tokens_.digitFollows(); }

    ExpressionError expected(std::string_view what) const {
        return makeError(kind_, current_.position,
                         "laukiama " + std::string(what) + ", rasta " + describe(current_));
    }
    ExpressionError error(int position, std::string_view what) const {
        return makeError(kind_, position, what);
    }

private:
    Tokenizer tokens_;
    std::string_view kind_;
    Token current_;
};

bool isValue(const FilterNode& node) {
    using K = FilterNode::Kind;
    return node.kind == K::Name || node.kind == K::Text || node.kind == K::Number || node.kind == K::Upper;
}

FilterNode asCondition(FilterNode node) {
    if (!isValue(node)) {
        return node;
    }
    FilterNode truth;
    truth.kind = FilterNode::Kind::Truth;
    truth.position = node.position;
    truth.operands.push_back(std::move(node));
    return truth;
}

class FilterParser {
public:
    explicit FilterParser(std::string_view text) : reader_(text, "Filtro") {}

    ExpressionResult<Filter> parse() {
        if (auto error = reader_.advance()) {
            return *error;
        }
        Filter filter;
        if (reader_.current().kind == Tok::End) {
            return filter;
        }
        auto root = disjunction(0);
        if (!root) {
            return root.error;
        }
        if (reader_.current().kind != Tok::End) {
            return reader_.expected("AND, OR arba išraiškos pabaigos");
        }
        filter.root = asCondition(std::move(*root));
        return filter;
    }

private:
    using Result = ExpressionResult<FilterNode>;

    // Operands joined by AND (or OR): the node of the operator, or the single operand.
    template <typename Operand>
    Result joined(Tok separator, FilterNode::Kind kind, int depth, Operand operand) {
        auto first = (this->*operand)(depth);
        if (!first || reader_.current().kind != separator) {
            return first;
        }
        FilterNode node;
        node.kind = kind;
        node.position = first->position;
        node.operands.push_back(asCondition(std::move(*first)));
        while (reader_.current().kind == separator) {
            if (auto error = reader_.advance()) {
                return *error;
            }
            auto next = (this->*operand)(depth);
            if (!next) {
                return next;
            }
            node.operands.push_back(asCondition(std::move(*next)));
        }
        return node;
    }

    Result disjunction(int depth) {
        return joined(Tok::Or, FilterNode::Kind::Or, depth, &FilterParser::conjunction);
    }

    Result conjunction(int depth) {
        return joined(Tok::And, FilterNode::Kind::And, depth, &FilterParser::negation);
    }

    Result negation(int depth) {
        if (reader_.current().kind != Tok::Tilde) {
            return comparison(depth);
        }
        if (depth >= MaxNesting) {
            return reader_.error(reader_.current().position, "per daug įdėtų sąlygų");
        }
        FilterNode node;
        node.kind = FilterNode::Kind::Not;
        node.position = reader_.current().position;
        if (auto error = reader_.advance()) {
            return *error;
        }
        auto operand = negation(depth + 1);
        if (!operand) {
            return operand;
        }
        node.operands.push_back(asCondition(std::move(*operand)));
        return node;
    }

    Result comparison(int depth) {
        auto left = primary(depth);
        if (!left || reader_.current().kind != Tok::Compare) {
            return left;
        }
        FilterNode node;
        node.kind = FilterNode::Kind::Compare;
        node.op = reader_.current().op;
        node.position = reader_.current().position;
        if (!isValue(*left)) {
            return reader_.error(node.position, "lyginti galima tik reikšmes, ne sąlygas");
        }
        if (auto error = reader_.advance()) {
            return *error;
        }
        auto right = primary(depth);
        if (!right) {
            return right;
        }
        if (!isValue(*right)) {
            return reader_.error(right->position, "lyginti galima tik reikšmes, ne sąlygas");
        }
        if (reader_.current().kind == Tok::Compare) {
            return reader_.expected("AND arba OR");
        }
        node.operands.push_back(std::move(*left));
        node.operands.push_back(std::move(*right));
        return node;
    }

    Result primary(int depth) {
        if (depth >= MaxNesting) {
            return reader_.error(reader_.current().position, "per daug įdėtų skliaustų");
        }
        const Token token = reader_.current();
        FilterNode node;
        node.position = token.position;
        switch (token.kind) {
        case Tok::LParen: {
            if (auto error = reader_.advance()) {
                return *error;
            }
            auto inner = disjunction(depth + 1);
            if (!inner) {
                return inner;
            }
            if (auto error = closing()) {
                return *error;
            }
            return inner;
        }
        case Tok::Text:
            node.kind = FilterNode::Kind::Text;
            node.text = token.text;
            break;
        case Tok::Number:
            node.kind = FilterNode::Kind::Number;
            node.number = *Decimal::parse(token.text);
            break;
        case Tok::Minus: {
            if (!reader_.digitFollows()) {
                return reader_.expected("lauko, kintamojo ar konstantos");
            }
            if (auto error = reader_.advance()) {
                return *error;
            }
            node.kind = FilterNode::Kind::Number;
            node.number = -*Decimal::parse(reader_.current().text);
            break;
        }
        case Tok::Name:
            if (isKeyword(token.text, "UPPER")) {
                return upperCall(depth, token);
            }
            node.kind = FilterNode::Kind::Name;
            node.text = token.text;
            break;
        default:
            return reader_.expected("lauko, kintamojo ar konstantos");
        }
        if (auto error = reader_.advance()) {
            return *error;
        }
        return node;
    }

    Result upperCall(int depth, const Token& token) {
        if (auto error = reader_.advance()) {
            return *error;
        }
        if (reader_.current().kind != Tok::LParen) {
            return reader_.expected("„(“ po UPPER");
        }
        if (auto error = reader_.advance()) {
            return *error;
        }
        auto inner = disjunction(depth + 1);
        if (!inner) {
            return inner;
        }
        if (!isValue(*inner)) {
            return reader_.error(inner->position, "UPPER() taikoma reikšmei, ne sąlygai");
        }
        if (auto error = closing()) {
            return *error;
        }
        FilterNode node;
        node.kind = FilterNode::Kind::Upper;
        node.position = token.position;
        node.operands.push_back(std::move(*inner));
        return node;
    }

    std::optional<ExpressionError> closing() {
        if (reader_.current().kind != Tok::RParen) {
            return reader_.expected("„)“");
        }
        return reader_.advance();
    }

    Reader reader_;
};

ExpressionResult<OrderComponent> orderComponent(Reader& reader) {
    OrderComponent component;
    component.position = reader.current().position;
    if (reader.current().kind == Tok::Plus || reader.current().kind == Tok::Minus) {
        component.descending = reader.current().kind == Tok::Minus;
        if (auto error = reader.advance()) {
            return *error;
        }
    }
    if (reader.current().kind != Tok::Name) {
        return reader.expected("lauko vardo");
    }
    const bool upperCase = isKeyword(reader.current().text, "UPPER");
    if (upperCase) {
        if (auto error = reader.advance()) {
            return *error;
        }
        if (reader.current().kind != Tok::LParen) {
            return reader.expected("„(“ po UPPER");
        }
        if (auto error = reader.advance()) {
            return *error;
        }
        if (reader.current().kind != Tok::Name) {
            return reader.expected("lauko vardo");
        }
        component.text = TextOrder::NoCase;
    }
    component.name = reader.current().text;
    if (auto error = reader.advance()) {
        return *error;
    }
    if (upperCase) {
        if (reader.current().kind != Tok::RParen) {
            return reader.expected("„)“");
        }
        if (auto error = reader.advance()) {
            return *error;
        }
    }
    return component;
}

std::string fieldName(const TableDef& table, int field, bool secondBuffer) {
    return std::string(secondBuffer ? table.secondPrefix : table.prefix) + ":" +
           std::string(table.fields[field].bareName());
}

// The view table and field of a name, joining the parent that holds it.
struct Located {
    int view = 0;
    int field = -1;
};

ExpressionResult<Located> locate(std::string_view kind, std::string_view name, int position,
                                 ViewTables& tables) {
    const auto ref = Dictionary::instance().findField(name);
    if (!ref) {
        return makeError(kind, position, "nežinomas laukas ar kintamasis " + quoted(name));
    }
    int view = tables.indexOf(*ref->table, ref->secondBuffer);
    if (view < 0) {
        view = tables.join(*ref->table, ref->secondBuffer);
    }
    if (view < 0) {
        return makeError(kind, position,
                         "laukas " + quoted(name) + " nepasiekiamas iš lentelės " +
                             quoted(tables.main().table->name));
    }
    if (ref->table->fields[ref->field].type == FieldType::Group) {
        return makeError(kind, position, quoted(name) + " yra laukų grupė, ne laukas");
    }
    return Located{view, ref->field};
}

// The collation of a plain text component: see bindOrder.
TextOrder keyTextOrder(const TableDef& table, int field, const std::vector<int>& orderFields) {
    const auto collation = [](const KeyDef& key) {
        return key.caseSensitive ? TextOrder::Case : TextOrder::NoCase;
    };
    for (const auto& key : table.keys) {
        const auto common = std::min(key.components.size(), orderFields.size());
        if (std::equal(key.components.begin(), key.components.begin() + common, orderFields.begin()) &&
            std::find(key.components.begin(), key.components.begin() + common, field) !=
                key.components.begin() + common) {
            return collation(key);
        }
    }
    const TextOrder anyKey = fieldKeyOrder(table, field);
    return anyKey == TextOrder::Auto ? TextOrder::NoCase : anyKey;
}

class FilterBinder {
public:
    FilterBinder(ViewTables& tables, const Variables& variables) : tables_(tables), variables_(variables) {}

    ExpressionResult<BoundExpr> bind(const FilterNode& node) {
        using K = FilterNode::Kind;
        BoundExpr bound;
        switch (node.kind) {
        case K::Or:
        case K::And:
        case K::Not:
        case K::Truth:
            bound.kind = node.kind == K::Or    ? BoundExpr::Kind::Or
                         : node.kind == K::And ? BoundExpr::Kind::And
                         : node.kind == K::Not ? BoundExpr::Kind::Not
                                               : BoundExpr::Kind::Truth;
            for (const auto& operand : node.operands) {
                auto child = bind(operand);
                if (!child) {
                    return child;
                }
                bound.operands.push_back(std::move(*child));
            }
            return bound;
        case K::Compare: {
            bound.kind = BoundExpr::Kind::Compare;
            bound.op = node.op;
            for (const auto& operand : node.operands) {
                auto child = bind(operand);
                if (!child) {
                    return child;
                }
                bound.operands.push_back(std::move(*child));
            }
            if (bound.operands[0].type != bound.operands[1].type) {
                return makeError("Filtro", node.position, "negalima lyginti teksto su skaičiumi");
            }
            return bound;
        }
        case K::Text:
            bound.type = ValueType::Text;
            bound.text = std::string(trimRight(node.text));
            return bound;
        case K::Number:
            bound.number = node.number;
            return bound;
        case K::Upper: {
            auto inner = bind(node.operands.front());
            if (!inner) {
                return inner;
            }
            if (inner->type != ValueType::Text) {
                return makeError("Filtro", node.position, "UPPER() taikoma tik tekstui");
            }
            inner->upper = true;
            if (inner->kind == BoundExpr::Kind::Constant) {
                inner->text = upper(inner->text);
            }
            return inner;
        }
        case K::Name:
            return name(node);
        }
        return bound;
    }

private:
    ExpressionResult<BoundExpr> name(const FilterNode& node) {
        BoundExpr bound;
        if (const Value* value = variables_.find(node.text)) {
            if (const auto* integer = std::get_if<std::int64_t>(value)) {
                bound.number = Decimal(*integer);
            } else if (const auto* decimal = std::get_if<Decimal>(value)) {
                bound.number = *decimal;
            } else if (const auto* text = std::get_if<std::string>(value)) {
                bound.type = ValueType::Text;
                bound.text = std::string(trimRight(*text));
            } else {
                return makeError("Filtro", node.position,
                                 "kintamasis " + quoted(node.text) + " neturi reikšmės");
            }
            return bound;
        }
        auto located = locate("Filtro", node.text, node.position, tables_);
        if (!located) {
            return located.error;
        }
        bound.kind = BoundExpr::Kind::Field;
        bound.view = located->view;
        bound.field = located->field;
        const auto& def = tables_.tables()[located->view].table->fields[located->field];
        bound.type = def.type == FieldType::String ? ValueType::Text : ValueType::Number;
        return bound;
    }

    ViewTables& tables_;
    const Variables& variables_;
};

// A value of the expression as evaluation holds it.
struct Scalar {
    Decimal number;
    std::string text;
};

Scalar scalarOf(const BoundExpr& node, const ViewTables& tables, const FieldValues& values) {
    Scalar scalar;
    if (node.kind == BoundExpr::Kind::Constant) {
        scalar.number = node.number;
        scalar.text = node.text;
        return scalar;
    }
    const Value value = values(tables.tables()[node.view].field(node.field));
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        scalar.number = Decimal(*integer);
    } else if (const auto* decimal = std::get_if<Decimal>(&value)) {
        scalar.number = *decimal;
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        scalar.text = node.upper ? upper(*text) : *text;
    }
    return scalar;
}

bool holds(int comparison, CompareOp op) {
    switch (op) {
    case CompareOp::Equal:
        return comparison == 0;
    case CompareOp::NotEqual:
        return comparison != 0;
    case CompareOp::Less:
        return comparison < 0;
    case CompareOp::LessEqual:
        return comparison <= 0;
    case CompareOp::Greater:
        return comparison > 0;
    case CompareOp::GreaterEqual:
        return comparison >= 0;
    }
    return false;
}

} // namespace

ExpressionResult<Order> parseOrder(std::string_view text) {
    Reader reader(text, "Rikiavimo");
    if (auto error = reader.advance()) {
        return *error;
    }
    Order order;
    if (reader.current().kind == Tok::End) {
        return order;
    }
    while (true) {
        auto component = orderComponent(reader);
        if (!component) {
            return component.error;
        }
        order.components.push_back(std::move(*component));
        if (reader.current().kind == Tok::End) {
            return order;
        }
        if (reader.current().kind != Tok::Comma) {
            return reader.expected("kablelio arba išraiškos pabaigos");
        }
        if (auto error = reader.advance()) {
            return *error;
        }
    }
}

Order orderForKey(const TableDef& table, int key, bool secondBuffer) {
    Order order;
    const auto& def = table.keys[key];
    for (const int field : def.components) {
        OrderComponent component;
        component.name = fieldName(table, field, secondBuffer);
        if (table.fields[field].type == FieldType::String) {
            component.text = def.caseSensitive ? TextOrder::Case : TextOrder::NoCase;
        }
        order.components.push_back(std::move(component));
    }
    return order;
}

ExpressionResult<Filter> parseFilter(std::string_view text) {
    return FilterParser(text).parse();
}

ViewTables::ViewTables(const TableDef& main, bool secondBuffer) {
    tables_.push_back({&main, secondBuffer, nullptr, -1});
}

int ViewTables::indexOf(const TableDef& table, bool secondBuffer) const {
    for (std::size_t i = 0; i < tables_.size(); ++i) {
        if (tables_[i].table == &table && tables_[i].secondBuffer == secondBuffer) {
            return int(i);
        }
    }
    return -1;
}

int ViewTables::join(const TableDef& parent, bool secondBuffer, bool required) {
    if (const int existing = indexOf(parent, secondBuffer); existing >= 0) {
        return existing;
    }
    // Shortest path of child → parent relations from the main table.
    const auto& dictionary = Dictionary::instance();
    std::map<TableId, const RelationDef*> reachedBy;
    std::queue<TableId> queue;
    queue.push(main().table->id);
    reachedBy[main().table->id] = nullptr;
    while (!queue.empty() && !reachedBy.contains(parent.id)) {
        const TableId child = queue.front();
        queue.pop();
        for (const RelationDef* relation : dictionary.parentsOf(child)) {
            if (reachedBy.try_emplace(relation->parent, relation).second) {
                queue.push(relation->parent);
            }
        }
    }
    if (!reachedBy.contains(parent.id) || reachedBy[parent.id] == nullptr) {
        return -1;
    }
    std::vector<const RelationDef*> path;
    for (TableId id = parent.id; reachedBy[id] != nullptr; id = reachedBy[id]->child) {
        path.insert(path.begin(), reachedBy[id]);
    }
    int child = 0;
    for (std::size_t step = 0; step < path.size(); ++step) {
        const TableDef& table = dictionary.table(path[step]->parent);
        const bool second = step + 1 == path.size() ? secondBuffer : false;
        if (indexOf(table, !second) >= 0) {
            return -1;
        }
        int index = indexOf(table, second);
        if (index < 0) {
            tables_.push_back({&table, second, path[step], child, required});
            index = int(tables_.size()) - 1;
        }
        child = index;
    }
    return child;
}

ExpressionResult<std::vector<BoundOrderComponent>> bindOrder(const Order& order, ViewTables& tables) {
    std::vector<BoundOrderComponent> bound;
    for (const auto& component : order.components) {
        auto located = locate("Rikiavimo", component.name, component.position, tables);
        if (!located) {
            return located.error;
        }
        const auto& def = tables.tables()[located->view].table->fields[located->field];
        if (def.type != FieldType::String && component.text == TextOrder::NoCase) {
            return makeError("Rikiavimo", component.position, "UPPER() taikoma tik tekstui");
        }
        bound.push_back({located->view, located->field, component.descending,
                         def.type == FieldType::String ? component.text : TextOrder::Auto});
    }
    for (auto& component : bound) {
        if (component.text != TextOrder::Auto ||
            tables.tables()[component.view].table->fields[component.field].type != FieldType::String) {
            continue;
        }
        std::vector<int> sameTable;
        for (const auto& other : bound) {
            if (other.view == component.view) {
                sameTable.push_back(other.field);
            }
        }
        component.text = keyTextOrder(*tables.tables()[component.view].table, component.field, sameTable);
    }
    return bound;
}

TextOrder fieldKeyOrder(const TableDef& table, int field) {
    for (const auto& key : table.keys) {
        if (std::ranges::find(key.components, field) != key.components.end()) {
            return key.caseSensitive ? TextOrder::Case : TextOrder::NoCase;
        }
    }
    return TextOrder::Auto;
}

bool BoundExpr::hasField() const {
    return kind == Kind::Field || std::ranges::any_of(operands, &BoundExpr::hasField);
}

ExpressionResult<std::optional<BoundExpr>> bindFilter(const Filter& filter, ViewTables& tables,
                                                      const Variables& variables) {
    if (!filter.root) {
        return std::optional<BoundExpr>();
    }
    auto bound = FilterBinder(tables, variables).bind(*filter.root);
    if (!bound) {
        return bound.error;
    }
    return std::optional<BoundExpr>(std::move(*bound));
}

bool evaluate(const BoundExpr& condition, const ViewTables& tables, const FieldValues& values) {
    using K = BoundExpr::Kind;
    switch (condition.kind) {
    case K::Or:
        return std::ranges::any_of(
            condition.operands, [&](const BoundExpr& operand) { return evaluate(operand, tables, values); });
    case K::And:
        return std::ranges::all_of(
            condition.operands, [&](const BoundExpr& operand) { return evaluate(operand, tables, values); });
    case K::Not:
        return !evaluate(condition.operands.front(), tables, values);
    case K::Truth: {
        const auto& operand = condition.operands.front();
        const Scalar value = scalarOf(operand, tables, values);
        return operand.type == ValueType::Text ? !trimRight(value.text).empty() : !value.number.isZero();
    }
    case K::Compare: {
        const auto& left = condition.operands[0];
        const Scalar a = scalarOf(left, tables, values);
        const Scalar b = scalarOf(condition.operands[1], tables, values);
        if (left.type == ValueType::Number) {
            const auto order = a.number <=> b.number;
            return holds(order < 0 ? -1 : order > 0 ? 1 : 0, condition.op);
        }
        if (condition.op == CompareOp::Equal || condition.op == CompareOp::NotEqual) {
            return holds(equalIgnoringTrailingBlanks(a.text, b.text) ? 0 : 1, condition.op);
        }
        return holds(compareCase(a.text, b.text), condition.op);
    }
    case K::Field:
    case K::Constant:
        break;
    }
    return false;
}

} // namespace nakva
