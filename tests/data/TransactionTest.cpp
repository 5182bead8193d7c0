#include "StoreTestSupport.h"

#include "data/Transaction.h"

#include <chrono>
#include <sys/wait.h>

namespace nakva {
namespace {

using testing::StoreTest;

class TransactionTest : public StoreTest {
protected:
    static constexpr TableId Three[] = {TableId::Saskait, TableId::Mokej, TableId::Saskeil};

    TransactionTest() {
        for (TableId table : Three) {
            context.table(table).open();
        }
    }

    std::int64_t count(TableId table) {
        std::int64_t records = -1;
        EXPECT_EQ(context.table(table).recordCount(records), StoreStatus::Ok);
        return records;
    }

    void addToAllThree(int number) {
        Table& registrations = context.table(TableId::Saskait);
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, number);
        ASSERT_EQ(registrations.add(), StoreStatus::Ok);
        Table& payments = context.table(TableId::Mokej);
        payments.clear();
        payments.record().set(MOK::IrasoNr, number);
        payments.record().set(MOK::SaskIrasoNr, number);
        ASSERT_EQ(payments.add(), StoreStatus::Ok);
        Table& lines = context.table(TableId::Saskeil);
        lines.clear();
        lines.record().set(SEI::SEILID, number);
        lines.record().set(SEI::IrasoNr, number);
        ASSERT_EQ(lines.add(), StoreStatus::Ok);
    }

    Context context{database};
};

TEST_F(TransactionTest, CommitsAcrossThreeFiles) {
    Transaction transaction(context);
    ASSERT_EQ(transaction.begin(Three), StoreStatus::Ok);
    addToAllThree(1);
    Context other(database);
    other.table(TableId::Mokej).open();
    std::int64_t seen = -1;
    ASSERT_EQ(other.table(TableId::Mokej).recordCount(seen), StoreStatus::Ok);
    EXPECT_EQ(seen, 0) << "others do not see an unfinished transaction";
    EXPECT_EQ(count(TableId::Mokej), 1) << "the transaction sees its own writes";

    ASSERT_EQ(transaction.commit(), StoreStatus::Ok);
    ASSERT_EQ(other.table(TableId::Mokej).recordCount(seen), StoreStatus::Ok);
    EXPECT_EQ(seen, 1);
    for (TableId table : Three) {
        EXPECT_EQ(count(table), 1);
    }
}

TEST_F(TransactionTest, RollsBackUnlessCommitted) {
    addToAllThree(1);
    {
        Transaction transaction(context);
        ASSERT_EQ(transaction.begin(Three), StoreStatus::Ok);
        addToAllThree(2);
        Table& registrations = context.table(TableId::Saskait);
        registrations.record().set(SAS::IrasoNr, 1);
        ASSERT_EQ(registrations.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
        ASSERT_EQ(registrations.remove(), StoreStatus::Ok);
    }
    for (TableId table : Three) {
        EXPECT_EQ(count(table), 1);
    }
    Table& registrations = context.table(TableId::Saskait);
    registrations.setToKeyStart(SAS::IRASONRKEY);
    ASSERT_EQ(registrations.next(), StoreStatus::Ok);
    EXPECT_EQ(registrations.record().get(SAS::IrasoNr), 1);
}

TEST_F(TransactionTest, ARollbackLeavesTheWatchedVersionAsItWas) {
    addToAllThree(1);
    Table& registrations = context.table(TableId::Saskait);
    registrations.record().set(SAS::IrasoNr, 1);
    ASSERT_EQ(registrations.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
    registrations.watch();
    {
        Transaction transaction(context);
        ASSERT_EQ(transaction.begin(Three), StoreStatus::Ok);
        registrations.record().set(SAS::Gyventojas, "Pirmas bandymas");
        ASSERT_EQ(registrations.put(), StoreStatus::Ok);
        transaction.rollback();
    }
    registrations.watch();
    registrations.record().set(SAS::Gyventojas, "Antras bandymas");
    EXPECT_EQ(registrations.put(), StoreStatus::Ok) << "our own undone write is no other user's change";
}

TEST_F(TransactionTest, IsRefusedOverATableNotOpenAndWhileAnotherRuns) {
    Transaction first(context);
    EXPECT_EQ(first.begin({TableId::Saskait, TableId::SaskKmb}), StoreStatus::Failed);
    EXPECT_EQ(lastOperationError().number, StoreError::FileNotOpen);
    ASSERT_EQ(first.begin(Three), StoreStatus::Ok);
    Transaction second(context);
    EXPECT_EQ(second.begin({TableId::Mokej}), StoreStatus::Failed);
    EXPECT_EQ(lastOperationError().number, StoreError::TransactionRefused);
    EXPECT_EQ(first.commit(), StoreStatus::Ok);
    EXPECT_EQ(first.commit(), StoreStatus::Failed);

    // A table named twice is still closed with its last user.
    Table& payments = context.table(TableId::Mokej);
    ASSERT_EQ(first.begin({TableId::Mokej, TableId::Mokej}), StoreStatus::Ok);
    EXPECT_EQ(first.commit(), StoreStatus::Ok);
    payments.close();
    EXPECT_EQ(payments.next(), StoreStatus::Failed);
    EXPECT_EQ(lastOperationError().number, StoreError::FileNotOpen);
}

TEST_F(TransactionTest, BeginGivesUpAfterTwoSecondsWhileAnotherStationWrites) {
    context.table(TableId::Valstyb).open();
    const int helper = testing::startHelperUntilReady({"hold-transaction", folder.path().string()});
    Transaction transaction(context);
    const auto started = std::chrono::steady_clock::now();
    const StoreStatus status = transaction.begin({TableId::Valstyb});
    const auto waited = std::chrono::steady_clock::now() - started;
    testing::killHelper(helper);
    EXPECT_EQ(status, StoreStatus::Failed);
    EXPECT_EQ(lastOperationError().number, 5) << "SQLite's own code: database is locked";
    EXPECT_GE(waited, std::chrono::milliseconds(1900));
    EXPECT_EQ(transaction.begin({TableId::Valstyb}), StoreStatus::Ok)
        << "free again once the other one is gone";
}

// A payer's change (Klient heading Mokej and Saskait) and a registration's (Saskait heading Mokej ...)
// used to lock their own table first and wait for the other's: each held what the other waited for.
// In one fixed order a transaction waits at the first file it cannot have, holding only files that
// come before it, so stations queue and never wait in a circle.
TEST_F(TransactionTest, TakesTheLocksOfItsFilesInOneOrderWhicheverTableHeadsIt) {
    context.table(TableId::Klient).open(); // the files exist
    const std::string dir = folder.path().string();
    const int holder = testing::startHelperUntilReady({"hold-transaction", dir, "Mokej"});
    const int payerChange =
        testing::startHelperUntilReady({"begin-transaction", dir, "Klient", "Mokej", "Saskait"});
    bool registrationsHeld = false;
    bool payersHeld = false;
    int status = 0;
    while (waitpid(payerChange, &status, WNOHANG) == 0) { // it gives up after its 2 seconds
        registrationsHeld =
            registrationsHeld || testing::fileHeld(database.filePath(TableId::Saskait), false);
        payersHeld = payersHeld || testing::fileHeld(database.filePath(TableId::Klient), false);
    }
    testing::killHelper(holder);
    EXPECT_EQ(WEXITSTATUS(status), 1) << "Mokej stayed locked";
    EXPECT_TRUE(registrationsHeld) << "Saskait comes before Mokej: taken before waiting for it";
    EXPECT_FALSE(payersHeld) << "Klient comes after Mokej: not held while waiting for it";
}

TEST_F(TransactionTest, AWriterKilledHalfwayLeavesAllThreeFilesAsBefore) {
    addToAllThree(1);
    const auto sizeBefore = std::filesystem::file_size(database.filePath(TableId::Saskait));
    for (TableId table : Three) {
        context.table(table).close();
    }

    // Enough records that SQLite writes pages into the files before the commit.
    const int helper =
        testing::startHelperUntilReady({"die-in-transaction", folder.path().string(), "12000"});
    const std::filesystem::path journal = database.filePath(TableId::Saskait).string() + "-journal";
    const bool journalWasThere = std::filesystem::exists(journal);
    const bool fileGrew = std::filesystem::file_size(database.filePath(TableId::Saskait)) > sizeBefore;
    testing::killHelper(helper);
    EXPECT_TRUE(journalWasThere);
    EXPECT_TRUE(fileGrew) << "the killed writer had changed the file itself";

    Context after(database);
    for (TableId table : Three) {
        Table& handle = after.table(table);
        handle.open();
        std::int64_t records = -1;
        EXPECT_EQ(handle.recordCount(records), StoreStatus::Ok);
        EXPECT_EQ(records, 1) << Database::fileName(table);
    }
    EXPECT_TRUE(messages.shown().empty()) << "recovery is silent";
    EXPECT_FALSE(std::filesystem::exists(journal));
}

} // namespace
} // namespace nakva
