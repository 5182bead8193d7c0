#pragma once

#include "data/Dictionary.h"
#include "data/Record.h"

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nakva {

class Context;
class Table;

// What `nakva-cli export` is asked for: a table read through a view, in an order and through a
// filter written as the program writes them, with named variables bound for the filter.
struct ExportRequest {
    enum class Format { Csv, Json };
    TableId table{};
    std::string order; // empty: the order of the table's identity key
    std::string filter;
    std::vector<std::pair<std::string, Value>> variables;
    Format format = Format::Csv;
    // CSV for a spreadsheet rather than for import: a text that would run there as a formula gets a
    // leading apostrophe (spreadsheetText). Without it every value is written exactly as stored.
    bool spreadsheet = false;
    std::string title = "Eksportas"; // of the messages about the order, the filter and the read
};

// The value a `--set NAME=VALUE` binds: a date written yyyy-mm-dd, a whole or a decimal number, or
// else a text; a value in single quotes is always a text ('15'). nullopt and a Lithuanian text for a
// date that does not exist.
std::optional<Value> variableValue(std::string_view text, std::string& error);

// Writes the records of the view: CSV (RFC 4180, a header of the field names as the program writes
// them, "VAL:Valstybe", dates yyyy-mm-dd and blank for none, decimals with a point; texts exactly as
// stored, formulas too, unless the request is for a spreadsheet) or JSON (an array of objects named
// the same). The view is the program's own, so it reads exactly what a list window
// or report with this order and filter reads. False after a message when it cannot be read.
bool exportTable(Context& context, const ExportRequest& request, std::ostream& out);

// The `--set NAME=VALUE` words bound as variables; false and a Lithuanian text for the first bad one.
bool bindVariables(std::span<const std::string> assignments,
                   std::vector<std::pair<std::string, Value>>& variables, std::string& error);

// Reads the view the request describes (its format aside), as exportTable does: `opened` once the view
// is open, then `each` for every record, with the main table's buffer filled and the record current on
// its handle. False after a message when the order or filter is wrong or the read fails.
bool readView(Context& context, const ExportRequest& request, const std::function<void(Table& main)>& each,
              const std::function<void()>& opened = {});

} // namespace nakva
