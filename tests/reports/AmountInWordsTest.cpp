#include "reports/AmountInWords.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>

namespace nakva {
namespace {

struct AmountCase {
    double amount;
    const char* words;
};

void PrintTo(const AmountCase& c, std::ostream* out) {
    *out << (c.amount < 0 ? "minus " : "") << std::fixed << std::setprecision(4) << std::abs(c.amount);
}

class AmountInWordsTest : public ::testing::TestWithParam<AmountCase> {};

TEST_P(AmountInWordsTest, SpeaksTheAmount) {
    EXPECT_EQ(amountInWords(GetParam().amount), GetParam().words) << GetParam().amount;
}

// The invoice examples first, then the corners of each rule.
INSTANTIATE_TEST_SUITE_P(
    Invoices, AmountInWordsTest,
    ::testing::Values(
        AmountCase{1234.56, "Vienas tūkstantis du šimtai trisdešimt keturi eurai 56 centai."},
        AmountCase{21.01, "Dvidešimt vienas euras 01 centas."},
        AmountCase{11.00, "Vienuolika eurų 00 centų."}, AmountCase{10.10, "Dešimt eurų 10 centų."},
        AmountCase{100.00, "Vienas šimtas eurų 00 centų."},
        AmountCase{1000000.00, "Vienas milijonas eurų 00 centų."},
        AmountCase{2015000.00, "Du milijonai penkiolika tūkstančių eurų 00 centų."},
        AmountCase{0.50, "50 centų."}, AmountCase{0, "00 centų."},
        AmountCase{-12.30, "Dvylika eurų 30 centų."}, AmountCase{600.00, "Šeši šimtai eurų 00 centų."},
        AmountCase{999999999.99, "Devyni šimtai devyniasdešimt devyni milijonai devyni šimtai devyniasdešimt "
                                 "devyni tūkstančiai devyni šimtai devyniasdešimt devyni eurai 99 centai."}),
    nakva::testing::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Rules, AmountInWordsTest,
    ::testing::Values(
        // units and the euro forms
        AmountCase{1, "Vienas euras 00 centų."}, AmountCase{2.05, "Du eurai 05 centai."},
        AmountCase{7.77, "Septyni eurai 77 centai."}, AmountCase{8, "Aštuoni eurai 00 centų."},
        // teens and tens
        AmountCase{12, "Dvylika eurų 00 centų."}, AmountCase{15.15, "Penkiolika eurų 15 centų."},
        AmountCase{19.99, "Devyniolika eurų 99 centai."}, AmountCase{20, "Dvidešimt eurų 00 centų."},
        AmountCase{21, "Dvidešimt vienas euras 00 centų."},
        AmountCase{90.31, "Devyniasdešimt eurų 31 centas."},
        AmountCase{99, "Devyniasdešimt devyni eurai 00 centų."},
        // hundreds
        AmountCase{101, "Vienas šimtas vienas euras 00 centų."},
        AmountCase{111, "Vienas šimtas vienuolika eurų 00 centų."},
        AmountCase{210, "Du šimtai dešimt eurų 00 centų."}, AmountCase{800, "Aštuoni šimtai eurų 00 centų."},
        // thousands: the form follows the group's own last two digits
        AmountCase{1000, "Vienas tūkstantis eurų 00 centų."},
        AmountCase{1001, "Vienas tūkstantis vienas euras 00 centų."},
        AmountCase{2000, "Du tūkstančiai eurų 00 centų."},
        AmountCase{10000, "Dešimt tūkstančių eurų 00 centų."},
        AmountCase{11000, "Vienuolika tūkstančių eurų 00 centų."},
        AmountCase{21000, "Dvidešimt vienas tūkstantis eurų 00 centų."},
        AmountCase{100000, "Vienas šimtas tūkstančių eurų 00 centų."},
        AmountCase{111111, "Vienas šimtas vienuolika tūkstančių vienas šimtas vienuolika eurų 00 centų."},
        // millions; an all-zero group gets no scale word
        AmountCase{1000001, "Vienas milijonas vienas euras 00 centų."},
        AmountCase{1001000, "Vienas milijonas vienas tūkstantis eurų 00 centų."},
        AmountCase{12000000, "Dvylika milijonų eurų 00 centų."},
        AmountCase{21000000, "Dvidešimt vienas milijonas eurų 00 centų."},
        AmountCase{300000000, "Trys šimtai milijonų eurų 00 centų."},
        // cents: always two digits, the form by their own last two
        AmountCase{0.01, "01 centas."}, AmountCase{0.05, "05 centai."}, AmountCase{0.11, "11 centų."},
        AmountCase{0.21, "21 centas."}, AmountCase{0.99, "99 centai."},
        // no euro words up to 0.999; halves of a euro
        AmountCase{0.999, "00 centų."}, AmountCase{0.9995, "Eurų 00 centų."},
        AmountCase{1.5, "Vienas euras 50 centų."}, AmountCase{2.5, "Du eurai 50 centų."},
        AmountCase{-1234.56, "Vienas tūkstantis du šimtai trisdešimt keturi eurai 56 centai."},
        // the tenth digit is never spoken
        AmountCase{1000000000, "Eurų 00 centų."}),
    nakva::testing::CaseName());

} // namespace
} // namespace nakva
