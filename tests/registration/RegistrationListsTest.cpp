// The two registration lists and the departure button on real files: tabs, filters, the payer's name,
// the departed check, and the departure with its cancellation refused while a room is taken.
#include "data/StoreTestSupport.h"

#include "data/Fields.h"
#include "registration/RegistrationLists.h"
#include "support/AnswerAtOnce.h"
#include "ui/ListEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nakva {
namespace {

using testing::StoreTest;

class RegistrationListsTest : public StoreTest {
protected:
    void addRegistration(const std::string& number, const std::string& name,
                         std::vector<std::pair<std::string, std::string>> more = {}) {
        more.emplace_back("SAS:IrasoNr", number);
        more.emplace_back("SAS:Gyventojas", name);
        addRecord(TableId::Saskait, more);
    }

    // A column of the page's rows.
    static std::vector<std::string> shown(const ListEngine& list, std::size_t column) {
        std::vector<std::string> cells;
        for (const ListRow& row : list.rows()) {
            cells.push_back(row.cells.at(column));
        }
        return cells;
    }

    // The departure button on the registration numbered `number`, as the list makes it current.
    DepartureResult depart(const std::string& number) {
        Table& table = context.table(TableId::Saskait);
        table.open();
        table.clear();
        EXPECT_TRUE(table.record().setText("SAS:IrasoNr", number).ok());
        EXPECT_EQ(table.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
        const DepartureResult result = switchDeparture(table);
        table.close();
        return result;
    }

    Context context{database};
};

constexpr std::size_t NameColumn = 1;

TEST_F(RegistrationListsTest, TheDepartureOfARegistrationWhoseRoomWasTakenMeanwhileCannotBeCancelled) {
    addRecord(TableId::Kamb, {{"KMB:KambarioID", "1"}, {"KMB:KambarioNr", "101"}});
    addRecord(TableId::Kamb, {{"KMB:KambarioID", "2"}, {"KMB:KambarioNr", "102"}});
    addRegistration("1", "Ona");
    addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", "1"}, {"SKMB:KambarioID", "1"}});
    addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", "1"}, {"SKMB:KambarioID", "2"}});

    EXPECT_EQ(depart("1"), DepartureResult::Departed);
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:Isvykes"), std::vector<std::string>{"1"});

    // A current guest takes room 102: one message for it, naming the room as its door does.
    addRegistration("2", "Jonas");
    addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", "2"}, {"SKMB:KambarioID", "2"}});
    EXPECT_EQ(depart("1"), DepartureResult::RoomsOccupied);
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"Kambarys 102 jau užimtas. Negaliu atšaukti išvykimo."});
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:Isvykes"), (std::vector<std::string>{"1", "0"}));

    // Once that guest has left, the departure is cancelled.
    EXPECT_EQ(depart("2"), DepartureResult::Departed);
    EXPECT_EQ(depart("1"), DepartureResult::Returned);
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:Isvykes"), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(messages.shown().size(), 1U);
}

TEST_F(RegistrationListsTest, TheDepartureKeepsWhatAnotherStationWroteMeanwhile) {
    addRegistration("1", "Ona");
    Table& table = context.table(TableId::Saskait);
    table.open();
    table.record().set(SAS::IrasoNr, 1);
    ASSERT_EQ(table.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
    {
        Context other(database);
        Table& theirs = other.table(TableId::Saskait);
        theirs.open();
        theirs.record().set(SAS::IrasoNr, 1);
        ASSERT_EQ(theirs.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
        (void)theirs.record().set(SAS::Gyventojas, "Ona Onaitė");
        ASSERT_EQ(theirs.put(), StoreStatus::Ok);
        theirs.close();
    }
    EXPECT_EQ(switchDeparture(table), DepartureResult::Departed);
    table.close();
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:Gyventojas"), std::vector<std::string>{"Ona Onaitė"});
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:Isvykes"), std::vector<std::string>{"1"});
}

TEST_F(RegistrationListsTest, ADepartedRegistrationLeavesTheCurrentListAndStaysInTheArchiveWithItsCheck) {
    addRecord(TableId::Klient, {{"KLI:Kod", "UAB"}, {"KLI:PAV", "UAB Kelionė"}});
    addRegistration("1", "Ona", {{"SAS:IrasoDt", "2026-03-01"}, {"SAS:KliKod", "UAB"}});
    addRegistration("2", "Jonas", {{"SAS:IrasoDt", "2026-03-02"}});

    ListEngine current(SarSaskait(), context);
    current.open();
    EXPECT_EQ(shown(current, NameColumn), (std::vector<std::string>{"Ona", "Jonas"}));
    // The payer's name, blank without a payer.
    EXPECT_EQ(shown(current, 12), (std::vector<std::string>{"UAB Kelionė", ""}));
    // Dates with the year whole: a spreadsheet reading the export takes "26-03-01" for 1926 or 2001.
    EXPECT_EQ(shown(current, 0), (std::vector<std::string>{"2026-03-01", "2026-03-02"}));

    ASSERT_EQ(current.regetCurrent(), StoreStatus::Ok);
    Table& registrations = context.table(TableId::Saskait);
    EXPECT_EQ(switchDeparture(registrations), DepartureResult::Departed);
    // The status line names whom the key marked departed, and whom it brought back.
    EXPECT_EQ(departureStatus(DepartureResult::Departed, registrations.record()), "Išvyko: Ona, įrašo Nr. 1");
    EXPECT_EQ(departureStatus(DepartureResult::Returned, registrations.record()),
              "Išvykimas atšauktas: Ona, įrašo Nr. 1");
    EXPECT_EQ(departureStatus(DepartureResult::RoomsOccupied, registrations.record()), "");
    current.refresh();
    EXPECT_EQ(shown(current, NameColumn), std::vector<std::string>{"Jonas"});

    ListEngine all(SarSaskaitVisi(), context);
    all.open();
    for (int tab = 0; tab < int(all.config().tabs.size()); ++tab) {
        if (tab == AllPayerTab || tab == AllGroupTab) {
            continue; // they show the chosen payer's or group's registrations
        }
        all.selectTab(tab);
        std::vector<std::string> departed;
        for (const ListRow& row : all.rows()) {
            if (row.icons.at(0) == "check") {
                departed.push_back(row.cells.at(NameColumn + 1));
            }
        }
        const bool notDeparted = all.config().tabs[std::size_t(tab)].text == "Neišvykę";
        EXPECT_EQ(departed, notDeparted ? std::vector<std::string>{} : std::vector<std::string>{"Ona"})
            << all.config().tabs[std::size_t(tab)].text;
    }
}

TEST_F(RegistrationListsTest, AnInvoiceNumberShowsTheCurrentRegistrationsOfEverySeriesInSeriesOrder) {
    addRegistration("1", "Bė", {{"SAS:SaskSer", "B"}, {"SAS:SaskNr", "15"}});
    addRegistration("2", "Tuščia", {{"SAS:SaskSer", ""}, {"SAS:SaskNr", "15"}});
    addRegistration("3", "a", {{"SAS:SaskSer", "a"}, {"SAS:SaskNr", "15"}});
    addRegistration("4", "Kitas", {{"SAS:SaskSer", "A"}, {"SAS:SaskNr", "16"}});
    addRegistration("5", "Išvykęs", {{"SAS:SaskSer", "A"}, {"SAS:SaskNr", "15"}, {"SAS:Isvykes", "1"}});
    ListEngine list(SarSaskait(), context);
    list.open();
    list.selectTab(CurrentInvoiceNumberTab);
    EXPECT_TRUE(list.rows().empty());
    list.variables().set(InvoiceNumberVariable, std::int64_t(15));
    list.reload();
    EXPECT_EQ(shown(list, NameColumn), (std::vector<std::string>{"Tuščia", "a", "Bė"}));
}

TEST_F(RegistrationListsTest, AGroupTabComparesGroupsWithoutRegardToLetterCase) {
    addRegistration("1", "Ona", {{"SAS:GyventojoGrupe", "turistai"}});
    addRegistration("2", "Jonas", {{"SAS:GyventojoGrupe", "Turistai"}});
    addRegistration("3", "Petras", {{"SAS:GyventojoGrupe", "Verslas"}});
    addRegistration("4", "Išvykęs", {{"SAS:GyventojoGrupe", "TURISTAI"}, {"SAS:Isvykes", "1"}});
    ListEngine current(SarSaskait(), context);
    current.open();
    current.selectTab(CurrentGroupTab);
    current.variables().set(GroupVariable, std::string("Turistai"));
    current.reload();
    EXPECT_EQ(shown(current, NameColumn), (std::vector<std::string>{"Ona", "Jonas"}));

    ListEngine all(SarSaskaitVisi(), context);
    all.open();
    all.selectTab(AllGroupTab);
    all.variables().set(GroupVariable, std::string("TURISTAI"));
    all.reload();
    EXPECT_EQ(shown(all, NameColumn + 1), (std::vector<std::string>{"Ona", "Jonas", "Išvykęs"}));
}

// The group and payer tabs take their value through the groups and payers lists: a value typed in
// other letter case is taken as the list stores it, one not found opens the list, and leaving the list
// without a choice keeps the tab as it was.
TEST_F(RegistrationListsTest, TheGroupAndPayerTabsTakeTheValueTheirListsHold) {
    addRecord(TableId::Grupes, {{"GRP:Grupe", "Turistai"}});
    addRecord(TableId::Grupes, {{"GRP:Grupe", "Verslas"}});
    addRecord(TableId::Klient, {{"KLI:Kod", "UAB"}, {"KLI:PAV", "UAB Kelionė"}});
    addRegistration("1", "Ona", {{"SAS:GyventojoGrupe", "Turistai"}, {"SAS:KliKod", "UAB"}});
    addRegistration("2", "Petras", {{"SAS:GyventojoGrupe", "Verslas"}});
    const auto choose = [](const char* group) {
        return nakva::testing::listAnsweringAtOnce([group](Context& list) {
            (void)list.table(TableId::Grupes).record().setText("GRP:Grupe", group);
            return Response::Completed;
        });
    };
    const SelectCall leave =
        nakva::testing::listAnsweringAtOnce([](Context&) { return Response::Cancelled; });

    ListEngine current(SarSaskait(), context);
    current.open();
    current.selectTab(CurrentGroupTab);
    ASSERT_NE(current.selector(), nullptr);
    EXPECT_TRUE(current.rows().empty()); // no group chosen yet
    ASSERT_TRUE(nakva::testing::selectorTaken(current, "turistai", leave));
    EXPECT_EQ(current.selectorText(CurrentGroupTab), "Turistai");
    EXPECT_EQ(shown(current, NameColumn), std::vector<std::string>{"Ona"});
    EXPECT_FALSE(nakva::testing::selectorTaken(current, "Sportas", leave));
    EXPECT_EQ(current.selectorText(CurrentGroupTab), "Turistai");
    ASSERT_TRUE(nakva::testing::selectorTaken(current, "Sportas", choose("Verslas")));
    EXPECT_EQ(shown(current, NameColumn), std::vector<std::string>{"Petras"});

    ListEngine all(SarSaskaitVisi(), context);
    all.open();
    all.selectTab(AllPayerTab);
    ASSERT_TRUE(nakva::testing::selectorTaken(all, "uab", leave));
    EXPECT_EQ(all.selectorText(AllPayerTab), "UAB");
    EXPECT_EQ(all.selectorBeside(AllPayerTab), std::vector<std::string>{"UAB Kelionė"});
    EXPECT_EQ(shown(all, NameColumn + 1), std::vector<std::string>{"Ona"});
    // A blank payer shows the registrations without one, with no name beside.
    ASSERT_TRUE(nakva::testing::selectorTaken(all, "", leave));
    EXPECT_EQ(all.selectorBeside(AllPayerTab), std::vector<std::string>{""});
    EXPECT_EQ(shown(all, NameColumn + 1), std::vector<std::string>{"Petras"});
}

// "Liko mokėti": the total with VAT less the payments, blank when nothing is left to pay.
TEST_F(RegistrationListsTest, TheCurrentListShowsWhatEachGuestStillOwes) {
    addRegistration("1", "Ona", {{"SAS:IrasoDt", "2026-03-01"}, {"SAS:BSUMASUPVM", "150"}});
    addRegistration("2", "Jonas", {{"SAS:IrasoDt", "2026-03-02"}, {"SAS:BSUMASUPVM", "80.50"}});
    addRegistration("3", "Rasa", {{"SAS:IrasoDt", "2026-03-03"}});
    addRecord(TableId::Mokej, {{"MOK:IrasoNr", "1"}, {"MOK:SaskIrasoNr", "1"}, {"MOK:MOKSUMA", "100"}});
    addRecord(TableId::Mokej, {{"MOK:IrasoNr", "2"}, {"MOK:SaskIrasoNr", "2"}, {"MOK:MOKSUMA", "80.50"}});
    ListEngine current(SarSaskait(), context);
    current.open();
    EXPECT_EQ(current.config().columns.at(11).heading, "Liko mokėti");
    EXPECT_EQ(shown(current, 11), (std::vector<std::string>{"50.00", "", ""}));
}

} // namespace
} // namespace nakva
