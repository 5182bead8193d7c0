// A line's schedule on real files: regeneration (numbering, replacing only the line's rows, refusing a
// missing date), the schedule row form and the line's totals after it, and putting a schedule back.
#include "registration/RegistrationTestSupport.h"

#include "registration/InvoiceLine.h"
#include "registration/Schedule.h"
#include "support/AnswerAtOnce.h"
#include "ui/FormEngine.h"
#include "ui/ListEngine.h"

#include <gtest/gtest.h>

namespace nakva {
namespace {

class ScheduleTest : public testing::RegistrationTest {
protected:
    // A line of the 1st to the 3rd at 2 a day, price 10.
    Record line(std::int32_t number) {
        Record made(TableId::Saskeil);
        made.set(SEI::SEILID, number);
        made.set(SEI::IrasoNr, 7);
        made.set(SEI::GYVENTOJUSKC, 1);
        made.set(SEI::GYVENANUO, arrival);
        made.set(SEI::GYVENAIKI, arrival + 2);
        EXPECT_TRUE(made.set(SEI::KIEKISPERDIENA, Decimal(2)).ok());
        EXPECT_TRUE(made.set(SEI::KAINA, Decimal(10)).ok());
        EXPECT_TRUE(made.set(SEI::PVMPROC, Decimal(21)).ok());
        return made;
    }

    std::vector<std::int32_t> rowNumbers(std::int32_t number) {
        std::vector<std::int32_t> numbers;
        const std::optional<std::vector<Record>> rows = scheduleOf(context, number);
        for (const Record& row : *rows) {
            numbers.push_back(row.get(SEIG::SEILGID));
        }
        return numbers;
    }

    // The schedule row form on the line's schedule list, with the line as edited in its buffer.
    void rowForm(ListAction action, const std::function<void(FormEngine&)>& user, bool save) {
        ListConfig config = scheduleList();
        config.form = nakva::testing::formAnsweringAtOnce([&](Context& on, Request request) {
            FormEngine form(RedSEilGr(), on, {});
            if (!form.open(request)) {
                return form.result();
            }
            user(form);
            if (save) {
                form.save();
            } else {
                form.cancel();
            }
            return form.result();
        });
        config.bind = [](Variables& variables) {
            variables.set(ScheduleLineVariable, std::int64_t(1));
        };
        ListEngine list(config, context);
        list.open();
        list.press(action);
    }
};

TEST_F(ScheduleTest, ARebuildReplacesOnlyTheLinesRowsNumberingOnFromTheHighest) {
    ASSERT_TRUE(regenerateSchedule(context, line(1)));
    ASSERT_TRUE(regenerateSchedule(context, line(2)));
    EXPECT_EQ(rowNumbers(1), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(rowNumbers(2), (std::vector<std::int32_t>{4, 5, 6}));

    Record longer = line(1);
    longer.set(SEI::GYVENAIKI, arrival + 3);
    ASSERT_TRUE(regenerateSchedule(context, longer));
    EXPECT_EQ(rowNumbers(1), (std::vector<std::int32_t>{7, 8, 9, 10}));
    EXPECT_EQ(rowNumbers(2), (std::vector<std::int32_t>{4, 5, 6}));
    EXPECT_EQ(schedule(1).front(), "2024-05-01 2.000");

    // A period turned round builds no rows at all.
    Record backwards = line(2);
    backwards.set(SEI::GYVENAIKI, arrival - 1);
    ASSERT_TRUE(regenerateSchedule(context, backwards));
    EXPECT_TRUE(schedule(2).empty());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ScheduleTest, AMissingDateIsRefusedWithAMessageAndTheOldRowsStay) {
    ASSERT_TRUE(regenerateSchedule(context, line(1)));
    for (const int field : {SEI::GYVENANUO.index, SEI::GYVENAIKI.index}) {
        Record missing = line(1);
        ASSERT_TRUE(missing.setValue(field, std::int64_t(0)).ok());
        EXPECT_FALSE(regenerateSchedule(context, missing));
    }
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].text,
              "Grafiko suformuoti negalima: nenurodyta periodo pradžios arba pabaigos data.");
    EXPECT_EQ(schedule(1).size(), 3u);
}

TEST_F(ScheduleTest, TheLinesTotalsFollowItsStoredRows) {
    ASSERT_TRUE(regenerateSchedule(context, line(1)));
    Record totals = line(1);
    ASSERT_TRUE(totalsFromSchedule(context, totals));
    EXPECT_EQ(totals.text("SEI:GYVENAPARU"), "3");
    EXPECT_EQ(totals.text("SEI:KIEKIS"), "6.000");
    EXPECT_EQ(totals.text("SEI:KIEKISPERDIENA"), "2.000");
    EXPECT_EQ(totals.text("SEI:SUMA"), "60.00");
}

TEST_F(ScheduleTest, ANewRowStartsOnTheLinesFirstDayWithItsQuantityAndPriceAndCancellingRemovesIt) {
    ASSERT_TRUE(regenerateSchedule(context, line(1)));
    context.table(TableId::Saskeil).record() = line(1); // the line as edited on its form
    Record shown(TableId::Seilgraf);
    rowForm(
        ListAction::Insert, [&](FormEngine& form) { shown = form.record(); }, false);
    EXPECT_EQ(shown.get(SEIG::SEILGID), 4);
    EXPECT_EQ(shown.get(SEIG::SEILID), 1);
    EXPECT_EQ(shown.text("SEIG:Data"), "2024-05-01");
    EXPECT_EQ(shown.text("SEIG:KIEKIS"), "2.000");
    EXPECT_EQ(shown.text("SEIG:KAINA"), "10.0000");
    EXPECT_EQ(shown.text("SEIG:SUMA"), "20.00");
    EXPECT_EQ(schedule(1).size(), 3u);

    rowForm(
        ListAction::Insert,
        [&](FormEngine& form) { form.setItemText(form.itemOfField(SEIG::KIEKIS.index), "5"); }, true);
    EXPECT_EQ(schedule(1).size(), 4u);
    Record totals = line(1);
    ASSERT_TRUE(totalsFromSchedule(context, totals));
    EXPECT_EQ(totals.text("SEI:GYVENAPARU"), "4"); // a second row on the first day is one more day
    EXPECT_EQ(totals.text("SEI:KIEKIS"), "11.000");
}

TEST_F(ScheduleTest, PuttingAScheduleBackRestoresItsRowsAndNumbersAndRenumbersATakenOne) {
    ASSERT_TRUE(regenerateSchedule(context, line(1)));
    const std::vector<Record> kept = *scheduleOf(context, 1);
    Record other = line(1);
    ASSERT_TRUE(other.set(SEI::KIEKISPERDIENA, Decimal(7)).ok());
    ASSERT_TRUE(regenerateSchedule(context, other));   // rows 1..3 again: removed before numbering
    ASSERT_TRUE(regenerateSchedule(context, line(2))); // rows 4..6

    ASSERT_TRUE(restoreSchedule(context, 1, kept));
    EXPECT_EQ(rowNumbers(1), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(schedule(1).front(), "2024-05-01 2.000");

    // Row 1 taken meanwhile by line 2: that row comes back under the next free number.
    ASSERT_TRUE(regenerateSchedule(context, line(1))); // rows 7..9; 1..3 free
    {
        Table rows(context, TableId::Seilgraf, false);
        rows.open();
        rows.clear();
        rows.record().set(SEIG::SEILGID, 1);
        rows.record().set(SEIG::SEILID, 2);
        rows.record().set(SEIG::Data, arrival - 20);
        ASSERT_EQ(rows.add(), StoreStatus::Ok);
        rows.close();
    }
    ASSERT_TRUE(restoreSchedule(context, 1, kept));
    EXPECT_EQ(rowNumbers(1), (std::vector<std::int32_t>{7, 2, 3}));
    EXPECT_EQ(schedule(1).size(), 3u);
}

} // namespace
} // namespace nakva
