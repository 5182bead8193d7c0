#include "registration/widgets/RegistrationWindows.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "reference/widgets/ListReports.h"
#include "registration/Registration.h"
#include "registration/RegistrationLists.h"
#include "registration/widgets/InvoiceLineWindows.h"
#include "registration/widgets/PaymentWindows.h"
#include "reports/widgets/ReportWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/RecordForms.h"
#include "ui/widgets/StatusLine.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace nakva {

namespace {

void callRegistrationForm(Context& context, Request request, QWidget* caller, FormDone done) {
    FormWindow::call(RedSaskait(), context, request, caller, std::move(done), addMainServiceLinesButton);
}

void callOccupiedRoomForm(Context& context, Request request, QWidget* caller, FormDone done) {
    FormWindow::call(UpdateSaskKmb(), context, request, caller, std::move(done));
}

// "Rasti sąsk. Nr.:" above the rows of its tab: the number accepted is bound and the list read again
// from the top.
QWidget* invoiceNumberEntry(ListWindow& window) {
    auto* field = new QWidget(&window);
    auto* label = new QLabel(QStringLiteral("Rasti sąsk. Nr.:"), field);
    auto* entry = new QLineEdit(field);
    entry->setObjectName("invoiceNumberFilter");
    label->setBuddy(entry);
    entry->setValidator(new QIntValidator(0, 2147483647, entry));
    // Tied to the window, which lets go of its children's signals as it goes (ChildSignals.h).
    QObject::connect(entry, &QLineEdit::editingFinished, &window, [&window, entry] {
        if (!entry->isModified()) {
            return;
        }
        entry->setModified(false);
        window.engine().variables().set(InvoiceNumberVariable,
                                        Value(std::int64_t(entry->text().toLongLong())));
        window.engine().reload();
    });
    auto* layout = new QHBoxLayout(field);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(entry);
    layout->addStretch(1);
    return field;
}

// "Spausdinti..." with its submenu "Spausdinti" and "Išvyko", below the rows and on the list's own
// toolbar, with Ctrl+P and Ctrl+I.
void setUpRegistrationList(ListWindow& window, bool archive) {
    ListEngine& engine = window.engine();
    ListCommand print;
    print.name = "printButton";
    print.text = "Spausdinti...";
    print.tooltip = archive ? "Spausdinti CTRL+P" : "Spausdinti Ctrl + P";
    print.toolbarTooltip = print.tooltip;
    print.toolbarIcon = ":/registration/print.svg";
    print.shortcut = "Ctrl+P";
    print.needsRow = false;
    print.inPopup = true;
    ListCommandItem reports{"Spausdinti", {}, {}};
    for (const RegistrationReport& report : registrationReports(archive)) {
        // An invoice prints the highlighted registration, on the list's own context; the other reports
        // ask for their period in a window of their own.
        std::function<void()> run;
        if (report.report.starts_with("SpDidSask")) {
            run = [&window, &engine, name = report.report] {
                if (engine.regetCurrent() == StoreStatus::Ok) {
                    runCatalogReport(name, engine.context(), &window);
                }
            };
        } else if (!report.report.empty()) {
            run = [&window, name = report.report] {
                startListReport(window, name);
            };
        }
        reports.items.push_back({report.text, run, {}});
    }
    print.menu = {reports};
    window.addCommand(print);

    ListCommand departure;
    departure.name = "departureButton";
    departure.text = "Išvyko";
    departure.tooltip =
        archive ? "Pažymėti/anuliuoti išvykimą CTRL+I" : "Pažymėti išvykimą, perkelti įrašą į archyvą CTRL+I";
    departure.toolbarTooltip = archive ? "Pažymėti /anuliuoti išvykimą CTRL+I" : departure.tooltip;
    departure.toolbarIcon = ":/registration/departure.svg";
    departure.shortcut = "Ctrl+I";
    departure.run = [&engine, &window] {
        if (engine.regetCurrent() == StoreStatus::Ok) {
            Table& registrations = engine.context().table(TableId::Saskait);
            const DepartureResult result = switchDeparture(registrations);
            showStatus(&window, departureStatus(result, registrations.record()));
        }
        engine.refresh();
    };
    window.addCommand(departure);

    if (archive) {
        window.changeButton()->setText(QStringLiteral("Taisyti"));
    } else {
        window.setTabHeader(CurrentInvoiceNumberTab, invoiceNumberEntry(window));
    }
}

void addList(ProcedureRegistry& procedures, Database& database, const char* name, ListConfig (*config)(),
             bool archive) {
    procedures.add(name, [&database, config, archive]() -> QWidget* {
        auto* window = new ListWindow(config(), std::make_unique<Context>(database));
        window->setFormCall(callRegistrationForm);
        setUpRegistrationList(*window, archive);
        return window;
    });
}

} // namespace

void registerRegistrationProcedures(ProcedureRegistry& procedures, Database& database) {
    addList(procedures, database, "SarSaskait", SarSaskait, false);
    addList(procedures, database, "SarSaskaitVisi", SarSaskaitVisi, true);
    addRecordForm("RedSaskait", callRegistrationForm);
    addRecordForm("UpdateSaskKmb", callOccupiedRoomForm);
    registerInvoiceLineWindows();
    registerPaymentWindows(procedures, database);
}

} // namespace nakva
