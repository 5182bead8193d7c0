#pragma once

#include "data/Date.h"
#include "data/Decimal.h"
#include "data/Dictionary.h"
#include "data/Tables.h"

#include <cstdint>
#include <string>

namespace nakva {

// The value type of a group field: a group holds no value of its own, only its member fields do.
struct FieldGroup {};

// A field of table T whose values have the C++ type V, fixed at compile time: `SAS::GyvenaNuo`.
// The index is the field's place in the table's record order, as in the dictionary.
template <TableId T, typename V> struct Field {
    using ValueType = V;
    static constexpr TableId table = T;
    int index = -1;
};

template <TableId T> using LongField = Field<T, std::int32_t>;
template <TableId T> using NumberField = Field<T, std::int32_t>; // the LONG that numbers the table's records
template <TableId T> using DateField = Field<T, Date>;
template <TableId T> using ByteField = Field<T, std::uint8_t>;
template <TableId T> using StringField = Field<T, std::string>;
template <TableId T> using DecimalField = Field<T, Decimal>;
template <TableId T> using GroupField = Field<T, FieldGroup>;

// A key of table T: `SAS::GYVENTKEY`. The index is the key's place among the table's keys.
template <TableId T> struct Key {
    static constexpr TableId table = T;
    int index = -1;
};

// One namespace per record buffer prefix, generated from Tables.h:
//   SAS::table           the table (TableId::Saskait)
//   SAS::GyvenaNuo       the typed field handle
//   SAS::GYVENTKEY       the key handle
//   SAS::field::Count    the number of fields, SAS::key::Count the number of keys
// The second buffers are the same table under another prefix: SAS1::GyvenaNuo is SAS::GyvenaNuo.

#define NAKVA_FIELDS_IGNORE(...)
#define NAKVA_FIELDS_ENUMERATOR(name, ...) name,
#define NAKVA_FIELDS_FIELD_HANDLE(name, kind, ...) inline constexpr kind##Field<table> name{field::name};
#define NAKVA_FIELDS_KEY_HANDLE(name, ...) inline constexpr Key<table> name{key::name};
#define NAKVA_FIELDS_DECLARE_TABLE(id, prefix)                                                               \
    namespace prefix {                                                                                       \
    inline constexpr TableId table = TableId::id;                                                            \
    namespace field {                                                                                        \
    enum : int { NAKVA_TABLE_##prefix(NAKVA_FIELDS_ENUMERATOR, NAKVA_FIELDS_IGNORE) Count };                 \
    }                                                                                                        \
    namespace key {                                                                                          \
    enum : int { NAKVA_TABLE_##prefix(NAKVA_FIELDS_IGNORE, NAKVA_FIELDS_ENUMERATOR) Count };                 \
    }                                                                                                        \
    NAKVA_TABLE_##prefix(NAKVA_FIELDS_FIELD_HANDLE, NAKVA_FIELDS_KEY_HANDLE)                                 \
    }
#define NAKVA_FIELDS_SECOND_BUFFER(prefix, second) namespace second = prefix;

NAKVA_TABLES(NAKVA_FIELDS_DECLARE_TABLE)
NAKVA_SECOND_BUFFERS(NAKVA_FIELDS_SECOND_BUFFER)

#undef NAKVA_FIELDS_IGNORE
#undef NAKVA_FIELDS_ENUMERATOR
#undef NAKVA_FIELDS_FIELD_HANDLE
#undef NAKVA_FIELDS_KEY_HANDLE
#undef NAKVA_FIELDS_DECLARE_TABLE
#undef NAKVA_FIELDS_SECOND_BUFFER

} // namespace nakva
