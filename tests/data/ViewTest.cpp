#include "StoreTestSupport.h"

#include "data/SqliteConnection.h"
#include "data/Transaction.h"
#include "data/View.h"
#include "support/CaseName.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <tuple>

namespace nakva {
namespace {

using testing::StoreTest;

class ViewTest : public StoreTest {
protected:
    ViewTest() {
        registrations.open();
        rooms.open();
        occupied.open();
    }

    void addRegistration(int number, const std::string& resident, Date date = 0) {
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, number);
        registrations.record().set(SAS::Gyventojas, resident);
        registrations.record().set(SAS::IrasoDt, date);
        ASSERT_EQ(registrations.add(), StoreStatus::Ok) << number;
    }

    // The registration numbers the view reads from where it stands, at most `limit`.
    std::vector<int> read(View& view, ReadDirection direction, int limit = 1000) {
        std::vector<int> numbers;
        while (int(numbers.size()) < limit &&
               (direction == ReadDirection::Forward ? view.next() : view.previous()) == StoreStatus::Ok) {
            numbers.push_back(registrations.record().get(SAS::IrasoNr));
        }
        return numbers;
    }

    // Many records at once: one transaction, one write to the disk.
    void addRegistrations(int count, const std::function<void(int number)>& add) {
        Transaction transaction(context);
        ASSERT_EQ(transaction.begin({TableId::Saskait}), StoreStatus::Ok);
        for (int number = 1; number <= count; ++number) {
            add(number);
        }
        ASSERT_EQ(transaction.commit(), StoreStatus::Ok);
    }

    static std::vector<int> range(int first, int last) {
        std::vector<int> numbers;
        for (int i = first; first <= last ? i <= last : i >= last; i += first <= last ? 1 : -1) {
            numbers.push_back(i);
        }
        return numbers;
    }

    Context context{database};
    Table& registrations = context.table(TableId::Saskait);
    Table& rooms = context.table(TableId::Kamb);
    Table& occupied = context.table(TableId::SaskKmb);
};

TEST_F(ViewTest, APeriodFilterReadsTheVariablesBoundAtEachOpening) {
    const Date first = dateFromYmd(2024, 4, 1);
    addRegistrations(30, [&](int number) { addRegistration(number, "R", first + (30 - number)); });
    Variables globals;
    View view(registrations, &globals);
    view.setOrder("+SAS:IrasoDt,+SAS:IrasoNr");
    view.setFilter("SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt");
    globals.set("GLO:PrDt", std::int64_t(first + 5));
    globals.set("GLO:GalDt", std::int64_t(first + 9));
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Forward), range(25, 21));
    std::int64_t count = 0;
    EXPECT_EQ(view.count(count), StoreStatus::Ok);
    EXPECT_EQ(count, 5);

    globals.set("GLO:GalDt", std::int64_t(first + 6));
    view.setOrder("-SAS:IrasoDt");
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Forward), range(24, 25));
    EXPECT_TRUE(messages.shown().empty());
}

// Sums are exact (stored as whole hundredths), over the filtered rows only, and nought over none.
TEST_F(ViewTest, SumsTheFilteredRowsInOneRead) {
    const char* amounts[] = {"0.10", "0.20", "99999999.99", "-5.05"};
    addRegistrations(4, [&](int number) {
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, number);
        ASSERT_TRUE(registrations.record().setText(SAS::BSUMA.index, amounts[number - 1]).ok());
        registrations.record().set(SAS::SaskNr, number * 10);
        ASSERT_EQ(registrations.add(), StoreStatus::Ok);
    });
    Variables globals;
    View view(registrations, &globals);
    view.setOrder("+SAS:IrasoNr");
    view.setFilter("SAS:IrasoNr <= GLO:Iki");
    const int fields[] = {SAS::BSUMA.index, SAS::SaskNr.index};
    std::vector<Decimal> sums;
    std::int64_t count = -1;
    for (const auto& [last, total, numbers, rows] :
         {std::tuple{2, "0.30", 30, 2}, std::tuple{4, "99999995.24", 100, 4}, std::tuple{0, "0.00", 0, 0}}) {
        globals.set("GLO:Iki", std::int64_t(last));
        ASSERT_EQ(view.open(), StoreStatus::Ok);
        ASSERT_EQ(view.sum(fields, sums, count), StoreStatus::Ok);
        EXPECT_EQ(count, rows);
        EXPECT_EQ(sums.at(0).toString(), total) << last;
        EXPECT_EQ(sums.at(1), Decimal(numbers)) << last;
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ViewTest, PagesForwardAndBackFromPositions) {
    addRegistrations(50, [&](int number) {
        const std::string name = number % 2 ? "vardas " : "VARDAS ";
        addRegistration(number, name + (number < 10 ? "0" : "") + std::to_string(number));
    });
    View view(registrations);
    view.setOrder("+UPPER(SAS:Gyventojas),+SAS:IrasoNr");
    view.setPageSize(20);
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Forward, 20), range(1, 20));
    const Position twentieth = view.position();

    ASSERT_EQ(view.setToPosition(twentieth, false), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Forward, 20), range(21, 40));
    ASSERT_EQ(view.setToPosition(twentieth, false), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Backward, 5), range(19, 15));
    ASSERT_EQ(view.setToPosition(twentieth), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Backward, 2), range(20, 19));

    ASSERT_EQ(view.setToStart(), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Backward, 3), range(50, 48)) << "the last page reads backward";

    registrations.clear();
    registrations.record().set(SAS::Gyventojas, "Vardas 25");
    ASSERT_EQ(view.setToKeyValue(), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Forward, 2), range(25, 26));
    registrations.clear();
    registrations.record().set(SAS::Gyventojas, "Z");
    ASSERT_EQ(view.setToKeyValue(), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Forward), std::vector<int>{});
    ASSERT_EQ(view.setToKeyValue(), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Backward, 1), range(50, 50)) << "past the end: the last record";
}

struct BrokenView {
    const char* order;
    const char* filter;
};

void PrintTo(const BrokenView& c, std::ostream* out) {
    *out << c.order << " where " << c.filter;
}

class BrokenViews : public ViewTest, public ::testing::WithParamInterface<BrokenView> {};

TEST_P(BrokenViews, ShowWarning36AndYieldNoRecords) {
    addRegistration(1, "Jonaitis");
    View view(registrations);
    view.setOrder(GetParam().order);
    view.setFilter(GetParam().filter);
    EXPECT_EQ(view.open(), StoreStatus::Failed);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "(VIEW) atidarymo klaida");
    EXPECT_TRUE(messages.shown()[0].text.starts_with("Klaida: (")) << messages.shown()[0].text;
    EXPECT_TRUE(messages.shown()[0].text.ends_with(") atidarant struktūrą (VIEW). Filtro sąlygų pritaikyti "
                                                   "negalima, todėl neatrinktas nė vienas įrašas."));
    EXPECT_EQ(view.setToStart(), StoreStatus::Ok);
    EXPECT_EQ(view.next(), StoreStatus::EndOfData);
    EXPECT_EQ(view.previous(), StoreStatus::EndOfData);
    std::int64_t count = -1;
    EXPECT_EQ(view.count(count), StoreStatus::Ok);
    EXPECT_EQ(count, 0);
}

INSTANTIATE_TEST_SUITE_P(Store, BrokenViews,
                         ::testing::Values(BrokenView{"+SAS:IrasoNr", "SAS:IrasoDt >="},
                                           BrokenView{"+SAS:IrasoNr", "SAS:Nera = 1"},
                                           BrokenView{"+SAS:IrasoNr", "SAS:Gyventojas = 5"},
                                           BrokenView{"+SAS:IrasoNr", "SAS:IrasoDt > GLO:Nezinomas"},
                                           BrokenView{"+SAS:Nera", ""}, BrokenView{"SAS:IrasoNr,,", ""}),
                         nakva::testing::CaseName());

TEST_F(ViewTest, ValuesTypedByUsersStayValues) {
    addRegistration(1, "Jonaitis");
    addRegistration(2, "x' OR 1=1 --");
    View view(registrations);
    view.setFilter("SAS:Gyventojas = LOC:Vardas");
    view.variables().set("LOC:Vardas", std::string("' OR 1=1 --"));
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Forward), std::vector<int>{});
    view.setFilter("SAS:Gyventojas = 'x'' OR 1=1 --'");
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Forward), std::vector<int>{2});
}

TEST_F(ViewTest, JoinedParentsFillTheirBuffers) {
    for (auto [id, number, type] : {std::tuple{1, "101", "Liuks"}, std::tuple{2, "102", "Vienvietis"}}) {
        rooms.clear();
        rooms.record().set(KMB::KambarioID, id);
        rooms.record().set(KMB::KambarioNr, number);
        rooms.record().set(KMB::KambarioTipas, type);
        ASSERT_EQ(rooms.add(), StoreStatus::Ok);
    }
    for (auto [registration, room] : {std::pair{7, 2}, std::pair{8, 1}, std::pair{9, 3}}) {
        occupied.clear();
        occupied.record().set(SKMB::IrasoNr, registration);
        occupied.record().set(SKMB::KambarioID, room);
        ASSERT_EQ(occupied.add(), StoreStatus::Ok);
    }
    View view(occupied);
    ASSERT_TRUE(view.join(TableId::Kamb));
    view.setOrder("+KMB:KambarioNr,+SKMB:IrasoNr");
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    std::vector<std::pair<int, std::string>> rows;
    while (view.next() == StoreStatus::Ok) {
        rows.emplace_back(occupied.record().get(SKMB::IrasoNr), rooms.record().get(KMB::KambarioTipas));
    }
    const std::vector<std::pair<int, std::string>> expected{{9, ""}, {8, "Liuks"}, {7, "Vienvietis"}};
    EXPECT_EQ(rows, expected) << "a room that is gone reads as a blank room";

    view.setFilter("KMB:KambarioTipas = 'Liuks'");
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    ASSERT_EQ(view.next(), StoreStatus::Ok);
    EXPECT_EQ(occupied.record().get(SKMB::IrasoNr), 8);
    EXPECT_EQ(view.next(), StoreStatus::EndOfData);
}

TEST_F(ViewTest, ARequiredParentLeavesOutTheRowsWithoutIt) {
    rooms.clear();
    rooms.record().set(KMB::KambarioID, 1);
    rooms.record().set(KMB::KambarioTipas, "Liuks");
    ASSERT_EQ(rooms.add(), StoreStatus::Ok);
    for (auto [registration, room] : {std::pair{7, 1}, std::pair{8, 3}}) {
        occupied.clear();
        occupied.record().set(SKMB::IrasoNr, registration);
        occupied.record().set(SKMB::KambarioID, room);
        ASSERT_EQ(occupied.add(), StoreStatus::Ok);
    }
    // filter, registrations read: the row of the missing room neither read nor taken for a blank room
    const std::vector<std::pair<std::string, std::vector<int>>> cases = {
        {"", {7}},
        {"KMB:KambarioTipas = ''", {}},
        {"KMB:KambarioTipas = 'Liuks'", {7}},
        {"KMB:KambarioID <= 3", {7}},
    };
    const auto readJoined = [&](bool required, const std::string& filter) {
        View view(occupied);
        EXPECT_TRUE(view.join(TableId::Kamb, false, required));
        view.setOrder("+KMB:KambarioID");
        view.setFilter(filter);
        EXPECT_EQ(view.open(), StoreStatus::Ok) << filter;
        std::vector<int> read;
        while (view.next() == StoreStatus::Ok) {
            read.push_back(occupied.record().get(SKMB::IrasoNr));
            if (required) {
                EXPECT_EQ(rooms.record().get(KMB::KambarioTipas), "Liuks");
            }
        }
        return read;
    };
    for (const auto& [filter, expected] : cases) {
        EXPECT_EQ(readJoined(true, filter), expected) << filter;
    }
    // The same order and filters joined as usual, on the same context: the row of the missing room
    // comes with a blank room, its select not mistaken for the required join's.
    EXPECT_EQ(readJoined(false, ""), (std::vector<int>{8, 7}));
    EXPECT_EQ(readJoined(false, "KMB:KambarioTipas = ''"), std::vector<int>{8});
}

TEST_F(ViewTest, NoReadStaysOpenBetweenCalls) {
    addRegistrations(50, [&](int number) { addRegistration(number, "R"); });
    View view(registrations);
    view.setOrder("+SAS:IrasoNr");
    view.setPageSize(20);
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Forward, 5), range(1, 5));
    Table& single = context.table(TableId::Valstyb);
    single.open();
    ASSERT_EQ(single.next(), StoreStatus::EndOfData);

    // Another user commits at once, without waiting: nothing of ours holds a read lock.
    for (TableId table : {TableId::Saskait, TableId::Valstyb}) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(database.filePath(table).c_str(), &db), SQLITE_OK);
        registerLithuanianFunctions(db);
        sqlite3_busy_timeout(db, 0);
        const std::string insert = table == TableId::Saskait
                                       ? "INSERT INTO Saskait(IrasoNr) VALUES(51)"
                                       : "INSERT INTO Valstyb(Valstybe) VALUES('Lietuva')";
        EXPECT_EQ(
            sqlite3_exec(db, ("BEGIN IMMEDIATE; " + insert + "; COMMIT").c_str(), nullptr, nullptr, nullptr),
            SQLITE_OK)
            << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
    EXPECT_EQ(read(view, ReadDirection::Forward).size(), 46u) << "and the view goes on to the new record";
}

// Select texts are written once per context and serve every later open with other values: what the
// values decide stays in the parameters, and a value that changes the text (a sum no stored value can
// equal) is told apart.
TEST_F(ViewTest, SelectsWrittenOnceServeOtherValues) {
    addRegistrations(6, [&](int number) {
        addRegistration(number, "R");
        registrations.record().set(SAS::IrasoNr, number);
        ASSERT_EQ(registrations.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
        (void)registrations.record().set(SAS::BSUMA, Decimal(number % 2 ? 10 : 20));
        ASSERT_EQ(registrations.put(), StoreStatus::Ok);
    });
    const auto numbersAt = [&](const Value& sum) {
        View view(registrations);
        view.setOrder("+SAS:IrasoNr");
        view.setFilter("SAS:BSUMA = LOC:Suma");
        view.variables().set("LOC:Suma", sum);
        EXPECT_EQ(view.open(), StoreStatus::Ok);
        return read(view, ReadDirection::Forward);
    };
    EXPECT_EQ(numbersAt(Decimal(10)), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(numbersAt(Decimal(20)), (std::vector<int>{2, 4, 6}));
    EXPECT_EQ(numbersAt(*Decimal::parse("10.005")), std::vector<int>{});
    EXPECT_EQ(numbersAt(std::int64_t(10)), (std::vector<int>{1, 3, 5}));
    EXPECT_TRUE(messages.shown().empty());
}

// A view's query is built once per context and taken again only with the same values of the names in
// its filter: each opening below, on views of their own, must read by its own order, filter and
// variables whatever the context built before. A name that is a variable at one opening and not bound
// at the next is a field again, or an error.
struct QueryOpening {
    const char* order;
    const char* filter;
    std::vector<std::pair<const char*, Value>> bound;
    std::optional<std::vector<int>> numbers; // none: the view fails to open
};

TEST_F(ViewTest, QueriesBuiltOnceFollowEachOpeningsVariables) {
    addRegistrations(6, [&](int number) { addRegistration(number, number % 2 ? "A" : "B"); });
    const std::vector<QueryOpening> openings = {
        {"+SAS:IrasoNr", "SAS:IrasoNr > SAS:IrasoDt", {}, range(1, 6)},
        {"+SAS:IrasoNr", "SAS:IrasoNr > SAS:IrasoDt", {{"SAS:IrasoDt", std::int64_t(4)}}, range(5, 6)},
        {"+SAS:IrasoNr", "SAS:IrasoNr > LOC:Nuo", {{"LOC:Nuo", std::int64_t(2)}}, range(3, 6)},
        {"+SAS:IrasoNr", "SAS:IrasoNr > LOC:Nuo", {{"LOC:Nuo", std::int64_t(5)}}, range(6, 6)},
        {"+SAS:IrasoNr", "SAS:IrasoNr > LOC:Nuo", {{"LOC:Nuo", *Decimal::parse("3.5")}}, range(4, 6)},
        {"+SAS:IrasoNr", "SAS:IrasoNr > LOC:Nuo", {}, std::nullopt},
        {"+SAS:IrasoNr", "SAS:IrasoNr > LOC:Nuo", {{"LOC:Nuo", std::string("x")}}, std::nullopt},
        {"+SAS:IrasoNr", "SAS:IrasoNr <= LOC:Nuo", {{"LOC:Nuo", std::int64_t(2)}}, range(1, 2)},
        {"-SAS:IrasoNr", "SAS:IrasoNr > LOC:Nuo", {{"LOC:Nuo", std::int64_t(2)}}, range(6, 3)},
        {"+SAS:IrasoNr",
         "SAS:Gyventojas = LOC:Vardas",
         {{"LOC:Vardas", std::string("B")}},
         std::vector<int>{2, 4, 6}},
        {"+SAS:IrasoNr",
         "SAS:Gyventojas = LOC:Vardas",
         {{"LOC:Vardas", std::string("a")}},
         std::vector<int>{}},
        {"+SAS:IrasoNr",
         "UPPER(SAS:Gyventojas) = UPPER(LOC:Vardas)",
         {{"LOC:Vardas", std::string("a")}},
         std::vector<int>{1, 3, 5}},
    };
    // Twice over: the second round finds every query the first one built.
    for (int round = 0; round < 2; ++round) {
        for (const QueryOpening& opening : openings) {
            const std::string label = std::string(opening.order) + " where " + opening.filter + ", " +
                                      std::to_string(opening.bound.size()) + " bound, round " +
                                      std::to_string(round);
            messages.clear();
            View view(registrations);
            view.setOrder(opening.order);
            view.setFilter(opening.filter);
            for (const auto& [name, value] : opening.bound) {
                view.variables().set(name, value);
            }
            if (!opening.numbers) {
                EXPECT_EQ(view.open(), StoreStatus::Failed) << label;
                EXPECT_EQ(messages.shown().size(), 1u) << label;
                continue;
            }
            ASSERT_EQ(view.open(), StoreStatus::Ok) << label;
            EXPECT_EQ(read(view, ReadDirection::Forward), *opening.numbers) << label;
            EXPECT_TRUE(messages.shown().empty()) << label;
        }
    }
}

// An order and a filter that both cannot be read: the order's fault is the one told, every time.
// (A name unknown to an order is found only when the query is built, after the filter is read.)
TEST_F(ViewTest, ABrokenOrderIsToldBeforeABrokenFilter) {
    const auto warning = [&](const char* order, const char* filter) {
        messages.clear();
        View view(registrations);
        view.setOrder(order);
        view.setFilter(filter);
        EXPECT_EQ(view.open(), StoreStatus::Failed);
        return messages.shown().empty() ? std::string() : messages.shown()[0].text;
    };
    const std::string orderFault = warning("SAS:IrasoNr,,", "");
    ASSERT_FALSE(orderFault.empty());
    EXPECT_EQ(warning("SAS:IrasoNr,,", "SAS:IrasoDt >="), orderFault);
    EXPECT_NE(warning("+SAS:IrasoNr", "SAS:IrasoDt >="), orderFault);
    EXPECT_EQ(warning("SAS:IrasoNr,,", "SAS:IrasoDt >="), orderFault);
    EXPECT_NE(warning("+SAS:Nera", "SAS:IrasoDt >="), warning("+SAS:Nera", ""));
}

// A list finds its locator among the order's fields: the open view gives them as it bound them (a
// joined parent's too), and a view that failed to open still gives those the dictionary knows.
TEST_F(ViewTest, OrderFieldsAreTheFieldsTheOrderNames) {
    const auto named = [](std::initializer_list<const char*> names) {
        std::vector<std::tuple<const TableDef*, int, bool>> fields;
        for (const char* name : names) {
            const auto field = Dictionary::instance().findField(name);
            fields.emplace_back(field->table, field->field, field->secondBuffer);
        }
        return fields;
    };
    const auto fieldsOf = [](const View& view) {
        std::vector<std::tuple<const TableDef*, int, bool>> fields;
        for (const FieldRef& field : view.orderFields()) {
            fields.emplace_back(field.table, field.field, field.secondBuffer);
        }
        return fields;
    };
    View view(occupied);
    view.join(TableId::Kamb);
    view.setOrder("+UPPER(KMB:KambarioTipas),-SKMB:IrasoNr,+SKMB:KambarioID");
    EXPECT_EQ(fieldsOf(view), named({"KMB:KambarioTipas", "SKMB:IrasoNr", "SKMB:KambarioID"})) << "not open";
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    EXPECT_EQ(fieldsOf(view), named({"KMB:KambarioTipas", "SKMB:IrasoNr", "SKMB:KambarioID"})) << "open";

    view.setOrder("+SKMB:IrasoNr,+SKMB:Nera,+SKMB:KambarioID");
    EXPECT_EQ(view.open(), StoreStatus::Failed);
    EXPECT_EQ(fieldsOf(view), named({"SKMB:IrasoNr", "SKMB:KambarioID"})) << "failed";
}

// A read that came to the end of a short batch says so without asking the file again, once; the
// read after that asks again and finds what another station added meanwhile.
TEST_F(ViewTest, TheEndOfAShortBatchIsToldOnceThenAskedAgain) {
    addRegistrations(3, [&](int number) { addRegistration(number, "R"); });
    View view(registrations);
    view.setOrder("+SAS:IrasoNr");
    view.setPageSize(10);
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    EXPECT_EQ(read(view, ReadDirection::Forward), range(1, 3));
    {
        Database station(folder.path());
        Context other(station);
        Table& theirs = other.table(TableId::Saskait);
        theirs.open();
        theirs.record().set(SAS::IrasoNr, 4);
        ASSERT_EQ(theirs.add(), StoreStatus::Ok);
    }
    EXPECT_EQ(read(view, ReadDirection::Forward), std::vector<int>{4});
}

// Another station renames the first country, moving it to the end of the order, while a view reads
// the countries in steps.
class MovedRecordTest : public ViewTest {
protected:
    MovedRecordTest() {
        countries.open();
        for (const char* name : {"Austrija", "Belgija", "Danija", "Estija", "Graikija"}) {
            countries.clear();
            countries.record().set(VAL::Valstybe, name);
            EXPECT_EQ(countries.add(), StoreStatus::Ok);
        }
        view.setOrder("+VAL:Valstybe");
        view.setPageSize(2);
    }

    std::vector<std::string> readOn() {
        std::vector<std::string> names;
        while (view.next() == StoreStatus::Ok) {
            names.push_back(countries.record().get(VAL::Valstybe));
        }
        return names;
    }

    int renameFirst() {
        return testing::runHelper({"rename-country", folder.path().string(), "Austrija", "Zambija"});
    }

    Table& countries = context.table(TableId::Valstyb);
    View view{countries};
};

// An export or a batch selection reads one moment: the rename waits for it (and gives up), and every
// country is read once.
TEST_F(MovedRecordTest, AReadOfOneMomentReadsAMovedRecordOnce) {
    view.holdOneMoment();
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    ASSERT_EQ(view.next(), StoreStatus::Ok);
    EXPECT_NE(renameFirst(), 0) << "the rename waited for the read and gave up";
    EXPECT_EQ(readOn(), (std::vector<std::string>{"Belgija", "Danija", "Estija", "Graikija"}));
    view.close();
    EXPECT_EQ(renameFirst(), 0) << "free once the read is over";
}

// A report lets others write between its steps, each restarted from where the last one ended: the
// moved record is not printed a second time at the end.
TEST_F(MovedRecordTest, AReportReadGivesAMovedRecordOnce) {
    view.readEachRecordOnce();
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    ASSERT_EQ(view.next(), StoreStatus::Ok);
    const Position reached = view.position();
    ASSERT_EQ(renameFirst(), 0);
    ASSERT_EQ(view.setToPosition(reached, false), StoreStatus::Ok);
    EXPECT_EQ(readOn(), (std::vector<std::string>{"Belgija", "Danija", "Estija", "Graikija"}));
}

TEST_F(ViewTest, RemovingWhatAViewReadsVisitsEveryRowOnce) {
    addRegistrations(100,
                     [&](int number) { addRegistration(number, "R", dateFromYmd(2020, 1, 1) + number % 7); });
    View view(registrations);
    view.setOrder("+SAS:IrasoDt");
    view.scanHint(true);
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    Transaction removal(context);
    ASSERT_EQ(removal.begin({TableId::Saskait}), StoreStatus::Ok);
    std::vector<int> visited;
    while (view.next() == StoreStatus::Ok) {
        visited.push_back(registrations.record().get(SAS::IrasoNr));
        if (visited.back() % 2) {
            ASSERT_EQ(registrations.remove(), StoreStatus::Ok);
        }
    }
    ASSERT_EQ(removal.commit(), StoreStatus::Ok);
    std::ranges::sort(visited);
    EXPECT_EQ(visited, range(1, 100));
    std::int64_t left = 0;
    registrations.recordCount(left);
    EXPECT_EQ(left, 50);
}

TEST_F(ViewTest, AProceduresOwnHandleLeavesTheContextsBufferAlone) {
    addRegistration(1, "Pirmas");
    addRegistration(2, "Antras");
    registrations.clear();
    registrations.record().set(SAS::Gyventojas, "Formoje");
    Table own(context, TableId::Saskait, false);
    own.open();
    View view(own);
    view.setOrder("+SAS:Gyventojas");
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    ASSERT_EQ(view.next(), StoreStatus::Ok);
    EXPECT_EQ(own.record().get(SAS::Gyventojas), "Antras");
    ASSERT_EQ(own.remove(), StoreStatus::Ok);
    EXPECT_EQ(registrations.record().get(SAS::Gyventojas), "Formoje");
    ASSERT_EQ(view.next(), StoreStatus::Ok);
    EXPECT_EQ(own.record().get(SAS::Gyventojas), "Pirmas");
}

} // namespace
} // namespace nakva
