// The anonymisation of payers on real files: new codes in the code order found at the start, with the
// registrations and payments following each payer, over any codes a previous run left.
#include "data/StoreTestSupport.h"

#include "data/Integrity.h"
#include "data/SqliteConnection.h"
#include "maintenance/PayerAnonymisation.h"

#include <iostream>
#include <map>

namespace nakva {
namespace {

class PayerAnonymisationTest : public testing::StoreTest {
protected:
    void payer(const std::string& code) {
        addRecord(TableId::Klient,
                  {{"KLI:Kod", code}, {"KLI:PAV", "UAB " + code}, {"KLI:TEL", "8 600 00000"}});
    }
    // A registration and a payment numbered `number` naming the payer `code`.
    void owes(int number, const std::string& code) {
        const std::string n = std::to_string(number);
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", n}, {"SAS:KliKod", code}});
        addRecord(TableId::Mokej, {{"MOK:IrasoNr", n}, {"MOK:SaskIrasoNr", n}, {"MOK:MokKod", code}});
    }

    std::vector<std::string> codes() { return storedColumn(TableId::Klient, "KLI:Kod"); }
    std::vector<std::string> registrationCodes() { return storedColumn(TableId::Saskait, "SAS:KliKod"); }
    std::vector<std::string> paymentCodes() { return storedColumn(TableId::Mokej, "MOK:MokKod"); }

    // Another station renames a payer, its registrations and payments following it.
    void renameElsewhere(const std::string& from, const std::string& to) {
        Context other(database);
        Table& payers = other.table(TableId::Klient);
        payers.open();
        payers.clear();
        ASSERT_TRUE(payers.record().set(KLI::Kod, from));
        ASSERT_EQ(payers.getByKey(KLI::KODKEY), StoreStatus::Ok);
        const Record former = payers.record();
        ASSERT_TRUE(payers.record().set(KLI::Kod, to));
        ASSERT_EQ(guardedChange(payers, former, ChangeCaller::Batch), GuardedResult::Done);
        payers.close();
    }

    BatchRun::State run() {
        PayerAnonymisation anonymisation(context);
        return runBatch(anonymisation, std::cerr);
    }

    Context context{database};
};

TEST_F(PayerAnonymisationTest, CodesFollowTheKeyOrderAndTheLinksFollowThePayers) {
    payer("B");
    payer("A");
    payer("K");
    payer("Tuščias"); // no registrations or payments
    owes(1, "A");
    owes(2, "K");
    owes(3, "a");    // the payer "A" in another letter case
    owes(4, "");     // no payer
    owes(5, "Nėra"); // a payer nobody has
    owes(6, "B");
    EXPECT_EQ(run(), BatchRun::State::Done);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(codes(), (std::vector<std::string>{"1", "2", "3", "4"}));
    const std::vector<std::string> expected{"1", "3", "1", "", "Nėra", "2"};
    EXPECT_EQ(registrationCodes(), expected);
    EXPECT_EQ(paymentCodes(), expected);
}

TEST_F(PayerAnonymisationTest, EveryParticularIsReplaced) {
    payer("Jonaitis");
    ASSERT_EQ(run(), BatchRun::State::Done);
    const std::pair<const char*, const char*> fields[] = {
        {"KLI:Kod", "1"},
        {"KLI:PAV", "Klientas 1"},
        {"KLI:PAV2", "A.K. 1234567891"},
        {"KLI:ADR", "Kliento adresas 1"},
        {"KLI:TEL", "Tel. +370 1"},
        {"KLI:BANK", "SEB bankas"},
        {"KLI:ATS", "Atsakingas 1"},
        {"KLI:GAV", "Gavėjas 1"},
        {"KLI:GAVADR", "Gavėjo adresas 1"},
    };
    for (const auto& [field, value] : fields) {
        EXPECT_EQ(storedColumn(TableId::Klient, field), std::vector<std::string>{value}) << field;
    }
}

// Twelve payers already numbered: in key order "1", "10", "11", "12", "2", … they become "1", "2",
// "3", "4", "5", …, and each keeps its own registrations, never another's.
TEST_F(PayerAnonymisationTest, ASecondRunOverTwelvePayersKeepsEachWithItsOwn) {
    for (int i = 1; i <= 12; ++i) {
        payer(std::to_string(i));
        owes(i, std::to_string(i));
        addRecord(TableId::Saskait,
                  {{"SAS:IrasoNr", std::to_string(100 + i)}, {"SAS:KliKod", std::to_string(i)}});
    }
    ASSERT_EQ(run(), BatchRun::State::Done);
    ASSERT_EQ(run(), BatchRun::State::Done) << "and a third run alike";
    EXPECT_TRUE(messages.shown().empty());
    // Key order of the codes before the runs, and what each became (the same order twice over).
    const std::vector<std::string> before{"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"};
    std::map<std::string, std::string> after;
    for (std::size_t i = 0; i < before.size(); ++i) {
        after[before[i]] = std::to_string(i + 1);
    }
    // After the second run each code moved again by the same map.
    std::vector<std::string> expectedRegistrations;
    for (int i = 1; i <= 12; ++i) {
        expectedRegistrations.push_back(after[after[std::to_string(i)]]);
    }
    std::vector<std::string> registrations = registrationCodes();
    EXPECT_EQ(std::vector<std::string>(registrations.begin(), registrations.begin() + 12),
              expectedRegistrations);
    EXPECT_EQ(std::vector<std::string>(registrations.begin() + 12, registrations.end()),
              expectedRegistrations)
        << "each payer's second registration went with the first";
    EXPECT_EQ(paymentCodes(), expectedRegistrations);
    EXPECT_EQ(codes().size(), 12u);
    EXPECT_EQ(storedColumn(TableId::Klient, "KLI:PAV").front(), "Klientas 1");
}

// The fourth of six payers cannot be written: the run stops with the warnings; every payer stands
// with its own registrations and payments, under its own code or a temporary one, never apart.
TEST_F(PayerAnonymisationTest, AWriteFailureStopsWithEveryPayerWithItsOwn) {
    for (const char* code : {"A", "B", "C", "D", "E", "F"}) {
        payer(code);
    }
    for (int i = 0; i < 6; ++i) {
        owes(i + 1, std::string(1, char('A' + i)));
    }
    SqliteConnection(database.filePath(TableId::Klient), SqliteConnection::Mode::Existing)
        .execute("CREATE TRIGGER injected BEFORE UPDATE ON \"Klient\" WHEN old.Kod = 'D'"
                 " BEGIN SELECT RAISE(ABORT, 'disko klaida'); END");
    EXPECT_EQ(run(), BatchRun::State::Failed);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].title, "Įrašymo operacijos klaida");
    EXPECT_EQ(messages.shown()[1].title, "PUT klaida procese");
    EXPECT_EQ(codes(), (std::vector<std::string>{"D", "E", "F", "~1", "~2", "~3"}))
        << "'~' sorts after letters";
    const std::vector<std::string> expected{"~1", "~2", "~3", "D", "E", "F"};
    EXPECT_EQ(registrationCodes(), expected);
    EXPECT_EQ(paymentCodes(), expected);
    EXPECT_EQ(storedColumn(TableId::Klient, "KLI:PAV").back(), "UAB C") << "nothing anonymised yet";

    // Once the file is mended, the next run finishes the work from the start.
    SqliteConnection(database.filePath(TableId::Klient), SqliteConnection::Mode::Existing)
        .execute("DROP TRIGGER injected");
    messages.clear();
    EXPECT_EQ(run(), BatchRun::State::Done);
    EXPECT_EQ(codes(), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(registrationCodes(), (std::vector<std::string>{"4", "5", "6", "1", "2", "3"}))
        << "numbered in the order of the codes the run found: D, E, F, ~1, ~2, ~3";
}

// Temporary codes avoid every code already in use, registrations' and payments' included, in any case.
TEST_F(PayerAnonymisationTest, TemporaryCodesAvoidCodesInUse) {
    payer("~1");
    payer("X");
    owes(1, "~2"); // a registration of a payer nobody has
    owes(2, "X");
    owes(3, "~1");
    EXPECT_EQ(run(), BatchRun::State::Done);
    EXPECT_EQ(codes(), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(registrationCodes(), (std::vector<std::string>{"~2", "1", "2"})) << "'~' sorts after letters";
}

TEST_F(PayerAnonymisationTest, CancelInTheFirstPassPutsEveryCodeBack) {
    for (int i = 0; i < 6; ++i) {
        const std::string code(1, char('A' + i));
        payer(code);
        owes(i + 1, code);
    }
    PayerAnonymisation anonymisation(context);
    BatchRun run(anonymisation);
    ASSERT_TRUE(run.start());
    EXPECT_TRUE(run.advance(3));
    EXPECT_EQ(run.progressText(), "25% atlikta") << "3 moves of 12";
    run.cancel();
    while (run.advance()) {
    }
    EXPECT_EQ(run.state(), BatchRun::State::Cancelled);
    EXPECT_EQ(codes(), (std::vector<std::string>{"A", "B", "C", "D", "E", "F"}));
    EXPECT_EQ(registrationCodes(), codes());
    EXPECT_EQ(storedColumn(TableId::Klient, "KLI:PAV").front(), "UAB A");

    // In the second pass the run cannot stop half-way.
    PayerAnonymisation again(context);
    BatchRun second(again);
    ASSERT_TRUE(second.start());
    EXPECT_TRUE(second.advance(7));
    second.cancel();
    while (second.advance()) {
    }
    EXPECT_EQ(second.state(), BatchRun::State::Done);
    EXPECT_EQ(codes(), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
}

TEST_F(PayerAnonymisationTest, APayerRenamedElsewhereMeanwhileIsLeftAsItIs) {
    payer("A");
    payer("B");
    owes(1, "B");
    PayerAnonymisation anonymisation(context);
    BatchRun run(anonymisation);
    ASSERT_TRUE(run.start());
    renameElsewhere("B", "Z");
    while (run.advance()) {
    }
    EXPECT_EQ(run.state(), BatchRun::State::Done);
    EXPECT_EQ(anonymisation.anonymised(), 1);
    EXPECT_EQ(anonymisation.skipped(), 1);
    EXPECT_EQ(codes(), (std::vector<std::string>{"1", "Z"}));
    EXPECT_EQ(registrationCodes(), std::vector<std::string>{"Z"});
}

// Cancelled in the first pass after a payer was left unmoved (renamed elsewhere): putting the codes
// back passes over it and over the payers not reached, as the final pass would.
TEST_F(PayerAnonymisationTest, PuttingTheCodesBackPassesOverThePayersNotMoved) {
    payer("A");
    payer("B");
    payer("C");
    owes(1, "A");
    owes(2, "B");
    PayerAnonymisation anonymisation(context);
    BatchRun run(anonymisation);
    ASSERT_TRUE(run.start());
    renameElsewhere("B", "Z");
    EXPECT_TRUE(run.advance(2)); // A moved, B gone
    run.cancel();
    while (run.advance()) {
    }
    EXPECT_EQ(run.state(), BatchRun::State::Cancelled);
    EXPECT_EQ(anonymisation.anonymised(), 0);
    EXPECT_EQ(anonymisation.skipped(), 1);
    EXPECT_EQ(codes(), (std::vector<std::string>{"A", "C", "Z"}));
    EXPECT_EQ(registrationCodes(), (std::vector<std::string>{"A", "Z"}));
    EXPECT_EQ(storedColumn(TableId::Klient, "KLI:PAV").front(), "UAB A");
}

} // namespace
} // namespace nakva
