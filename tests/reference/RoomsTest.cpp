// The room list and form on the common engines, on real files; the user's part of a form call or of a
// selection list is a script.
#include "data/StoreTestSupport.h"

#include "data/Table.h"
#include "reference/Rooms.h"
#include "support/AnswerAtOnce.h"
#include "ui/FormEngine.h"
#include "ui/ListEngine.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace nakva {
namespace {

class RoomsTest : public testing::StoreTest {
public:
    Context context{database};

    void room(int id, const std::string& type, const std::string& number = "1") {
        addRecord(TableId::Kamb, {{"KMB:KambarioID", std::to_string(id)},
                                  {"KMB:KambarioTipas", type},
                                  {"KMB:KambarioKorpusas", "A"},
                                  {"KMB:KambarioAukstas", "2"},
                                  {"KMB:KambarioNr", number},
                                  {"KMB:KAMBARIOGYVENTOJUSKC", "2"},
                                  {"KMB:KAMBARIOKAINA", "45.50"},
                                  {"KMB:KAMBARIOPASTABOS", "Su balkonu"}});
    }

    // A registration holding the room, departed or not, with its dates of stay.
    void stay(int registration, int roomId, bool departed, const std::string& from, const std::string& to) {
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", std::to_string(registration)},
                                     {"SAS:Gyventojas", "Gyventojas " + std::to_string(registration)},
                                     {"SAS:GyvenaNuo", from},
                                     {"SAS:GyvenaIki", to},
                                     {"SAS:Isvykes", departed ? "1" : "0"}});
        addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", std::to_string(registration)},
                                     {"SKMB:KambarioID", std::to_string(roomId)},
                                     {"SKMB:KambarioGyventojuSkc", "2"}});
    }

    // Every room as stored, in ID order: its fields' texts.
    std::vector<std::vector<std::string>> rooms() {
        Context other(database);
        Table& table = other.table(TableId::Kamb);
        table.open();
        std::vector<std::vector<std::string>> stored;
        table.setToKeyStart(KMB::IDKEY);
        while (table.next() == StoreStatus::Ok) {
            std::vector<std::string> fields;
            for (int field = 0; field < table.record().fieldCount(); ++field) {
                fields.push_back(table.record().text(field));
            }
            stored.push_back(fields);
        }
        table.close();
        return stored;
    }

    std::unique_ptr<ListEngine> openList(ListConfig config, int tab = RoomTypeTab) {
        auto list = std::make_unique<ListEngine>(config, context);
        list->setPageSize(8);
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

    static std::string currentId(const ListEngine& list) {
        return list.rows().at(std::size_t(list.currentRow() - 1)).cells.at(0);
    }

    // The room form played by the form engine: records what it was opened on, then saves or cancels.
    FormCall roomForm(bool save) {
        return nakva::testing::formAnsweringAtOnce([this, save](Context& on, Request request) {
            FormEngine form(RedKamb(), on, {});
            if (!form.open(request)) {
                return form.result();
            }
            openedOn.push_back({request, form.record().text(KMB::KambarioID.index),
                                form.record().text(KMB::KambarioTipas.index)});
            if (save) {
                form.save();
            } else {
                EXPECT_TRUE(form.cancel());
            }
            return form.result();
        });
    }

    struct Opened {
        Request request;
        std::string id;
        std::string type;
    };
    std::vector<Opened> openedOn;

    // The room type list played by a script: cancelled, or the given type chosen.
    SelectCall typeList(std::optional<std::string> choice) {
        return nakva::testing::listAnsweringAtOnce([this, choice](Context& on) {
            typeListOpenedAt.push_back(on.table(TableId::KmbTipai).record().text(KTIP::KambarioTipas.index));
            if (!choice) {
                return Response::Cancelled;
            }
            (void)on.table(TableId::KmbTipai).record().setText(KTIP::KambarioTipas.index, *choice);
            return Response::Completed;
        });
    }
    std::vector<std::string> typeListOpenedAt;
};

struct OccupancyCase {
    const char* name;
    std::function<void(RoomsTest&)> stays;
    std::string icon;
};

void PrintTo(const OccupancyCase& c, std::ostream* out) {
    *out << c.name;
}

class RoomOccupancyIconTest : public RoomsTest, public ::testing::WithParamInterface<OccupancyCase> {};

// The dot follows the departed flag alone: dates of stay play no part.
TEST_P(RoomOccupancyIconTest, TheRoomNumberCarriesTheDotOfItsOccupancy) {
    room(1, "");
    GetParam().stays(*this);
    auto list = openList(SarKamb(), 2);
    ASSERT_EQ(list->rows().size(), 1u);
    EXPECT_EQ(list->rows()[0].cells.at(4), "1");
    EXPECT_EQ(list->rows()[0].icons.at(4), GetParam().icon);
    EXPECT_EQ(list->rows()[0].icons.at(0), "");
    // The registrations stay open for the rows while the list is, and no longer.
    EXPECT_TRUE(context.second(TableId::SaskKmb).isOpen());
    list.reset();
    EXPECT_FALSE(context.second(TableId::SaskKmb).isOpen());
    EXPECT_FALSE(context.second(TableId::Saskait).isOpen());
}

INSTANTIATE_TEST_SUITE_P(Stays, RoomOccupancyIconTest,
                         ::testing::Values(OccupancyCase{"NoRegistration", [](RoomsTest&) {}, "dotempty"},
                                           OccupancyCase{"OnlyDeparted",
                                                         [](RoomsTest& t) {
                                                             t.stay(1, 1, true, "2024-01-01", "2024-01-05");
                                                             t.stay(2, 1, true, "2024-02-01", "2099-02-05");
                                                         },
                                                         "dotempty"},
                                           OccupancyCase{"NotDepartedWithADepartureInThePast",
                                                         [](RoomsTest& t) {
                                                             t.stay(1, 1, true, "2024-01-01", "2024-01-05");
                                                             t.stay(2, 1, false, "2020-02-01", "2020-02-05");
                                                         },
                                                         "dotfull"},
                                           OccupancyCase{"AnotherRoomsGuest",
                                                         [](RoomsTest& t) {
                                                             t.stay(1, 7, false, "2024-01-01", "2024-01-05");
                                                         },
                                                         "dotempty"}),
                         nakva::testing::CaseName());

TEST_F(RoomsTest, TheTypeFilterListsTheRoomsOfItsTypeAndAnEmptyOneTheRoomsWithoutAType) {
    addRecord(TableId::KmbTipai, {{"KTIP:KambarioTipas", "Dvivietis"}});
    room(1, "Dvivietis");
    room(2, "");
    room(3, "Vienvietis");
    room(4, "DVIVIETIS");
    auto list = openList(SarKamb());
    ASSERT_TRUE(nakva::testing::selectorTaken(*list, "", {}));
    EXPECT_EQ(column(*list, 0), std::vector<std::string>{"2"});

    // Found in the room types whatever the case, and taken as stored there.
    ASSERT_TRUE(nakva::testing::selectorTaken(*list, "dvivietis", typeList(std::nullopt)));
    EXPECT_TRUE(typeListOpenedAt.empty());
    EXPECT_EQ(list->selectorText(RoomTypeTab), "Dvivietis");
    EXPECT_EQ(column(*list, 0), (std::vector<std::string>{"1", "4"}));

    // A second list opened in the same program run starts on the same type.
    auto second = openList(SarKamb());
    EXPECT_EQ(column(*second, 0), (std::vector<std::string>{"1", "4"}));
}

TEST_F(RoomsTest, ATypeNotFoundOpensTheRoomTypesListAndACancelledChoiceChangesNothing) {
    addRecord(TableId::KmbTipai, {{"KTIP:KambarioTipas", "Vienvietis"}});
    room(1, "Vienvietis");
    room(2, "");
    auto list = openList(SarKamb());
    ASSERT_TRUE(nakva::testing::selectorTaken(*list, "", {}));

    EXPECT_FALSE(nakva::testing::selectorTaken(*list, "Trivietis", typeList(std::nullopt)));
    EXPECT_EQ(typeListOpenedAt, std::vector<std::string>{"Trivietis"});
    EXPECT_EQ(list->selectorText(RoomTypeTab), "");
    EXPECT_EQ(column(*list, 0), std::vector<std::string>{"2"});

    EXPECT_TRUE(nakva::testing::selectorTaken(*list, "Trivietis", typeList("Vienvietis")));
    EXPECT_EQ(list->selectorText(RoomTypeTab), "Vienvietis");
    EXPECT_EQ(column(*list, 0), std::vector<std::string>{"1"});

    // The look-up button opens the list at the present type at once.
    EXPECT_FALSE(nakva::testing::selectorTaken(*list, std::nullopt, typeList(std::nullopt)));
    EXPECT_EQ(typeListOpenedAt.back(), "Vienvietis");
    EXPECT_EQ(list->selectorText(RoomTypeTab), "Vienvietis");
}

TEST_F(RoomsTest, ARoomInsertedOnTheTypeTabGetsTheFilterTypeAndTheNextId) {
    addRecord(TableId::KmbTipai, {{"KTIP:KambarioTipas", "Liuksas"}});
    room(4, "Liuksas");
    ListConfig config = SarKamb();
    config.form = roomForm(true);
    auto list = openList(config);
    ASSERT_TRUE(nakva::testing::selectorTaken(*list, "Liuksas", {}));

    list->press(ListAction::Insert);
    ASSERT_EQ(openedOn.size(), 1u);
    EXPECT_EQ(openedOn[0].id, "5");
    EXPECT_EQ(openedOn[0].type, "Liuksas");
    // Without a building it comes first among the type's rooms.
    EXPECT_EQ(column(*list, 0), (std::vector<std::string>{"5", "4"}));
    EXPECT_EQ(currentId(*list), "5");
}

TEST_F(RoomsTest, TwoRoomsWithTheSameBuildingFloorAndNumberAreBothSaved) {
    room(1, "", "12");
    room(2, "", "12");
    EXPECT_EQ(rooms().size(), 2u);
    FormEngine form(RedKamb(), context, {});
    context.table(TableId::Kamb).open();
    context.table(TableId::Kamb).clear();
    ASSERT_TRUE(form.open(Request::Insert));
    const std::pair<int, std::string> typed[] = {
        {KMB::KambarioKorpusas.index, "A"}, {KMB::KambarioAukstas.index, "2"}, {KMB::KambarioNr.index, "12"}};
    for (const auto& [field, text] : typed) {
        ASSERT_TRUE(form.setItemText(form.itemOfField(field), text));
    }
    form.save();
    EXPECT_TRUE(form.finished());
    EXPECT_TRUE(messages.texts().empty());
    context.table(TableId::Kamb).close();
    EXPECT_EQ(rooms().size(), 3u);
}

struct CopyCase {
    const char* name;
    int copied;
    std::string newId;
};

void PrintTo(const CopyCase& c, std::ostream* out) {
    *out << c.name;
}

class RoomCopyTest : public RoomsTest, public ::testing::WithParamInterface<CopyCase> {};

// The copy takes the highest ID + 1 and equals the copied room in every other field; the form opens on
// it in change mode, and cancelling it leaves the table as it was.
TEST_P(RoomCopyTest, TheCopyTakesTheHighestIdPlusOneAndACancelledFormRemovesIt) {
    room(3, "", "7");
    room(9, "", "8");
    room(5, "", "9");
    const auto before = rooms();
    ListConfig config = SarKamb();
    config.form = roomForm(false);
    auto list = openList(config, 2);
    while (currentId(*list) != std::to_string(GetParam().copied)) {
        list->move(ListMove::RowDown);
    }

    list->copyCurrent(copyRoom, true);
    ASSERT_EQ(openedOn.size(), 1u);
    EXPECT_EQ(openedOn[0].request, Request::Change);
    EXPECT_EQ(openedOn[0].id, GetParam().newId);
    EXPECT_EQ(rooms(), before);
    EXPECT_EQ(column(*list, 0), (std::vector<std::string>{"3", "5", "9"}));
    EXPECT_TRUE(messages.texts().empty()) << ::testing::PrintToString(messages.texts());
}

INSTANTIATE_TEST_SUITE_P(Rooms, RoomCopyTest,
                         ::testing::Values(CopyCase{"TheHighest", 9, "10"}, CopyCase{"ALowerOne", 3, "10"}),
                         nakva::testing::CaseName());

TEST_F(RoomsTest, ASavedCopyStaysAndIsTheCurrentRow) {
    room(3, "", "7");
    room(9, "", "8");
    ListConfig config = SarKamb();
    config.form = roomForm(true);
    auto list = openList(config, 2);

    list->copyCurrent(copyRoom, true);
    const auto stored = rooms();
    ASSERT_EQ(stored.size(), 3u);
    auto copy = stored[0];
    copy[std::size_t(KMB::KambarioID.index)] = "10";
    EXPECT_EQ(stored[2], copy);
    EXPECT_EQ(column(*list, 0), (std::vector<std::string>{"3", "9", "10"}));
    EXPECT_EQ(currentId(*list), "10");
}

struct HistoryCase {
    const char* name;
    RoomHistory history;
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> icons; // of the first column
};

void PrintTo(const HistoryCase& c, std::ostream* out) {
    *out << c.name;
}

class RoomHistoryTest : public RoomsTest, public ::testing::WithParamInterface<HistoryCase> {};

// Each history tab shows the rows of the room on the form alone, in its order.
TEST_P(RoomHistoryTest, TheListShowsTheRowsOfTheBoundRoomOnly) {
    stay(12, 2, false, "2024-03-01", "2024-03-04");
    stay(11, 2, true, "2024-02-01", "2024-02-03");
    stay(13, 3, false, "2024-03-01", "2024-03-04");
    addRecord(TableId::KmbVal, {{"KVAL:IrasoID", "1"},
                                {"KVAL:IrasoDt", "2024-03-02"},
                                {"KVAL:KambarioID", "2"},
                                {"KVAL:ValytPav", "Jonaitė"},
                                {"KVAL:KIEKIS", "1"}});
    addRecord(TableId::KmbVal, {{"KVAL:IrasoID", "2"},
                                {"KVAL:IrasoDt", "2024-03-01"},
                                {"KVAL:KambarioID", "2"},
                                {"KVAL:ValytPav", "Petraitė"},
                                {"KVAL:KIEKIS", "0"}});
    addRecord(TableId::KmbVal, {{"KVAL:IrasoID", "3"},
                                {"KVAL:IrasoDt", "2024-03-01"},
                                {"KVAL:KambarioID", "3"},
                                {"KVAL:ValytPav", "Jonaitė"},
                                {"KVAL:KIEKIS", "1"}});
    for (TableId log : {TableId::KmbPatal, TableId::KmbRanks}) {
        const std::string prefix = log == TableId::KmbPatal ? "KPAT" : "KRANK";
        addRecord(log, {{prefix + ":IrasoID", "4"},
                        {prefix + ":IrasoDt", "2024-03-03"},
                        {prefix + ":KambarioID", "2"},
                        {prefix + ":KIEKIS", "2"}});
        addRecord(log, {{prefix + ":IrasoID", "5"},
                        {prefix + ":IrasoDt", "2024-03-03"},
                        {prefix + ":KambarioID", "0"},
                        {prefix + ":KIEKIS", "3"}});
    }

    ListEngine list(roomHistory(GetParam().history), context);
    list.variables().set(RoomHistoryVariable, std::int64_t(2));
    list.open();
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> icons;
    for (const ListRow& row : list.rows()) {
        cells.push_back(row.cells);
        icons.push_back(row.icons.at(0));
    }
    EXPECT_EQ(cells, GetParam().cells);
    EXPECT_EQ(icons, GetParam().icons);
    EXPECT_FALSE(list.visible(ListAction::Insert));
    EXPECT_TRUE(list.popupMenu().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, RoomHistoryTest,
    ::testing::Values(HistoryCase{"Residents",
                                  RoomHistory::Residents,
                                  {{"11", "Gyventojas 11", "2024-02-01", "2024-02-03", "2"},
                                   {"12", "Gyventojas 12", "2024-03-01", "2024-03-04", "2"}},
                                  {"check", "empty"}},
                      HistoryCase{"Cleanings",
                                  RoomHistory::Cleanings,
                                  {{"2024-03-01", "2", "Petraitė", ""}, {"2024-03-02", "1", "Jonaitė", "1"}},
                                  {"", ""}},
                      HistoryCase{"Bedding", RoomHistory::Bedding, {{"2024-03-03", "4", "2"}}, {""}},
                      HistoryCase{"Towels", RoomHistory::Towels, {{"2024-03-03", "4", "2"}}, {""}}),
    nakva::testing::CaseName());

} // namespace
} // namespace nakva
