#include "ui/Picture.h"
#include "data/Date.h"

#include <gtest/gtest.h>

namespace nakva {
namespace {

TEST(PictureTest, FormatsNumbersTextsAndDates) {
    const Date day = dateFromYmd(2024, 4, 5);
    const struct {
        Picture picture;
        Value value;
        bool isDate;
        std::string shown;
    } cases[] = {
        {Picture::number(6), std::int64_t(42), false, "42"},
        {Picture::number(6), std::int64_t(-42), false, "-42"},
        {Picture::number(6), std::int64_t(0), false, "0"},
        {Picture::number(6, 0, true), std::int64_t(0), false, ""},
        {Picture::number(4), std::int64_t(12345), false, "####"}, // too wide: never cut
        {Picture::number(12, 2), *Decimal::parse("1234.5"), false, "1234.50"},
        {Picture::number(12, 2, true), *Decimal::parse("0.00"), false, ""},
        {Picture::number(12, 3), *Decimal::parse("-0.0005"), false, "-0.001"},
        {Picture::number(12, 2), std::int64_t(7), false, "7.00"},
        {Picture::text(5), std::string("Lietuva"), false, "Lietu"},
        {Picture::text(3), std::string("ŽŪŲ kiti"), false, "ŽŪŲ"},
        {Picture::date(), std::int64_t(day), true, "2024-04-05"},
        {Picture::date(), std::int64_t(0), true, ""},
        {Picture(), std::int64_t(day), true, "2024-04-05"},
        {Picture(), std::int64_t(0), true, ""},
        {Picture(), std::int64_t(17), false, "17"},
        {Picture(), *Decimal::parse("2.50"), false, "2.50"},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(each.picture.format(each.value, each.isDate), each.shown) << each.shown;
    }
}

} // namespace
} // namespace nakva
