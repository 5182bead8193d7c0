#include "registration/MainServiceLines.h"

#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Text.h"
#include "messages/Message.h"
#include "messages/StandardWarnings.h"
#include "registration/InvoiceLine.h"
#include "registration/OwnTable.h"
#include "registration/Schedule.h"
#include "ui/RecordNumbering.h"

#include <array>
#include <string>

namespace nakva {

namespace {

constexpr int WarningRewriteFailed = 15;
constexpr int WarningRetrieval = 35;

// One of the four main services: where its name is kept, and its quantity a day on this registration
// (0: not ordered). The price is the price list's, except the rooms' price for accommodation.
struct MainService {
    StringField<TableId::IstgPar> name;
    std::int32_t perDay = 0;
    bool roomsPrice = false;
};

// Whether the registration has a line of this service (its name exactly, trailing blanks aside).
// Nothing on a read error, after its message.
std::optional<bool> hasLine(Table& lines, std::int32_t registration, std::string_view name) {
    bool found = false;
    if (!eachChild(lines, SEI::INRKEY, SEI::IrasoNr, registration, [&lines, &found, name] {
            found = trimRight(lines.record().get(SEI::PasPav)) == name;
            return !found;
        })) {
        standardWarning(WarningRetrieval, lines.def().messageName());
        return std::nullopt;
    }
    return found;
}

// The stay's nights as they stand, or nothing after the message when they cannot be right.
bool stayAccepted(const Record& registration) {
    const Date arrival = registration.get(SAS::GyvenaNuo);
    const std::int32_t nights = registration.get(SAS::GYVENAPARU);
    if (arrival != NoDate && nights >= 0 && (nights > 0 || registration.get(SAS::GyvenaIki) == arrival)) {
        return true;
    }
    MessageRequest request;
    request.text = "Pagrindinių paslaugų eilučių sukurti negalima: patikrinkite atvykimo ir išvykimo "
                   "datas ir gyvenimo parų skaičių.";
    request.title = "DĖMESIO!";
    request.icon = MessageIcon::Exclamation;
    showMessage(request);
    return false;
}

// The new line's values before its schedule.
SetResult fillLine(Record& line, const Record& registration, const Record& service, const MainService& main,
                   const Decimal& roomsPerDay) {
    const Date first = registration.get(SAS::GyvenaNuo);
    const std::int32_t nights = registration.get(SAS::GYVENAPARU);
    line.set(SEI::IrasoNr, registration.get(SAS::IrasoNr));
    (void)line.set(SEI::PasPav, service.get(PAS::Pav));
    (void)line.set(SEI::MATVNT, service.get(PAS::MATVNT));
    line.set(SEI::GYVENTOJUSKC, registration.get(SAS::GYVENTOJUSKC));
    line.set(SEI::GYVENANUO, first);
    line.set(SEI::GYVENAIKI, first + std::max(nights, 1) - 1);
    line.set(SEI::GYVENAPARU, nights);
    line.set(SEI::GYVENALOVADIENIU, registration.get(SAS::GYVENALOVADIENIU));
    (void)line.set(SEI::KIEKISPERDIENA, Decimal(main.perDay));
    (void)line.set(SEI::PVMPROC, service.get(PAS::PVMPROC));
    return line.set(SEI::KAINA, main.roomsPrice ? roomsPerDay : service.get(PAS::KAINSUPVM));
}

// Creates one main line with its schedule. False after a failure's message.
bool createLine(Context& context, Table& lines, const Record& registration, const Record& service,
                const MainService& main, const Decimal& roomsPerDay) {
    lines.clear();
    const SetResult filled = fillLine(lines.record(), registration, service, main, roomsPerDay);
    if (!filled) {
        showRefusal("Paslaugos kaina su PVM", filled);
        return false;
    }
    if (!addNumberedRecord(lines)) {
        return false;
    }
    Record line = lines.record();
    if (!regenerateSchedule(context, line) || !totalsFromSchedule(context, line)) {
        (void)lines.remove(); // its schedule was not written: the line goes too
        return false;
    }
    lines.record() = line;
    if (lines.put() != StoreStatus::Ok) {
        saveErrorCondition();
        standardWarning(WarningRewriteFailed, lines.def().messageName());
        return false;
    }
    return true;
}

} // namespace

std::optional<int> createMainServiceLines(Context& context, const Record& registration,
                                          const Decimal& roomsPerDay) {
    if (!stayAccepted(registration)) {
        return std::nullopt;
    }
    const Record& settings = context.database().istgPar();
    const std::array<MainService, 4> mains = {{
        {IST::APGYVENDINIMOPASPAV, registration.get(SAS::GYVENTOJUSKC) > 0 ? 1 : 0, true},
        {IST::MAITINIMOPASPAV, registration.get(SAS::PUSRYCIUSK), false},
        {IST::VAIKMAITINIMOPASPAV, registration.get(SAS::PUSRYCIUVAIK), false},
        {IST::PAPVIETOSPASPAV, registration.get(SAS::PAPPATALYNE), false},
    }};
    OwnTable lines(context, TableId::Saskeil);
    OwnTable services(context, TableId::Paslaug);
    int created = 0;
    for (const MainService& main : mains) {
        const std::string name(trimRight(settings.get(main.name)));
        if (name.empty()) {
            continue;
        }
        const std::optional<bool> present = hasLine(*lines, registration.get(SAS::IrasoNr), name);
        if (!present) {
            return std::nullopt;
        }
        if (*present || main.perDay <= 0) {
            continue;
        }
        services->clear();
        (void)services->record().set(PAS::Pav, name);
        const StoreStatus found = services->getByKey(PAS::PASLKEY);
        if (found == StoreStatus::NotFound) {
            continue;
        }
        if (found != StoreStatus::Ok) {
            standardWarning(WarningRetrieval, services->def().messageName());
            return std::nullopt;
        }
        if (!createLine(context, *lines, registration, services->record(), main, roomsPerDay)) {
            return std::nullopt;
        }
        ++created;
    }
    return created;
}

} // namespace nakva
