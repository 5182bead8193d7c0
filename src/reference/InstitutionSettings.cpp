#include "reference/InstitutionSettings.h"

#include "data/Fields.h"
#include "data/Table.h"
#include "messages/StandardWarnings.h"

namespace nakva {

namespace {

constexpr int WarningInsertNotAllowed = 19;
constexpr int WarningDeleteNotAllowed = 21;
constexpr int WarningAddFailed = 14;
constexpr int WarningReadFailed = 26;

constexpr int InstitutionTab = 0;
constexpr int AccountingTab = 1;

FormField onTab(int tab, FormField field) {
    field.tab = tab;
    return field;
}

// A main service's name: chosen from the services list and looked up there exactly when the user
// accepts it; a blank name leaves that service out of the automatic lines.
FormField serviceName(std::string prompt, int field) {
    FormField name = onTab(AccountingTab, {std::move(prompt), field});
    name.lookUp = FormLookUp(TableId::Paslaug, PAS::Pav.index, PAS::PASLKEY.index, "SarPaslaug");
    // Not linked to the price list: a service renamed since keeps the old name here, and saving other
    // settings does not ask for it again.
    name.lookUp->onSave = false;
    return name;
}

// A signatory of the invoices: position, then name.
void addSignatory(std::vector<FormField>& fields, std::string prompt, int position, int name) {
    fields.push_back(
        onTab(AccountingTab, {std::move(prompt), position, "Įveskite 1 pasir. pareigas, vardą, pavardę"}));
    fields.push_back(onTab(AccountingTab, {"", name, "Pasirašančiojo pavardė"}));
}

} // namespace

FormConfig RedIstgPar() {
    FormConfig config;
    config.name = "RedIstgPar";
    config.helpTopic = config.name;
    config.caption = "ĮSTAIGOS DUOMENYS, NUSTATYMAI";
    config.table = TableId::IstgPar;
    config.tabs = {"Įstaigos duomenys", "Apskaitos nustatymai"};

    FormField vat = onTab(AccountingTab, {"PVM procentas:", IST::PVMPROC.index});
    vat.picture = Picture::number(6, 2);
    vat.minimum = Decimal(0);
    vat.maximum = Decimal(100);

    config.fields = {
        onTab(InstitutionTab, {"Įmonės pavadinimas:", IST::ISTAIGA.index}),
        onTab(InstitutionTab, {"Įmonės kodas, PVM kodas:", IST::ISTG1.index}),
        onTab(InstitutionTab, {"Įmonės adresas:", IST::ISTGADR.index}),
        onTab(InstitutionTab, {"", IST::ISTGADR1.index}),
        onTab(InstitutionTab, {"Sąskaitos banke ir banko rekvizitai:", IST::ISTGBANK.index}),
        onTab(InstitutionTab, {"", IST::ISTGBANK1.index}),
        serviceName("Apgyvendinimas:", IST::APGYVENDINIMOPASPAV.index),
        serviceName("Maitinimas:", IST::MAITINIMOPASPAV.index),
        serviceName("Vaikų maitinimas:", IST::VAIKMAITINIMOPASPAV.index),
        serviceName("Papildoma vieta:", IST::PAPVIETOSPASPAV.index),
    };
    addSignatory(config.fields, "Atsakingas I:", IST::PAR1.index, IST::PAV1.index);
    addSignatory(config.fields, "Atsakingas II:", IST::PAR2.index, IST::PAV2.index);
    addSignatory(config.fields, "Atsakingas III:", IST::PAR3.index, IST::PAV3.index);
    config.fields.push_back(vat);
    config.fields.push_back(onTab(AccountingTab, {"Komentaras sąskaitos gale:", IST::PAST.index}));
    config.fields.push_back(onTab(AccountingTab, {"", IST::PAST1.index}));
    return config;
}

bool institutionSettingsRequestAllowed(Request request) {
    if (request == Request::Insert) {
        standardWarning(WarningInsertNotAllowed);
        return false;
    }
    if (request == Request::Delete) {
        standardWarning(WarningDeleteNotAllowed);
        return false;
    }
    return true;
}

StoreStatus readInstitutionSettings(Table& settings) {
    settings.clear();
    StoreStatus status = settings.setToKeyStart(IST::RA);
    if (status == StoreStatus::Ok) {
        status = settings.next();
    }
    if (status == StoreStatus::EndOfData) {
        settings.clear();
        status = settings.add();
        if (status != StoreStatus::Ok) {
            standardWarning(WarningAddFailed);
            return status;
        }
    } else if (status != StoreStatus::Ok) {
        standardWarning(WarningReadFailed, "IstgPar");
        return status;
    }
    settings.watch();
    return StoreStatus::Ok;
}

} // namespace nakva
