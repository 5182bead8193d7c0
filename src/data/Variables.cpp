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
    const std::string key = upper(name);
    for (const Variables* scope = this; scope != nullptr; scope = scope->outer_) {
        if (const auto found = scope->values_.find(key); found != scope->values_.end()) {
            return &found->second;
        }
    }
    return nullptr;
}

} // namespace nakva
