#include "registration/widgets/PaymentWindows.h"

#include "data/Context.h"
#include "reference/widgets/ListReports.h"
#include "registration/Payments.h"
#include "registration/widgets/TabFilterEntry.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/RecordForms.h"
#include "ui/widgets/SelectionLists.h"

#include <memory>
#include <string>
#include <variant>

namespace nakva {

namespace {

FormResult callRegistrationPaymentForm(Context& context, Request request, QWidget* caller) {
    return FormWindow::call(RedMokej(PaymentVariant::Registration), context, request, caller);
}

FormResult callListPaymentForm(Context& context, Request request, QWidget* caller) {
    return FormWindow::call(RedMokej(PaymentVariant::List), context, request, caller);
}

std::string payerNamed(Context& context, const Value& code) {
    const auto* text = std::get_if<std::string>(&code);
    return text != nullptr ? payerName(context, *text) : std::string();
}

// The payer and payment method chosen on their tabs, and the print menu with the payment ledgers.
void setUpPaymentList(ListWindow& window) {
    window.setTabHeader(PaymentPayerTab, filterEntry(window, QStringLiteral("Mokėtojas:"), "payerFilter",
                                                     PaymentPayerVariable, false, payerNamed));
    window.setTabHeader(PaymentMethodTab,
                        filterEntry(window, QStringLiteral("Mokėjimo būdas:"), "methodFilter",
                                    PaymentMethodVariable, true, [](Context& context, const Value& method) {
                                        const auto* number = std::get_if<std::int64_t>(&method);
                                        return number != nullptr ? methodName(context, std::int32_t(*number))
                                                                 : std::string();
                                    }));
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

void setUpInvoiceSelection(ListWindow& window) {
    window.setTabHeader(InvoicePayerTab, filterEntry(window, QStringLiteral("Mokėtojo kodas:"), "payerFilter",
                                                     InvoicePayerVariable, false, payerNamed));
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
    addSelectionList("SelectSaskait", [](Context& context, QWidget* caller) {
        return ListWindow::call(SelectSaskait(), context, caller, {}, setUpInvoiceSelection);
    });
}

} // namespace nakva
