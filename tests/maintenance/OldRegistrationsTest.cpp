// The removal of old registrations on real files: what it takes, what it leaves, and a station
// changing things between the choice and the removal.
#include "data/StoreTestSupport.h"

#include "data/SqliteConnection.h"
#include "maintenance/OldRegistrations.h"

#include <functional>
#include <iostream>

namespace nakva {
namespace {

using testing::StoreTest;

Date day(int year, int month, int dayOfMonth) {
    return dateFromYmd(year, month, dayOfMonth);
}

const Date Today = day(2026, 12, 7);
const Date Limit = day(2025, 12, 31);

TEST(RemovalCode, AcceptedInAnyCaseWithBlanksAfterButNotBefore) {
    struct Case {
        const char* typed;
        bool accepted;
    };
    for (const Case& c :
         {Case{"KT7315", true}, Case{"kt7315", true}, Case{"Molbertas", true}, Case{"MOLBERTAS   ", true},
          Case{" KT7315", false}, Case{"KT731", false}, Case{"", false}, Case{"KT7315 X", false}}) {
        EXPECT_EQ(accessCodeAccepted(c.typed), c.accepted) << "„" << c.typed << "“";
    }
}

TEST(RemovalText, CountRightAlignedInSix) {
    EXPECT_EQ(removalDoneText(0), "Baigta. Pašalinta įrašų:      0");
    EXPECT_EQ(removalDoneText(1234), "Baigta. Pašalinta įrašų:   1234");
    EXPECT_EQ(removalDoneText(1234567), "Baigta. Pašalinta įrašų: 1234567");
}

TEST(RemovalLimit, EndOfThePreviousYear) {
    EXPECT_EQ(endOfPreviousYear(Today), Limit);
    EXPECT_EQ(endOfPreviousYear(day(2026, 1, 1)), Limit);
    EXPECT_EQ(endOfPreviousYear(day(2026, 12, 31)), Limit);
}

class OldRegistrationsTest : public StoreTest {
protected:
    // A registration entered on `entered`, departed or not, with a payment, an invoice line with two
    // schedule days and an occupied room, all numbered after it.
    void registration(int number, Date entered, bool departed) {
        const std::string n = std::to_string(number);
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", n},
                                     {"SAS:IrasoDt", formatDate(entered)},
                                     {"SAS:Isvykes", departed ? "1" : "0"}});
        addRecord(TableId::Mokej, {{"MOK:IrasoNr", n}, {"MOK:SaskIrasoNr", n}});
        addRecord(TableId::Saskeil, {{"SEI:SEILID", n}, {"SEI:IrasoNr", n}});
        addRecord(TableId::Seilgraf, {{"SEIG:SEILGID", n + "1"}, {"SEIG:SEILID", n}});
        addRecord(TableId::Seilgraf, {{"SEIG:SEILGID", n + "2"}, {"SEIG:SEILID", n}});
        addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", n}, {"SKMB:KambarioID", "1"}});
    }

    // The numbers left in every table the removal touches.
    std::vector<std::vector<std::string>> left() {
        return {storedColumn(TableId::Saskait, "SAS:IrasoNr"),
                storedColumn(TableId::Mokej, "MOK:SaskIrasoNr"),
                storedColumn(TableId::Saskeil, "SEI:IrasoNr"), storedColumn(TableId::Seilgraf, "SEIG:SEILID"),
                storedColumn(TableId::SaskKmb, "SKMB:IrasoNr")};
    }

    // Another station reads registration `number` and does `what` with it.
    void elsewhere(int number, const std::function<void(Table&)>& what) {
        Context other(database);
        Table& registrations = other.table(TableId::Saskait);
        registrations.open();
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, number);
        ASSERT_EQ(registrations.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
        what(registrations);
        registrations.close();
    }

    static std::vector<std::vector<std::string>> only(const std::vector<std::string>& numbers) {
        std::vector<std::string> twice;
        for (const std::string& number : numbers) {
            twice.insert(twice.end(), {number, number});
        }
        return {numbers, numbers, numbers, twice, numbers};
    }

    Context context{database};
};

TEST_F(OldRegistrationsTest, RemovesDepartedUpToTheLimitWithEverythingThatHangsOnThem) {
    registration(1, day(2019, 3, 1), true);  // old, departed
    registration(2, Limit, true);            // on the limit date itself
    registration(3, day(2016, 5, 5), false); // an old stay never closed
    registration(4, Limit + 1, true);        // after the limit
    registration(5, NoDate, true);           // no date: before every date
    OldRegistrationRemoval removal(context, Limit, Today);
    EXPECT_EQ(runBatch(removal, std::cerr), BatchRun::State::Done);
    EXPECT_EQ(removal.removed(), 3);
    EXPECT_EQ(left(), only({"3", "4"}));
    EXPECT_TRUE(messages.shown().empty()) << messages.texts().front();
    // Rooms, payers and the housekeeping logs are not the removal's.
}

TEST_F(OldRegistrationsTest, AClearedDateMeansTheEndOfThePreviousYear) {
    registration(1, Limit, true);
    registration(2, Limit + 1, true);
    OldRegistrationRemoval removal(context, NoDate, Today);
    EXPECT_EQ(removal.limit(), Limit);
    EXPECT_EQ(runBatch(removal, std::cerr), BatchRun::State::Done);
    EXPECT_EQ(left(), only({"2"}));
}

// Another station cancels a departure (and removes another registration) after the choice: the
// current stay stays, and the count says what went.
TEST_F(OldRegistrationsTest, AStayReopenedOrRemovedAfterTheChoiceIsNotCounted) {
    registration(1, day(2020, 1, 1), true);
    registration(2, day(2020, 1, 2), true);
    registration(3, day(2020, 1, 3), true);
    OldRegistrationRemoval removal(context, Limit, Today);
    BatchRun run(removal);
    ASSERT_TRUE(run.start());
    elsewhere(2, [](Table& registrations) {
        ASSERT_TRUE(registrations.record().set(SAS::Isvykes, 0));
        ASSERT_EQ(registrations.put(), StoreStatus::Ok);
    });
    elsewhere(3, [](Table& registrations) { ASSERT_EQ(registrations.remove(), StoreStatus::Ok); });
    while (run.advance()) {
    }
    EXPECT_EQ(run.state(), BatchRun::State::Done);
    EXPECT_EQ(run.recordsDone(), 3);
    EXPECT_EQ(removal.removed(), 1);
    EXPECT_EQ(removal.skipped(), 2);
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:IrasoNr"), std::vector<std::string>{"2"});
    EXPECT_EQ(storedColumn(TableId::SaskKmb, "SKMB:IrasoNr"), (std::vector<std::string>{"2", "3"}))
        << "the other station removed 3 without its rooms; the removal does not reach them";
    EXPECT_TRUE(messages.shown().empty());
}

// The choice is checked again as each registration's turn comes: one whose entry date another station
// moved past the limit meanwhile stays whole, with everything that hangs on it.
TEST_F(OldRegistrationsTest, AStayReDatedPastTheLimitAfterTheChoiceStaysWhole) {
    registration(1, day(2020, 1, 1), true);
    registration(2, day(2020, 1, 2), true);
    OldRegistrationRemoval removal(context, Limit, Today);
    BatchRun run(removal);
    ASSERT_TRUE(run.start());
    elsewhere(1, [](Table& registrations) {
        registrations.record().set(SAS::IrasoDt, Limit + 1);
        ASSERT_EQ(registrations.put(), StoreStatus::Ok);
    });
    while (run.advance()) {
    }
    EXPECT_EQ(run.state(), BatchRun::State::Done);
    EXPECT_EQ(removal.removed(), 1);
    EXPECT_EQ(removal.skipped(), 1);
    EXPECT_EQ(left(), only({"1"}));
    EXPECT_TRUE(messages.shown().empty());
}

// A write failure at the second registration: the first stays removed, the second whole, the third
// untouched; the failure is told with the delete warning and the process error.
TEST_F(OldRegistrationsTest, AFailureStopsWithTheFailedRegistrationWhole) {
    registration(1, day(2020, 1, 1), true);
    registration(2, day(2020, 1, 2), true);
    registration(3, day(2020, 1, 3), true);
    SqliteConnection(database.filePath(TableId::SaskKmb), SqliteConnection::Mode::Existing)
        .execute("CREATE TRIGGER injected BEFORE DELETE ON \"SaskKmb\" WHEN old.IrasoNr = 2"
                 " BEGIN SELECT RAISE(ABORT, 'disko klaida'); END");
    OldRegistrationRemoval removal(context, Limit, Today);
    EXPECT_EQ(runBatch(removal, std::cerr), BatchRun::State::Failed);
    EXPECT_EQ(removal.removed(), 1);
    EXPECT_EQ(left(), only({"2", "3"}));
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].title, "Pašalinimo operacijos klaida");
    EXPECT_EQ(messages.shown()[1].title, "DELETE klaida procese");
    EXPECT_TRUE(messages.shown()[1].text.starts_with("Klaida keičiant failą Saskait Klaida: "))
        << messages.shown()[1].text;
}

TEST_F(OldRegistrationsTest, ProgressCountsAgainstAThousandAndCancelStopsAfterTheCurrentRecord) {
    for (int i = 1; i <= 30; ++i) {
        registration(i, day(2020, 1, 1), true);
    }
    OldRegistrationRemoval removal(context, Limit, Today);
    BatchRun run(removal);
    EXPECT_EQ(run.progressText(), "0% Completed");
    ASSERT_TRUE(run.start());
    EXPECT_TRUE(run.advance(9));
    EXPECT_EQ(run.progressText(), "0% Completed") << "9 of 1000 is not yet a whole percent";
    EXPECT_TRUE(run.advance(1));
    EXPECT_EQ(run.progressText(), "1% atlikta");
    EXPECT_TRUE(run.advance(15));
    EXPECT_EQ(run.recordsDone(), 25);
    run.cancel();
    EXPECT_FALSE(run.advance());
    EXPECT_EQ(run.state(), BatchRun::State::Cancelled);
    EXPECT_EQ(removal.removed(), 25);
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:IrasoNr").size(), 5u);
}

TEST_F(OldRegistrationsTest, CompletedRunSaysSo) {
    registration(1, day(2020, 1, 1), true);
    OldRegistrationRemoval removal(context, Limit, Today);
    BatchRun run(removal);
    ASSERT_TRUE(run.start());
    EXPECT_FALSE(run.advance());
    EXPECT_EQ(run.progressText(), "Process Completed");
}

} // namespace
} // namespace nakva
