#include "ui/Help.h"

#include <utility>

namespace nakva {

namespace {

HelpHandler& handler() {
    static HelpHandler installed;
    return installed;
}

} // namespace

void setHelpHandler(HelpHandler handler) {
    nakva::handler() = std::move(handler);
}

void showHelp(std::string_view topic) {
    if (handler()) {
        handler()(topic);
    }
}

} // namespace nakva
