// What the room service reports compute for each room, against real table files.
#include "data/StoreTestSupport.h"

#include "roomservice/RoomServiceStatistics.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace nakva {
namespace {

class RoomServiceStatisticsTest : public testing::StoreTest {
public:
    Context context{database};
    int registrations = 0;
    int cleanings = 0;

    void stay(int room, const std::string& from, const std::string& to, bool departed,
              const std::string& residents = "1", const std::string& price = "0") {
        ++registrations;
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", std::to_string(registrations)},
                                     {"SAS:GyvenaNuo", from},
                                     {"SAS:GyvenaIki", to},
                                     {"SAS:Isvykes", departed ? "1" : "0"}});
        addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", std::to_string(registrations)},
                                     {"SKMB:KambarioID", std::to_string(room)},
                                     {"SKMB:KambarioGyventojuSkc", residents},
                                     {"SKMB:KambarioKaina", price}});
    }

    void cleaning(int room, const std::string& date, const std::string& quantity = "1") {
        ++cleanings;
        addRecord(TableId::KmbVal, {{"KVAL:IrasoID", std::to_string(cleanings)},
                                    {"KVAL:IrasoDt", date},
                                    {"KVAL:KambarioID", std::to_string(room)},
                                    {"KVAL:KIEKIS", quantity}});
    }
};

struct UnpreparedCase {
    const char* name;
    std::function<void(RoomServiceStatisticsTest&)> history; // of room 5
    bool listed;
    const char* lastCleaning;
};

void PrintTo(const UnpreparedCase& c, std::ostream* out) {
    *out << c.name;
}

class UnpreparedRoomTest : public RoomServiceStatisticsTest,
                           public ::testing::WithParamInterface<UnpreparedCase> {};

TEST_P(UnpreparedRoomTest, IsListedOnlyWhenFreeVacatedAndNotCleanedSince) {
    GetParam().history(*this);
    cleaning(6, "2026-12-20"); // another room's cleaning is never this room's
    const UnpreparedRoom room = unpreparedRoom(context, 5);
    EXPECT_FALSE(room.failed);
    EXPECT_EQ(room.listed, GetParam().listed);
    EXPECT_EQ(formatDate(room.lastCleaning), GetParam().lastCleaning);
    EXPECT_TRUE(messages.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Rooms, UnpreparedRoomTest,
                         ::testing::Values(UnpreparedCase{"CleanedOnTheDepartureDay",
                                                          [](RoomServiceStatisticsTest& t) {
                                                              t.cleaning(5, "2026-12-01");
                                                              t.stay(5, "2026-12-01", "2026-12-05", true);
                                                              t.cleaning(5, "2026-12-05");
                                                          },
                                                          true, "2026-12-05"},
                                           UnpreparedCase{"CleanedAfterTheLastDeparture",
                                                          [](RoomServiceStatisticsTest& t) {
                                                              t.stay(5, "2026-12-01", "2026-12-05", true);
                                                              t.stay(5, "2026-11-01", "2026-11-03", true);
                                                              t.cleaning(5, "2026-12-06");
                                                          },
                                                          false, ""},
                                           UnpreparedCase{"CleanedBeforeTheLatestOfTwoDepartures",
                                                          [](RoomServiceStatisticsTest& t) {
                                                              t.stay(5, "2026-11-01", "2026-11-03", true);
                                                              t.cleaning(5, "2026-11-04");
                                                              t.stay(5, "2026-12-01", "2026-12-05", true);
                                                          },
                                                          true, "2026-11-04"},
                                           UnpreparedCase{"Occupied",
                                                          [](RoomServiceStatisticsTest& t) {
                                                              t.stay(5, "2026-11-01", "2026-11-03", true);
                                                              t.cleaning(5, "2026-11-02");
                                                              t.stay(5, "2026-12-01", "2026-12-05", false);
                                                          },
                                                          false, ""},
                                           UnpreparedCase{"NeverCleaned",
                                                          [](RoomServiceStatisticsTest& t) {
                                                              t.stay(5, "2026-12-01", "2026-12-05", true);
                                                          },
                                                          false, ""},
                                           UnpreparedCase{"NeverVacated",
                                                          [](RoomServiceStatisticsTest& t) {
                                                              t.cleaning(5, "2026-12-01");
                                                          },
                                                          false, ""}),
                         nakva::testing::CaseName());

// December of a room with stays crossing both ends of the month: only the nights inside it count,
// and a stay leaving on the first counts as a record with its residents but no bed-days or income.
TEST_F(RoomServiceStatisticsTest, AMonthCountsItsOwnNightsAndRoundsTheIncomeToTheCent) {
    stay(5, "2026-11-25", "2026-12-01", true, "2", "40.00");  // leaves on the first: no night
    stay(5, "2026-11-28", "2026-12-03", true, "2", "33.34");  // 2 nights in December
    stay(5, "2026-12-30", "2027-01-05", false, "1", "20.10"); // 2 nights in December
    stay(6, "2026-12-10", "2026-12-12", true, "3", "99");     // another room
    cleaning(5, "2026-11-30", "1");
    cleaning(5, "2026-12-01", "1");
    cleaning(5, "2026-12-31", "2");
    addRecord(TableId::KmbRanks, {{"KRANK:IrasoID", "1"},
                                  {"KRANK:IrasoDt", "2026-12-15"},
                                  {"KRANK:KambarioID", "5"},
                                  {"KRANK:KIEKIS", "4"}});

    const RoomServiceLine line =
        roomServiceLine(context, 5, dateFromYmd(2026, 12, 1), dateFromYmd(2026, 12, 31));
    EXPECT_FALSE(line.failed);
    EXPECT_EQ(line.records, 3);
    EXPECT_EQ(line.residents, 5);
    EXPECT_EQ(line.bedDays, 2 * 2 + 2 * 1);
    EXPECT_EQ(line.cleanings, Decimal(3));
    EXPECT_EQ(line.bedding, Decimal(0));
    EXPECT_EQ(line.towels, Decimal(4));
    // 33.34 × 2 + 20.10 × 2, summed in floating point and rounded back to the cent
    EXPECT_EQ(line.income.toString(2), "106.88");
}

} // namespace
} // namespace nakva
