#include "registration/widgets/InvoiceLineWindows.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "registration/InvoiceLine.h"
#include "registration/MainServiceLines.h"
#include "registration/Registration.h"
#include "registration/Schedule.h"
#include "ui/FormEngine.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/RecordForms.h"

#include <QFormLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

#include <memory>

namespace nakva {

namespace {

// The rows of the tab: the period starts the schedule's group, which ends after "Lovad.:" with the
// schedule itself; the totals' group follows.
constexpr int PeriodRow = 3;
constexpr int ScheduleRow = 9;
constexpr int ScheduleHeight = 220;
// The invoice lines' list among the registration form's child lists.
constexpr int InvoiceLinesList = 1;

// A group's caption across the tab.
QLabel* caption(const QString& text, QWidget* page) {
    auto* label = new QLabel(text, page);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// What the line form's window adds to the common form and its schedule list: "Suformuoti grafiką",
// the group captions, and the schedule read again whenever the line's own logic may have rebuilt it.
struct LineWindow {
    QPointer<FormWindow> window;
    QPointer<ListWindow> schedule;

    void reload() const {
        if (schedule) {
            schedule->engine().reload();
        }
    }

    void rebuild() const {
        FormEngine* engine = window ? window->engine() : nullptr;
        if (engine == nullptr || !confirmRegeneration()) {
            return;
        }
        if (regenerateSchedule(engine->context(), engine->record())) {
            totalsFromSchedule(engine->context(), engine->record());
        }
        reload();
        window->showRecord();
    }

    void setUp(FormWindow& form) {
        window = &form;
        FormEngine& engine = *form.engine();
        const bool editing = engine.request() == Request::Insert || engine.request() == Request::Change;
        form.lookUpButton(engine.itemOfField(SEI::PasPav.index))
            ->setToolTip(QStringLiteral("Pasirinkti prekę-paslaugą iš sąrašo"));
        form.cancelButton()->setToolTip(QStringLiteral("Nutraukti veiksmą, neišsaugant pakeitimų"));

        schedule = form.childList(0);
        schedule->setObjectName("schedule");
        schedule->setMinimumHeight(ScheduleHeight); // a week of days in sight
        QWidget* page = form.tabPage(0);
        auto* button = new QPushButton(QStringLiteral("Suformuoti grafiką"), page);
        button->setObjectName("scheduleButton");
        button->setToolTip(QStringLiteral("Formuoti grafiką"));
        button->setEnabled(editing);
        QObject::connect(button, &QPushButton::clicked, button, [this] { rebuild(); });
        auto* layout = static_cast<QFormLayout*>(page->layout());
        layout->insertRow(PeriodRow, caption(QStringLiteral("Detalus paslaugos teikimo grafikas:"), page));
        layout->insertRow(PeriodRow + 1, caption(QStringLiteral("Periodas"), page));
        layout->insertRow(ScheduleRow + 1, QString(), button);
        layout->insertRow(ScheduleRow + 3, caption(QStringLiteral("Iš viso:"), page));
    }
};

} // namespace

void callInvoiceLineForm(Context& context, Request request, QWidget* caller, FormDone done) {
    auto line = std::make_shared<LineWindow>();
    FormConfig config = UpdateSaskeil();
    // A service chosen, the dates or the quantity a day accepted may have rebuilt the schedule.
    config.hooks.accepted = [line, accepted = config.hooks.accepted](FormEngine& form, int field) {
        const bool done = accepted(form, field);
        line->reload();
        return done;
    };
    keepingSchedule(
        context, request,
        [&](FormDone answer) {
            FormWindow::call(config, context, request, caller, std::move(answer),
                             [line](FormWindow& form) { line->setUp(form); });
        },
        std::move(done));
}

void callScheduleRowForm(Context& context, Request request, QWidget* caller, FormDone done) {
    FormWindow::call(RedSEilGr(), context, request, caller, std::move(done));
}

void addMainServiceLinesButton(FormWindow& form) {
    QWidget* page = form.tabPage(InvoiceTab);
    auto* button = new QPushButton(QStringLiteral("Automatiškai sukurti pagrindinių paslaugų eilutes"), page);
    button->setObjectName("mainLinesButton");
    FormEngine* engine = form.engine();
    button->setEnabled(engine->request() == Request::Insert || engine->request() == Request::Change);
    QObject::connect(button, &QPushButton::clicked, button, [window = QPointer<FormWindow>(&form)] {
        FormEngine* engine = window ? window->engine() : nullptr;
        if (engine == nullptr) {
            return;
        }
        const Value* price = engine->variables().find(RoomsPriceVariable);
        const auto* roomsPerDay = price != nullptr ? std::get_if<Decimal>(price) : nullptr;
        // As a child form would: the lines count as a change and the registration's totals follow.
        engine->callChild(InvoiceLinesList, [&](FormDone answer) {
            const std::optional<int> created = createMainServiceLines(engine->context(), engine->record(),
                                                                      roomsPerDay ? *roomsPerDay : Decimal());
            answer(FormResult{created && *created > 0 ? Response::Completed : Response::Cancelled});
        });
        window->childList(InvoiceLinesList)->engine().reload();
        window->showRecord();
    });
    static_cast<QFormLayout*>(page->layout())->addRow(QString(), button);
}

void registerInvoiceLineWindows() {
    addRecordForm(std::string(InvoiceLineForm), callInvoiceLineForm);
    addRecordForm(std::string(ScheduleRowForm), callScheduleRowForm);
}

} // namespace nakva
