#include "data/QueryTestDatabase.h"

#include "data/Collation.h"

#include <sqlite3.h>
#include <stdexcept>

namespace nakva {

namespace {

int collateCase(void*, int aSize, const void* a, int bSize, const void* b) {
    return compareCase({static_cast<const char*>(a), std::size_t(aSize)},
                       {static_cast<const char*>(b), std::size_t(bSize)});
}

int collateNoCase(void*, int aSize, const void* a, int bSize, const void* b) {
    return compareNoCase({static_cast<const char*>(a), std::size_t(aSize)},
                         {static_cast<const char*>(b), std::size_t(bSize)});
}

void upperFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    const std::string result = upper(text != nullptr ? text : "");
    sqlite3_result_text(context, result.c_str(), int(result.size()), SQLITE_TRANSIENT);
}

std::string quotedName(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) {
            throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in: " + sql);
        }
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const SqlValue& value) {
        if (const auto* whole = std::get_if<std::int64_t>(&value)) {
            sqlite3_bind_int64(statement_, index, *whole);
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            sqlite3_bind_text(statement_, index, text->c_str(), int(text->size()), SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_null(statement_, index);
        }
    }

    bool step() {
        const int result = sqlite3_step(statement_);
        if (result != SQLITE_ROW && result != SQLITE_DONE) {
            throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(statement_)));
        }
        return result == SQLITE_ROW;
    }

    SqlValue column(int index) const {
        switch (sqlite3_column_type(statement_, index)) {
        case SQLITE_INTEGER:
            return std::int64_t(sqlite3_column_int64(statement_, index));
        case SQLITE_TEXT:
            return std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement_, index)));
        default:
            return {};
        }
    }
    int columns() const { return sqlite3_column_count(statement_); }

private:
    sqlite3_stmt* statement_ = nullptr;
};

} // namespace

QueryTestDatabase::QueryTestDatabase() {
    sqlite3_open(":memory:", &db_);
    sqlite3_create_collation(db_, "LT_CASE", SQLITE_UTF8, nullptr, collateCase);
    sqlite3_create_collation(db_, "LT_NOCASE", SQLITE_UTF8, nullptr, collateNoCase);
    sqlite3_create_function(db_, "LT_UPPER", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, upperFunction,
                            nullptr, nullptr);
    for (const auto& table : Dictionary::instance().tables()) {
        std::string sql = "CREATE TABLE " + quotedName(table.name) + " (";
        bool first = true;
        for (const auto& field : table.fields) {
            if (field.type == FieldType::Group) {
                continue;
            }
            sql += (first ? "" : ", ") + quotedName(field.bareName()) +
                   (field.type == FieldType::String ? " TEXT NOT NULL" : " INTEGER NOT NULL");
            first = false;
        }
        execute(sql + ")");
        for (const auto& key : table.keys) {
            sql = std::string(key.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + quotedName(key.name) +
                  " ON " + quotedName(table.name) + " (";
            for (std::size_t i = 0; i < key.components.size(); ++i) {
                const auto& field = table.fields[key.components[i]];
                sql += (i == 0 ? "" : ", ") + quotedName(field.bareName());
                if (field.type == FieldType::String) {
                    sql += key.caseSensitive ? " COLLATE LT_CASE" : " COLLATE LT_NOCASE";
                }
            }
            execute(sql + ")");
        }
    }
}

QueryTestDatabase::~QueryTestDatabase() {
    sqlite3_close(db_);
}

void QueryTestDatabase::execute(const std::string& sql) {
    Statement statement(db_, sql);
    while (statement.step()) {
    }
}

void QueryTestDatabase::insert(std::string_view tableName,
                               std::initializer_list<std::pair<std::string_view, Cell>> fields) {
    const TableDef& table = *Dictionary::instance().findTable(tableName);
    std::vector<SqlValue> values;
    std::string sql = "INSERT INTO " + quotedName(table.name) + " VALUES (";
    for (int i = 0; i < int(table.fields.size()); ++i) {
        const FieldDef& field = table.fields[i];
        if (field.type == FieldType::Group) {
            continue;
        }
        Value value;
        for (const auto& [name, cell] : fields) {
            if (table.fieldIndex(name) == i) {
                value = cell.value;
            }
        }
        values.push_back(storedValue(field, value));
        sql += values.size() == 1 ? "?" : ", ?";
    }
    Statement statement(db_, sql + ")");
    for (std::size_t i = 0; i < values.size(); ++i) {
        statement.bind(int(i) + 1, values[i]);
    }
    statement.step();
}

std::vector<std::vector<SqlValue>> QueryTestDatabase::run(const SqlStatement& sql) {
    Statement statement(db_, sql.text);
    for (std::size_t i = 0; i < sql.parameters.size(); ++i) {
        statement.bind(int(i) + 1, sql.parameters[i]);
    }
    std::vector<std::vector<SqlValue>> rows;
    while (statement.step()) {
        auto& row = rows.emplace_back();
        for (int i = 0; i < statement.columns(); ++i) {
            row.push_back(statement.column(i));
        }
    }
    return rows;
}

std::string QueryTestDatabase::plan(const SqlStatement& sql) {
    std::string result;
    for (const auto& row : run({"EXPLAIN QUERY PLAN " + sql.text, sql.parameters})) {
        result += std::get<std::string>(row.back()) + "\n";
    }
    return result;
}

SqlSpelling QueryTestDatabase::spelling() {
    return {[](const TableDef& table) { return quotedName(table.name); },
            [](const TableDef& table, int field) {
                return quotedName(table.name) + "." +
                       (field < 0 ? std::string("rowid") : quotedName(table.fields[field].bareName()));
            }};
}

std::vector<std::string> QueryTestDatabase::columns(const ViewTables& tables) {
    std::vector<std::string> result;
    const SqlSpelling spell = spelling();
    for (const auto& view : tables.tables()) {
        for (int i = 0; i < int(view.table->fields.size()); ++i) {
            if (view.table->fields[i].type != FieldType::Group) {
                result.push_back(spell.field(*view.table, i));
            }
        }
    }
    return result;
}

FieldValues QueryTestDatabase::rowValues(const ViewTables& tables, const std::vector<SqlValue>& row) {
    return [tables, row](const FieldRef& ref) -> Value {
        std::size_t column = 0;
        for (const auto& view : tables.tables()) {
            for (int i = 0; i < int(view.table->fields.size()); ++i) {
                const FieldDef& field = view.table->fields[i];
                if (field.type == FieldType::Group) {
                    continue;
                }
                if (view.table == ref.table && view.secondBuffer == ref.secondBuffer && i == ref.field) {
                    const SqlValue& stored = row[column];
                    if (field.type == FieldType::String) {
                        const auto* text = std::get_if<std::string>(&stored);
                        return text != nullptr ? *text : std::string();
                    }
                    const auto* whole = std::get_if<std::int64_t>(&stored);
                    const std::int64_t number = whole != nullptr ? *whole : 0;
                    if (field.type == FieldType::Decimal) {
                        return Decimal::fromScaled(number, field.places);
                    }
                    return number;
                }
                ++column;
            }
        }
        throw std::logic_error("field outside the view");
    };
}

} // namespace nakva
