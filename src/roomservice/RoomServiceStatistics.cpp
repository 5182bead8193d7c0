#include "roomservice/RoomServiceStatistics.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "messages/ErrorText.h"
#include "messages/StandardWarnings.h"
#include "roomservice/RoomOccupancy.h"

#include <limits>

namespace nakva {

namespace {

constexpr int WarningReadError = 26;

} // namespace

// The entry just before the room's highest possible key value on (room, date, entry number), when it
// belongs to the room.
LatestCleaning latestCleaning(Context& context, std::int32_t roomId) {
    LatestCleaning latest;
    Table cleanings(context, TableId::KmbVal, false);
    const OpenedTable opened(cleanings);
    Record& entry = cleanings.record();
    entry.set(KVAL::KambarioID, roomId);
    entry.set(KVAL::IrasoDt, std::numeric_limits<Date>::max());
    entry.set(KVAL::IrasoID, std::numeric_limits<std::int32_t>::max());
    StoreStatus status = cleanings.setToKeyValue(KVAL::KEY_KMBDT);
    if (status == StoreStatus::Ok) {
        status = cleanings.previous();
    }
    if (status == StoreStatus::Ok) {
        latest.found = entry.get(KVAL::KambarioID) == roomId;
        latest.date = entry.get(KVAL::IrasoDt);
    } else if (status != StoreStatus::EndOfData) {
        saveErrorCondition();
        standardWarning(WarningReadError, Database::fileName(TableId::KmbVal));
        latest.failed = true;
    }
    return latest;
}

bool unpreparedRule(bool occupied, const LatestCleaning& cleaning, Date lastDeparture) {
    return cleaning.found && !occupied && cleaning.date <= lastDeparture;
}

UnpreparedRoom unpreparedRoom(Context& context, std::int32_t roomId) {
    UnpreparedRoom room;
    const RoomOccupied occupied = KmbUzimtas(context, roomId);
    const RoomLastDeparture departure = KmbPaskIsvykimas(context, roomId);
    room.lastDeparture = departure.departure;
    const LatestCleaning cleaning = latestCleaning(context, roomId);
    room.failed = occupied.failed || departure.failed || cleaning.failed;
    if (unpreparedRule(occupied.occupied, cleaning, departure.departure)) {
        room.listed = true;
        room.lastCleaning = cleaning.date;
    }
    return room;
}

RoomServiceLine roomServiceLine(Context& context, std::int32_t roomId, Date from, Date to) {
    RoomServiceLine line;
    const RoomResidence residence = KmbGyvStat(context, roomId, from, to);
    const RoomServiceQuantity cleanings = KmbValKiekis(context, roomId, from, to);
    const RoomServiceQuantity bedding = KmbPatKiekis(context, roomId, from, to);
    const RoomServiceQuantity towels = KmbRankKiekis(context, roomId, from, to);
    line.cleanings = cleanings.quantity;
    line.bedding = bedding.quantity;
    line.towels = towels.quantity;
    line.residents = residence.residents;
    line.bedDays = residence.bedDays;
    line.records = residence.records;
    line.income = Decimal::fromDouble(residence.income, 2);
    line.failed = residence.failed || cleanings.failed || bedding.failed || towels.failed;
    return line;
}

} // namespace nakva
