#include "registration/MainServiceLines.h"

#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/Transaction.h"
#include "messages/Message.h"
#include "messages/StandardWarnings.h"
#include "registration/InvoiceLine.h"
#include "registration/OwnTable.h"
#include "registration/Schedule.h"
#include "ui/RecordNumbering.h"

#include <array>
#include <limits>
#include <string>
#include <vector>

namespace nakva {

namespace {

constexpr int WarningAddFailed = 14;
constexpr int WarningTransaction = 34;
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

// A main line to create: what it charges and the service it charges at.
struct Planned {
    MainService main;
    Record service;
};

// The main lines the registration lacks and orders, in the settings' order, read before anything is
// written. Nothing on a read error, after its message.
std::optional<std::vector<Planned>> plan(Context& context, const Record& registration) {
    const Record& settings = context.database().istgPar();
    const std::array<MainService, 4> mains = {{
        {IST::APGYVENDINIMOPASPAV, registration.get(SAS::GYVENTOJUSKC) > 0 ? 1 : 0, true},
        {IST::MAITINIMOPASPAV, registration.get(SAS::PUSRYCIUSK), false},
        {IST::VAIKMAITINIMOPASPAV, registration.get(SAS::PUSRYCIUVAIK), false},
        {IST::PAPVIETOSPASPAV, registration.get(SAS::PAPPATALYNE), false},
    }};
    OwnTable lines(context, TableId::Saskeil);
    OwnTable services(context, TableId::Paslaug);
    std::vector<Planned> planned;
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
        planned.push_back({main, services->record()});
    }
    return planned;
}

// What writing one line inside the transaction came to.
enum class Written {
    Done,
    Refused, // a value of the line does not fit its field: the refusal says why
    Failed,  // a read or a write failed: the condition is recorded
};

// Inside the transaction: the line numbered after the highest, with its amounts from its schedule,
// then its schedule.
Written writeLine(Table& lines, Table& rows, const Record& registration, const Planned& planned,
                  const Decimal& roomsPerDay, SetResult& refusal) {
    std::int64_t highest = 0;
    if (!highestRecordNumber(lines, highest)) {
        return Written::Failed;
    }
    if (highest >= std::numeric_limits<std::int32_t>::max()) {
        setLastOperationError(StoreError::condition(StoreError::BadStoredValue));
        return Written::Failed;
    }
    lines.clear();
    Record line = lines.record();
    if (refusal = fillLine(line, registration, planned.service, planned.main, roomsPerDay); !refusal) {
        refusal.error = "Paslaugos kaina su PVM: " + refusal.error;
        return Written::Refused;
    }
    line.setStoredInteger(SEI::SEILID.index, highest + 1);
    const std::vector<ScheduleDay> days = freshSchedule(line);
    if (refusal = scheduleTotals(line, days); !refusal) {
        return Written::Refused;
    }
    lines.record() = line;
    if (lines.add() != StoreStatus::Ok || !writeSchedule(rows, line.get(SEI::SEILID), days)) {
        return Written::Failed;
    }
    return Written::Done;
}

} // namespace

std::optional<int> createMainServiceLines(Context& context, const Record& registration,
                                          const Decimal& roomsPerDay) {
    if (!stayAccepted(registration)) {
        return std::nullopt;
    }
    const std::optional<std::vector<Planned>> planned = plan(context, registration);
    if (!planned || planned->empty()) {
        return planned ? std::optional<int>(0) : std::nullopt;
    }
    // The lines, their schedules and their amounts together, or nothing: no line without its
    // schedule or its amounts, no schedule without its line, whatever fails or stops on the way.
    OwnTable lines(context, TableId::Saskeil);
    OwnTable rows(context, TableId::Seilgraf);
    Transaction transaction(context);
    if (transaction.begin({TableId::Saskeil, TableId::Seilgraf}) != StoreStatus::Ok) {
        saveErrorCondition();
        standardWarning(WarningTransaction, "Update", lines->def().messageName());
        return std::nullopt;
    }
    for (const Planned& each : *planned) {
        SetResult refusal;
        const Written written = writeLine(*lines, *rows, registration, each, roomsPerDay, refusal);
        if (written == Written::Done) {
            continue;
        }
        saveErrorCondition();
        transaction.rollback();
        if (written == Written::Refused) {
            showRefusal({}, refusal);
        } else {
            standardWarning(WarningAddFailed);
        }
        return std::nullopt;
    }
    if (transaction.commit() != StoreStatus::Ok) {
        saveErrorCondition();
        transaction.rollback();
        standardWarning(WarningAddFailed);
        return std::nullopt;
    }
    return int(planned->size());
}

} // namespace nakva
