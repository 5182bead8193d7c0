#include "registration/InvoiceLine.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/Vat.h"
#include "messages/Message.h"
#include "messages/StandardWarnings.h"
#include "registration/Schedule.h"
#include "ui/FormEngine.h"

namespace nakva {

namespace {

constexpr int ScheduleListRow = 8;

const Decimal HighestRate = *Decimal::parse("999.99");

// The names the messages give the line's fields, as the form's prompts say them.
std::string fieldName(int field) {
    switch (field) {
    case SEI::KIEKISPERDIENA.index:
        return "Paslaugų kiekis per parą";
    case SEI::GYVENALOVADIENIU.index:
        return "Lovad.";
    case SEI::KAINA.index:
        return "Paslaugos kaina su PVM";
    case SEI::KIEKIS.index:
        return "Visas paslaugų kiekis";
    case SEI::SUMA.index:
        return "Visa suma su PVM";
    case SEI::PVMPROC.index:
        return "PVM %";
    case SEI::PVMSUMA.index:
        return "Tame skaičiuje PVM suma";
    case SEI::SUMABEPVM.index:
        return "Suma be PVM";
    default:
        return std::string(Dictionary::instance().table(TableId::Saskeil).fields[std::size_t(field)].name);
    }
}

// The values of one step, set together on a copy: the line takes them only when every one fits.
class Step {
public:
    explicit Step(const Record& line) : next_(line) {}

    Record& next() { return next_; }
    template <typename F, typename V> void set(F field, const V& value) {
        if (!failed_.ok()) {
            return;
        }
        if (const SetResult result = next_.setValue(field.index, Value(value)); !result) {
            failed_.error = fieldName(field.index) + ": " + result.error;
        }
    }
    void fail(std::string error) {
        if (failed_.ok()) {
            failed_.error = std::move(error);
        }
    }
    SetResult commitTo(Record& line) {
        if (failed_.ok()) {
            line = next_;
        }
        return failed_;
    }

private:
    Record next_;
    SetResult failed_;
};

// The split of the step's amount at the step's rate, into the step.
void split(Step& step) {
    const Record& line = step.next();
    const std::optional<Decimal> without = vat::withoutVat(line.get(SEI::SUMA), line.get(SEI::PVMPROC));
    if (!without) {
        step.fail(fieldName(SEI::PVMPROC.index) + ": prie " + line.get(SEI::PVMPROC).toString() +
                  " % suma be PVM neapskaičiuojama.");
        return;
    }
    step.set(SEI::SUMABEPVM, *without);
    step.set(SEI::PVMSUMA, line.get(SEI::SUMA) - step.next().get(SEI::SUMABEPVM));
}

Decimal amountOf(const Record& line) {
    return line.get(SEI::KAINA) * line.get(SEI::KIEKIS);
}

} // namespace

StayValues stayOf(const Record& registration) {
    return {registration.get(SAS::GyvenaNuo), registration.get(SAS::GyvenaIki),
            registration.get(SAS::GYVENTOJUSKC)};
}

void defaultPeriod(Record& line, const StayValues& stay) {
    if (line.get(SEI::GYVENANUO) != NoDate && line.get(SEI::GYVENAIKI) != NoDate) {
        return;
    }
    line.set(SEI::GYVENANUO, stay.arrival);
    line.set(SEI::GYVENAIKI, std::max(stay.departure - 1, stay.arrival));
}

std::int32_t quantityPerDay(std::string_view unit, std::int32_t residents) {
    const std::string_view shown = trimRight(unit);
    return shown == "ŽMN." || shown == "LOVAD." ? residents : 1;
}

SetResult splitVat(Record& line) {
    Step step(line);
    split(step);
    return step.commitTo(line);
}

SetResult amountFromQuantity(Record& line) {
    if (line.get(SEI::KIEKIS).isZero() || line.get(SEI::KAINA).isZero()) {
        return {};
    }
    Step step(line);
    step.set(SEI::SUMA, amountOf(line));
    split(step);
    return step.commitTo(line);
}

SetResult priceFromAmount(Record& line) {
    Step step(line);
    if (!line.get(SEI::KIEKIS).isZero()) {
        step.set(SEI::KAINA, line.get(SEI::SUMA) / line.get(SEI::KIEKIS));
    }
    split(step);
    return step.commitTo(line);
}

SetResult rateFromVat(Record& line) {
    Step step(line);
    const Decimal& amount = line.get(SEI::SUMA);
    const Decimal& vatAmount = line.get(SEI::PVMSUMA);
    step.set(SEI::SUMABEPVM, amount - vatAmount);
    if (vat::rateFits(line.get(SEI::PVMPROC), amount, vatAmount)) {
        return step.commitTo(line); // the rate it was priced at
    }
    if (const std::optional<Decimal> rate = vat::impliedRate(amount, vatAmount)) {
        if (*rate < Decimal(0) || *rate > HighestRate) {
            step.fail(fieldName(SEI::PVMPROC.index) + ": " + rate->toString() +
                      " netinka, PVM procentas turi būti tarp 0 ir 999.99.");
        }
        step.set(SEI::PVMPROC, *rate);
    }
    return step.commitTo(line);
}

SetResult scheduleTotals(Record& line, const std::vector<ScheduleDay>& rows) {
    Step step(line);
    Decimal quantity;
    Date first = NoDate;
    Date last = NoDate;
    for (const ScheduleDay& row : rows) {
        quantity += row.quantity;
        first = first == NoDate ? row.day : std::min(first, row.day);
        last = std::max(last, row.day);
    }
    const auto days = std::int64_t(rows.size());
    step.set(SEI::GYVENAPARU, days);
    step.set(SEI::KIEKIS, quantity);
    step.set(SEI::KIEKISPERDIENA, days == 0 ? Decimal(0) : step.next().get(SEI::KIEKIS) / Decimal(days));
    step.set(SEI::GYVENALOVADIENIU, days * std::int64_t(line.get(SEI::GYVENTOJUSKC)));
    step.set(SEI::GYVENANUO, std::int64_t(first));
    step.set(SEI::GYVENAIKI, std::int64_t(last));
    step.set(SEI::SUMA, amountOf(step.next()));
    split(step);
    return step.commitTo(line);
}

SetResult takeService(Record& line, const Record& service, const StayValues& stay) {
    Step step(line);
    step.set(SEI::PASPAV1, service.get(PAS::PAV1));
    step.set(SEI::MATVNT, service.get(PAS::MATVNT));
    step.set(SEI::GYVENTOJUSKC, std::int64_t(stay.residents));
    const std::int64_t days = std::int64_t(line.get(SEI::GYVENAIKI)) - line.get(SEI::GYVENANUO);
    step.set(SEI::GYVENAPARU, days);
    step.set(SEI::GYVENALOVADIENIU, days * stay.residents);
    step.set(SEI::KIEKISPERDIENA, Decimal(quantityPerDay(service.get(PAS::MATVNT), stay.residents)));
    return step.commitTo(line);
}

SetResult applyServicePrice(Record& line, const Record& service) {
    Step step(line);
    step.set(SEI::KAINA, service.get(PAS::KAINSUPVM));
    step.set(SEI::PVMPROC, service.get(PAS::PVMPROC));
    step.set(SEI::SUMA, amountOf(step.next()));
    split(step);
    return step.commitTo(line);
}

void showRefusal(std::string_view what, const SetResult& result) {
    if (result.ok()) {
        return;
    }
    MessageRequest request;
    request.text = what.empty() ? result.error : std::string(what) + ": " + result.error;
    request.title = "Negeras lauko turinys";
    request.icon = MessageIcon::Information;
    showMessage(request);
}

namespace {

Record& registrationOf(FormEngine& form) {
    return form.context().table(TableId::Saskait).record();
}

// The period's dates in order: the last day not before the first. The message names the field
// accepted, the last day's with " !".
bool periodInOrder(FormEngine& form, int field) {
    const Record& line = form.record();
    if (line.get(SEI::GYVENAIKI) >= line.get(SEI::GYVENANUO)) {
        return true;
    }
    MessageRequest request;
    request.text = "Galutinė data negali būti ankstesnė už pradinę datą";
    if (field == SEI::GYVENAIKI.index) {
        request.text += " !";
    }
    request.title = "DĖMESIO!";
    request.icon = MessageIcon::Exclamation;
    request.buttons = ButtonOk;
    showMessage(request);
    return false;
}

// The schedule built again from the form's line, and the line's totals from it.
void rebuildSchedule(FormEngine& form) {
    if (regenerateSchedule(form.context(), form.record())) {
        totalsFromSchedule(form.context(), form.record());
    }
}

// A service chosen: its names and unit, the stay's days, the quantity a day, the schedule for the
// period with its totals, then the service's price and rate and the amount at that price.
void chooseService(FormEngine& form) {
    Record& line = form.record();
    if (trimRight(line.get(SEI::PasPav)).empty()) {
        return;
    }
    const Record service = form.context().table(TableId::Paslaug).record();
    if (const SetResult taken = takeService(line, service, stayOf(registrationOf(form))); !taken) {
        showRefusal({}, taken);
        return;
    }
    rebuildSchedule(form);
    showRefusal({}, applyServicePrice(line, service));
}

// A new line, and a line whose period was never set: the nights of the registration as edited so far.
void primeLine(FormEngine& form) {
    defaultPeriod(form.record(), stayOf(registrationOf(form)));
}

void lineOpened(FormEngine& form) {
    if (form.request() == Request::Change) {
        defaultPeriod(form.record(), stayOf(registrationOf(form)));
    }
}

bool lineFieldChecked(FormEngine& form, int field) {
    if (field == SEI::GYVENANUO.index || field == SEI::GYVENAIKI.index) {
        return periodInOrder(form, field);
    }
    if (field == SEI::PVMSUMA.index) {
        // Also in the final check: a saved line carries the rate its rounded amounts imply.
        const SetResult result = rateFromVat(form.record());
        showRefusal({}, result);
        return result.ok();
    }
    return true;
}

bool lineFieldAccepted(FormEngine& form, int field) {
    Record& line = form.record();
    SetResult result;
    switch (field) {
    case SEI::PasPav.index:
        chooseService(form);
        return true;
    case SEI::KIEKIS.index:
    case SEI::KAINA.index:
        result = amountFromQuantity(line);
        break;
    case SEI::SUMA.index:
        result = priceFromAmount(line);
        break;
    case SEI::PVMPROC.index:
        result = splitVat(line);
        break;
    case SEI::GYVENANUO.index:
    case SEI::GYVENAIKI.index:
    case SEI::KIEKISPERDIENA.index:
        if (confirmRegeneration()) {
            rebuildSchedule(form);
        }
        return true;
    default:
        return true;
    }
    showRefusal({}, result);
    return result.ok();
}

} // namespace

FormConfig UpdateSaskeil() {
    FormConfig config;
    config.name = std::string(InvoiceLineForm);
    config.helpTopic = config.name;
    config.caption = "SĄSKAITOS EILUTĖ: PASLAUGOS KAINOS SKAIČIAVIMAS";
    config.tabs = {"Sąskaitos eilutė"};
    config.table = TableId::Saskeil;
    config.historyKey = 'K';

    FormField service("Paslauga:", SEI::PasPav.index, "Paslaugos pavadinimas");
    service.lookUp = FormLookUp(TableId::Paslaug, PAS::Pav.index, PAS::PASLKEY.index, "SarPaslaug");
    // The rate of a line is a percentage: at -100 its amount without VAT could not be computed.
    FormField vat("PVM %:", SEI::PVMPROC.index);
    vat.minimum = Decimal(0);
    vat.maximum = HighestRate;
    config.fields = {
        service,
        {"", SEI::PASPAV1.index},
        {"Mato vienetai:", SEI::MATVNT.index},
        {"Nuo", SEI::GYVENANUO.index},
        {"Iki", SEI::GYVENAIKI.index},
        {"Paslaugų kiekis per parą:", SEI::KIEKISPERDIENA.index},
        {"Parų:", SEI::GYVENAPARU.index},
        {"Lovad.:", SEI::GYVENALOVADIENIU.index},
        {"Visas paslaugų kiekis:", SEI::KIEKIS.index},
        {"Paslaugos kaina su PVM:", SEI::KAINA.index},
        {"Visa suma su PVM:", SEI::SUMA.index},
        {"Tame skaičiuje PVM suma:", SEI::PVMSUMA.index},
        vat,
    };
    config.keyNames = {{SEI::ID_KEY.index, "Pagal ID"},
                       {SEI::INRKEY.index, "Pagal registracijos įrašo Nr"},
                       {SEI::PASLKEY.index, "Pagal paslaugas"}};
    config.insertTitle = "Kuriama nauja sąskaitos eilutė";
    config.changeTitle = "Taisoma sąskaitos eilutė";
    // The line's days, after "Lovad.:"; a row saved or deleted there recomputes the line's totals.
    config.children = {{scheduleList(), std::string(ScheduleLineVariable), SEI::SEILID.index,
                        std::string(ScheduleRowForm), 0, ScheduleListRow, [](FormEngine& form) {
                            totalsFromSchedule(form.context(), form.record());
                        }}};
    config.saveTooltip = "Išsaugoti pakeitimus ir baigti";
    config.hooks.prime = primeLine;
    config.hooks.opened = lineOpened;
    config.hooks.check = lineFieldChecked;
    config.hooks.accepted = lineFieldAccepted;
    return config;
}

} // namespace nakva
