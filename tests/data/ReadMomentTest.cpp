#include "StoreTestSupport.h"

#include "data/Transaction.h"
#include "data/View.h"
#include "messages/Message.h"

namespace nakva {
namespace {

using testing::StoreTest;

// Whether some connection reads the file now: another station's commit would wait for it.
bool readLocked(const std::filesystem::path& file) {
    return testing::fileHeld(file, true);
}

class ReadMomentTest : public StoreTest {
protected:
    ReadMomentTest() {
        addRecord(TableId::Saskait, {{"IrasoNr", "1"}, {"Gyventojas", "Pirmas"}});
        addRecord(TableId::Saskait, {{"IrasoNr", "2"}, {"Gyventojas", "Antras"}});
        addRecord(TableId::Valstyb, {{"Valstybe", "Lietuva"}});
        registrations.open();
    }

    std::filesystem::path file(TableId table) const { return database.filePath(table); }

    void read(Table& table, int number) {
        table.clear();
        table.record().set(SAS::IrasoNr, number);
        ASSERT_EQ(table.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
    }

    Context context{database};
    Table& registrations = context.table(TableId::Saskait);
};

// Reads within a moment hold their files' read locks between statements; outside one each statement
// gives them back at once, and the moment's end gives them back too.
TEST_F(ReadMomentTest, HoldsTheFilesReadUntilItEnds) {
    read(registrations, 1);
    EXPECT_FALSE(readLocked(file(TableId::Saskait)));
    {
        Context::ReadMoment moment(context);
        EXPECT_FALSE(readLocked(file(TableId::Saskait))) << "nothing read yet";
        read(registrations, 1);
        EXPECT_TRUE(readLocked(file(TableId::Saskait)));
        {
            Context::ReadMoment inner(context);
            read(registrations, 2);
        }
        EXPECT_TRUE(readLocked(file(TableId::Saskait))) << "an inner moment ends with the outer one";
        EXPECT_FALSE(readLocked(file(TableId::Valstyb)));
    }
    EXPECT_FALSE(readLocked(file(TableId::Saskait)));
}

// A table opened and closed within the moment stays open until its end, and is found again after it.
TEST_F(ReadMomentTest, KeepsATableClosedWithinItOpenToItsEnd) {
    {
        Context::ReadMoment moment(context);
        Table countries(context, TableId::Valstyb, false);
        countries.open();
        EXPECT_EQ(countries.next(), StoreStatus::Ok);
        countries.close();
        EXPECT_TRUE(readLocked(file(TableId::Valstyb)));
    }
    EXPECT_FALSE(readLocked(file(TableId::Valstyb)));
    Table countries(context, TableId::Valstyb, false);
    countries.open();
    EXPECT_EQ(countries.next(), StoreStatus::Ok);
    EXPECT_EQ(countries.record().get(VAL::Valstybe), "Lietuva");
}

// A table whose connection is taken from the idle ones within a moment is checked by the moment's
// first read of it and held open to the moment's end, even when closed at once.
TEST_F(ReadMomentTest, ATableReopenedWithinItIsCheckedByItsFirstReadAndHeld) {
    Table countries(context, TableId::Valstyb, false);
    countries.open();
    countries.close(); // its connection waits among the idle ones
    {
        Context::ReadMoment moment(context);
        countries.open();
        EXPECT_TRUE(readLocked(file(TableId::Valstyb)));
        countries.close();
        EXPECT_TRUE(readLocked(file(TableId::Valstyb)));
    }
    EXPECT_FALSE(readLocked(file(TableId::Valstyb)));
    countries.open();
    ASSERT_EQ(countries.next(), StoreStatus::Ok);
    EXPECT_EQ(countries.record().get(VAL::Valstybe), "Lietuva");
}

// A write of the same context within a moment does not wait for the moment's own read locks, and
// is committed at once: another station sees it before the moment ends.
TEST_F(ReadMomentTest, AWriteWithinItCommitsAtOnce) {
    Context::ReadMoment moment(context);
    read(registrations, 1);
    registrations.record().set(SAS::Gyventojas, std::string("Pakeistas"));
    ASSERT_EQ(registrations.put(), StoreStatus::Ok);
    EXPECT_FALSE(readLocked(file(TableId::Saskait)));
    EXPECT_EQ(storedColumn(TableId::Saskait, "Gyventojas"),
              (std::vector<std::string>{"Pakeistas", "Antras"}));

    read(registrations, 2);
    registrations.clear();
    registrations.record().set(SAS::IrasoNr, 3);
    ASSERT_EQ(registrations.add(), StoreStatus::Ok);
    EXPECT_EQ(storedColumn(TableId::Saskait, "IrasoNr").size(), 3u);

    read(registrations, 1);
    Transaction transaction(context);
    ASSERT_EQ(transaction.begin({TableId::Saskait}), StoreStatus::Ok);
    read(registrations, 2);
    ASSERT_EQ(registrations.remove(), StoreStatus::Ok);
    ASSERT_EQ(transaction.commit(), StoreStatus::Ok);
    EXPECT_EQ(storedColumn(TableId::Saskait, "IrasoNr"), (std::vector<std::string>{"1", "3"}));
}

// While a message waits for the user, the moment holds no file: other stations write meanwhile.
TEST_F(ReadMomentTest, LetsTheFilesGoWhileAMessageWaits) {
    class Probe : public MessageSink {
    public:
        explicit Probe(std::filesystem::path file) : file_(std::move(file)) {}
        int show(const MessageRequest&) override {
            lockedWhileShown = readLocked(file_);
            return ButtonOk;
        }
        bool lockedWhileShown = true;

    private:
        std::filesystem::path file_;
    } probe(file(TableId::Saskait));
    ScopedMessageSink shown(probe);

    Context::ReadMoment moment(context);
    read(registrations, 1);
    ASSERT_TRUE(readLocked(file(TableId::Saskait)));
    showMessage("Pranešimas");
    EXPECT_FALSE(probe.lockedWhileShown);
    read(registrations, 2);
    EXPECT_TRUE(readLocked(file(TableId::Saskait))) << "the reads after the message begin anew";
}

// A view joining a parent file attaches it to a connection that already reads in the moment.
TEST_F(ReadMomentTest, AViewJoinsAParentOnAConnectionAlreadyReading) {
    addRecord(TableId::Kamb, {{"KambarioID", "5"}, {"KambarioNr", "101"}});
    addRecord(TableId::SaskKmb, {{"IrasoNr", "1"}, {"KambarioID", "5"}});
    context.table(TableId::Kamb).open();
    Table& occupied = context.table(TableId::SaskKmb);
    occupied.open();
    Context::ReadMoment moment(context);
    ASSERT_EQ(occupied.next(), StoreStatus::Ok);
    View view(occupied);
    ASSERT_TRUE(view.join(TableId::Kamb));
    view.setOrder("+SKMB:IrasoNr");
    ASSERT_EQ(view.open(), StoreStatus::Ok);
    ASSERT_EQ(view.next(), StoreStatus::Ok);
    EXPECT_EQ(context.table(TableId::Kamb).record().get(KMB::KambarioNr), "101");
    EXPECT_TRUE(readLocked(file(TableId::Kamb)));
    EXPECT_TRUE(messages.texts().empty());
}

// A view that holds one moment of the files keeps it to its close, past the end of a context moment
// in which it was opened.
TEST_F(ReadMomentTest, AViewHoldingItsOwnMomentKeepsItPastTheContextsMoment) {
    View view(registrations);
    view.setOrder("+SAS:IrasoNr");
    view.holdOneMoment();
    {
        Context::ReadMoment moment(context);
        read(registrations, 1);
        ASSERT_EQ(view.open(), StoreStatus::Ok);
    }
    EXPECT_TRUE(readLocked(file(TableId::Saskait)));
    view.close();
    EXPECT_FALSE(readLocked(file(TableId::Saskait)));
}

} // namespace
} // namespace nakva
