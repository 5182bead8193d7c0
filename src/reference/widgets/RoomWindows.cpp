#include "reference/widgets/RoomWindows.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "reference/Rooms.h"
#include "reference/widgets/ListReports.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <QFormLayout>

#include <memory>

namespace nakva {

namespace {

constexpr RoomHistory Histories[RoomHistoryTabs] = {RoomHistory::Residents, RoomHistory::Cleanings,
                                                    RoomHistory::Bedding, RoomHistory::Towels};

// The room form with the room's history on its further tabs, each list bound to the room on the form.
void callRoomForm(Context& context, Request request, QWidget* caller, FormDone done) {
    FormWindow::call(RedKamb(), context, request, caller, std::move(done), [&context](FormWindow& form) {
        const std::int64_t room = context.table(TableId::Kamb).record().get(KMB::KambarioID);
        for (int tab = 0; tab < RoomHistoryTabs; ++tab) {
            ListConfig config = roomHistory(Histories[tab]);
            config.bind = [room](Variables& variables) {
                variables.set(RoomHistoryVariable, room);
            };
            QWidget* page = form.tabPage(tab + 1);
            auto* list = new ListWindow(config, context, Request::None, page, true);
            list->setMinimumWidth(list->width()); // every column in sight: the list made itself that wide
            static_cast<QFormLayout*>(page->layout())->addRow(list);
        }
    });
}

// The room list's own commands, in the menu's window and in a selection.
void setUpRoomList(ListWindow& window) {
    ListEngine& engine = window.engine();
    ListCommand copy;
    copy.name = "copyButton";
    copy.text = "Kopijuoti";
    copy.tooltip = "Kopijuoti pasirinktą įrašą";
    copy.inPopup = true;
    copy.run = [&engine] {
        engine.copyCurrent(copyRoom, true);
    };
    window.addCommand(copy);

    ListCommand print;
    print.name = "printButton";
    print.text = "Spausdinti...";
    print.tooltip = "Spausdinti kambarių ataskaitą";
    print.needsRow = false;
    print.inPopup = true;
    print.menu = {{"Neparuoštų kambarių sąrašas",
                   [&window] {
                       startListReport(window, "SpNepKmbSar");
                   }},
                  {"Kambarių statistika", [&window] {
                       startListReport(window, "SpKmbStat");
                   }}};
    window.addCommand(print);
}

} // namespace

void registerRoomWindows(ProcedureRegistry& procedures, Database& database) {
    procedures.add("SarKamb", [&database]() -> QWidget* {
        auto* window = new ListWindow(SarKamb(), std::make_unique<Context>(database));
        window->setFormCall(callRoomForm);
        setUpRoomList(*window);
        return window;
    });
    addSelectionList("SarKamb", [](Context& context, QWidget* caller, SelectDone done) {
        ListWindow::call(SarKamb(), context, caller, std::move(done), callRoomForm, setUpRoomList);
    });
}

} // namespace nakva
