#include "reference/widgets/ServiceWindows.h"

#include "data/Context.h"
#include "messages/StandardWarnings.h"
#include "reference/Services.h"
#include "reference/widgets/ListReports.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <memory>

namespace nakva {

namespace {

void callServiceForm(Context& context, Request request, QWidget* caller, FormDone done) {
    FormWindow::call(RedPaslaug(), context, request, caller, std::move(done));
}

// The services list's own commands, in the menu's window and in a selection.
void setUpServiceList(ListWindow& window) {
    ListEngine& engine = window.engine();
    ListCommand copy;
    copy.name = "copyButton";
    copy.text = "Kopijuoti";
    copy.tooltip = "Kopijuoti įrašą";
    copy.inPopup = true;
    copy.run = [&engine] {
        engine.copyCurrent(copyService, true);
    };
    window.addCommand(copy);

    ListCommand print;
    print.name = "printButton";
    print.text = "Spausdinti...";
    print.needsRow = false;
    print.inPopup = true;
    print.menu = {{"Paslaugų sąrašą kainoraštį",
                   [&window] {
                       printFromList(window, "SpPaslSar");
                   }},
                  {"Paslaugos knygą", [&window] {
                       printFromList(window, "SpPaslKn");
                   }}};
    window.addCommand(print);
}

} // namespace

void registerServiceWindows(ProcedureRegistry& procedures, Database& database) {
    procedures.add("SarPaslaug", [&database]() -> QWidget* {
        auto* window = new ListWindow(SarPaslaug(), std::make_unique<Context>(database));
        window->setFormCall(callServiceForm);
        setUpServiceList(*window);
        return window;
    });
    addSelectionList("SarPaslaug", [](Context& context, QWidget* caller, SelectDone done) {
        ListWindow::call(SarPaslaug(), context, caller, std::move(done), callServiceForm, setUpServiceList);
    });
}

} // namespace nakva
