// The three day lists of the window "ŠIANDIEN" on real files, on a day with arrivals, departures and
// stays crossing it, and the departure marked on the highlighted guest.
#include "FrontDeskTestSupport.h"

#include "data/Fields.h"
#include "frontdesk/DayLists.h"
#include "registration/RegistrationLists.h"
#include "shell/Globals.h"
#include "ui/ListEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nakva {
namespace {

constexpr std::size_t DepartedColumn = 0;
constexpr std::size_t NameColumn = 2;

class DayListsTest : public testing::FrontDeskTest {
protected:
    void SetUp() override {
        glo().EINDT = D;
        addStay(1, "Arvydas", 0, 2);            // arrives today
        addStay(2, "Birutė", -3, 0);            // leaves today
        addStay(3, "Algis", -2, 0, true);       // left today already
        addStay(4, "Cezaris", -2, 3);           // stays across today
        addStay(5, "Dovilė", -5, -1);           // should have left yesterday, still in the house
        addStay(6, "Elena", 1, 4);              // arrives tomorrow
        addStay(7, "Feliksas", -20, -10, true); // long gone
        addStay(8, "Gintarė", 0, 0);            // arrives and leaves today
    }

    static std::vector<std::string> shown(ListEngine& list, std::size_t column = NameColumn) {
        std::vector<std::string> cells;
        for (const ListRow& row : list.rows()) {
            cells.push_back(column == DepartedColumn ? row.icons.at(column) : row.cells.at(column));
        }
        return cells;
    }

    Context context{database};
};

TEST_F(DayListsTest, EachListShowsItsGuestsOfTheDay) {
    // list, guests shown in its order
    const std::vector<std::pair<ListConfig, std::vector<std::string>>> cases = {
        {SarAtvyksta(), {"Arvydas", "Gintarė"}},
        {SarIsvyksta(), {"Algis", "Birutė", "Gintarė"}},
        {SarGyvena(), {"Arvydas", "Birutė", "Cezaris", "Dovilė", "Gintarė"}},
    };
    for (const auto& [config, guests] : cases) {
        ListEngine list(config, context);
        list.setPageSize(20);
        list.open();
        EXPECT_EQ(shown(list), guests) << config.name;
    }
    ListEngine departures(SarIsvyksta(), context);
    departures.open();
    EXPECT_EQ(shown(departures, DepartedColumn), (std::vector<std::string>{"check", "empty", "empty"}));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(DayListsTest, TheDayIsTheWorkingDateWhenTheListOpens) {
    glo().EINDT = D + 1;
    ListEngine arrivals(SarAtvyksta(), context);
    arrivals.open();
    EXPECT_EQ(shown(arrivals), std::vector<std::string>{"Elena"});
}

TEST_F(DayListsTest, TheDepartureOfTheHighlightedGuestMovesThemFromTheHouseToTheDeparted) {
    ListEngine house(SarGyvena(), context);
    house.setPageSize(20);
    house.open();
    house.setCurrentRow(2); // Birutė
    ASSERT_EQ(house.regetCurrent(), StoreStatus::Ok);
    EXPECT_EQ(switchDeparture(context.table(TableId::Saskait)), DepartureResult::Departed);
    house.refresh();
    EXPECT_EQ(shown(house), (std::vector<std::string>{"Arvydas", "Cezaris", "Dovilė", "Gintarė"}));

    ListEngine departures(SarIsvyksta(), context);
    departures.open();
    EXPECT_EQ(shown(departures), (std::vector<std::string>{"Algis", "Birutė", "Gintarė"}));
    EXPECT_EQ(shown(departures, DepartedColumn), (std::vector<std::string>{"check", "check", "empty"}));
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:Isvykes"),
              (std::vector<std::string>{"0", "1", "1", "0", "0", "0", "1", "0"}));
}

} // namespace
} // namespace nakva
