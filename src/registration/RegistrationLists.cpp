#include "registration/RegistrationLists.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Integrity.h"
#include "data/Table.h"
#include "data/Text.h"
#include "messages/Message.h"
#include "messages/StandardWarnings.h"
#include "registration/Registration.h"
#include "roomservice/RoomOccupancy.h"

#include <algorithm>

namespace nakva {

namespace {

constexpr int WarningRecordRetrieval = 35;

ListColumn column(std::string heading, std::string field, int width, ColumnAlign align, Picture picture) {
    return ListColumn::of(std::move(heading), std::move(field), width, align, picture);
}

// The columns both lists show, the registration number last (the current list's own).
std::vector<ListColumn> columns() {
    return {
        column("ĮrašoDt", "SAS:IrasoDt", 54, ColumnAlign::Left, Picture::date()),
        column("Gyventojas", "SAS:Gyventojas", 120, ColumnAlign::Left, Picture::text(35)),
        column("Kiek", "SAS:GYVENTOJUSKC", 18, ColumnAlign::Right, Picture::number(4)),
        column("Kambariai", "SAS:KAMBARIAI", 80, ColumnAlign::Left, Picture::text(80)),
        column("Nuo", "SAS:GyvenaNuo", 54, ColumnAlign::Left, Picture::date()),
        column("Iki", "SAS:GyvenaIki", 54, ColumnAlign::Left, Picture::date()),
        column("Grupė", "SAS:GyventojoGrupe", 60, ColumnAlign::Left, Picture::text(20)),
        column("Valstybė", "SAS:GYVENTOJOVALSTYBE", 60, ColumnAlign::Left, Picture::text(20)),
        column("SąskData", "SAS:SaskDt", 54, ColumnAlign::Left, Picture::date()),
        column("", "SAS:SaskSer", 26, ColumnAlign::Left, Picture::text(5)),
        column("Saskaitos Nr.", "SAS:SaskNr", 40, ColumnAlign::Right, Picture::number(9)),
        column("Mokėtojas", "KLI:PAV", 100, ColumnAlign::Left, Picture::text(50)),
        column("ĮrašoNr", "SAS:IrasoNr", 32, ColumnAlign::Right, Picture::number(9)),
    };
}

SortTab tab(std::string text, std::string order, std::string filter, std::string locator = {},
            std::string prompt = {}) {
    SortTab made;
    made.text = std::move(text);
    made.order = std::move(order);
    made.filter = std::move(filter);
    made.locator = std::move(locator);
    made.locatorPrompt = std::move(prompt);
    return made;
}

ListConfig registrations(std::string name, std::string title) {
    ListConfig config;
    config.name = std::move(name);
    config.title = std::move(title);
    config.table = TableId::Saskait;
    config.joins = {TableId::Klient};
    config.bind = [](Variables& variables) {
        variables.set(DepartedVariable, std::int64_t(0));
        variables.set(InvoiceNumberVariable, std::int64_t(0));
    };
    return config;
}

// The group tabs compare the groups upper-cased on both sides, so "turistai" shows under "Turistai";
// a registration inserted there gets the group. The group is typed or chosen in the groups list.
const std::string GroupFilter = "UPPER(SAS:GyventojoGrupe) = UPPER(" + std::string(GroupVariable) + ")";

TabSelector groupSelector() {
    return TabSelector{
        .name = "group",
        .prompt = "Grupė:",
        .variable = std::string(GroupVariable),
        .lookUp = {TableId::Grupes, GRP::Grupe.index, GRP::Key_Grupe.index, "SarGrup"},
        .beside = {},
        .remembered = false,
    };
}

std::string departedIcon(Context& context) {
    return context.table(TableId::Saskait).record().get(SAS::Isvykes) != 0 ? "check" : "empty";
}

// The room as the message names it: its number as on the door, without the blanks of its field.
std::string roomNumber(Context& context, std::int32_t roomId) {
    Table rooms(context, TableId::Kamb, false);
    const OpenedTable opened(rooms);
    rooms.record().set(KMB::KambarioID, roomId);
    if (rooms.getByKey(KMB::IDKEY) != StoreStatus::Ok) {
        return {};
    }
    return std::string(trimRight(rooms.record().get(KMB::KambarioNr)));
}

// What a current registration still owes: its total with VAT less its payments; blank when nothing.
std::string amountDue(Context& context) {
    const Record& registration = context.table(TableId::Saskait).record();
    const PaymentsTotal payments = paymentsTotal(context, registration.get(SAS::IrasoNr));
    if (payments.failed) {
        return {};
    }
    return Picture::number(14, 2, true).format(registration.get(SAS::BSUMASUPVM) - payments.paid);
}

// The rooms of a registration in SKMB:INRKMBIDKEY order; nothing after a read error (shown).
std::optional<std::vector<std::int32_t>> roomsOf(Context& context, std::int32_t registration) {
    std::vector<std::int32_t> rooms;
    if (!forEachRoom(context, registration, [&rooms](const Record& row) {
            rooms.push_back(row.get(SKMB::KambarioID));
            return true;
        })) {
        return std::nullopt;
    }
    return rooms;
}

} // namespace

std::vector<ListColumn> archiveColumns() {
    ListColumn departed = column("I", "SAS:Isvykes", 10, ColumnAlign::Center, Picture::text(0));
    departed.compute = [](Context&) {
        return std::string();
    };
    departed.icon = departedIcon;
    std::vector<ListColumn> shown = columns();
    shown.pop_back();
    shown.insert(shown.begin(), departed);
    return shown;
}

ListConfig SarSaskait() {
    ListConfig config = registrations("SarSaskait", "REGISTRACIJOS ĮRAŠAI:  NEIŠVYKĘ GYVENTOJAI");
    config.columns = columns();
    // What each guest still owes, after the invoice's number.
    ListColumn due = column("Liko mokėti", "", 48, ColumnAlign::Right, Picture::number(14, 2, true));
    due.compute = amountDue;
    const auto invoiceNumber =
        std::find_if(config.columns.begin(), config.columns.end(),
                     [](const ListColumn& each) { return each.field == "SAS:SaskNr"; });
    config.columns.insert(invoiceNumber + 1, due);
    config.opens = {{TableId::Mokej, false}};
    const std::string current = "SAS:Isvykes = " + std::string(DepartedVariable);
    SortTab group =
        tab("Viena grupė", "+SAS:Isvykes,+SAS:IrasoDt,+SAS:IrasoNr", "~SAS:Isvykes AND " + GroupFilter);
    group.primes = {{"SAS:GyventojoGrupe", std::string(GroupVariable)}};
    group.selector = groupSelector();
    config.tabs = {
        tab("Pagal įrašo datą", "+SAS:Isvykes,+SAS:IrasoDt,+SAS:IrasoNr", current, "SAS:IrasoDt",
            "Rasti įrašo datą:"),
        tab("Pagal pavardes", "+SAS:Isvykes,+UPPER(SAS:Gyventojas),+SAS:IrasoNr", current, "SAS:Gyventojas",
            "Rasti pavardę:"),
        group,
        tab("Pagal sąsk. Nr", "+UPPER(SAS:SaskSer),+SAS:SaskNr,+SAS:IrasoNr",
            std::string(InvoiceNumberVariable) + " = SAS:SaskNr AND ~SAS:Isvykes"),
    };
    return config;
}

ListConfig SarSaskaitVisi() {
    ListConfig config = registrations("SarSaskaitVisi", "VISI REGISTRACIJOS ĮRAŠAI (SU ARCHYVU)");
    config.columns = archiveColumns();
    SortTab payer = tab("1 mokėtojas", "+UPPER(SAS:KliKod),+SAS:SaskDt,+SAS:IrasoNr",
                        "UPPER(SAS:KliKod) = UPPER(" + std::string(PayerVariable) + ")");
    payer.primes = {{"SAS:KliKod", std::string(PayerVariable)}};
    // The payer is typed or chosen in the payers list, its name beside it.
    payer.selector = TabSelector{
        .name = "payer",
        .prompt = "Mokėtojas:",
        .variable = std::string(PayerVariable),
        .lookUp = {TableId::Klient, KLI::Kod.index, KLI::KODKEY.index, "SarKlient"},
        .beside = [](Context& context, const Value& code) -> std::vector<std::string> {
            const auto* text = std::get_if<std::string>(&code);
            return {payerName(context, text != nullptr ? *text : std::string())};
        },
        .remembered = false,
    };
    SortTab group = tab("1 grupė", "+UPPER(SAS:GyventojoGrupe),+SAS:IrasoNr", GroupFilter);
    group.primes = {{"SAS:GyventojoGrupe", std::string(GroupVariable)}};
    group.selector = groupSelector();
    config.tabs = {
        tab("Pagal įrašo datą", "+SAS:IrasoDt,+SAS:IrasoNr", "", "SAS:IrasoDt", "Rasti įrašo datą:"),
        tab("Pagal pavardes", "+UPPER(SAS:Gyventojas),+SAS:IrasoNr", "", "SAS:Gyventojas", "Rasti pavardę:"),
        tab("Pagal sąsk. datą", "+SAS:SaskDt,+UPPER(SAS:SaskSer),+SAS:SaskNr,+SAS:IrasoNr", "", "SAS:SaskDt",
            "Rasti sąskaitos datą:"),
        payer,
        tab("Neišvykę", "+SAS:Isvykes,+UPPER(SAS:Gyventojas),+SAS:IrasoNr", "~SAS:Isvykes"),
        group,
    };
    return config;
}

DepartureResult switchDeparture(Table& registrations) {
    Context& context = registrations.context();
    registrations.open();
    struct Closer {
        Table& table;
        ~Closer() { table.close(); }
    } closer{registrations};
    if (registrations.regetByPosition(registrations.position()) != StoreStatus::Ok) {
        standardWarning(WarningRecordRetrieval, registrations.def().messageName());
        return DepartureResult::Failed;
    }
    registrations.watch();
    const Record former = registrations.record();
    const bool departed = former.get(SAS::Isvykes) != 0;
    if (departed) {
        const std::optional<std::vector<std::int32_t>> rooms = roomsOf(context, former.get(SAS::IrasoNr));
        if (!rooms) {
            return DepartureResult::Failed;
        }
        bool occupied = false;
        for (const std::int32_t room : *rooms) {
            const RoomOccupied test = KmbUzimtas(context, room);
            if (test.failed) {
                return DepartureResult::Failed;
            }
            if (test.occupied) {
                occupied = true;
                MessageRequest request;
                request.text =
                    "Kambarys " + roomNumber(context, room) + " jau užimtas. Negaliu atšaukti išvykimo.";
                request.icon = MessageIcon::Exclamation;
                showMessage(request);
            }
        }
        if (occupied) {
            return DepartureResult::RoomsOccupied;
        }
    }
    (void)registrations.record().set(SAS::Isvykes, departed ? 0 : 1);
    if (guardedChange(registrations, former, ChangeCaller::Batch) != GuardedResult::Done) {
        return DepartureResult::Failed;
    }
    return departed ? DepartureResult::Returned : DepartureResult::Departed;
}

std::string departureStatus(DepartureResult result, const Record& registration) {
    const std::string who = std::string(trimRight(registration.get(SAS::Gyventojas))) + ", įrašo Nr. " +
                            std::to_string(registration.get(SAS::IrasoNr));
    switch (result) {
    case DepartureResult::Departed:
        return "Išvyko: " + who;
    case DepartureResult::Returned:
        return "Išvykimas atšauktas: " + who;
    case DepartureResult::RoomsOccupied:
    case DepartureResult::Failed:
        break;
    }
    return {};
}

std::vector<RegistrationReport> registrationReports(bool archive) {
    std::vector<RegistrationReport> reports = {
        {archive ? "Sąskaitą A4 detali" : "Sąskaitą, A4 detalią", "SpDidSask"},
        {"Sąskaitą, A4 suminę", "SpDidSaskSum"},
        {},
        {"Suspaustą sąskaitą, A4 detalią", "SpDidSask2"},
        {"Suspaustą sąskaitą, A4 suminę", "SpDidSaskSumInt"},
        {},
        {"Registracijos žurnalą", "SpZurnala"},
        {archive ? "Registracijos žurnalą su apmokejimu" : "Registracijos žurnalą su apmokėjimu",
         "SpZurnala2"},
        {"Neišvykusių gyventojų statistiką", "SpEinRegStatistika"},
        {"Išvykstančių gyventojų sąrašą", "SpSarIsvykst"},
        {},
        {"Einamąją paslaugų suvestinę", "SpPaslSuvF2"},
        {"Einamąjį paslaugos žiniaraštį", "SpPaslZin"},
        {"Einamąjį apmokėjimo žiniaraštį", "SpApmZin"},
        {},
        {"Visų sąskaitų žiniaraštį ", "SpSaskSuvData"},
    };
    if (archive) {
        std::erase_if(reports,
                      [](const RegistrationReport& each) { return each.report == "SpEinRegStatistika"; });
    }
    return reports;
}

} // namespace nakva
