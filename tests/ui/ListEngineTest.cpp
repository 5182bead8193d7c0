// The list engine against real table files of a few thousand records; the record form is a script.
#include "data/StoreTestSupport.h"

#include "data/LithuanianFunctions.h"
#include "data/Transaction.h"
#include "support/AnswerAtOnce.h"
#include "ui/ListEngine.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace nakva {
namespace {

// The record form replaced by a script: each call records the request and the record it was given,
// then runs the next scripted step on the table's handle. With `later` the form stays open: its
// step runs and it answers when answer() is called, as a form window does once the user closes it.
class ScriptedForm {
public:
    using Step = std::function<FormResult(Table&, Request)>;

    explicit ScriptedForm(TableId table) : table_(table) {}

    void operator()(Context& context, Request request, FormDone done) {
        requests.push_back(request);
        records.push_back(context.table(table_).record());
        open = [this, &context, request, done = std::move(done)] {
            FormResult result;
            if (!steps.empty()) {
                const Step step = steps.front();
                steps.pop_front();
                result = step(context.table(table_), request);
            }
            done(result);
        };
        if (!later) {
            answer();
        }
    }

    void answer() {
        const std::function<void()> closing = std::move(open);
        open = nullptr;
        closing();
    }

    bool later = false;
    std::function<void()> open; // the form not yet answered
    std::deque<Step> steps;
    std::vector<Request> requests;
    std::vector<Record> records;

private:
    TableId table_;
};

// A step that sets the group's fields, saves the record (add for insert, put for change) and asks to
// move on.
ScriptedForm::Step saveGroup(int number, const std::string& name, Navigation next = Navigation::None) {
    return [=](Table& table, Request request) {
        if (number != 0) {
            table.record().set(PGRP::IrasoNr, number);
        }
        table.record().set(PGRP::GrpPav, name);
        const StoreStatus status = request == Request::Insert ? table.add() : table.put();
        EXPECT_EQ(status, StoreStatus::Ok) << lastOperationError().text;
        return FormResult{Response::Completed, next};
    };
}

ListColumn column(std::string heading, std::string field, Picture picture) {
    ListColumn made;
    made.heading = std::move(heading);
    made.field = std::move(field);
    made.picture = picture;
    return made;
}

SortTab tab(std::string text, std::string order, std::string locator) {
    SortTab made;
    made.text = std::move(text);
    made.order = std::move(order);
    made.locator = std::move(locator);
    return made;
}

ScriptedForm::Step removeRecord() {
    return [](Table& table, Request) {
        EXPECT_EQ(table.remove(), StoreStatus::Ok) << lastOperationError().text;
        return FormResult{Response::Completed, Navigation::None};
    };
}

ScriptedForm::Step cancelForm(Navigation next = Navigation::None) {
    return [=](Table&, Request) {
        return FormResult{Response::Cancelled, next};
    };
}

class ListEngineTest : public testing::StoreTest {
protected:
    // Service groups numbered first, first + step, ... (count of them), named "Grupė <number>".
    void addGroups(int first, int count, int step = 1) {
        Table& groups = context.table(TableId::PaslGrp);
        groups.open();
        Transaction transaction(context);
        ASSERT_EQ(transaction.begin({TableId::PaslGrp}), StoreStatus::Ok);
        for (int i = 0; i < count; ++i) {
            groups.clear();
            groups.record().set(PGRP::IrasoNr, first + i * step);
            groups.record().set(PGRP::GrpPav, "Grupė " + std::to_string(first + i * step));
            ASSERT_EQ(groups.add(), StoreStatus::Ok) << lastOperationError().text;
        }
        ASSERT_EQ(transaction.commit(), StoreStatus::Ok);
        groups.close();
    }

    void addCountries(const std::vector<std::string>& names) {
        Table& countries = context.table(TableId::Valstyb);
        countries.open();
        Transaction transaction(context);
        ASSERT_EQ(transaction.begin({TableId::Valstyb}), StoreStatus::Ok);
        for (const std::string& name : names) {
            countries.clear();
            countries.record().set(VAL::Valstybe, name);
            ASSERT_EQ(countries.add(), StoreStatus::Ok) << name;
        }
        ASSERT_EQ(transaction.commit(), StoreStatus::Ok);
        countries.close();
    }

    ListConfig groupsList() {
        ListConfig config;
        config.name = "BrowsePaslGrp";
        config.title = "Paslaugų grupės";
        config.table = TableId::PaslGrp;
        config.columns = {column("Grupės Nr", "PGRP:IrasoNr", Picture::number(10)),
                          column("Pavadinimas", "PGRP:GrpPav", Picture::text(30))};
        config.tabs = {tab("Pagal įrašo Nr.", "+PGRP:IrasoNr", "PGRP:IrasoNr"),
                       tab("Pagal pavadinimą", "+UPPER(PGRP:GrpPav),+PGRP:IrasoNr", "PGRP:GrpPav")};
        config.insertTooltip = "Sukurti naują įrašą";
        config.form = [this](Context& context, Request request, FormDone done) {
            groupForm(context, request, std::move(done));
        };
        return config;
    }

    ListConfig countriesList() {
        ListConfig config;
        config.name = "BrowseValstyb";
        config.title = "VALSTYBĖS";
        config.table = TableId::Valstyb;
        config.columns = {column("", "VAL:Valstybe", Picture::text(20))};
        config.tabs = {tab("", "+UPPER(VAL:Valstybe)", "VAL:Valstybe")};
        return config;
    }

    std::unique_ptr<ListEngine> open(const ListConfig& config, Request request = Request::None,
                                     int rows = 10) {
        auto list = std::make_unique<ListEngine>(config, context, request);
        list->setPageSize(rows);
        list->open();
        return list;
    }

    // The numbers of the page's groups.
    static std::vector<int> page(const ListEngine& list) {
        std::vector<int> numbers;
        for (const ListRow& row : list.rows()) {
            numbers.push_back(std::stoi(row.cells.at(0)));
        }
        return numbers;
    }
    static int currentNumber(const ListEngine& list) {
        return list.currentRow() == 0 ? 0 : page(list).at(std::size_t(list.currentRow() - 1));
    }
    static std::vector<int> range(int first, int last) {
        std::vector<int> numbers;
        for (int i = first; i <= last; ++i) {
            numbers.push_back(i);
        }
        return numbers;
    }

    Context context{database};
    ScriptedForm groupForm{TableId::PaslGrp};
};

// --- scrolling ---

using Action = std::function<void(ListEngine&)>;

Action down(int times) {
    return [=](ListEngine& list) {
        for (int i = 0; i < times; ++i) {
            list.move(ListMove::RowDown);
        }
    };
}
Action up(int times) {
    return [=](ListEngine& list) {
        for (int i = 0; i < times; ++i) {
            list.move(ListMove::RowUp);
        }
    };
}
Action go(ListMove move) {
    return [=](ListEngine& list) {
        list.move(move);
    };
}
Action row(int row) {
    return [=](ListEngine& list) {
        list.setCurrentRow(row);
    };
}
Action thumb(int p) {
    return [=](ListEngine& list) {
        list.dragThumb(p);
    };
}

struct ScrollCase {
    const char* name;
    std::vector<Action> actions;
    int first; // the page's first and last group, and the current one
    int last;
    int current;
    int thumb;
};

TEST_F(ListEngineTest, ScrollsThroughThreeThousandRecordsRowForRow) {
    addGroups(1, 3000);
    const ScrollCase cases[] = {
        {"opens at the first record", {}, 1, 10, 1, 0},
        {"down to the last row", {down(9)}, 1, 10, 10, 2},
        {"down at the last row reads one more", {down(10)}, 2, 11, 11, 2},
        {"up at the first row reads one before", {down(12), up(9), up(1)}, 3, 12, 3, 2},
        {"page down moves the current row by the rows read", {row(3), go(ListMove::PageDown)}, 11, 20, 20, 2},
        {"page down near the end reads what is left",
         {go(ListMove::Bottom), up(9), up(5), row(3), go(ListMove::PageDown)},
         2991,
         3000,
         2998,
         100},
        {"page down at the end does nothing",
         {go(ListMove::Bottom), row(4), go(ListMove::PageDown)},
         2991,
         3000,
         2994,
         100},
        {"page up near the start", {down(12), row(5), go(ListMove::PageUp)}, 1, 10, 2, 2},
        {"top", {go(ListMove::PageDown), go(ListMove::PageDown), go(ListMove::Top)}, 1, 10, 1, 0},
        {"bottom", {go(ListMove::Bottom)}, 2991, 3000, 3000, 100},
        {"thumb at 1 is the top", {go(ListMove::PageDown), thumb(1)}, 1, 10, 1, 0},
        {"thumb at 100 is the bottom", {thumb(100)}, 2991, 3000, 3000, 100},
        // Step 50 is 1 + 49 × 2999 / 99 = 1485.35.
        {"thumb at 50 goes to step 50", {thumb(50)}, 1485, 1494, 1485, 50},
        {"thumb at 2 goes to step 2", {thumb(2)}, 31, 40, 31, 2},
    };
    for (const ScrollCase& scroll : cases) {
        SCOPED_TRACE(scroll.name);
        auto list = open(groupsList());
        for (const Action& action : scroll.actions) {
            action(*list);
        }
        EXPECT_EQ(page(*list), range(scroll.first, scroll.last));
        EXPECT_EQ(currentNumber(*list), scroll.current);
        EXPECT_TRUE(list->scrollBarVisible());
        EXPECT_EQ(list->thumb(), scroll.thumb);
        // The buffer holds the current row's record.
        EXPECT_EQ(context.table(TableId::PaslGrp).record().get(PGRP::IrasoNr), scroll.current);
    }
    EXPECT_TRUE(messages.shown().empty());
}

// A page, its edges and the thumb's ends are read in one read transaction, which ends with the
// page: between the user's keys another station writes at once.
TEST_F(ListEngineTest, NoReadLockIsHeldBetweenPages) {
    addGroups(1, 100);
    auto list = open(groupsList());
    const auto anotherStationWrites = [&](int number) {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(database.filePath(TableId::PaslGrp).c_str(), &db), SQLITE_OK);
        registerLithuanianFunctions(db);
        sqlite3_busy_timeout(db, 0);
        const std::string sql = "BEGIN IMMEDIATE; INSERT INTO PaslGrp(IrasoNr, GrpPav) VALUES(" +
                                std::to_string(number) + ", 'Nauja'); COMMIT";
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    };
    anotherStationWrites(101);
    list->move(ListMove::PageDown);
    EXPECT_EQ(page(*list), range(11, 20));
    anotherStationWrites(102);
    list->move(ListMove::Bottom);
    EXPECT_EQ(page(*list), range(93, 102));
}

TEST_F(ListEngineTest, AShortTableHasNoScrollBarAndPageDownDoesNothing) {
    addGroups(1, 5);
    auto list = open(groupsList());
    list->setCurrentRow(2);
    list->move(ListMove::PageDown);
    EXPECT_EQ(page(*list), range(1, 5));
    EXPECT_EQ(currentNumber(*list), 2);
    EXPECT_FALSE(list->scrollBarVisible());
    list->move(ListMove::Bottom);
    EXPECT_EQ(currentNumber(*list), 5);
}

TEST_F(ListEngineTest, APageNearTheEndIsFilledBackward) {
    addGroups(1, 30);
    Table& groups = context.table(TableId::PaslGrp);
    auto list = open(groupsList());
    groups.record().set(PGRP::IrasoNr, 27);
    list->locate(std::int64_t(27));
    EXPECT_EQ(page(*list), range(21, 30));
    EXPECT_EQ(currentNumber(*list), 27);
}

// --- the letter locator ---

TEST_F(ListEngineTest, TheLetterLocatorWalksThroughTheRecordsOfALetterAndBack) {
    std::vector<std::string> names = {"Latvija", "lenkija", "Lietuva", "Olandija", "Zambija", "Zelandija"};
    for (int i = 0; i < 1500; ++i) {
        names.push_back("Kaimas " + std::to_string(1000 + i));
        names.push_back("Miestas " + std::to_string(1000 + i));
    }
    addCountries(names);
    const struct {
        std::vector<std::string> typed;
        std::string current;
    } cases[] = {
        {{"L"}, "Latvija"},
        {{"L", "L"}, "lenkija"},
        {{"L", "L", "L"}, "Lietuva"},
        {{"L", "L", "L", "L"}, "Latvija"},
        {{"l", "l"}, "lenkija"},
        {{"N"}, "Olandija"}, // no key starts with N: the first record after it
        {{"Z", "Z"}, "Zelandija"},
        {{"Z", "Z", "Z"}, "Zambija"}, // at the end of the order, back to the first of the letter
        {{"L", "\t"}, "Latvija"},     // not a printable character
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.typed.size());
        auto list = open(countriesList());
        for (const std::string& typed : each.typed) {
            list->typeCharacter(typed);
        }
        ASSERT_NE(list->currentRow(), 0);
        EXPECT_EQ(list->rows().at(std::size_t(list->currentRow() - 1)).cells.at(0), each.current);
        EXPECT_EQ(context.table(TableId::Valstyb).record().get(VAL::Valstybe), each.current);
    }
}

TEST_F(ListEngineTest, ANumericLocatorComparesTheNumbersDigits) {
    addGroups(8, 3000); // 8, 9, 10, 11, ...
    const struct {
        int startRow;
        std::vector<std::string> typed;
        int current;
    } cases[] = {
        {1, {"1"}, 8},                           // the first group numbered 1 or more
        {1, {"9"}, 9},       {3, {"1"}, 11},     // 10 begins with 1: one row down
        {3, {"1", "1"}, 12}, {2, {"9", "9"}, 9}, // 10 does not begin with 9: back to the first at or after 9
        {4, {"x"}, 8},                           // a non-digit counts as 0
    };
    for (const auto& each : cases) {
        auto list = open(groupsList());
        list->setCurrentRow(each.startRow);
        for (const std::string& typed : each.typed) {
            list->typeCharacter(typed);
        }
        EXPECT_EQ(currentNumber(*list), each.current) << each.startRow << " " << each.typed.size();
    }
}

// --- select mode ---

TEST_F(ListEngineTest, SelectModeOpensAtTheCallersValueOrTheNextOrTheLast) {
    addGroups(2, 3000, 2); // 2, 4, ..., 6000
    const struct {
        int value;
        int first;
        int current;
    } cases[] = {
        {1500, 1500, 1500},
        {1501, 1502, 1502},
        {0, 2, 2},
        {9000, 5982, 6000}, // past the end: the last record
    };
    for (const auto& each : cases) {
        Table& groups = context.table(TableId::PaslGrp);
        groups.clear();
        groups.record().set(PGRP::IrasoNr, each.value);
        auto list = open(groupsList(), Request::Select);
        EXPECT_EQ(page(*list).front(), each.first) << each.value;
        EXPECT_EQ(currentNumber(*list), each.current) << each.value;
        EXPECT_TRUE(list->visible(ListAction::Select));
    }
}

TEST_F(ListEngineTest, SelectLeavesTheChosenRecordAndCloseCancels) {
    addGroups(1, 50);
    Table& groups = context.table(TableId::PaslGrp);
    groups.clear();
    groups.record().set(PGRP::IrasoNr, 20);
    auto list = open(groupsList(), Request::Select);
    list->move(ListMove::RowDown);
    list->activate(); // double click, Enter
    EXPECT_TRUE(list->closing());
    EXPECT_EQ(list->response(), Response::Completed);
    EXPECT_EQ(groups.record().get(PGRP::IrasoNr), 21);
    EXPECT_TRUE(groupForm.requests.empty());

    auto cancelled = open(groupsList(), Request::Select);
    cancelled->close();
    EXPECT_EQ(cancelled->response(), Response::Cancelled);
    auto maintenance = open(groupsList());
    EXPECT_FALSE(maintenance->visible(ListAction::Select));
    maintenance->activate(); // double click changes
    EXPECT_EQ(groupForm.requests, std::vector<Request>{Request::Change});
    maintenance->close();
    EXPECT_EQ(maintenance->response(), Response::Completed);
}

// --- the page after a form ---

TEST_F(ListEngineTest, ThePageIsRebuiltAfterInsertChangeAndDelete) {
    addGroups(1, 3000);
    Table& groups = context.table(TableId::PaslGrp);
    auto list = open(groupsList());

    // Insert: the page starts at the new record.
    groups.clear();
    list->move(ListMove::Bottom);
    groupForm.steps.push_back(saveGroup(3001, "Nauja"));
    list->press(ListAction::Insert);
    EXPECT_EQ(groupForm.records.back().get(PGRP::IrasoNr), 0); // the form got a cleared buffer
    EXPECT_EQ(page(*list), range(2992, 3001));
    EXPECT_EQ(currentNumber(*list), 3001);

    // Change: the changed record moves to its place in the order and stays current.
    list->selectTab(1);
    EXPECT_EQ(currentNumber(*list), 3001);
    groupForm.steps.push_back(saveGroup(0, "AAA pirmoji"));
    list->press(ListAction::Change);
    EXPECT_EQ(groupForm.records.back().get(PGRP::GrpPav), "Nauja"); // re-read by its position
    EXPECT_EQ(currentNumber(*list), 3001);
    EXPECT_EQ(list->rows().front().cells.at(1), "AAA pirmoji");
    list->selectTab(0);

    // Delete: the row that now stands at the same place becomes current.
    list->move(ListMove::Top);
    list->setCurrentRow(4);
    groupForm.steps.push_back(removeRecord());
    list->press(ListAction::Delete);
    EXPECT_EQ(page(*list), (std::vector<int>{1, 2, 3, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(currentNumber(*list), 5);

    // Delete at the end of the order: the page is filled backward, the last row current.
    list->move(ListMove::Bottom);
    groupForm.steps.push_back(removeRecord());
    list->press(ListAction::Delete);
    EXPECT_EQ(page(*list), range(2991, 3000));
    EXPECT_EQ(currentNumber(*list), 3000);

    // Cancel: the page refilled from its first row, the current row kept.
    list->setCurrentRow(6);
    groupForm.steps.push_back(cancelForm());
    list->press(ListAction::Change);
    EXPECT_EQ(page(*list), range(2991, 3000));
    EXPECT_EQ(currentNumber(*list), 2996);
    EXPECT_EQ(groupForm.requests, (std::vector<Request>{Request::Insert, Request::Change, Request::Delete,
                                                        Request::Delete, Request::Change}));
}

// A form window stays open while the user works in it: the list reads nothing and takes no button
// until the form answers, then rebuilds its page on the saved record; a navigation request calls the
// form again, with the page following the form's record meanwhile.
TEST_F(ListEngineTest, AFormAnsweringLaterKeepsTheListBusyUntilItsAnswer) {
    addGroups(1, 30);
    auto list = open(groupsList());
    int heard = 0;
    list->setListener([&heard] { ++heard; });
    groupForm.later = true;
    groupForm.steps.push_back(saveGroup(31, "Nauja"));
    list->press(ListAction::Insert);
    ASSERT_TRUE(groupForm.open);
    list->press(ListAction::Change); // the list waits for its form: nothing happens
    list->move(ListMove::Bottom);
    EXPECT_EQ(groupForm.requests, std::vector<Request>{Request::Insert});
    EXPECT_EQ(page(*list), range(1, 10));
    heard = 0;
    groupForm.answer();
    EXPECT_GT(heard, 0);
    EXPECT_EQ(currentNumber(*list), 31);

    // Save and move to the next record: the page follows before the form opens on it.
    list->move(ListMove::Top);
    list->setCurrentRow(2);
    groupForm.steps.push_back(saveGroup(0, "Antra", Navigation::Next));
    list->press(ListAction::Change);
    groupForm.answer();
    ASSERT_TRUE(groupForm.open); // the form again, on group 3
    EXPECT_EQ(currentNumber(*list), 3);
    EXPECT_EQ(groupForm.records.back().get(PGRP::IrasoNr), 3);
    groupForm.steps.push_back(cancelForm());
    groupForm.answer();
    EXPECT_FALSE(groupForm.open);
    EXPECT_EQ(currentNumber(*list), 3);
    list->move(ListMove::Bottom); // free again
    EXPECT_EQ(currentNumber(*list), 31);
}

TEST_F(ListEngineTest, AnEmptyTableOffersOnlyInsertAndTheFirstInsertBecomesCurrent) {
    auto list = open(groupsList());
    EXPECT_TRUE(list->rows().empty());
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(list->enabled(ListAction::Insert));
    EXPECT_FALSE(list->enabled(ListAction::Change));
    EXPECT_FALSE(list->enabled(ListAction::Delete));
    EXPECT_FALSE(list->scrollBarVisible());
    const auto popup = list->popupMenu();
    ASSERT_EQ(popup.size(), 5u);
    EXPECT_EQ(popup[0].text, "Naujas");
    EXPECT_TRUE(popup[0].enabled);
    EXPECT_FALSE(popup[1].enabled); // "Keisti"
    EXPECT_FALSE(popup[2].enabled); // "Pašalinti": as its button
    EXPECT_TRUE(popup[3].text.empty());
    EXPECT_FALSE(popup[4].enabled); // "Pasirinkti"
    list->typeCharacter("A");
    list->move(ListMove::PageDown);
    list->press(ListAction::Delete); // disabled: nothing happens
    EXPECT_TRUE(groupForm.requests.empty());

    groupForm.steps.push_back(saveGroup(1, "Pirmoji"));
    list->press(ListAction::Insert);
    EXPECT_EQ(page(*list), std::vector<int>{1});
    EXPECT_EQ(currentNumber(*list), 1);
    EXPECT_TRUE(list->enabled(ListAction::Change));

    groupForm.steps.push_back(removeRecord());
    list->press(ListAction::Delete);
    EXPECT_TRUE(list->rows().empty());
    EXPECT_FALSE(list->enabled(ListAction::Delete));
    EXPECT_EQ(context.table(TableId::PaslGrp).record().get(PGRP::IrasoNr), 0); // buffer cleared
}

// --- navigation requests ---

TEST_F(ListEngineTest, NavigationRequestsCallTheFormAgainOnTheMovedToRecord) {
    addGroups(1, 3000);
    const struct {
        Navigation navigation;
        int second; // the record the form is called on the second time
        int first;  // the page's first group afterwards
    } cases[] = {
        {Navigation::Next, 16, 11},       {Navigation::Previous, 14, 11}, {Navigation::NextPage, 30, 21},
        {Navigation::PreviousPage, 1, 1}, {Navigation::First, 1, 1},      {Navigation::Last, 3000, 2991},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(int(each.navigation));
        groupForm.records.clear();
        groupForm.requests.clear();
        auto list = open(groupsList());
        list->move(ListMove::PageDown);
        list->setCurrentRow(5); // group 15
        // The window behind the form is told of every move: it shows the record the form is on.
        int shown = 0;
        list->setListener([&shown, &list] { shown = currentNumber(*list); });
        int shownAtSecondCall = 0;
        groupForm.steps.push_back(saveGroup(0, "Pakeista", each.navigation));
        groupForm.steps.push_back([&shown, &shownAtSecondCall](Table&, Request) {
            shownAtSecondCall = shown;
            return FormResult{Response::Cancelled, Navigation::None};
        });
        list->press(ListAction::Change);
        EXPECT_EQ(shownAtSecondCall, each.second);
        ASSERT_EQ(groupForm.records.size(), 2u);
        EXPECT_EQ(groupForm.records[0].get(PGRP::IrasoNr), 15);
        EXPECT_EQ(groupForm.records[1].get(PGRP::IrasoNr), each.second);
        EXPECT_EQ(groupForm.requests[1], Request::Change);
        EXPECT_EQ(currentNumber(*list), each.second);
        EXPECT_EQ(page(*list).front(), each.first);
    }
}

TEST_F(ListEngineTest, InsertAnotherAndInsertAfterAChangeCallTheFormWithACleanBuffer) {
    addGroups(1, 20);
    auto list = open(groupsList());
    list->setCurrentRow(3);
    groupForm.steps = {saveGroup(0, "Pakeista", Navigation::InsertAnother),
                       saveGroup(21, "Nauja 1", Navigation::Next),
                       saveGroup(22, "Nauja 2", Navigation::InsertAnother), cancelForm()};
    list->press(ListAction::Change);
    EXPECT_EQ(groupForm.requests,
              (std::vector<Request>{Request::Change, Request::Insert, Request::Insert, Request::Insert}));
    for (std::size_t i = 1; i < groupForm.records.size(); ++i) {
        EXPECT_EQ(groupForm.records[i].get(PGRP::IrasoNr), 0) << i;
        EXPECT_EQ(groupForm.records[i].get(PGRP::GrpPav), "") << i;
    }
    // The last call was cancelled: the page refilled from its first row.
    EXPECT_EQ(page(*list), range(1, 10));
    EXPECT_EQ(currentNumber(*list), 3);
}

// The window resized while its form is open: the engine reads nothing during the call, and takes the
// new row count when the call ends.
TEST_F(ListEngineTest, APageSizeAskedDuringAFormCallIsTakenWhenTheCallEnds) {
    addGroups(1, 40);
    auto list = open(groupsList());
    list->setCurrentRow(4);
    std::size_t rowsDuringTheCall = 0;
    groupForm.steps.push_back([&list, &rowsDuringTheCall](Table&, Request) {
        list->setPageSize(15);
        rowsDuringTheCall = list->rows().size();
        return FormResult{Response::Cancelled, Navigation::None};
    });
    list->press(ListAction::Change);
    EXPECT_EQ(rowsDuringTheCall, 10u);
    EXPECT_EQ(list->pageSize(), 15);
    EXPECT_EQ(page(*list), range(1, 15));
    EXPECT_EQ(currentNumber(*list), 4);
}

// --- filters, primes, refresh, tabs ---

TEST_F(ListEngineTest, AFilteredListShowsItsVariablesRecordsAndPrimesAnInsert) {
    Table& services = context.table(TableId::Paslaug);
    services.open();
    for (int group = 1; group <= 3; ++group) {
        for (int i = 0; i < 4; ++i) {
            services.clear();
            services.record().set(PAS::Pav, "Paslauga " + std::to_string(group) + "-" + std::to_string(i));
            services.record().set(PAS::PaslGrpNr, group);
            ASSERT_EQ(services.add(), StoreStatus::Ok);
        }
    }
    ListConfig config;
    config.table = TableId::Paslaug;
    config.filter = "PAS:PaslGrpNr = LOC:Grupe";
    config.primes = {{"PAS:PaslGrpNr", "LOC:Grupe"}};
    config.columns = {column("", "PAS:Pav", Picture::text(40))};
    config.tabs = {tab("", "+PAS:PaslGrpNr,+PAS:Pav", "PAS:Pav")};
    ScriptedForm form(TableId::Paslaug);
    config.form = std::ref(form);

    ListEngine list(config, context);
    list.variables().set("LOC:Grupe", std::int64_t(2));
    list.open();
    ASSERT_EQ(list.rows().size(), 4u);
    EXPECT_EQ(list.rows().front().cells.at(0), "Paslauga 2-0");
    list.press(ListAction::Insert);
    EXPECT_EQ(form.records.at(0).get(PAS::PaslGrpNr), 2);
    EXPECT_EQ(form.records.at(0).get(PAS::Pav), "");

    list.variables().set("LOC:Grupe", std::int64_t(3));
    list.reload();
    EXPECT_EQ(list.rows().front().cells.at(0), "Paslauga 3-0");
    list.typeCharacter("p");
    EXPECT_EQ(list.rows().at(std::size_t(list.currentRow() - 1)).cells.at(0), "Paslauga 3-1");
    services.close();
}

// A tab whose filter names a value chosen on it: the services of one group, looked up in the groups.
TEST_F(ListEngineTest, ATabSelectorLooksItsValueUpKeepsItWhenAskedAndGivesTheBuffersBack) {
    addGroups(1, 3);
    Table& services = context.table(TableId::Paslaug);
    services.open();
    for (const auto& [name, group] :
         {std::pair{"Pirtis", 2}, std::pair{"Skalbimas", 0}, std::pair{"Sauna", 2}}) {
        services.clear();
        services.record().set(PAS::Pav, name);
        services.record().set(PAS::PaslGrpNr, group);
        ASSERT_EQ(services.add(), StoreStatus::Ok);
    }
    const auto configured = [this](bool remembered) {
        ListConfig config;
        config.name = remembered ? "SelectorKept" : "SelectorBlank";
        config.table = TableId::Paslaug;
        config.columns = {column("", "PAS:Pav", Picture::text(40))};
        SortTab byGroup = tab("Grupė", "+PAS:PaslGrpNr,+PAS:Pav", "");
        byGroup.filter = "PAS:PaslGrpNr = LOC:Grupe";
        byGroup.selector = TabSelector{
            .name = "group",
            .prompt = "Grupė:",
            .variable = "LOC:Grupe",
            .lookUp = {TableId::PaslGrp, PGRP::IrasoNr.index, PGRP::IRASONR_KEY.index, "BrowsePaslGrp"},
            .beside = [](Context&, const Value& value) -> std::vector<std::string> {
                return {"#" + std::to_string(std::get<std::int64_t>(value))};
            },
            .remembered = remembered,
        };
        config.tabs = {byGroup};
        return config;
    };
    const auto names = [](const ListEngine& list) {
        std::vector<std::string> shown;
        for (const ListRow& row : list.rows()) {
            shown.push_back(row.cells.at(0));
        }
        return shown;
    };
    int opened = 0;
    const SelectCall cancel = [&opened](Context&, SelectDone done) {
        ++opened;
        done(Response::Cancelled);
    };

    for (const bool remembered : {true, false}) {
        auto list = open(configured(remembered));
        EXPECT_EQ(list->selectorText(0), "0"); // blank at first: the services without a group
        EXPECT_EQ(names(*list), std::vector<std::string>{"Skalbimas"});
        ASSERT_TRUE(testing::selectorTaken(*list, "2", cancel));
        EXPECT_EQ(opened, 0); // found: no list opened
        EXPECT_EQ(names(*list), (std::vector<std::string>{"Pirtis", "Sauna"}));
        EXPECT_EQ(list->selectorBeside(0), std::vector<std::string>{"#2"});

        // Not found and the choice cancelled, or not a number: nothing changes, the row's buffer is
        // given back.
        EXPECT_FALSE(testing::selectorTaken(*list, "7", cancel));
        EXPECT_EQ(opened, 1);
        EXPECT_FALSE(testing::selectorTaken(*list, "septyni", cancel));
        EXPECT_EQ(list->selectorText(0), "2");
        EXPECT_EQ(context.table(TableId::Paslaug).record().get(PAS::Pav), "Pirtis");
        opened = 0;

        auto again = open(configured(remembered));
        EXPECT_EQ(again->selectorText(0), remembered ? "2" : "0");
    }
    services.close();
}

// A record saved under another value than the tab's choice would vanish under the filter: the tab
// takes the record's value (remembered when the choice is) and the record stays current; a record that
// still passes changes nothing.
TEST_F(ListEngineTest, ARecordSavedUnderAnotherValueOfTheTabsChoiceStaysInView) {
    addGroups(1, 3);
    ListConfig config;
    config.name = "SavedStaysInView";
    config.table = TableId::Paslaug;
    config.columns = {column("", "PAS:Pav", Picture::text(40))};
    SortTab byGroup = tab("Grupė", "+PAS:PaslGrpNr,+PAS:Pav", "");
    byGroup.filter = "PAS:PaslGrpNr = LOC:Grupe";
    byGroup.primes = {{"PAS:PaslGrpNr", "LOC:Grupe"}};
    byGroup.selector = TabSelector{
        .name = "group",
        .prompt = "Grupė:",
        .variable = "LOC:Grupe",
        .lookUp = {TableId::PaslGrp, PGRP::IrasoNr.index, PGRP::IRASONR_KEY.index, "BrowsePaslGrp"},
        .beside = {},
        .remembered = true,
    };
    config.tabs = {byGroup, tab("Pavadinimas", "+UPPER(PAS:Pav)", "PAS:Pav")};
    std::deque<std::pair<std::string, int>> saves{{"Pirtis", 2}, {"Sauna", 3}};
    config.form = testing::formAnsweringAtOnce([&saves](Context& on, Request) {
        Table& services = on.table(TableId::Paslaug);
        const auto [name, group] = saves.front();
        saves.pop_front();
        EXPECT_TRUE(services.record().set(PAS::Pav, name).ok());
        services.record().set(PAS::PaslGrpNr, group);
        EXPECT_EQ(services.add(), StoreStatus::Ok);
        return FormResult{Response::Completed, Navigation::None};
    });
    auto list = open(config);
    ASSERT_TRUE(testing::selectorTaken(*list, "2", {}));
    list->press(ListAction::Insert); // primed with group 2 and saved so
    EXPECT_EQ(list->selectorText(0), "2");
    ASSERT_EQ(list->currentRow(), 1);
    EXPECT_EQ(list->rows()[0].cells.at(0), "Pirtis");

    list->press(ListAction::Insert); // saved under group 3
    EXPECT_EQ(list->selectorText(0), "3");
    ASSERT_EQ(list->rows().size(), 1u);
    EXPECT_EQ(list->rows()[std::size_t(list->currentRow() - 1)].cells.at(0), "Sauna");
    EXPECT_EQ(open(config)->selectorText(0), "3");
}

TEST_F(ListEngineTest, RefreshShowsAnotherWindowsChangesButNotWhileMinimised) {
    addGroups(1, 100);
    auto list = open(groupsList());
    list->setCurrentRow(4);

    Context other(database); // another window's context
    Table& groups = other.table(TableId::PaslGrp);
    groups.open();
    groups.record().set(PGRP::IrasoNr, 4);
    ASSERT_EQ(groups.getByKey(PGRP::IRASONR_KEY), StoreStatus::Ok);
    groups.record().set(PGRP::GrpPav, "Kitas vardas");
    ASSERT_EQ(groups.put(), StoreStatus::Ok);
    groups.record().set(PGRP::IrasoNr, 8);
    ASSERT_EQ(groups.getByKey(PGRP::IRASONR_KEY), StoreStatus::Ok);
    ASSERT_EQ(groups.remove(), StoreStatus::Ok);

    list->setMinimised(true);
    list->refresh();
    EXPECT_EQ(list->rows().at(3).cells.at(1), "Grupė 4");
    EXPECT_EQ(page(*list), range(1, 10));
    list->setMinimised(false);
    EXPECT_EQ(list->rows().at(3).cells.at(1), "Kitas vardas");
    EXPECT_EQ(page(*list), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 9, 10, 11}));
    EXPECT_EQ(list->currentRow(), 4); // kept in its place on the screen

    // The current record removed by the other window: its place goes to the next one.
    groups.record().set(PGRP::IrasoNr, 4);
    ASSERT_EQ(groups.getByKey(PGRP::IRASONR_KEY), StoreStatus::Ok);
    ASSERT_EQ(groups.remove(), StoreStatus::Ok);
    list->refresh();
    EXPECT_EQ(currentNumber(*list), 5);
    EXPECT_EQ(list->currentRow(), 4);
    groups.close();
}

TEST_F(ListEngineTest, ChangingTheTabKeepsTheCurrentRecord) {
    addGroups(1, 200);
    auto list = open(groupsList());
    list->typeCharacter("7"); // group 7, named "Grupė 7"
    list->selectTab(1);
    EXPECT_EQ(currentNumber(*list), 7);
    EXPECT_EQ(list->rows().front().cells.at(1), "Grupė 7");
    list->typeCharacter("g"); // every name begins with G: one row down
    EXPECT_EQ(currentNumber(*list), 70);
}

// --- failures ---

TEST_F(ListEngineTest, AViewThatCannotOpenWarnsAndLeavesTheListEmpty) {
    addGroups(1, 20);
    ListConfig config = groupsList();
    config.tabs[0].filter = "PGRP:IrasoNr = LOC:Nezinomas";
    auto list = open(config);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "(VIEW) atidarymo klaida");
    EXPECT_TRUE(list->rows().empty());
    EXPECT_FALSE(list->closing());
    list->refresh(); // no second warning
    EXPECT_EQ(messages.shown().size(), 1u);
}

TEST_F(ListEngineTest, AReadErrorWarnsNamingTheTableAndClosesTheList) {
    addGroups(1, 20);
    auto list = open(groupsList());
    context.table(TableId::PaslGrp).close(); // the file is gone from under the list
    list->move(ListMove::PageDown);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Record Retrieval Error");
    EXPECT_NE(messages.shown()[0].text.find("skaitant įrašą iš failo PaslGrp"), std::string::npos)
        << messages.shown()[0].text;
    EXPECT_TRUE(list->closing());
    EXPECT_EQ(list->response(), Response::Cancelled);
    list->move(ListMove::RowDown);
    EXPECT_EQ(messages.shown().size(), 1u);
    context.table(TableId::PaslGrp).open(); // balances the list's own close
}

// --- toolbar ---

TEST_F(ListEngineTest, TheToolbarFollowsTheListsButtons) {
    addGroups(1, 30);
    auto list = open(groupsList());
    EXPECT_TRUE(list->toolbarEnabled(ToolbarButton::NextPage));
    EXPECT_TRUE(list->toolbarEnabled(ToolbarButton::Locate));
    EXPECT_TRUE(list->toolbarEnabled(ToolbarButton::Change));
    EXPECT_FALSE(list->toolbarEnabled(ToolbarButton::Select));
    EXPECT_FALSE(list->toolbarEnabled(ToolbarButton::History));
    EXPECT_EQ(list->toolbarTooltip(ToolbarButton::Insert), "Sukurti naują įrašą [Insert]");
    EXPECT_EQ(list->toolbarTooltip(ToolbarButton::Close), "Uždaryti aktyvų langą");
    EXPECT_EQ(list->toolbarTooltip(ToolbarButton::NextRecord), "Pereiti prie kito įrašo");
    list->toolbarPressed(ToolbarButton::NextPage);
    list->toolbarPressed(ToolbarButton::NextRecord);
    EXPECT_EQ(currentNumber(*list), 21);
    list->toolbarPressed(ToolbarButton::LastPage);
    EXPECT_EQ(currentNumber(*list), 30);

    ListConfig selectOnly = groupsList();
    selectOnly.form = nullptr;
    auto picker = open(selectOnly, Request::Select);
    EXPECT_FALSE(picker->toolbarEnabled(ToolbarButton::Insert));
    EXPECT_FALSE(picker->visible(ListAction::Insert));
    EXPECT_TRUE(picker->toolbarEnabled(ToolbarButton::Select));
    EXPECT_TRUE(picker->popupMenu().empty());
}

} // namespace
} // namespace nakva
