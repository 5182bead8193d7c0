#include "registration/Payments.h"
#include "registration/Registration.h"

#include "data/Collation.h"
#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Text.h"
#include "messages/StandardWarnings.h"
#include "shell/Globals.h"
#include "ui/FormEngine.h"
#include "ui/SeriesNumber.h"

namespace nakva {

namespace {

constexpr int WarningRecordRetrieval = 35;

// The document number the series rule gave last; 0 once the user typed one.
constexpr std::string_view AutomaticNumberVariable = "LOC:AutoMOKNR";

// The registration the payment is for (MOK:SaskIrasoNr): as the registration form holds it when the
// payment is its child (its edited values stand in the buffer), otherwise as stored; blank when there
// is none. Never whatever registration the buffer holds for another window.
Record registrationOf(FormEngine& form) {
    const std::int32_t number = form.record().get(MOK::SaskIrasoNr);
    const Record& buffer = form.context().table(TableId::Saskait).record();
    if (number != 0 && buffer.get(SAS::IrasoNr) == number) {
        return buffer;
    }
    Record found(TableId::Saskait);
    if (number == 0) {
        return found;
    }
    Table registrations(form.context(), TableId::Saskait, false);
    registrations.open();
    registrations.record().set(SAS::IrasoNr, number);
    const StoreStatus status = registrations.getByKey(SAS::IRASONRKEY);
    if (status == StoreStatus::Ok) {
        found = registrations.record();
    } else if (status != StoreStatus::NotFound) {
        standardWarning(WarningRecordRetrieval, "Saskait");
    }
    registrations.close();
    return found;
}

// The series rule; a number it gives counts as given automatically, but not a changed payment's own
// number given back with its own series.
void numberDocument(FormEngine& form) {
    const bool own =
        form.request() == Request::Change && form.record().sameValue(form.openingCopy(), MOK::MOKSER.index);
    const std::optional<std::int32_t> number = numberInSeries(form, MOK::MOKSERNRKEY.index);
    form.variables().set(AutomaticNumberVariable, std::int64_t(own ? 0 : number.value_or(0)));
}

// A new payment only: the working date, the next document number of the blank series and, from the
// registration form, the registration's payer and invoice total.
void primePayment(FormEngine& form, PaymentVariant variant) {
    Record& payment = form.record();
    if (payment.get(MOK::MokDt) == NoDate) {
        payment.set(MOK::MokDt, glo().EINDT);
    }
    if (variant == PaymentVariant::Registration) {
        const Record registration = registrationOf(form);
        if (trimRight(payment.get(MOK::MokKod)).empty()) {
            (void)payment.set(MOK::MokKod, registration.get(SAS::KliKod));
        }
        if (payment.get(MOK::MOKSUMA).isZero()) {
            (void)payment.set(MOK::MOKSUMA, registration.get(SAS::BSUMASUPVM));
        }
    }
    numberDocument(form);
}

bool paymentFieldAccepted(FormEngine& form, int field) {
    if (field == MOK::MOKSER.index) {
        numberDocument(form);
    } else if (field == MOK::MOKNR.index) {
        form.variables().set(AutomaticNumberVariable, std::int64_t(0));
    } else if (field == MOK::SaskIrasoNr.index) {
        (void)form.record().set(MOK::MOKSUMA, registrationOf(form).get(SAS::BSUMASUPVM));
    }
    return true;
}

void paymentFieldFocused(FormEngine& form, int field) {
    Record& payment = form.record();
    if (field != MOK::KOMENTARAI.index || !trimRight(payment.get(MOK::KOMENTARAI)).empty()) {
        return;
    }
    const Record registration = registrationOf(form);
    if (registration.get(SAS::IrasoNr) == 0) {
        return;
    }
    (void)payment.set(MOK::KOMENTARAI,
                      paymentComment(registration.get(SAS::SaskSer), registration.get(SAS::SaskNr),
                                     registration.get(SAS::SaskDt)));
}

// Whether another payment holds the form's document number in exactly the form's series. The key
// ignores letter case, so every series equal to it in any case is walked. Nothing after a read error
// (shown).
std::optional<bool> numberTaken(FormEngine& form) {
    const Record& payment = form.record();
    Table others(form.context(), TableId::Mokej, false);
    others.open();
    (void)others.record().set(MOK::MOKSER, payment.get(MOK::MOKSER));
    others.record().set(MOK::MOKNR, payment.get(MOK::MOKNR));
    StoreStatus status = others.setToKeyValue(MOK::MOKSERNRKEY);
    std::optional<bool> taken = false;
    while (status == StoreStatus::Ok && (status = others.next()) == StoreStatus::Ok) {
        const Record& other = others.record();
        if (compareNoCase(other.get(MOK::MOKSER), payment.get(MOK::MOKSER)) != 0 ||
            other.get(MOK::MOKNR) != payment.get(MOK::MOKNR)) {
            break;
        }
        if (other.sameValue(payment, MOK::MOKSER.index) && !others.position().sameRecord(form.position())) {
            taken = true;
            break;
        }
    }
    if (status != StoreStatus::Ok && status != StoreStatus::EndOfData) {
        standardWarning(WarningRecordRetrieval, "Mokej");
        taken.reset();
    }
    others.close();
    return taken;
}

// Inside the save's transaction: a number the rule gave that another station has taken since moves
// on to the next one of the series. A number the user typed is written as typed.
bool movePaymentNumber(FormEngine& form) {
    const Value* automatic = form.variables().find(AutomaticNumberVariable);
    const std::int32_t number = form.record().get(MOK::MOKNR);
    if (automatic == nullptr || number == 0 || *automatic != Value(std::int64_t(number))) {
        return true;
    }
    const std::optional<bool> taken = numberTaken(form);
    if (!taken) {
        return false;
    }
    if (*taken) {
        numberDocument(form);
        if (form.record().get(MOK::MOKNR) == number) {
            showFieldMessage("Nr.: serijoje nebėra laisvo numerio.");
            form.focusField(MOK::MOKNR.index);
            return false;
        }
    }
    return true;
}

// The invoice of the payment's registration: series, number, date, total with VAT and payer.
std::string invoiceText(FormEngine& form) {
    const Record registration = registrationOf(form);
    if (registration.get(SAS::IrasoNr) == 0) {
        return {};
    }
    std::string text = "Sąsk. " + std::string(trimRight(registration.get(SAS::SaskSer))) + " " +
                       std::to_string(registration.get(SAS::SaskNr)) + ", " +
                       formatDate(registration.get(SAS::SaskDt)) + ", su PVM " +
                       registration.get(SAS::BSUMASUPVM).toString(2);
    if (const std::string_view payer = trimRight(registration.get(SAS::KliKod)); !payer.empty()) {
        text += ", " + std::string(payer);
    }
    return text;
}

ListColumn column(std::string heading, std::string field, int width, ColumnAlign align, Picture picture) {
    return ListColumn::of(std::move(heading), std::move(field), width, align, picture);
}

// A payer chosen on a tab in SelectKlient, its name beside.
TabSelector payerSelector(std::string_view variable, std::string prompt) {
    return TabSelector{
        .name = "payer",
        .prompt = std::move(prompt),
        .variable = std::string(variable),
        .lookUp = {TableId::Klient, KLI::Kod.index, KLI::KODKEY.index, "SelectKlient"},
        .beside = [](Context& context, const Value& code) -> std::vector<std::string> {
            const auto* text = std::get_if<std::string>(&code);
            return {text != nullptr ? payerName(context, *text) : std::string()};
        },
        .remembered = false,
    };
}

SortTab tab(std::string text, std::string order, std::string filter = {}) {
    SortTab made;
    made.text = std::move(text);
    made.order = std::move(order);
    made.filter = std::move(filter);
    return made;
}

} // namespace

std::string methodName(Context& context, std::int32_t method) {
    if (method == 0) {
        return {};
    }
    Table methods(context, TableId::MokBudai, false);
    methods.open();
    methods.record().set(MOK1::MokBudoID, method);
    std::string name;
    if (methods.getByKey(MOK1::MOKBUDOIDKEY) == StoreStatus::Ok) {
        name = methods.record().get(MOK1::MOKBUDOPAV);
    }
    methods.close();
    return name;
}

std::string paymentComment(std::string_view series, std::int32_t number, Date date) {
    return "Apmokėjimas už paslaugas pagal sąskaitą " + std::string(trimRight(series)) + " " +
           std::to_string(number) + " " + formatDate(date) + ".";
}

FormConfig RedMokej(PaymentVariant variant) {
    const bool fromList = variant == PaymentVariant::List;
    FormConfig config;
    config.name = "RedMokej";
    config.helpTopic = config.name;
    config.caption = "MOKĖJIMO ĮRAŠAS";
    config.table = TableId::Mokej;

    FormField number("Įrašo Nr:", MOK::IrasoNr.index);
    number.readOnly = true;
    number.history = false;
    FormField payer("Mokėtojas:", MOK::MokKod.index);
    payer.lookUp.emplace(TableId::Klient, KLI::Kod.index, KLI::KODKEY.index, "SarKlient");
    payer.beside = [](FormEngine& form) {
        return payerName(form.context(), form.record().get(MOK::MokKod));
    };
    FormField registration("Sąskaitos įrašo Nr:", MOK::SaskIrasoNr.index);
    registration.history = false;
    registration.beside = invoiceText;
    if (fromList) {
        registration.lookUp.emplace(TableId::Saskait, SAS::IrasoNr.index, SAS::IRASONRKEY.index,
                                    "SelectSaskait");
        registration.required = true;
    } else {
        // The payment belongs to the registration on the form.
        registration.readOnly = true;
    }
    FormField method("Mokėjimo būdas:", MOK::MokejimoBudas.index);
    method.lookUp.emplace(TableId::MokBudai, MOK1::MokBudoID.index, MOK1::MOKBUDOIDKEY.index,
                          "SelectMokBudai");
    method.beside = [](FormEngine& form) {
        return methodName(form.context(), form.record().get(MOK::MokejimoBudas));
    };
    config.fields = {
        number,
        {"Data:", MOK::MokDt.index},
        {fromList ? "Mokėjimo serija:" : "Mokėjimo dokumentas.:", MOK::MOKSER.index},
        {"Nr.:", MOK::MOKNR.index},
        payer,
        registration,
        {fromList ? "Mokėjimo suma:" : "Suma:", MOK::MOKSUMA.index},
        method,
        {"Komentaras:", MOK::KOMENTARAI.index},
    };
    config.keyNames = {
        {MOK::SASKIDMOKIDKEY.index, "Pagal sąskaitos ID ir mokėjimo ID"},
        {MOK::MOKDTAPMBUDAKEY.index, "Pagal datas ir apmokėjimo būdus"},
        {MOK::APMBUDAMOKDTKEY.index, "Pagal apmokėjimo būdą ir datą"},
    };
    config.heldUntilSave = {MOK::MOKSUMA.index};
    config.hooks.prime = [variant](FormEngine& form) {
        primePayment(form, variant);
    };
    config.hooks.accepted = paymentFieldAccepted;
    config.hooks.focused = paymentFieldFocused;
    config.hooks.writing = movePaymentNumber;
    return config;
}

ListConfig SarMokej() {
    ListConfig config;
    config.name = "SarMokej";
    config.title = "MOKĖJIMŲ ĮRAŠAI";
    config.table = TableId::Mokej;
    config.joins = {TableId::Saskait};
    config.columns = {
        column("Mokdata", "MOK:MokDt", 58, ColumnAlign::Left, Picture::date()),
        column("Įrašo Nr", "MOK:IrasoNr", 36, ColumnAlign::Right, Picture::number(9)),
        column("Ser.", "MOK:MOKSER", 24, ColumnAlign::Left, Picture::text(5)),
        column("MokNr", "MOK:MOKNR", 36, ColumnAlign::Right, Picture::number(9)),
        column("Moketojas", "MOK:MokKod", 70, ColumnAlign::Left, Picture::text(20)),
        column("Suma", "MOK:MOKSUMA", 48, ColumnAlign::Right, Picture::number(14, 2)),
        column("MB", "MOK:MokejimoBudas", 18, ColumnAlign::Right, Picture::number(4)),
        column("Komentarai", "MOK:KOMENTARAI", 120, ColumnAlign::Left, Picture::text(150)),
        column("Sąsk data", "SAS:SaskDt", 58, ColumnAlign::Left, Picture::date()),
        column("", "SAS:SaskSer", 24, ColumnAlign::Left, Picture::text(5)),
        column("", "SAS:SaskNr", 36, ColumnAlign::Right, Picture::number(9)),
    };
    SortTab byDate = tab("Pagal datą", "+MOK:MokDt,+MOK:IrasoNr");
    byDate.locator = "MOK:MokDt";
    byDate.locatorPrompt = "Rasti datą:";
    SortTab byPayer = tab("Pagal mokėtoją", "+UPPER(MOK:MokKod),+MOK:MokDt,+MOK:IrasoNr",
                          "UPPER(MOK:MokKod) = UPPER(" + std::string(PaymentPayerVariable) + ")");
    byPayer.primes = {{"MOK:MokKod", std::string(PaymentPayerVariable)}};
    byPayer.selector = payerSelector(PaymentPayerVariable, "Mokėtojas:");
    SortTab byMethod = tab("Pagal mokėjimo būdą", "+MOK:MokejimoBudas,+MOK:MokDt,+MOK:IrasoNr",
                           "MOK:MokejimoBudas = " + std::string(PaymentMethodVariable));
    byMethod.primes = {{"MOK:MokejimoBudas", std::string(PaymentMethodVariable)}};
    byMethod.selector = TabSelector{
        .name = "method",
        .prompt = "Mokėjimo būdas:",
        .variable = std::string(PaymentMethodVariable),
        .lookUp = {TableId::MokBudai, MOK1::MokBudoID.index, MOK1::MOKBUDOIDKEY.index, "SelectMokBudai"},
        .beside = [](Context& context, const Value& method) -> std::vector<std::string> {
            const auto* number = std::get_if<std::int64_t>(&method);
            return {methodName(context, number != nullptr ? std::int32_t(*number) : 0)};
        },
        .remembered = false,
    };
    config.tabs = {byDate, byPayer, byMethod};
    return config;
}

ListConfig SelectSaskait() {
    ListConfig config;
    config.name = "SelectSaskait";
    config.title = "PASIRINKITE SĄSKAITĄ:";
    config.table = TableId::Saskait;
    config.columns = {
        column("ĮrašoNr", "SAS:IrasoNr", 36, ColumnAlign::Right, Picture::number(9)),
        column("ĮrašoDt", "SAS:IrasoDt", 58, ColumnAlign::Left, Picture::date()),
        column("", "SAS:SaskSer", 24, ColumnAlign::Left, Picture::text(5)),
        column("Saskaita", "SAS:SaskNr", 36, ColumnAlign::Right, Picture::number(9)),
        column("Sąsk data", "SAS:SaskDt", 58, ColumnAlign::Left, Picture::date()),
        column("Klientas", "SAS:KliKod", 70, ColumnAlign::Left, Picture::text(20)),
        column("Suma", "SAS:BSUMASUPVM", 48, ColumnAlign::Right, Picture::number(14, 2)),
    };
    SortTab byNumber = tab("Pagal įrašo Nr.", "+SAS:IrasoNr");
    SortTab byPayer = tab("Pagal mokėtoją", "+UPPER(SAS:KliKod),+SAS:SaskDt,+SAS:IrasoNr",
                          "UPPER(SAS:KliKod) = UPPER(" + std::string(InvoicePayerVariable) + ")");
    byPayer.selector = payerSelector(InvoicePayerVariable, "Mokėtojo kodas:");
    byNumber.locator = "SAS:IrasoNr";
    config.tabs = {
        byNumber,
        tab("Pagal įrašo datą", "+SAS:SaskDt,+UPPER(SAS:SaskSer),+SAS:SaskNr,+SAS:IrasoNr"),
        byPayer,
        tab("Pagal numerį", "+UPPER(SAS:SaskSer),+SAS:SaskNr,+SAS:IrasoNr"),
    };
    return config;
}

} // namespace nakva
