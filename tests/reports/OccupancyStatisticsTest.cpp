#include "ReportTestSupport.h"

#include "reports/ListHeading.h"
#include "reports/OccupancyFigures.h"
#include "reports/ReportCatalog.h"
#include "reports/SpKmbUzimtZin.h"
#include "reports/SpStatPaj.h"
#include "reports/SpStatUzimt.h"

#include <algorithm>

namespace nakva::testing {

TEST(OccupancyFiguresTest, NightsInAPeriodExcludeTheDepartureDay) {
    struct Case {
        const char* what;
        Date from, to, arrival, departure;
        std::int64_t nights;
    };
    const Case cases[] = {
        {"28 Feb - 3 Mar in March", day(3, 1), day(3, 31), day(2, 28), day(3, 3), 2},
        {"28 Feb - 3 Mar in February", day(2, 1), day(2, 28), day(2, 28), day(3, 3), 1},
        {"departing on the first day", day(3, 1), day(3, 31), day(2, 20), day(3, 1), 0},
        {"arriving and departing on one day", day(3, 1), day(3, 31), day(3, 5), day(3, 5), 0},
        {"spanning the period", day(3, 1), day(3, 31), day(2, 1), day(4, 10), 31},
        {"arriving on the last day", day(3, 1), day(3, 31), day(3, 31), day(4, 2), 1},
        {"period ending before it starts", day(3, 31), day(3, 1), day(3, 5), day(3, 9), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nightsInPeriod(c.from, c.to, c.arrival, c.departure), c.nights) << c.what;
    }
}

TEST(OccupancyFiguresTest, PercentHasTwoDecimalsRoundedHalfAwayAndIsZeroWithoutPlannedDays) {
    struct Case {
        std::int64_t used, planned;
        const char* percent;
    };
    const Case cases[] = {
        {19, 186, "10.22"}, {1, 3, "33.33"}, {2, 3, "66.67"}, {1, 32, "3.13"}, // 3.125
        {0, 31, "0.00"},    {5, 0, "0.00"},  {0, 0, "0.00"},  {5, 4, "125.00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(occupancyPercent(c.used, c.planned).toString(), c.percent) << c.used << " / " << c.planned;
    }
}

TEST(OccupancyFiguresTest, IncomeShareFollowsTheNightsInThePeriod) {
    struct Case {
        const char* what;
        Date from, to, arrival, departure;
        std::int64_t nights;
        const char *withoutVat, *vat, *withVat;
    };
    // Invoice 100.00 without VAT, 121.00 with it.
    const Case cases[] = {
        {"2 of 3 nights: 2/3", day(3, 1), day(3, 31), day(2, 28), day(3, 3), 2, "66.67", "14.00", "80.67"},
        {"1 of 3 nights: 1/3", day(2, 1), day(2, 28), day(2, 28), day(3, 3), 1, "33.33", "7.00", "40.33"},
        {"whole stay in the period", day(3, 1), day(3, 31), day(3, 5), day(3, 9), 4, "100.00", "21.00",
         "121.00"},
        {"departing on the first day: no night", day(3, 1), day(3, 31), day(2, 20), day(3, 1), 0, "0.00",
         "0.00", "0.00"},
        {"same-day stay in the period takes it all", day(3, 1), day(3, 31), day(3, 31), day(3, 31), 0,
         "100.00", "21.00", "121.00"},
        {"same-day stay outside the period", day(3, 1), day(3, 31), day(4, 1), day(4, 1), 0, "0.00", "0.00",
         "0.00"},
        {"period ending before it starts", day(3, 31), day(3, 1), day(2, 1), day(4, 30), 0, "0.00", "0.00",
         "0.00"},
        {"departure before arrival", day(3, 1), day(3, 31), day(3, 9), day(3, 5), 0, "0.00", "0.00", "0.00"},
    };
    for (const Case& c : cases) {
        const IncomeShare share =
            incomeShare(c.from, c.to, c.arrival, c.departure, money("100.00"), money("121.00"));
        EXPECT_EQ(share.nights, c.nights) << c.what;
        EXPECT_EQ(share.withoutVat.toString(), c.withoutVat) << c.what;
        EXPECT_EQ(share.vat.toString(), c.vat) << c.what;
        EXPECT_EQ(share.withVat.toString(), c.withVat) << c.what;
    }
}

TEST(OccupancyFiguresTest, MonthlySharesOfAYearAddUpToTheInvoiceToTheCent) {
    struct Case {
        Date arrival, departure;
        const char *withoutVat, *withVat;
    };
    const Case stays[] = {
        {day(1, 30), day(3, 2), "100.01", "121.01"}, // both ends of February
        {day(2, 27), day(4, 2), "340.00", "411.40"},
        {day(5, 31), day(6, 1), "0.05", "0.07"},
        {day(6, 15), day(6, 15), "10.00", "12.10"},
        {day(7, 1), day(12, 31), "999.99", "1209.99"}, // 183 nights
        {day(12, 30), day(1, 2, 2027), "3.00", "3.63"},
    };
    for (const Case& stay : stays) {
        Decimal withoutVat, vat, withVat;
        std::int64_t nights = 0;
        for (int m = 1; m <= 12; ++m) {
            const IncomeShare share =
                incomeShare(day(m, 1), monthEnd(day(m, 1)), stay.arrival, stay.departure,
                            money(stay.withoutVat), money(stay.withVat));
            EXPECT_EQ(share.vat, share.withVat - share.withoutVat);
            withoutVat += share.withoutVat;
            vat += share.vat;
            withVat += share.withVat;
            nights += share.nights;
        }
        // The stay of 30 December has its first two nights in this year.
        const Date end = std::min(stay.departure, day(1, 1, 2027));
        EXPECT_EQ(nights, end - stay.arrival);
        if (stay.departure <= day(1, 1, 2027)) {
            EXPECT_EQ(withoutVat, money(stay.withoutVat)) << formatDate(stay.arrival);
            EXPECT_EQ(withVat, money(stay.withVat)) << formatDate(stay.arrival);
            EXPECT_EQ(vat, money(stay.withVat) - money(stay.withoutVat)) << formatDate(stay.arrival);
        }
    }
}

using OccupancyStatisticsTest = StayReportTest;

TEST_F(OccupancyStatisticsTest, SummaryByTypeCountsUsedNightsAgainstEveryRoomOfTheType) {
    addRoom(1, "Dvivietis", 2);
    addRoom(2, "Dvivietis", 2);
    addRoom(3, "Vienvietis", 1);
    addRoom(4, "", 2);                 // no type: no type's room
    addRoom(5, "Visi", 2);             // a type that happens to be called "all"
    addRoom(6, "Vienvietis", 1, true); // not in use, yet a room of its type
    addStay(Stay(1, day(2, 28), day(3, 3)).of(2).in(1, 2));
    addStay(Stay(2, day(3, 1), day(3, 1)).in(2, 1)); // no night
    addStay(Stay(3, day(2, 25), day(3, 1)).in(3, 1));
    addStay(Stay(4, day(3, 10), day(3, 15)).in(4, 1));
    addStay(Stay(5, day(3, 20), day(4, 2)).in(5, 2));

    // Kambario tipas, Kambarių, Dienų, Kambariai x Dienos, Išnaudota, Užimtumo %
    struct Expected {
        Globals period;
        std::vector<std::string> types, rooms, planned, used, percent;
    };
    const Expected expected[] = {
        // The rooms without a type first, their name empty: a blank type counts no rooms, so their
        // nights used stand against none planned; all rooms count in "Iš viso:".
        {month(3),
         {"Dvivietis", "Visi", "Iš viso:"},
         {"0", "2", "1", "6"},
         {"0", "62", "31", "186"},
         {"5", "2", "12", "19"},
         {"0.00", "3.23", "38.71", "10.22"}},
        {month(2),
         {"Dvivietis", "Vienvietis", "Iš viso:"},
         {"2", "2", "6"},
         {"56", "56", "168"},
         {"1", "4", "5"},
         {"1.79", "7.14", "2.98"}},
    };
    for (const Expected& e : expected) {
        run(SpStatUzimt(), e.period);
        ASSERT_EQ(drawn.size(), 1u);
        const auto after = [](std::vector<std::string> texts, const char* heading) {
            texts.erase(texts.begin(), std::find(texts.begin(), texts.end(), heading) + 1);
            return texts;
        };
        auto types = after(column(drawn, list::Left, Align::Left), "Kambario tipas");
        ASSERT_EQ(types.back(), "Sudarė:");
        types.pop_back();
        EXPECT_EQ(types, e.types);
        EXPECT_EQ(after(column(drawn, mm(98), Align::Right), "Kambarių"), e.rooms);
        EXPECT_EQ(after(column(drawn, mm(152), Align::Right), "Kambariai x Dienos"), e.planned);
        EXPECT_EQ(after(column(drawn, mm(176), Align::Right), "Išnaudota"), e.used);
        EXPECT_EQ(after(column(drawn, list::Right, Align::Right), "Užimtumo %"), e.percent);
        const auto days = after(column(drawn, mm(116), Align::Right), "Dienų");
        EXPECT_TRUE(std::all_of(days.begin(), days.end(), [&](const std::string& d) {
            return d == std::to_string(e.period.GalDt - e.period.PrDt + 1);
        }));
        const auto texts = allTexts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "KAMBARIŲ UŽIMTUMO SUVESTINĖ (pagal tipus)"),
                  texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), e.period.PERIODAS), texts.end());
    }

    // An end date before the start date selects nothing.
    run(SpStatUzimt(), period(day(3, 31), day(3, 1)));
    EXPECT_TRUE(drawn.empty());
}

TEST_F(OccupancyStatisticsTest, ARoomRowWithoutItsRoomMakesATypeWithNoRoomsAndZeroPercent) {
    addRoom(1, "Dvivietis", 2);
    addStay(Stay(1, day(3, 2), day(3, 4)).in(1, 1).in(77, 1));
    run(SpStatUzimt(), month(3));
    EXPECT_EQ(column(drawn, list::Right, Align::Right),
              (std::vector<std::string>{"Lapas: 1", "Užimtumo %", "0.00", "6.45", "12.90"}));
    EXPECT_EQ(column(drawn, mm(152), Align::Right),
              (std::vector<std::string>{"Kambariai x Dienos", "0", "31", "31"}));
}

TEST_F(OccupancyStatisticsTest, LedgerShowsThePlacesTakenOnTheChosenNight) {
    addRoom(1, "Dvivietis", 2, false, "201");
    addRoom(2, "Dvivietis", 3, false, "202");
    addRoom(3, "Dvivietis", 2, true, "203"); // not in use: not listed
    addRoom(4, "", 2, false, "301");
    addStay(Stay(1, day(1, 5), day(1, 9)).in(1, 2));   // long gone
    addStay(Stay(2, day(3, 1), day(3, 10)).in(1, 2));  // leaves that day
    addStay(Stay(3, day(3, 10), day(3, 12)).in(1, 3)); // arrives, overfull
    addStay(Stay(4, day(3, 5), day(3, 20)).in(2, 1).in(3, 2));
    addStay(Stay(5, day(3, 10), day(3, 10)).in(2, 2)); // no night

    Globals chosen = period(day(3, 11), day(3, 10)); // the start date plays no part
    run(SpKmbUzimtZin(), chosen);
    ASSERT_EQ(drawn.size(), 1u);
    const auto texts = allTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Data: 2026-03-10"), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), chosen.PERIODAS), texts.end());
    // Rooms in type order: "" (301), then Dvivietis (201, 202), each type with its sums, then all.
    EXPECT_EQ(column(drawn, mm(47), Align::Left),
              (std::vector<std::string>{"301", "Iš viso:", "201", "202", "Iš viso:", "Iš viso:"}));
    EXPECT_EQ(column(drawn, mm(125), Align::Right),
              (std::vector<std::string>{"Vietų", "2", "2", "2", "3", "5", "7"}));
    EXPECT_EQ(column(drawn, mm(160), Align::Right),
              (std::vector<std::string>{"Užimta", "0", "0", "3", "1", "4", "4"}));
    EXPECT_EQ(column(drawn, mm(195), Align::Right),
              (std::vector<std::string>{"Laisva", "2", "2", "-1", "2", "1", "3"}));
}

TEST_F(OccupancyStatisticsTest, IncomeSummaryByCountryAttributesTheNightsInThePeriod) {
    addStay(Stay(1, day(2, 28), day(3, 3)).of(2).from("Lietuva").costing("100", "121"));
    addStay(Stay(2, day(3, 31), day(3, 31)).from("LIETUVA").costing("10", "12.10"));
    addStay(Stay(3, day(2, 27), day(4, 2)).of(3).from("Latvija").costing("340", "411.40"));
    addStay(Stay(4, day(2, 20), day(3, 1)).from("Latvija").costing("90", "108.90")); // no night in March
    addStay(Stay(5, day(3, 5), day(3, 6)).costing("50", "60.50"));
    addStay(Stay(6, day(4, 1), day(4, 3)).from("Estija").costing("20", "24.20"));

    run(SpStatPajValst(), month(3));
    ASSERT_EQ(drawn.size(), 1u);
    // Valstybė | GyvSkč | Lovadn | Be PVM* | PVM* | Su PVM*, then "Iš viso:" with the nights.
    EXPECT_EQ(
        column(drawn, list::Left, Align::Left),
        (std::vector<std::string>{"Valstybė", "Latvija", "Lietuva", "Iš viso:", "Sudarė:",
                                  "* pajamos priskaičiuojamos proporcingai nakvynių skaičiui periode"}));
    EXPECT_EQ(column(drawn, mm(100), Align::Right), (std::vector<std::string>{"GyvSkč", "1", "3", "3", "7"}));
    EXPECT_EQ(column(drawn, mm(120), Align::Right),
              (std::vector<std::string>{"Lovadn", "1", "93", "4", "98"}));
    EXPECT_EQ(column(drawn, mm(148), Align::Right),
              (std::vector<std::string>{"Be PVM*", "50.00", "310.00", "76.67", "436.67"}));
    EXPECT_EQ(column(drawn, mm(172), Align::Right),
              (std::vector<std::string>{"PVM*", "10.50", "65.10", "16.10", "91.70"}));
    EXPECT_EQ(column(drawn, list::Right, Align::Right),
              (std::vector<std::string>{"Lapas: 1", "Su PVM*", "60.50", "375.10", "92.77", "528.37"}));
    EXPECT_EQ(column(drawn, mm(82), Align::Right), (std::vector<std::string>{"Nakvynių: 34"}));
    const auto texts = allTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "PAJAMŲ SUVESTINĖ PAGAL VALSTYBES*"), texts.end());

    run(SpStatPajValst(), period(day(3, 31), day(3, 1)));
    EXPECT_TRUE(drawn.empty());
}

TEST_F(OccupancyStatisticsTest, DetailedIncomeOfAStayOverThreeMonthsAddsUpToItsInvoice) {
    addStay(Stay(7, day(1, 30), day(3, 2))
                .of(2)
                .inGroup("Ekskursija")
                .costing("100.01", "121.01")
                .named("Jonas Jonaitis"));
    Decimal income;
    std::int64_t nights = 0;
    for (int m = 1; m <= 3; ++m) {
        run(SpStatPajGrupDet(), month(m));
        ASSERT_EQ(drawn.size(), 1u) << m;
        const auto texts = allTexts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Grupė: Ekskursija"), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Jonas Jonaitis"), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), "26-01-30"), texts.end());
        // Pajamų*: the stay's line, its group's and the report's.
        const auto shares = column(drawn, list::Right, Align::Right);
        ASSERT_EQ(shares.size(), 5u) << m;
        EXPECT_EQ(shares[2], shares[3]);
        EXPECT_EQ(shares[3], shares[4]);
        income += money(shares[2].c_str());
        const auto counted = column(drawn, mm(118), Align::Left);
        ASSERT_EQ(counted.size(), 4u); // "Nuo", the arrival, then "Nakvynių: N" twice
        nights += std::stoll(counted[2].substr(std::string("Nakvynių: ").size()));
        // Lovdn: the stay's nights in the month times its two residents.
        EXPECT_EQ(column(drawn, mm(159), Align::Right).at(1), std::to_string(2 * (m == 1   ? 2
                                                                                  : m == 2 ? 28
                                                                                           : 1)));
    }
    EXPECT_EQ(income, money("121.01"));
    EXPECT_EQ(nights, 31);
}

TEST(OccupancyReportCatalogTest, TheSixReportsAreFoundByName) {
    EXPECT_EQ(findReport("SpStatUzimt"), &SpStatUzimt());
    EXPECT_EQ(findReport("SpKmbUzimtZin"), &SpKmbUzimtZin());
    EXPECT_EQ(findReport("SpStatPajValst"), &SpStatPajValst());
    EXPECT_EQ(findReport("SpStatPajValstDet"), &SpStatPajValstDet());
    EXPECT_EQ(findReport("SpStatPajGrup"), &SpStatPajGrup());
    EXPECT_EQ(findReport("SpStatPajGrupDet"), &SpStatPajGrupDet());
    EXPECT_EQ(SpKmbUzimtZin().dialog, ParameterDialog::EndDate);
}

} // namespace nakva::testing
