// The housekeeping logs' lists and forms and the room selection window's opening, on the common engines
// and real files; the user's part of a selection list is a script.
#include "data/StoreTestSupport.h"

#include "data/Table.h"
#include "roomservice/RoomServiceLogs.h"
#include "shell/Globals.h"
#include "support/AnswerAtOnce.h"
#include "ui/FormEngine.h"
#include "ui/ListEngine.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace nakva {
namespace {

class RoomServiceLogsTest : public testing::StoreTest {
protected:
    Context context{database};

    void SetUp() override {
        glo().EINDT = dateFromYmd(2026, 12, 7);
        room("1", "101", "2", "Dvivietis");
        room("2", "102", "3", "Trivietis");
        addRecord(TableId::Valyt, {{"VALYT:ValytPav", "Rasa"}});
    }

    void room(const std::string& id, const std::string& number, const std::string& residents,
              const std::string& type) {
        addRecord(TableId::Kamb, {{"KMB:KambarioID", id},
                                  {"KMB:KambarioKorpusas", "A"},
                                  {"KMB:KambarioAukstas", "1"},
                                  {"KMB:KambarioNr", number},
                                  {"KMB:KambarioTipas", type},
                                  {"KMB:KAMBARIOGYVENTOJUSKC", residents}});
    }

    std::unique_ptr<ListEngine> openList(ListConfig config, int tab) {
        auto list = std::make_unique<ListEngine>(config, context);
        list->setPageSize(10);
        list->open();
        list->selectTab(tab);
        return list;
    }

    static std::vector<std::string> column(const ListEngine& list, std::size_t column) {
        std::vector<std::string> cells;
        for (const ListRow& row : list.rows()) {
            cells.push_back(row.cells.at(column));
        }
        return cells;
    }

    // The room selection window played by a script: cancelled, or the given room chosen.
    FormEngine::SelectList roomList(std::int32_t choice) {
        return nakva::testing::pickerAnsweringAtOnce([choice, this](const FormLookUp& lookUp, Context& on) {
            EXPECT_EQ(lookUp.list, "SelectKamb");
            ++selections;
            if (choice == 0) {
                return Response::Cancelled;
            }
            on.table(TableId::Kamb).record().set(KMB::KambarioID, choice);
            return Response::Completed;
        });
    }
    int selections = 0;
};

// A cleaning entered on the one-room tab: the tab's room, the working date, and the room's planned
// residents as the quantity once the room is accepted; the form's own rules on the room field.
TEST_F(RoomServiceLogsTest, ANewCleaningOnTheOneRoomTabTakesTheRoomTheDateAndTheResidents) {
    ListConfig config = SarKmbVal();
    std::vector<std::string> seen;
    config.form = nakva::testing::formAnsweringAtOnce([&](Context& on, Request request) {
        FormEngine form(RedKmbVal(), on, roomList(2));
        EXPECT_TRUE(form.open(request));
        const int room = form.itemOfField(KVAL::KambarioID.index);
        const int quantity = form.itemOfField(KVAL::KIEKIS.index);
        seen = {form.itemText(0), form.itemText(form.itemOfField(KVAL::IrasoDt.index)), form.itemText(room),
                form.itemText(quantity)};
        // The room accepted: its two residents; 0 leaves the quantity as typed; a room not found opens
        // the selection, whose room 2 gives three.
        EXPECT_TRUE(form.acceptItem(room));
        EXPECT_EQ(form.itemText(quantity), "2");
        EXPECT_TRUE(form.setItemText(quantity, "5"));
        EXPECT_TRUE(form.setItemText(room, "0"));
        EXPECT_TRUE(form.acceptItem(room));
        EXPECT_EQ(form.itemText(quantity), "5");
        EXPECT_TRUE(form.setItemText(room, "9"));
        EXPECT_TRUE(form.acceptItem(room));
        EXPECT_EQ(selections, 1);
        EXPECT_EQ(form.itemText(room), "2");
        EXPECT_EQ(form.itemText(quantity), "3");
        form.save();
        return form.result();
    });
    auto list = openList(config, LogRoomTab);
    ASSERT_TRUE(nakva::testing::selectorTaken(*list, "1", {}));
    EXPECT_EQ(list->selectorBeside(LogRoomTab), (std::vector<std::string>{"A", "1", "101"}));
    list->press(ListAction::Insert);
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "2026-12-07", "1", "0"}));
    EXPECT_EQ(storedColumn(TableId::KmbVal, "KVAL:KambarioID"), std::vector<std::string>{"2"});
    EXPECT_EQ(storedColumn(TableId::KmbVal, "KVAL:KIEKIS"), std::vector<std::string>{"3.000"});
}

TEST_F(RoomServiceLogsTest, ARoomNotFoundWhoseSelectionIsCancelledKeepsTheFormUnsavedOnTheRoom) {
    Table& cleanings = context.table(TableId::KmbVal);
    cleanings.open();
    cleanings.clear();
    FormEngine form(RedKmbVal(), context, roomList(0));
    ASSERT_TRUE(form.open(Request::Insert));
    const int room = form.itemOfField(KVAL::KambarioID.index);
    ASSERT_TRUE(form.setItemText(room, "9"));
    form.save();
    EXPECT_FALSE(form.finished());
    EXPECT_EQ(form.focusItem(), room);
    EXPECT_EQ(selections, 1);
    EXPECT_TRUE(form.cancel());
    EXPECT_TRUE(storedColumn(TableId::KmbVal, "KVAL:IrasoID").empty());
    cleanings.close();
}

// Room 0 on the one-room tab: bedding never shows the entries without a room, towels show them.
TEST_F(RoomServiceLogsTest, RoomZeroOnTheOneRoomTabHidesBeddingWithoutARoomAndShowsSuchTowels) {
    for (const auto& [table, prefix] :
         {std::pair{TableId::KmbPatal, "KPAT"}, std::pair{TableId::KmbRanks, "KRANK"}}) {
        for (const auto& [entry, room] : {std::pair{"1", "0"}, std::pair{"2", "1"}, std::pair{"3", "0"}}) {
            addRecord(table, {{std::string(prefix) + ":IrasoID", entry},
                              {std::string(prefix) + ":IrasoDt", "2026-12-01"},
                              {std::string(prefix) + ":KambarioID", room},
                              {std::string(prefix) + ":KIEKIS", "1"}});
        }
    }
    const std::size_t number = 1;
    auto bedding = openList(SarKmbPatal(), LogRoomTab);
    EXPECT_TRUE(bedding->rows().empty());
    auto towels = openList(SarKmbRanks(), LogRoomTab);
    EXPECT_EQ(column(*towels, number), (std::vector<std::string>{"1", "3"}));
    ASSERT_TRUE(nakva::testing::selectorTaken(*bedding, "1", {}));
    ASSERT_TRUE(nakva::testing::selectorTaken(*towels, "1", {}));
    EXPECT_EQ(column(*bedding, number), std::vector<std::string>{"2"});
    EXPECT_EQ(column(*towels, number), std::vector<std::string>{"2"});
    // The date tab shows them all (by date, then room), the room columns blank for an entry without one.
    bedding->selectTab(0);
    EXPECT_EQ(column(*bedding, 4), (std::vector<std::string>{"", "", "101"}));
}

TEST_F(RoomServiceLogsTest, EntriesOfOneRoomAndDateAreAllSavedAndTheCleanerTabPrimesItsCleaner) {
    ListConfig config = SarKmbVal();
    config.form = nakva::testing::formAnsweringAtOnce([](Context& on, Request request) {
        FormEngine form(RedKmbVal(), on, {});
        EXPECT_TRUE(form.open(request));
        EXPECT_TRUE(form.setItemText(form.itemOfField(KVAL::KambarioID.index), "1"));
        form.save();
        return form.result();
    });
    auto list = openList(config, LogCleanerTab);
    ASSERT_TRUE(nakva::testing::selectorTaken(*list, "rasa", {}));
    list->press(ListAction::Insert);
    list->press(ListAction::Insert);
    EXPECT_EQ(storedColumn(TableId::KmbVal, "KVAL:IrasoID"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(storedColumn(TableId::KmbVal, "KVAL:ValytPav"), (std::vector<std::string>{"Rasa", "Rasa"}));
    EXPECT_EQ(list->rows().size(), 2u);
}

// A caller's room: the window opens on it, on the type tab filtered by its type, whatever type the
// window was last left on; without a room (or with one nobody has) it opens on the type it was left on,
// and with no type to start from on the rooms by number, never on an empty filter.
TEST_F(RoomServiceLogsTest, TheRoomSelectionOpensOnTheCallersRoomUnderItsType) {
    Table& rooms = context.table(TableId::Kamb);
    rooms.clear();
    rooms.record().set(KMB::KambarioID, 2);
    ListEngine list(SelectKambAt(context), context, Request::Select);
    list.open();
    EXPECT_EQ(list.selectorText(0), "Trivietis");
    ASSERT_EQ(list.currentRow(), 1);
    EXPECT_EQ(list.rows()[0].cells.at(0), "2");
    EXPECT_EQ(list.config().columns.size(), 8u); // no "N"
    EXPECT_FALSE(list.visible(ListAction::Insert));

    rooms.clear();
    rooms.record().set(KMB::KambarioID, 7);
    ListEngine unknown(SelectKambAt(context), context, Request::Select);
    unknown.open();
    EXPECT_EQ(unknown.selectorText(0), "");
    EXPECT_EQ(unknown.tab(), 1);
    EXPECT_FALSE(unknown.rows().empty());

    rooms.clear();
    ASSERT_TRUE(nakva::testing::selectorTaken(
        list, std::nullopt, nakva::testing::listAnsweringAtOnce([](Context& on) {
            (void)on.table(TableId::KmbTipai).record().set(KTIP::KambarioTipas, "Trivietis");
            return Response::Completed;
        })));
    ListEngine left(SelectKambAt(context), context, Request::Select);
    left.open();
    EXPECT_EQ(left.tab(), 0);
    EXPECT_EQ(left.selectorText(0), "Trivietis");
}

} // namespace
} // namespace nakva
