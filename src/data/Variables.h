#pragma once

#include "data/Record.h"

#include <map>
#include <string>
#include <string_view>

namespace nakva {

// Named variables that a procedure makes known before it opens a view, so that its filter can name
// them: "GLO:PrDt", "LOC:KmbID", "BRW1::Sort1:Reset:KMB:KambarioID", "Report:Save::SAS:SaskDt". A name
// is just a name (letter case does not matter); a value is an integer (dates too), a decimal or a text.
//
// A name bound here hides a field of the same name: a procedure binds "GRP:Grupe" when its filter
// means the group chosen in the record buffer rather than a joined parent's field.
class Variables {
public:
    Variables() = default;
    // Names not bound here are looked up in `outer` (the program-wide GLO variables), which must
    // outlive this scope.
    explicit Variables(const Variables* outer) : outer_(outer) {}

    void set(std::string_view name, Value value);
    void remove(std::string_view name);
    void clear() { values_.clear(); }

    // The bound value, here or in the outer scope; nullptr for a name nobody bound.
    const Value* find(std::string_view name) const;

private:
    std::map<std::string, Value, std::less<>> values_; // by upper-cased name
    const Variables* outer_ = nullptr;
};

} // namespace nakva
