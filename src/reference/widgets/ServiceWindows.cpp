#include "reference/widgets/ServiceWindows.h"

#include "data/Context.h"
#include "reference/Services.h"
#include "reference/widgets/ListReports.h"
#include "messages/StandardWarnings.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

#include <memory>

namespace nakva {

namespace {

constexpr int WarningNotDefined = 6;

FormResult callServiceForm(Context& context, Request request, QWidget* caller) {
    return FormWindow::call(RedPaslaug(), context, request, caller);
}

// "Paslaugų grupė:" with the group number, its look-up button and the group's name, above the rows of
// the group tab.
QWidget* groupChooser(ListWindow& window) {
    auto* chooser = new QWidget(&window);
    auto* prompt = new QLabel(QStringLiteral("Paslaugų grupė:"), chooser);
    auto* entry = new QLineEdit(chooser);
    auto* button = new QToolButton(chooser);
    auto* name = new QLabel(chooser);
    entry->setObjectName("groupFilter");
    entry->setToolTip(QStringLiteral("Pasirinkti iš sąrašo CtrlDown"));
    prompt->setBuddy(entry);
    button->setObjectName("groupLookUp");
    button->setText(QStringLiteral("…"));
    button->setToolTip(QStringLiteral("Atverčia sarašą reikšmei pasirinkti"));
    button->setFocusPolicy(Qt::NoFocus);
    name->setObjectName("groupName");
    name->setFrameShape(QFrame::StyledPanel);

    ListEngine& engine = window.engine();
    const auto show = [&engine, entry, name] {
        const std::int32_t group = serviceGroup(engine);
        entry->setText(QString::number(group));
        entry->setModified(false);
        name->setText(QString::fromStdString(serviceGroupName(engine.context(), group)));
    };
    const SelectCall choose = [&window](Context& context) {
        return callSelectionList("BrowsePaslGrp", context, &window);
    };
    const auto lookUp = [&engine, entry, choose, show] {
        if (chooseServiceGroup(engine, choose)) {
            show();
        }
        entry->setFocus();
    };
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), entry, lookUp, Qt::WidgetShortcut);
    QObject::connect(button, &QToolButton::clicked, entry, lookUp);
    QObject::connect(entry, &QLineEdit::editingFinished, entry, [&engine, entry, choose, show] {
        if (!entry->isModified()) {
            return;
        }
        entry->setModified(false);
        if (acceptServiceGroup(engine, entry->text().toStdString(), choose)) {
            show();
        } else {
            entry->setFocus(); // a cancelled choice: the typed number stays to be corrected
        }
    });
    show();

    auto* layout = new QHBoxLayout(chooser);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(prompt);
    layout->addWidget(entry);
    layout->addWidget(button);
    layout->addSpacing(6);
    layout->addWidget(name, 1);
    return chooser;
}

// The services list's own commands and its group chooser, in the menu's window and in a selection.
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
                       startListReport(window, "SpPaslSar");
                   }},
                  // The book of the highlighted service runs on the list's own buffers: not a menu procedure.
                  {"Paslaugos knygą", [] {
                       standardWarning(WarningNotDefined, "SpPaslKn");
                   }}};
    window.addCommand(print);

    window.setTabHeader(ServiceGroupTab, groupChooser(window));
}

} // namespace

void registerServiceWindows(ProcedureRegistry& procedures, Database& database) {
    procedures.add("SarPaslaug", [&database]() -> QWidget* {
        auto* window = new ListWindow(SarPaslaug(), std::make_unique<Context>(database));
        window->setFormCall(callServiceForm);
        setUpServiceList(*window);
        return window;
    });
    addSelectionList("SarPaslaug", [](Context& context, QWidget* caller) {
        return ListWindow::call(SarPaslaug(), context, caller, callServiceForm, setUpServiceList);
    });
}

} // namespace nakva
