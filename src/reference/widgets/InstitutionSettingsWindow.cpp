#include "reference/widgets/InstitutionSettingsWindow.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "reference/InstitutionSettings.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/FormEngine.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <QFormLayout>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace nakva {

namespace {

// What the settings window owns: its procedure context with the IstgPar table open on it, and the
// form engine there. A child of the window, so that they go with it, the engine first.
class SettingsForm : public QObject {
public:
    explicit SettingsForm(Database& database)
        : context(std::make_unique<Context>(database)), settings(context->table(TableId::IstgPar)) {
        settings.open();
    }
    ~SettingsForm() override {
        engine.reset();
        settings.close();
    }

    std::unique_ptr<Context> context;
    Table& settings;
    std::unique_ptr<FormEngine> engine;
    QPointer<FormWindow> window;
};

// A window that closes as soon as it is shown: the menu's frame closes with it.
QWidget* closedAtOnce() {
    auto* nothing = new QWidget;
    QTimer::singleShot(0, nothing, &QObject::deleteLater);
    return nothing;
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// A group's caption on its own row above the field's row.
void groupCaption(FormWindow& window, const FormEngine& engine, int field, const QString& text) {
    const int item = engine.itemOfField(field);
    QWidget* page = window.tabPage(engine.item(item).tab);
    auto* layout = static_cast<QFormLayout*>(page->layout());
    int row = -1;
    QFormLayout::ItemRole role{};
    // A field with a look-up button stands in a row widget of its own.
    for (QWidget* widget = window.itemWidget(item); widget != nullptr && widget != page && row < 0;
         widget = widget->parentWidget()) {
        layout->getWidgetPosition(widget, &row, &role);
    }
    layout->insertRow(row, caption(text, page));
}

} // namespace

QWidget* openInstitutionSettings(Database& database, Request request) {
    if (!institutionSettingsRequestAllowed(request)) {
        return closedAtOnce();
    }
    auto form = std::make_unique<SettingsForm>(database);
    if (readInstitutionSettings(form->settings) != StoreStatus::Ok) {
        return closedAtOnce();
    }
    SettingsForm* owner = form.get();
    form->engine = std::make_unique<FormEngine>(
        RedIstgPar(), *form->context, [owner](const FormLookUp& lookUp, Context& context, SelectDone done) {
            callSelectionList(lookUp.list, context, owner->window, std::move(done));
        });
    form->engine->open(Request::Change); // a change always opens its window

    auto* window = new FormWindow(*form->engine);
    form->window = window;
    form.release()->setParent(window);
    window->setWindowTitle(QString::fromUtf8(InstitutionSettingsTitle));
    static_cast<QVBoxLayout*>(window->layout())
        ->insertWidget(0, caption(QStringLiteral("ĮSTAIGOS DUOMENYS, NUSTATYMAI"), window));
    groupCaption(*window, *owner->engine, IST::APGYVENDINIMOPASPAV.index,
                 QStringLiteral("Pagrindinės paslaugos (nustatytosios):"));
    groupCaption(*window, *owner->engine, IST::PAR1.index, QStringLiteral("Parašai sąskaitoje-faktūroje:"));

    // A cancelled form puts back the record as it opened, which another window of this program may
    // have saved over meanwhile: every window opened afterwards sees the stored record.
    QObject::connect(window, &FormWindow::finished, owner,
                     [owner] { readInstitutionSettings(owner->settings); });
    return window;
}

void registerInstitutionSettings(ProcedureRegistry& procedures, Database& database) {
    procedures.add("RedIstgPar", [&database] { return openInstitutionSettings(database, Request::Change); });
}

} // namespace nakva
