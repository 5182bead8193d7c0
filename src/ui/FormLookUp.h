#pragma once

#include "data/Dictionary.h"

#include <string>
#include <utility>

namespace nakva {

// A field whose value must be one of another table's values: the table, its field holding the value,
// the key by which the value is found, and the selection list that offers the values ("BrowseValstyb").
struct FormLookUp {
    FormLookUp(TableId table, int field, int key, std::string list)
        : table(table), field(field), key(key), list(std::move(list)) {}

    TableId table{};
    int field = -1;
    int key = -1;
    std::string list;
    bool button = true; // a look-up button beside the field (Ctrl+Down opens the list in any case)
    bool onSave = true; // looked up again in the final check on save (the registration form does not)
};

} // namespace nakva
