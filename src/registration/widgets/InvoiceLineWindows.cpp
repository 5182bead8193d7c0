#include "registration/widgets/InvoiceLineWindows.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "registration/InvoiceLine.h"
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

QString title(Request request) {
    switch (request) {
    case Request::Insert:
        return QStringLiteral("Kuriama nauja sąskaitos eilutė");
    case Request::Change:
        return QStringLiteral("Taisoma sąskaitos eilutė");
    default:
        return QStringLiteral("View Record");
    }
}

// A group's caption across the tab.
QLabel* caption(const QString& text, QWidget* page) {
    auto* label = new QLabel(text, page);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// What the line form's window adds to the common form: the schedule list of the line with its row
// form, and "Suformuoti grafiką". The list is read again whenever the line's own logic may have
// rebuilt the schedule.
struct LineWindow {
    FormEngine* engine = nullptr;
    QPointer<FormWindow> window;
    QPointer<ListWindow> schedule;

    void reload() const {
        if (schedule) {
            schedule->engine().reload();
        }
    }
    void showTotals() const {
        if (window) {
            window->showRecord();
        }
    }

    // A schedule row's form, with the line as edited so far in its buffer; the line's totals follow
    // the rows afterwards.
    FormResult rowForm(Context& context, Request request, QWidget* caller) const {
        context.table(TableId::Saskeil).record() = engine->record();
        const FormResult result = callScheduleRowForm(context, request, caller);
        totalsFromSchedule(context, engine->record());
        showTotals();
        return result;
    }

    void rebuild() const {
        if (!confirmRegeneration()) {
            return;
        }
        if (regenerateSchedule(engine->context(), engine->record())) {
            totalsFromSchedule(engine->context(), engine->record());
        }
        reload();
        showTotals();
    }

    void setUp(FormWindow& form) {
        window = &form;
        const Request request = engine->request();
        form.setWindowTitle(title(request));
        form.lookUpButton(engine->itemOfField(SEI::PasPav.index))
            ->setToolTip(QStringLiteral("Pasirinkti prekę-paslaugą iš sąrašo"));
        form.cancelButton()->setToolTip(QStringLiteral("Nutraukti veiksmą, neišsaugant pakeitimų"));

        const bool editing = request == Request::Insert || request == Request::Change;
        ListConfig config = scheduleList();
        const std::int64_t line = engine->record().get(SEI::SEILID);
        config.bind = [line](Variables& variables) {
            variables.set(ScheduleLineVariable, line);
        };
        Context& context = engine->context();
        QWidget* page = form.tabPage(0);
        schedule = new ListWindow(config, context, Request::None, page, true);
        schedule->setObjectName("schedule");
        schedule->setMinimumHeight(ScheduleHeight); // a week of days in sight
        if (editing) {
            schedule->setFormCall(
                [this](Context& on, Request row, QWidget* caller) { return rowForm(on, row, caller); });
        }
        auto* button = new QPushButton(QStringLiteral("Suformuoti grafiką"), page);
        button->setObjectName("scheduleButton");
        button->setToolTip(QStringLiteral("Formuoti grafiką"));
        button->setEnabled(editing);
        QObject::connect(button, &QPushButton::clicked, button, [this] { rebuild(); });
        auto* layout = static_cast<QFormLayout*>(page->layout());
        layout->insertRow(PeriodRow, caption(QStringLiteral("Detalus paslaugos teikimo grafikas:"), page));
        layout->insertRow(PeriodRow + 1, caption(QStringLiteral("Periodas"), page));
        layout->insertRow(ScheduleRow + 1, QString(), button);
        layout->insertRow(ScheduleRow + 2, QString(), schedule);
        layout->insertRow(ScheduleRow + 3, caption(QStringLiteral("Iš viso:"), page));
    }
};

} // namespace

FormResult callInvoiceLineForm(Context& context, Request request, QWidget* caller) {
    auto line = std::make_shared<LineWindow>();
    FormConfig config = UpdateSaskeil();
    config.hooks.opened = [line, opened = config.hooks.opened](FormEngine& form) {
        line->engine = &form;
        if (opened) {
            opened(form);
        }
    };
    // A service chosen, the dates or the quantity a day accepted may have rebuilt the schedule.
    config.hooks.accepted = [line, accepted = config.hooks.accepted](FormEngine& form, int field) {
        const bool done = accepted(form, field);
        line->reload();
        return done;
    };
    return keepingSchedule(context, request, [&] {
        return FormWindow::call(config, context, request, caller,
                                [line](FormWindow& form) { line->setUp(form); });
    });
}

FormResult callScheduleRowForm(Context& context, Request request, QWidget* caller) {
    return FormWindow::call(RedSEilGr(), context, request, caller);
}

void registerInvoiceLineWindows() {
    addRecordForm(std::string(InvoiceLineForm), callInvoiceLineForm);
    addRecordForm(std::string(ScheduleRowForm), callScheduleRowForm);
}

} // namespace nakva
