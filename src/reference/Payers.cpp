#include "reference/Payers.h"

#include "data/Fields.h"
#include "data/Table.h"
#include "reference/RecordCopy.h"

namespace nakva {

namespace {

// The payers' columns are all texts, left-aligned.
ListColumn column(std::string heading, std::string field, int width, int characters) {
    return ListColumn::of(std::move(heading), std::move(field), width, ColumnAlign::Left,
                          Picture::text(characters));
}

// Both lists run in code order, ignoring letter case, the code being the letter locator.
SortTab byCode(std::string locatorPrompt) {
    SortTab tab;
    tab.order = "+UPPER(KLI:Kod)";
    tab.locator = "KLI:Kod";
    tab.locatorPrompt = std::move(locatorPrompt);
    return tab;
}

} // namespace

ListConfig SarKlient() {
    ListConfig config;
    config.name = "SarKlient";
    config.title = "MOKĖTOJAI";
    config.table = TableId::Klient;
    config.columns = {column("Paieškos kodas", "KLI:Kod", 80, 20), column("Pavadinimas", "KLI:PAV", 160, 50),
                      column("Telefonas", "KLI:TEL", 90, 50), column("Adresas", "KLI:ADR", 160, 50)};
    config.tabs = {byCode("Rasti:")};
    return config;
}

ListConfig SelectKlient() {
    ListConfig config;
    config.name = "SelectKlient";
    config.title = "MOKĖTOJAI";
    config.table = TableId::Klient;
    config.columns = {column("Kodas", "KLI:Kod", 80, 20), column("Pavadinimas", "KLI:PAV", 140, 50),
                      column("Adresas", "KLI:ADR", 140, 50), column("Telefonas", "KLI:TEL", 80, 50),
                      column("Atsakingas", "KLI:ATS", 80, 30)};
    config.tabs = {byCode({})};
    return config;
}

FormConfig UpdateKlient() {
    FormConfig config;
    config.name = "UpdateKlient";
    config.helpTopic = config.name;
    config.caption = "MOKĖTOJO DUOMENYS";
    config.table = TableId::Klient;
    FormField code("Kodas paieškai:", KLI::Kod.index);
    // Registrations and payments without a payer hold a blank code: a payer coded blank would be
    // theirs, refusing its delete and carrying a new code into every one of them.
    code.required = true;
    config.fields = {code,
                     {"Pavadinimas:", KLI::PAV.index},
                     {"Kodas, PVM kodas:", KLI::PAV2.index},
                     {"Adresas:", KLI::ADR.index},
                     {"Telefonai:", KLI::TEL.index},
                     {"Atsakingas:", KLI::ATS.index},
                     {"Banko rekvizitai:", KLI::BANK.index}};
    config.historyKey = 'K';
    config.keyNames = {{KLI::KODKEY.index, "Pagal kodą"}};
    return config;
}

std::vector<PayerReport> payerReports() {
    return {{"Mokėtojų sąrašą", "SpKliSar"},
            {"Mokėtojo sąskaitų suvestinę", "SpKlientKn"},
            {"Mokėtojo adresą", "SpKlientAdr"}};
}

std::optional<Position> copyKlient(Table& klient) {
    return copyRecord(klient, [](Table& table) {
        // The buffer holds texts without their trailing blanks.
        Record& record = table.record();
        (void)record.set(KLI::Kod, record.get(KLI::Kod) + "~");
        return record.get(KLI::Kod);
    });
}

} // namespace nakva
