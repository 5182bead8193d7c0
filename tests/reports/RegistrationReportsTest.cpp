#include "ReportTestSupport.h"

#include "reports/ListHeading.h"
#include "reports/ReportCatalog.h"
#include "reports/SpEinReg.h"
#include "reports/SpSarIsvykst.h"
#include "reports/SpSiandien.h"
#include "reports/SpStat.h"
#include "reports/SpZurnala.h"

#include <algorithm>

namespace nakva::testing {

namespace {

// The texts of a column below its head (the page header's own texts at the same place left out).
std::vector<std::string> below(std::vector<std::string> texts, const std::string& head) {
    const auto found = std::find(texts.begin(), texts.end(), head);
    EXPECT_NE(found, texts.end()) << head;
    texts.erase(texts.begin(), found == texts.end() ? found : found + 1);
    return texts;
}

bool contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The texts that begin with `prefix`, in drawing order.
std::vector<std::string> startingWith(const std::vector<std::string>& texts, const std::string& prefix) {
    std::vector<std::string> found;
    std::copy_if(texts.begin(), texts.end(), std::back_inserter(found),
                 [&](const std::string& text) { return text.starts_with(prefix); });
    return found;
}

Globals withGroup(Globals globals, std::string group) {
    globals.Grupe = std::move(group);
    return globals;
}

} // namespace

class RegistrationReportsTest : public StayReportTest {
protected:
    void addPayment(int number, int registration, const char* amount) {
        addRecord(MOK::table, {{"MOK:IrasoNr", std::to_string(number)},
                               {"MOK:SaskIrasoNr", std::to_string(registration)},
                               {"MOK:MOKSUMA", amount}});
    }

    // Four registrations, three of them registered in March: two of the group "Ekskursija" (one
    // spelled in small letters), one of "Verslas"; one registered in February.
    void addJournalStays() {
        addPayer("UAB1", "UAB „Vėjas“", "", "");
        addStay(Stay(1, day(3, 3), day(3, 6))
                    .of(2)
                    .named("Jonas Jonaitis")
                    .from("Lietuva")
                    .inGroup("Ekskursija")
                    .with("SAS:GYVENTOJOAK", "39001010000")
                    .with("SAS:MOKEJIMOBUDAS", "GRYNAIS")
                    .with("SAS:KliKod", "UAB1")
                    .with("SAS:GYVENTOJOADRESAS", "Vilniaus g. 1, Kaunas")
                    .with("SAS:KOMENTARAI", "Vėlyvas atvykimas")
                    .with("SAS:KAMBARIAI", "201, 202"));
        addStay(Stay(2, day(3, 1), day(3, 2))
                    .named("Anna Berga")
                    .from("Latvija")
                    .inGroup("Verslas")
                    .with("SAS:MOKEJIMOBUDAS", "KORTELE"));
        addStay(Stay(3, day(3, 1), day(3, 4)).registeredOn(day(2, 28)).named("Vasario").inGroup("Verslas"));
        addStay(Stay(4, day(3, 31), day(4, 2)).named("Kovo pabaiga").from("Lietuva").inGroup("ekskursija"));
    }

    std::vector<std::string> columnBelow(int anchor, Align align, const std::string& head) const {
        return below(column(drawn, anchor, align), head);
    }
};

// Journal columns (landscape): Data, Klientas, Svečias, Gyv. skaičius, Parų, Lovd.
constexpr int DateColumn = list::Left;
constexpr int PayerColumn = mm(60);
constexpr int GuestColumn = mm(107);
constexpr int PeopleColumn = mm(225);
constexpr int DaysColumn = mm(237);
constexpr int BedDaysColumn = mm(249);

TEST_F(RegistrationReportsTest, JournalListsThePeriodsRegistrationsOfEveryGroupOrOfTheChosenOne) {
    addJournalStays();

    run(SpZurnala(), month(3));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn.front().orientation(), PageOrientation::Landscape);
    EXPECT_EQ(columnBelow(DateColumn, Align::Left, "Data"),
              (std::vector<std::string>{"2026-03-01", "2026-03-03", "2026-03-31", "Iš viso: 3"}));
    EXPECT_EQ(
        columnBelow(GuestColumn, Align::Left, "Svečias"),
        (std::vector<std::string>{"Anna Berga", "a.k. ", "Latvija", "Jonas Jonaitis", "a.k. 39001010000",
                                  "Lietuva", "Vilniaus g. 1, Kaunas", "Kovo pabaiga", "a.k. ", "Lietuva"}));
    EXPECT_EQ(columnBelow(PayerColumn, Align::Left, "Klientas"),
              (std::vector<std::string>{"Apm.: KORTELE", "UAB „Vėjas“", "Apm.: GRYNAIS", "Apm.: "}));
    // The entries' residents, days and bed-days, then their sums.
    EXPECT_EQ(columnBelow(PeopleColumn, Align::Right, "Gyv. skaičius"),
              (std::vector<std::string>{"1", "2", "1", "4"}));
    EXPECT_EQ(columnBelow(DaysColumn, Align::Right, "Parų"), (std::vector<std::string>{"1", "3", "2", "6"}));
    EXPECT_EQ(columnBelow(BedDaysColumn, Align::Right, "Lovd"),
              (std::vector<std::string>{"1", "6", "2", "9"}));
    const auto texts = allTexts();
    for (const char* text :
         {"REGISTRACIJOS ŽURNALAS", "Periodas:   2026-03-01 : 2026-03-31", "Kambariai", "201, 202",
          "Atv. data", "Išv. data", "Pastabos", "Vėlyvas atvykimas", "Lapas 1"}) {
        EXPECT_TRUE(contains(texts, text)) << text;
    }
    EXPECT_TRUE(startingWith(texts, "Gyventojų grupė").empty());

    // The chosen group, whatever its letter case, and named in the page header.
    run(SpZurnala(), withGroup(month(3), "Ekskursija"));
    EXPECT_EQ(columnBelow(DateColumn, Align::Left, "Data"),
              (std::vector<std::string>{"2026-03-03", "2026-03-31", "Iš viso: 2"}));
    EXPECT_TRUE(contains(allTexts(), "Gyventojų grupė: Ekskursija"));

    // A period that ends before it starts selects nothing: a journal then ends without pages.
    drawn.clear();
    ReportRun reversed(SpZurnala(), context);
    runToEnd(reversed, period(day(3, 31), day(3, 1)));
    EXPECT_EQ(reversed.state(), ReportRun::State::Done);
    EXPECT_FALSE(reversed.showsPreview());
    EXPECT_TRUE(drawn.empty());
}

TEST_F(RegistrationReportsTest, ALongJournalRunsOverLandscapePagesWithEveryEntryOnThePaper) {
    for (int number = 1; number <= 60; ++number) {
        addStay(
            Stay(number, day(3, 1 + number % 28), day(3, 2 + number % 28))
                .named("Svečias " + std::to_string(number))
                .with("SAS:KOMENTARAI", "Pastaba, kuri netelpa vienoje eilutėje ir keliasi į kitas eilutes"));
    }
    run(SpZurnala(), month(3));
    ASSERT_GT(drawn.size(), 2u);
    int entries = 0;
    for (const PageCanvas& page : drawn) {
        for (const PageItem& item : page.items()) {
            if (const auto* text = std::get_if<TextItem>(&item)) {
                EXPECT_LT(text->anchor.y, page.height() - mm(5)) << text->text;
                EXPECT_LE(text->anchor.x, page.width() - mm(10)) << text->text;
                entries += text->text.starts_with("Svečias ") ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(entries, 60);
    EXPECT_EQ(startingWith(pageTexts(drawn.back()), "Iš viso:"), (std::vector<std::string>{"Iš viso: 60"}));
}

TEST_F(RegistrationReportsTest, JournalWithPaymentsShowsEachRegistrationsPaymentsAndTheirTotal) {
    addJournalStays();
    addPayment(1, 1, "100.00");
    addPayment(2, 3, "999.00"); // registered in February
    addPayment(3, 1, "50.50");
    addPayment(4, 4, "20.00");

    run(SpZurnala2(), month(3));
    ASSERT_EQ(drawn.size(), 1u);
    // Anna Berga paid nothing, Jonas Jonaitis twice; the closing line adds them all.
    EXPECT_EQ(startingWith(column(drawn, PayerColumn, Align::Left), "Apm.:"),
              (std::vector<std::string>{"Apm.: 0.00", "Apm.: 150.50", "Apm.: 20.00", "Apm.: 170.50"}));
    // The group stands where the journal shows the country.
    const auto guests = columnBelow(GuestColumn, Align::Left, "Svečias");
    EXPECT_TRUE(contains(guests, "Verslas"));
    EXPECT_TRUE(contains(guests, "ekskursija"));
    EXPECT_FALSE(contains(guests, "Latvija"));
    EXPECT_EQ(columnBelow(DateColumn, Align::Left, "Data").back(), "Iš viso: 3");

    EXPECT_EQ(paidFor(context, 1).paid, money("150.50"));
    EXPECT_EQ(paidFor(context, 2).paid, money("0"));
}

TEST_F(RegistrationReportsTest, ResidentListHoldsEveryStayWithAGuestInTheHouseInThePeriod) {
    struct Case {
        const char* name;
        Date arrival, departure;
        bool listed; // in March's list
    };
    const Case cases[] = {
        {"Atvyksta kovą", day(3, 10), day(3, 12), true},
        {"Išvyksta paskutinę dieną", day(2, 20), day(3, 31), true},
        {"Išvyksta pirmą dieną", day(2, 20), day(3, 1), false},
        {"Per visą mėnesį", day(2, 20), day(4, 5), true},
        {"Atvyksta paskutinę dieną", day(3, 31), day(4, 3), true},
        {"Atvyksta balandį", day(4, 1), day(4, 3), false},
        {"Išvyko vasarį", day(2, 1), day(2, 28), false},
        {"Išvyksta antrą dieną", day(2, 27), day(3, 2), true},
        {"Tą pačią dieną", day(3, 1), day(3, 1), true},
    };
    int number = 0;
    std::vector<std::string> listed;
    for (const Case& c : cases) {
        ++number;
        addStay(Stay(number, c.arrival, c.departure)
                    .registeredOn(day(1, 1) + number) // the list follows the registration order
                    .named(c.name)
                    .inGroup(number % 2 == 0 ? "Verslas" : "Poilsis"));
        if (c.listed) {
            listed.push_back(c.name);
        }
    }

    const auto names = [&] {
        std::vector<std::string> found;
        for (const std::string& text : columnBelow(GuestColumn, Align::Left, "Svečias")) {
            if (std::any_of(std::begin(cases), std::end(cases),
                            [&](const Case& c) { return text == c.name; })) {
                found.push_back(text);
            }
        }
        return found;
    };
    run(SpGyventSarasa(), month(3));
    EXPECT_EQ(names(), listed);
    const auto texts = allTexts();
    EXPECT_TRUE(contains(texts, "GYVENTOJŲ SĄRAŠAS"));
    EXPECT_TRUE(contains(texts, "RegData"));
    EXPECT_FALSE(contains(texts, "Lovd"));
    EXPECT_TRUE(contains(texts, "Grupe.: Verslas"));
    EXPECT_EQ(columnBelow(DateColumn, Align::Left, "RegData").back(),
              "Iš viso: " + std::to_string(listed.size()));

    // The group chosen in the dialog restricts the list, as its page header says.
    run(SpGyventSarasa(), withGroup(month(3), "verslas"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Išvyksta paskutinę dieną", "Per visą mėnesį",
                                                 "Išvyksta antrą dieną"}));
    EXPECT_TRUE(contains(allTexts(), "Gyventojų grupė: verslas"));

    drawn.clear();
    ReportRun reversed(SpGyventSarasa(), context);
    runToEnd(reversed, period(day(3, 31), day(3, 1)));
    EXPECT_FALSE(reversed.showsPreview());
    EXPECT_TRUE(drawn.empty());
}

TEST_F(RegistrationReportsTest, DepartingListHasALineForEachRoomOfAStayInRoomOrder) {
    addRoom(1, "Dvivietis", 2, false, "201", "A", 2);
    addRoom(2, "Dvivietis", 2, false, "105", "A", 1);
    addRoom(3, "Vienvietis", 1, false, "101", "B", 1);
    addStay(Stay(1, day(3, 1), day(3, 5)).named("Du kambariai").in(1, 1).in(3, 1));
    addStay(Stay(2, day(3, 20), day(3, 31)).named("Paskutinę dieną").in(2, 1).with("SAS:Isvykes", "1"));
    addStay(Stay(3, day(3, 20), day(4, 1)).named("Balandį").in(2, 1));
    addStay(Stay(4, day(2, 25), day(3, 1)).named("Pirmą dieną").in(1, 1));

    run(SpSarIsvykst(), month(3));
    ASSERT_EQ(drawn.size(), 1u);
    // A-1-105, A-2-201 (by registration number), B-1-101.
    EXPECT_EQ(columnBelow(mm(46), Align::Left, "Gyventojas"),
              (std::vector<std::string>{"Paskutinę dieną", "Du kambariai", "Pirmą dieną", "Du kambariai"}));
    EXPECT_EQ(column(drawn, mm(125), Align::Left), (std::vector<std::string>{"105", "201", "201", "101"}));
    EXPECT_EQ(columnBelow(mm(192), Align::Right, "Išv"), (std::vector<std::string>{"1"}));
    const auto texts = allTexts();
    for (const char* text :
         {"IŠVYKSTANČIŲ GYVENTOJŲ SĄRAŠAS", "Iš viso: 4", "Sudarė:", "26-03-05", "Lapas: 1"}) {
        EXPECT_TRUE(contains(texts, text)) << text;
    }

    // A report-style run that selects nothing hands an empty report to the preview.
    drawn.clear();
    ReportRun reversed(SpSarIsvykst(), context);
    runToEnd(reversed, period(day(3, 31), day(3, 1)));
    EXPECT_TRUE(reversed.showsPreview());
    EXPECT_TRUE(reversed.pages().empty());
}

// The day's sheet on the working date 2026-12-07: arrivals, then departures, each by surname with its
// count; a stay of that one day in both, one that only spans the day in neither.
TEST_F(RegistrationReportsTest, TheDaySheetListsTheWorkingDatesArrivalsAndDepartures) {
    addStay(Stay(1, day(12, 7), day(12, 9)).named("Zigmas").with("SAS:KAMBARIAI", " A-101"));
    addStay(Stay(2, day(12, 7), day(12, 8)).named("Aldona").of(2));
    addStay(Stay(3, day(12, 3), day(12, 7)).named("Bronius").with("SAS:Isvykes", "1"));
    addStay(Stay(4, day(12, 7), day(12, 7)).named("Dieninis"));
    addStay(Stay(5, day(12, 5), day(12, 10)).named("Gyvenantis"));
    addStay(Stay(6, day(12, 8), day(12, 9)).named("Rytojus"));

    run(SpSiandien(), period(day(12, 1), day(12, 31)));
    ASSERT_EQ(drawn.size(), 1u);
    const auto texts = allTexts();
    EXPECT_EQ(columnBelow(list::Left, Align::Left, "Atvyksta"),
              (std::vector<std::string>{"Aldona", "Dieninis", "Zigmas", "Iš viso: 3", "Išvyksta", "Bronius",
                                        "Dieninis", "Iš viso: 2", "Sudarė:"}));
    EXPECT_EQ(columnBelow(mm(192), Align::Right, "Išv"), (std::vector<std::string>{"1"}));
    EXPECT_TRUE(contains(texts, " A-101"));
    EXPECT_TRUE(contains(texts, "ATVYKSTANTYS IR IŠVYKSTANTYS GYVENTOJAI"));
    EXPECT_FALSE(contains(texts, "Gyvenantis"));
    EXPECT_FALSE(contains(texts, "Rytojus"));
    EXPECT_EQ(findReport("SpSiandien"), &SpSiandien());
}

// Statistics columns: Valstybė / Grupė, Žmonių skč., Lovadienių, Be PVM, Su PVM, PVM.
TEST_F(RegistrationReportsTest, PeriodStatisticsCountEachRegistrationOnceByItsRegistrationDate) {
    addStay(Stay(1, day(3, 5), day(3, 8))
                .of(2)
                .from("Lietuva")
                .inGroup("Verslas")
                .costing("100", "121")
                .in(1, 1)
                .in(2, 1));
    addStay(Stay(2, day(3, 20), day(3, 23)).from("").inGroup("Verslas").costing("50", "60.50"));
    // Registered on the last day of March, staying in April.
    addStay(Stay(3, day(4, 10), day(4, 15))
                .registeredOn(day(3, 31))
                .from("LIETUVA")
                .inGroup("Poilsis")
                .lasting(5, 5)
                .costing("10", "12.10"));
    addStay(Stay(4, day(2, 27), day(3, 2)).from("Latvija").costing("80", "96.80")); // registered in February
    // Registered on the first day of March for a stay in January.
    addStay(
        Stay(5, day(1, 5), day(1, 8)).registeredOn(day(3, 1)).of(3).from("Latvija").costing("30", "36.30"));

    struct Expected {
        const ReportSpec& report;
        const char* title;
        const char* head;
        std::vector<std::string> groups, people, bedDays, withoutVat, withVat, vat;
    };
    const Expected expected[] = {
        {SpStatValst(),
         "STATISTIKA PAGAL VALSTYBES*",
         "Valstybė",
         {"Latvija", "Lietuva", "Iš viso:"}, // no country: a group of its own, first (its name blank)
         {"1", "3", "3", "7"},
         {"3", "9", "11", "23"},
         {"50.00", "30.00", "110.00", "190.00"},
         {"60.50", "36.30", "133.10", "229.90"},
         {"10.50", "6.30", "23.10", "39.90"}},
        {SpStatGrup(),
         "STATISTIKA PAGAL GYVENTOJŲ GRUPES*",
         "Grupė",
         {"Poilsis", "Verslas", "Iš viso:"},
         {"3", "1", "3", "7"},
         {"9", "5", "9", "23"},
         {"30.00", "10.00", "150.00", "190.00"},
         {"36.30", "12.10", "181.50", "229.90"},
         {"6.30", "2.10", "31.50", "39.90"}},
    };
    for (const Expected& e : expected) {
        run(e.report, month(3));
        ASSERT_EQ(drawn.size(), 1u);
        auto groups = columnBelow(list::Left, Align::Left, e.head);
        ASSERT_EQ(groups.size(), 5u) << e.title;
        EXPECT_EQ(groups[3], "Sudarė:");
        EXPECT_EQ(groups[4], "* statistika skaičiuojama pagal registracijos datą");
        groups.resize(3);
        EXPECT_EQ(groups, e.groups) << e.title;
        EXPECT_EQ(columnBelow(mm(95), Align::Right, "Žmonių skč."), e.people) << e.title;
        EXPECT_EQ(columnBelow(mm(118), Align::Right, "Lovadienių"), e.bedDays) << e.title;
        EXPECT_EQ(columnBelow(mm(147), Align::Right, "Be PVM"), e.withoutVat) << e.title;
        EXPECT_EQ(columnBelow(mm(175), Align::Right, "Su PVM"), e.withVat) << e.title;
        EXPECT_EQ(columnBelow(list::Right, Align::Right, "PVM"), e.vat) << e.title;
        const auto texts = allTexts();
        EXPECT_TRUE(contains(texts, e.title));
        EXPECT_TRUE(contains(texts, "Periodas:   2026-03-01 : 2026-03-31"));
    }

    // The detailed report: each country's registrations under its name, its "Iš viso", then the
    // report's "Iš viso:".
    run(SpStatValstDet(), month(3));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(columnBelow(mm(54), Align::Left, "Gyventojas"),
              (std::vector<std::string>{"Gyventojas", "Iš viso", "Gyventojas", "Iš viso", "Gyventojas",
                                        "Gyventojas", "Iš viso", "Iš viso:"}));
    EXPECT_EQ(columnBelow(mm(142), Align::Right, "ĮrašoNr"), (std::vector<std::string>{"2", "5", "1", "3"}));
    EXPECT_EQ(columnBelow(mm(32), Align::Right, "Gyv. skč."),
              (std::vector<std::string>{"1", "1", "3", "3", "2", "1", "3", "7"}));
    EXPECT_EQ(columnBelow(list::Right, Align::Right, "Suma"),
              (std::vector<std::string>{"60.50", "60.50", "36.30", "36.30", "121.00", "12.10", "133.10",
                                        "229.90"}));
    const auto headers = column(drawn, list::Left, Align::Left);
    EXPECT_TRUE(contains(headers, "Latvija"));
    EXPECT_TRUE(contains(headers, "Lietuva"));
    EXPECT_TRUE(contains(allTexts(), "STATISTIKA PAGAL VALSTYBES DETALI*"));

    // A period that ends before it starts: no data pages.
    for (const ReportSpec* report : {&SpStatValst(), &SpStatValstDet(), &SpStatGrup(), &SpStatGrupDet()}) {
        run(*report, period(day(3, 31), day(3, 1)));
        EXPECT_TRUE(drawn.empty()) << report->name;
    }
}

TEST_F(RegistrationReportsTest, CurrentResidentsCountEachRegistrationOnceAndEachGroupsRoomsOccupied) {
    for (int room = 1; room <= 5; ++room) {
        addRoom(room, "Dvivietis", 2, room == 5); // the room not in use is a room of the house too
    }
    addStay(
        Stay(1, day(12, 1), day(12, 5)).of(2).named("Du kambariai").inGroup("Ekskursija").in(1, 1).in(2, 1));
    addStay(
        Stay(2, day(12, 2), day(12, 5)).named("Verslininkas").inGroup("Verslas").in(1, 1)); // room 1 again
    addStay(Stay(3, day(12, 3), day(12, 5)).named("Kaimynas").inGroup("Ekskursija").in(2, 1));
    addStay(Stay(4, day(12, 1), day(12, 3))
                .named("Išvykęs")
                .inGroup("Verslas")
                .in(3, 1)
                .with("SAS:Isvykes", "1"));
    addStay(Stay(5, day(12, 6), day(12, 7)).named("Be grupės").in(4, 1));

    // Grupė, Gyventojų, Lovadienių (its days): a line per group, then the report's, then the rooms.
    run(SpEinRegStatistika(), {});
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(columnBelow(list::Left, Align::Left, "Grupė"),
              (std::vector<std::string>{"Ekskursija", "Verslas",
                                        "Iš viso:", "Iš viso kambarių:", "Užimtų:", "Laisvų:"}));
    // Rooms: five in all; (none, 4), (Ekskursija, 1), (Ekskursija, 2), (Verslas, 1) occupied.
    EXPECT_EQ(columnBelow(mm(97), Align::Right, "Gyventojų"),
              (std::vector<std::string>{"1", "3", "1", "5", "5", "4", "1"}));
    EXPECT_EQ(columnBelow(mm(119), Align::Right, "Lovadienių"),
              (std::vector<std::string>{"1", "6", "3", "10"}));
    EXPECT_TRUE(contains(allTexts(), "NEIŠVYKUSIŲ GYVENTOJŲ STATISTIKA"));

    // The list: each registration once, under its group's name, by room.
    run(SpEinRegSarasa(), {});
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(column(drawn, mm(19), Align::Left),
              (std::vector<std::string>{"Be grupės", "Iš viso:", "Du kambariai", "Kaimynas",
                                        "Iš viso:", "Verslininkas", "Iš viso:"}));
    EXPECT_EQ(columnBelow(mm(97), Align::Right, "Gyventojų"),
              (std::vector<std::string>{"1", "1", "2", "1", "3", "1", "1", "5", "5", "4", "1"}));
    const auto texts = allTexts();
    for (const char* text : {"NEIŠVYKUSIŲ GYVENTOJŲ SARAŠAS", "Ekskursija", "Verslas", "Iš viso kambarių:"}) {
        EXPECT_TRUE(contains(texts, text)) << text;
    }
    EXPECT_FALSE(contains(texts, "Išvykęs"));
}

TEST(RegistrationReportCatalogTest, TheTenReportsAreFoundByNameWithTheirDialogsAndStyles) {
    struct Case {
        const char* name;
        const ReportSpec& report;
        ParameterDialog dialog;
        RunStyle style;
    };
    const Case cases[] = {
        {"SpZurnala", SpZurnala(), ParameterDialog::Journal, RunStyle::Process},
        {"SpZurnala2", SpZurnala2(), ParameterDialog::Journal, RunStyle::Process},
        {"SpGyventSarasa", SpGyventSarasa(), ParameterDialog::Journal, RunStyle::Process},
        {"SpSarIsvykst", SpSarIsvykst(), ParameterDialog::Period, RunStyle::Report},
        {"SpEinRegSarasa", SpEinRegSarasa(), ParameterDialog::None, RunStyle::Report},
        {"SpEinRegStatistika", SpEinRegStatistika(), ParameterDialog::None, RunStyle::Report},
        {"SpStatValst", SpStatValst(), ParameterDialog::Period, RunStyle::Report},
        {"SpStatValstDet", SpStatValstDet(), ParameterDialog::Period, RunStyle::Report},
        {"SpStatGrup", SpStatGrup(), ParameterDialog::Period, RunStyle::Report},
        {"SpStatGrupDet", SpStatGrupDet(), ParameterDialog::Period, RunStyle::Report},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findReport(c.name), &c.report) << c.name;
        EXPECT_EQ(c.report.dialog, c.dialog) << c.name;
        EXPECT_EQ(c.report.style, c.style) << c.name;
    }
}

} // namespace nakva::testing
