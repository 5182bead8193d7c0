// The invoice line's arithmetic without storage: the VAT split, the recomputations of the line form's
// fields, the period, the quantity a day and the totals from a schedule. Decimal texts in, decimal
// texts out, a row per case.
#include "data/Fields.h"
#include "registration/InvoiceLine.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace nakva {
namespace {

using Values = std::map<std::string, std::string>;

Record lineOf(const Values& values) {
    Record line(TableId::Saskeil);
    for (const auto& [field, text] : values) {
        EXPECT_TRUE(line.setText(field, text).ok()) << field;
    }
    return line;
}

void expectValues(const Record& line, const Values& expected) {
    for (const auto& [field, text] : expected) {
        EXPECT_EQ(line.text(field), text) << field;
    }
}

enum class Step { SplitVat, AmountFromQuantity, PriceFromAmount, RateFromVat };

struct StepCase {
    const char* name;
    Step step;
    Values given;
    Values expected;      // after the step, when it is taken
    bool refused = false; // the line stays as given and the step says why
};

void PrintTo(const StepCase& c, std::ostream* out) {
    *out << c.name;
}

SetResult run(Step step, Record& line) {
    switch (step) {
    case Step::SplitVat:
        return splitVat(line);
    case Step::AmountFromQuantity:
        return amountFromQuantity(line);
    case Step::PriceFromAmount:
        return priceFromAmount(line);
    case Step::RateFromVat:
        return rateFromVat(line);
    }
    return {};
}

class LineStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(LineStepTest, SetsItsFieldsTogetherOrRefusesAndLeavesTheLineAsItWas) {
    const StepCase& each = GetParam();
    Record line = lineOf(each.given);
    const Record before = line;
    const SetResult result = run(each.step, line);
    if (each.refused) {
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(line == before);
        return;
    }
    EXPECT_TRUE(result.ok()) << result.error;
    expectValues(line, each.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, LineStepTest,
    ::testing::Values(
        // The VAT is the remainder: the parts add up to the amount.
        StepCase{"TenAt21",
                 Step::SplitVat,
                 {{"SUMA", "10"}, {"PVMPROC", "21"}},
                 {{"SUMABEPVM", "8.26"}, {"PVMSUMA", "1.74"}}},
        StepCase{"FortyFiveAt21",
                 Step::SplitVat,
                 {{"SUMA", "45"}, {"PVMPROC", "21"}},
                 {{"SUMABEPVM", "37.19"}, {"PVMSUMA", "7.81"}}},
        // 1.01 / 2 = 0.505: halves round away from zero.
        StepCase{"HalfAwayFromZero",
                 Step::SplitVat,
                 {{"SUMA", "1.01"}, {"PVMPROC", "100"}},
                 {{"SUMABEPVM", "0.51"}, {"PVMSUMA", "0.50"}}},
        StepCase{"NegativeHalf",
                 Step::SplitVat,
                 {{"SUMA", "-1.01"}, {"PVMPROC", "100"}},
                 {{"SUMABEPVM", "-0.51"}, {"PVMSUMA", "-0.50"}}},
        StepCase{"Negative",
                 Step::SplitVat,
                 {{"SUMA", "-10"}, {"PVMPROC", "21"}},
                 {{"SUMABEPVM", "-8.26"}, {"PVMSUMA", "-1.74"}}},
        StepCase{"NoVat",
                 Step::SplitVat,
                 {{"SUMA", "12.34"}, {"PVMPROC", "0"}},
                 {{"SUMABEPVM", "12.34"}, {"PVMSUMA", "0.00"}}},
        StepCase{"RateMinusHundred", Step::SplitVat, {{"SUMA", "10"}, {"PVMPROC", "-100"}}, {}, true},

        StepCase{"FifteenTimesThree",
                 Step::AmountFromQuantity,
                 {{"KAINA", "15"}, {"KIEKIS", "3"}, {"PVMPROC", "21"}},
                 {{"SUMA", "45.00"}, {"SUMABEPVM", "37.19"}, {"PVMSUMA", "7.81"}}},
        StepCase{"PriceRoundedToCents",
                 Step::AmountFromQuantity,
                 {{"KAINA", "33.3333"}, {"KIEKIS", "3"}, {"PVMPROC", "21"}},
                 {{"SUMA", "100.00"}}},
        // A price typed while the quantity is 0 leaves the amount as it was.
        StepCase{"QuantityZero",
                 Step::AmountFromQuantity,
                 {{"KAINA", "15"}, {"KIEKIS", "0"}, {"SUMA", "7"}, {"PVMPROC", "21"}},
                 {{"SUMA", "7.00"}}},
        StepCase{"PriceZero",
                 Step::AmountFromQuantity,
                 {{"KAINA", "0"}, {"KIEKIS", "2"}, {"SUMA", "7"}, {"PVMPROC", "21"}},
                 {{"SUMA", "7.00"}}},
        // 9999999.9999 × 9999999999.999 cannot be an amount of eleven digits: refused, never wrapped.
        StepCase{"AmountTooLarge",
                 Step::AmountFromQuantity,
                 {{"KAINA", "9999999.9999"}, {"KIEKIS", "9999999999.999"}, {"PVMPROC", "21"}},
                 {},
                 true},

        StepCase{"HundredOverThree",
                 Step::PriceFromAmount,
                 {{"SUMA", "100"}, {"KIEKIS", "3"}, {"PVMPROC", "21"}},
                 {{"KAINA", "33.3333"}, {"SUMABEPVM", "82.64"}, {"PVMSUMA", "17.36"}}},
        // At a quantity of 0 the price stays; the split follows the amount typed.
        StepCase{"AmountWithoutQuantity",
                 Step::PriceFromAmount,
                 {{"SUMA", "121"}, {"KIEKIS", "0"}, {"KAINA", "5"}, {"PVMPROC", "21"}},
                 {{"KAINA", "5.0000"}, {"SUMABEPVM", "100.00"}, {"PVMSUMA", "21.00"}}},
        StepCase{"PriceTooLarge",
                 Step::PriceFromAmount,
                 {{"SUMA", "999999999"}, {"KIEKIS", "0.001"}, {"PVMPROC", "21"}},
                 {},
                 true},

        // The VAT is the rate's VAT to the cent: the line keeps the rate it was priced at, not the
        // 21.07 (1.74 / 8.26) or 21.01 (8.68 / 41.32) its rounded amounts imply.
        StepCase{"PricedRateKept",
                 Step::RateFromVat,
                 {{"SUMA", "10"}, {"PVMSUMA", "1.74"}, {"PVMPROC", "21"}},
                 {{"SUMABEPVM", "8.26"}, {"PVMPROC", "21.00"}}},
        StepCase{"SaunaAt21Kept",
                 Step::RateFromVat,
                 {{"SUMA", "50"}, {"PVMSUMA", "8.68"}, {"PVMPROC", "21"}},
                 {{"SUMABEPVM", "41.32"}, {"PVMPROC", "21.00"}}},
        // A VAT typed that the rate does not give: the roundest rate that gives it.
        StepCase{"TypedVatOfAnotherRate",
                 Step::RateFromVat,
                 {{"SUMA", "10"}, {"PVMSUMA", "1.74"}, {"PVMPROC", "9"}},
                 {{"SUMABEPVM", "8.26"}, {"PVMPROC", "21.00"}}},
        StepCase{"TypedVatOfNoRoundRate",
                 Step::RateFromVat,
                 {{"SUMA", "100"}, {"PVMSUMA", "5"}, {"PVMPROC", "21"}},
                 {{"SUMABEPVM", "95.00"}, {"PVMPROC", "5.26"}}},
        // No VAT at all: the rate is 0 and all of the amount is without VAT.
        StepCase{"TypedVatZero",
                 Step::RateFromVat,
                 {{"SUMA", "12.34"}, {"PVMSUMA", "0"}, {"PVMPROC", "21"}},
                 {{"SUMABEPVM", "12.34"}, {"PVMPROC", "0.00"}}},
        // Nothing without VAT: the rate stays, no 0 that would count in the registration's mean.
        StepCase{"FreeLineKeepsItsRate",
                 Step::RateFromVat,
                 {{"SUMA", "0"}, {"PVMSUMA", "0"}, {"PVMPROC", "21"}},
                 {{"SUMABEPVM", "0.00"}, {"PVMPROC", "21.00"}}},
        StepCase{"AllOfItVat",
                 Step::RateFromVat,
                 {{"SUMA", "5"}, {"PVMSUMA", "5"}, {"PVMPROC", "9"}},
                 {{"SUMABEPVM", "0.00"}, {"PVMPROC", "9.00"}}},
        StepCase{"VatAboveTheAmount",
                 Step::RateFromVat,
                 {{"SUMA", "10"}, {"PVMSUMA", "12"}, {"PVMPROC", "21"}},
                 {},
                 true},
        StepCase{"RateBeyondTheField",
                 Step::RateFromVat,
                 {{"SUMA", "10.01"}, {"PVMSUMA", "10"}, {"PVMPROC", "21"}},
                 {},
                 true}),
    nakva::testing::CaseName());

TEST(LinePeriodTest, ANewLineCoversTheNightsOfTheStayAndAStayEndingOnItsFirstDayGivesThatDay) {
    const Date first = dateFromYmd(2024, 5, 1);
    struct Case {
        Date arrival, departure, expectedFirst, expectedLast;
    };
    for (const Case& each : {Case{first, first + 3, first, first + 2}, Case{first, first, first, first},
                             Case{first, first + 1, first, first}, Case{first, NoDate, first, first}}) {
        Record line(TableId::Saskeil);
        defaultPeriod(line, {each.arrival, each.departure, 1});
        EXPECT_EQ(line.get(SEI::GYVENANUO), each.expectedFirst);
        EXPECT_EQ(line.get(SEI::GYVENAIKI), each.expectedLast);
    }
    // A line with both dates keeps them.
    Record set(TableId::Saskeil);
    set.set(SEI::GYVENANUO, first + 5);
    set.set(SEI::GYVENAIKI, first + 6);
    defaultPeriod(set, {first, first + 3, 1});
    EXPECT_EQ(set.get(SEI::GYVENANUO), first + 5);
}

TEST(LinePeriodTest, OnlyPersonsAndBedDaysWrittenExactlyCountTheResidents) {
    EXPECT_EQ(quantityPerDay("ŽMN.", 2), 2);
    EXPECT_EQ(quantityPerDay("LOVAD.    ", 3), 3);
    EXPECT_EQ(quantityPerDay("žmn.", 2), 1); // letter case counts
    EXPECT_EQ(quantityPerDay("ŽMN", 2), 1);
    EXPECT_EQ(quantityPerDay("VNT.", 2), 1);
    EXPECT_EQ(quantityPerDay("", 2), 1);
}

class ScheduleTotalsTest : public ::testing::Test {
protected:
    const Date first = dateFromYmd(2024, 5, 1);
    Record line = lineOf({{"GYVENTOJUSKC", "2"}, {"KAINA", "10"}, {"PVMPROC", "21"}});

    std::vector<ScheduleDay> days(const std::vector<std::pair<int, const char*>>& rows) const {
        std::vector<ScheduleDay> result;
        for (const auto& [offset, quantity] : rows) {
            result.push_back({first + offset, *Decimal::parse(quantity)});
        }
        return result;
    }
};

TEST_F(ScheduleTotalsTest, DaysAreTheRowsQuantityTheirSumAndThePeriodFromTheEarliestToTheLatest) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, const char*>> rows;
        Values expected;
    };
    const std::vector<Case> cases = {
        {"three of two",
         {{0, "2"}, {1, "2"}, {2, "2"}},
         {{"GYVENAPARU", "3"},
          {"KIEKIS", "6.000"},
          {"KIEKISPERDIENA", "2.000"},
          {"GYVENALOVADIENIU", "6"},
          {"GYVENANUO", "2024-05-01"},
          {"GYVENAIKI", "2024-05-03"},
          {"SUMA", "60.00"},
          {"PVMSUMA", "10.41"}}},
        {"middle deleted",
         {{0, "2"}, {2, "2"}},
         {{"GYVENAPARU", "2"},
          {"KIEKIS", "4.000"},
          {"GYVENANUO", "2024-05-01"},
          {"GYVENAIKI", "2024-05-03"}}},
        {"one changed to five",
         {{0, "2"}, {1, "5"}, {2, "2"}},
         {{"KIEKIS", "9.000"}, {"KIEKISPERDIENA", "3.000"}}},
        {"a second row on a day",
         {{0, "2"}, {1, "2"}, {1, "1"}, {2, "2"}},
         {{"GYVENAPARU", "4"}, {"KIEKIS", "7.000"}, {"KIEKISPERDIENA", "1.750"}}},
        {"none",
         {},
         {{"GYVENAPARU", "0"},
          {"KIEKIS", "0.000"},
          {"KIEKISPERDIENA", "0.000"},
          {"GYVENANUO", ""},
          {"GYVENAIKI", ""},
          {"SUMA", "0.00"},
          {"SUMABEPVM", "0.00"},
          {"PVMSUMA", "0.00"}}},
        {"per day rounded", {{0, "1"}, {1, "1"}, {2, "0"}}, {{"KIEKISPERDIENA", "0.667"}}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        Record totals = line;
        ASSERT_TRUE(scheduleTotals(totals, days(each.rows)).ok());
        expectValues(totals, each.expected);
    }
}

TEST_F(ScheduleTotalsTest, AQuantityBeyondItsFieldIsRefusedAndTheLineStays) {
    const Record before = line;
    EXPECT_FALSE(scheduleTotals(line, days({{0, "9999999999.999"}, {1, "1"}})).ok());
    EXPECT_TRUE(line == before);
}

TEST(ServiceChoiceTest, APriceOfZeroMakesTheAmountZeroAtTheNewRate) {
    Record line = lineOf({{"KIEKIS", "3"}, {"KAINA", "15"}, {"SUMA", "45"}, {"PVMPROC", "21"}});
    Record free(TableId::Paslaug);
    ASSERT_TRUE(free.setText("PAS:PVMPROC", "9").ok());
    ASSERT_TRUE(applyServicePrice(line, free).ok());
    expectValues(line, {{"KAINA", "0.0000"}, {"SUMA", "0.00"}, {"PVMPROC", "9.00"}, {"PVMSUMA", "0.00"}});
}

TEST(ServiceChoiceTest, TakesTheNamesUnitStayAndQuantityADayByTheUnit) {
    const Date first = dateFromYmd(2024, 5, 1);
    Record line(TableId::Saskeil);
    line.set(SEI::GYVENANUO, first);
    line.set(SEI::GYVENAIKI, first + 2);
    Record service(TableId::Paslaug);
    ASSERT_TRUE(service.setText("PAS:PAV1", "vakarienė").ok());
    ASSERT_TRUE(service.setText("PAS:MATVNT", "ŽMN.").ok());
    ASSERT_TRUE(takeService(line, service, {first, first + 3, 2}).ok());
    expectValues(line, {{"PASPAV1", "vakarienė"},
                        {"MATVNT", "ŽMN."},
                        {"GYVENTOJUSKC", "2"},
                        {"GYVENAPARU", "2"},
                        {"GYVENALOVADIENIU", "4"},
                        {"KIEKISPERDIENA", "2.000"}});
}

} // namespace
} // namespace nakva
