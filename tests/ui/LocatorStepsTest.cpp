#include "ui/LocatorSteps.h"
#include "data/Collation.h"

#include <gtest/gtest.h>

namespace nakva {
namespace {

TEST(LocatorStepsTest, NumericStepsRunEvenlyFromTheFirstToTheLast) {
    const LocatorSteps steps = LocatorSteps::numeric(1, 3000);
    EXPECT_DOUBLE_EQ(steps.number(1), 1);
    EXPECT_DOUBLE_EQ(steps.number(2), 1 + 2999.0 / 99);
    EXPECT_DOUBLE_EQ(steps.number(50), 1 + 49 * 2999.0 / 99);
    EXPECT_DOUBLE_EQ(steps.number(100), 3000);
    const struct {
        std::int64_t value;
        int thumb;
    } cases[] = {{1, 0}, {2, 2}, {31, 2}, {32, 3}, {1485, 50}, {1486, 51}, {3000, 100}, {5000, 100}};
    for (const auto& each : cases) {
        EXPECT_EQ(steps.thumb(each.value), each.thumb) << each.value;
    }
}

TEST(LocatorStepsTest, TextStepsKeepKeyOrderAndEndAtTheKeys) {
    const LocatorSteps steps = LocatorSteps::text("Afganistanas", "Zimbabvė");
    ASSERT_TRUE(steps.isText());
    EXPECT_EQ(steps.text(1), "AFGANISTANAS");
    EXPECT_EQ(steps.text(100), "ZIMBABVĖ");
    for (int i = 2; i <= 100; ++i) {
        EXPECT_LE(compareCase(steps.text(i - 1), steps.text(i)), 0) << i;
    }
    // Halfway through the alphabet.
    EXPECT_GT(compareCase(steps.text(50), "J"), 0);
    EXPECT_LT(compareCase(steps.text(50), "N"), 0);
    EXPECT_EQ(steps.thumb(std::string("afganistanas")), 0);
    EXPECT_EQ(steps.thumb(std::string("Zimbabvė")), 100);
    int previous = 0;
    for (const char* name : {"Belgija", "Čekija", "Lietuva", "Šveicarija", "Žalia"}) {
        const int thumb = steps.thumb(std::string(name));
        EXPECT_GT(thumb, previous) << name;
        previous = thumb;
    }
}

TEST(LocatorStepsTest, TextStepsWorkAfterACommonPrefix) {
    const LocatorSteps steps = LocatorSteps::text("Grupė 1000", "Grupė 9999");
    EXPECT_EQ(steps.text(1), "GRUPĖ 1000");
    EXPECT_EQ(steps.text(100), "GRUPĖ 9999");
    EXPECT_EQ(steps.thumb(std::string("Grupė 5000")), 50);
    const LocatorSteps same = LocatorSteps::text("Vienas", "vienas");
    EXPECT_EQ(same.thumb(std::string("VIENAS")), 0);
}

} // namespace
} // namespace nakva
