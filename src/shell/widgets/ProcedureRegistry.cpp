#include "shell/widgets/ProcedureRegistry.h"

namespace nakva {

void ProcedureRegistry::add(std::string name, ProcedureFactory factory) {
    factories_.insert_or_assign(std::move(name), std::move(factory));
}

bool ProcedureRegistry::contains(std::string_view name) const {
    return factories_.find(name) != factories_.end();
}

QWidget* ProcedureRegistry::create(std::string_view name) const {
    const auto found = factories_.find(name);
    return found == factories_.end() ? nullptr : found->second();
}

std::vector<std::string> ProcedureRegistry::names() const {
    std::vector<std::string> names;
    for (const auto& [name, factory] : factories_) {
        names.push_back(name);
    }
    return names;
}

} // namespace nakva
