#include "StoreTestSupport.h"

#include "data/StoreMaintenance.h"
#include "support/CaseName.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>

namespace nakva {
namespace {

using testing::StoreTest;
using testing::TempFolder;

// Opening a table: the algorithm's repairs, messages and stops.
class OpeningTest : public StoreTest {
protected:
    Context context{database};

    // Creates the table's file as the program does and leaves it closed.
    void createFile(TableId table) {
        Context creator(database);
        creator.table(table).open();
    }

    // Runs SQL on the table's file through a raw connection (with the collations a writer needs).
    void rawSql(TableId table, const std::string& sql, bool withCollations = true) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(database.filePath(table).c_str(), &db), SQLITE_OK);
        if (withCollations) {
            registerWrongCollation(db);
        }
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }

    // LT_NOCASE as a foreign program might get it wrong: plain byte order.
    static void registerWrongCollation(sqlite3* db) {
        auto bytes = [](void*, int na, const void* a, int nb, const void* b) {
            const int common = std::min(na, nb);
            const int c = std::memcmp(a, b, std::size_t(common));
            return c != 0 ? c : na - nb;
        };
        sqlite3_create_collation(db, "LT_NOCASE", SQLITE_UTF8, nullptr, bytes);
        sqlite3_create_collation(db, "LT_CASE", SQLITE_UTF8, nullptr, bytes);
    }

    std::string openAndStop(TableId table) {
        try {
            context.table(table).open();
        } catch (const ProgramStop& stop) {
            return stop.text;
        }
        return "(no stop)";
    }
};

TEST_F(OpeningTest, ALayoutThatDiffersStopsWithWarningOne) {
    createFile(TableId::Valstyb);
    rawSql(TableId::Valstyb, "ALTER TABLE Valstyb ADD COLUMN Sostine TEXT NOT NULL DEFAULT ''");

    EXPECT_EQ(openAndStop(TableId::Valstyb), "Failas sugadintas !");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Sugadintas failas");
    EXPECT_EQ(messages.shown()[0].text, "Klaida: (Įrašo struktūra nesutampa su failo aprašu (66)) faile "
                                        "DATA/Valstyb.tps.  Paspauskite GERAI ir užbaikite programą.");
}

TEST_F(OpeningTest, AnotherProgramsDatabaseIsALayoutThatDiffers) {
    std::filesystem::create_directories(database.dataFolder());
    rawSql(TableId::Kamb, "CREATE TABLE Kambariai(Nr INTEGER)", false);
    EXPECT_EQ(openAndStop(TableId::Kamb), "Failas sugadintas !");
    EXPECT_EQ(messages.shown().at(0).title, "Sugadintas failas");
}

TEST_F(OpeningTest, AFileThatIsNoDatabaseStopsWithWarningThirty) {
    std::filesystem::create_directories(database.dataFolder());
    std::ofstream(database.filePath(TableId::Kamb))
        << "Tai ne duomenų bazė, o paprastas tekstas, gana ilgas.";

    EXPECT_EQ(openAndStop(TableId::Kamb), "Disk Error");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Failo atidarymo klaida");
    EXPECT_EQ(messages.shown()[0].text,
              "Negaliu atidaryti failo (DATA/Kamb.tps).   Klaida: Failas sugadintas. Atkurkite jį iš "
              "atsarginės kopijos (26).");
}

TEST_F(OpeningTest, AFailedCreationStopsWithWarningFour) {
    std::ofstream(folder.path() / "DATA") << "a file where the folder should be";
    EXPECT_EQ(openAndStop(TableId::Grupes), "Klaida sukuriant failą !");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Klaida, sukuriant failą");
    EXPECT_TRUE(messages.shown()[0].text.starts_with("Klaida: ("));
    EXPECT_TRUE(
        messages.shown()[0].text.ends_with(") sukuriant DATA/Grupes.tps.  Paspauskite GERAI ir užbaikite "
                                           "programą."));
}

// A file that exists but holds no database is damaged: told, and never replaced by an empty table.
TEST_F(OpeningTest, AZeroByteFileIsDamagedNotMadeANewTable) {
    std::filesystem::create_directories(database.dataFolder());
    std::ofstream(database.filePath(TableId::Grupes)).flush();
    EXPECT_EQ(openAndStop(TableId::Grupes), "Disk Error");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              "Negaliu atidaryti failo (DATA/Grupes.tps).   Klaida: Failas sugadintas: "
              "jame nėra duomenų. Atkurkite jį iš atsarginės kopijos (73).");
    EXPECT_EQ(std::filesystem::file_size(database.filePath(TableId::Grupes)), 0u);
    EXPECT_EQ(checkFile(database, TableId::Grupes).state, FileCheck::State::Unreadable);
}

// A killed commit over several files leaves its super-journal behind; the next program to open the
// folder removes the ones no journal names, and keeps those a journal still needs (and fresh ones,
// which a commit may be naming in its journals just now).
TEST_F(OpeningTest, LeftoverSuperJournalsAreRemovedWhenTheFolderIsOpened) {
    const std::filesystem::path data = database.dataFolder();
    std::filesystem::create_directories(data);
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    const auto make = [&](const std::string& name, const std::string& text, bool isOld) {
        std::ofstream(data / name, std::ios::binary) << text;
        if (isOld) {
            std::filesystem::last_write_time(data / name, old);
        }
    };
    make("Saskait.tps-mj0A1B2C3D", "Saskait.tps-journal", true); // nobody's
    make("Klient.tps-mj11112222", "Klient.tps-journal", true);   // named by Mokej's journal below
    make("Mokej.tps-journal", std::string(5000, 'x') + (data / "Klient.tps-mj11112222").string(), true);
    make("Valstyb.tps-mj99998888", "Valstyb.tps-journal", false); // too fresh to judge

    Database opened(folder.path());
    EXPECT_FALSE(std::filesystem::exists(data / "Saskait.tps-mj0A1B2C3D"));
    EXPECT_TRUE(std::filesystem::exists(data / "Klient.tps-mj11112222"));
    EXPECT_TRUE(std::filesystem::exists(data / "Mokej.tps-journal"));
    EXPECT_TRUE(std::filesystem::exists(data / "Valstyb.tps-mj99998888"));
}

struct DamagedKeyCase {
    const char* name;
    const char* damage; // SQL run on the file
};

void PrintTo(const DamagedKeyCase& c, std::ostream* out) {
    *out << c.name;
}

class DamagedKeys : public OpeningTest, public ::testing::WithParamInterface<DamagedKeyCase> {};

TEST_P(DamagedKeys, AreRebuiltWhenTheUserSaysYes) {
    createFile(TableId::Saskait);
    rawSql(TableId::Saskait, GetParam().damage);
    messages.answerNext(ButtonYes);

    Table& registrations = context.table(TableId::Saskait);
    registrations.open();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Sugedęs indeksas");
    EXPECT_EQ(messages.shown()[0].text, "Indeksų failas DATA/Saskait.tps sugedęs.  Ar perindeksuoti?");
    EXPECT_EQ(messages.shown()[0].defaultButton, ButtonYes);

    registrations.record().set(SAS::Gyventojas, "Jonaitis");
    ASSERT_EQ(registrations.add(), StoreStatus::Ok);
    registrations.clear();
    registrations.record().set(SAS::Gyventojas, "JONAITIS");
    EXPECT_EQ(registrations.getByKey(SAS::GYVENTKEY), StoreStatus::Ok);
    EXPECT_EQ(checkFile(database, TableId::Saskait).state, FileCheck::State::Ready);
}

INSTANTIATE_TEST_SUITE_P(
    Store, DamagedKeys,
    ::testing::Values(DamagedKeyCase{"Dropped", "DROP INDEX \"SAS:GYVENTKEY\""},
                      DamagedKeyCase{"Redefined",
                                     "DROP INDEX \"SAS:GYVENTKEY\"; CREATE INDEX \"SAS:GYVENTKEY\" ON "
                                     "Saskait(Gyventojas)"},
                      DamagedKeyCase{"BuiltWithAnotherCollation",
                                     "UPDATE nakva_meta SET value = 'LT 0' WHERE name = 'collation'"}),
    nakva::testing::CaseName());

TEST_F(OpeningTest, DamagedKeysStopTheProgramWhenTheUserSaysNo) {
    createFile(TableId::Saskait);
    rawSql(TableId::Saskait, "DROP INDEX \"SAS:IDTKEY\"");
    messages.answerNext(ButtonNo);
    EXPECT_EQ(openAndStop(TableId::Saskait), "Sugedęs failo indeksas !");
}

TEST_F(OpeningTest, TheFullCheckFindsKeysWrittenInAnotherOrderAndTheRebuildMendsThem) {
    createFile(TableId::Valstyb);
    // A foreign writer with a byte-order LT_NOCASE puts "Ąžuolija" after "Zambija" in the key.
    rawSql(TableId::Valstyb, "INSERT INTO Valstyb(Valstybe) VALUES('Zambija'), ('Ąžuolija'), ('Airija')");

    const FileCheck damaged = checkFile(database, TableId::Valstyb);
    EXPECT_EQ(damaged.state, FileCheck::State::KeysDamaged);
    EXPECT_FALSE(damaged.problems.empty());

    EXPECT_EQ(rebuildFileKeys(database, TableId::Valstyb), StoreStatus::Ok);
    EXPECT_EQ(checkFile(database, TableId::Valstyb).state, FileCheck::State::Ready);
    std::int64_t count = 0;
    EXPECT_EQ(countFileRecords(database, TableId::Valstyb, count), StoreStatus::Ok);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(checkFile(database, TableId::Kamb).state, FileCheck::State::Missing);
}

// A table's connection stays open after its last user closes it, for the next one; it is used again
// only while it still stands for the file as its layout was found right.
TEST_F(OpeningTest, AFileReplacedWhileNoOneUsedItIsOpenedAnew) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    // The same table with other records, put in its place under its name (as a restore does).
    TempFolder other;
    {
        Database replacement(other.path());
        Context writer(replacement);
        Table& countries = writer.table(TableId::Valstyb);
        countries.open();
        for (const char* name : {"Austrija", "Belgija"}) {
            countries.clear();
            countries.record().set(VAL::Valstybe, name);
            ASSERT_EQ(countries.add(), StoreStatus::Ok);
        }
    }
    std::filesystem::rename(Database(other.path()).filePath(TableId::Valstyb),
                            database.filePath(TableId::Valstyb));
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"),
              (std::vector<std::string>{"Austrija", "Belgija"}));

    std::filesystem::remove(database.filePath(TableId::Valstyb));
    EXPECT_TRUE(storedColumn(TableId::Valstyb, "VAL:Valstybe").empty()) << "a removed file is made again";
    EXPECT_TRUE(std::filesystem::exists(database.filePath(TableId::Valstyb)));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(OpeningTest, AConnectionKeptForLaterHoldsNoLock) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"Lietuva"});
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.filePath(TableId::Valstyb).c_str(), &db), SQLITE_OK);
    sqlite3_busy_timeout(db, 0);
    EXPECT_EQ(sqlite3_exec(db, "BEGIN EXCLUSIVE; COMMIT", nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);
}

} // namespace
} // namespace nakva
