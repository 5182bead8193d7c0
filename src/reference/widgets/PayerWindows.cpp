#include "reference/widgets/PayerWindows.h"

#include "data/Context.h"
#include "reference/Payers.h"
#include "reference/widgets/ListReports.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <QPushButton>

#include <memory>
#include <string>

namespace nakva {

namespace {

void callPayerForm(Context& context, Request request, QWidget* caller, FormDone done) {
    FormWindow::call(UpdateKlient(), context, request, caller, std::move(done),
                     [](FormWindow& form) { form.setToolTip(QStringLiteral("Kliento redagavimas")); });
}

// "Kopijuoti" and "Spausdinti..." of the payers list.
void addPayerCommands(ListWindow& window) {
    window.setToolTip(QStringLiteral("Klientų sąrašas"));
    ListCommand copy;
    copy.name = "copyButton";
    copy.text = "Kopijuoti";
    copy.tooltip = "Kopijuoti įrašą";
    // The list only positions itself on the copy, which "Keisti" then changes.
    copy.run = [&window] {
        window.engine().copyCurrent(copyKlient, false);
    };
    window.addCommand(std::move(copy));

    ListCommand print;
    print.name = "printButton";
    print.text = "Spausdinti...";
    print.needsRow = false;
    for (const PayerReport& report : payerReports()) {
        print.menu.push_back({report.text, [&window, name = report.report] {
                                  printFromList(window, name);
                              }});
    }
    window.addCommand(std::move(print));
}

// `SelectKlient` names the payer form's buttons its own way.
void captionSelectKlient(ListWindow& window) {
    window.insertButton()->setText(QStringLiteral("Sukurti"));
    window.changeButton()->setText(QStringLiteral("Taisyti"));
    window.deleteButton()->setText(QStringLiteral("Naikinti"));
}

} // namespace

void registerPayerWindows(ProcedureRegistry& procedures, Database& database) {
    procedures.add("SarKlient", [&database]() -> QWidget* {
        auto* window = new ListWindow(SarKlient(), std::make_unique<Context>(database));
        window->setFormCall(callPayerForm);
        addPayerCommands(*window);
        return window;
    });
    addSelectionList("SarKlient", [](Context& context, QWidget* caller, SelectDone done) {
        ListWindow::call(SarKlient(), context, caller, std::move(done), callPayerForm, addPayerCommands);
    });
    addSelectionList("SelectKlient", [](Context& context, QWidget* caller, SelectDone done) {
        ListWindow::call(SelectKlient(), context, caller, std::move(done), callPayerForm,
                         captionSelectKlient);
    });
}

} // namespace nakva
