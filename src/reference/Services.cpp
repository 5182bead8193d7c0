#include "reference/Services.h"

#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Text.h"
#include "reference/RecordCopy.h"
#include "ui/FormEngine.h"

namespace nakva {

namespace {

const FieldDef& serviceField(int field) {
    return Dictionary::instance().table(TableId::Paslaug).fields[std::size_t(field)];
}

SortTab tab(std::string text, std::string order, std::string locator, std::string locatorPrompt) {
    SortTab tab;
    tab.text = std::move(text);
    tab.order = std::move(order);
    tab.locator = std::move(locator);
    tab.locatorPrompt = std::move(locatorPrompt);
    return tab;
}

// The group field on the form: its name beside it.
std::string groupNameOnForm(FormEngine& form) {
    return serviceGroupName(form.context(), form.record().get(PAS::PaslGrpNr));
}

// A new service: the institution's VAT percentage and beds as the unit; the rest as the caller left it
// (the group of the list's group tab).
void primeService(FormEngine& form) {
    Record& service = form.record();
    (void)service.set(PAS::PVMPROC, form.context().database().istgPar().get(IST::PVMPROC));
    service.set(PAS::MATVNT, "LOVAD.");
}

// The price without VAT follows the price with VAT and the VAT percentage when the user accepts either,
// and at no other time: a record saved without touching them keeps its stored value.
bool serviceFieldAccepted(FormEngine& form, int field) {
    if (field != PAS::KAINSUPVM.index && field != PAS::PVMPROC.index) {
        return true;
    }
    Record& service = form.record();
    const Decimal& vat = service.get(PAS::PVMPROC);
    // The form takes no rate below 0; a stored one of -100 or less (imported) has no price without VAT.
    if (vat > Decimal(-100)) {
        (void)service.set(PAS::KAINBEPVM, priceWithoutVat(service.get(PAS::KAINSUPVM), vat));
    }
    return true;
}

} // namespace

ListConfig SarPaslaug() {
    ListConfig config;
    config.name = "SarPaslaug";
    config.title = "PASLAUGŲ SARAŠAS";
    config.table = TableId::Paslaug;
    config.columns = {
        ListColumn::of("Paieškos kodas", "PAS:PKod", 60, ColumnAlign::Left, Picture::text(20)),
        ListColumn::of("Pavadinimas", "PAS:Pav", 170, ColumnAlign::Left, Picture::text(40)),
        ListColumn::of("Grp", "PAS:PaslGrpNr", 24, ColumnAlign::Right, Picture::number(10)),
        ListColumn::of("Mat Vnt", "PAS:MATVNT", 36, ColumnAlign::Left, Picture::text(10)),
        ListColumn::of("Kaina su PVM", "PAS:KAINSUPVM", 52, ColumnAlign::Right, Picture::number(13, 4, true)),
        ListColumn::of("PVM%", "PAS:PVMPROC", 24, ColumnAlign::Right, Picture::number(4)),
        ListColumn::of("Kaina be PVM", "PAS:KAINBEPVM", 52, ColumnAlign::Right, Picture::number(13, 4, true)),
    };
    SortTab byGroup = tab("Pagal grupę", "+PAS:PaslGrpNr,+UPPER(PAS:Pav)", "", "");
    byGroup.filter = "PAS:PaslGrpNr = " + std::string(ServiceGroupVariable);
    byGroup.primes = {{"PAS:PaslGrpNr", std::string(ServiceGroupVariable)}};
    // Group 0 shows the services without a group. The variable hides the joined group's own number.
    byGroup.selector = TabSelector{
        .name = "group",
        .prompt = "Paslaugų grupė:",
        .variable = std::string(ServiceGroupVariable),
        .lookUp = {TableId::PaslGrp, PGRP::IrasoNr.index, PGRP::IRASONR_KEY.index, "BrowsePaslGrp"},
        .beside = [](Context& context, const Value& group) -> std::vector<std::string> {
            const auto* number = std::get_if<std::int64_t>(&group);
            return {serviceGroupName(context, number != nullptr ? std::int32_t(*number) : 0)};
        },
        .remembered = false,
    };
    config.tabs = {
        tab("Pagal pavadinimą", "+PAS:Pav", "PAS:Pav", "Rasti pav.:"),
        tab("Pagal P-kodą", "+UPPER(PAS:PKod)", "PAS:PKod", "Rasti kodą:"),
        byGroup,
    };
    return config;
}

std::string serviceGroupName(Context& context, std::int32_t group) {
    if (group == 0) {
        return {};
    }
    Table groups(context, TableId::PaslGrp, false);
    groups.open();
    groups.record().set(PGRP::IrasoNr, group);
    std::string name;
    if (groups.getByKey(PGRP::IRASONR_KEY) == StoreStatus::Ok) {
        name = groups.record().get(PGRP::GrpPav);
    }
    groups.close();
    return name;
}

const std::vector<std::string>& serviceUnits() {
    static const std::vector<std::string> units = {"PARA",      "ŽMN.", "LOVAD.", "VNT.",
                                                   "VNT./PARA", "VAL.", "MIN.",   "KITI"};
    return units;
}

Decimal priceWithoutVat(const Decimal& priceWithVat, const Decimal& vatPercent) {
    const Decimal divisor = Decimal(100) + vatPercent;
    const Decimal share = Decimal(100) / divisor;
    return (priceWithVat * share).rounded(serviceField(PAS::KAINBEPVM.index).places);
}

std::string copyName(std::string_view name) {
    const std::string copy = std::string(trimRight(name)) + "~";
    const int width = serviceField(PAS::Pav.index).size;
    return std::string(cutToChars(copy, std::size_t(width)));
}

std::optional<Position> copyService(Table& services) {
    return copyRecord(services, [](Table& copy) {
        const std::string name = copyName(copy.record().get(PAS::Pav));
        copy.record().set(PAS::Pav, name);
        return name;
    });
}

FormConfig RedPaslaug() {
    FormConfig config;
    config.name = "RedPaslaug";
    config.helpTopic = config.name;
    config.caption = "PASLAUGA";
    config.table = TableId::Paslaug;

    const std::string nameTip = "Įveskite paslaugos pavadinimą";
    FormField group("Paslaugų grupė:", PAS::PaslGrpNr.index);
    group.lookUp =
        FormLookUp(TableId::PaslGrp, PGRP::IrasoNr.index, PGRP::IRASONR_KEY.index, "BrowsePaslGrp");
    group.beside = groupNameOnForm;
    FormField unit("Matavimo vienetai:", PAS::MATVNT.index, "Įveskite matavimo vienetus");
    unit.control = FormControl::DropList;
    unit.choices = serviceUnits();
    // A VAT rate below zero has no meaning, and at -100 the price without VAT could not be computed.
    FormField vat("PVM %:", PAS::PVMPROC.index, "Įveskite PVM procentą");
    vat.minimum = Decimal(0);
    // Derived, never typed: shown so that the user sees what the price with VAT gives.
    FormField withoutVat("Kaina be PVM:", PAS::KAINBEPVM.index);
    withoutVat.readOnly = true;
    withoutVat.history = false;
    config.fields = {
        {"Paslaugos pavadinimas:", PAS::Pav.index, nameTip},
        {"", PAS::PAV1.index, nameTip},
        {"Kodas paieškai:", PAS::PKod.index, "Paieškos kodas"},
        group,
        unit,
        {"Kaina su PVM:", PAS::KAINSUPVM.index, "Įveskite kainą su PVM"},
        vat,
        withoutVat,
    };
    config.keyNames = {{PAS::PASLKEY.index, "Pagal pavadinimą"},
                       {PAS::PASLGRP_KEY.index, "Pagal paslaugų grupę"}};
    config.hooks.prime = primeService;
    config.hooks.accepted = serviceFieldAccepted;
    return config;
}

} // namespace nakva
