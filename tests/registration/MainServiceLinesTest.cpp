// The main service lines on real files: which of the four are created and when, their prices,
// quantities and periods, their schedules, a second press, and the stays that are refused.
#include "registration/RegistrationTestSupport.h"

#include "registration/InvoiceLine.h"
#include "registration/MainServiceLines.h"
#include "registration/Registration.h"

#include <gtest/gtest.h>

namespace nakva {
namespace {

class MainServiceLinesTest : public testing::RegistrationTest {
protected:
    void SetUp() override {
        RegistrationTest::SetUp();
        Record& settings = database.istgPar();
        ASSERT_TRUE(settings.setText("IST:APGYVENDINIMOPASPAV", "Apgyvendinimas").ok());
        ASSERT_TRUE(settings.setText("IST:MAITINIMOPASPAV", "Pusryčiai").ok());
        ASSERT_TRUE(settings.setText("IST:VAIKMAITINIMOPASPAV", "Vaikų pusryčiai").ok());
        ASSERT_TRUE(settings.setText("IST:PAPVIETOSPASPAV", "Papildoma vieta").ok());
        addService("Apgyvendinimas", "80", "9", "PARA");
        addService("Pusryčiai", "7.5", "21", "ŽMN.");
        addService("Vaikų pusryčiai", "4", "21", "ŽMN.");
        addService("Papildoma vieta", "15", "9", "VNT.");
    }

    std::optional<int> press() { return createMainServiceLines(context, registration(), Decimal(100)); }

    // The price list's price with VAT of a service, as a case needs it.
    void reprice(const std::string& name, const std::string& price) {
        Table services(context, TableId::Paslaug, false);
        services.open();
        ASSERT_TRUE(services.record().setText("PAS:Pav", name).ok());
        ASSERT_EQ(services.getByKey(PAS::PASLKEY), StoreStatus::Ok);
        ASSERT_TRUE(services.record().setText("PAS:KAINSUPVM", price).ok());
        ASSERT_EQ(services.put(), StoreStatus::Ok);
        services.close();
    }

    // The stored lines by service: "field=value" of the fields asked.
    std::map<std::string, std::string> lineValues(const std::string& field) {
        std::map<std::string, std::string> values;
        for (const Record& line : lines()) {
            values[line.get(SEI::PasPav)] = line.text(field);
        }
        return values;
    }
};

TEST_F(MainServiceLinesTest, AccommodationIsChargedAtTheRoomsPriceForEachNightWithASchedule) {
    // Rooms of 60.00 and 40.00 a day: 100.00 for the registration's rooms.
    ASSERT_EQ(press(), 1); // no breakfasts, no extra places
    ASSERT_EQ(lines().size(), 1u);
    const Record line = lines()[0];
    EXPECT_EQ(line.text("SEI:PasPav"), "Apgyvendinimas");
    EXPECT_EQ(line.text("SEI:MATVNT"), "PARA");
    EXPECT_EQ(line.text("SEI:PASPAV1"), "");
    EXPECT_EQ(line.text("SEI:KAINA"), "100.0000");
    EXPECT_EQ(line.text("SEI:KIEKIS"), "3.000");
    EXPECT_EQ(line.text("SEI:KIEKISPERDIENA"), "1.000");
    EXPECT_EQ(line.text("SEI:SUMA"), "300.00");
    EXPECT_EQ(line.text("SEI:SUMABEPVM"), "275.23");
    EXPECT_EQ(line.text("SEI:PVMSUMA"), "24.77");
    EXPECT_EQ(line.text("SEI:PVMPROC"), "9.00");
    // The first night to the last: the departure day is not charged.
    EXPECT_EQ(line.text("SEI:GYVENANUO"), "2024-05-01");
    EXPECT_EQ(line.text("SEI:GYVENAIKI"), "2024-05-03");
    EXPECT_EQ(schedule(line.get(SEI::SEILID)),
              (std::vector<std::string>{"2024-05-01 1.000", "2024-05-02 1.000", "2024-05-03 1.000"}));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MainServiceLinesTest, AllFourFollowTheBreakfastsAndExtraPlacesAndASecondPressAddsNothing) {
    registration().set(SAS::GYVENTOJUSKC, 2);
    registration().set(SAS::PUSRYCIUSK, 2);
    registration().set(SAS::PUSRYCIUVAIK, 1);
    registration().set(SAS::PAPPATALYNE, 2);
    ASSERT_EQ(press(), 4);
    EXPECT_EQ(lineValues("SEI:KIEKISPERDIENA"),
              (std::map<std::string, std::string>{{"Apgyvendinimas", "1.000"},
                                                  {"Papildoma vieta", "2.000"}, // the extra places
                                                  {"Pusryčiai", "2.000"},
                                                  {"Vaikų pusryčiai", "1.000"}}));
    EXPECT_EQ(lineValues("SEI:KIEKIS"), (std::map<std::string, std::string>{{"Apgyvendinimas", "3.000"},
                                                                            {"Papildoma vieta", "6.000"},
                                                                            {"Pusryčiai", "6.000"},
                                                                            {"Vaikų pusryčiai", "3.000"}}));
    EXPECT_EQ(lineValues("SEI:SUMA"), (std::map<std::string, std::string>{{"Apgyvendinimas", "300.00"},
                                                                          {"Papildoma vieta", "90.00"},
                                                                          {"Pusryčiai", "45.00"},
                                                                          {"Vaikų pusryčiai", "12.00"}}));
    // Numbered in the order of the settings, each with its own schedule.
    EXPECT_EQ(lineValues("SEI:SEILID")["Papildoma vieta"], "4");
    EXPECT_EQ(rowCount(TableId::Seilgraf), 12);

    ASSERT_EQ(press(), 0);
    EXPECT_EQ(lines().size(), 4u);
    EXPECT_EQ(rowCount(TableId::Seilgraf), 12);
    EXPECT_EQ(invoiceTotals(context, 7).withVat.toString(), "447.00");
}

TEST_F(MainServiceLinesTest, AServiceMissingFromThePriceListOrNotNamedCreatesNothingForIt) {
    registration().set(SAS::PUSRYCIUSK, 1);
    registration().set(SAS::PAPPATALYNE, 1);
    ASSERT_TRUE(database.istgPar().setText("IST:MAITINIMOPASPAV", "Pietūs").ok());
    ASSERT_TRUE(database.istgPar().setText("IST:APGYVENDINIMOPASPAV", "").ok());
    // The price list's names are exact: letter case counts.
    ASSERT_TRUE(database.istgPar().setText("IST:PAPVIETOSPASPAV", "papildoma vieta").ok());
    ASSERT_EQ(press(), 0);
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MainServiceLinesTest, AStayEndingOnItsFirstDayIsChargedForThatDay) {
    registration().set(SAS::GyvenaIki, arrival);
    registration().set(SAS::GYVENAPARU, 0);
    ASSERT_EQ(press(), 1);
    EXPECT_EQ(lines()[0].text("SEI:GYVENAIKI"), "2024-05-01");
    EXPECT_EQ(lines()[0].text("SEI:KIEKIS"), "1.000");
}

TEST_F(MainServiceLinesTest, AStayWhoseNightsWereNeverComputedIsRefused) {
    registration().set(SAS::GYVENAPARU, 0); // dates 1st to 4th, never accepted
    EXPECT_FALSE(press());
    registration().set(SAS::GYVENAPARU, 3);
    registration().set(SAS::GyvenaNuo, NoDate);
    EXPECT_FALSE(press());
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].title, "DĖMESIO!");
    EXPECT_TRUE(lines().empty());
}

// A free main service (children's breakfasts at 0) is charged all the same: its line at 0.00 with its
// schedule, at its rate.
TEST_F(MainServiceLinesTest, AFreeServiceGetsItsLineAtZeroWithItsSchedule) {
    reprice("Vaikų pusryčiai", "0");
    registration().set(SAS::PUSRYCIUVAIK, 2);
    ASSERT_EQ(press(), 2);
    EXPECT_EQ(lineValues("SEI:SUMA")["Vaikų pusryčiai"], "0.00");
    EXPECT_EQ(lineValues("SEI:PVMSUMA")["Vaikų pusryčiai"], "0.00");
    EXPECT_EQ(lineValues("SEI:PVMPROC")["Vaikų pusryčiai"], "21.00");
    EXPECT_EQ(lineValues("SEI:KIEKIS")["Vaikų pusryčiai"], "6.000");
    EXPECT_EQ(rowCount(TableId::Seilgraf), 6);
    EXPECT_TRUE(messages.shown().empty());
}

// The lines, their schedules and their amounts are written together: a line that cannot be charged
// after another was leaves neither of them, nor any schedule.
TEST_F(MainServiceLinesTest, AFailureOnAnyLineLeavesNoLineAndNoSchedule) {
    registration().set(SAS::PUSRYCIUSK, 200);
    reprice("Pusryčiai", "9999999"); // 600 breakfasts: beyond an amount's field
    EXPECT_FALSE(press());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Negeras lauko turinys");
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(rowCount(TableId::Seilgraf), 0);
}

TEST_F(MainServiceLinesTest, APriceThatDoesNotFitALineIsReportedAndStopsTheRest) {
    registration().set(SAS::PUSRYCIUSK, 1);
    EXPECT_FALSE(createMainServiceLines(context, registration(), *Decimal::parse("99999999")));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Negeras lauko turinys");
    EXPECT_TRUE(lines().empty()); // not the meals either: a failure stops the rest
}

} // namespace
} // namespace nakva
