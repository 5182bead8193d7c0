// The room occupancy operations against real table files.
#include "data/StoreTestSupport.h"

#include "data/View.h"
#include "roomservice/RoomOccupancy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nakva {
namespace {

const Date March1 = dateFromYmd(2024, 3, 1);
const Date March31 = dateFromYmd(2024, 3, 31);

// A registration holding one room.
struct Stay {
    std::int32_t registration;
    std::int32_t room;
    Date arrival;
    Date departure;
    int departed;
    std::int32_t residents = 1;
    const char* price = "0";
};

class RoomOccupancyTest : public testing::StoreTest {
protected:
    // Writes through a context of its own, as another window would.
    void add(const Stay& stay, bool withRegistration = true) {
        if (withRegistration) {
            Table& registrations = writer.table(TableId::Saskait);
            registrations.open();
            registrations.clear();
            registrations.record().set(SAS::IrasoNr, stay.registration);
            registrations.record().set(SAS::GyvenaNuo, stay.arrival);
            registrations.record().set(SAS::GyvenaIki, stay.departure);
            ASSERT_TRUE(registrations.record().set(SAS::Isvykes, stay.departed).ok());
            ASSERT_EQ(registrations.add(), StoreStatus::Ok);
            registrations.close();
        }
        Table& rooms = writer.table(TableId::SaskKmb);
        rooms.open();
        rooms.clear();
        rooms.record().set(SKMB::IrasoNr, stay.registration);
        rooms.record().set(SKMB::KambarioID, stay.room);
        rooms.record().set(SKMB::KambarioGyventojuSkc, stay.residents);
        ASSERT_TRUE(rooms.record().set(SKMB::KambarioKaina, *Decimal::parse(stay.price)).ok());
        ASSERT_EQ(rooms.add(), StoreStatus::Ok);
        rooms.close();
    }

    void addLogEntry(TableId log, std::int32_t entry, std::int32_t room, Date date, const char* quantity) {
        Table& table = writer.table(log);
        table.open();
        table.clear();
        ASSERT_TRUE(table.record().setValue("IrasoID", std::int64_t(entry)).ok());
        ASSERT_TRUE(table.record().setValue("KambarioID", std::int64_t(room)).ok());
        ASSERT_TRUE(table.record().setValue("IrasoDt", std::int64_t(date)).ok());
        ASSERT_TRUE(table.record().setText("KIEKIS", quantity).ok());
        ASSERT_EQ(table.add(), StoreStatus::Ok);
        table.close();
    }

    Context writer{database};
    Context context{database};
};

TEST_F(RoomOccupancyTest, OccupiedWhileARegistrationHoldingTheRoomIsNotDeparted) {
    const Date longAgo = dateFromYmd(2020, 1, 10);
    struct Case {
        const char* name;
        std::vector<Stay> stays;
        bool registrationsExist;
        bool occupied;
    };
    // Each case on a room of its own, numbered by its place in the table.
    const std::vector<Case> cases = {
        {"departure date long past, not departed", {{1, 1, longAgo - 3, longAgo, 0}}, true, true},
        {"dates not yet set", {{2, 2, NoDate, NoDate, 0}}, true, true},
        {"departed only", {{3, 3, longAgo - 3, longAgo, 1}}, true, false},
        {"departed and current",
         {{4, 4, longAgo - 3, longAgo, 1}, {5, 4, March1, March1 + 2, 0}},
         true,
         true},
        {"no registration at all", {}, true, false},
        {"room row whose registration is gone", {{7, 6, March1, March1 + 1, 0}}, false, false},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        for (const Stay& stay : cases[i].stays) {
            add(stay, cases[i].registrationsExist);
        }
    }
    add({8, 99, March1, March1 + 1, 0}); // another room's guest
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const RoomOccupied result = KmbUzimtas(context, std::int32_t(i + 1));
        EXPECT_EQ(result.occupied, cases[i].occupied);
        EXPECT_FALSE(result.failed);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RoomOccupancyTest, LastDepartureIsTheLatestAmongDepartedRegistrations) {
    add({1, 1, March1 - 10, March1 - 5, 1});
    add({2, 1, March1 - 4, March1 + 2, 1});
    add({3, 1, March1 - 20, March1 - 12, 1});
    add({4, 1, March1, March1 + 30, 0}); // still staying: not a departure
    add({5, 2, March1, March1 + 40, 1}); // another room
    add({6, 3, March1, March1 + 3, 0});  // a room never vacated

    EXPECT_EQ(KmbPaskIsvykimas(context, 1).departure, March1 + 2);
    EXPECT_EQ(KmbPaskIsvykimas(context, 3).departure, NoDate);
    EXPECT_EQ(KmbPaskIsvykimas(context, 4).departure, NoDate);
    EXPECT_FALSE(KmbPaskIsvykimas(context, 1).failed);
}

TEST(DienuSankirtaTest, DaysTwoInclusiveRangesShare) {
    const Date d = March1;
    struct Case {
        const char* name;
        Date from, to, arrival, departure; // the stay's nights are arrival .. departure - 1
        std::int64_t days;
    };
    const Case cases[] = {
        {"one night inside", d, d + 30, d + 5, d + 6, 1},
        {"same-day stay inside", d, d + 30, d + 5, d + 5, 0},
        {"one night on the last day", d, d + 30, d + 30, d + 31, 1},
        {"departure on the first day", d, d + 30, d - 3, d, 0},
        {"overlap at the start", d, d + 30, d - 2, d + 3, 3},
        {"overlap at the end", d, d + 30, d + 28, d + 35, 3},
        {"spans the period", d, d + 30, d - 10, d + 40, 31},
        {"before the period", d, d + 30, d - 10, d - 5, 0},
        {"after the period", d, d + 30, d + 31, d + 35, 0},
        {"empty period", d + 5, d + 4, d, d + 30, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DienuSankirta(c.from, c.to, c.arrival, std::int64_t(c.departure) - 1), c.days);
        // Which range comes first does not matter.
        EXPECT_EQ(DienuSankirta(c.arrival, std::int64_t(c.departure) - 1, c.from, c.to), c.days);
    }
}

TEST_F(RoomOccupancyTest, ResidenceCountsTheNightsOfEachStayInsideThePeriod) {
    struct Case {
        const char* name;
        Date arrival, departure;
        int departed;
        std::int32_t residents;
        const char* price;
        RoomResidence expected;
    };
    // Each case on a room of its own, numbered by its place in the table; period: March 2024.
    const std::vector<Case> cases = {
        {"departs on the period's first day", March1 - 3, March1, 1, 2, "40.00", {1, 2, 0, 0.0}},
        {"spans the period", March1 - 5, March31 + 5, 0, 2, "40.00", {1, 2, 62, 1240.0}},
        {"one night inside", March1 + 9, March1 + 10, 1, 3, "33.33", {1, 3, 3, 33.33}},
        {"same-day stay inside", March1 + 9, March1 + 9, 1, 3, "33.33", {1, 3, 0, 0.0}},
        {"from February into March", March1 - 2, March1 + 2, 1, 2, "45.50", {1, 2, 4, 91.0}},
        {"arrives on the last day", March31, March31 + 4, 0, 1, "20.10", {1, 1, 1, 20.10}},
        {"departs before the period", March1 - 9, March1 - 1, 1, 2, "40.00", {0, 0, 0, 0.0}},
        {"arrives after the period", March31 + 1, March31 + 3, 0, 2, "40.00", {0, 0, 0, 0.0}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        add({std::int32_t(i + 1), std::int32_t(i + 1), c.arrival, c.departure, c.departed, c.residents,
             c.price});
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const RoomResidence result = KmbGyvStat(context, std::int32_t(i + 1), March1, March31);
        EXPECT_EQ(result.records, cases[i].expected.records);
        EXPECT_EQ(result.residents, cases[i].expected.residents);
        EXPECT_EQ(result.bedDays, cases[i].expected.bedDays);
        EXPECT_DOUBLE_EQ(result.income, cases[i].expected.income);
        EXPECT_FALSE(result.failed);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RoomOccupancyTest, ResidenceAddsEveryStayOfTheRoomDepartedOrNot) {
    add({1, 7, March1 - 2, March1, 1, 2, "40.00"});       // departs on the first day
    add({2, 7, March1 + 2, March1 + 5, 1, 2, "40.00"});   // 3 nights
    add({3, 7, March1 + 20, March1 + 40, 0, 1, "35.25"}); // 11 nights in March
    add({4, 8, March1, March1 + 5, 0, 4, "90.00"});       // another room
    const RoomResidence result = KmbGyvStat(context, 7, March1, March31);
    EXPECT_EQ(result.records, 3);
    EXPECT_EQ(result.residents, 5);
    EXPECT_EQ(result.bedDays, 6 + 11);
    EXPECT_DOUBLE_EQ(result.income, 120.00 + 387.75);
}

TEST_F(RoomOccupancyTest, LogSumsTakeTheRoomsEntriesFromTheFirstToTheLastDayOfThePeriod) {
    struct Log {
        const char* name;
        TableId table;
        RoomServiceQuantity (*sum)(Context&, std::int32_t, Date, Date);
    };
    const Log logs[] = {
        {"cleanings", TableId::KmbVal, KmbValKiekis},
        {"bedding", TableId::KmbPatal, KmbPatKiekis},
        {"towels", TableId::KmbRanks, KmbRankKiekis},
    };
    for (const Log& log : logs) {
        addLogEntry(log.table, 1, 5, March1 - 1, "100");    // the day before
        addLogEntry(log.table, 2, 5, March1, "1.250");      // the first day
        addLogEntry(log.table, 3, 5, March1 + 14, "2");     // inside
        addLogEntry(log.table, 4, 5, March1 + 14, "0.125"); // the same day again
        addLogEntry(log.table, 5, 5, March31, "3");         // the last day
        addLogEntry(log.table, 6, 5, March31 + 1, "100");   // the day after
        addLogEntry(log.table, 7, 4, March1 + 3, "100");    // the room before
        addLogEntry(log.table, 8, 6, March1 + 3, "100");    // the room after
        addLogEntry(log.table, 9, 5, NoDate, "100");        // no date
    }
    for (const Log& log : logs) {
        SCOPED_TRACE(log.name);
        const RoomServiceQuantity march = log.sum(context, 5, March1, March31);
        EXPECT_EQ(march.quantity, *Decimal::parse("6.375"));
        EXPECT_FALSE(march.failed);
        EXPECT_EQ(log.sum(context, 5, March1 + 14, March1 + 14).quantity, *Decimal::parse("2.125"));
        EXPECT_EQ(log.sum(context, 5, March1 + 1, March1 + 13).quantity, Decimal(0));
        EXPECT_EQ(log.sum(context, 7, March1, March31).quantity, Decimal(0));
        EXPECT_EQ(log.sum(context, 5, March31, March1).quantity, Decimal(0));
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RoomOccupancyTest, RunsBesideAnOpenViewWithoutTouchingItsBuffersOrCurrentRecord) {
    for (std::int32_t number = 1; number <= 3; ++number) {
        add({number, 1, March1 + number, March1 + number + 2, number == 3 ? 0 : 1, 2, "50.00"});
    }
    addLogEntry(TableId::KmbVal, 1, 1, March1 + 1, "1");
    addLogEntry(TableId::KmbVal, 2, 1, March1 + 2, "1");

    // A list of the rooms of registrations with their registrations, standing on its first row with an
    // edit not yet saved; and a cleanings list standing on its first entry.
    Table& rooms = context.table(TableId::SaskKmb);
    Table& registrations = context.table(TableId::Saskait);
    Table& cleanings = context.table(TableId::KmbVal);
    rooms.open();
    registrations.open();
    cleanings.open();
    View list(rooms);
    list.join(TableId::Saskait);
    list.setOrder("+SKMB:IrasoNr");
    ASSERT_EQ(list.open(), StoreStatus::Ok);
    ASSERT_EQ(list.next(), StoreStatus::Ok);
    rooms.record().set(SKMB::KambarioGyventojuSkc, 9);
    const Record roomBuffer = rooms.record();
    const Record registrationBuffer = registrations.record();
    const Position listPosition = list.position();
    ASSERT_EQ(cleanings.setToKeyStart(KVAL::KEY_ID), StoreStatus::Ok);
    ASSERT_EQ(cleanings.next(), StoreStatus::Ok);
    ASSERT_TRUE(cleanings.record().set(KVAL::ValytPav, "Ona").ok());
    const Record cleaningBuffer = cleanings.record();

    EXPECT_TRUE(KmbUzimtas(context, 1).occupied);
    EXPECT_EQ(KmbPaskIsvykimas(context, 1).departure, March1 + 4);
    EXPECT_EQ(KmbGyvStat(context, 1, March1, March31).records, 3);
    EXPECT_EQ(KmbValKiekis(context, 1, March1, March31).quantity, Decimal(2));

    EXPECT_EQ(rooms.record(), roomBuffer);
    EXPECT_EQ(registrations.record(), registrationBuffer);
    EXPECT_EQ(cleanings.record(), cleaningBuffer);
    EXPECT_EQ(list.position(), listPosition);
    // The list reads on from where it stood, and its handle still rewrites the row it stands on.
    ASSERT_EQ(rooms.put(), StoreStatus::Ok);
    ASSERT_EQ(list.next(), StoreStatus::Ok);
    EXPECT_EQ(rooms.record().get(SKMB::IrasoNr), 2);
    EXPECT_EQ(registrations.record().get(SAS::IrasoNr), 2);
    ASSERT_EQ(cleanings.put(), StoreStatus::Ok);
    ASSERT_EQ(cleanings.next(), StoreStatus::Ok);
    EXPECT_EQ(cleanings.record().get(KVAL::IrasoID), 2);

    ASSERT_EQ(rooms.setToKeyStart(SKMB::INRKMBIDKEY), StoreStatus::Ok);
    ASSERT_EQ(rooms.next(), StoreStatus::Ok);
    EXPECT_EQ(rooms.record().get(SKMB::KambarioGyventojuSkc), 9);
    ASSERT_EQ(cleanings.setToKeyStart(KVAL::KEY_ID), StoreStatus::Ok);
    ASSERT_EQ(cleanings.next(), StoreStatus::Ok);
    EXPECT_EQ(cleanings.record().get(KVAL::ValytPav), "Ona");
    list.close();
    rooms.close();
    registrations.close();
    cleanings.close();
}

TEST_F(RoomOccupancyTest, LeavesNoTableOpenBehind) {
    add({1, 1, March1, March1 + 2, 0});
    KmbUzimtas(context, 1);
    KmbPaskIsvykimas(context, 1);
    KmbGyvStat(context, 1, March1, March31);
    KmbValKiekis(context, 1, March1, March31);
    KmbPatKiekis(context, 1, March1, March31);
    KmbRankKiekis(context, 1, March1, March31);
    for (TableId table : {TableId::SaskKmb, TableId::Saskait}) {
        EXPECT_FALSE(context.table(table).isOpen());
        EXPECT_FALSE(context.second(table).isOpen());
    }
}

// The first night of a stay that another current stay of the room holds: the nights run from the
// arrival to the day before the departure, a departed stay or one of a single day holds none, and the
// stay's own registration never counts.
TEST_F(RoomOccupancyTest, ATakenNightIsTheFirstNightAnotherCurrentStayHolds) {
    const auto dec = [](int day) {
        return dateFromYmd(2026, 12, day);
    };
    add({1, 1, dec(7), dec(10), 0});
    add({2, 1, dec(10), dec(12), 1});
    add({3, 1, dec(15), dec(15), 0});
    add({4, 2, dec(1), dec(31), 0});
    add({5, 1, dec(20), dec(23), 0});
    struct Case {
        const char* name;
        std::int32_t room;
        Date arrival;
        Date departure;
        std::int32_t own;
        Date night; // NoDate: none taken
        std::int32_t holder;
    };
    const Case cases[] = {
        {"inside", 1, dec(8), dec(9), 9, dec(8), 1},
        {"arriving before", 1, dec(5), dec(8), 9, dec(7), 1},
        {"spanning two stays", 1, dec(9), dec(22), 9, dec(9), 1},
        {"arriving on its departure", 1, dec(10), dec(12), 9, NoDate, 0},
        {"leaving on its arrival", 1, dec(3), dec(7), 9, NoDate, 0},
        {"its own registration", 1, dec(8), dec(9), 1, NoDate, 0},
        {"a stay of one day holds no night", 1, dec(15), dec(16), 9, NoDate, 0},
        {"a stay without a night", 1, dec(8), dec(8), 9, NoDate, 0},
        {"another room", 2, dec(20), dec(21), 9, dec(20), 4},
        {"a later stay", 1, dec(21), dec(25), 9, dec(21), 5},
    };
    for (const Case& c : cases) {
        const TakenNight taken = takenNight(context, c.room, c.arrival, c.departure, c.own);
        EXPECT_FALSE(taken.failed) << c.name;
        EXPECT_EQ(taken.found, c.night != NoDate) << c.name;
        EXPECT_EQ(taken.night, c.night) << c.name;
        EXPECT_EQ(taken.registration, c.holder) << c.name;
    }
    const TakenNight inside = takenNight(context, 1, dec(8), dec(9), 9);
    EXPECT_EQ(inside.arrival, dec(7));
    EXPECT_EQ(inside.departure, dec(10));
}

} // namespace
} // namespace nakva
