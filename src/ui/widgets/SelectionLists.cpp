#include "ui/widgets/SelectionLists.h"

#include "messages/StandardWarnings.h"

#include <map>

namespace nakva {

namespace {

constexpr int WarningUndefinedProcedure = 6;

std::map<std::string, SelectionListCall, std::less<>>& lists() {
    static std::map<std::string, SelectionListCall, std::less<>> added;
    return added;
}

} // namespace

void addSelectionList(std::string name, SelectionListCall call) {
    lists()[std::move(name)] = std::move(call);
}

void callSelectionList(std::string_view name, Context& context, QWidget* caller, SelectDone done) {
    const auto found = lists().find(name);
    if (found == lists().end() || !found->second) {
        standardWarning(WarningUndefinedProcedure, name);
        done(Response::Cancelled);
        return;
    }
    found->second(context, caller, std::move(done));
}

} // namespace nakva
