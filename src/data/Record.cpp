#include "data/Record.h"

#include "data/Text.h"

#include <array>
#include <cassert>
#include <charconv>
#include <limits>
#include <stdexcept>

namespace nakva {

bool isBlankValue(const Value& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return *integer == 0;
    }
    if (const auto* decimal = std::get_if<Decimal>(&value)) {
        return decimal->isZero();
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return trimRight(*text).empty();
    }
    return true;
}

namespace {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return trimRight(text);
}

std::string quoted(std::string_view text) {
    return "„" + std::string(text) + "“";
}

Value blankValue(const FieldDef& field) {
    switch (field.type) {
    case FieldType::Long:
    case FieldType::Byte:
        return std::int64_t(0);
    case FieldType::Decimal:
        return Decimal::fromScaled(0, field.places);
    case FieldType::String:
        return std::string();
    case FieldType::Group:
        break;
    }
    return std::monostate();
}

// An integer as typed: optional sign, digits, blanks around.
std::optional<std::int64_t> parseInteger(std::string_view text) {
    text = trimBlanks(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

Record::Record(TableId table) : Record(Dictionary::instance().table(table)) {}

// Every field of a table blank, made once for each table: a new or cleared buffer is a copy.
const std::vector<Value>& blankValues(const TableDef& table) {
    static const auto all = [] {
        std::array<std::vector<Value>, TableCount> made;
        for (const TableDef& def : Dictionary::instance().tables()) {
            for (const FieldDef& field : def.fields) {
                made[std::size_t(def.id)].push_back(blankValue(field));
            }
        }
        return made;
    }();
    assert(&Dictionary::instance().table(table.id) == &table);
    return all[std::size_t(table.id)];
}

Record::Record(const TableDef& table) : table_(&table), values_(blankValues(table)) {}

void Record::clear() {
    values_ = blankValues(*table_);
}

bool operator==(const Record& a, const Record& b) {
    if (a.table_ != b.table_) {
        return false;
    }
    for (int i = 0; i < a.fieldCount(); ++i) {
        if (!a.sameValue(b, i)) {
            return false;
        }
    }
    return true;
}

bool Record::sameValue(const Record& other, int field) const {
    const Value& mine = values_.at(std::size_t(field));
    const Value& theirs = other.values_.at(std::size_t(field));
    if (const auto* text = std::get_if<std::string>(&mine)) {
        const auto* otherText = std::get_if<std::string>(&theirs);
        return otherText && equalIgnoringTrailingBlanks(*text, *otherText);
    }
    return mine == theirs;
}

const Value& Record::value(int field) const {
    return values_.at(std::size_t(field));
}

const Value& Record::value(std::string_view name) const {
    return values_[std::size_t(indexOf(name))];
}

SetResult Record::setValue(std::string_view name, const Value& value) {
    return setValue(indexOf(name), value);
}

SetResult Record::setValue(int field, const Value& value) {
    const FieldDef& def = table_->fields.at(std::size_t(field));
    if (std::holds_alternative<std::monostate>(value)) {
        values_[std::size_t(field)] = blankValue(def);
        return {};
    }
    switch (def.type) {
    case FieldType::Long:
    case FieldType::Byte:
        if (const auto* integer = std::get_if<std::int64_t>(&value)) {
            return setInteger(field, *integer);
        }
        if (const auto* decimal = std::get_if<Decimal>(&value)) {
            const auto whole = decimal->toScaled(0);
            if (!whole || *decimal != Decimal(*whole)) {
                return {"Čia reikia sveikojo skaičiaus, o ne " + decimal->toString() + "."};
            }
            return setInteger(field, *whole);
        }
        return {"Čia reikia skaičiaus, o ne teksto."};
    case FieldType::Decimal:
        if (const auto* integer = std::get_if<std::int64_t>(&value)) {
            return setDecimal(field, Decimal(*integer));
        }
        if (const auto* decimal = std::get_if<Decimal>(&value)) {
            return setDecimal(field, *decimal);
        }
        return {"Čia reikia skaičiaus, o ne teksto."};
    case FieldType::String:
        if (const auto* text = std::get_if<std::string>(&value)) {
            return setString(field, *text);
        }
        return {"Čia reikia teksto, o ne skaičiaus."};
    case FieldType::Group:
        break;
    }
    return {"Laukų grupei " + std::string(def.name) + " reikšmės priskirti negalima."};
}

SetResult Record::setText(std::string_view name, std::string_view text) {
    return setText(indexOf(name), text);
}

SetResult Record::setText(int field, std::string_view text) {
    const FieldDef& def = table_->fields.at(std::size_t(field));
    std::string error;
    switch (def.type) {
    case FieldType::Long:
        if (def.isDate) {
            const auto date = parseDate(text, &error);
            if (!date) {
                return {error};
            }
            values_[std::size_t(field)] = std::int64_t(*date);
            return {};
        }
        [[fallthrough]];
    case FieldType::Byte: {
        if (trimBlanks(text).empty()) {
            return setInteger(field, 0);
        }
        const auto integer = parseInteger(text);
        if (!integer) {
            return {quoted(trimBlanks(text)) + " nėra sveikasis skaičius."};
        }
        return setInteger(field, *integer);
    }
    case FieldType::Decimal: {
        if (trimBlanks(text).empty()) {
            return setDecimal(field, Decimal());
        }
        const auto decimal = Decimal::parse(text, &error);
        if (!decimal) {
            return {error};
        }
        return setDecimal(field, *decimal);
    }
    case FieldType::String:
        return setString(field, text);
    case FieldType::Group:
        break;
    }
    return setValue(field, std::string(text));
}

SetResult Record::setExactText(int field, std::string_view text) {
    const FieldDef& def = table_->fields.at(std::size_t(field));
    if (text.find('\0') != std::string_view::npos) {
        return {"tekste yra NUL ženklas."};
    }
    if (def.type == FieldType::String) {
        std::string error;
        if (!isCp1257Text(trimRight(text), &error)) {
            return {error};
        }
        if (const auto length = charCount(trimRight(text)); length > std::size_t(def.size)) {
            return {"Per ilgas tekstas: ženklų " + std::to_string(length) + ", leidžiama ne daugiau kaip " +
                    std::to_string(def.size) + "."};
        }
    }
    if (def.type == FieldType::Decimal && !trimBlanks(text).empty()) {
        std::string error;
        const auto number = Decimal::parse(text, &error);
        if (!number) {
            return {error};
        }
        if (number->rounded(def.places) != *number) {
            return {"Skaičius " + std::string(trimBlanks(text)) +
                    " turi per daug skaitmenų po taško: leidžiama " + std::to_string(def.places) + "."};
        }
    }
    return setText(field, text);
}

std::string Record::wholeRecordError() const {
    const int number = table_->recordNumberField;
    if (number >= 0 && std::get<std::int64_t>(values_[std::size_t(number)]) <= 0) {
        return std::string(table_->fields[std::size_t(number)].name) +
               ": įrašo numeris turi būti didesnis už 0.";
    }
    for (const RelationDef& relation : Dictionary::instance().relations()) {
        if (relation.parent == table_->id && isBlankLink(values_[std::size_t(relation.parentField)])) {
            return std::string(table_->fields[std::size_t(relation.parentField)].name) +
                   ": reikšmė negali būti tuščia, nes ja susiejami kitų failų įrašai.";
        }
    }
    return {};
}

bool isBlankLink(const Value& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return trimRight(*text).empty();
    }
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return *integer == 0;
    }
    return std::holds_alternative<std::monostate>(value);
}

std::string Record::text(std::string_view name) const {
    return text(indexOf(name));
}

std::string Record::text(int field) const {
    const FieldDef& def = table_->fields.at(std::size_t(field));
    const Value& value = values_[std::size_t(field)];
    switch (def.type) {
    case FieldType::Long:
        if (def.isDate) {
            return formatDate(Date(std::get<std::int64_t>(value)));
        }
        [[fallthrough]];
    case FieldType::Byte:
        return std::to_string(std::get<std::int64_t>(value));
    case FieldType::Decimal:
        return std::get<Decimal>(value).toString(def.places);
    case FieldType::String:
        return std::get<std::string>(value);
    case FieldType::Group:
        break;
    }
    return {};
}

std::int64_t Record::storedInteger(int field) const {
    assert(table_->fields[std::size_t(field)].type == FieldType::Long ||
           table_->fields[std::size_t(field)].type == FieldType::Byte);
    return std::get<std::int64_t>(values_[std::size_t(field)]);
}

void Record::setStoredInteger(int field, std::int64_t value) {
    assert(table_->fields[std::size_t(field)].type == FieldType::Long ||
           table_->fields[std::size_t(field)].type == FieldType::Byte);
    values_[std::size_t(field)] = value;
}

std::int64_t Record::storedScaled(int field) const {
    const FieldDef& def = table_->fields[std::size_t(field)];
    assert(def.type == FieldType::Decimal);
    // A decimal in a record is rounded to its places and fits its digits, 13 at most: no overflow.
    return *std::get<Decimal>(values_[std::size_t(field)]).toScaled(def.places);
}

void Record::setStoredScaled(int field, std::int64_t scaled) {
    const FieldDef& def = table_->fields[std::size_t(field)];
    assert(def.type == FieldType::Decimal);
    values_[std::size_t(field)] = Decimal::fromScaled(scaled, def.places);
}

std::string_view Record::storedText(int field) const {
    return std::get<std::string>(values_[std::size_t(field)]);
}

void Record::setStoredText(int field, std::string_view text) {
    assert(table_->fields[std::size_t(field)].type == FieldType::String);
    std::get<std::string>(values_[std::size_t(field)]).assign(trimRight(text));
}

int Record::checked(TableId table, int field) const {
    if (table != table_->id) {
        throw std::logic_error("A field of table " + std::string(Dictionary::instance().table(table).name) +
                               " used on a record of " + std::string(table_->name));
    }
    return field;
}

int Record::indexOf(std::string_view name) const {
    const int field = table_->fieldIndex(name);
    if (field < 0) {
        throw std::invalid_argument("No field " + std::string(name) + " in table " +
                                    std::string(table_->name));
    }
    return field;
}

SetResult Record::setString(int field, std::string_view value) {
    std::string error;
    auto text = forStringField(value, table_->fields[std::size_t(field)].size, &error);
    if (!text) {
        return {error};
    }
    values_[std::size_t(field)] = std::move(*text);
    return {};
}

SetResult Record::setDecimal(int field, const Decimal& value) {
    const FieldDef& def = table_->fields[std::size_t(field)];
    std::string error;
    const auto stored = forField(value, def.size, def.places, &error);
    if (!stored) {
        return {error};
    }
    values_[std::size_t(field)] = *stored;
    return {};
}

SetResult Record::setInteger(int field, std::int64_t value) {
    const FieldDef& def = table_->fields[std::size_t(field)];
    if (def.type == FieldType::Byte && (value < 0 || value > 255)) {
        return {"Reikšmė " + std::to_string(value) + " netinka: čia galima nuo 0 iki 255."};
    }
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return {"Skaičius " + std::to_string(value) + " netelpa į šį lauką."};
    }
    values_[std::size_t(field)] = value;
    return {};
}

} // namespace nakva
