#include "cli/TableExport.h"

#include "data/Context.h"
#include "data/Date.h"
#include "data/SpreadsheetText.h"
#include "data/SqlQuery.h"
#include "data/Table.h"
#include "data/Variables.h"
#include "data/View.h"
#include "messages/ErrorText.h"
#include "messages/Message.h"

#include <charconv>
#include <functional>

namespace nakva {

namespace {

void report(const std::string& title, const std::string& text) {
    MessageRequest request;
    request.text = text;
    request.title = title;
    showMessage(request);
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string jsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
                json += escaped;
            } else {
                json += c;
            }
        }
    }
    return json + "\"";
}

// The order of the identity key, as an order text.
std::string identityOrder(const TableDef& table) {
    std::string order;
    for (const int field : table.keys[table.identityKey].components) {
        order += (order.empty() ? "" : ",") + std::string(table.fields[field].name);
    }
    return order;
}

class RecordWriter {
public:
    RecordWriter(const TableDef& table, const ExportRequest& request, std::ostream& out)
        : table_(table), format_(request.format), spreadsheet_(request.spreadsheet), out_(out) {}

    void begin() {
        if (format_ == ExportRequest::Format::Json) {
            out_ << "[";
            return;
        }
        std::string header;
        for (const auto& field : table_.fields) {
            if (field.type != FieldType::Group) {
                header += (header.empty() ? "" : ",") + csvField(field.name);
            }
        }
        out_ << header << "\r\n";
    }

    void write(const Record& record) {
        std::string line;
        bool first = true;
        for (int i = 0; i < int(table_.fields.size()); ++i) {
            const FieldDef& field = table_.fields[i];
            if (field.type == FieldType::Group) {
                continue;
            }
            line += first ? "" : ",";
            first = false;
            const std::string text = record.text(i);
            if (format_ == ExportRequest::Format::Csv) {
                line += csvField(spreadsheet_ ? spreadsheetText(text) : text);
                continue;
            }
            const bool number =
                field.type == FieldType::Decimal || (!field.isDate && field.type != FieldType::String);
            line += "\n    " + jsonString(field.name) + ": " + (number ? text : jsonString(text));
        }
        if (format_ == ExportRequest::Format::Csv) {
            out_ << line << "\r\n";
        } else {
            out_ << (records_ == 0 ? "\n  {" : ",\n  {") << line << "\n  }";
        }
        ++records_;
    }

    void end() {
        if (format_ == ExportRequest::Format::Json) {
            out_ << (records_ == 0 ? "]\n" : "\n]\n");
        }
        out_.flush();
    }

private:
    const TableDef& table_;
    ExportRequest::Format format_;
    bool spreadsheet_;
    std::ostream& out_;
    int records_ = 0;
};

} // namespace

std::optional<Value> variableValue(std::string_view text, std::string& error) {
    if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'') {
        return Value(std::string(text.substr(1, text.size() - 2)));
    }
    // Told apart by their characters alone, each then read by its own parser: no pattern engine
    // walks a text the user typed.
    const auto digits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (text.size() == 10 && text[4] == '-' && text[7] == '-' && digits(text.substr(0, 4)) &&
        digits(text.substr(5, 2)) && digits(text.substr(8, 2))) {
        const auto date = parseDate(text, &error);
        if (!date) {
            return std::nullopt;
        }
        return Value(std::int64_t(*date));
    }
    const std::string_view magnitude = text.starts_with('+') || text.starts_with('-') ? text.substr(1) : text;
    if (digits(magnitude) && magnitude.size() <= 18) {
        std::int64_t whole = 0;
        std::from_chars(text.data() + (text[0] == '+' ? 1 : 0), text.data() + text.size(), whole);
        return Value(whole);
    }
    if (const auto point = magnitude.find('.'); point != std::string_view::npos &&
                                                digits(magnitude.substr(0, point)) &&
                                                digits(magnitude.substr(point + 1))) {
        if (const auto decimal = Decimal::parse(text)) {
            return Value(*decimal);
        }
    }
    return Value(std::string(text));
}

bool bindVariables(std::span<const std::string> assignments,
                   std::vector<std::pair<std::string, Value>>& variables, std::string& error) {
    for (const std::string& binding : assignments) {
        const auto equals = binding.find('=');
        if (equals == std::string::npos || equals == 0) {
            error = "Parametras --set rašomas VARDAS=REIKŠMĖ, o gauta „" + binding + "“.";
            return false;
        }
        std::string valueError;
        const auto value = variableValue(std::string_view(binding).substr(equals + 1), valueError);
        if (!value) {
            error = "Kintamojo " + binding.substr(0, equals) + " reikšmė netinka: " + valueError;
            return false;
        }
        variables.emplace_back(binding.substr(0, equals), *value);
    }
    return true;
}

bool readView(Context& context, const ExportRequest& request, const std::function<void(Table& main)>& each,
              const std::function<void()>& opened) {
    const TableDef& def = Dictionary::instance().table(request.table);
    const std::string orderText = request.order.empty() ? identityOrder(def) : request.order;
    Variables variables;
    for (const auto& [name, value] : request.variables) {
        variables.set(name, value);
    }
    // Checked here first, so that a mistyped order or filter is reported with where it went wrong.
    const auto order = parseOrder(orderText);
    if (!order) {
        report(request.title, order.error.message);
        return false;
    }
    const auto filter = parseFilter(request.filter);
    if (!filter) {
        report(request.title, filter.error.message);
        return false;
    }
    const auto query = SqlQuery::build(ViewTables(def), *order, *filter, variables);
    if (!query) {
        report(request.title, query.error.message);
        return false;
    }

    // The view's tables must be open on the context: the main table and the parents it joins.
    std::vector<Table*> handles;
    for (const ViewTable& table : query->tables().tables()) {
        Table* handle = context.handle(table.table->id, table.secondBuffer);
        handle->open();
        handles.push_back(handle);
    }
    Table& main = *handles.front();
    View view(main);
    view.holdOneMoment();
    view.setOrder(orderText);
    view.setFilter(request.filter);
    for (const auto& [name, value] : request.variables) {
        view.variables().set(name, value);
    }
    bool done = view.open() == StoreStatus::Ok && view.setToStart() == StoreStatus::Ok;
    if (done) {
        view.scanHint(true);
        if (opened) {
            opened();
        }
        StoreStatus status;
        while ((status = view.next()) == StoreStatus::Ok) {
            each(main);
        }
        if (status != StoreStatus::EndOfData) {
            report(request.title,
                   "Klaida skaitant lentelę " + std::string(def.name) + ": " + errorText() + ".");
            done = false;
        }
    }
    view.close();
    for (Table* handle : handles) {
        handle->close();
    }
    return done;
}

bool exportTable(Context& context, const ExportRequest& request, std::ostream& out) {
    RecordWriter writer(Dictionary::instance().table(request.table), request, out);
    bool begun = false;
    const bool done = readView(
        context, request, [&writer](Table& main) { writer.write(main.record()); },
        [&] {
            writer.begin();
            begun = true;
        });
    if (begun) {
        writer.end();
    }
    return done;
}

} // namespace nakva
