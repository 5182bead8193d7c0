#include "data/StoredRecord.h"

#include "data/Cp1257.h"
#include "data/SqliteConnection.h"
#include "data/StoreError.h"
#include "data/TableFormat.h"
#include "data/Text.h"
#include "data/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace nakva::StoredRecord {

namespace {

[[noreturn]] void badValue(const FieldDef& field, const std::string& why) {
    throw StoreFailure{
        StoreError::condition(StoreError::BadStoredValue, std::string(field.name) + " " + why)};
}

// Whether a stored text is one the program writes for the field: Windows-1257 characters, at most
// the field's width of them. Most are (any text with a Lithuanian letter among them), and they are
// taken as they are.
bool writtenForField(std::string_view text, int width) {
    std::size_t chars = 0;
    for (std::size_t pos = 0; pos < text.size(); ++chars) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const char32_t ch = utf8::decode(text, pos);
        if ((ch & utf8::InvalidFlag) != 0 || !unicodeToCp1257(ch)) {
            return false;
        }
    }
    return chars <= std::size_t(std::max(width, 0));
}

} // namespace

std::vector<std::string> columns(const TableDef& table, std::string_view alias) {
    std::vector<std::string> result;
    const std::string prefix = quoteName(alias) + ".";
    for (const FieldDef& field : table.fields) {
        if (field.type != FieldType::Group) {
            result.push_back(prefix + TableFormat::columnName(field));
        }
    }
    return result;
}

const std::vector<std::string>& columns(const TableDef& table) {
    static const std::array<std::vector<std::string>, TableCount> all = [] {
        std::array<std::vector<std::string>, TableCount> made;
        for (const TableDef& each : Dictionary::instance().tables()) {
            made[std::size_t(each.id)] = columns(each, each.name);
        }
        return made;
    }();
    return all[std::size_t(table.id)];
}

std::string columnList(const TableDef& table) {
    std::string list;
    for (const FieldDef& field : table.fields) {
        if (field.type != FieldType::Group) {
            if (!list.empty()) {
                list += ',';
            }
            list += TableFormat::columnName(field);
        }
    }
    return list;
}

void read(const SqliteStatement& row, int firstColumn, Record& record) {
    const TableDef& table = record.table();
    int column = firstColumn;
    for (int i = 0; i < int(table.fields.size()); ++i) {
        const FieldDef& field = table.fields[std::size_t(i)];
        switch (field.type) {
        case FieldType::Group:
            continue;
        case FieldType::Long:
        case FieldType::Byte: {
            const std::int64_t value = row.integer(column);
            const bool fits = field.type == FieldType::Byte ? value >= 0 && value <= 255
                                                            : value >= INT32_MIN && value <= INT32_MAX;
            if (!fits) {
                badValue(field, std::to_string(value));
            }
            record.setStoredInteger(i, value);
            break;
        }
        case FieldType::Decimal: {
            const std::int64_t scaled = row.integer(column);
            if (!Decimal::fromScaled(scaled, field.places).fits(field.size, field.places)) {
                badValue(field, std::to_string(scaled));
            }
            record.setStoredScaled(i, scaled);
            break;
        }
        case FieldType::String: {
            // What the program writes is taken as it is; any other text goes through the field's checks.
            const std::string_view text = row.text(column);
            if (writtenForField(text, field.size)) {
                record.setStoredText(i, text);
            } else if (const SetResult result = record.setValue(i, std::string(text)); !result) {
                badValue(field, result.error);
            }
            break;
        }
        }
        ++column;
    }
}

int bind(SqliteStatement& statement, int firstParameter, const Record& record) {
    const TableDef& table = record.table();
    int parameter = firstParameter;
    for (int i = 0; i < int(table.fields.size()); ++i) {
        if (table.fields[std::size_t(i)].type != FieldType::Group) {
            bindField(statement, parameter++, record, i);
        }
    }
    return parameter;
}

void bindField(SqliteStatement& statement, int parameter, const Record& record, int field) {
    const FieldDef& def = record.table().fields[std::size_t(field)];
    const Value& value = record.value(field);
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        statement.bind(parameter, *integer);
    } else if (const auto* decimal = std::get_if<Decimal>(&value)) {
        const auto scaled = decimal->toScaled(def.places);
        if (!scaled) {
            badValue(def, decimal->toString());
        }
        statement.bind(parameter, *scaled);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        statement.bind(parameter, trimRight(*text));
    } else {
        statement.bindNull(parameter);
    }
}

void bindParameters(SqliteStatement& statement, const std::vector<SqlValue>& parameters) {
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const int index = int(i) + 1;
        if (const auto* integer = std::get_if<std::int64_t>(&parameters[i])) {
            statement.bind(index, *integer);
        } else if (const auto* text = std::get_if<std::string>(&parameters[i])) {
            statement.bind(index, *text);
        } else {
            statement.bindNull(index);
        }
    }
}

SqlValue columnValue(const SqliteStatement& row, int column) {
    if (row.isNull(column)) {
        return std::monostate();
    }
    if (row.isText(column)) {
        return std::string(row.text(column));
    }
    return row.integer(column);
}

Value fieldValue(const SqliteStatement& row, int column, const FieldDef& field) {
    switch (field.type) {
    case FieldType::String:
        return std::string(trimRight(row.isNull(column) ? std::string_view() : row.text(column)));
    case FieldType::Decimal:
        return Decimal::fromScaled(row.integer(column), field.places);
    default:
        return row.integer(column);
    }
}

} // namespace nakva::StoredRecord
