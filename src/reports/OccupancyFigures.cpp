#include "reports/OccupancyFigures.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/View.h"
#include "messages/ErrorText.h"
#include "messages/StandardWarnings.h"
#include "roomservice/RoomOccupancy.h"

#include <algorithm>

namespace nakva {

namespace {

constexpr int WarningReadError = 26;

// A count the store could not give shows the read error naming the rooms' file.
RoomCount counted(StoreStatus status, std::int64_t rooms) {
    if (status != StoreStatus::Ok) {
        saveErrorCondition();
        standardWarning(WarningReadError, Database::fileName(KMB::table));
        return {0, true};
    }
    return {rooms, false};
}

// The part of an amount that the first `nights` of a stay of `all` nights carry, in cents.
Decimal partOf(const Decimal& amount, std::int64_t nights, std::int64_t all) {
    return (amount * nights / all).rounded(2);
}

} // namespace

std::int64_t nightsInPeriod(Date from, Date to, Date arrival, Date departure) {
    return DienuSankirta(from, to, arrival, std::int64_t(departure) - 1);
}

Decimal occupancyPercent(std::int64_t used, std::int64_t planned) {
    if (planned <= 0) {
        return Decimal(0).rounded(2);
    }
    return (Decimal(used) * 100 / planned).rounded(2);
}

IncomeShare incomeShare(Date from, Date to, Date arrival, Date departure, const Decimal& withoutVat,
                        const Decimal& withVat) {
    IncomeShare share;
    share.withoutVat = share.vat = share.withVat = Decimal(0).rounded(2);
    if (to < from || departure < arrival) {
        return share;
    }
    const std::int64_t all = std::int64_t(departure) - arrival;
    if (all == 0) {
        if (arrival >= from && arrival <= to) {
            share.withoutVat = withoutVat.rounded(2);
            share.withVat = withVat.rounded(2);
            share.vat = share.withVat - share.withoutVat;
        }
        return share;
    }
    // The stay's nights before the period, and up to its end.
    const std::int64_t before = std::clamp<std::int64_t>(std::int64_t(from) - arrival, 0, all);
    const std::int64_t through = std::clamp<std::int64_t>(std::int64_t(to) + 1 - arrival, 0, all);
    share.nights = through - before;
    share.withoutVat = partOf(withoutVat, through, all) - partOf(withoutVat, before, all);
    share.withVat = partOf(withVat, through, all) - partOf(withVat, before, all);
    share.vat = share.withVat - share.withoutVat;
    return share;
}

// Both read through a handle of their own: nothing they do throws once the file is open, so it is
// closed again on every way out.
RoomCount roomsOfType(Context& context, std::string_view type) {
    if (trimRight(type).empty()) {
        return {};
    }
    Table rooms(context, KMB::table, false);
    rooms.open();
    View view(rooms);
    view.setFilter("UPPER(KMB:KambarioTipas) = UPPER(LOC:Tipas)");
    view.variables().set("LOC:Tipas", std::string(type));
    std::int64_t count = 0;
    // A view that cannot be opened has shown its warning.
    const bool opened = view.open() == StoreStatus::Ok;
    const StoreStatus status = opened ? view.count(count) : StoreStatus::Ok;
    view.close();
    rooms.close();
    return opened ? counted(status, count) : RoomCount{0, true};
}

RoomCount allRooms(Context& context) {
    Table rooms(context, KMB::table, false);
    rooms.open();
    std::int64_t count = 0;
    const StoreStatus status = rooms.recordCount(count);
    rooms.close();
    return counted(status, count);
}

} // namespace nakva
