#include "frontdesk/RoomGrid.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/View.h"
#include "messages/ErrorText.h"
#include "messages/StandardWarnings.h"
#include "roomservice/RoomOccupancy.h"
#include "roomservice/RoomServiceStatistics.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>

namespace nakva {

namespace {

constexpr int WarningReadError = 26;

// The room list's first order: type, building, floor, number, ID.
constexpr const char* RoomOrder =
    "+UPPER(KMB:KambarioTipas),+UPPER(KMB:KambarioKorpusas),+KMB:KambarioAukstas,"
    "+UPPER(KMB:KambarioNr),+KMB:KambarioID";

bool readFailed(StoreStatus status, TableId table) {
    if (status == StoreStatus::EndOfData) {
        return false;
    }
    saveErrorCondition();
    standardWarning(WarningReadError, Database::fileName(table));
    return true;
}

} // namespace

RoomGrid::RoomGrid(Context& context)
    : context_(context), rooms_(context, TableId::Kamb, false), cleanings_(context, TableId::KmbVal, false) {
    rooms_.open();
    cleanings_.open();
    context_.second(TableId::SaskKmb).open();
    context_.second(TableId::Saskait).open();
}

RoomGrid::~RoomGrid() {
    context_.second(TableId::Saskait).close();
    context_.second(TableId::SaskKmb).close();
    cleanings_.close();
    rooms_.close();
}

bool RoomGrid::build(Date first, int days) {
    first_ = first;
    days_ = std::max(days, 1);
    roomRows_.clear();
    stays_.clear();
    cells_.clear();
    const bool read = readRooms() && readStays() && readReadiness();
    place();
    return read;
}

bool RoomGrid::readRooms() {
    View view(rooms_);
    view.setOrder(RoomOrder);
    view.scanHint(true);
    if (view.open() != StoreStatus::Ok) {
        return false;
    }
    const Record& room = rooms_.record();
    StoreStatus status;
    while ((status = view.next()) == StoreStatus::Ok) {
        GridRoom& row = roomRows_.emplace_back();
        row.id = room.get(KMB::KambarioID);
        row.type = room.get(KMB::KambarioTipas);
        row.building = room.get(KMB::KambarioKorpusas);
        row.floor = room.get(KMB::KambarioAukstas);
        row.number = room.get(KMB::KambarioNr);
        row.inUse = room.get(KMB::KambarysNenaudojamas) == 0;
    }
    return !readFailed(status, TableId::Kamb);
}

// The stays that touch the days: arriving on or before the last day and leaving on or after the first.
bool RoomGrid::readStays() {
    if (days_ == 0) {
        return true;
    }
    const Date last = first_ + days_ - 1;
    return forEachStayTouching(
        context_, first_, last, [this](const Record& room, const Record& registration) {
            GridStay stay;
            stay.registration = registration.get(SAS1::IrasoNr);
            stay.roomId = room.get(SKMB1::KambarioID);
            stay.arrival = registration.get(SAS1::GyvenaNuo);
            stay.departure = registration.get(SAS1::GyvenaIki);
            stay.guest = registration.get(SAS1::Gyventojas);
            stay.residents = room.get(SKMB1::KambarioGyventojuSkc);
            const std::int32_t number = registration.get(SAS1::SaskNr);
            if (number != 0) {
                const std::string series(trimRight(registration.get(SAS1::SaskSer)));
                stay.invoice = (series.empty() ? "" : series + " ") + std::to_string(number);
            }
            stay.departed = registration.get(SAS1::Isvykes) != 0;
            stay.sameDay = stay.departure <= stay.arrival;
            stays_.push_back(std::move(stay));
        });
}

// The rule of the unprepared rooms' list, read for all rooms at once and the cheapest reads first: a
// room with a current stay on the shown days is occupied; each other room in use is read for its latest
// cleaning; one query finds the departed stays that left on or after the earliest of those cleanings;
// only for a room still unprepared then are the other current registrations (a guest whose departure
// date has passed, a stay booked for later) read, by one more query.
bool RoomGrid::readReadiness() {
    std::set<std::int32_t> occupied;
    for (const GridStay& stay : stays_) {
        if (!stay.departed) {
            occupied.insert(stay.roomId);
        }
    }
    std::map<std::int32_t, LatestCleaning> cleaned;
    Date earliest = std::numeric_limits<Date>::max();
    for (const GridRoom& room : roomRows_) {
        if (!room.inUse || occupied.contains(room.id)) {
            continue;
        }
        const LatestCleaning cleaning = latestCleaning(context_, room.id);
        if (cleaning.failed) {
            return false;
        }
        if (cleaning.found) {
            cleaned[room.id] = cleaning;
            earliest = std::min(earliest, cleaning.date);
        }
    }
    if (cleaned.empty()) {
        return true;
    }
    // Only the departure date is filtered on, so that the query reads along the departure key.
    std::map<std::int32_t, Date> lastDeparture;
    if (!forEachStay(context_, "SAS1:GyvenaIki >= LOC:PrDt", StaysTouchingOrder, earliest, NoDate,
                     [&](const Record& room, const Record& registration) {
                         const std::int32_t id = room.get(SKMB1::KambarioID);
                         if (registration.get(SAS1::Isvykes) != 0 && cleaned.contains(id)) {
                             Date& latest = lastDeparture[id];
                             latest = std::max(latest, Date(registration.get(SAS1::GyvenaIki)));
                         }
                     })) {
        return false;
    }
    std::vector<GridRoom*> unprepared;
    for (GridRoom& room : roomRows_) {
        const auto cleaning = cleaned.find(room.id);
        if (cleaning == cleaned.end()) {
            continue;
        }
        const auto departure = lastDeparture.find(room.id);
        room.lastDeparture = departure == lastDeparture.end() ? NoDate : departure->second;
        room.lastCleaning = cleaning->second.date;
        if (unpreparedRule(false, cleaning->second, room.lastDeparture)) {
            unprepared.push_back(&room);
        }
    }
    if (!unprepared.empty() &&
        !forEachStay(
            context_, "SAS1:Isvykes = 0 AND (SAS1:GyvenaIki < LOC:PrDt OR SAS1:GyvenaNuo > LOC:GalDt)",
            "+SAS1:Isvykes", first_, first_ + days_ - 1, [&occupied](const Record& room, const Record&) {
                occupied.insert(room.get(SKMB1::KambarioID));
            })) {
        return false;
    }
    for (GridRoom* room : unprepared) {
        room->unprepared = !occupied.contains(room->id);
    }
    return true;
}

void RoomGrid::place() {
    cells_.assign(roomRows_.size() * std::size_t(days_), {});
    std::map<std::int32_t, int> rows;
    for (int row = 0; row < roomCount(); ++row) {
        rows[roomRows_[std::size_t(row)].id] = row;
    }
    const Date last = first_ + days_ - 1;
    std::vector<GridStay> placed;
    for (GridStay& stay : stays_) {
        const auto row = rows.find(stay.roomId);
        if (row == rows.end() || stay.arrival == NoDate) {
            continue; // a room gone, or a stay without its arrival: nowhere to draw it
        }
        const Date lastNight = stay.sameDay ? stay.arrival : stay.departure - 1;
        if (lastNight < first_ || stay.arrival > last) {
            continue; // leaves on the first day: no night shown
        }
        stay.row = row->second;
        stay.beforeFirst = stay.arrival < first_;
        stay.afterLast = lastNight > last;
        stay.firstColumn = int(std::max(stay.arrival, first_) - first_);
        stay.lastColumn = int(std::min(lastNight, last) - first_);
        placed.push_back(std::move(stay));
    }
    std::sort(placed.begin(), placed.end(), [](const GridStay& a, const GridStay& b) {
        return std::tie(a.row, a.arrival, a.sameDay, a.registration) <
               std::tie(b.row, b.arrival, b.sameDay, b.registration);
    });
    stays_ = std::move(placed);
    for (int index = 0; index < int(stays_.size()); ++index) {
        const GridStay& stay = stays_[std::size_t(index)];
        for (int column = stay.firstColumn; column <= stay.lastColumn; ++column) {
            cells_[std::size_t(stay.row) * std::size_t(days_) + std::size_t(column)].push_back(index);
        }
    }
}

int RoomGrid::rowOfRoom(std::int32_t roomId) const {
    for (int row = 0; row < roomCount(); ++row) {
        if (roomRows_[std::size_t(row)].id == roomId) {
            return row;
        }
    }
    return -1;
}

const std::vector<int>& RoomGrid::cell(int row, int column) const {
    return cells_.at(std::size_t(row) * std::size_t(days_) + std::size_t(column));
}

bool RoomGrid::overbooked(int row, int column) const {
    int nights = 0;
    for (const int index : cell(row, column)) {
        nights += stays_[std::size_t(index)].sameDay ? 0 : 1;
    }
    return nights > 1;
}

} // namespace nakva
