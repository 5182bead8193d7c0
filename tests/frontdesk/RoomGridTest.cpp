// The room grid's model on real files: rooms in the room list's order, stays crossing the shown days'
// edges, a stay of one day, an overbooked night, a room not in use and an unprepared room.
#include "FrontDeskTestSupport.h"

#include "frontdesk/RoomGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nakva {
namespace {

class RoomGridTest : public testing::FrontDeskTest {
protected:
    // The guests standing on a room's day, in the cell's order.
    std::vector<std::string> guests(const RoomGrid& grid, int row, int column) {
        std::vector<std::string> names;
        for (const int index : grid.cell(row, column)) {
            names.push_back(grid.stay(index).guest);
        }
        return names;
    }

    const GridStay& stayOf(const RoomGrid& grid, const std::string& guest) {
        for (const GridStay& stay : grid.stays()) {
            if (stay.guest == guest) {
                return stay;
            }
        }
        ADD_FAILURE() << guest << " not in the grid";
        return grid.stays().front();
    }

    Context context{database};
};

TEST_F(RoomGridTest, StaysStandOnTheirNightsAcrossTheShownDays) {
    addRoom(2, "Vienvietis", "104");
    addRoom(1, "Dvivietis", "102");
    addRoom(3, "Dvivietis", "101");
    addStay(1, "Ona", -3, 2, false, {3});    // from before the first day
    addStay(2, "Jonas", 5, 10, false, {3});  // beyond the last day
    addStay(3, "Petras", 2, 2, false, {1});  // arrives and leaves on one day
    addStay(4, "Rūta", 1, 4, true, {1});     // departed
    addStay(5, "Eglė", 3, 5, false, {1, 2}); // overbooks room 102 on D+3, and holds 104 too
    addStay(6, "Senas", -10, -5, true, {3}); // before the shown days
    addStay(7, "Išvyko", -2, 0, true, {2});  // leaves on the first day: no night shown
    addStay(8, "Vėliau", 7, 9, false, {2});  // after the shown days
    addStay(9, "Be kambario", 0, 3);

    RoomGrid grid(context);
    ASSERT_TRUE(grid.build(D, 7));
    EXPECT_TRUE(messages.shown().empty());
    ASSERT_EQ(grid.roomCount(), 3);
    // By type, then number.
    EXPECT_EQ(grid.room(0).number, "101");
    EXPECT_EQ(grid.room(1).number, "102");
    EXPECT_EQ(grid.room(2).number, "104");
    EXPECT_EQ(grid.rowOfRoom(2), 2);
    EXPECT_EQ(grid.day(6), D + 6);

    // guest, row, first column, last column, before the first, after the last, one day, departed
    struct Expected {
        std::string guest;
        int row, first, last;
        bool before, after, sameDay, departed;
    };
    const std::vector<Expected> expected = {
        {"Ona", 0, 0, 1, true, false, false, false},   {"Jonas", 0, 5, 6, false, true, false, false},
        {"Rūta", 1, 1, 3, false, false, false, true},  {"Petras", 1, 2, 2, false, false, true, false},
        {"Eglė", 1, 3, 4, false, false, false, false}, {"Eglė", 2, 3, 4, false, false, false, false},
    };
    ASSERT_EQ(grid.stays().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const GridStay& stay = grid.stay(int(i));
        const Expected& want = expected[i];
        EXPECT_EQ(stay.guest, want.guest) << i;
        EXPECT_EQ(stay.row, want.row) << want.guest;
        EXPECT_EQ(stay.firstColumn, want.first) << want.guest;
        EXPECT_EQ(stay.lastColumn, want.last) << want.guest;
        EXPECT_EQ(stay.beforeFirst, want.before) << want.guest;
        EXPECT_EQ(stay.afterLast, want.after) << want.guest;
        EXPECT_EQ(stay.sameDay, want.sameDay) << want.guest;
        EXPECT_EQ(stay.departed, want.departed) << want.guest;
    }
    EXPECT_EQ(stayOf(grid, "Ona").invoice, "NKV 101");
    EXPECT_EQ(stayOf(grid, "Ona").residents, 2);
    EXPECT_EQ(stayOf(grid, "Ona").arrival, D - 3);

    // The night of D+2 is Rūta's; Petras's day stands beside it without a night. D+3 holds two nights.
    EXPECT_EQ(guests(grid, 1, 2), (std::vector<std::string>{"Rūta", "Petras"}));
    EXPECT_FALSE(grid.overbooked(1, 2));
    EXPECT_EQ(guests(grid, 1, 3), (std::vector<std::string>{"Rūta", "Eglė"}));
    EXPECT_TRUE(grid.overbooked(1, 3));
    EXPECT_FALSE(grid.overbooked(1, 4));
    // The departure day is no night: Ona's room is free on D+2.
    EXPECT_TRUE(grid.cell(0, 2).empty());
    EXPECT_TRUE(grid.cell(2, 0).empty());
}

// A stay's last night is the day before its departure, at either edge of the shown days: a guest
// arriving on another's departure day shares no night with them.
TEST_F(RoomGridTest, TheLastNightIsTheDayBeforeTheDeparture) {
    addRoom(1, "A", "101");
    addRoom(2, "A", "102");
    addRoom(3, "A", "103");
    addStay(1, "Ieva", 5, 7, false, {1});    // the nights of D+5 and D+6, the last shown day
    addStay(2, "Tomas", 6, 8, false, {2});   // the night of D+7 is beyond the shown days
    addStay(3, "Lukas", 1, 2, false, {3});   // one night
    addStay(4, "Greta", 2, 4, false, {3});   // arrives on Lukas's departure day
    addStay(5, "Marius", -1, 0, false, {3}); // leaves on the first shown day: no night shown

    RoomGrid grid(context);
    ASSERT_TRUE(grid.build(D, 7));
    ASSERT_EQ(grid.stays().size(), 4u);
    EXPECT_EQ(stayOf(grid, "Ieva").firstColumn, 5);
    EXPECT_EQ(stayOf(grid, "Ieva").lastColumn, 6);
    EXPECT_FALSE(stayOf(grid, "Ieva").afterLast);
    EXPECT_EQ(stayOf(grid, "Tomas").lastColumn, 6);
    EXPECT_TRUE(stayOf(grid, "Tomas").afterLast);
    EXPECT_EQ(stayOf(grid, "Lukas").lastColumn, 1);
    EXPECT_EQ(stayOf(grid, "Greta").firstColumn, 2);
    EXPECT_EQ(stayOf(grid, "Greta").lastColumn, 3);
    EXPECT_EQ(guests(grid, 2, 1), std::vector<std::string>{"Lukas"});
    EXPECT_EQ(guests(grid, 2, 2), std::vector<std::string>{"Greta"});
    EXPECT_FALSE(grid.overbooked(2, 2));
    EXPECT_TRUE(grid.cell(2, 0).empty());
    EXPECT_TRUE(grid.cell(2, 4).empty());
}

TEST_F(RoomGridTest, RoomsNotInUseAndUnpreparedRoomsAreMarked) {
    addRoom(1, "A", "101");
    addRoom(2, "A", "102");
    addRoom(3, "A", "103");
    addRoom(4, "A", "104");
    addRoom(5, "A", "105", false);
    addRoom(6, "A", "106");
    // 101: left on D-1, cleaned that day: unprepared.
    addStay(1, "Ieva", -5, -1, true, {1});
    addCleaning(1, 1, -10);
    addCleaning(2, 1, -1);
    // 102: left on D-1, cleaned on D: ready.
    addStay(2, "Tomas", -4, -1, true, {2});
    addCleaning(3, 2, 0);
    // 103: cleaned long ago, a guest in it now: occupied, so not unprepared.
    addStay(3, "Lukas", -6, -4, true, {3});
    addStay(4, "Gytis", -2, 3, false, {3});
    addCleaning(4, 3, -8);
    // 105: not in use, left and never cleaned since: greyed, never marked.
    addStay(5, "Aistė", -9, -7, true, {5});
    addCleaning(5, 5, -20);
    // 106: never cleaned: not marked.
    addStay(6, "Dalia", -9, -7, true, {6});

    RoomGrid grid(context);
    ASSERT_TRUE(grid.build(D, 14));
    ASSERT_EQ(grid.roomCount(), 6);
    // room, in use, unprepared
    const std::vector<std::tuple<std::string, bool, bool>> expected = {
        {"101", true, true},  {"102", true, false},  {"103", true, false},
        {"104", true, false}, {"105", false, false}, {"106", true, false},
    };
    for (int row = 0; row < grid.roomCount(); ++row) {
        const auto& [number, inUse, unprepared] = expected[std::size_t(row)];
        EXPECT_EQ(grid.room(row).number, number);
        EXPECT_EQ(grid.room(row).inUse, inUse) << number;
        EXPECT_EQ(grid.room(row).unprepared, unprepared) << number;
    }
    EXPECT_EQ(grid.room(0).lastDeparture, D - 1);
    EXPECT_EQ(grid.room(0).lastCleaning, D - 1);
    // The occupied room's current stay is drawn from the first day.
    EXPECT_EQ(guests(grid, 2, 0), std::vector<std::string>{"Gytis"});
}

TEST_F(RoomGridTest, AnEmptyHouseGivesAnEmptyGrid) {
    RoomGrid grid(context);
    ASSERT_TRUE(grid.build(D, 14));
    EXPECT_EQ(grid.roomCount(), 0);
    EXPECT_TRUE(grid.stays().empty());
}

} // namespace
} // namespace nakva
