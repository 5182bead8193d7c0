#include "registration/widgets/PaymentWindows.h"

#include "data/Context.h"
#include "reference/widgets/ListReports.h"
#include "registration/Payments.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/RecordForms.h"
#include "ui/widgets/SelectionLists.h"

#include <memory>
#include <string>

namespace nakva {

namespace {

void callRegistrationPaymentForm(Context& context, Request request, QWidget* caller, FormDone done) {
    FormWindow::call(RedMokej(PaymentVariant::Registration), context, request, caller, std::move(done));
}

void callListPaymentForm(Context& context, Request request, QWidget* caller, FormDone done) {
    FormWindow::call(RedMokej(PaymentVariant::List), context, request, caller, std::move(done));
}

// The print menu with the payment ledgers.
void setUpPaymentList(ListWindow& window) {
    ListCommand print;
    print.name = "printButton";
    print.text = "Spausdinti...";
    print.needsRow = false;
    const std::pair<const char*, const char*> reports[] = {
        {"Einamąjį apmokėjimo žiniaraštį A1", "SpApmZin"},
        {"Einamąjį apmokėjimo žiniaraštį A2", "SpApmZin2"},
    };
    for (const auto& [text, report] : reports) {
        print.menu.push_back({text, [&window, name = std::string(report)] {
                                  startListReport(window, name);
                              }});
    }
    window.addCommand(std::move(print));
}

} // namespace

void registerPaymentWindows(ProcedureRegistry& procedures, Database& database) {
    procedures.add("SarMokej", [&database]() -> QWidget* {
        auto* window = new ListWindow(SarMokej(), std::make_unique<Context>(database));
        window->setFormCall(callListPaymentForm);
        setUpPaymentList(*window);
        return window;
    });
    addRecordForm("RedMokej", callRegistrationPaymentForm);
    addSelectionList("SelectSaskait", [](Context& context, QWidget* caller, SelectDone done) {
        ListWindow::call(SelectSaskait(), context, caller, std::move(done));
    });
}

} // namespace nakva
