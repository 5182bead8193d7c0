#include "data/Decimal.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace nakva {
namespace {

Decimal dec(const char* text) {
    const auto value = Decimal::parse(text);
    if (!value) {
        throw std::invalid_argument(text);
    }
    return *value;
}

TEST(DecimalTest, RequiredResults) {
    EXPECT_EQ((dec("10.00") / 121 * 100).toString(2), "8.26");
    EXPECT_EQ((dec("100.00") / 3).toString(4), "33.3333");
    EXPECT_EQ(dec("0.005").toString(2), "0.01");
    EXPECT_EQ(dec("-0.005").toString(2), "-0.01");
    EXPECT_FALSE(dec("123456.78").fits(7, 2));
    EXPECT_TRUE(dec("12345.67").fits(7, 2));
}

TEST(DecimalTest, ArithmeticIsExact) {
    struct Case {
        const char* a;
        char op;
        const char* b;
        const char* expected;
    };
    const Case cases[] = {
        {"0.1", '+', "0.2", "0.3"},
        {"1.10", '+', "2.205", "3.305"},
        {"1", '-', "1.001", "-0.001"},
        {"-2.5", '-', "-2.5", "0.0"},
        {"12.3456", '*', "1.5", "18.51840"},
        {"-0.5", '*', "0.5", "-0.25"},
        {"99999999999.99", '*', "99999999999.99", "9999999999998000000000.0001"},
        {"1", '/', "3", "0.33333333333333333333"},
        {"2", '/', "3", "0.66666666666666666667"},
        {"-2", '/', "3", "-0.66666666666666666667"},
        {"10", '/', "4", "2.5"},
        {"7", '/', "-0.25", "-28"},
        {"1", '/', "8", "0.125"},
        // a half at the last place a quotient keeps goes away from zero
        {"0.00000000000000000001", '/', "2", "0.00000000000000000001"},
        {"-0.00000000000000000003", '/', "2", "-0.00000000000000000002"},
    };
    for (const Case& c : cases) {
        const Decimal a = dec(c.a);
        const Decimal b = dec(c.b);
        const Decimal result = c.op == '+' ? a + b : c.op == '-' ? a - b : c.op == '*' ? a * b : a / b;
        EXPECT_EQ(result.toString(), c.expected) << c.a << ' ' << c.op << ' ' << c.b;
    }
}

TEST(DecimalTest, ComparisonIgnoresScale) {
    EXPECT_EQ(dec("1.50"), dec("1.5"));
    EXPECT_EQ(dec("0.000"), 0);
    EXPECT_LT(dec("-1"), dec("-0.99"));
    EXPECT_LT(dec("0.99"), 1);
    EXPECT_GT(dec("100"), dec("99.9999"));
    EXPECT_EQ(dec("2") <=> dec("2.000"), std::strong_ordering::equal);
}

TEST(DecimalTest, RoundingHalfAwayFromZero) {
    struct Case {
        const char* value;
        int places;
        const char* expected;
    };
    const Case cases[] = {
        {"8.255", 2, "8.26"},     {"8.245", 2, "8.25"}, {"-8.245", 2, "-8.25"}, {"0.004", 2, "0.00"},
        {"-0.004", 2, "0.00"},    {"2.5", 0, "3"},      {"-2.5", 0, "-3"},      {"8.5", 2, "8.50"},
        {"0.99999", 4, "1.0000"}, {"123.4", 0, "123"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dec(c.value).rounded(c.places).toString(), c.expected) << c.value;
    }
}

TEST(DecimalTest, PreparingForAField) {
    std::string error;
    EXPECT_EQ(forField(dec("12345.678"), 7, 2, &error)->toString(), "12345.68");
    EXPECT_EQ(forField(5, 5, 2)->toString(), "5.00");
    EXPECT_EQ(forField(dec("99999.995"), 7, 2, &error), std::nullopt); // rounds up beyond the digits
    EXPECT_EQ(error,
              "Skaičius 99999.995 netelpa į lauką: prieš tašką leidžiama ne daugiau kaip 5 skaitmenys.");
    EXPECT_EQ(forField(dec("-123"), 3, 1, &error), std::nullopt);
    EXPECT_EQ(error, "Skaičius -123 netelpa į lauką: prieš tašką leidžiama ne daugiau kaip 2 skaitmenys.");
    EXPECT_EQ(forField(dec("12345678901.5"), 13, 3, &error), std::nullopt);
    EXPECT_EQ(error,
              "Skaičius 12345678901.5 netelpa į lauką: prieš tašką leidžiama ne daugiau kaip 10 skaitmenų.");
    EXPECT_FALSE(dec("0.125").fits(5, 2));
    EXPECT_TRUE(dec("0.120").fits(5, 2));
}

TEST(DecimalTest, ScaledStoredForm) {
    EXPECT_EQ(Decimal::fromScaled(1234, 2).toString(), "12.34");
    EXPECT_EQ(Decimal::fromScaled(-5, 3).toString(), "-0.005");
    EXPECT_EQ(dec("12.345").toScaled(2), 1235);
    EXPECT_EQ(dec("-7").toScaled(4), -70000);
    EXPECT_EQ(dec("99999999999999999999").toScaled(0), std::nullopt);
    EXPECT_THROW(Decimal::fromScaled(1, -1), std::invalid_argument);
}

TEST(DecimalTest, ParsingAcceptsPointOrComma) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"12.50", "12.50"}, {"-3,5", "-3.5"}, {"+7", "7"},        {".5", "0.5"}, {" 42 ", "42"},
        {"5.", "5"},        {"", "0"},        {"007.10", "7.10"}, {"-0", "0"},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto value = Decimal::parse(c.text, &error);
        ASSERT_TRUE(value) << c.text << ": " << error;
        EXPECT_EQ(value->toString(), c.expected);
    }
    for (const char* bad : {"1 000", "1,000.5", "12a", "-", ".", "1e5", "--1", "1.2.3"}) {
        std::string error;
        EXPECT_EQ(Decimal::parse(bad, &error), std::nullopt) << bad;
        EXPECT_EQ(error, std::string("Neteisingas skaičius „") + bad + "“.");
    }
}

TEST(DecimalTest, LimitsAreReportedNeverWrapped) {
    const Decimal big = dec("9999999999999999999999999999999999999"); // 37 digits
    EXPECT_THROW(big + 1, std::overflow_error);
    EXPECT_THROW(big * 10, std::overflow_error);
    EXPECT_THROW(big / dec("0.1"), std::overflow_error);
    EXPECT_THROW(dec("1") / 0, std::domain_error);
    std::string error;
    EXPECT_EQ(Decimal::parse("12345678901234567890123456789012345678", &error), std::nullopt);
    EXPECT_EQ(error, "Skaičius „12345678901234567890123456789012345678“ per didelis.");
    // Places beyond what the type holds are rounded, the integer part is kept.
    EXPECT_EQ(dec("0.1234567890123456789012345678905").toString(), "0.123456789012345678901234567891");
    EXPECT_EQ((dec("33.33333333333333333333") * dec("33.33333333333333333333")).rounded(10).toString(),
              "1111.1111111111");
}

TEST(DecimalTest, DoubleConversion) {
    EXPECT_EQ(Decimal::fromDouble(8.255, 2).toString(), "8.26");
    EXPECT_EQ(Decimal::fromDouble(-0.005, 2).toString(), "-0.01");
    EXPECT_EQ(Decimal::fromDouble(1.0 / 3.0, 4).toString(), "0.3333");
    EXPECT_EQ(Decimal::fromDouble(1e15, 2).toString(), "1000000000000000.00");
    EXPECT_DOUBLE_EQ(dec("123.45").toDouble(), 123.45);
    EXPECT_THROW(Decimal::fromDouble(1e300, 2), std::overflow_error);
}

} // namespace
} // namespace nakva
