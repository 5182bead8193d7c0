#include "roomservice/RoomOccupancy.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/View.h"
#include "messages/ErrorText.h"
#include "messages/StandardWarnings.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace nakva {

namespace {

constexpr int WarningReadError = 26;

// A read that broke off: the store's condition, shown with the file's name.
void reportReadFailure(TableId table) {
    saveErrorCondition();
    standardWarning(WarningReadError, Database::fileName(table));
}

// The rooms of registrations (SKMB1) joined to their registration (SAS1) for one room, through a view
// of their own with the room and the period bound as LOC:KmbID, LOC:PrDt and LOC:GalDt. The view is
// closed and the tables released when the reader goes.
class StayRows {
public:
    StayRows(Context& context, const char* filter, const char* order, std::int32_t roomId, Date from = NoDate,
             Date to = NoDate)
        : rooms_(context.second(TableId::SaskKmb)), registrations_(context.second(TableId::Saskait)),
          view_(rooms_.table()) {
        view_.join(TableId::Saskait, true);
        view_.setFilter(filter);
        view_.setOrder(order);
        view_.variables().set("LOC:KmbID", std::int64_t(roomId));
        view_.variables().set("LOC:PrDt", std::int64_t(from));
        view_.variables().set("LOC:GalDt", std::int64_t(to));
        failed_ = view_.open() != StoreStatus::Ok; // reported by the view
    }

    // The next row whose registration exists (a room row left without its registration holds no
    // stay); false at the end and after a failure, which is reported here.
    bool next() {
        if (failed_) {
            return false;
        }
        StoreStatus status;
        while ((status = view_.next()) == StoreStatus::Ok) {
            if (registration().get(SAS1::IrasoNr) != 0) {
                return true;
            }
        }
        if (status != StoreStatus::EndOfData) {
            reportReadFailure(TableId::SaskKmb);
            failed_ = true;
        }
        return false;
    }

    const Record& room() const { return rooms_.table().record(); }
    const Record& registration() const { return registrations_.table().record(); }
    bool failed() const { return failed_; }

private:
    OpenedTable rooms_;
    OpenedTable registrations_;
    View view_;
    bool failed_ = false;
};

// The fields of a housekeeping log that its sums read; the three logs differ only in their prefix.
template <TableId T> struct LogFields {
    LongField<T> entry;
    LongField<T> date;
    LongField<T> room;
    DecimalField<T> quantity;
    Key<T> byRoomAndDate;
};

constexpr LogFields<TableId::KmbVal> Cleanings{KVAL::IrasoID, KVAL::IrasoDt, KVAL::KambarioID, KVAL::KIEKIS,
                                               KVAL::KEY_KMBDT};
constexpr LogFields<TableId::KmbPatal> BeddingChanges{KPAT::IrasoID, KPAT::IrasoDt, KPAT::KambarioID,
                                                      KPAT::KIEKIS, KPAT::KEY_KMBDT};
constexpr LogFields<TableId::KmbRanks> TowelChanges{KRANK::IrasoID, KRANK::IrasoDt, KRANK::KambarioID,
                                                    KRANK::KIEKIS, KRANK::KEY_KMBDT};

// The entries with room = roomId and from <= date <= to, read along the log's (room, date, entry) key
// through a handle of the operation's own: the context's buffer of the log and its current record stay
// as they were (the logs have no second buffer).
template <TableId T>
RoomServiceQuantity logQuantity(Context& context, const LogFields<T>& log, std::int32_t roomId, Date from,
                                Date to) {
    RoomServiceQuantity result;
    Table entries(context, T, false);
    const OpenedTable opened(entries);
    Record& entry = entries.record();
    entry.set(log.room, roomId);
    entry.set(log.date, from);
    entry.set(log.entry, std::numeric_limits<std::int32_t>::min());
    StoreStatus status = entries.setToKeyValue(log.byRoomAndDate);
    while (status == StoreStatus::Ok && (status = entries.next()) == StoreStatus::Ok) {
        if (entry.get(log.room) != roomId || entry.get(log.date) > to) {
            break;
        }
        result.quantity += entry.get(log.quantity);
    }
    if (status != StoreStatus::Ok && status != StoreStatus::EndOfData) {
        reportReadFailure(T);
        result.failed = true;
    }
    return result;
}

} // namespace

RoomOccupied KmbUzimtas(Context& context, std::int32_t roomId) {
    StayRows stays(context, "SAS1:Isvykes=0 AND SKMB1:KambarioID = LOC:KmbID", "", roomId);
    RoomOccupied result;
    result.occupied = stays.next();
    result.failed = stays.failed();
    return result;
}

RoomLastDeparture KmbPaskIsvykimas(Context& context, std::int32_t roomId) {
    StayRows stays(context, "SAS1:Isvykes=1 AND SKMB1:KambarioID = LOC:KmbID", "-SAS1:GyvenaIki", roomId);
    RoomLastDeparture result;
    if (stays.next()) {
        result.departure = stays.registration().get(SAS1::GyvenaIki);
    }
    result.failed = stays.failed();
    return result;
}

std::int64_t DienuSankirta(std::int64_t from1, std::int64_t to1, std::int64_t from2, std::int64_t to2) {
    if (to1 < from1 || to2 < from2 || to1 < from2 || to2 < from1) {
        return 0;
    }
    return std::min(to1, to2) - std::max(from1, from2) + 1;
}

RoomResidence KmbGyvStat(Context& context, std::int32_t roomId, Date from, Date to) {
    // Every stay in the room that ends in the period, starts in it or spans it.
    const char* const inPeriod = "(SKMB1:KambarioID=LOC:KmbID) and "
                                 "((SAS1:GyvenaIki>=LOC:PrDt and SAS1:GyvenaIki<=LOC:GalDt) or "
                                 "(SAS1:GyvenaNuo>=LOC:PrDt and SAS1:GyvenaNuo<=LOC:GalDt) or "
                                 "(SAS1:GyvenaNuo<LOC:PrDt and SAS1:Gyvenaiki>LOC:GalDt))";
    StayRows stays(context, inPeriod, "", roomId, from, to);
    RoomResidence result;
    while (stays.next()) {
        const std::int64_t residents = stays.room().get(SKMB1::KambarioGyventojuSkc);
        // The nights in the period: the departure day is not one.
        const Record& registration = stays.registration();
        const std::int64_t nights = DienuSankirta(from, to, registration.get(SAS1::GyvenaNuo),
                                                  std::int64_t(registration.get(SAS1::GyvenaIki)) - 1);
        ++result.records;
        result.residents += residents;
        result.bedDays += nights * residents;
        result.income += (stays.room().get(SKMB1::KambarioKaina) * nights).toDouble();
    }
    result.failed = stays.failed();
    return result;
}

bool forEachStay(Context& context, const char* filter, const char* order, Date from, Date to,
                 const StayRowEach& each) {
    const OpenedTable rooms(context.second(TableId::SaskKmb));
    const OpenedTable registrations(context.second(TableId::Saskait));
    View view(rooms.table());
    // Required: the registrations' keys find the rows, and a room row without its registration holds
    // no stay.
    view.join(TableId::Saskait, true, true);
    view.setFilter(filter);
    view.setOrder(order);
    view.variables().set("LOC:PrDt", std::int64_t(from));
    view.variables().set("LOC:GalDt", std::int64_t(to));
    // Every row in one read: the rows are few, and a read restarted after a batch could leave the
    // index that finds them.
    view.setPageSize(std::numeric_limits<int>::max());
    if (view.open() != StoreStatus::Ok) {
        return false; // shown by the view
    }
    const Record& room = rooms.table().record();
    const Record& registration = registrations.table().record();
    StoreStatus status;
    while ((status = view.next()) == StoreStatus::Ok) {
        each(room, registration);
    }
    if (status != StoreStatus::EndOfData) {
        reportReadFailure(TableId::SaskKmb);
        return false;
    }
    return true;
}

bool forEachStayTouching(Context& context, Date first, Date last, const StayRowEach& each) {
    return forEachStay(context, StaysTouchingFilter, StaysTouchingOrder, first, last, each);
}

TakenNight takenNight(Context& context, std::int32_t roomId, Date arrival, Date departure,
                      std::int32_t registration) {
    TakenNight taken;
    if (arrival == NoDate || departure <= arrival) {
        return taken;
    }
    const Date lastNight = departure - 1;
    taken.failed =
        !forEachStayTouching(context, arrival, lastNight, [&](const Record& room, const Record& stay) {
            const Date from = stay.get(SAS1::GyvenaNuo);
            const Date to = stay.get(SAS1::GyvenaIki);
            if (room.get(SKMB1::KambarioID) != roomId || stay.get(SAS1::IrasoNr) == registration ||
                stay.get(SAS1::Isvykes) != 0 || from == NoDate || to <= from || to <= arrival ||
                from > lastNight) {
                return;
            }
            const Date night = std::max(arrival, from);
            if (taken.found && std::tie(taken.night, taken.arrival) <= std::tie(night, from)) {
                return;
            }
            taken.found = true;
            taken.night = night;
            taken.registration = stay.get(SAS1::IrasoNr);
            taken.guest = stay.get(SAS1::Gyventojas);
            taken.arrival = from;
            taken.departure = to;
        });
    if (taken.failed) {
        taken.found = false;
    }
    return taken;
}

RoomServiceQuantity KmbValKiekis(Context& context, std::int32_t roomId, Date from, Date to) {
    return logQuantity(context, Cleanings, roomId, from, to);
}

RoomServiceQuantity KmbPatKiekis(Context& context, std::int32_t roomId, Date from, Date to) {
    return logQuantity(context, BeddingChanges, roomId, from, to);
}

RoomServiceQuantity KmbRankKiekis(Context& context, std::int32_t roomId, Date from, Date to) {
    return logQuantity(context, TowelChanges, roomId, from, to);
}

} // namespace nakva
