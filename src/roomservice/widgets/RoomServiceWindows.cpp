#include "roomservice/widgets/RoomServiceWindows.h"

#include "data/Context.h"
#include "roomservice/RoomServiceLogs.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <memory>
#include <string>
#include <string_view>

namespace nakva {

namespace {

struct LogWindow {
    std::string_view procedure;
    ListConfig (*list)();
    FormConfig (*form)();
};

constexpr LogWindow Logs[] = {
    {"SarKmbVal", SarKmbVal, RedKmbVal},
    {"SarKmbPatal", SarKmbPatal, RedKmbPatal},
    {"SarKmbRanks", SarKmbRanks, RedKmbRanks},
};

} // namespace

void registerRoomServiceWindows(ProcedureRegistry& procedures, Database& database) {
    for (const LogWindow& log : Logs) {
        procedures.add(std::string(log.procedure), [&database, log]() -> QWidget* {
            auto* window = new ListWindow(log.list(), std::make_unique<Context>(database));
            window->setFormCall(
                [form = log.form](Context& context, Request request, QWidget* caller, FormDone done) {
                    FormWindow::call(form(), context, request, caller, std::move(done));
                });
            return window;
        });
    }
    addSelectionList(std::string(SelectKambName), [](Context& context, QWidget* caller, SelectDone done) {
        ListWindow::call(SelectKambAt(context), context, caller, std::move(done));
    });
}

} // namespace nakva
