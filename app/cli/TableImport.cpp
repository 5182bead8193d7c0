#include "cli/TableImport.h"

#include "cli/CsvReader.h"
#include "data/Context.h"
#include "data/Date.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/Transaction.h"
#include "messages/ErrorText.h"
#include "messages/Message.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

namespace nakva {

namespace {

const char* const ImportTitle = "Importo klaida";

void report(std::string_view fileName, int line, std::string_view field, const std::string& what) {
    std::string text = std::string(fileName) + ", eilutė " + std::to_string(line);
    if (!field.empty()) {
        text += ", laukas " + std::string(field);
    }
    MessageRequest request;
    request.text = text + ": " + what + " Niekas neimportuota.";
    request.title = ImportTitle;
    showMessage(request);
}

std::string inQuotes(std::string_view text) {
    return "„" + std::string(text) + "“";
}

std::optional<std::int64_t> wholeNumber(std::string_view text) {
    std::int64_t value = 0;
    const char* begin = text.data() + (!text.empty() && text.front() == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || begin == end) {
        return std::nullopt;
    }
    return value;
}

// What is wrong with a value for a field; empty when the field can hold it exactly as written.
std::string checkValue(const TableDef& table, int index, std::string_view value) {
    const FieldDef& field = table.fields[index];
    const std::string_view trimmed = trimRight(value);
    switch (field.type) {
    case FieldType::String: {
        std::string error;
        if (!isCp1257Text(trimmed, &error)) {
            return error;
        }
        if (const auto length = charCount(trimmed); length > std::size_t(field.size)) {
            return "per ilgas tekstas: ženklų " + std::to_string(length) + ", leidžiama ne daugiau kaip " +
                   std::to_string(field.size) + ".";
        }
        return {};
    }
    case FieldType::Long:
    case FieldType::Byte: {
        if (trimmed.empty()) {
            return index == table.recordNumberField ? "įrašo numeris privalomas." : "";
        }
        if (field.isDate) {
            std::string error;
            if (trimmed.size() != 10 || trimmed[4] != '-' || trimmed[7] != '-' ||
                trimmed.find_first_not_of("0123456789-") != std::string_view::npos) {
                return inQuotes(trimmed) + " nėra data (laukiama yyyy-mm-dd).";
            }
            return parseDate(trimmed, &error) ? "" : error;
        }
        const auto number = wholeNumber(trimmed);
        if (!number) {
            return inQuotes(trimmed) + " nėra sveikasis skaičius.";
        }
        const bool isByte = field.type == FieldType::Byte;
        const std::int64_t low = isByte ? 0 : std::numeric_limits<std::int32_t>::min();
        const std::int64_t high = isByte ? 255 : std::numeric_limits<std::int32_t>::max();
        if (*number < low || *number > high) {
            return "skaičius " + inQuotes(trimmed) + " netelpa į lauką (" + std::to_string(low) + "–" +
                   std::to_string(high) + ").";
        }
        if (index == table.recordNumberField && *number <= 0) {
            return "įrašo numeris turi būti didesnis už 0.";
        }
        return {};
    }
    case FieldType::Decimal: {
        if (trimmed.empty()) {
            return {};
        }
        std::string error;
        const auto number = Decimal::parse(trimmed, &error);
        if (!number) {
            return error;
        }
        if (!number->fits(field.size, field.places)) {
            return "skaičius " + inQuotes(trimmed) + " netelpa į lauką: leidžiama skaitmenų prieš tašką " +
                   std::to_string(field.size - field.places) + ", po taško " + std::to_string(field.places) +
                   ".";
        }
        return {};
    }
    case FieldType::Group:
        break;
    }
    return {};
}

struct ReadRecord {
    int line = 0;
    Record record;
};

} // namespace

bool importTable(Context& context, TableId tableId, std::istream& in, std::string_view fileName) {
    const TableDef& def = Dictionary::instance().table(tableId);
    CsvReader reader(in);
    std::vector<std::string> fields;
    if (!reader.next(fields)) {
        report(fileName, 1, {},
               reader.error().empty() ? "failas tuščias, trūksta antraštės." : reader.error());
        return false;
    }
    std::vector<int> columns;
    for (const auto& name : fields) {
        const int index = def.fieldIndex(trimRight(name));
        if (index < 0 || def.fields[index].type == FieldType::Group) {
            report(fileName, 1, {},
                   "lentelėje " + std::string(def.name) + " nėra lauko " + inQuotes(name) + ".");
            return false;
        }
        if (std::ranges::find(columns, index) != columns.end()) {
            report(fileName, 1, {}, "laukas " + inQuotes(name) + " antraštėje kartojasi.");
            return false;
        }
        columns.push_back(index);
    }

    // Every value checked before anything is written.
    std::vector<ReadRecord> records;
    while (reader.next(fields)) {
        if (fields.size() == 1 && fields.front().empty()) {
            continue; // a blank line
        }
        if (fields.size() != columns.size()) {
            report(fileName, reader.line(), {},
                   "laukų eilutėje " + std::to_string(fields.size()) + ", antraštėje " +
                       std::to_string(columns.size()) + ".");
            return false;
        }
        ReadRecord& read = records.emplace_back(ReadRecord{reader.line(), Record(def)});
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const FieldDef& field = def.fields[columns[i]];
            std::string problem = checkValue(def, columns[i], fields[i]);
            if (problem.empty()) {
                problem = read.record.setText(columns[i], trimRight(fields[i])).error;
            }
            if (!problem.empty()) {
                report(fileName, reader.line(), field.name, problem);
                return false;
            }
        }
        if (def.recordNumberField >= 0 &&
            std::ranges::find(columns, def.recordNumberField) == columns.end()) {
            report(fileName, reader.line(), def.fields[def.recordNumberField].name,
                   "įrašo numeris privalomas.");
            return false;
        }
    }
    if (!reader.error().empty()) {
        report(fileName, reader.line(), {}, reader.error());
        return false;
    }

    Table& table = context.table(tableId);
    table.open();
    bool done = false;
    {
        Transaction transaction(context);
        if (transaction.begin({tableId}) != StoreStatus::Ok) {
            report(fileName, 1, {},
                   "lentelės " + std::string(def.name) + " nepavyko užrakinti rašymui: " + errorText() + ".");
        } else {
            done = true;
            for (const ReadRecord& read : records) {
                table.record() = read.record;
                if (table.add() != StoreStatus::Ok) {
                    report(fileName, read.line, {}, "įrašas nepriimtas: " + errorText() + ".");
                    done = false;
                    break;
                }
            }
            if (done && transaction.commit() != StoreStatus::Ok) {
                report(fileName, 1, {}, "įrašų nepavyko išsaugoti: " + errorText() + ".");
                done = false;
            }
        }
    }
    table.close();
    return done;
}

} // namespace nakva
