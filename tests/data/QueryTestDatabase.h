#pragma once

#include "data/Record.h"
#include "data/SqlQuery.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;

namespace nakva {

// A value written into a test row: a whole number (dates too), a text or a decimal.
struct Cell {
    Cell(int whole) : value(std::int64_t(whole)) {}
    Cell(const char* text) : value(std::string(text)) {}
    Cell(Decimal number) : value(number) {}
    Value value;
};

// An in-memory database laid out as the record store lays out its files: one table per dictionary
// table named as the table, a column per field named by its bare name (numbers as INTEGER, decimals
// scaled, texts as TEXT), an index per key with the LT_NOCASE / LT_CASE collations, and the
// collations and LT_UPPER() registered as the store registers them.
class QueryTestDatabase {
public:
    QueryTestDatabase();
    ~QueryTestDatabase();
    QueryTestDatabase(const QueryTestDatabase&) = delete;
    QueryTestDatabase& operator=(const QueryTestDatabase&) = delete;

    // Adds a row (rowid one more than the last); unnamed fields are 0 or blank.
    void insert(std::string_view table, std::initializer_list<std::pair<std::string_view, Cell>> fields);

    std::vector<std::vector<SqlValue>> run(const SqlStatement& statement);
    // The details of EXPLAIN QUERY PLAN, one line each.
    std::string plan(const SqlStatement& statement);
    void execute(const std::string& sql);

    // Tables as the test database names them: "Saskait", "Saskait"."GyvenaNuo", "Saskait".rowid.
    static SqlSpelling spelling();
    // Every field of every view table as `spelling` writes it, in view and record order.
    static std::vector<std::string> columns(const ViewTables& tables);
    // Reads the fields that `columns` selected back into a view row's values.
    static FieldValues rowValues(const ViewTables& tables, const std::vector<SqlValue>& row);

private:
    sqlite3* db_ = nullptr;
};

} // namespace nakva
