#pragma once

#include "data/Record.h"
#include "data/SqlQuery.h"

#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class SqliteStatement;

// How a record buffer meets its stored row: the columns of the fields that are not groups, in record
// order (LONG, BYTE and dates as integers, DECIMAL(d,p) as the value × 10^p, texts without trailing
// blanks).
namespace StoredRecord {

// `alias`."column" for every stored field, in record order.
std::vector<std::string> columns(const TableDef& table, std::string_view alias);
// The same with the table's own name as the alias, built once for every table.
const std::vector<std::string>& columns(const TableDef& table);
// The stored fields' columns as a list: "IrasoNr","IrasoDt",...
std::string columnList(const TableDef& table);

// Fills `record` from the columns starting at `firstColumn`. A value the field cannot hold (written by
// some other program) throws StoreFailure naming the field.
void read(const SqliteStatement& row, int firstColumn, Record& record);
// Binds the stored fields to the parameters starting at `firstParameter`; returns the next one.
int bind(SqliteStatement& statement, int firstParameter, const Record& record);
// Binds one field's value (as the key compares it).
void bindField(SqliteStatement& statement, int parameter, const Record& record, int field);

// Binds the parameters ?1 .. ?n of a statement made by the query seam.
void bindParameters(SqliteStatement& statement, const std::vector<SqlValue>& parameters);
// A column as the seam's values carry it (order values).
SqlValue columnValue(const SqliteStatement& row, int column);
// A column as a record of `field`'s table would hold it; a missing joined record's is the blank value.
Value fieldValue(const SqliteStatement& row, int column, const FieldDef& field);

} // namespace StoredRecord
} // namespace nakva
