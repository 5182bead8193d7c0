#include "reference/widgets/ReferenceProcedures.h"

#include "data/Context.h"
#include "reference/SimpleLists.h"
#include "reference/VatRates.h"
#include "reference/widgets/InstitutionSettingsWindow.h"
#include "reference/widgets/PayerWindows.h"
#include "reference/widgets/RoomWindows.h"
#include "reference/widgets/ServiceWindows.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <memory>
#include <string_view>

namespace nakva {

namespace {

// A list of the "Žinynai" menu and its record form.
struct SimpleList {
    std::string_view procedure;
    ListConfig (*list)();
    FormConfig (*form)();
};

constexpr SimpleList SimpleLists[] = {
    {"BrowseValstyb", BrowseValstyb, UpdateValstyb},    {"SarGrup", SarGrup, RedGrupes},
    {"BrowseMokBudai", BrowseMokBudai, UpdateMokBudai}, {"BrowseValyt", BrowseValyt, UpdateValyt},
    {"SarKambTipai", SarKambTipai, RedKambTipai},       {"BrowsePaslGrp", BrowsePaslGrp, UpdatePaslGrp},
};

WidgetFormCall formOf(FormConfig (*form)()) {
    return [form](Context& context, Request request, QWidget* caller, FormDone done) {
        FormWindow::call(form(), context, request, caller, std::move(done));
    };
}

} // namespace

void registerReferenceProcedures(ProcedureRegistry& procedures, Database& database) {
    for (const SimpleList& simple : SimpleLists) {
        procedures.add(std::string(simple.procedure), [&database, simple]() -> QWidget* {
            auto* window = new ListWindow(simple.list(), std::make_unique<Context>(database));
            window->setFormCall(formOf(simple.form));
            return window;
        });
        addSelectionList(
            std::string(simple.procedure), [simple](Context& context, QWidget* caller, SelectDone done) {
                ListWindow::call(simple.list(), context, caller, std::move(done), formOf(simple.form));
            });
    }
    addSelectionList("SelectMokBudai", [](Context& context, QWidget* caller, SelectDone done) {
        ListWindow::call(SelectMokBudai(), context, caller, std::move(done));
    });
    // The VAT rates with their codes, which start as the rates in force when the list is first opened.
    procedures.add("BrowsePvmTarif", [&database]() -> QWidget* {
        auto context = std::make_unique<Context>(database);
        primeVatRates(*context);
        auto* window = new ListWindow(BrowsePvmTarif(), std::move(context));
        window->setFormCall(formOf(UpdatePvmTarif));
        return window;
    });
    registerRoomWindows(procedures, database);
    registerServiceWindows(procedures, database);
    registerPayerWindows(procedures, database);
    registerInstitutionSettings(procedures, database);
}

} // namespace nakva
