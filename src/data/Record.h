#pragma once

#include "data/Dictionary.h"
#include "data/Fields.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace nakva {

// A field's value for generic code (filters, views, export and import): nothing (a group field), an
// integer (LONG, BYTE and dates), an exact decimal, or a text (UTF-8).
using Value = std::variant<std::monostate, std::int64_t, Decimal, std::string>;

// No value: none at all, 0, or a text of blanks.
bool isBlankValue(const Value& value);

// The outcome of storing a value into a field. When the value was refused, `error` says why in
// Lithuanian, for the caller to show, and the field keeps its former value.
struct SetResult {
    std::string error;

    bool ok() const { return error.empty(); }
    explicit operator bool() const { return ok(); }
};

// A record buffer of one table: a value for every field in record order, held in the field's type:
// LONG as int32, BYTE as uint8, STRING(n) as UTF-8 text of at most n Windows-1257 characters without
// trailing blanks, DECIMAL(d,p) as a Decimal rounded to p places. Copies are plain value copies.
//
// Typed access: rec.get(SAS::GyvenaNuo), rec.set(SAS::GyvenaNuo, day). A handle of another table is a
// programming error and throws std::logic_error.
class Record {
public:
    explicit Record(TableId table);
    explicit Record(const TableDef& table);

    const TableDef& table() const { return *table_; }
    int fieldCount() const { return int(values_.size()); }

    // Blanks in every text, zeros in every number and date.
    void clear();

    // Field by field; texts compare exactly by letter case, ignoring trailing blanks. Records of
    // different tables are never equal.
    friend bool operator==(const Record& a, const Record& b);
    bool sameValue(const Record& other, int field) const;

    // Generic access by field index or by name ("SAS:GyvenaNuo", "sas1:gyvenanuo", "GyvenaNuo").
    // An unknown name is a programming error and throws std::invalid_argument.
    const Value& value(int field) const;
    const Value& value(std::string_view name) const;
    // Takes an integer for LONG and BYTE fields (a decimal without fraction also), an integer or a
    // decimal for DECIMAL fields, a text for STRING fields; std::monostate blanks the field.
    [[nodiscard]] SetResult setValue(int field, const Value& value);
    [[nodiscard]] SetResult setValue(std::string_view name, const Value& value);

    // What a user or a CSV file types: dates as yyyy-mm-dd, decimals with a point (or a comma),
    // integers, text. An empty text (or blanks) gives zero or no date.
    [[nodiscard]] SetResult setText(int field, std::string_view text);
    [[nodiscard]] SetResult setText(std::string_view name, std::string_view text);
    // What an import or a batch change writes, checked as a form checks it (setText) and further: a
    // text longer than the field, a number with more decimal places than the field keeps and a NUL
    // character are refused instead of being cut or rounded.
    [[nodiscard]] SetResult setExactText(int field, std::string_view text);
    // The field as text in the same forms: a zero date is blank, a decimal shows all its places.
    // A group field gives an empty text.
    std::string text(int field) const;
    std::string text(std::string_view name) const;

    template <TableId T> std::int32_t get(LongField<T> field) const {
        return std::int32_t(std::get<std::int64_t>(values_[checked(T, field.index)]));
    }
    template <TableId T> std::uint8_t get(ByteField<T> field) const {
        return std::uint8_t(std::get<std::int64_t>(values_[checked(T, field.index)]));
    }
    template <TableId T> const std::string& get(StringField<T> field) const {
        return std::get<std::string>(values_[checked(T, field.index)]);
    }
    template <TableId T> const Decimal& get(DecimalField<T> field) const {
        return std::get<Decimal>(values_[checked(T, field.index)]);
    }

    template <TableId T> void set(LongField<T> field, std::int32_t value) {
        values_[checked(T, field.index)] = std::int64_t(value);
    }
    // Refuses a value outside 0..255.
    template <TableId T> SetResult set(ByteField<T> field, int value) {
        return setValue(checked(T, field.index), std::int64_t(value));
    }
    // Cuts the text to the field's width; refuses a character outside Windows-1257.
    template <TableId T> SetResult set(StringField<T> field, std::string_view value) {
        return setString(checked(T, field.index), value);
    }
    // Rounds to the field's places; refuses a value that does not fit the field's digits.
    template <TableId T> [[nodiscard]] SetResult set(DecimalField<T> field, const Decimal& value) {
        return setDecimal(checked(T, field.index), value);
    }

    // Unchecked access by field index for the record store, which keeps stored values within their
    // field types itself: LONG and BYTE as integers, DECIMAL as value × 10^places, STRING as text
    // already checked and cut to the width (trailing blanks are dropped here).
    std::int64_t storedInteger(int field) const;
    void setStoredInteger(int field, std::int64_t value);
    std::int64_t storedScaled(int field) const;
    void setStoredScaled(int field, std::int64_t scaled);
    std::string_view storedText(int field) const;
    void setStoredText(int field, std::string_view text);

    // What is wrong with the record as a whole, whichever way it is written; empty when nothing: a
    // record number must be above 0, and a value that identifies the record to its children (a
    // payer's code, a country, a room type ...) may not be blank, since a blank link links nothing.
    std::string wholeRecordError() const;

private:
    int checked(TableId table, int field) const;
    int indexOf(std::string_view name) const;
    SetResult setString(int field, std::string_view value);
    SetResult setDecimal(int field, const Decimal& value);
    SetResult setInteger(int field, std::int64_t value);

    const TableDef* table_;
    std::vector<Value> values_;
};

// A linking value that links to nothing: a blank text or a zero number.
bool isBlankLink(const Value& value);

} // namespace nakva
