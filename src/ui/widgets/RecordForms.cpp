#include "ui/widgets/RecordForms.h"

#include "messages/StandardWarnings.h"

#include <map>

namespace nakva {

namespace {

constexpr int WarningUndefinedProcedure = 6;

std::map<std::string, WidgetFormCall, std::less<>>& forms() {
    static std::map<std::string, WidgetFormCall, std::less<>> added;
    return added;
}

} // namespace

void addRecordForm(std::string name, WidgetFormCall call) {
    forms()[std::move(name)] = std::move(call);
}

std::vector<std::string> recordFormNames() {
    std::vector<std::string> names;
    for (const auto& [name, call] : forms()) {
        names.push_back(name);
    }
    return names;
}

void callRecordForm(std::string_view name, Context& context, Request request, QWidget* caller,
                    FormDone done) {
    const auto found = forms().find(name);
    if (found == forms().end() || !found->second) {
        standardWarning(WarningUndefinedProcedure, name);
        done({});
        return;
    }
    found->second(context, request, caller, std::move(done));
}

} // namespace nakva
