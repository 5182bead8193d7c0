#include "data/Variables.h"

#include "data/Collation.h"

namespace nakva {

void Variables::set(std::string_view name, Value value) {
    values_.insert_or_assign(upper(name), std::move(value));
}

void Variables::remove(std::string_view name) {
    values_.erase(upper(name));
}

const Value* Variables::find(std::string_view name) const {
    if (const auto found = values_.find(upper(name)); found != values_.end()) {
        return &found->second;
    }
    return outer_ != nullptr ? outer_->find(name) : nullptr;
}

} // namespace nakva
