#include "StoreTestSupport.h"

#include "data/Transaction.h"
#include "support/CaseName.h"

#include <sqlite3.h>

#include <algorithm>

namespace nakva {
namespace {

using testing::StoreTest;

class TableTest : public StoreTest {
protected:
    Context context{database};

    Table& open(TableId id) {
        Table& table = context.table(id);
        table.open();
        return table;
    }

    void addCountry(Table& countries, const std::string& name) {
        countries.clear();
        countries.record().set(VAL::Valstybe, name);
        ASSERT_EQ(countries.add(), StoreStatus::Ok) << name;
    }

    static std::vector<std::string> countriesInOrder(Table& countries, ReadDirection direction) {
        std::vector<std::string> names;
        countries.setToKeyStart(VAL::Key_Valst);
        while ((direction == ReadDirection::Forward ? countries.next() : countries.previous()) ==
               StoreStatus::Ok) {
            names.push_back(countries.record().get(VAL::Valstybe));
        }
        return names;
    }

    void addRegistration(Table& registrations, int number, const std::string& resident, Date date = 0) {
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, number);
        registrations.record().set(SAS::Gyventojas, resident);
        registrations.record().set(SAS::IrasoDt, date);
        ASSERT_EQ(registrations.add(), StoreStatus::Ok) << number;
    }
};

TEST_F(TableTest, EveryFileIsCreatedSilentlyOnFirstOpen) {
    ASSERT_FALSE(std::filesystem::exists(database.dataFolder()));
    for (const TableDef& def : Dictionary::instance().tables()) {
        Table& table = open(def.id);
        std::int64_t count = -1;
        EXPECT_EQ(table.recordCount(count), StoreStatus::Ok);
        EXPECT_EQ(count, 0);
        EXPECT_TRUE(std::filesystem::exists(folder.path() / def.fileName())) << def.fileName();
    }
    Context later(database);
    later.table(TableId::Saskait).open();
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(TableTest, OpensAreCountedAndTheLastCloseClosesTheFile) {
    Table& countries = open(TableId::Valstyb);
    countries.open();
    countries.close();
    addCountry(countries, "Lietuva");
    countries.close();
    EXPECT_FALSE(countries.isOpen());
    EXPECT_EQ(countries.next(), StoreStatus::Failed);
    EXPECT_EQ(lastOperationError().number, StoreError::FileNotOpen);
}

TEST_F(TableTest, TwoContextsHoldDifferentCurrentRecords) {
    Table& mine = open(TableId::Valstyb);
    for (const char* name : {"Estija", "Latvija", "Lietuva"}) {
        addCountry(mine, name);
    }
    Context other(database);
    Table& theirs = other.table(TableId::Valstyb);
    theirs.open();

    mine.setToKeyStart(VAL::Key_Valst);
    ASSERT_EQ(mine.next(), StoreStatus::Ok);
    theirs.record().set(VAL::Valstybe, "Lietuva");
    ASSERT_EQ(theirs.getByKey(VAL::Key_Valst), StoreStatus::Ok);

    EXPECT_EQ(mine.record().get(VAL::Valstybe), "Estija");
    ASSERT_EQ(mine.next(), StoreStatus::Ok);
    EXPECT_EQ(mine.record().get(VAL::Valstybe), "Latvija");
    EXPECT_EQ(theirs.record().get(VAL::Valstybe), "Lietuva");
    EXPECT_EQ(theirs.next(), StoreStatus::EndOfData);
}

TEST_F(TableTest, SecondBufferReadsTheSameRecordsAndIstgParIsShared) {
    Table& registrations = open(TableId::Saskait);
    addRegistration(registrations, 1, "Petraitis");
    Table& others = context.second(TableId::Saskait);
    others.open();
    others.setToKeyStart(SAS::IRASONRKEY);
    ASSERT_EQ(others.next(), StoreStatus::Ok);
    others.record().set(SAS::Gyventojas, "Kitas");
    EXPECT_EQ(registrations.record().get(SAS::Gyventojas), "Petraitis");
    EXPECT_EQ(others.prefix(), "SAS1");

    Context other(database);
    context.table(TableId::IstgPar).record().set(IST::ISTAIGA, "Svečių namai");
    EXPECT_EQ(other.table(TableId::IstgPar).record().get(IST::ISTAIGA), "Svečių namai");
}

TEST_F(TableTest, KeysFollowTheLithuanianOrderWithoutRegardToCase) {
    Table& countries = open(TableId::Valstyb);
    for (const char* name : {"Jonava", "Yla", "čekija", "Įvairi", "Baltija", "Ąžuolija", "Cypras", "azija"}) {
        addCountry(countries, name);
    }
    const std::vector<std::string> order{"azija",  "Ąžuolija", "Baltija", "Cypras",
                                         "čekija", "Įvairi",   "Yla",     "Jonava"};
    EXPECT_EQ(countriesInOrder(countries, ReadDirection::Forward), order);
    EXPECT_EQ(countriesInOrder(countries, ReadDirection::Backward),
              std::vector<std::string>(order.rbegin(), order.rend()));

    countries.record().set(VAL::Valstybe, "ČEKIJA");
    ASSERT_EQ(countries.getByKey(VAL::Key_Valst), StoreStatus::Ok);
    EXPECT_EQ(countries.record().get(VAL::Valstybe), "čekija");
    ASSERT_EQ(countries.next(), StoreStatus::Ok) << "a get starts a read in its key";
    EXPECT_EQ(countries.record().get(VAL::Valstybe), "Įvairi");

    countries.record().set(VAL::Valstybe, "D");
    ASSERT_EQ(countries.setToKeyValue(VAL::Key_Valst), StoreStatus::Ok);
    ASSERT_EQ(countries.next(), StoreStatus::Ok);
    EXPECT_EQ(countries.record().get(VAL::Valstybe), "Įvairi");
    countries.record().set(VAL::Valstybe, "D");
    ASSERT_EQ(countries.setToKeyValue(VAL::Key_Valst), StoreStatus::Ok);
    ASSERT_EQ(countries.previous(), StoreStatus::Ok);
    EXPECT_EQ(countries.record().get(VAL::Valstybe), "čekija");

    countries.record().set(VAL::Valstybe, "Niekur");
    EXPECT_EQ(countries.getByKey(VAL::Key_Valst), StoreStatus::NotFound);
}

struct DuplicateCase {
    const char* name;
    TableId table;
    std::vector<std::pair<const char*, const char*>> first;
    std::vector<std::pair<const char*, const char*>> second;
    std::vector<std::string_view> collidingKeys; // none: the second record is accepted
};

void PrintTo(const DuplicateCase& c, std::ostream* out) {
    *out << c.name;
}

class DuplicateKeys : public TableTest, public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(DuplicateKeys, AreRefusedExactlyOnUniqueKeys) {
    const DuplicateCase& c = GetParam();
    Table& table = open(c.table);
    for (const auto& [field, text] : c.first) {
        ASSERT_TRUE(table.record().setText(field, text));
    }
    ASSERT_EQ(table.add(), StoreStatus::Ok);
    table.clear();
    for (const auto& [field, text] : c.second) {
        ASSERT_TRUE(table.record().setText(field, text));
    }
    for (int key = 0; key < int(table.def().keys.size()); ++key) {
        const bool colliding =
            std::ranges::count(c.collidingKeys, table.def().keys[std::size_t(key)].name) > 0;
        EXPECT_EQ(table.duplicateCheck(key), colliding ? StoreStatus::DuplicateKey : StoreStatus::Ok)
            << table.def().keys[std::size_t(key)].name;
    }
    EXPECT_EQ(table.add(), c.collidingKeys.empty() ? StoreStatus::Ok : StoreStatus::DuplicateKey);
    std::int64_t count = 0;
    table.recordCount(count);
    EXPECT_EQ(count, c.collidingKeys.empty() ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Store, DuplicateKeys,
    ::testing::Values(
        DuplicateCase{"CountryInOtherCase",
                      TableId::Valstyb,
                      {{"VAL:Valstybe", "Lietuva"}},
                      {{"VAL:Valstybe", "LIETUVA"}},
                      {"VAL:Key_Valst"}},
        DuplicateCase{"CountryWithTrailingBlanks",
                      TableId::Valstyb,
                      {{"VAL:Valstybe", "Lietuva"}},
                      {{"VAL:Valstybe", "Lietuva   "}},
                      {"VAL:Key_Valst"}},
        DuplicateCase{"RoomTypeWithLithuanianCapitals",
                      TableId::KmbTipai,
                      {{"KTIP:KambarioTipas", "Šeimos"}},
                      {{"KTIP:KambarioTipas", "ŠEIMOS"}},
                      {"KTIP:KTIPAS"}},
        DuplicateCase{"ServiceInOtherCaseAndGroup",
                      TableId::Paslaug,
                      {{"PAS:Pav", "Pusryčiai"}, {"PAS:PaslGrpNr", "1"}},
                      {{"PAS:Pav", "PUSRYČIAI"}, {"PAS:PaslGrpNr", "2"}},
                      {}},
        DuplicateCase{"ServiceInOtherCaseSameGroup",
                      TableId::Paslaug,
                      {{"PAS:Pav", "Pusryčiai"}, {"PAS:PaslGrpNr", "1"}},
                      {{"PAS:Pav", "PUSRYČIAI"}, {"PAS:PaslGrpNr", "1"}},
                      {"PAS:PASLGRP_KEY"}},
        DuplicateCase{"ServiceSameName",
                      TableId::Paslaug,
                      {{"PAS:Pav", "Vakarienė"}, {"PAS:PaslGrpNr", "1"}},
                      {{"PAS:Pav", "Vakarienė"}, {"PAS:PaslGrpNr", "2"}},
                      {"PAS:PASLKEY"}},
        DuplicateCase{"ServiceCodesRepeat",
                      TableId::Paslaug,
                      {{"PAS:Pav", "A"}, {"PAS:PKod", "K1"}},
                      {{"PAS:Pav", "B"}, {"PAS:PKod", "K1"}},
                      {}},
        DuplicateCase{
            "BlankServiceCodesRepeat", TableId::Paslaug, {{"PAS:Pav", "A"}}, {{"PAS:Pav", "B"}}, {}},
        DuplicateCase{"RegistrationsOnOneDay",
                      TableId::Saskait,
                      {{"SAS:IrasoNr", "1"}, {"SAS:IrasoDt", "2024-04-15"}},
                      {{"SAS:IrasoNr", "2"}, {"SAS:IrasoDt", "2024-04-15"}},
                      {}},
        DuplicateCase{"RegistrationNumberTwice",
                      TableId::Saskait,
                      {{"SAS:IrasoNr", "7"}, {"SAS:Gyventojas", "A"}},
                      {{"SAS:IrasoNr", "7"}, {"SAS:Gyventojas", "B"}},
                      {"SAS:IRASONRKEY", "SAS:IDTKEY", "SAS:DTSASNRKEY", "SAS:KLIKODKEY", "SAS:SASNRKEY",
                       "SAS:APMBUDAKEY", "SAS:DTVALSTKEY", "SAS:VALSTKEY", "SAS:ISVYKESKEY", "SAS:DTGRUPKEY",
                       "SAS:GRUPKEY", "SAS:ISVKLIENTGR", "SAS:ATVDTKEY"}},
        DuplicateCase{"InstitutionNameRepeats",
                      TableId::IstgPar,
                      {{"IST:ISTAIGA", "Viešbutis"}},
                      {{"IST:ISTAIGA", "Viešbutis"}},
                      {}}),
    nakva::testing::CaseName());

TEST_F(TableTest, PutRemoveAndPositionsFollowTheRecord) {
    Table& registrations = open(TableId::Saskait);
    for (int number = 1; number <= 5; ++number) {
        addRegistration(registrations, number, "Gyventojas " + std::to_string(6 - number),
                        dateFromYmd(2024, 4, number));
    }
    registrations.clear();
    registrations.record().set(SAS::Gyventojas, "gyventojas 3");
    registrations.record().set(SAS::IrasoNr, 3);
    ASSERT_EQ(registrations.getByKey(SAS::GYVENTKEY), StoreStatus::Ok);
    EXPECT_EQ(registrations.record().get(SAS::IrasoNr), 3);
    const Position third = registrations.position();
    ASSERT_FALSE(third.empty());
    EXPECT_LE(third.bytes().size(), Position::MaxSize);

    registrations.record().set(SAS::KOMENTARAI, "pakeista");
    ASSERT_EQ(registrations.put(), StoreStatus::Ok);
    registrations.clear();
    ASSERT_EQ(registrations.regetByPosition(third), StoreStatus::Ok);
    EXPECT_EQ(registrations.record().get(SAS::KOMENTARAI), "pakeista");

    ASSERT_EQ(registrations.remove(), StoreStatus::Ok);
    EXPECT_EQ(registrations.regetByPosition(third), StoreStatus::NotFound);
    ASSERT_EQ(registrations.setToPosition(third), StoreStatus::Ok) << "a read restarts where the record was";
    ASSERT_EQ(registrations.next(), StoreStatus::Ok);
    EXPECT_EQ(registrations.record().get(SAS::Gyventojas), "Gyventojas 4");
    ASSERT_EQ(registrations.setToPosition(third), StoreStatus::Ok);
    ASSERT_EQ(registrations.previous(), StoreStatus::Ok);
    EXPECT_EQ(registrations.record().get(SAS::Gyventojas), "Gyventojas 2");

    registrations.clear();
    EXPECT_EQ(registrations.put(), StoreStatus::Failed);
    EXPECT_EQ(lastOperationError().number, StoreError::NoCurrentRecord);
    EXPECT_EQ(registrations.setToPosition(Position::fromBytes("junk")), StoreStatus::Failed);
}

TEST_F(TableTest, ValuesAreStoredInTheDocumentedForm) {
    Table& lines = open(TableId::Saskeil);
    lines.record().set(SEI::SEILID, 1);
    lines.record().set(SEI::PasPav, "Apgyvendinimas   ");
    ASSERT_TRUE(lines.record().set(SEI::KAINA, *Decimal::parse("12.3456")));
    ASSERT_TRUE(lines.record().set(SEI::SUMA, *Decimal::parse("-0.05")));
    lines.record().set(SEI::GYVENANUO, dateFromYmd(2024, 4, 15));
    ASSERT_EQ(lines.add(), StoreStatus::Ok);
    lines.close();

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((folder.path() / "DATA/Saskeil.tps").c_str(), &db), SQLITE_OK);
    sqlite3_stmt* select = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT PasPav, KAINA, SUMA, GYVENANUO, _ver FROM Saskeil", -1, &select,
                                 nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(select), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(select, 0)), "Apgyvendinimas");
    EXPECT_EQ(sqlite3_column_int64(select, 1), 123456);
    EXPECT_EQ(sqlite3_column_int64(select, 2), -5);
    EXPECT_EQ(sqlite3_column_int64(select, 3), dateFromYmd(2024, 4, 15));
    EXPECT_EQ(sqlite3_column_int64(select, 4), 1);
    sqlite3_finalize(select);
    sqlite3_close(db);
}

TEST_F(TableTest, ReadsSeeWhatTheProgramWroteMeanwhile) {
    Table& registrations = open(TableId::Saskait);
    {
        Transaction transaction(context);
        ASSERT_EQ(transaction.begin({TableId::Saskait}), StoreStatus::Ok);
        for (int number = 1; number <= 40; ++number) {
            addRegistration(registrations, number * 10, "R");
        }
        ASSERT_EQ(transaction.commit(), StoreStatus::Ok);
    }
    registrations.setToKeyStart(SAS::IRASONRKEY);
    ASSERT_EQ(registrations.next(), StoreStatus::Ok);
    ASSERT_EQ(registrations.next(), StoreStatus::Ok);
    EXPECT_EQ(registrations.record().get(SAS::IrasoNr), 20);

    Context other(database);
    Table& theirs = other.table(TableId::Saskait);
    theirs.open();
    theirs.record().set(SAS::IrasoNr, 25);
    ASSERT_EQ(theirs.add(), StoreStatus::Ok);
    theirs.record().set(SAS::IrasoNr, 30);
    ASSERT_EQ(theirs.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
    ASSERT_EQ(theirs.remove(), StoreStatus::Ok);

    std::vector<int> rest;
    registrations.scanHint(true);
    while (registrations.next() == StoreStatus::Ok) {
        rest.push_back(registrations.record().get(SAS::IrasoNr));
    }
    registrations.scanHint(false);
    ASSERT_GE(rest.size(), 2u);
    EXPECT_EQ(rest[0], 25);
    EXPECT_EQ(rest[1], 40);
    EXPECT_EQ(rest.size(), 38u);
    EXPECT_EQ(lastOperationError().number, StoreError::EndOfData);
}

TEST_F(TableTest, WatchedPutFailsWhenAnotherStationChangedTheRecord) {
    Table& countries = open(TableId::Valstyb);
    addCountry(countries, "Lietuva");
    countries.record().set(VAL::Valstybe, "Lietuva");
    ASSERT_EQ(countries.getByKey(VAL::Key_Valst), StoreStatus::Ok);
    countries.watch();

    ASSERT_EQ(
        testing::runHelper({"rename-country", folder.path().string(), "Lietuva", "Lietuvos Respublika"}), 0);

    countries.record().set(VAL::Valstybe, "LIETUVA");
    EXPECT_EQ(countries.put(), StoreStatus::RecordChanged);
    EXPECT_EQ(lastOperationError().number, kRecordChangedByAnotherStation);
    EXPECT_EQ(countries.remove(), StoreStatus::RecordChanged);

    // Re-read and watched again, the record can be written.
    ASSERT_EQ(countries.regetByPosition(countries.position()), StoreStatus::Ok);
    countries.watch();
    EXPECT_EQ(countries.record().get(VAL::Valstybe), "Lietuvos Respublika");
    countries.record().set(VAL::Valstybe, "Lietuva");
    EXPECT_EQ(countries.put(), StoreStatus::Ok);
}

TEST_F(TableTest, UnwatchedPutOverwritesAnotherStationsChange) {
    Table& countries = open(TableId::Valstyb);
    addCountry(countries, "Latvija");
    ASSERT_EQ(
        testing::runHelper({"rename-country", folder.path().string(), "Latvija", "Latvijos Respublika"}), 0);
    countries.record().set(VAL::Valstybe, "Latvija");
    EXPECT_EQ(countries.put(), StoreStatus::Ok);
    countries.record().set(VAL::Valstybe, "Latvija");
    EXPECT_EQ(countries.getByKey(VAL::Key_Valst), StoreStatus::Ok);
}

} // namespace
} // namespace nakva
